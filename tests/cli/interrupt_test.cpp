// SIGINT and SIGTERM sent to tkv9d as a process during a transfer on a line paced like the real
// one: where the transfer stops, what it says, and that the port is free afterwards.

#include <filesystem>

#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "process.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Interrupt : public ::testing::Test {
  protected:
    void SetUp() override {
        line.addTkv('1');
        char pattern[] = "/tmp/tkv9d-interrupt-XXXXXX";
        dir = ::mkdtemp(pattern);
        file = dir + "/f.tkv";
        Prog_Initialisieren();
        ASSERT_EQ(Datei_Schreiben(file), 0);
    }
    void TearDown() override {
        fs::remove_all(dir);
        serial::setPortPath(1, "");
    }

    std::unique_ptr<cli_test::Process> start(const std::string& command, const std::string& path) {
        return std::make_unique<cli_test::Process>(
            TKV9D_PROGRAM, std::vector<std::string>{"--device", line.devicePath(), command, path},
            dir);
    }

    // Waits, frame by frame, until the latest frame begins with `prefix`.
    bool waitForFrame(const std::string& prefix) {
        for (std::size_t count = line.frames().size() + 1; line.waitForFrames(count, 10000ms);
             ++count) {
            if (line.frames().back().rfind(prefix, 0) == 0) return true;
        }
        return false;
    }

    // The port is closed and not left exclusive: the next command gets it, root or not.
    int identify() {
        std::vector<std::string> args{"tkv9d", "--device", line.devicePath(), "id"};
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        std::ostringstream out, err;
        return cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
    }

    sim::Line line{sim::LineOptions{.pace = true}};
    std::string dir;
    std::string file;
};

// Faults caught: no handler (the process dies inside a record, exit by signal, port exclusive);
// a handler that stops inside a record or leaves a half-written file; the wrong exit status.
TEST_F(Interrupt, FirstSignalStopsTheTransferBetweenRecords) {
    struct Row {
        const char* command;
        const char* program1;  // the frame that ends program 1
        int signal;
        int status;
        const char* lastFrame;  // how the last frame begins: a store, or the write-back
    };
    const Row rows[] = {
        {"programs-write", "#1PNP1", SIGINT, 130, "#1PNP"},
        {"programs-write", "#1PNP1", SIGTERM, 143, "#1PNP"},
        {"programs-read", "#1PNS1", SIGINT, 130, "#1B5W"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " " + std::to_string(row.signal));
        const std::string target =
            row.command == std::string("programs-read") ? dir + "/r.tkv" : file;
        line.clearFrames();
        auto tool = start(row.command, target);
        // Into program 2, so that a record is under way when the signal comes.
        ASSERT_TRUE(waitForFrame(row.program1) && waitForFrame("#1C1"));
        tool->signal(row.signal);
        EXPECT_EQ(tool->wait(10000ms), row.status) << tool->err;
        EXPECT_EQ(tool->err.rfind("Abgebrochen nach Programm", 0), 0u) << tool->err;
        EXPECT_EQ(line.frames().back().rfind(row.lastFrame, 0), 0u) << line.frames().back();
        EXPECT_TRUE(fs::exists(file));
        EXPECT_FALSE(fs::exists(dir + "/r.tkv"));
        EXPECT_EQ(identify(), 0);
    }
}

// Fault caught: a second signal that waits for the record, or ends without giving the port up.
TEST_F(Interrupt, SecondSignalEndsAtOnceAndFreesThePort) {
    auto tool = start("programs-write", file);
    ASSERT_TRUE(waitForFrame("#1N1W"));
    tool->signal(SIGINT);
    // One more frame: the first signal has been taken by then.
    ASSERT_TRUE(line.waitForFrames(line.frames().size() + 1, 5000ms));
    tool->signal(SIGTERM);
    EXPECT_EQ(tool->wait(5000ms), 143) << tool->err;
    EXPECT_NE(tool->err.find("sofort beendet"), std::string::npos) << tool->err;
    EXPECT_EQ(identify(), 0);
}

}  // namespace
