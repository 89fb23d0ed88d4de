// Identification, device functions and program slots against the simulated device over a
// pseudo-terminal: the same codes as with the scripted peer, now from a real serial exchange.

#include <gtest/gtest.h>

#include <chrono>

#include "driver/vrltkv9d.h"
#include "e2e_line.h"
#include "platform/serial/port_map.h"

namespace {

using namespace std::chrono_literals;

class CommandsOnLine : public ::testing::Test {
  protected:
    static constexpr int kPort = 8;

    void SetUp() override {
        line->addTkv('1', "VRL-TKV9D-0001");
        line->addTkv('3', "VRL-TKV9D-0003");
        serial::setPortPath(kPort, e2e::driverPath(*line));
        ASSERT_EQ(e2e::open(kPort), 0);
        ASSERT_EQ(VRLTKV9D_Timeout(kPort, e2e::timeout(0.3)), 0);
    }
    void TearDown() override {
        VRLTKV9D_Close(kPort);
        serial::setPortPath(kPort, "");
    }

    std::unique_ptr<sim::Line> line = e2e::makeLine();
};

TEST_F(CommandsOnLine, IdentificationOfEachDevice) {
    std::string text;
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '1', text), 0);
    EXPECT_EQ(text, "VRL-TKV9D-0001");
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '3', text), 0);
    EXPECT_EQ(text, "VRL-TKV9D-0003");
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '2', text), -403012);  // nobody there
    ASSERT_TRUE(line->waitForFrames(3, 2s));
    EXPECT_EQ(line->frames(), (std::vector<std::string>{"#1IDR\r", "#3IDR\r", "#2IDR\r"}));
}

TEST_F(CommandsOnLine, StartAndStopRunTheCurve) {
    ASSERT_EQ(line->setValue('1', "T1", "1000.0"), true);
    EXPECT_EQ(VRLTKV9D_DeviceFunction(kPort, '1', "start"), 0);
    EXPECT_TRUE(line->tkv('1').statusWord() & sim::kCurveRunning);
    EXPECT_EQ(VRLTKV9D_DeviceFunction(kPort, '1', "stopp"), 0);
    EXPECT_FALSE(line->tkv('1').statusWord() & sim::kCurveRunning);
}

TEST_F(CommandsOnLine, ProgramSlotsStoreAndLoad) {
    ASSERT_TRUE(line->setValue('1', "C1", "1.250"));
    EXPECT_EQ(VRLTKV9D_ProgrammSpeichern(kPort, '1', 16), 0);
    ASSERT_TRUE(line->waitForFrames(1, 2s));
    EXPECT_EQ(line->frames().back(), "#1PNP16\r");
    ASSERT_TRUE(line->setValue('1', "C1", "0.500"));
    EXPECT_EQ(VRLTKV9D_ProgrammLaden(kPort, '1', 16), 0);
    ASSERT_TRUE(line->waitForFrames(2, 2s));
    EXPECT_EQ(line->frames().back(), "#1PNS16\r");
    const auto value = line->value('1', "C1");
    ASSERT_TRUE(value);
    EXPECT_DOUBLE_EQ(std::stod(*value), 1.25);
}

TEST_F(CommandsOnLine, CommonAddressReachesEveryDeviceWithoutAnAnswer) {
    EXPECT_EQ(VRLTKV9D_DeviceFunction(kPort, '&', "start"), 0);
    ASSERT_TRUE(line->waitForFrames(1, 2s));
    EXPECT_EQ(line->frames().back(), "#&DF1\r");
    EXPECT_TRUE(line->tkv('1').statusWord() & sim::kCurveRunning);
    EXPECT_TRUE(line->tkv('3').statusWord() & sim::kCurveRunning);
    // Nothing was answered, so nothing is left to confuse the next command.
    std::string text;
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '3', text), 0);
}

TEST_F(CommandsOnLine, DeviceFaultsGiveTheirCodes) {
    struct Row {
        sim::FaultKind fault;
        const char* command;
        int expected;
    };
    const Row rows[] = {
        {sim::FaultKind::Nak, "IDR", -402010},
        {sim::FaultKind::Can, "IDR", -405011},
        {sim::FaultKind::Silence, "IDR", -403012},
        {sim::FaultKind::OtherByte, "IDR", -404013},
        {sim::FaultKind::BrokenOff, "IDR", -404014},
        {sim::FaultKind::OtherAddress, "IDR", -404015},
        {sim::FaultKind::OverlongLine, "IDR", -404015},
        {sim::FaultKind::Nak, "DF1", -402039},
        {sim::FaultKind::Can, "DF1", -405040},
        {sim::FaultKind::Silence, "DF1", -403041},
        {sim::FaultKind::OtherByte, "DF1", -404042},
        {sim::FaultKind::Nak, "PNP", -402048},
        {sim::FaultKind::Can, "PNP", -405049},
        {sim::FaultKind::Silence, "PNP", -403050},
        {sim::FaultKind::OtherByte, "PNP", -404051},
        {sim::FaultKind::Nak, "PNS", -402057},
        {sim::FaultKind::Can, "PNS", -405058},
        {sim::FaultKind::Silence, "PNS", -403059},
        {sim::FaultKind::OtherByte, "PNS", -404060},
    };
    for (const auto& row : rows) {
        line->injectFault('1', sim::Fault{row.fault, row.command, 1});
        std::string text;
        const std::string command = row.command;
        const int code = command == "IDR"   ? VRLTKV9D_IDLesen(kPort, '1', text)
                         : command == "DF1" ? VRLTKV9D_DeviceFunction(kPort, '1', "start")
                         : command == "PNP" ? VRLTKV9D_ProgrammSpeichern(kPort, '1', 2)
                                            : VRLTKV9D_ProgrammLaden(kPort, '1', 2);
        EXPECT_EQ(code, row.expected) << row.command << " " << static_cast<int>(row.fault);
        line->clearFaults('1');
    }
    std::string text;
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '1', text), 0);  // late bytes of the faults are gone
}

TEST(OpenOnLine, MissingDeviceGivesOpenFailure) {
    serial::setPortPath(9, "/nonexistent/pts");
    EXPECT_EQ(VRLTKV9D_Open(9, 9600), -100003);
    serial::setPortPath(9, "");
}

}  // namespace
