#pragma once

// The device's parameters: one row per name with the two letters that select it on the wire,
// the kind of value, how a written value is formatted and the range a write accepts. Writing,
// reading, the command-line tool and the record transfer all walk this one table.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vrl::driver {

enum class ValueKind {
    Real,     // double; written with a fixed count of decimals
    Integer,  // int; written in decimal
    HexWord,  // int carrying a 16-bit mask; written as four upper-case hex digits
    Text,     // the program name
};

struct Parameter {
    std::string_view name;
    char group;  // first command letter
    char index;  // second: '1'..'9', 'a'..'f' for 10..15; '0' is the measured value or the group
    ValueKind kind;
    bool readOnly;
    int decimals;   // reals: digits after the point in the write frame
    bool hasRange;  // false: written unchecked
    double low;     // accepted range, bounds included; reals carry their tolerance of 0.0001
    double high;
    int rangeError;  // returned by the write for a value outside [low, high]
};

namespace catalogue_rows {

constexpr Parameter integer(std::string_view name, char group, char index, int low, int high,
                            int rangeError) {
    return {name, group, index,       ValueKind::Integer, false,
            0,    true,  double(low), double(high),       rangeError};
}

constexpr Parameter real(std::string_view name, char group, char index, int decimals, double low,
                         double high, int rangeError) {
    return {name, group, index, ValueKind::Real, false, decimals, true, low, high, rangeError};
}

constexpr Parameter unchecked(std::string_view name, char group, char index, int decimals) {
    return {name, group, index, ValueKind::Real, false, decimals, false, 0.0, 0.0, 0};
}

constexpr Parameter hexWord(std::string_view name, char group, char index, int rangeError) {
    return {name, group, index, ValueKind::HexWord, false, 0, true, 0.0, 65535.0, rangeError};
}

constexpr Parameter measured(std::string_view name, char group, char index, ValueKind kind) {
    return {name, group, index, kind, true, 0, false, 0.0, 0.0, 0};
}

constexpr Parameter text(std::string_view name, char group, char index) {
    return {name, group, index, ValueKind::Text, false, 0, false, 0.0, 0.0, 0};
}

}  // namespace catalogue_rows

// Families are written out member by member: the index character and the range error advance
// together ("ausgang10" is O a with -500091).
inline constexpr auto kCatalogue = [] {
    using namespace catalogue_rows;
    constexpr auto R = ValueKind::Real;
    constexpr auto H = ValueKind::HexWord;
    return std::array{
        integer("stromkurve", 'W', 'F', 1, 2, -500063),
        integer("messbereich", 'M', '1', 1, 2, -500064),
        real("stromausgangsfilter", 'P', '6', 0, 4.9999, 1250.0001, -500065),        // [Hz]
        real("mindestdauerFreilaufdiode", 'P', '2', 1, 0.0999, 6553.5001, -500066),  // [ms]
        real("hysteresepoti", 'P', '3', 0, 0.9999, 100.0001, -500067),               // [%]
        real("pwmfilterpoti", 'P', '4', 0, 0.9999, 100.0001, -500068),               // [%]
        real("regelgeschwindigkeitspoti", 'P', '5', 0, 0.9999, 100.0001, -500069),   // [%]
        real("strom1", 'C', '1', 3, -0.0001, 4.0951, -500070),                       // [A]
        real("strom2", 'C', '2', 3, -0.0001, 4.0951, -500071),
        real("strom3", 'C', '3', 3, -0.0001, 4.0951, -500072),
        real("strom4", 'C', '4', 3, -0.0001, 4.0951, -500073),
        measured("iststrom", 'C', '0', R),
        real("zeit1", 'T', '1', 1, -0.0001, 65535.0001, -500074),  // [ms]
        real("zeit2", 'T', '2', 1, -0.0001, 65535.0001, -500075),
        real("zeit3", 'T', '3', 1, -0.0001, 65535.0001, -500076),
        real("zeit4", 'T', '4', 1, -0.0001, 65535.0001, -500077),
        real("pruefspannung", 'V', '1', 1, 1.9999, 150.0001, -500214),  // [V]
        measured("istspannung", 'V', '0', R),
        integer("freilaufdiodeAktivBeiDeltaIIst", 'D', '1', 0, 1, -500078),
        integer("freilaufdiodeAktivBeiSprungAufNull", 'D', '2', 0, 1, -500228),
        real("freilaufdiodeMindestDeltaIIst", 'P', '1', 3, 0.0099, 4.0951, -500079),  // [A]
        integer("zyklen", 'L', '1', 0, 65535, -500080),
        measured("status", 'S', '1', H),
        hexWord("alleausgaenge", 'O', '0', -500081),
        integer("ausgang1", 'O', '1', 0, 1, -500082),
        integer("ausgang2", 'O', '2', 0, 1, -500083),
        integer("ausgang3", 'O', '3', 0, 1, -500084),
        integer("ausgang4", 'O', '4', 0, 1, -500085),
        integer("ausgang5", 'O', '5', 0, 1, -500086),
        integer("ausgang6", 'O', '6', 0, 1, -500087),
        integer("ausgang7", 'O', '7', 0, 1, -500088),
        integer("ausgang8", 'O', '8', 0, 1, -500089),
        integer("ausgang9", 'O', '9', 0, 1, -500090),
        integer("ausgang10", 'O', 'a', 0, 1, -500091),
        integer("ausgang11", 'O', 'b', 0, 1, -500092),
        integer("ausgang12", 'O', 'c', 0, 1, -500093),
        integer("ausgang13", 'O', 'd', 0, 1, -500094),
        integer("ausgang14", 'O', 'e', 0, 1, -500095),
        integer("ausgang15", 'O', 'f', 0, 1, -500096),
        measured("kartenstatus1", 'K', '1', H),
        measured("kartenstatus2", 'K', '2', H),
        measured("kartenstatus3", 'K', '3', H),
        measured("kartenstatus4", 'K', '4', H),
        measured("kartenstatus5", 'K', '5', H),
        measured("kartenstatus6", 'K', '6', H),
        measured("kartenstatus7", 'K', '7', H),
        measured("kartenstatus8", 'K', '8', H),
        measured("kartenstatus9", 'K', '9', H),
        measured("kartenstatus10", 'K', 'a', H),
        measured("kartenstatus11", 'K', 'b', H),
        measured("kartenstatus12", 'K', 'c', H),
        measured("kartenstatus13", 'K', 'd', H),
        measured("kartenstatus14", 'K', 'e', H),
        measured("kartenstatus15", 'K', 'f', H),
        integer("kundenkalibrierungAktiv", 'B', '1', 0, 1, -500218),
        // The calibration set points have no tolerance: 4.09 is the limit itself.
        real("kalibriersollstrom1", 'B', '2', 3, 0.0, 4.09, -500219),  // [A]
        real("kalibriersollstrom2", 'B', '3', 3, 0.0, 4.09, -500220),  // [A]
        unchecked("kalibrierungOffset", 'B', '4', 6),
        unchecked("kalibrierungVerstaerkung", 'B', '5', 6),
        text("programmname", 'N', '1'),
    };
}();

inline constexpr std::size_t kParameterCount = kCatalogue.size();
// Longest program name a read delivers [characters].
inline constexpr std::size_t kProgramNameLimit = 25;

// Every name and every pair of letters once; 42 names can be written, 18 only read.
static_assert(kParameterCount == 60);
static_assert([] {
    std::size_t writable = 0;
    for (const Parameter& row : kCatalogue) writable += row.readOnly ? 0 : 1;
    return writable;
}() == 42);
static_assert([] {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i)
        for (std::size_t j = i + 1; j < kCatalogue.size(); ++j)
            if (kCatalogue[i].name == kCatalogue[j].name ||
                (kCatalogue[i].group == kCatalogue[j].group &&
                 kCatalogue[i].index == kCatalogue[j].index))
                return false;
    return true;
}());

// The row of a name (compared byte for byte), or nullptr.
constexpr const Parameter* findParameter(std::string_view name) {
    for (const Parameter& row : kCatalogue)
        if (row.name == name) return &row;
    return nullptr;
}

// The code a write of this value refuses it with before anything is sent (a read-only row, the
// row's range error, a real that has no fixed-point text, a text the line cannot carry, a frame
// too long for its buffer), or 0 when the write would send it. Whoever sends several values in
// a row checks them all with this first, so that none of them is refused half-way.
int checkWrite(const Parameter& row, double real, int integer, std::string_view text);

}  // namespace vrl::driver
