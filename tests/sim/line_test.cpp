// The line itself: framing of what the program sends, the record of frames, the log, and
// pacing at the speed of the real line.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "sim/line.h"
#include "sim_port.h"

namespace sim_test {
namespace {

TEST(LineTest, FramesAreCutFromNoiseAndPiecesAndRecordedInOrder) {
    sim::Line line;
    line.addTkv('1');
    SimPort port(line.devicePath());
    // Noise before a frame, a frame to nobody, the common address, and an over-long run of
    // bytes without CR that must not swallow the frame after it.
    port.send("xx\r#1ID");
    port.send("R\r#7C1R\r#&DF2\r#" + std::string(200, '1') + "#1C1R\r");
    ASSERT_TRUE(line.waitForFrames(4, 2000ms));
    EXPECT_EQ(line.frames(),
              (std::vector<std::string>{"#1IDR\r", "#7C1R\r", "#&DF2\r", "#1C1R\r"}));
    EXPECT_EQ(port.readUntilSuffix("#1C1R0.000\r"),
              lineOf("#1VRL-TKV9D-SIM") + lineOf("#1C1R0.000"));
    line.clearFrames();
    EXPECT_TRUE(line.frames().empty());
    EXPECT_FALSE(line.waitForFrames(1, 10ms));
}

TEST(LineTest, BoundedRecordKeepsTheLatestFrames) {
    sim::LineOptions options;
    options.frameLimit = 2;
    sim::Line line(options);
    line.addTkv('1');
    SimPort port(line.devicePath());
    port.send("#1C1R\r#1C2R\r#1C3R\r");
    // A frame is listed before its answer leaves: once the last answer is here, all are.
    port.readUntilSuffix("#1C3R0.000\r");
    EXPECT_EQ(line.frames(), (std::vector<std::string>{"#1C2R\r", "#1C3R\r"}));
}

// A fault is marked between its frame and the answer it made.
TEST(LineTest, LogShowsEveryFrameAnswerAndFaultReadably) {
    const std::string path = ::testing::TempDir() + "sim_line_test.log";
    std::remove(path.c_str());
    {
        sim::Line line({false, path});
        line.addTkv('1');
        line.injectFault('1', {sim::FaultKind::Can, "DF1"});
        SimPort port(line.devicePath());
        port.send("#1IDR\r#1DF1\r#9IDR\r");
        ASSERT_TRUE(line.waitForFrames(3, 2000ms));
    }
    std::ifstream log(path);
    std::stringstream text;
    text << log.rdbuf();
    EXPECT_EQ(text.str(),
              "> #1IDR<CR>\n< <ACK>#1VRL-TKV9D-SIM<CR>\n> #1DF1<CR>\nfault can applied to "
              "#1DF1\n< <CAN>\n> #9IDR<CR>\n");
    std::remove(path.c_str());
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(LineTest, PacedLineTakesTheTimeOfItsBytesAndSleeps) {
    sim::Line line({true, ""});
    line.addTkv('1');
    line.addDlq3('5');
    SimPort port(line.devicePath());

    struct Exchange {
        std::string frame;
        std::string answerEnd;
        std::size_t bytes;  // both ways
    };
    const Exchange exchanges[] = {
        {"#1C1R\r", "#1C1R0.000\r", 6 + 1 + 11},
        {"#5BDR400000040\r", "0001\r", 15 + 1 + 2 * 64 + 19},
    };
    std::chrono::nanoseconds lineTime{0};
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 3; ++round) {
        for (const auto& e : exchanges) {
            port.send(e.frame);
            port.readUntilSuffix(e.answerEnd);
            lineTime += sim::byteTimes(e.bytes);
        }
    }
    const auto wall = std::chrono::steady_clock::now() - start;
    const double cpu = cpuSeconds() - cpuBefore;
    const double wallSeconds = std::chrono::duration<double>(wall).count();
    const double lineSeconds = std::chrono::duration<double>(lineTime).count();
    EXPECT_GE(wallSeconds, 0.97 * lineSeconds);
    EXPECT_LE(wallSeconds, 1.25 * lineSeconds + 0.05);
    // A serving thread that spins would use a whole core.
    EXPECT_LT(cpu, 0.25 * wallSeconds);
}

TEST(LineTest, PacedCommonFramesStillReachEveryDeviceInOrder) {
    sim::Line line({true, ""});
    line.addTkv('1');
    line.addTkv('2');
    SimPort port(line.devicePath());
    port.send("#&C1W1.000\r#&C1W2.000\r#2C1R\r");
    EXPECT_EQ(port.readUntilSuffix("\r"), lineOf("#2C1R2.000"));
    EXPECT_EQ(line.value('1', "C1"), "2.000");
}

}  // namespace
}  // namespace sim_test
