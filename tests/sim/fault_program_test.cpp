// tkv9d-sim's --fault options against the real tkv9d: each fault makes the tool report the code
// that the device link gives that failure, and the simulator's log marks the frame it hit.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_program.h"

namespace sim_test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Ended {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end (killed after the bound) with XDG_CONFIG_HOME set, speaking the
// language of `locale`.
Ended runProgram(const char* path, const std::vector<std::string>& args,
                 const std::string& configHome, const char* locale = "de_DE.UTF-8",
                 std::chrono::milliseconds bound = 10s) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        ::setenv("LC_ALL", locale, 1);
        std::vector<char*> argv{const_cast<char*>(path)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(path, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    Ended run;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&run.out, &run.err};
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (int open = 2; open > 0;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(fds, 2, static_cast<int>(left.count())) <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !fds[i].revents) continue;
            char buffer[512];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct Step {
    std::vector<std::string> words;  // after --port and --timeout
    int status;
    std::string out;
    std::string err;
};

struct FaultRow {
    const char* name;
    std::vector<std::string> simArgs;
    std::vector<Step> steps;
    const char* logged;  // the log's mark of the fault
    const char* timeout = "0.2";
};

const std::string kNak = "Fehlermeldung (NAK) vom Gerät erhalten\n";
const std::string kNoAnswer = "Keine Antwort vom Gerät\n";
const std::string kWrongAnswer = "Fehlerhafte Antwort vom Gerät\n";

const FaultRow kRows[] = {
    {"NakOnEverySecondFrame",
     {"--fault", "nak:every=2"},
     {{{"get", "strom1"}, 0, "0\n", ""}, {{"get", "strom1"}, 1, "", "Fehler #402163: " + kNak}},
     "fault nak applied to #1C1R"},
    {"NakOnId",
     {"--fault", "nak:command=IDR"},
     {{{"id"}, 1, "", "Fehler #402010: " + kNak}},
     "fault nak applied to #1IDR"},
    {"CanOnWrite",
     {"--fault", "can:command=C1W"},
     {{{"set", "strom1", "1"},
       1,
       "",
       "Fehler #405103: Befehlsausführung momentan nicht möglich (CAN erhalten)\n"}},
     "fault can applied to #1C1W1.000"},
    {"SilentAfterTheFirstFrame",
     {"--fault", "silent:after=2"},
     {{{"id"}, 0, "VRL-TKV9D-SIM\n", ""}, {{"id"}, 1, "", "Fehler #403012: " + kNoAnswer}},
     "fault silent applied to #1IDR"},
    {"GarbageAcknowledgement",
     {"--fault", "garbage:byte=#"},
     {{{"get", "strom1"}, 1, "", "Fehler #404166: " + kWrongAnswer}},
     "fault garbage applied to #1C1R"},
    {"RandomGarbageWithSeed",
     {"--fault", "garbage:prob=1", "--seed", "42"},
     {{{"set", "strom1", "1"}, 1, "", "Fehler #404105: " + kWrongAnswer}},
     "fault garbage applied to #1C1W1.000"},
    {"BrokenAnswer",
     {"--fault", "broken"},
     {{{"get", "strom1"}, 1, "", "Fehler #404167: " + kWrongAnswer}},
     "fault broken applied to #1C1R"},
    {"OtherAddress",
     {"--fault", "other-address"},
     {{{"get", "strom1"}, 1, "", "Fehler #404168: " + kWrongAnswer}},
     "fault other-address applied to #1C1R"},
    {"WrongEcho",
     {"--fault", "wrong-echo:command=C"},
     {{{"get", "strom1"}, 1, "", "Fehler #404168: " + kWrongAnswer}},
     "fault wrong-echo applied to #1C1R"},
    {"Err",
     {"--fault", "err"},
     {{{"get", "strom1"}, 1, "", "Fehler #409169: Gerät meldet Parameterfehler\n"}},
     "fault err applied to #1C1R"},
    {"OverlongIdentification",
     {"--fault", "overlong"},
     {{{"id"}, 1, "", "Fehler #404015: " + kWrongAnswer}},
     "fault overlong applied to #1IDR"},
    {"MemoryChecksum",
     {"--dlq3", "5", "--fault", "checksum"},
     {{{"--address", "5", "mem-read", "0", "2"},
       1,
       "",
       "Fehler #406198: Checksummenfehler bei der Übertragung\n"}},
     "fault checksum applied to #5BDR400000002"},
    {"MemoryLowerCaseIsRead",
     {"--dlq3", "5", "--fault", "lower-hex"},
     {{{"--address", "5", "mem-write", "0", "ABCD"}, 0, "", ""},
      {{"--address", "5", "mem-read", "0", "2"}, 0, "ABCD\n", ""}},
     "fault lower-hex applied to #5BDR400000002"},
    {"SlowerThanTheTimeout",
     {"--fault", "slow:byte-ms=400"},
     {{{"get", "strom1"}, 1, "", "Fehler #403165: " + kNoAnswer}},
     "fault slow applied to #1C1R",
     "0.05"},
    {"StoreDifferentShowsInTheReadBack",
     {"--fault", "store-different:command=C1,delta=0.002"},
     {{{"set", "strom1", "1"}, 0, "", ""}, {{"get", "strom1"}, 0, "1.002\n", ""}},
     "fault store-different applied to #1C1W1.000"},
};

class FaultProgramTest : public ::testing::TestWithParam<FaultRow> {
  protected:
    FaultProgramTest() {
        std::string dir = ::testing::TempDir() + "tkv9d-faults-XXXXXX";
        configHome_ = ::mkdtemp(dir.data()) ? dir : "";
    }
    ~FaultProgramTest() override {
        std::error_code ignored;
        fs::remove_all(configHome_, ignored);
    }
    std::string configHome_;
};

TEST_P(FaultProgramTest, ToolReportsTheLinkCodeAndTheLogMarksTheFault) {
    const FaultRow& row = GetParam();
    ASSERT_FALSE(configHome_.empty());
    const std::string log = configHome_ + "/frames.log";
    std::vector<std::string> args{"--com", "4", "--log", log};
    args.insert(args.end(), row.simArgs.begin(), row.simArgs.end());
    SimProgram sim(configHome_, args);
    const std::string started = sim.readOutput(3, 5000ms);
    ASSERT_NE(started.find("port COM4\nseed "), std::string::npos) << started;

    for (const Step& step : row.steps) {
        std::vector<std::string> words{"--port", "4", "--timeout", row.timeout};
        words.insert(words.end(), step.words.begin(), step.words.end());
        const Ended r = runProgram(TKV9D_TOOL_PROGRAM, words, configHome_);
        EXPECT_EQ(r.status, step.status) << step.words.back();
        EXPECT_EQ(r.out, step.out) << step.words.back();
        EXPECT_EQ(r.err, step.err) << step.words.back();
    }
    EXPECT_EQ(sim.stop(SIGTERM, 5000ms), 0);
    std::ifstream file(log);
    std::stringstream logged;
    logged << file.rdbuf();
    EXPECT_NE(logged.str().find(row.logged), std::string::npos) << logged.str();
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FaultProgramTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FaultOptionsTest, HelpListsTheSyntaxAndABadFaultIsAUsageError) {
    const std::string home = ::testing::TempDir();
    const Ended help = runProgram(TKV9D_SIM_PROGRAM, {"--help"}, home);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--fault KIND[:KEY=VALUE,...]"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("store-different"), std::string::npos) << help.out;

    // In the locale's language: German, and English under LC_ALL=C.
    const struct {
        std::vector<std::string> args;
        const char* german;
        const char* english;
    } rows[] = {
        {{"--fault", "nak:every=0"},
         "tkv9d-sim: ungültiges --fault 'nak:every=0': every braucht eine ganze Zahl ab 1\n"
         "Mehr mit 'tkv9d-sim --help'.\n",
         "tkv9d-sim: bad --fault 'nak:every=0': every needs a whole number from 1\n"
         "Try 'tkv9d-sim --help'.\n"},
        {{"--fault", "nak:address=3"},
         "tkv9d-sim: --fault für Adresse 3, wo kein Gerät ist\nMehr mit 'tkv9d-sim --help'.\n",
         "tkv9d-sim: --fault for address 3, where there is no device\n"
         "Try 'tkv9d-sim --help'.\n"},
        {{"--seed", "-1"},
         "tkv9d-sim: --seed braucht eine ganze Zahl\nMehr mit 'tkv9d-sim --help'.\n",
         "tkv9d-sim: --seed needs a whole number\nTry 'tkv9d-sim --help'.\n"},
    };
    for (const auto& row : rows) {
        for (const bool english : {false, true}) {
            const Ended r =
                runProgram(TKV9D_SIM_PROGRAM, row.args, home, english ? "C" : "de_DE.UTF-8");
            EXPECT_EQ(r.status, 2) << row.args[1];
            EXPECT_EQ(r.err, english ? row.english : row.german) << row.args[1];
            EXPECT_EQ(r.out, "") << row.args[1];
        }
    }
}

}  // namespace
}  // namespace sim_test
