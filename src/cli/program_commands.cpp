// The whole program table between the device and a parameter file, through the program's own
// transfer and file code.

#include <ostream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli/cli.h"
#include "cli/progress.h"
#include "connection/vrlcom.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "params/transfer_check.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

constexpr int kFirstEntry = 0;
constexpr int kLastEntry = vrl::params::kTableSize - 1;

// What the device holds after a signal stopped a transfer, below the transfer's own line.
std::string readStoppedNote() {
    return VRL_TR("tkv9d",
                  "Die Datei blieb unverändert; das Gerät hat seine Arbeitsparameter "
                  "zurück.");
}
std::string writeStoppedNote() {
    return VRL_TR("tkv9d",
                  "Die Programme danach sind die alten; die Arbeitsparameter des Geräts "
                  "halten Eintrag A der Datei, ohne ein geschriebenes Programm die alten.");
}
std::string verifyStoppedNote() {
    return VRL_TR("tkv9d",
                  "Alle Programme sind geschrieben; der Vergleich mit dem Gerät wurde "
                  "abgebrochen.");
}

// The binary file must not go down the line, as it would when the device path is given as FILE.
void refusePortAsFile(const Context& ctx, const std::string& path) {
#ifndef _WIN32
    // std::filesystem::equivalent does not compare devices; stat does.
    struct stat file {};
    struct stat port {};
    const std::string device = vrl::driver::devicePath(ctx.port);
    if (!device.empty() && ::stat(path.c_str(), &file) == 0 && ::stat(device.c_str(), &port) == 0 &&
        file.st_dev == port.st_dev && file.st_ino == port.st_ino)
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "FILE %1 ist die serielle Schnittstelle selbst"), {path})};
#else
    (void)ctx;
    (void)path;
#endif
}

int programsRead(Context& ctx, const std::vector<std::string>& args) {
    refusePortAsFile(ctx, args[0]);
    Prog_Initialisieren();
    ctx.interruptNote = readStoppedNote();
    return connected(ctx, [&] {
        if (int code = Prog_ProgrammeLesen(kFirstEntry, kLastEntry); code != 0) return code;
        return Datei_Schreiben(args[0]);
    });
}

int programsWrite(Context& ctx, const std::vector<std::string>& args) {
    const bool verify = ctx.options.has("--verify");
    // The read-back gets no answer from '&'; found out after the write, every device would have
    // been written for nothing.
    if (verify && ctx.address == '&')
        throw UsageError{VRL_TR("tkv9d",
                                "programs-write --verify liest von einem Gerät zurück; "
                                "--address & bekommt keine Antwort")};
    Prog_Initialisieren();
    if (int code = Datei_Lesen(args[0]); code != 0) return code;
    const ProgramTable& table = vrl::params::workspace().prog;
    {
        // The plausibility check's popup becomes its lines on stderr, already ended.
        vrl::ConsolePopups lines(ctx.err,
                                 {.messageTitle = false, .messageLineEnd = false, .answer = 0});
        vrl::PopupsGuard linesInstalled(lines);
        for (int i = kFirstEntry; i <= kLastEntry; ++i) {
            const Parametersatz& entry = table[static_cast<std::size_t>(i)];
            if (int code = Prog_Plausibilitaetspruefung(&entry); code != 0) {
                VRL_Fehleruserstring(
                    vrl::params::refusalText({code, i, vrl::params::firstImplausibleField(entry)}));
                return code;
            }
        }
    }
    // Checked before the port is opened: a refused file sends nothing, and the entry and field
    // follow the error line.
    const auto check = vrl::params::checkEntries(table, kFirstEntry, kLastEntry);
    if (check.refusal.code != 0) {
        VRL_Fehleruserstring(vrl::params::refusalText(check.refusal));
        return check.refusal.code;
    }
    // Long names are the operator's own and go out whole; only the read brings them back cut.
    for (int entry : check.cutNames)
        ctx.err << VRL_TR("tkv9d", "Hinweis: ") << vrl::params::cutNameText(table, entry) << '\n';
    ArbeitskopieLaden(vrl::params::workspace().progIndex);
    return connected(ctx, [&] {
        ctx.interruptNote = writeStoppedNote();
        // A failure part-way says itself which programs are stored and what the working
        // parameters hold.
        if (int code = Prog_ProgrammeSchreiben(kFirstEntry, kLastEntry); code != 0) return code;
        ctx.interruptNote = verifyStoppedNote();
        return verify ? verifyTable(ctx, table) : 0;
    });
}

constexpr CommandOption kWriteOptions[] = {{"--verify", false}};

constexpr Command kCommands[] = {
    {"programs-read", "FILE", 1, programsRead, true},
    {"programs-write", "[--verify] FILE", 1, programsWrite, true, kWriteOptions},
};

}  // namespace

int connected(Context& ctx, const std::function<int()>& body) {
    if (int code = VrlCom_Open(ctx.port); code != 0) return code;
    int code = VrlCom_AdresseSet(ctx.address);
    if (code == 0) code = dropStaleAnswers(ctx);
    if (code == 0) code = body();
    VrlCom_Close();
    return code;
}

std::span<const Command> programCommands() {
    return kCommands;
}

}  // namespace cli
