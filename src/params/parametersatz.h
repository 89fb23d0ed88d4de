#pragma once

// The parameter record: every parameter of one program, 208 bytes, little-endian, the same
// bytes in memory and in the parameter file. One field table describes it; the device
// transfer, the defaults and the panels walk that table.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace vrl::params {

inline constexpr std::size_t kNameSize = 28;  // [bytes], terminator included
inline constexpr std::size_t kRecordSize = 208;
inline constexpr int kTableSize = 17;  // working parameters and programs 1..16

struct Parametersatz {
    char programmname[kNameSize];
    std::int32_t stromkurve;                // 1 four steps, 2 triangle
    std::int32_t messbereich;               // 1 up to 0.4 A, 2 up to 4 A
    std::int32_t reserviert;                // no meaning; kept as it came
    double stromausgangsfilter;             // [Hz]
    double mindestdauerFreilaufdiode;       // [ms]
    double hysteresepoti;                   // [%]
    double pwmfilterpoti;                   // [%]
    double regelgeschwindigkeitspoti;       // [%]
    double strom1, strom2, strom3, strom4;  // [A]
    double zeit1, zeit2, zeit3, zeit4;      // [ms]
    double pruefspannung;                   // [V]
    std::int32_t freilaufdiodeAktivBeiDeltaIIst;
    std::int32_t freilaufdiodeAktivBeiSprungAufNull;
    double freilaufdiodeMindestDeltaIIst;  // [A]
    std::int32_t zyklen;                   // 0 = unlimited
    std::int32_t kundenkalibrierungAktiv;  // 0 factory, 1 customer calibration
    double kalibriersollstrom1;            // [A]
    double kalibriersollstrom2;            // [A]
    double kalibrierungOffset;             // [A]
    double kalibrierungVerstaerkung;       // factor
};

// The record is its own file image; that holds only with this layout on a little-endian host.
static_assert(std::is_standard_layout_v<Parametersatz> &&
              std::is_trivially_copyable_v<Parametersatz>);
static_assert(sizeof(Parametersatz) == kRecordSize);
static_assert(std::endian::native == std::endian::little);

enum class FieldType { Text, Integer, Real };

struct Field {
    std::string_view name;  // the device parameter of the same name
    std::size_t offset;     // [bytes] in the record
    FieldType type;
    double defaultValue;
    bool transferred;          // moved to and from the device with the record
    std::string_view control;  // the panel control that shows it; "" for none
    bool takenOver;            // the main panel's control edits it
};

// In record order, which is also the order of the device transfer and of the panel. The test
// voltage is the device's own: a record transfer leaves it alone. The calibration fields are
// shown on the calibration panel and set by the calibration, not by the main panel.
inline constexpr std::array<Field, 26> kFields{{
    {"programmname", offsetof(Parametersatz, programmname), FieldType::Text, 0.0, true, "", false},
    {"stromkurve", offsetof(Parametersatz, stromkurve), FieldType::Integer, 1, true,
     "PAR_STROMKURVE", true},
    {"messbereich", offsetof(Parametersatz, messbereich), FieldType::Integer, 2, true,
     "PAR_MESSBEREICH", true},
    {"stromausgangsfilter", offsetof(Parametersatz, stromausgangsfilter), FieldType::Real, 1000.0,
     true, "PAR_STROMOUTFILTER", true},
    {"mindestdauerFreilaufdiode", offsetof(Parametersatz, mindestdauerFreilaufdiode),
     FieldType::Real, 1.0, true, "PAR_DAUERFREILAUFDIOD", true},
    {"hysteresepoti", offsetof(Parametersatz, hysteresepoti), FieldType::Real, 25.0, true,
     "PAR_HYSTERESEPOTI", true},
    {"pwmfilterpoti", offsetof(Parametersatz, pwmfilterpoti), FieldType::Real, 25.0, true,
     "PAR_PWMFILTERPOTI", true},
    {"regelgeschwindigkeitspoti", offsetof(Parametersatz, regelgeschwindigkeitspoti),
     FieldType::Real, 25.0, true, "PAR_REGELGESCHW", true},
    {"strom1", offsetof(Parametersatz, strom1), FieldType::Real, 0.0, true, "PAR_STROM1", true},
    {"strom2", offsetof(Parametersatz, strom2), FieldType::Real, 0.0, true, "PAR_STROM2", true},
    {"strom3", offsetof(Parametersatz, strom3), FieldType::Real, 0.0, true, "PAR_STROM3", true},
    {"strom4", offsetof(Parametersatz, strom4), FieldType::Real, 0.0, true, "PAR_STROM4", true},
    {"zeit1", offsetof(Parametersatz, zeit1), FieldType::Real, 1000.0, true, "PAR_ZEIT1", true},
    {"zeit2", offsetof(Parametersatz, zeit2), FieldType::Real, 0.0, true, "PAR_ZEIT2", true},
    {"zeit3", offsetof(Parametersatz, zeit3), FieldType::Real, 0.0, true, "PAR_ZEIT3", true},
    {"zeit4", offsetof(Parametersatz, zeit4), FieldType::Real, 0.0, true, "PAR_ZEIT4", true},
    {"pruefspannung", offsetof(Parametersatz, pruefspannung), FieldType::Real, 2.0, false,
     "PAR_PRUEFSPANNUNG", true},
    {"freilaufdiodeAktivBeiDeltaIIst", offsetof(Parametersatz, freilaufdiodeAktivBeiDeltaIIst),
     FieldType::Integer, 0, true, "PAR_FREILAUFBEIDELTAI", true},
    {"freilaufdiodeAktivBeiSprungAufNull",
     offsetof(Parametersatz, freilaufdiodeAktivBeiSprungAufNull), FieldType::Integer, 0, true,
     "PAR_FREILAUFBEINULL", true},
    {"freilaufdiodeMindestDeltaIIst", offsetof(Parametersatz, freilaufdiodeMindestDeltaIIst),
     FieldType::Real, 1.0, true, "PAR_MINDESTDELTAIIST", true},
    {"zyklen", offsetof(Parametersatz, zyklen), FieldType::Integer, 0, true, "PAR_ZYKLEN", true},
    {"kundenkalibrierungAktiv", offsetof(Parametersatz, kundenkalibrierungAktiv),
     FieldType::Integer, 0, true, "PAR_KUNDENKALIBRIERUN", false},
    {"kalibriersollstrom1", offsetof(Parametersatz, kalibriersollstrom1), FieldType::Real, 0.1,
     true, "SOLL1", false},
    {"kalibriersollstrom2", offsetof(Parametersatz, kalibriersollstrom2), FieldType::Real, 4.0,
     true, "SOLL2", false},
    {"kalibrierungOffset", offsetof(Parametersatz, kalibrierungOffset), FieldType::Real, 0.0, true,
     "", false},
    {"kalibrierungVerstaerkung", offsetof(Parametersatz, kalibrierungVerstaerkung), FieldType::Real,
     1.0, true, "", false},
}};

const Field* findField(std::string_view name);

double realOf(const Parametersatz& record, const Field& field);
std::int32_t integerOf(const Parametersatz& record, const Field& field);
void setReal(Parametersatz& record, const Field& field, double value);
void setInteger(Parametersatz& record, const Field& field, std::int32_t value);

// The name up to its terminator; a field without one gives its first 27 characters.
std::string nameOf(const Parametersatz& record);
// Stores at most 27 bytes and the terminator; the rest of the field is zeroed.
void setName(Parametersatz& record, std::string_view name);

using RecordImage = std::array<std::uint8_t, kRecordSize>;
RecordImage imageOf(const Parametersatz& record);
Parametersatz recordFrom(std::span<const std::uint8_t, kRecordSize> image);

// The limit of every current in measuring range 1 [A].
inline constexpr double kRange1Limit = 0.409;

}  // namespace vrl::params

using vrl::params::Parametersatz;

void ParameterVorbelegen(Parametersatz* record);

// Shows its own popup "Fehler in den Parametern" listing every current too large for
// measuring range 1; 0 or -510451.
int Prog_Plausibilitaetspruefung(const Parametersatz* record);

namespace vrl::params {
// The first field the plausibility check refuses, by its name in the field table; "" for none.
std::string_view firstImplausibleField(const Parametersatz& record);
}  // namespace vrl::params
