// The serial port vanishing under tkv9d (the adapter unplugged; here the pseudo-terminal's
// other side closed): told apart from a silent device at once, and waited for by watch
// --reconnect.

#include <filesystem>

#include "cli_fixture.h"
#include "process.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class LineGone : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tkv9d-gone-XXXXXX";
        dir = ::mkdtemp(pattern);
        fs::create_directories(dir + "/tkv9d/ports");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<sim::Line> plugIn(bool pace) {
        auto line = std::make_unique<sim::Line>(sim::LineOptions{.pace = pace});
        line->addTkv('1');
        const std::string link = dir + "/tkv9d/ports/COM9";
        fs::remove(link);
        fs::create_symlink(line->devicePath(), link);
        return line;
    }

    std::string dir;
};

// Fault caught: an unplugged port reported as a silent device, after a time-out.
TEST_F(LineGone, VanishedPortIsNamedAtOnce) {
    auto line = plugIn(true);
    cli_test::Process tool(
        TKV9D_PROGRAM, {"--port", "9", "--timeout", "20", "programs-read", dir + "/f.tkv"}, dir);
    ASSERT_TRUE(line->waitForFrames(10, 10000ms));
    line.reset();
    // Well inside the time-out of 20 s.
    EXPECT_EQ(tool.wait(5000ms), 1);
    EXPECT_NE(tool.err.find("\nCOM 9: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)\n"),
              std::string::npos)
        << tool.err;
}

// Faults caught: watch ending on an unplug, or taking readings again before the device has
// identified itself.
TEST_F(LineGone, WatchReconnectLogsThroughAnUnplug) {
    auto line = plugIn(false);
    cli_test::Process watch(
        TKV9D_PROGRAM,
        {"--port", "9", "--timeout", "0.3", "watch", "--reconnect", "--period", "0.05", "status"},
        dir);
    auto linesUntil = [&](const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        for (std::size_t n = 2; std::chrono::steady_clock::now() < deadline; ++n) {
            const std::string& out = watch.readLines(n, 10000ms);
            if (out.find(text, out.rfind('\n', out.size() - 2)) != std::string::npos) return true;
        }
        return false;
    };
    ASSERT_TRUE(linesUntil(",0x0000,\n"));
    line.reset();
    ASSERT_TRUE(linesUntil(",Fehler #100003: Fehler beim öffnen der seriellen Schnittstelle\n"));
    line = plugIn(false);
    ASSERT_TRUE(linesUntil(",0x0000,\n"));
    EXPECT_TRUE(line->frames().front().rfind("#1IDR", 0) == 0) << line->frames().front();
    watch.signal(SIGINT);
    EXPECT_EQ(watch.wait(5000ms), 0) << watch.err;
    EXPECT_NE(watch.err.find("Hinweis: COM 9 wieder verbunden\n"), std::string::npos) << watch.err;
}

}  // namespace
