// SIGINT and SIGTERM sent to tkv9d as a process during a transfer on a line paced like the real
// one, and what a long transfer shows on a terminal meanwhile.

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "cli/progress.h"
#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "process.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Signals : public CliTest {
  protected:
    void SetUp() override {
        paced.addTkv('1');
        ASSERT_EQ(Datei_Schreiben(scratch() + "/f.tkv"), 0);
    }

    cli_test::Process start(const std::string& command, const std::string& path) {
        return {TKV9D_PROGRAM, {"--device", paced.devicePath(), command, path}, scratch()};
    }

    // Waits, frame by frame, until the latest frame begins with `prefix`.
    bool waitForFrame(const std::string& prefix) {
        for (std::size_t n = paced.frames().size() + 1; paced.waitForFrames(n, 10000ms); ++n)
            if (paced.frames().back().rfind(prefix, 0) == 0) return true;
        return false;
    }

    // The port is closed and not left exclusive: the next tkv9d gets it, root or not.
    int identify() {
        return cli_test::Process(TKV9D_PROGRAM, {"--device", paced.devicePath(), "id"}, scratch())
            .wait(5000ms);
    }

    sim::Line paced{sim::LineOptions{.pace = true}};
};

// Faults caught: no handler (the process dies inside a record, by the signal, the port left
// exclusive); a handler that stops inside a record, leaves a file or a device holding another
// program's working parameters; the wrong exit status.
TEST_F(Signals, FirstSignalStopsTheTransferBetweenRecords) {
    struct Row {
        const char* command;
        const char* program1;  // the frame that ends program 1
        int signal, status;
        const char* lastFrame;  // the working parameters written back
    };
    const Row rows[] = {
        {"programs-write", "#1PNP1", SIGINT, 130, "#1B5W"},
        {"programs-write", "#1PNP1", SIGTERM, 143, "#1B5W"},
        {"programs-read", "#1PNS1", SIGINT, 130, "#1B5W"},
    };
    for (const Row& row : rows) {
        const bool read = row.command == std::string("programs-read");
        auto tool = start(row.command, scratch() + (read ? "/r.tkv" : "/f.tkv"));
        // Into program 2, so that a record is under way when the signal comes.
        ASSERT_TRUE(waitForFrame(row.program1) && waitForFrame("#1C1"));
        tool.signal(row.signal);
        EXPECT_EQ(tool.wait(10000ms), row.status) << tool.err;
        EXPECT_EQ(tool.err.rfind("Abgebrochen nach Programm", 0), 0u) << tool.err;
        EXPECT_EQ(paced.frames().back().rfind(row.lastFrame, 0), 0u) << paced.frames().back();
        EXPECT_FALSE(fs::exists(scratch() + "/r.tkv"));
        EXPECT_EQ(identify(), 0);
    }
}

// Fault caught: a second signal that waits for the record, or ends without giving the port up.
TEST_F(Signals, SecondSignalEndsAtOnceAndFreesThePort) {
    auto tool = start("programs-write", scratch() + "/f.tkv");
    ASSERT_TRUE(waitForFrame("#1N1W"));
    tool.signal(SIGINT);
    // One more frame: the first signal has been taken by then.
    ASSERT_TRUE(paced.waitForFrames(paced.frames().size() + 1, 5000ms));
    tool.signal(SIGTERM);
    EXPECT_EQ(tool.wait(5000ms), 143) << tool.err;
    EXPECT_NE(tool.err.find("sofort beendet"), std::string::npos) << tool.err;
    EXPECT_EQ(identify(), 0);
}

// Fault caught: the late acknowledgement of the frame a killed tkv9d sent last, taken for the
// acknowledgement of the next tkv9d's first frame (its answer then read as "<ACK>#1VRL...").
TEST_F(Signals, LateAnswerOfAnEndedProgramIsNotTakenForTheNext) {
    const std::string frame = "#1N1WName eines beendeten\r";
    const int fd = ::open(paced.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    // The frame has reached the device, whose acknowledgement is on its way, as when its
    // program was killed waiting for it. The descriptor stays open: the simulator drops a frame
    // under way when the line hangs up.
    ASSERT_TRUE(paced.waitForFrames(1, 5000ms));
    std::string device = paced.devicePath();
    std::vector<std::string> args{"tkv9d", "--device", device, "id"};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    std::ostringstream out, err;
    EXPECT_EQ(cli::run(static_cast<int>(argv.size()), argv.data(), out, err), 0) << err.str();
    ::close(fd);
    ASSERT_TRUE(paced.waitForFrames(2, 5000ms));
    EXPECT_EQ(paced.frames().front(), frame);
}

// Faults caught: no sign of life on a terminal; progress text in a log or a script's output.
TEST(Progress, OneRewrittenLineOnATerminalOnly) {
    for (bool terminal : {true, false}) {
        std::ostringstream err;
        {
            cli::CommandProgress progress(err, terminal);
            const vrl::op::Operation operation("tkv9d programs-read");
            vrl::op::progress("Programm 1 von 16 wird gelesen", 1, 18);
        }
        if (terminal) {
            EXPECT_EQ(err.str().rfind("\r\x1b[KProgramm 1 von 16 wird gelesen – Noch etwa ", 0), 0u)
                << err.str();
            // Taken away again, so that what follows starts on a clean line.
            EXPECT_EQ(err.str().substr(err.str().size() - 4), "\r\x1b[K");
        } else {
            EXPECT_EQ(err.str(), "");
        }
    }
}

}  // namespace
