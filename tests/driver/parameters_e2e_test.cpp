// Every parameter written and read through the driver against the simulated TKV-9D, which keeps
// a parameter table of its own: a wrong letter, format or range on either side shows here.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <variant>

#include "driver/parameter_catalogue.h"
#include "driver/vrltkv9d.h"
#include "e2e_line.h"
#include "platform/serial/port_map.h"

namespace {

using namespace std::chrono_literals;

class ParametersOnLine : public ::testing::Test {
  protected:
    static constexpr int kPort = 7;

    void SetUp() override {
        line->addTkv('1');
        serial::setPortPath(kPort, e2e::driverPath(*line));
        ASSERT_EQ(e2e::open(kPort), 0);
        ASSERT_EQ(VRLTKV9D_Timeout(kPort, e2e::timeout(0.5)), 0);
    }
    void TearDown() override {
        VRLTKV9D_Close(kPort);
        serial::setPortPath(kPort, "");
    }

    std::unique_ptr<sim::Line> line = e2e::makeLine();
};

using Value = std::variant<double, int, std::string>;

int writeValue(int port, int address, const char* name, const Value& value) {
    if (const auto* real = std::get_if<double>(&value))
        return VRLTKV9D_ParameterSchreiben(port, address, name, *real, 0, {});
    if (const auto* integer = std::get_if<int>(&value))
        return VRLTKV9D_ParameterSchreiben(port, address, name, 0.0, *integer, {});
    return VRLTKV9D_ParameterSchreiben(port, address, name, 0.0, 0, std::get<std::string>(value));
}

int readValue(int port, const char* name, Value& value) {
    double real = 0;
    int integer = 0;
    std::string text;
    const int code = VRLTKV9D_ParameterLesen(port, '1', name, &real, &integer, &text);
    if (std::holds_alternative<double>(value))
        value = real;
    else if (std::holds_alternative<int>(value))
        value = integer;
    else
        value = text;
    return code;
}

struct Row {
    const char* name;
    const char* letters;
    Value written;     // unused for read-only rows
    const char* wire;  // the value text of the write frame; nullptr for read-only rows
    Value readBack;
};

std::string printable(const Value& value) {
    if (const auto* real = std::get_if<double>(&value)) return std::to_string(*real);
    if (const auto* integer = std::get_if<int>(&value)) return std::to_string(*integer);
    return '"' + std::get<std::string>(value) + '"';
}

// Letters and formats as the device documents them, written out here independently of the
// driver's table.
const Row kRows[] = {
    {"stromkurve", "WF", 2, "2", 2},
    {"messbereich", "M1", 1, "1", 1},
    {"stromausgangsfilter", "P6", 750.4, "750", 750.0},
    {"mindestdauerFreilaufdiode", "P2", 12.34, "12.3", 12.3},
    {"hysteresepoti", "P3", 42.0, "42", 42.0},
    {"pwmfilterpoti", "P4", 17.6, "18", 18.0},
    {"regelgeschwindigkeitspoti", "P5", 100.0001, "100", 100.0},
    {"strom1", "C1", 4.0951, "4.095", 4.095},
    {"strom2", "C2", 1.5, "1.500", 1.5},
    {"strom3", "C3", 0.0005, "0.001", 0.001},
    {"strom4", "C4", 2.25, "2.250", 2.25},
    {"iststrom", "C0", 0.0, nullptr, 0.0},
    {"zeit1", "T1", 65535.0001, "65535.0", 65535.0},
    {"zeit2", "T2", 0.05, "0.1", 0.1},
    {"zeit3", "T3", 1234.5, "1234.5", 1234.5},
    {"zeit4", "T4", 0.0, "0.0", 0.0},
    {"pruefspannung", "V1", 24.26, "24.3", 24.3},
    {"istspannung", "V0", 0.0, nullptr, 0.0},
    {"freilaufdiodeAktivBeiDeltaIIst", "D1", 1, "1", 1},
    {"freilaufdiodeAktivBeiSprungAufNull", "D2", 1, "1", 1},
    {"freilaufdiodeMindestDeltaIIst", "P1", 0.5, "0.500", 0.5},
    {"zyklen", "L1", 65535, "65535", 65535},
    {"status", "S1", 0, nullptr, 0x0100},
    {"alleausgaenge", "O0", 0x12af, "12AF", 0x92af},  // bit 15 is always answered set
    {"ausgang1", "O1", 0, "0", 0},
    {"ausgang2", "O2", 1, "1", 1},
    {"ausgang3", "O3", 1, "1", 1},
    {"ausgang4", "O4", 0, "0", 0},
    {"ausgang5", "O5", 0, "0", 0},
    {"ausgang6", "O6", 0, "0", 0},
    {"ausgang7", "O7", 1, "1", 1},
    {"ausgang8", "O8", 0, "0", 0},
    {"ausgang9", "O9", 1, "1", 1},
    {"ausgang10", "Oa", 0, "0", 0},
    {"ausgang11", "Ob", 1, "1", 1},
    {"ausgang12", "Oc", 0, "0", 0},
    {"ausgang13", "Od", 1, "1", 1},
    {"ausgang14", "Oe", 1, "1", 1},
    {"ausgang15", "Of", 1, "1", 1},
    {"kartenstatus1", "K1", 0, nullptr, 0x0011},
    {"kartenstatus2", "K2", 0, nullptr, 0x0021},
    {"kartenstatus3", "K3", 0, nullptr, 0x0031},
    {"kartenstatus4", "K4", 0, nullptr, 0x0041},
    {"kartenstatus5", "K5", 0, nullptr, 0x0051},
    {"kartenstatus6", "K6", 0, nullptr, 0x0061},
    {"kartenstatus7", "K7", 0, nullptr, 0x0071},
    {"kartenstatus8", "K8", 0, nullptr, 0x0081},
    {"kartenstatus9", "K9", 0, nullptr, 0x0091},
    {"kartenstatus10", "Ka", 0, nullptr, 0x00a1},
    {"kartenstatus11", "Kb", 0, nullptr, 0x00b1},
    {"kartenstatus12", "Kc", 0, nullptr, 0x00c1},
    {"kartenstatus13", "Kd", 0, nullptr, 0x00d1},
    {"kartenstatus14", "Ke", 0, nullptr, 0x00e1},
    {"kartenstatus15", "Kf", 0, nullptr, 0x00f1},
    {"kundenkalibrierungAktiv", "B1", 1, "1", 1},
    {"kalibriersollstrom1", "B2", 4.09, "4.090", 4.09},
    {"kalibriersollstrom2", "B3", 0.001, "0.001", 0.001},
    {"kalibrierungOffset", "B4", -0.0123456, "-0.012346", -0.012346},
    {"kalibrierungVerstaerkung", "B5", 1.000123, "1.000123", 1.000123},
    {"programmname", "N1", std::string("Mein Programm 1"), "Mein Programm 1",
     std::string("Mein Programm 1")},
};

TEST_F(ParametersOnLine, EveryCatalogueRowRoundTripsThroughTheDevice) {
    ASSERT_EQ(std::size(kRows), vrl::driver::kParameterCount);
    // The read-only words are the device's own; give each a value of its own to find.
    line->tkv('1').setStatusFlags(0x0100);
    for (const Row& row : kRows) {
        if (row.wire == nullptr && std::string_view(row.letters).front() == 'K') {
            char text[5];
            std::snprintf(text, sizeof text, "%04X", std::get<int>(row.readBack));
            ASSERT_TRUE(line->setValue('1', row.letters, text)) << row.name;
        }
    }
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        line->clearFrames();
        std::vector<std::string> expected;
        if (row.wire != nullptr) {
            EXPECT_EQ(writeValue(kPort, '1', row.name, row.written), 0);
            expected.push_back(std::string("#1") + row.letters + "W" + row.wire + "\r");
        }
        Value got = row.readBack;
        EXPECT_EQ(readValue(kPort, row.name, got), 0);
        expected.push_back(std::string("#1") + row.letters + "R\r");
        EXPECT_EQ(got, row.readBack) << printable(got) << " != " << printable(row.readBack);
        ASSERT_TRUE(line->waitForFrames(expected.size(), 2s));
        EXPECT_EQ(line->frames(), expected);
    }
}

// The driver's bounds carry a tolerance; what they are rounded to must still be taken.
TEST_F(ParametersOnLine, DeviceTakesTheDriversRangeBounds) {
    for (const auto& row : vrl::driver::kCatalogue) {
        if (row.readOnly || !row.hasRange) continue;
        for (double bound : {row.low, row.high}) {
            const int code =
                row.kind == vrl::driver::ValueKind::Real
                    ? VRLTKV9D_ParameterSchreiben(kPort, '1', row.name, bound, 0, {})
                    : VRLTKV9D_ParameterSchreiben(kPort, '1', row.name, 0, int(bound), {});
            EXPECT_EQ(code, 0) << row.name << " " << bound;
        }
    }
}

TEST_F(ParametersOnLine, CommonAddressReachesEveryDeviceWithoutAnAnswer) {
    line->addTkv('2');
    EXPECT_EQ(VRLTKV9D_ParameterSchreiben(kPort, '&', "zyklen", 0.0, 4321, {}), 0);
    ASSERT_TRUE(line->waitForFrames(1, 2s));
    EXPECT_EQ(line->frames().front(), "#&L1W4321\r");
    EXPECT_EQ(line->value('1', "L1"), "4321");
    EXPECT_EQ(line->value('2', "L1"), "4321");
}

TEST_F(ParametersOnLine, DeviceFaultsGiveTheirCodes) {
    ASSERT_EQ(VRLTKV9D_Timeout(kPort, e2e::timeout(0.1)), 0);
    struct Fault {
        const char* what;
        sim::Fault fault;
        bool write;
        int code;
    };
    using K = sim::FaultKind;
    const Fault rows[] = {
        {"write NAK", {K::Nak, "C1W"}, true, -402102},
        {"write CAN", {K::Can, "C1W"}, true, -405103},
        {"write silence", {K::Silence, "C1W"}, true, -403104},
        {"write other byte", {K::OtherByte, "C1W", 1, '?'}, true, -404105},
        {"read NAK", {K::Nak, "C1R"}, false, -402163},
        {"read CAN", {K::Can, "C1R"}, false, -405164},
        {"read silence", {K::Silence, "C1R"}, false, -403165},
        {"read other byte", {K::OtherByte, "C1R", 1, '#'}, false, -404166},
        {"read broken off", {K::BrokenOff, "C1R"}, false, -404167},
        {"read other address", {K::OtherAddress, "C1R"}, false, -404168},
        {"read wrong echo", {K::WrongEcho, "C1R"}, false, -404168},
        {"read err", {K::Err, "C1R"}, false, -409169},
    };
    for (const auto& row : rows) {
        line->injectFault('1', row.fault);
        double real = -1;
        const int code =
            row.write ? VRLTKV9D_ParameterSchreiben(kPort, '1', "strom1", 1.0, 0, {})
                      : VRLTKV9D_ParameterLesen(kPort, '1', "strom1", &real, nullptr, nullptr);
        EXPECT_EQ(code, row.code) << row.what;
        line->clearFaults('1');
    }
}

TEST_F(ParametersOnLine, TolerableAnswerVariantsStillDeliverTheValue) {
    ASSERT_EQ(VRLTKV9D_ParameterSchreiben(kPort, '1', "strom2", 1.5, 0, {}), 0);
    ASSERT_EQ(VRLTKV9D_ParameterSchreiben(kPort, '1', "alleausgaenge", 0.0, 0x00af, {}), 0);
    // 29 bytes without CR: the value is still taken; the next command's flush drops the rest.
    line->injectFault('1', sim::Fault{sim::FaultKind::OverlongLine, "C2R"});
    double real = 0;
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "strom2", &real, nullptr, nullptr), 0);
    EXPECT_EQ(real, 1.5);
    line->injectFault('1', sim::Fault{sim::FaultKind::LowerCaseHex, "O0R"});
    int mask = 0;
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "alleausgaenge", nullptr, &mask, nullptr), 0);
    EXPECT_EQ(mask, 0x80af);
    line->injectFault('1', sim::Fault{sim::FaultKind::Err, "N1R"});
    std::string name;
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "programmname", nullptr, nullptr, &name), 0);
    EXPECT_EQ(name, "err");
}

}  // namespace
