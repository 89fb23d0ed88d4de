// Faults on demand: what the program receives instead of the proper answer, and whether the
// device still carried the command out.

#include <gtest/gtest.h>

#include <string>

#include "sim/line.h"
#include "sim_port.h"

namespace sim_test {
namespace {

using sim::Fault;
using sim::FaultKind;

struct FaultCase {
    const char* name;
    char address;
    Fault fault;
    const char* frame;
    std::string answer;
    // A value that shows whether the command was carried out: letters and expected text.
    const char* letters = nullptr;
    const char* after = nullptr;
};

std::string zerosTo29(std::string line) {
    return line + std::string(29 - line.size(), '0');
}

const FaultCase kCases[] = {
    {"Nak", '1', {FaultKind::Nak, "C1R"}, "1C1R", "\x15"},
    {"NakStopsWrite", '1', {FaultKind::Nak, "C2W"}, "1C2W2.000", "\x15", "C2", "0.000"},
    {"Can", '1', {FaultKind::Can, ""}, "1DF1", "\x18", "S1", "0000"},
    {"Silence", '1', {FaultKind::Silence, "IDR"}, "1IDR", ""},
    {"SilenceStopsWrite", '1', {FaultKind::Silence, ""}, "1C2W2.000", "", "C2", "0.000"},
    {"OtherByte", '1', {FaultKind::OtherByte, "C2W"}, "1C2W2.000", "#", "C2", "0.000"},
    {"OtherByteGiven", '1', {FaultKind::OtherByte, "IDR", 1, '?'}, "1IDR", "?"},
    {"BrokenOff", '1', {FaultKind::BrokenOff, "C1R"}, "1C1R", "\x06#1C1R"},
    {"BrokenOffIdentification", '1', {FaultKind::BrokenOff, "IDR"}, "1IDR", "\x06#1VRL-T"},
    {"BrokenOffAckOnly", '1', {FaultKind::BrokenOff, "C2W"}, "1C2W2.000", "", "C2", "2.000"},
    {"OtherAddress", '1', {FaultKind::OtherAddress, "IDR"}, "1IDR", lineOf("#2VRL-TKV9D-SIM")},
    {"OtherAddressAfterF", 'f', {FaultKind::OtherAddress, "C1R"}, "fC1R", lineOf("#1C1R1.500")},
    {"WrongEcho", '1', {FaultKind::WrongEcho, "C1R"}, "1C1R", lineOf("#1C2R1.500")},
    {"Err", '1', {FaultKind::Err, "C1R"}, "1C1R", lineOf("#1C1Rerr")},
    {"ErrName", '1', {FaultKind::Err, "N1R"}, "1N1R", lineOf("#1N1Rerr")},
    {"OverlongLine",
     '1',
     {FaultKind::OverlongLine, "C1R"},
     "1C1R",
     "\x06" + zerosTo29("#1C1R1.500")},
    {"OverlongIdentification",
     '1',
     {FaultKind::OverlongLine, "IDR"},
     "1IDR",
     "\x06" + zerosTo29("#1VRL-TKV9D-SIM")},
    {"LowerCaseHexWord", '1', {FaultKind::LowerCaseHex, "O0R"}, "1O0R", lineOf("#1O0R80ab")},
    {"MemoryLowerCase",
     '5',
     {FaultKind::LowerCaseHex, "BDR"},
     "5BDR400A00002",
     lineOf("#5BDR400A00002abcd0179")},
    {"MemoryWrongChecksum",
     '5',
     {FaultKind::WrongChecksum, "BDR"},
     "5BDR400A00002",
     lineOf("#5BDR400A00002ABCD017A")},
    {"MemoryWrongEcho",
     '5',
     {FaultKind::WrongEcho, ""},
     "5BDR400A00002",
     lineOf("#5BDR400A10002ABCD0179")},
    {"MemoryOverlong",
     '5',
     {FaultKind::OverlongLine, "BDR"},
     "5BDR400A00002",
     lineOf("#5BDR400A00002ABCD017900")},
    {"MemoryNakKeepsMemory", '5', {FaultKind::Nak, "BDW"}, "5BDW400A00001010002", "\x15"},
};

// Devices with values whose answers differ from what any fault makes of them.
void populate(SimLine& sim) {
    sim.line.addTkv('1');
    sim.line.addTkv('f');
    sim.line.addDlq3('5');
    sim.line.setValue('1', "C1", "1.500");
    sim.line.setValue('f', "C1", "1.500");
    sim.line.setValue('1', "O0", "00AB");
    const std::uint8_t bytes[] = {0xAB, 0xCD};
    sim.line.setMemory('5', 0xA0, bytes);
}

class FaultTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    FaultTest() { populate(sim); }
    SimLine sim;
};

TEST_P(FaultTest, AnswerIsChangedForOneFrameOnly) {
    const FaultCase& c = GetParam();
    const std::string proper = [&] {
        SimLine clean;
        populate(clean);
        return clean.answerTo(c.frame);
    }();
    ASSERT_NE(proper, c.answer) << "the fault must show";

    sim.line.injectFault(c.address, c.fault);
    EXPECT_EQ(sim.answerTo(c.frame), c.answer);
    if (c.letters) {
        EXPECT_EQ(sim.line.value(c.address, c.letters), c.after);
    }
    if (c.fault.kind == FaultKind::Nak && c.address == '5') {
        EXPECT_EQ(sim.line.memory('5', 0xA0, 1), std::vector<std::uint8_t>{0xAB});
    }
    // Used up: a command that does not change state gets its proper answer again.
    if (!c.letters && std::string_view(c.frame).find('W') == std::string_view::npos) {
        EXPECT_EQ(sim.answerTo(c.frame), proper);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FaultTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class FaultQueueTest : public ::testing::Test {
  protected:
    FaultQueueTest() { sim.line.addTkv('1'); }
    SimLine sim;
};

TEST_F(FaultQueueTest, CountCommandAndKindSelectTheFramesThatGetAFault) {
    sim.line.injectFault('1', {FaultKind::Nak, "C2R", 2});
    EXPECT_EQ(sim.answerTo("1C1R"), lineOf("#1C1R0.000")) << "other letters";
    EXPECT_EQ(sim.answerTo("1C2R"), "\x15");
    EXPECT_EQ(sim.answerTo("1C2R"), "\x15");
    EXPECT_EQ(sim.answerTo("1C2R"), lineOf("#1C2R0.000"));

    // An answer fault waits for an answer it can change.
    sim.line.injectFault('1', {FaultKind::Err, ""});
    EXPECT_EQ(sim.answerTo("1DF2"), "\x06");
    EXPECT_EQ(sim.answerTo("1IDR"), lineOf("#1VRL-TKV9D-SIM"));
    EXPECT_EQ(sim.answerTo("1S1R"), lineOf("#1S1Rerr"));
    EXPECT_EQ(sim.answerTo("1S1R"), lineOf("#1S1R0000"));

    // Frames to the common address are never faulted.
    sim.line.injectFault('1', {FaultKind::Silence, ""});
    EXPECT_EQ(sim.answerTo("&C3W1.000"), "");
    EXPECT_EQ(sim.line.value('1', "C3"), "1.000");
    EXPECT_EQ(sim.answerTo("1C1R"), "");
}

TEST_F(FaultQueueTest, NegativeCountLastsUntilCleared) {
    sim.line.injectFault('1', {FaultKind::Can, "DF1", -1});
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sim.answerTo("1DF1"), "\x18");
    sim.line.clearFaults('1');
    EXPECT_EQ(sim.answerTo("1DF1"), "\x06");
}

}  // namespace
}  // namespace sim_test
