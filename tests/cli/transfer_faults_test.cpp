// One fault on the line during a transfer: afterwards the device's working parameters are what
// they were before, or exactly what the message says; nothing is saved from a failed read.

#include <filesystem>
#include <sstream>

#include "cli_fixture.h"
#include "errors/vrl_errors.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "params/program_name.h"

namespace {

namespace fs = std::filesystem;
using sim::FaultKind;

constexpr const char* kOwnBack =
    "Der TKV-9D hält wieder seine eigenen Arbeitsparameter, seine Programme sind unverändert.";
constexpr const char* kEntryA = "Die Arbeitsparameter des TKV-9D halten Eintrag A.";

class TransferFaults : public CliTest {
  protected:
    void SetUp() override {
        line.addTkv('1');
        Prog_Initialisieren();
        gProg[0].strom1 = 0.125;
        vrl::params::setName(gProg[0], "Datei A");
        ASSERT_EQ(Datei_Schreiben(scratch() + "/f.tkv"), 0);
    }

    // Working parameters of its own, and programs that differ from them and from each other.
    void resetDevice() {
        ASSERT_TRUE(line.setValue('1', "C1", "0.250"));
        ASSERT_TRUE(line.setValue('1', "N1", "Eigene"));
        for (int slot = 1; slot <= 16; ++slot)
            ASSERT_TRUE(line.setSlotValue('1', slot, "C1", "0." + std::to_string(slot + 300)));
        line.clearFaults('1');
        line.clearFrames();
    }

    // The read of one entry has no command of its own: the window's "aktuelles".
    Result readOneEntry(int entry) {
        serial::setPortPath(1, line.devicePath());
        std::ostringstream out, err;
        cli::Context ctx{.port = 1, .timeout = 0.3, .out = out, .err = err};
        const int code = cli::connected(ctx, [entry] { return Prog_ProgrammeLesen(entry, entry); });
        return {code == 0 ? 0 : 1, out.str(), code == 0 ? "" : VRL_Fehlermeldung(code)};
    }

    std::string workingCurrent() { return line.value('1', "C1").value_or("?"); }
};

// Faults caught: a read that ends at a fault with a program in the device's working parameters
// and no word of it; a write that leaves a half-written record there; a failure reported as
// success; a file saved from a failed read.
TEST_F(TransferFaults, EveryTransferLeavesTheWorkingParametersKnown) {
    const FaultKind kinds[] = {FaultKind::Nak,       FaultKind::Can,       FaultKind::Silence,
                               FaultKind::OtherByte, FaultKind::BrokenOff, FaultKind::OtherAddress,
                               FaultKind::WrongEcho, FaultKind::Err,       FaultKind::OverlongLine};
    const std::string file = scratch() + "/f.tkv";
    const std::string saved = scratch() + "/r.tkv";
    struct Operation {
        const char* name;
        std::vector<std::string> words;  // none: the read of entry 5
        // The frame that gets the fault: the n-th of a command that every kind can damage
        // (the filter's value has most digits to add on an over-long line).
        const char* command;
        int nth;
        bool acknowledgesOnly;  // no answer line for the answer faults to change
        const char* current;    // strom1 of the working parameters afterwards
        const char* text;       // what the message says they hold
    };
    const Operation operations[] = {
        // The third: program 1's, after its load.
        {"read", {"programs-read", saved}, "P6R", 3, false, "0.250", kOwnBack},
        // The second: program 5's, after its load.
        {"read of one entry", {}, "P6R", 2, false, "0.250", kOwnBack},
        // Program 3's, after programs 1 and 2 are stored.
        {"write", {"programs-write", file}, "P6W", 3, true, "0.125", kEntryA},
        // In the read-back, program 1's.
        {"write with verify",
         {"programs-write", "--verify", file},
         "P6R",
         3,
         false,
         "0.125",
         kOwnBack},
        {"diff", {"diff", file}, "P6R", 3, false, "0.250", kOwnBack},
    };
    for (const Operation& op : operations) {
        for (const FaultKind kind : kinds) {
            if (op.acknowledgesOnly && kind > FaultKind::BrokenOff) continue;
            const std::string row =
                std::string(op.name) + ", fault " + std::to_string(static_cast<int>(kind));
            resetDevice();
            fs::remove(saved);
            sim::Fault fault{kind, op.command};
            fault.after = op.nth;
            line.injectFault('1', fault);
            const Result r = op.words.empty() ? readOneEntry(5) : tool(op.words);
            EXPECT_EQ(r.status, 1) << row;
            EXPECT_EQ(workingCurrent(), op.current) << row;
            EXPECT_NE(r.err.find(op.text), std::string::npos) << row << '\n' << r.err;
            EXPECT_FALSE(fs::exists(saved)) << row;
        }
    }
}

// Faults caught: a put-back that fails as well, and a message that then still claims the
// device's own working parameters, or names the wrong program.
TEST_F(TransferFaults, AFailedPutBackNamesTheProgramLeft) {
    resetDevice();
    sim::Fault load{FaultKind::Nak, "PNS"};
    load.after = 3;  // program 2 stays loaded
    line.injectFault('1', load);
    line.injectFault('1', sim::Fault{FaultKind::Nak, "DF2"});
    const Result r = tool({"programs-read", scratch() + "/r.tkv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(workingCurrent(), "0.302");
    EXPECT_NE(r.err.find("Der TKV-9D hält jetzt Programm 2 als Arbeitsparameter; seine eigenen "
                         "sind verloren, wenn sie nicht in einer Datei stehen."),
              std::string::npos)
        << r.err;
}

// Faults caught: an answer run on past its end printed as a reading (a filter of 1e+23 Hz), and
// the device's error answer "err" printed as a program's name.
TEST_F(TransferFaults, GetPrintsOnlyValuesTheDeviceCanHold) {
    const std::pair<FaultKind, const char*> rows[] = {
        {FaultKind::OverlongLine, "stromausgangsfilter"},
        {FaultKind::Err, "programmname"},
    };
    for (const auto& [kind, name] : rows) {
        resetDevice();
        line.injectFault('1', sim::Fault{kind, ""});
        const Result r = tool({"get", name});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.out, "") << name;
    }
}

}  // namespace
