// Options that hold for every command alike.

#include <filesystem>
#include <map>

#include <unistd.h>

#include "cli_fixture.h"

namespace {

namespace fs = std::filesystem;

class Options : public CliTest {
  protected:
    void SetUp() override {
        // A device at every address the scan asks, so no accepted row waits for a time-out.
        for (char address = '1'; address <= '9'; ++address) line.addTkv(address);
        char pattern[] = "/tmp/tkv9d-options-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        fs::remove_all(dir);
        CliTest::TearDown();
    }

    std::string dir;
};

// The addresses of the connection panel, for every command: a refused one is a usage error
// before the port is touched; an accepted one reaches the command (whose own checks may still
// refuse it, as the reading commands refuse '&').
TEST_F(Options, EveryCommandTakesTheAddressesTheOperatorMayChoose) {
    const std::string file = dir + "/programs.tkv";
    // A command missing here fails the test, so a new command is held to the rule too.
    const std::map<std::string, std::vector<std::string>> arguments = {
        {"id", {}},
        {"scan", {}},
        {"start", {}},
        {"stop", {}},
        {"program-store", {"3"}},
        {"program-load", {"3"}},
        {"get", {"strom1"}},
        {"set", {"strom1", "0.25"}},
        {"mem-read", {"0", "2"}},
        {"mem-write", {"0", "12"}},
        {"watch", {"--count", "1"}},
        {"programs-read", {file}},
        {"programs-write", {file}},
        {"diff", {file}},
        {"curve", {file}},
        // An address no interface has: the server ends before it opens the port.
        {"serve", {"--listen", "192.0.2.1:5025"}},
    };
    auto run = [&](const cli::Command& command, const char* address) {
        const auto args = arguments.find(command.name);
        std::vector<std::string> words{"--address", address, command.name};
        if (args != arguments.end())
            words.insert(words.end(), args->second.begin(), args->second.end());
        return tool(words);
    };
    // The refused ones first, while no frame of an earlier command can still be on its way.
    for (const auto language : kLanguages) {
        speak(language);
        for (const cli::Command& command : cli::allCommands()) {
            ASSERT_TRUE(arguments.count(command.name)) << command.name;
            for (const char* address : {"a", "f", "0", "A", " ", "19", ""}) {
                const auto r = run(command, address);
                const std::string what = std::string(command.name) + " at '" + address + "'";
                EXPECT_EQ(r.status, 2) << what;
                EXPECT_NE(r.err.find(say("--address muss eins von 1..9 oder &",
                                         "--address must be one of 1..9 or &")),
                          std::string::npos)
                    << what << '\n'
                    << r.err;
            }
        }
    }
    speak(vrl::text::Language::German);
    EXPECT_TRUE(line.frames().empty());
    for (const cli::Command& command : cli::allCommands()) {
        for (const char* address : {"1", "9", "&"}) {
            const auto r = run(command, address);
            EXPECT_NE(r.status, 2) << command.name << " at '" << address << "'\n" << r.err;
        }
    }
}

}  // namespace
