// Faults on demand: what the program receives instead of the proper answer, and whether the
// device still carried the command out.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

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

// One letter per frame of "1C1R": '.' the proper answer, 'N' NAK, 'C' CAN, '?' anything else.
std::string pattern(SimLine& sim, int frames) {
    std::string seen;
    for (int i = 0; i < frames; ++i) {
        const std::string answer = sim.answerTo("1C1R");
        seen += answer == lineOf("#1C1R0.000") ? '.'
                : answer == "\x15"             ? 'N'
                : answer == "\x18"             ? 'C'
                                               : '?';
    }
    return seen;
}

Fault triggered(FaultKind kind, int every, int after, int count = -1) {
    Fault f{kind, "", count};
    f.every = every;
    f.after = after;
    return f;
}

TEST_F(FaultQueueTest, EveryAfterAndCountAreCountedByEachFaultOnItsOwn) {
    struct Row {
        std::vector<Fault> faults;
        const char* seen;
    };
    const Row rows[] = {
        {{triggered(FaultKind::Nak, 3, 1)}, "..N..N..N"},
        {{triggered(FaultKind::Nak, 1, 4)}, "...NNNNNN"},
        {{triggered(FaultKind::Nak, 2, 3, 2)}, "...N.N..."},
        // The CAN fault counts frame 6 although the NAK fault took it.
        {{triggered(FaultKind::Nak, 2, 1), triggered(FaultKind::Can, 3, 1)}, ".NCN.N.NC"},
        // Another device's fault and other commands count nothing here.
        {{Fault{FaultKind::Nak, "C2", -1}, Fault{FaultKind::Can, "C", 2}}, "CC......."},
    };
    for (const Row& row : rows) {
        SimLine fresh;
        fresh.line.addTkv('1');
        fresh.line.addTkv('2');
        for (const Fault& f : row.faults) fresh.line.injectFault('1', f);
        fresh.line.injectFault('2', triggered(FaultKind::Silence, 1, 1));
        EXPECT_EQ(pattern(fresh, 9), row.seen);
    }
}

TEST_F(FaultQueueTest, ProbabilityRepeatsWithItsSeed) {
    auto run = [](std::uint64_t seed) {
        SimLine fresh;
        fresh.line.addTkv('1');
        Fault f{FaultKind::Nak, "", -1};
        f.probability = 0.5;
        f.random = seed;
        fresh.line.injectFault('1', f);
        return pattern(fresh, 40);
    };
    const std::string first = run(7);
    EXPECT_EQ(run(7), first);
    EXPECT_NE(run(8), first);
    const auto naks = std::count(first.begin(), first.end(), 'N');
    EXPECT_GT(naks, 5);
    EXPECT_LT(naks, 35);
}

TEST(RandomByteTest, NeverAnAcknowledgementByteAndAlways7Bits) {
    Fault f{FaultKind::OtherByte, ""};
    f.random = 1;
    std::set<char> drawn;
    for (int i = 0; i < 2000; ++i) drawn.insert(sim::randomOtherByte(f));
    EXPECT_EQ(drawn.size(), 125u);  // all 128 but ACK, NAK and CAN
    EXPECT_FALSE(drawn.count(sim::kAck) || drawn.count(sim::kNak) || drawn.count(sim::kCan));
    EXPECT_TRUE(std::all_of(drawn.begin(), drawn.end(), [](char c) { return c >= 0; }));
}

TEST(StoreDifferentTest, StoresAnotherValueTheDeviceWouldKeep) {
    const struct {
        const char* command;
        double delta;
        std::optional<std::string> stored;
    } rows[] = {
        {"C1W1.000", 0, "1.001"},
        {"C1W1.000", 0.002, "1.002"},
        {"C1W4.095", 0, "4.094"},   // down where up is out of range
        {"C1W0", 0.0004, "0.001"},  // never less than a step it keeps
        {"T1W6553.5", 0, "6553.6"},
        {"P6W1000", 0, "1001"},
        {"WFW2", 0, "1"},
        {"L1W0", 3, "3"},
        {"C1R", 0, std::nullopt},       // a read
        {"C0W1.000", 0, std::nullopt},  // measured
        {"O0W00FF", 0, std::nullopt},   // composed from the output bits
        {"N1Wname", 0, std::nullopt},   // a text
        {"C1Wx", 0, std::nullopt},
    };
    for (const auto& row : rows) {
        Fault f{FaultKind::StoreDifferent, ""};
        f.delta = row.delta;
        EXPECT_EQ(sim::differentValue(f, row.command), row.stored) << row.command;
    }

    SimLine sim;
    sim.line.addTkv('1');
    sim.line.injectFault('1', {FaultKind::StoreDifferent, "C1"});
    EXPECT_EQ(sim.answerTo("1C1W2.000"), "\x06");
    EXPECT_EQ(sim.line.value('1', "C1"), "2.001");
    EXPECT_EQ(sim.answerTo("1C1W2.000"), "\x06");
    EXPECT_EQ(sim.line.value('1', "C1"), "2.000") << "used up";
}

}  // namespace
}  // namespace sim_test
