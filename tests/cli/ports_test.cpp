// Ports: one another program holds, one that goes away under tkv9d, and the links tkv9d-sim
// makes.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli_fixture.h"
#include "process.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Ports : public CliTest {
  protected:
    std::string link(int port) {
        fs::create_directories(scratch() + "/tkv9d/ports");
        return scratch() + "/tkv9d/ports/COM" + std::to_string(port);
    }
    std::unique_ptr<sim::Line> plugIn(bool pace, std::string id = "VRL-TKV9D-SIM") {
        auto line = std::make_unique<sim::Line>(sim::LineOptions{.pace = pace});
        line->addTkv('1', std::move(id));
        fs::remove(link(9));
        fs::create_symlink(line->devicePath(), link(9));
        return line;
    }
    cli_test::Process tkv9d(std::vector<std::string> args) {
        return {TKV9D_PROGRAM, std::move(args), scratch()};
    }
    // The simulator's texts here are English, the tool's German.
    cli_test::Process simulator(std::vector<std::string> args,
                                const char* locale = cli_test::kEnglish) {
        return {TKV9D_SIM_PROGRAM, std::move(args), scratch(), locale};
    }
};

// Faults caught: root sharing another program's exclusive port, and clearing its mode on close.
TEST_F(Ports, PortHeldExclusivelyByAnotherProgramIsInUse) {
    line.addTkv('1');
    const int other = ::open(line.devicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    const auto r = tool({"id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ist belegt"), std::string::npos) << r.err;
    int exclusive = 0;
    EXPECT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_NE(exclusive, 0) << "the other program's exclusive mode was cleared";
    ::ioctl(other, TIOCNXCL);
    ::close(other);
    EXPECT_TRUE(line.frames().empty());
    EXPECT_EQ(tool({"id"}).status, 0);
}

// Fault caught: an unplugged port reported as a silent device, after a time-out.
TEST_F(Ports, VanishedPortIsNamedAtOnce) {
    auto line = plugIn(true);
    auto tool = tkv9d({"--port", "9", "--timeout", "20", "programs-read", scratch() + "/f.tkv"});
    ASSERT_TRUE(line->waitForFrames(10, 10000ms));
    line.reset();
    EXPECT_EQ(tool.wait(5000ms), 1);  // well inside the time-out of 20 s
    EXPECT_NE(tool.err.find("\nCOM 9: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)\n"),
              std::string::npos)
        << tool.err;
}

// Faults caught: watch ending on an unplug, reading again before the device identified itself,
// or reading another device that took the port's path meanwhile.
TEST_F(Ports, WatchReconnectLogsThroughAnUnplug) {
    auto line = plugIn(false);
    auto watch = tkv9d(
        {"--port", "9", "--timeout", "0.3", "watch", "--reconnect", "--period", "0.05", "status"});
    // Until the latest line ends with `text`.
    auto lineEnding = [&](const std::string& text) {
        for (std::size_t n = 2; n < 1000; ++n) {
            const std::string& out = watch.readLines(n, 5000ms);
            if (out.size() >= text.size() &&
                out.compare(out.size() - text.size(), text.size(), text) == 0)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(lineEnding(",0x0000,\n"));
    line.reset();
    ASSERT_TRUE(lineEnding(",Fehler #100003: Fehler beim öffnen der seriellen Schnittstelle\n"));
    auto other = plugIn(false, "FREMDGERAET-B");
    ASSERT_TRUE(lineEnding(",anderes Gerät an COM 9: FREMDGERAET-B\n"));
    for (const std::string& frame : other->frames()) EXPECT_EQ(frame, "#1IDR\r");
    other.reset();
    line = plugIn(false);
    ASSERT_TRUE(lineEnding(",0x0000,\n"));
    EXPECT_EQ(line->frames().front().rfind("#1IDR", 0), 0u) << line->frames().front();
    watch.signal(SIGINT);
    EXPECT_EQ(watch.wait(5000ms), 0) << watch.err;
    EXPECT_NE(watch.err.find("Hinweis: COM 9 wieder verbunden\n"), std::string::npos) << watch.err;
}

// Faults caught: the operator's link to an adapter, or a running simulator's link, deleted and
// taken over (and removed on exit); a refusal that does not say who uses the link's target.
TEST_F(Ports, SimulatorLeavesLinksThatAreNotStale) {
    auto first = simulator({"--com", "5"});
    ASSERT_NE(first.readLines(2, 5000ms).find("port COM5\n"), std::string::npos) << first.err;
    const std::pair<int, fs::path> rows[] = {{5, fs::read_symlink(link(5))},
                                             {6, "/dev/serial/by-id/usb-FTDI_unplugged"}};
    fs::create_symlink(rows[1].second, link(6));
    for (const auto& [port, target] : rows) {
        auto second = simulator({"--com", std::to_string(port)});
        EXPECT_EQ(second.wait(5000ms), 1) << port;
        EXPECT_NE(second.err.find(link(port) + " is in the way (a link to " + target.string()),
                  std::string::npos)
            << second.err;
        // The pseudo-terminal's user is named: its number may have gone to another program.
        if (port == 5) {
            EXPECT_NE(second.err.find(" is in use by tkv9d-sim (pid "), std::string::npos)
                << second.err;
        }
        EXPECT_EQ(fs::read_symlink(link(port)), target);
    }
    first.signal(SIGTERM);
    EXPECT_EQ(first.wait(5000ms), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(5))));
    EXPECT_TRUE(fs::is_symlink(link(6)));
}

// Faults caught: a usage error that gives no reason, an empty --port that serves COM 1, a log
// that loses every line without a word.
TEST_F(Ports, SimulatorSaysWhyItStops) {
    // In the locale's language: German, and English.
    const struct {
        std::vector<std::string> args;
        std::string german;
        std::string english;
    } rows[] = {
        {{"--com"}, "--com braucht einen Wert", "--com needs a value"},
        {{"--bogus"}, "unbekannte Option --bogus", "unknown option --bogus"},
        {{"--port", ""},
         "--port braucht einen Namen einer Schnittstelle",
         "--port needs a port name"},
        {{"--log", ""}, "--log braucht einen Dateinamen", "--log needs a file name"},
        {{"--com", "COM0"},
         "ungültige Nummer einer Schnittstelle 'COM0' (1..256, als 5 oder COM5)",
         "bad port number 'COM0' (1..256, as 5 or COM5)"},
    };
    for (const auto& row : rows) {
        for (const bool english : {false, true}) {
            auto sim = simulator(row.args, english ? cli_test::kEnglish : cli_test::kGerman);
            EXPECT_EQ(sim.wait(5000ms), 2) << row.english;
            // One line after the reason, not the whole usage.
            EXPECT_EQ(sim.err,
                      english ? "tkv9d-sim: " + row.english + "\nTry 'tkv9d-sim --help'.\n"
                              : "tkv9d-sim: " + row.german + "\nMehr mit 'tkv9d-sim --help'.\n");
        }
    }
    auto sim = simulator({"--com", "4", "--log", "/dev/full"});
    ASSERT_NE(sim.readLines(2, 5000ms).find("port COM4\n"), std::string::npos) << sim.err;
    tkv9d({"--port", "4", "--timeout", "0.3", "id"}).wait(5000ms);
    EXPECT_EQ(sim.wait(5000ms), 1);
    EXPECT_NE(sim.err.find("tkv9d-sim: cannot write the log /dev/full\n"), std::string::npos)
        << sim.err;
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(1))));
    EXPECT_FALSE(fs::exists(fs::symlink_status(link(4))));
}

// Fault caught: the two programs reading one port name differently (the simulator taking
// --port 5 for a file named 5).
TEST_F(Ports, SimulatorAndToolTakeThePortByNumberOrName) {
    const std::vector<std::string> rows[] = {
        {"--port", "5"}, {"--port", "com5"}, {"--com", "COM5"}};
    for (const auto& args : rows) {
        auto sim = simulator(args);
        ASSERT_NE(sim.readLines(2, 5000ms).find("port COM5\n"), std::string::npos) << sim.err;
        // A bound for a loaded machine; the answer comes at once.
        auto id = tkv9d({"--port", "COM5", "--timeout", "10", "id"});
        EXPECT_EQ(id.wait(20000ms), 0) << args[1] << '\n' << id.err;
        EXPECT_EQ(id.out, "VRL-TKV9D-SIM\n");
        sim.signal(SIGTERM);
        EXPECT_EQ(sim.wait(5000ms), 0);
    }
}

}  // namespace
