#include <cmath>
#include <cstring>
#include <limits>

#include "params/parametersatz.h"
#include "params_fixture.h"

namespace {

using vrl::params::findField;

TEST(Record, FieldsSitAtTheirFileOffsets) {
    struct Row {
        const char* name;
        std::size_t offset;
    };
    const Row rows[] = {
        {"programmname", 0},
        {"stromkurve", 28},
        {"messbereich", 32},
        {"stromausgangsfilter", 40},
        {"mindestdauerFreilaufdiode", 48},
        {"hysteresepoti", 56},
        {"pwmfilterpoti", 64},
        {"regelgeschwindigkeitspoti", 72},
        {"strom1", 80},
        {"strom2", 88},
        {"strom3", 96},
        {"strom4", 104},
        {"zeit1", 112},
        {"zeit2", 120},
        {"zeit3", 128},
        {"zeit4", 136},
        {"pruefspannung", 144},
        {"freilaufdiodeAktivBeiDeltaIIst", 152},
        {"freilaufdiodeAktivBeiSprungAufNull", 156},
        {"freilaufdiodeMindestDeltaIIst", 160},
        {"zyklen", 168},
        {"kundenkalibrierungAktiv", 172},
        {"kalibriersollstrom1", 176},
        {"kalibriersollstrom2", 184},
        {"kalibrierungOffset", 192},
        {"kalibrierungVerstaerkung", 200},
    };
    EXPECT_EQ(std::size(rows), vrl::params::kFields.size());
    for (const auto& row : rows) {
        const auto* field = findField(row.name);
        ASSERT_NE(field, nullptr) << row.name;
        EXPECT_EQ(field->offset, row.offset) << row.name;
    }
    EXPECT_EQ(sizeof(Parametersatz), 208u);
}

TEST(Record, DefaultsLeaveReservedWordAlone) {
    Parametersatz record;
    std::memset(&record, 0xAB, sizeof record);
    ParameterVorbelegen(&record);
    EXPECT_EQ(vrl::params::nameOf(record), "");
    EXPECT_EQ(record.stromkurve, 1);
    EXPECT_EQ(record.messbereich, 2);
    EXPECT_EQ(record.reserviert, static_cast<std::int32_t>(0xABABABAB));
    const std::pair<double Parametersatz::*, double> reals[] = {
        {&Parametersatz::stromausgangsfilter, 1000.0},
        {&Parametersatz::mindestdauerFreilaufdiode, 1.0},
        {&Parametersatz::hysteresepoti, 25.0},
        {&Parametersatz::pwmfilterpoti, 25.0},
        {&Parametersatz::regelgeschwindigkeitspoti, 25.0},
        {&Parametersatz::strom1, 0.0},
        {&Parametersatz::strom4, 0.0},
        {&Parametersatz::zeit1, 1000.0},
        {&Parametersatz::zeit2, 0.0},
        {&Parametersatz::pruefspannung, 2.0},
        {&Parametersatz::freilaufdiodeMindestDeltaIIst, 1.0},
        {&Parametersatz::kalibriersollstrom1, 0.1},
        {&Parametersatz::kalibriersollstrom2, 4.0},
        {&Parametersatz::kalibrierungOffset, 0.0},
        {&Parametersatz::kalibrierungVerstaerkung, 1.0},
    };
    for (const auto& [field, value] : reals) EXPECT_EQ(record.*field, value);
    EXPECT_EQ(record.freilaufdiodeAktivBeiDeltaIIst, 0);
    EXPECT_EQ(record.freilaufdiodeAktivBeiSprungAufNull, 0);
    EXPECT_EQ(record.zyklen, 0);
    EXPECT_EQ(record.kundenkalibrierungAktiv, 0);
}

TEST(Record, NameIsBoundedAndTerminated) {
    Parametersatz record{};
    vrl::params::setName(record, std::string(40, 'n'));
    EXPECT_EQ(vrl::params::nameOf(record), std::string(27, 'n'));
    EXPECT_EQ(record.programmname[27], '\0');
    std::memset(record.programmname, 'x', sizeof record.programmname);  // no terminator
    EXPECT_EQ(vrl::params::nameOf(record), std::string(27, 'x'));
}

class Plausibility : public ParamsTest {};

TEST_F(Plausibility, CurrentsAreLimitedInRangeOne) {
    struct Row {
        double Parametersatz::*field;
        double value;
        const char* line;  // nullptr: passes
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        {&Parametersatz::strom2, 0.409, nullptr},
        {&Parametersatz::strom2, 0.4091, "Strom 2 ist zu groß für Messbereich 1\n"},
        {&Parametersatz::strom1, nan, "Strom 1 ist zu groß für Messbereich 1\n"},
        {&Parametersatz::strom4, -1.0, nullptr},
    };
    for (const auto& row : rows) {
        popups.shown.clear();
        Parametersatz record{};
        ParameterVorbelegen(&record);
        record.messbereich = 1;
        record.freilaufdiodeMindestDeltaIIst = 0.1;
        record.kalibriersollstrom2 = 0.4;
        record.*row.field = row.value;
        EXPECT_EQ(Prog_Plausibilitaetspruefung(&record), row.line ? -510451 : 0) << row.value;
        if (!row.line) {
            EXPECT_TRUE(popups.shown.empty());
            continue;
        }
        ASSERT_EQ(popups.shown.size(), 1u);
        EXPECT_EQ(popups.shown[0].title, "Fehler in den Parametern");
        EXPECT_EQ(popups.shown[0].text, row.line);
    }
}

TEST_F(Plausibility, AllSevenLinesInOrder) {
    Parametersatz record{};
    ParameterVorbelegen(&record);
    record.messbereich = 1;
    for (auto field : {&Parametersatz::strom1, &Parametersatz::strom2, &Parametersatz::strom3,
                       &Parametersatz::strom4, &Parametersatz::kalibriersollstrom1})
        record.*field = 1.0;
    EXPECT_EQ(Prog_Plausibilitaetspruefung(&record), -510451);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].text,
              "Strom 1 ist zu groß für Messbereich 1\n"
              "Strom 2 ist zu groß für Messbereich 1\n"
              "Strom 3 ist zu groß für Messbereich 1\n"
              "Strom 4 ist zu groß für Messbereich 1\n"
              "Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1\n"
              "Kalibrierstrom 1 ist zu groß für Messbereich 1\n"
              "Kalibrierstrom 2 ist zu groß für Messbereich 1\n");
}

TEST_F(Plausibility, RangeTwoAndDefaultsPass) {
    Parametersatz record{};
    ParameterVorbelegen(&record);
    EXPECT_EQ(Prog_Plausibilitaetspruefung(&record), 0);
    record.strom1 = 4.0;
    EXPECT_EQ(Prog_Plausibilitaetspruefung(&record), 0);
    record.strom1 = 0.0;
    record.messbereich = 1;
    EXPECT_EQ(Prog_Plausibilitaetspruefung(&record), -510451);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].text,
              "Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1\n"
              "Kalibrierstrom 2 ist zu groß für Messbereich 1\n");
}

}  // namespace
