#include "params/program.h"

#include <string>
#include <vector>

#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/panels.h"
#include "params/program_name.h"
#include "params/tkvcom.h"
#include "params/transfer_check.h"
#include "platform/text/translate.h"

namespace {

using vrl::params::kTableSize;
using vrl::params::workspace;

constexpr int kLastEntry = kTableSize - 1;

enum class Range { Selected, All, Cancelled };

// "aktuelles", "alle" or "abbrechen"; Enter takes "alle", Esc "abbrechen".
Range askRange(const char* title, const char* text) {
    switch (vrl::popups().questionWithKeys(
        VRL_TR("Programme", title), VRL_TR("Programme", text), VRL_TR("Programme", "aktuelles"),
        VRL_TR("Programme", "alle"), VRL_TR("Programme", "abbrechen"), 2, 3)) {
        case 1:
            return Range::Selected;
        case 2:
            return Range::All;
        default:
            return Range::Cancelled;
    }
}

constexpr const char* kWriteTitle = VRL_TR_NOOP("Programme", "Programme zu TKV-9D schreiben");
constexpr int kCancelled = -6000;
// The operator stopped a running transfer between two entries; never shown as an error.
constexpr int kTransferCancelled = -6452;

std::string programOf(int index) {
    return vrl::text::fill(VRL_TR("Programme", "Programm %1 von %2"),
                           {std::to_string(index), std::to_string(kLastEntry)});
}

enum class Transfer { Read, Write };

// Where a transfer stands for the progress display: the entry whose frames come next.
// The progress display counts the steps; "von 16" here would count the programs alone.
std::string entryStep(int index, Transfer transfer) {
    const bool read = transfer == Transfer::Read;
    if (index == 0)
        return read ? VRL_TR("Programme", "Arbeitsparameter werden gelesen")
                    : VRL_TR("Programme", "Arbeitsparameter werden geschrieben");
    return vrl::text::fill(read ? VRL_TR("Programme", "Programm %1 wird gelesen")
                                : VRL_TR("Programme", "Programm %1 wird geschrieben"),
                           {std::to_string(index)});
}

std::string ownBack() {
    return VRL_TR("Programme",
                  "Der TKV-9D hält wieder seine eigenen Arbeitsparameter, seine Programme sind "
                  "unverändert.");
}

// What the device holds after a transfer stopped with `previous` the entry done last (-1 for
// none): the operator must know it before he starts the next curve. A read puts the device's
// own working parameters back before it ends; a write leaves the programs up to `previous` new
// and puts the table's entry A into the working parameters, as a finished write would.
std::string holdsNow(Transfer transfer, int previous) {
    if (previous < 0 || (transfer == Transfer::Write && previous == 0))
        return VRL_TR("Programme", "Der TKV-9D ist unverändert.");
    if (transfer == Transfer::Read) return ownBack();
    const std::string last = std::to_string(kLastEntry);
    const std::string next =
        previous == kLastEntry ? std::string()
        : previous + 1 == kLastEntry
            ? vrl::text::fill(VRL_TR("Programme", ", Programm %1 wie zuvor"), {last})
            : vrl::text::fill(VRL_TR("Programme", ", die Programme %1 bis %2 wie zuvor"),
                              {std::to_string(previous + 1), last});
    const std::string written = previous == 1 ? VRL_TR("Programme",
                                                       "Im TKV-9D ist Programm 1 neu%1; seine "
                                                       "Arbeitsparameter halten Eintrag A.")
                                : previous == 2
                                    ? VRL_TR("Programme",
                                             "Im TKV-9D sind die Programme 1 und 2 neu%1; "
                                             "seine Arbeitsparameter halten Eintrag A.")
                                    : VRL_TR("Programme",
                                             "Im TKV-9D sind die Programme 1 bis %2 neu%1; "
                                             "seine Arbeitsparameter halten Eintrag A.");
    return vrl::text::fill(written, {next, std::to_string(previous)});
}

// A transfer stopped between two entries; `previous` is the entry done last, -1 for none yet.
int transferCancelled(int previous, const char* nothingYet, Transfer transfer = Transfer::Read) {
    const std::string howFar =
        previous < 0 ? VRL_TR("Programme", nothingYet)
        : previous == 0
            ? VRL_TR("Programme", "Abgebrochen nach den Arbeitsparametern.")
            : vrl::text::fill(VRL_TR("Programme", "Abgebrochen nach %1."), {programOf(previous)});
    return vrl::op::cancelled(kTransferCancelled, howFar + "\n" + holdsNow(transfer, previous));
}

// A refused transfer is a failed device operation to the operator: its code on the displays.
int refuseTransfer(int code) {
    VrlCom_FehlermeldungSet(code);
    return code;
}

// The device's working parameters, read before a read of programs, cannot be written back: the
// field that prevents it goes with the error, and nothing is loaded.
int refuseRestore(const vrl::params::Refusal& refusal) {
    VRL_Fehleruserstring(vrl::params::refusalText(refusal) +
                         VRL_TR("Programme",
                                ": die Arbeitsparameter des Geräts könnten nicht "
                                "zurückgeschrieben werden, es wurde kein Programm geladen."));
    return refuseTransfer(refusal.code);
}

// A stop the device did not take ends a record write before its first field: the working
// parameters are as they were.
bool stopRefused(int code) {
    const int origin = -code % 1000;
    return origin >= 34 && origin <= 42;  // the stop command's own codes
}

// The device refused a command (NAK, CAN): it did not carry it out. Any other failure of a
// command leaves open whether it was.
bool refused(int code) {
    const int message = vrl::messageNumber(code);
    return message == 402 || message == 405;
}

// A transfer that failed part-way: its code on the displays again (the put-back between has
// cleared them), with what the device now holds below the message.
int failedWith(int code, const std::string& holds) {
    VRL_FehleruserstringAnfuegen(holds);
    VrlCom_FehlermeldungSet(code);
    return code;
}

std::string entryName(int index) {
    return index == 0
               ? VRL_TR("Programme", "Eintrag A")
               : vrl::text::fill(VRL_TR("Programme", "Programm %1"), {std::to_string(index)});
}

// Programs stored by a write of the whole table before it failed.
std::string storedText(int stored) {
    if (stored == 0) return VRL_TR("Programme", "Kein Programm wurde gespeichert.");
    if (stored == kLastEntry) return VRL_TR("Programme", "Alle Programme sind gespeichert.");
    if (stored == 1) return VRL_TR("Programme", "Programm 1 ist gespeichert, die folgenden nicht.");
    return vrl::text::fill(
        VRL_TR("Programme", "Programme 1 bis %1 sind gespeichert, die folgenden nicht."),
        {std::to_string(stored)});
}

// The device's working parameters during a write: the record written last, whole or in part.
struct Held {
    int entry = -1;  // table index; -1 the device's own
    bool partly = false;
    int under = -1;  // where `partly`: what the rest of the fields still hold

    // A record write of `index` ended with `code`.
    void written(int index, int code) {
        if (code != 0 && stopRefused(code)) return;
        if (code != 0 && entry != index) {
            under = entry;
            partly = true;
        } else if (code == 0) {
            partly = false;
        }
        entry = index;
    }
    std::string text() const {
        const auto name = [](int index) {
            return index < 0 ? VRL_TR("Programme", "seine bisherigen Werte") : entryName(index);
        };
        if (!partly && entry < 0)
            return VRL_TR("Programme", "Die Arbeitsparameter des TKV-9D sind die bisherigen.");
        if (!partly)
            return vrl::text::fill(
                VRL_TR("Programme", "Die Arbeitsparameter des TKV-9D halten %1."), {name(entry)});
        return vrl::text::fill(VRL_TR("Programme",
                                      "Die Arbeitsparameter des TKV-9D halten %1 nur "
                                      "zum Teil, sonst %2."),
                               {name(entry), name(under)});
    }
};

// After a read loaded program `loaded` (0: none) and the working parameters could not be put
// back (`code`): what the device holds.
std::string lostText(int loaded, int code) {
    if (loaded == 0 || stopRefused(code))
        return loaded == 0 ? VRL_TR("Programme", "Der TKV-9D ist unverändert.")
                           : vrl::text::fill(VRL_TR("Programme",
                                                    "Der TKV-9D hält jetzt Programm %1 als "
                                                    "Arbeitsparameter; seine eigenen sind "
                                                    "verloren, wenn sie nicht in einer Datei "
                                                    "stehen."),
                                             {std::to_string(loaded)});
    return vrl::text::fill(VRL_TR("Programme",
                                  "Der TKV-9D hält jetzt Programm %1 als Arbeitsparameter, zum "
                                  "Teil mit seinen eigenen überschrieben; seine eigenen sind "
                                  "verloren, wenn sie nicht in einer Datei stehen."),
                           {std::to_string(loaded)});
}

// A read failed: once it has loaded a program, the device gets its own working parameters back
// before the read ends, as after a stop, and the message says whether they are.
int readFailed(int code, int loaded, const Parametersatz& saved, int done, int total) {
    if (loaded == 0) return code;
    vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter des Geräts werden zurückgeschrieben"),
                      done, total);
    const int putBack = TkvCom_ParameterSchreiben(&saved);
    return failedWith(code, putBack == 0 ? ownBack() : lostText(loaded, putBack));
}

// The operator's side of the check before a write: a refused value in a popup that names entry
// and field, and a name the device will report back cut as a question, before the first frame.
int confirmTransfer(const ProgramTable& table, int first, int last) {
    const vrl::params::TransferCheck check = vrl::params::checkEntries(table, first, last);
    if (check.refusal.code != 0) {
        // The text alone: the popup names entry and field itself.
        const std::string reason = vrl::messages().text(check.refusal.code);
        vrl::popups().message(VRL_TR("Programme", "Fehler in den Parametern"),
                              vrl::params::refusalText(check.refusal) + ": " + reason + "\n" +
                                  VRL_TR("Programme", "Es wurde nichts zum TKV-9D geschrieben."));
        return refuseTransfer(check.refusal.code);
    }
    if (check.cutNames.empty()) return 0;
    std::string text;
    for (int entry : check.cutNames) text += vrl::params::cutNameText(table, entry) + ".\n";
    text += VRL_TR("Programme", "Trotzdem schreiben?");
    const int answer = vrl::popups().questionWithKeys(VRL_TR("Programme", kWriteTitle), text,
                                                      VRL_TR("Programme", "schreiben"),
                                                      VRL_TR("Programme", "Abbrechen"), "", 1, 2);
    return answer == 1 ? 0 : kCancelled;
}

}  // namespace

namespace vrl::params {

std::string programLabel(int index) {
    const std::string name = nameOf(workspace().prog[static_cast<std::size_t>(index)]);
    return entryLabel(index) + " - " + name;
}

}  // namespace vrl::params

int ArbeitskopieSpeichern(int index) {
    auto& ws = workspace();
    ws.prog[static_cast<std::size_t>(index)] = ws.parameter;
    return 0;
}

int ArbeitskopieLaden(int index) {
    auto& ws = workspace();
    ws.parameter = ws.prog[static_cast<std::size_t>(index)];
    return 0;
}

void ParameterAnzeigen() {
    if (auto* panels = vrl::params::panels()) panels->showRecord(workspace().parameter);
}

void ParameterUebernehmen() {
    if (auto* panels = vrl::params::panels()) panels->takeRecord(workspace().parameter);
}

void ZyklenfeldAktualisieren() {
    if (auto* panels = vrl::params::panels()) panels->updateCycleField();
}

int ProgrammWechseln(int index) {
    ArbeitskopieSpeichern(workspace().progIndex);
    ArbeitskopieLaden(index);
    workspace().progIndex = index;
    ParameterAnzeigen();
    return 0;
}

void ProgrammlisteAktualisieren() {
    auto* panels = vrl::params::panels();
    if (!panels) return;
    std::vector<std::string> labels;
    for (int i = 0; i < kTableSize; ++i) labels.push_back(vrl::params::programLabel(i));
    panels->showProgramList(labels, workspace().progIndex);
}

int ProgrammlisteAuswahlSetzen() {
    if (auto* panels = vrl::params::panels()) panels->selectProgram(workspace().progIndex);
    return 0;
}

int Prog_Initialisieren() {
    workspace().prog = vrl::params::freshTable();
    workspace().progIndex = 0;
    ProgrammlisteAktualisieren();
    ArbeitskopieLaden(0);
    ParameterAnzeigen();
    AlsGespeichertSetzen();
    DateinameZuruecksetzen();
    PaneltitelAktualisieren();
    return 0;
}

int Prog_ProgrammAuswaehlen(int index) {
    if (index < 0 || index > kLastEntry) return 0;
    if (Prog_Plausibilitaetspruefung(&workspace().parameter) != 0) {
        ProgrammlisteAuswahlSetzen();
        return 0;
    }
    ProgrammWechseln(index);
    return 0;
}

int Prog_Umbenennen() {
    auto* panels = vrl::params::panels();
    if (!panels) return 0;
    auto& ws = workspace();
    Parametersatz& entry = ws.prog[static_cast<std::size_t>(ws.progIndex)];
    const auto answer = panels->askName(vrl::params::nameOf(entry));
    if (!answer) return 0;
    const std::string name = vrl::params::storableName(*answer);
    vrl::params::setName(entry, name);
    ProgrammlisteAktualisieren();
    // Only the name: values edited on the panel since the last store stay in the working copy.
    vrl::params::setName(ws.parameter, name);
    DatenAlsGeaendertMarkieren();
    return 0;
}

int Prog_ProgrammeSchreiben(int first, int last) {
    const ProgramTable& table = workspace().prog;
    // All entries or none: a value found bad when its frame is due would leave the device with
    // the programs before it written.
    if (int code = vrl::params::checkEntries(table, first, last).refusal.code; code != 0)
        return refuseTransfer(code);
    Held held;
    if (first == 0 && last == 0) {
        vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter werden geschrieben"), 0, 1);
        const int code = TkvCom_ParameterSchreiben(&table[0]);
        if (code == 0 || stopRefused(code)) return code;
        held.written(0, code);
        return failedWith(code, held.text());
    }
    Parametersatz saved{};
    const bool single = first != 0;
    // Steps for the progress display: the device's working parameters read and restored around
    // a single program, or every program and then the table's working parameters.
    const int total = single ? 3 : kLastEntry + 1;
    int done = 0;
    constexpr const char* kNothingWritten =
        VRL_TR_NOOP("Programme", "Abgebrochen, bevor ein Programm geschrieben wurde.");
    if (single) {
        vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter des Geräts werden gelesen"), done++,
                          total);
        if (int code = TkvCom_ParameterLesen(&saved); code != 0) return code;
        // The device's own working parameters go back last; if they could not, the program
        // must not be written in their place either.
        if (int code = vrl::params::checkRecord(saved).code; code != 0) return refuseTransfer(code);
    }
    // What goes into the working parameters last, and after a failure or a stop where it can:
    // the device's own around a single program, the table's entry A after all of them.
    const Parametersatz& closing = single ? saved : table[0];
    const int closingEntry = single ? -1 : 0;
    int stored = 0;
    const auto report = [&](int code) {
        const std::string programs =
            single ? vrl::text::fill(
                         stored > 0 ? VRL_TR("Programme", "Programm %1 ist gespeichert.")
                                    : VRL_TR("Programme", "Programm %1 ist nicht gespeichert."),
                         {std::to_string(first)})
                   : storedText(stored);
        return failedWith(code, programs + "\n" + held.text());
    };
    // A failure part-way: the closing record goes in once more, so that the next start does not
    // run a half-written one, and the message says what the device holds.
    const auto failed = [&](int code) {
        if (held.entry >= 0 || held.partly) {
            vrl::op::progress(
                single ? VRL_TR("Programme", "Arbeitsparameter des Geräts werden zurückgeschrieben")
                       : VRL_TR("Programme", "Arbeitsparameter werden geschrieben"),
                done, total);
            held.written(closingEntry, TkvCom_ParameterSchreiben(&closing));
        }
        return report(code);
    };
    for (int i = std::max(first, 1); i <= last; ++i) {
        // Between two programs, so that none is left written but not stored.
        if (vrl::op::cancelRequested()) {
            if (stored > 0) {
                vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter werden geschrieben"), done,
                                  total);
                const int code = TkvCom_ParameterSchreiben(&closing);
                held.written(closingEntry, code);
                if (code != 0) return report(code);
            }
            return transferCancelled(stored > 0 ? i - 1 : -1, kNothingWritten, Transfer::Write);
        }
        vrl::op::progress(entryStep(i, Transfer::Write), done++, total);
        const int code = TkvCom_ParameterSchreiben(&table[static_cast<std::size_t>(i)]);
        held.written(i, code);
        if (code != 0) return stopRefused(code) && stored == 0 ? code : failed(code);
        if (int code = TkvCom_ParameterAlsProgrammSpeichern(i); code != 0) return failed(code);
        ++stored;
    }
    vrl::op::progress(
        single ? VRL_TR("Programme", "Arbeitsparameter des Geräts werden zurückgeschrieben")
               : VRL_TR("Programme", "Arbeitsparameter werden geschrieben"),
        done, total);
    const int code = TkvCom_ParameterSchreiben(&closing);
    if (code == 0) {
        // All programs are in; a stop asked for meanwhile found nothing left to stop.
        if (!single && vrl::op::cancelRequested())
            return transferCancelled(last, kNothingWritten, Transfer::Write);
        return 0;
    }
    // No second try of the record that just failed: the message says what the device holds.
    held.written(closingEntry, code);
    return report(code);
}

int Prog_ProgrammeAufGeraetSchreiben() {
    auto& ws = workspace();
    if (int code = Prog_Plausibilitaetspruefung(&ws.parameter); code != 0) return code;
    const Range range = askRange(
        kWriteTitle,
        VRL_TR_NOOP("Programme", "Nur aktuell ausgewähltes oder alle Programme schreiben?"));
    if (range == Range::Cancelled) return 0;
    ArbeitskopieSpeichern(ws.progIndex);
    const int first = range == Range::All ? 0 : ws.progIndex;
    const int last = range == Range::All ? kLastEntry : ws.progIndex;
    if (int code = confirmTransfer(ws.prog, first, last); code != 0) return code;
    return Prog_ProgrammeSchreiben(first, last);
}

int Prog_ProgrammeLesenNach(ProgramTable& table, int first, int last) {
    // Only the table the operator edits has a list and a working copy to follow it.
    const bool edited = &table == &workspace().prog;
    // Steps for the progress display: the device's working parameters read, each entry, and
    // the working parameters written back.
    const int total = last - first + 3;
    int done = 0;
    vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter des Geräts werden gelesen"), done++,
                      total);
    Parametersatz saved{};
    if (int code = TkvCom_ParameterLesen(&saved); code != 0) return code;
    // Loading a program replaces the device's working parameters; they go back at the end, and
    // if the write would refuse them (a name byte the line cannot carry, a value out of range)
    // the first load would lose them for good. A read of the working parameters alone loads
    // nothing, so there is nothing to put back.
    const vrl::params::Refusal refusal = vrl::params::checkRecord(saved);
    if (refusal.code != 0 && last > 0) return refuseRestore(refusal);
    const bool restore = refusal.code == 0;
    int loaded = 0;  // the program the device may hold as its working parameters; 0 its own
    if (first == 0 && last == 0) {
        table[0] = saved;
        if (edited) {
            ArbeitskopieLaden(0);
            ParameterAnzeigen();
        }
    }
    for (int i = first; i <= last; ++i) {
        // Between two entries; the entries read so far stay in the table, as after a failure.
        // The device gets its own working parameters back all the same: a read never leaves it
        // holding another program.
        if (vrl::op::cancelRequested()) {
            if (restore) {
                vrl::op::progress(
                    VRL_TR("Programme", "Arbeitsparameter des Geräts werden zurückgeschrieben"),
                    done, total);
                if (int code = TkvCom_ParameterSchreiben(&saved); code != 0) return code;
            }
            return transferCancelled(
                i > first ? i - 1 : -1,
                VRL_TR_NOOP("Programme", "Abgebrochen, bevor ein Programm gelesen wurde."));
        }
        vrl::op::progress(entryStep(i, Transfer::Read), done++, total);
        if (i != 0) {
            const int code = TkvCom_ProgrammLaden(i);
            // A refused load left the program before it in place; after any other failure the
            // device may have loaded this one.
            if (code == 0 || !refused(code)) loaded = i;
            if (code != 0) return readFailed(code, loaded, saved, done, total);
        }
        Parametersatz read = table[static_cast<std::size_t>(i)];
        if (int code = TkvCom_ParameterLesen(&read); code != 0)
            return readFailed(code, loaded, saved, done, total);
        table[static_cast<std::size_t>(i)] = read;
    }
    if (edited) {
        ProgrammlisteAktualisieren();
        ArbeitskopieLaden(workspace().progIndex);
        ParameterAnzeigen();
    }
    if (!restore) return 0;
    vrl::op::progress(VRL_TR("Programme", "Arbeitsparameter des Geräts werden zurückgeschrieben"),
                      done, total);
    const int code = TkvCom_ParameterSchreiben(&saved);
    return code == 0 ? 0 : failedWith(code, lostText(loaded, code));
}

int Prog_ProgrammeLesen(int first, int last) {
    return Prog_ProgrammeLesenNach(workspace().prog, first, last);
}

int Prog_ProgrammeVonGeraetLesen() {
    const Range range =
        askRange(VRL_TR_NOOP("Programme", "Programme vom TKV-9D lesen"),
                 VRL_TR_NOOP("Programme", "Nur aktuell ausgewähltes oder alle Programme lesen?"));
    if (range == Range::Cancelled) return 0;
    return range == Range::All ? Prog_ProgrammeLesen(0, kLastEntry)
                               : Prog_ProgrammeLesen(workspace().progIndex, workspace().progIndex);
}

int ProgrammverwaltungVorDateiSpeichern() {
    if (int code = Prog_Plausibilitaetspruefung(&workspace().parameter); code != 0) return code;
    ArbeitskopieSpeichern(workspace().progIndex);
    return 0;
}

int ProgrammverwaltungNachDateiLaden() {
    ProgrammlisteAktualisieren();
    ArbeitskopieLaden(workspace().progIndex);
    ParameterAnzeigen();
    return 0;
}
