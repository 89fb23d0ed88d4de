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
        ws.prog[0].strom1 = 0.125;
        vrl::params::setName(ws.prog[0], "Datei A");
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
// and no word of it, or says so wrongly when the put-back fails too; a write that leaves a
// half-written record there; a failure reported as success; a file saved from a failed read.
TEST_F(TransferFaults, EveryTransferLeavesTheWorkingParametersKnown) {
    const FaultKind kinds[] = {FaultKind::Nak,       FaultKind::Can,       FaultKind::Silence,
                               FaultKind::OtherByte, FaultKind::BrokenOff, FaultKind::OtherAddress,
                               FaultKind::WrongEcho, FaultKind::Err,       FaultKind::OverlongLine};
    const std::string f = scratch() + "/f.tkv", saved = scratch() + "/r.tkv";
    const char* lost =
        "Der TKV-9D hält jetzt Programm 1 als Arbeitsparameter; seine eigenen sind "
        "verloren, wenn sie nicht in einer Datei stehen.";
    struct Operation {
        std::vector<std::string> words;  // none: the read of entry 5
        // The frame that gets the fault: the n-th of a command that every kind can damage
        // (the filter's value has most digits to add on an over-long line).
        const char* command;
        int nth;
        bool acknowledgesOnly;  // no answer line for the answer faults to change
        bool stopRefused;       // the put-back's stop is refused as well
        const char* current;    // strom1 of the working parameters afterwards
        const char* text;       // what the message says they hold
    } operations[] = {
        // Program 1's, after its load; program 5's, after its load.
        {{"programs-read", saved}, "P6R", 3, false, false, "0.250", kOwnBack},
        {{"programs-read", saved}, "P6R", 3, false, true, "0.301", lost},
        {{}, "P6R", 2, false, false, "0.250", kOwnBack},
        // Program 3's, after programs 1 and 2 are stored.
        {{"programs-write", f}, "P6W", 3, true, false, "0.125", kEntryA},
        // In the read-back, program 1's.
        {{"programs-write", "--verify", f}, "P6R", 3, false, false, "0.125", kOwnBack},
        {{"diff", f}, "P6R", 3, false, false, "0.250", kOwnBack},
        {{"get", "stromausgangsfilter"}, "P6R", 1, false, false, "0.250", ""},
    };
    for (const Operation& op : operations) {
        for (const FaultKind kind : kinds) {
            if (op.acknowledgesOnly && kind > FaultKind::BrokenOff) continue;
            const std::string row = (op.words.empty() ? "entry 5" : op.words[0]) + ", fault " +
                                    std::to_string(static_cast<int>(kind));
            resetDevice();
            fs::remove(saved);
            sim::Fault fault{kind, op.command};
            fault.after = op.nth;
            line.injectFault('1', fault);
            if (op.stopRefused) line.injectFault('1', sim::Fault{FaultKind::Nak, "DF2"});
            const Result r = op.words.empty() ? readOneEntry(5) : tool(op.words);
            EXPECT_EQ(r.status, 1) << row;
            EXPECT_EQ(r.out, "") << row;
            EXPECT_EQ(workingCurrent(), op.current) << row;
            EXPECT_NE(r.err.find(op.text), std::string::npos) << row << '\n' << r.err;
            EXPECT_FALSE(fs::exists(saved)) << row;
        }
    }
}

// Fault caught: the device's error answer "err" printed as a program's name.
TEST_F(TransferFaults, ErrIsNoName) {
    resetDevice();
    line.injectFault('1', sim::Fault{FaultKind::Err, ""});
    EXPECT_EQ(tool({"get", "programmname"}).out, "");
}

}  // namespace
