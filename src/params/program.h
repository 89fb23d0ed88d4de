#pragma once

// The table of the working parameters (entry 0) and the device's 16 programs, the selected
// entry, and the transfers of one entry or all of them.

#include "params/workspace.h"

int ArbeitskopieSpeichern(int index);
int ArbeitskopieLaden(int index);
void ParameterAnzeigen();
void ParameterUebernehmen();
void ZyklenfeldAktualisieren();
int ProgrammWechseln(int index);
void ProgrammlisteAktualisieren();
int ProgrammlisteAuswahlSetzen();

int Prog_Initialisieren();
// The program list's commit: switch to entry `index` if the edited record is plausible.
int Prog_ProgrammAuswaehlen(int index);
int Prog_Umbenennen();
int Prog_ProgrammeAufGeraetSchreiben();
int Prog_ProgrammeVonGeraetLesen();
int ProgrammverwaltungVorDateiSpeichern();
int ProgrammverwaltungNachDateiLaden();

// The transfers without their question: entries first..last (0..16), as the dialogs' answers
// "aktuelles" and "alle" choose them. The command-line tool calls these directly.
int Prog_ProgrammeSchreiben(int first, int last);
int Prog_ProgrammeLesen(int first, int last);
// The same frames, into `table`: another table than the workspace's is filled and nothing else
// changes (the comparison with the device reads into a scratch table).
int Prog_ProgrammeLesenNach(ProgramTable& table, int first, int last);

namespace vrl::params {
// "A - name" for the working parameters, "n - name" for program n.
std::string programLabel(int index);
}  // namespace vrl::params
