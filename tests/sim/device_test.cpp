// The simulated TKV-9D and DLQ3 as a program sees them over the pseudo-terminal.

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "sim/clock.h"
#include "sim/line.h"
#include "sim_port.h"

namespace sim_test {
namespace {

class TkvTest : public ::testing::Test {
  protected:
    TkvTest() { sim.line.addTkv('1'); }
    std::string read(std::string_view letters) {
        return sim.answerTo("1" + std::string(letters) + "R");
    }
    SimLine sim;
};

struct RoundTrip {
    const char* letters;
    const char* written;
    const char* answered;
};

// Every writable parameter, with a value other than its power-on value.
constexpr RoundTrip kRoundTrips[] = {
    {"WF", "2", "2"},
    {"M1", "1", "1"},
    {"P6", "1250", "1250"},
    {"P2", "6553.5", "6553.5"},
    {"P3", "100", "100"},
    {"P4", "1.", "1"},
    {"P5", "50", "50"},
    {"C1", "4.095", "4.095"},
    {"C2", "1.5", "1.500"},
    {"C3", "0.001", "0.001"},
    {"C4", "2.5", "2.500"},
    {"T1", "65535.0", "65535.0"},
    {"T2", "0.1", "0.1"},
    {"T3", "250", "250.0"},
    {"T4", "12.3", "12.3"},
    {"V1", "150.0", "150.0"},
    {"D1", "1", "1"},
    {"D2", "1", "1"},
    {"P1", "0.010", "0.010"},
    {"L1", "65535", "65535"},
    {"O0", "7fff", "FFFF"},
    {"O1", "0", "0"},
    {"O2", "0", "0"},
    {"O3", "0", "0"},
    {"O4", "0", "0"},
    {"O5", "0", "0"},
    {"O6", "0", "0"},
    {"O7", "0", "0"},
    {"O8", "0", "0"},
    {"O9", "0", "0"},
    {"Oa", "0", "0"},
    {"Ob", "0", "0"},
    {"Oc", "0", "0"},
    {"Od", "0", "0"},
    {"Oe", "0", "0"},
    {"Of", "0", "0"},
    {"B1", "1", "1"},
    {"B2", "4.090", "4.090"},
    {"B3", "0.000", "0.000"},
    {"B4", "-1.234567", "-1.234567"},
    {"B5", "0.998765", "0.998765"},
    {"N1", "Prog 1 #x", "Prog 1 #x"},
};

TEST_F(TkvTest, EveryWritableParameterReadsBackWhatWasWritten) {
    EXPECT_EQ(std::size(kRoundTrips), 42u);
    for (const auto& row : kRoundTrips) {
        SCOPED_TRACE(row.letters);
        const std::string letters = row.letters;
        EXPECT_NE(read(letters), lineOf("#1" + letters + "R" + row.answered)) << "not a change";
        EXPECT_EQ(sim.answerTo("1" + letters + "W" + row.written), std::string(1, kAck));
        EXPECT_EQ(read(letters), lineOf("#1" + letters + "R" + row.answered));
        EXPECT_EQ(sim.line.value('1', letters), row.answered);
    }
}

TEST_F(TkvTest, OutputEnablesShareOneMaskWithBit15AlwaysSet) {
    EXPECT_EQ(read("O0"), lineOf("#1O0R8000"));
    EXPECT_EQ(sim.answerTo("1O3W1"), std::string(1, kAck));
    EXPECT_EQ(sim.answerTo("1OfW1"), std::string(1, kAck));
    EXPECT_EQ(read("O0"), lineOf("#1O0RC004"));
    EXPECT_EQ(sim.answerTo("1O0W0001"), std::string(1, kAck));
    EXPECT_EQ(read("O0"), lineOf("#1O0R8001"));
    EXPECT_EQ(read("O1"), lineOf("#1O1R1"));
    EXPECT_EQ(read("O3"), lineOf("#1O3R0"));
}

TEST_F(TkvTest, MeasuredAndStatusValuesAreAnsweredButRefuseWrites) {
    std::vector<std::string> readOnly = {"C0", "V0", "S1"};
    for (char index : std::string_view("123456789abcdef")) readOnly.push_back({'K', index});
    for (const auto& letters : readOnly) {
        SCOPED_TRACE(letters);
        const std::string answer = read(letters);
        EXPECT_EQ(answer.substr(0, 6), std::string(1, kAck) + "#1" + letters + "R");
        EXPECT_EQ(answer.back(), '\r');
        EXPECT_EQ(sim.answerTo("1" + letters + "W0001"), std::string(1, kNak));
        EXPECT_EQ(read(letters), answer);
    }
    EXPECT_EQ(read("K7"), lineOf("#1K7R0001")) << "every module found after power-on";
}

TEST_F(TkvTest, MalformedOrOutOfRangeCommandsAreRefusedAndChangeNothing) {
    const std::string tooLongName(28, 'x');  // one more than a record's name field
    const char* refused[] = {
        "C1W4.096", "C1W-0.001", "C1W1.5000", "C1W1e0",  "C1W 1.5",
        "C1W",      "C1W+1.5",   "C1W.5",     "C1W1,5",  "P6W1000.5",
        "P6W4",     "WFW3",      "WFW0",      "WFW01",   "WFW1.0",
        "M1W-1",    "L1W65536",  "O0W10000",  "O0W12G4", "O0W123",
        "O1W2",     "D1W2",      "B2W4.091",  "V1W1.9",  "B4W12345678901234567.0",
        "X1W1",     "C5W1.000",  "C1R1",      "C1X",     "c1W1.000",
        "DF3",      "DF1x",      "IDRx",      "PNP0",    "PNP17",
        "PNP07",    "PNPx",      "PNS",       "PNQ1",    "BDR400000001",
        "",
    };
    for (const char* command : refused) {
        SCOPED_TRACE(command);
        EXPECT_EQ(sim.answerTo(std::string("1") + command), std::string(1, kNak));
    }
    EXPECT_EQ(sim.answerTo("1N1W" + tooLongName), std::string(1, kNak));
    EXPECT_EQ(sim.answerTo("1N1W\x01"), std::string(1, kNak));
    EXPECT_EQ(read("C1"), lineOf("#1C1R0.000"));
    EXPECT_EQ(read("WF"), lineOf("#1WFR1"));
    EXPECT_EQ(read("N1"), lineOf("#1N1R"));
    EXPECT_EQ(sim.line.value('1', "S1"), "0000") << "nothing was started";
}

TEST_F(TkvTest, RealsKeepTheirPointUnderAGermanLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps adds it)";
    std::locale::global(std::locale("de_DE.UTF-8"));
    const std::string written = sim.answerTo("1C2W1.250");
    const std::string comma = sim.answerTo("1C3W1,250");
    const std::string answer = read("C2");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(written, std::string(1, kAck));
    EXPECT_EQ(comma, std::string(1, kNak));
    EXPECT_EQ(answer, lineOf("#1C2R1.250"));
}

TEST_F(TkvTest, IdentificationIsTheDevicesOwnText) {
    sim.line.addTkv('b', "VRL-TKV9D-0815");
    EXPECT_EQ(sim.answerTo("1IDR"), lineOf("#1VRL-TKV9D-SIM"));
    EXPECT_EQ(sim.answerTo("bIDR"), lineOf("#bVRL-TKV9D-0815"));
    EXPECT_THROW(sim.line.addTkv('2', std::string(27, 'x')), std::invalid_argument);
    EXPECT_THROW(sim.line.addTkv('1'), std::invalid_argument);
    EXPECT_THROW(sim.line.addTkv('A'), std::invalid_argument);
}

TEST_F(TkvTest, NamesUpToTheRecordsFieldAreTakenAndAnsweredShortEnoughForTheLine) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!";
    for (std::size_t length : {23u, 24u, 25u, 26u, 27u}) {
        const std::string name = letters.substr(0, length);
        SCOPED_TRACE(name);
        EXPECT_EQ(sim.answerTo("1N1W" + name), std::string(1, kAck));
        const std::string answer = read("N1");
        EXPECT_EQ(answer, lineOf("#1N1R" + name.substr(0, 23)));
        EXPECT_EQ(answer.size() - 1, 29u);  // after the ACK, CR included
    }
}

TEST_F(TkvTest, ProgramSlotsCarryTheRecordParametersOnly) {
    for (const char* write : {"1C1W1.000", "1N1WEins", "1V1W100.0", "1O2W1", "1PNP3"})
        ASSERT_EQ(sim.answerTo(write), std::string(1, kAck)) << write;
    for (const char* write : {"1C1W2.000", "1N1WZwei", "1V1W50.0", "1O2W0", "1PNP16"})
        ASSERT_EQ(sim.answerTo(write), std::string(1, kAck)) << write;
    EXPECT_EQ(sim.line.slotValue('1', 3, "C1"), "1.000");
    EXPECT_EQ(sim.line.slotValue('1', 16, "N1"), "Zwei");
    EXPECT_EQ(sim.line.slotValue('1', 3, "V1"), std::nullopt) << "not part of a program";

    EXPECT_EQ(sim.answerTo("1PNS3"), std::string(1, kAck));
    EXPECT_EQ(read("C1"), lineOf("#1C1R1.000"));
    EXPECT_EQ(read("N1"), lineOf("#1N1REins"));
    EXPECT_EQ(read("V1"), lineOf("#1V1R50.0"));
    EXPECT_EQ(read("O2"), lineOf("#1O2R0"));

    // The common address stores on every device without an answer.
    EXPECT_EQ(sim.answerTo("&PNP7"), "");
    EXPECT_EQ(sim.line.slotValue('1', 7, "N1"), "Eins");
    EXPECT_EQ(sim.line.slotValue('1', 8, "N1"), "");
}

TEST_F(TkvTest, CommonAddressIsCarriedOutByAllAndAnsweredByNone) {
    sim.line.addTkv('2');
    EXPECT_EQ(sim.answerTo("&C2W3.000"), "");
    EXPECT_EQ(sim.answerTo("&IDR"), "");
    EXPECT_EQ(sim.line.value('1', "C2"), "3.000");
    EXPECT_EQ(sim.line.value('2', "C2"), "3.000");
}

TEST_F(TkvTest, FramesToAbsentOrInvalidAddressesGetNoAnswer) {
    for (const char* frame : {"7IDR", "0IDR", "AIDR", "7C1W1.000"}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(sim.answerTo(frame), "");
    }
}

class CurveTest : public TkvTest {
  protected:
    CurveTest() { sim.line.setClock(clock.clock()); }
    void program(std::initializer_list<const char*> writes) {
        for (const char* w : writes) ASSERT_EQ(sim.answerTo(std::string("1") + w), "\x06") << w;
    }
    std::string status() { return *sim.line.value('1', "S1"); }
    std::string current() { return *sim.line.value('1', "C0"); }
    sim::ManualClock clock;
};

struct CurvePoint {
    int ms;  // since start
    const char* status;
    const char* current;
};

TEST_F(CurveTest, FourStepsFollowCurrentsAndTimesForTheCycles) {
    program({"WFW1", "C1W1.000", "T1W100.0", "C2W2.000", "T2W200.0", "T3W0.0", "T4W0.0", "L1W2",
             "DF1"});
    const CurvePoint points[] = {{0, "0003", "1.000"},   {99, "0003", "1.000"},
                                 {100, "0003", "2.000"}, {299, "0003", "2.000"},
                                 {300, "0003", "1.000"}, {599, "0003", "2.000"},
                                 {600, "0004", "0.000"}, {5000, "0004", "0.000"}};
    int now = 0;
    for (const auto& p : points) {
        SCOPED_TRACE(p.ms);
        clock.advance(std::chrono::milliseconds(p.ms - now));
        now = p.ms;
        EXPECT_EQ(status(), p.status);
        EXPECT_EQ(current(), p.current);
    }
}

TEST_F(CurveTest, TriangleRampsBetweenThePointsWithoutEnd) {
    program({"WFW2", "C1W0.000", "T1W0.0", "C2W4.000", "T2W100.0", "C3W0.000", "T3W100.0",
             "C4W0.000", "T4W0.0", "L1W0", "DF1"});
    const CurvePoint points[] = {{25, "0003", "1.000"},  {50, "0003", "2.000"},
                                 {100, "0003", "4.000"}, {175, "0003", "1.000"},
                                 {200, "0001", "0.000"}, {100050, "0003", "2.000"}};
    int now = 0;
    for (const auto& p : points) {
        SCOPED_TRACE(p.ms);
        clock.advance(std::chrono::milliseconds(p.ms - now));
        now = p.ms;
        EXPECT_EQ(status(), p.status);
        EXPECT_EQ(current(), p.current);
    }
}

TEST_F(CurveTest, StopAbortsAndStartWhileRunningIsRefusedForNow) {
    program({"C1W1.500", "T1W1000.0", "V1W10.0", "DF1"});
    EXPECT_EQ(sim.answerTo("1DF1"), std::string(1, kCan));
    clock.advance(std::chrono::milliseconds(10));
    EXPECT_EQ(sim.answerTo("1V0R"), lineOf("#1V0R3.0"));
    EXPECT_EQ(sim.answerTo("1DF2"), std::string(1, kAck));
    EXPECT_EQ(status(), "0008");
    EXPECT_EQ(current(), "0.000");
    EXPECT_EQ(sim.answerTo("1V0R"), lineOf("#1V0R0.0"));
    EXPECT_EQ(sim.answerTo("1DF2"), std::string(1, kAck)) << "stopping a stopped device";
    EXPECT_EQ(sim.answerTo("1DF1"), std::string(1, kAck));
    EXPECT_EQ(status(), "0003");
    // The common address starts and stops too.
    EXPECT_EQ(sim.answerTo("&DF2"), "");
    EXPECT_EQ(status(), "0008");
}

TEST_F(CurveTest, ErrorFlagsJoinTheCurveBits) {
    sim::Tkv& tkv = sim.line.tkv('1');
    tkv.setStatusFlags(sim::kMemoryError);
    EXPECT_EQ(status(), "0100");
    ASSERT_TRUE(sim.line.setValue('1', "K3", "0101"));
    EXPECT_EQ(sim.answerTo("1K3R"), lineOf("#1K3R0101"));
    EXPECT_EQ(status(), "0300");
    ASSERT_TRUE(sim.line.setValue('1', "K3", "0001"));
    EXPECT_EQ(status(), "0100");
    tkv.setUndeliverable("V0", true);
    EXPECT_EQ(sim.answerTo("1V0R"), lineOf("#1V0Rerr"));
    EXPECT_FALSE(sim.line.setValue('1', "S1", "0000")) << "the device computes it";
}

class Dlq3Test : public ::testing::Test {
  protected:
    Dlq3Test() { sim.line.addDlq3('5'); }
    SimLine sim;
};

TEST_F(Dlq3Test, WrittenBytesAreReadBackWithTheirChecksum) {
    EXPECT_EQ(sim.answerTo("5BDW400A0000212340047"), std::string(1, kAck));
    EXPECT_EQ(sim.line.memory('5', 0xA0, 2), (std::vector<std::uint8_t>{0x12, 0x34}));
    EXPECT_EQ(sim.answerTo("5BDR400A00002"), lineOf("#5BDR400A0000212340047"));
    EXPECT_EQ(sim.answerTo("5BDW4fffe0002abcd0179"), std::string(1, kAck)) << "lower case too";
    EXPECT_EQ(sim.answerTo("5BDR4FFFE0002"), lineOf("#5BDR4FFFE0002ABCD0179"));
    EXPECT_EQ(sim.answerTo("5BDW4000000000001"), std::string(1, kAck)) << "nothing to write";

    const std::uint8_t bytes[] = {0xFF, 0xFF, 0x01};
    ASSERT_TRUE(sim.line.setMemory('5', 0x100, bytes));
    EXPECT_EQ(sim.answerTo("5BDR401000003"), lineOf("#5BDR401000003FFFF010200"));
    EXPECT_EQ(sim.answerTo("&BDW402000001010002"), "");
    EXPECT_EQ(sim.line.memory('5', 0x200, 1), (std::vector<std::uint8_t>{0x01}));
    EXPECT_EQ(sim.answerTo("5IDR"), lineOf("#5VRL-DLQ3-SIM"));
}

TEST_F(Dlq3Test, FramesWithWrongChecksumTypeOrLengthAreRefused) {
    const std::string longWrite = "5BDW400000041" + std::string(130, '0') + "0001";
    const char* refused[] = {
        "5BDW400A0000212340048",    // checksum
        "5BDW300A0000212340047",    // memory type
        "5BDW400A000021234560047",  // more data than the length
        "5BDW400A00002120047",      // less
        "5BDWFFFF000212340047",     // no memory type
        "5BDW4FFFF0002123400470",   // past the end, and one digit too many
        "5BDW4FFFF000212340047",    // past the end of memory
        "5BDW400A000021G340047",    // not hex
        "5BDR400000000",            // nothing to read
        "5BDR4FFFF0002",            // past the end
        "5BDR300000001",            // memory type
        "5BDR40000001",             // header cut short
        "5BDX400000001",
        "5C1R",
    };
    for (const char* frame : refused) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(sim.answerTo(frame), std::string(1, kNak));
    }
    EXPECT_EQ(sim.answerTo(longWrite), std::string(1, kNak)) << "65 bytes";
    EXPECT_EQ(sim.line.memory('5', 0xA0, 2), (std::vector<std::uint8_t>{0, 0}));
}

}  // namespace
}  // namespace sim_test
