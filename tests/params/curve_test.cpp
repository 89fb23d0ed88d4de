// The curve a record makes and the values of it the device would refuse; the comparison of two
// tables as the device sees them.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "params/compare.h"
#include "params/curve.h"

namespace {

using vrl::params::curveOf;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct Settings {
    int form;
    int range;
    std::vector<double> currents;  // [A] 1..4
    std::vector<double> times;     // [ms] 1..4
    int cycles;
};

Parametersatz recordOf(const Settings& s) {
    Parametersatz record{};
    ParameterVorbelegen(&record);
    record.stromkurve = s.form;
    record.messbereich = s.range;
    record.strom1 = s.currents[0];
    record.strom2 = s.currents[1];
    record.strom3 = s.currents[2];
    record.strom4 = s.currents[3];
    record.zeit1 = s.times[0];
    record.zeit2 = s.times[1];
    record.zeit3 = s.times[2];
    record.zeit4 = s.times[3];
    record.zyklen = s.cycles;
    return record;
}

struct Corner {
    double time;
    double current;
    bool refused = false;
    bool operator==(const Corner&) const = default;
};

void PrintTo(const Corner& c, std::ostream* os) {
    *os << "(" << c.time << " ms, " << c.current << " A" << (c.refused ? ", refused" : "") << ")";
}

struct CurveRow {
    const char* name;
    Settings settings;
    std::vector<Corner> corners;
    int cyclesShown;
    std::string cycleText;
};

class CurveRows : public ::testing::TestWithParam<CurveRow> {};

TEST_P(CurveRows, CornersAndCycles) {
    const CurveRow& row = GetParam();
    const auto curve = curveOf(recordOf(row.settings));
    std::vector<Corner> corners;
    for (const auto& p : curve.points) corners.push_back({p.time, p.current, p.refused});
    EXPECT_EQ(corners, row.corners);
    EXPECT_EQ(curve.cyclesShown, row.cyclesShown);
    EXPECT_EQ(vrl::params::cycleText(curve), row.cycleText);
    EXPECT_TRUE(curve.note.empty()) << curve.note;
}

INSTANTIATE_TEST_SUITE_P(
    Curve, CurveRows,
    ::testing::Values(
        CurveRow{"FourStepsSkipAZeroTime",
                 {1, 2, {0.5, 1.0, 2.0, 0.25}, {100, 0, 200, 50}, 1},
                 {{0, 0.5}, {100, 0.5}, {100, 2.0}, {300, 2.0}, {300, 0.25}, {350, 0.25}},
                 1,
                 "× 1 Zyklus, 350 ms"},
        CurveRow{"FourStepsThreeOfFiveCycles",
                 {1, 2, {1.0, 2.0, 0, 0}, {400, 400, 0, 0}, 5},
                 {{0, 1.0},
                  {400, 1.0},
                  {400, 2.0},
                  {800, 2.0},
                  {800, 1.0},
                  {1200, 1.0},
                  {1200, 2.0},
                  {1600, 2.0},
                  {1600, 1.0},
                  {2000, 1.0},
                  {2000, 2.0},
                  {2400, 2.0}},
                 3,
                 "× 5 Zyklen, 4 s"},
        CurveRow{"TriangleStartsAtTheFourthCurrent",
                 {2, 2, {1.0, 3.0, 2.0, 0.5}, {100, 200, 300, 400}, 1},
                 {{0, 0.5}, {100, 1.0}, {300, 3.0}, {600, 2.0}, {1000, 0.5}},
                 1,
                 "× 1 Zyklus, 1 s"},
        CurveRow{"TriangleZeroTimeJumps",
                 {2, 2, {1.0, 2.0, 0, 0}, {100, 0, 100, 0}, 2},
                 {{0, 0}, {100, 1.0}, {100, 2.0}, {200, 0}, {300, 1.0}, {300, 2.0}, {400, 0}},
                 2,
                 "× 2 Zyklen, 400 ms"},
        CurveRow{"UnlimitedShowsThreeCycles",
                 {1, 2, {1.5, 0, 0, 0}, {2500, 0, 0, 0}, 0},
                 {{0, 1.5}, {2500, 1.5}, {5000, 1.5}, {7500, 1.5}},
                 3,
                 "× unbegrenzt, 2,5 s je Zyklus"},
        CurveRow{"BeyondTheSmallRangeIsMarked",
                 {1, 1, {0.4, 0.5, 0, 0}, {1000, 1000, 0, 0}, 1200},
                 {{0, 0.4},
                  {1000, 0.4},
                  {1000, 0.5, true},
                  {2000, 0.5, true},
                  {2000, 0.4},
                  {3000, 0.4},
                  {3000, 0.5, true},
                  {4000, 0.5, true},
                  {4000, 0.4},
                  {5000, 0.4},
                  {5000, 0.5, true},
                  {6000, 0.5, true}},
                 3,
                 "× 1.200 Zyklen, 40 min"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NothingRow {
    const char* name;
    Settings settings;
    const char* note;
};

class NothingToDraw : public ::testing::TestWithParam<NothingRow> {};

TEST_P(NothingToDraw, NoPointsAndANote) {
    const auto curve = curveOf(recordOf(GetParam().settings));
    EXPECT_TRUE(curve.points.empty());
    EXPECT_EQ(curve.note, GetParam().note);
    EXPECT_EQ(curve.cycleTime, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Curve, NothingToDraw,
    ::testing::Values(NothingRow{"AllTimesZero",
                                 {1, 2, {1, 2, 3, 4}, {0, 0, 0, 0}, 3},
                                 "Keine Kurve: alle Zeiten sind 0 ms."},
                      NothingRow{"TriangleAllTimesZero",
                                 {2, 2, {1, 2, 3, 4}, {0, 0, 0, 0}, 0},
                                 "Keine Kurve: alle Zeiten sind 0 ms."},
                      NothingRow{"NoTimeIsANumber",
                                 {1, 2, {1, 2, 3, 4}, {kNaN, 0, kNaN, 0}, 1},
                                 "Keine Kurve: keine Stufe hat eine gültige Zeit."},
                      NothingRow{"UnknownForm",
                                 {7, 2, {1, 2, 3, 4}, {100, 100, 0, 0}, 1},
                                 "Keine Vorschau: die Stromkurve ist unbekannt."}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    Settings settings;
    std::vector<std::string> texts;  // one line per refused value, in field order
};

class RefusedValues : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedValues, AreListed) {
    const auto curve = curveOf(recordOf(GetParam().settings));
    std::vector<std::string> texts;
    for (const auto& refused : curve.refused) texts.push_back(vrl::params::refusalText(refused));
    EXPECT_EQ(texts, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Curve, RefusedValues,
    ::testing::Values(RefusedRow{"Plausible", {1, 1, {0.409, 0, 0, 0}, {1000, 0, 0, 0}, 1}, {}},
                      RefusedRow{"SmallRangeLimit",
                                 {1, 1, {0.409, 0.4092, 0, 0}, {1000, 1000, 0, 0}, 1},
                                 {"Strom 2: 0,4092 A über der Grenze des Meßbereichs (0,409 A)"}},
                      RefusedRow{"LargeRangeLimit",
                                 {1, 2, {4.1, 0, 0, 0}, {1000, 0, 0, 0}, 1},
                                 {"Strom 1: 4,1 A außerhalb des Bereichs 0 bis 4,095 A"}},
                      RefusedRow{"NotNumbers",
                                 {2, 2, {kNaN, 1, 1, kInf}, {100, 100, -kInf, 0}, 1},
                                 {"Strom 1: keine gültige Zahl", "Strom 4: keine gültige Zahl",
                                  "Zeit 3: keine gültige Zahl"}},
                      RefusedRow{"OutOfEveryRange",
                                 {3, 5, {-1, 1, 1, 1}, {70000, 100, 100, 100}, -2},
                                 {"Stromkurve: 3 ist keine der Auswahlmöglichkeiten",
                                  "Meßbereich: 5 ist keine der Auswahlmöglichkeiten",
                                  "Strom 1: -1 A außerhalb des Bereichs 0 bis 4,095 A",
                                  "Zeit 1: 70.000 ms außerhalb des Bereichs 0 bis 65.535 ms",
                                  "Anzahl Zyklen: -2 außerhalb des Bereichs 0 bis 65.535"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CurveTest, UnusableStepsAreLeftOutNotComputedWith) {
    // A current that is no number and a negative time leave their steps out; the time beyond the
    // range still draws, marked.
    const auto curve = curveOf(recordOf({1, 2, {kNaN, 1.0, 2.0, 3.0}, {100, -5, 70000, 10}, 1}));
    ASSERT_EQ(curve.points.size(), 4u);
    EXPECT_EQ(curve.cycleTime, 70010.0);
    EXPECT_TRUE(curve.points[0].refused);
    EXPECT_FALSE(curve.points[3].refused);
    EXPECT_EQ(curve.limit, 4.095);
}

// Fault caught: a long run shown in seconds with group separators ("17.179.344,9 s"), a short
// one rounded to "0,002 s".
TEST(CurveTest, DurationsReadInTheirOwnUnit) {
    const std::pair<double, const char*> rows[] = {
        {0.0017, "1,7 ms"}, {0.4, "400 ms"},
        {1.0, "1 s"},       {2.5, "2,5 s"},
        {59.9, "59,9 s"},   {60.0, "1 min"},
        {2400.0, "40 min"}, {754.25, "12 min 34,3 s"},
        {3600.0, "1 h"},    {17179344.9, "4.772 h 2 min"},
    };
    for (const auto& [seconds, text] : rows) EXPECT_EQ(vrl::params::durationText(seconds), text);
}

TEST(CurveTest, CsvIsPlainNumbers) {
    const auto curve = curveOf(recordOf({1, 2, {0.125, 0, 0, 0}, {1500.5, 0, 0, 0}, 1}));
    EXPECT_EQ(vrl::params::curveCsv(curve), "time_ms,current_A\n0,0.125\n1500.5,0.125\n");
}

struct CompareRow {
    const char* name;
    void (*change)(Parametersatz& device);
    std::vector<std::string> differences;
};

class CompareTables : public ::testing::TestWithParam<CompareRow> {};

TEST_P(CompareTables, ListsWhatTheDeviceWouldHoldOtherwise) {
    std::vector<Parametersatz> program(17), device(17);
    for (auto& record : program) ParameterVorbelegen(&record);
    vrl::params::setName(program[4], "Dauerlauf mit Pruefling 17");  // 26 characters
    program[4].strom1 = 0.5004;                                      // sent as 0.500
    device = program;
    GetParam().change(device[4]);
    std::vector<std::string> texts;
    for (const auto& d : vrl::params::compareTables(program, device))
        texts.push_back(vrl::params::differenceText(d, "Datei"));
    EXPECT_EQ(texts, GetParam().differences);
}

INSTANTIATE_TEST_SUITE_P(
    Compare, CompareTables,
    ::testing::Values(
        CompareRow{"Same", [](Parametersatz&) {}, {}},
        CompareRow{"WithinTheWritesDecimals", [](Parametersatz& d) { d.strom1 = 0.5; }, {}},
        CompareRow{"NameAsTheDeviceReportsIt",
                   [](Parametersatz& d) { vrl::params::setName(d, "Dauerlauf mit Pruefling"); },
                   {}},
        CompareRow{
            "TestVoltageIsNotTransferred", [](Parametersatz& d) { d.pruefspannung = 9; }, {}},
        CompareRow{"RealAndInteger",
                   [](Parametersatz& d) {
                       d.strom1 = 0.502;
                       d.zyklen = 7;
                   },
                   {"Eintrag 4, Feld strom1: Datei 0.5004, TKV-9D 0.502",
                    "Eintrag 4, Feld zyklen: Datei 0, TKV-9D 7"}},
        CompareRow{"NameWithinTheReadableLength",
                   [](Parametersatz& d) { vrl::params::setName(d, "Dauerlauf mit Pruef"); },
                   {"Eintrag 4, Feld programmname: Datei \"Dauerlauf mit Pruefling 17\", "
                    "TKV-9D \"Dauerlauf mit Pruef\""}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
