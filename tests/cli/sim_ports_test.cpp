// tkv9d-sim and the port links it makes: it takes only what is stale, says why it stops, and
// removes only its own link.

#include <filesystem>

#include <gtest/gtest.h>

#include "process.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class SimPorts : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tkv9d-simports-XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::create_directories(dir + "/tkv9d/ports");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<cli_test::Process> simulator(std::vector<std::string> args) {
        return std::make_unique<cli_test::Process>(TKV9D_SIM_PROGRAM, std::move(args), dir);
    }
    std::string link(int port) const { return dir + "/tkv9d/ports/COM" + std::to_string(port); }

    std::string dir;
};

// Faults caught: the operator's link to an adapter, or a running simulator's link, deleted and
// taken over (and removed on exit).
TEST_F(SimPorts, LinksThatAreNotStaleAreLeftAlone) {
    auto first = simulator({"--com", "5"});
    ASSERT_NE(first->readLines(2, 5000ms).find("port COM5\n"), std::string::npos) << first->err;
    const fs::path running = fs::read_symlink(link(5));
    fs::create_symlink("/dev/serial/by-id/usb-FTDI_unplugged", link(6));
    struct Row {
        int port;
        fs::path target;
    };
    const Row rows[] = {{5, running}, {6, "/dev/serial/by-id/usb-FTDI_unplugged"}};
    for (const Row& row : rows) {
        auto second = simulator({"--com", std::to_string(row.port)});
        EXPECT_EQ(second->wait(5000ms), 1) << row.port;
        EXPECT_NE(second->err.find(link(row.port) + " is in the way (a link to " +
                                   row.target.string() + ")"),
                  std::string::npos)
            << second->err;
        EXPECT_EQ(fs::read_symlink(link(row.port)), row.target);
    }
    first->signal(SIGTERM);
    EXPECT_EQ(first->wait(5000ms), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(5))));
    EXPECT_EQ(fs::read_symlink(link(6)), "/dev/serial/by-id/usb-FTDI_unplugged");
}

// Faults caught: a usage error that gives no reason, an empty --port that serves COM 1, a log
// that loses every line without a word.
TEST_F(SimPorts, UsageErrorsAndAnUnwritableLogSayWhy) {
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* reason;
    };
    const Row rows[] = {
        {{"--com"}, 2, "tkv9d-sim: --com needs a value\n"},
        {{"--bogus"}, 2, "tkv9d-sim: unknown option --bogus\n"},
        {{"--port", ""}, 2, "tkv9d-sim: --port needs a port name\n"},
        {{"--log", ""}, 2, "tkv9d-sim: --log needs a file name\n"},
    };
    for (const Row& row : rows) {
        auto sim = simulator(row.args);
        EXPECT_EQ(sim->wait(5000ms), row.status) << row.reason;
        EXPECT_EQ(sim->err.rfind(row.reason, 0), 0u) << sim->err;
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(1))));

    auto sim = simulator({"--com", "4", "--log", "/dev/full"});
    ASSERT_NE(sim->readLines(2, 5000ms).find("port COM4\n"), std::string::npos) << sim->err;
    cli_test::Process tool(TKV9D_PROGRAM, {"--port", "4", "--timeout", "0.3", "id"}, dir);
    tool.wait(5000ms);
    EXPECT_EQ(sim->wait(5000ms), 1);
    EXPECT_NE(sim->err.find("tkv9d-sim: cannot write the log /dev/full\n"), std::string::npos)
        << sim->err;
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(4))));
}

}  // namespace
