// Command lines and ports that tkv9d refuses before the first frame.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <streambuf>

#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"

namespace {

namespace fs = std::filesystem;

class Refusals : public CliTest {
  protected:
    void SetUp() override {
        line.addTkv('1');
        char pattern[] = "/tmp/tkv9d-refusal-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        fs::remove_all(dir);
        CliTest::TearDown();
    }

    std::string dir;
};

// Faults caught: a verify read-back found impossible only after every device was written; a
// period that divides by zero; a trace file made for a command that never runs, or from an
// empty path; the binary file written down the line as FILE.
TEST_F(Refusals, UsageErrorsSendNothingAndCreateNothing) {
    const std::string file = dir + "/f.tkv";
    ASSERT_EQ(tool({"programs-read", file}).status, 0);
    const std::string trace = dir + "/trace.txt";
    struct Row {
        std::vector<std::string> words;
        const char* reason;
    };
    const Row rows[] = {
        {{"--address", "&", "programs-write", "--verify", file}, "--address & gets no answer"},
        {{"watch", "--period", "1e-10"}, "--period needs"},
        {{"watch", "--period", "0.0099"}, "--period needs"},
        {{"--trace-file", "", "id"}, "--trace-file needs a path"},
        {{"--trace-file", trace, "no-such-command"}, "unknown command"},
        {{"--trace-file", trace, "id", "extra"}, "takes 0 argument"},
        {{"programs-read", line.devicePath()}, "is the serial port itself"},
    };
    line.clearFrames();
    for (const Row& row : rows) {
        const auto r = tool(row.words);
        EXPECT_EQ(r.status, 2) << row.reason;
        EXPECT_NE(r.err.find(row.reason), std::string::npos) << r.err;
        EXPECT_TRUE(line.frames().empty()) << row.reason;
        EXPECT_FALSE(fs::exists(trace)) << row.reason;
    }
    // The shortest period still serves.
    EXPECT_EQ(tool({"watch", "--period", "0.01", "--count", "2"}).status, 0);
}

// A stream that takes nothing, as stdout on a full disk.
class FullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Fault caught: a value or trace that never arrived reported as success.
TEST_F(Refusals, OutputThatDoesNotArriveFails) {
    struct Row {
        bool stdoutFull;
        const char* traceFile;
        const char* what;
    };
    const Row rows[] = {
        {true, "", "stdout could not be written"},
        {false, "/dev/full", "trace file /dev/full could not be written"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args{"tkv9d", "--device", line.devicePath(), "get", "strom1"};
        if (*row.traceFile) args.insert(args.begin() + 1, {"--trace-file", row.traceFile});
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        FullBuffer full;
        std::ostream fullOut(&full);
        std::ostringstream out, err;
        const int status = cli::run(static_cast<int>(argv.size()), argv.data(),
                                    row.stdoutFull ? fullOut : out, err);
        EXPECT_EQ(status, 1) << row.what;
        EXPECT_NE(err.str().find(row.what), std::string::npos) << err.str();
    }
}

// Faults caught: root sharing another program's exclusive port, and clearing its mode on close.
TEST_F(Refusals, PortHeldExclusivelyByAnotherProgramIsInUse) {
    const int other = ::open(line.devicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::ioctl(other, TIOCEXCL), 0);
    const auto r = tool({"id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ist belegt"), std::string::npos) << r.err;
    EXPECT_TRUE(line.frames().empty());
    int exclusive = 0;
    EXPECT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_NE(exclusive, 0) << "the other program's exclusive mode was cleared";
    ::ioctl(other, TIOCNXCL);
    ::close(other);
    EXPECT_EQ(tool({"id"}).status, 0);
}

// Fault caught: a write failing part-way that does not say which programs the device now holds.
// (The plausibility refusal's entry and field: ProgramCommands.ImplausibleEntry...)
TEST_F(Refusals, FailedWritesNameTheEntryAndWhatWasStored) {
    const std::string file = dir + "/f.tkv";
    struct Row {
        int nakFrom;  // the first program store refused
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {9, {"Programme 1 bis 8 sind gespeichert, die folgenden nicht."}},
        {1, {"Kein Programm wurde gespeichert."}},
    };
    for (const Row& row : rows) {
        Prog_Initialisieren();
        ASSERT_EQ(Datei_Schreiben(file), 0);
        line.clearFaults('1');
        sim::Fault nak{sim::FaultKind::Nak, "PNP", -1};
        nak.after = row.nakFrom;
        line.injectFault('1', nak);
        line.clearFrames();
        const auto r = tool({"programs-write", file});
        EXPECT_EQ(r.status, 1);
        for (const std::string& text : row.lines)
            EXPECT_NE(r.err.find(text + "\n"), std::string::npos) << r.err;
    }
}

// Fault caught: a read that loads programs over working parameters it cannot write back, or
// refuses them without naming the field.
TEST_F(Refusals, ReadsLoadNothingWhenTheWorkingParametersCannotGoBack) {
    ASSERT_TRUE(line.setStoredValue('1', "P6", "1300"));
    const std::string file = dir + "/f.tkv";
    Prog_Initialisieren();
    ASSERT_EQ(Datei_Schreiben(file), 0);
    for (const char* command : {"programs-read", "diff"}) {
        const std::string target = command == std::string("diff") ? file : dir + "/r.tkv";
        line.clearFrames();
        const auto r = tool({command, target});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.err.rfind("Fehler #500065: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nEintrag A, Feld stromausgangsfilter: "), std::string::npos)
            << r.err;
        for (const std::string& frame : line.frames())
            EXPECT_EQ(frame.find("PNS"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir + "/r.tkv"));
    }
}

}  // namespace
