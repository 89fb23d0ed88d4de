// tkv9d watch as a process against tkv9d-sim as a process: what a test bench sees when the
// line dies or the run is interrupted.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "process.h"

namespace {

using cli_test::Process;

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "a line without its end: " << text.substr(from);
    return lines;
}

class WatchProcess : public ::testing::Test {
  protected:
    WatchProcess() {
        std::string dir = ::testing::TempDir() + "tkv9d-watch-XXXXXX";
        configHome = ::mkdtemp(dir.data()) ? dir : "";
    }
    ~WatchProcess() override {
        std::error_code ignored;
        fs::remove_all(configHome, ignored);
    }

    // The simulator as COM 6, once it says it serves there.
    std::unique_ptr<Process> startSimulator() {
        auto sim = std::make_unique<Process>(TKV9D_SIM_PROGRAM,
                                             std::vector<std::string>{"--com", "6"}, configHome);
        EXPECT_NE(sim->readLines(2, 5000ms).find("port COM6\n"), std::string::npos) << sim->out;
        return sim;
    }
    std::unique_ptr<Process> startWatch() {
        return std::make_unique<Process>(
            TKV9D_PROGRAM,
            std::vector<std::string>{"--port", "6", "--timeout", "0.3", "watch", "--period", "0.2"},
            configHome);
    }

    std::string configHome;
};

constexpr const char* kHeader = "time,seconds,status,iststrom,istspannung,error";

TEST_F(WatchProcess, LineThatDiesGivesErrorLinesThenExit1WithEarlierLinesIntact) {
    ASSERT_FALSE(configHome.empty());
    auto sim = startSimulator();
    auto watch = startWatch();
    // Each line arrives as it is read, not when the run ends or a buffer fills (some 90 lines,
    // 18 s, at this period).
    const std::string& early = watch->readLines(4, 5000ms);
    ASSERT_GE(std::count(early.begin(), early.end(), '\n'), 4) << early;
    sim->signal(SIGKILL);
    EXPECT_EQ(watch->wait(20000ms), 1) << watch->err;

    const auto lines = linesOf(watch->out);
    ASSERT_GE(lines.size(), 1u + 3 + 5) << watch->out;
    EXPECT_EQ(lines[0], kHeader);
    const std::size_t firstFailed = lines.size() - 5;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 5) << lines[i];
        const std::string error = lines[i].substr(lines[i].rfind(',') + 1);
        if (i < firstFailed)
            EXPECT_EQ(error, "") << lines[i];
        else
            EXPECT_EQ(error.rfind("Fehler #", 0), 0u) << lines[i];
    }
    EXPECT_NE(watch->err.find("Hinweis: 5 Lesungen nacheinander fehlgeschlagen"), std::string::npos)
        << watch->err;
}

TEST_F(WatchProcess, InterruptEndsCleanlyWithExit0) {
    ASSERT_FALSE(configHome.empty());
    auto sim = startSimulator();
    for (int signal : {SIGINT, SIGTERM}) {
        auto watch = startWatch();
        const std::string& early = watch->readLines(3, 5000ms);
        ASSERT_GE(std::count(early.begin(), early.end(), '\n'), 3) << early;
        watch->signal(signal);
        EXPECT_EQ(watch->wait(5000ms), 0) << signal << watch->err;
        const auto lines = linesOf(watch->out);
        ASSERT_GE(lines.size(), 3u) << watch->out;
        EXPECT_EQ(lines[0], kHeader);
        for (std::size_t i = 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].back(), ',') << "no error in " << lines[i];
        EXPECT_EQ(watch->err, "");
    }
}

}  // namespace
