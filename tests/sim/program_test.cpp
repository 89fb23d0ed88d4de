// The tkv9d-sim program: started as a process, it links its line as COM<n>, answers there, and
// removes the link when it is told to end.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_port.h"
#include "sim_program.h"

namespace sim_test {
namespace {

namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() {
        std::string dir = ::testing::TempDir() + "tkv9d-sim-XXXXXX";
        configHome_ = ::mkdtemp(dir.data()) ? dir : "";
    }
    ~ProgramTest() override {
        std::error_code ignored;
        fs::remove_all(configHome_, ignored);
    }
    fs::path link(int port) const {
        return fs::path(configHome_) / "tkv9d/ports" / ("COM" + std::to_string(port));
    }
    std::string configHome_;
};

TEST_F(ProgramTest, LinksItsLineAsThePortServesAndRemovesTheLinkOnTerm) {
    ASSERT_FALSE(configHome_.empty());
    // A stale link from an earlier run (to its pseudo-terminal, long gone) is replaced.
    fs::create_directories(link(7).parent_path());
    fs::create_symlink("/dev/pts/99999", link(7));

    const std::string log = configHome_ + "/frames.log";
    SimProgram program(configHome_,
                       {"--com", "7", "--address", "2", "--dlq3", "5", "--pace", "--log", log});
    const std::string output = program.readOutput(2, 5000ms);
    ASSERT_EQ(output.rfind("device /dev/pts/", 0), 0u) << output;
    const std::string device = output.substr(7, output.find('\n') - 7);
    EXPECT_EQ(output.substr(output.find('\n') + 1), "port COM7\n");
    EXPECT_EQ(fs::read_symlink(link(7)), device);

    {
        SimPort port(link(7));
        port.send("#2IDR\r#5IDR\r#1IDR\r#2C1R\r");
        EXPECT_EQ(port.readUntilSuffix("#2C1R0.000\r"),
                  lineOf("#2VRL-TKV9D-SIM") + lineOf("#5VRL-DLQ3-SIM") + lineOf("#2C1R0.000"));
    }
    EXPECT_EQ(program.stop(SIGTERM, 5000ms), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(7))));
    std::ifstream logFile(log);
    std::stringstream logged;
    logged << logFile.rdbuf();
    EXPECT_EQ(logged.str().substr(0, 51), "> #2IDR<CR>\n< <ACK>#2VRL-TKV9D-SIM<CR>\n> #5IDR<CR>\n");
}

TEST_F(ProgramTest, DefaultsToOneDeviceAtAddress1OnCom1AndEndsOnInterrupt) {
    SimProgram program(configHome_, {});
    const std::string output = program.readOutput(2, 5000ms);
    ASSERT_NE(output.find("port COM1\n"), std::string::npos) << output;
    {
        SimPort port(link(1));
        port.send("#1IDR\r");
        EXPECT_EQ(port.readUntilSuffix("\r"), lineOf("#1VRL-TKV9D-SIM"));
    }
    EXPECT_EQ(program.stop(SIGINT, 5000ms), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(1))));
}

TEST_F(ProgramTest, RefusesBadArguments) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--com", "0"},
                                          {"--com", "257"},
                                          {"--address", "A"},
                                          {"--dlq3", "&"},
                                          {"--bogus"},
                                          {"--com"}}) {
        SimProgram program(configHome_, args);
        EXPECT_EQ(program.stop(0, 5000ms), 2) << args[0];
    }
    EXPECT_FALSE(fs::exists(link(1).parent_path()));
}

}  // namespace
}  // namespace sim_test
