// What tkv9d refuses, and what a refusal or a failure part-way says.

#include <streambuf>

#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"

namespace {

namespace fs = std::filesystem;

class Refusals : public CliTest {
  protected:
    void SetUp() override { line.addTkv('1'); }

    // The default table as a parameter file.
    std::string tableFile() {
        EXPECT_EQ(Datei_Schreiben(scratch() + "/f.tkv"), 0);
        return scratch() + "/f.tkv";
    }
};

// Faults caught: the verify read-back found impossible only after every device was written; a
// period that divides by zero; a trace file made for a command that never runs, or from an
// empty path; the binary file written down the line as FILE.
TEST_F(Refusals, UsageErrorsSendNothingAndCreateNothing) {
    const std::string file = tableFile();
    const std::string trace = scratch() + "/trace.txt";
    const struct {
        std::vector<std::string> words;
        const char* german;
        const char* english;
    } rows[] = {
        {{"--address", "&", "programs-write", "--verify", file},
         "--address & bekommt keine Antwort",
         "--address & gets no answer"},
        {{"watch", "--period", "1e-10"}, "--period braucht", "--period needs"},
        {{"watch", "--period", "0.0099"}, "--period braucht", "--period needs"},
        {{"--trace-file", "", "id"},
         "--trace-file braucht einen Pfad",
         "--trace-file needs a path"},
        {{"--trace-file", trace, "no-such-command"}, "unbekannter Befehl", "unknown command"},
        {{"--trace-file", trace, "id", "extra"}, "nimmt 0 Argument", "takes 0 argument"},
        {{"programs-read", line.devicePath()},
         "ist die serielle Schnittstelle selbst",
         "is the serial port itself"},
    };
    for (const auto language : kLanguages) {
        speak(language);
        for (const auto& row : rows) {
            const auto r = tool(row.words);
            EXPECT_EQ(r.status, 2) << row.english;
            EXPECT_NE(r.err.find(say(row.german, row.english)), std::string::npos) << r.err;
        }
    }
    EXPECT_TRUE(line.frames().empty());
    EXPECT_FALSE(fs::exists(trace));
    EXPECT_EQ(tool({"watch", "--period", "0.01", "--count", "2"}).status, 0);
}

// A stream that takes nothing, as stdout on a full disk.
class FullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

// Fault caught: a value or trace that never arrived reported as success.
TEST_F(Refusals, OutputThatDoesNotArriveFails) {
    for (const auto language : kLanguages) {
        speak(language);
        for (const char* trace : {"", "/dev/full"}) {
            std::vector<std::string> args{"tkv9d", "--device", line.devicePath(), "get", "strom1"};
            if (*trace) args.insert(args.begin() + 1, {"--trace-file", trace});
            std::vector<char*> argv;
            for (auto& arg : args) argv.push_back(arg.data());
            FullBuffer full;
            std::ostream fullOut(&full);
            std::ostringstream out, err;
            const int status =
                cli::run(static_cast<int>(argv.size()), argv.data(), *trace ? out : fullOut, err);
            EXPECT_EQ(status, 1) << trace;
            EXPECT_NE(
                err.str().find(
                    *trace ? say("Protokolldatei /dev/full konnte nicht geschrieben werden: No "
                                 "space",
                                 "trace file /dev/full could not be written: No space")
                           : say("stdout konnte nicht geschrieben werden",
                                 "stdout could not be written")),
                std::string::npos)
                << err.str();
        }
    }
}

// Fault caught: a write failing part-way that does not say which programs the device now holds.
// (The plausibility refusal's entry and field: ProgramCommands.ImplausibleEntry...)
TEST_F(Refusals, FailedWritesSayWhatWasStored) {
    const std::string file = tableFile();
    const std::pair<int, const char*> rows[] = {
        {9, "Programme 1 bis 8 sind gespeichert, die folgenden nicht.\n"},
        {1, "Kein Programm wurde gespeichert.\n"},
    };
    for (const auto& [nakFrom, text] : rows) {
        line.clearFaults('1');
        sim::Fault nak{sim::FaultKind::Nak, "PNP", -1};
        nak.after = nakFrom;
        line.injectFault('1', nak);
        const auto r = tool({"programs-write", file});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
}

// Fault caught: a read that loads programs over working parameters it cannot write back, or
// refuses them without naming the field.
TEST_F(Refusals, ReadsLoadNothingWhenTheWorkingParametersCannotGoBack) {
    const std::string file = tableFile();
    ASSERT_TRUE(line.setStoredValue('1', "P6", "1300"));
    for (const std::string& target : {scratch() + "/r.tkv", file}) {
        const auto r = tool({target == file ? "diff" : "programs-read", target});
        EXPECT_EQ(r.status, 1);
        // A filter of 1300 Hz is none the device can hold: the read ends at it.
        EXPECT_EQ(r.err.rfind("Fehler #404352: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nFeld stromausgangsfilter\n"), std::string::npos) << r.err;
    }
    for (const std::string& frame : line.frames()) EXPECT_EQ(frame.find("PNS"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch() + "/r.tkv"));
}

}  // namespace
