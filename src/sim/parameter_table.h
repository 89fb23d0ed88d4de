#pragma once

// The TKV-9D's parameters as the device knows them: two letters on the wire (a group letter and
// an index character), the kind of value, the nominal limits, the resolution it stores and
// answers with, and whether a program slot carries it.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace sim {

enum class ValueKind { Integer, Real, HexWord, Text };

// Where a read takes its value from.
enum class Source {
    Stored,         // the value last written (or set for a test)
    ActualCurrent,  // the running curve
    ActualVoltage,  // the running curve and the load
    StatusWord,     // curve state and error flags
    OutputMask,     // all output enables; bit 15 is always answered set
    OutputBit,      // one output enable, 0 or 1
};

struct ParameterInfo {
    std::string_view letters;
    ValueKind kind;
    bool writable;
    double low;  // nominal limits; a write outside them is refused
    double high;
    int decimals;    // reals: digits after the point that the device keeps and answers with
    bool inProgram;  // stored into and loaded from the program slots
    double initial;  // value after power-on (text parameters start empty)
    Source source = Source::Stored;
    int bit = 0;  // OutputBit: which bit of the mask
};

inline constexpr double kNoLimit = 1e300;
inline constexpr std::size_t kParameterCount = 60;
// Longest text the device accepts for the program name: the whole name field of a program's
// record. A read answers only its beginning (see Tkv::storedText).
inline constexpr std::size_t kNameCapacity = 27;

const std::array<ParameterInfo, kParameterCount>& parameterTable();

// Row index of the letters in parameterTable(), if the device has such a parameter.
std::optional<std::size_t> findParameter(std::string_view letters);

}  // namespace sim
