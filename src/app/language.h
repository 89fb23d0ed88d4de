#pragma once

// The language the program speaks: the desktop's, unless the operator chose one in the main
// window's "Hilfe" menu, "Sprache / Language"; the choice is kept in the settings file (section
// "sprache", item "auswahl": 1 German, 2 English; without it the desktop's language) and takes
// effect at the next start, which the program offers to make at once.

#include "platform/gui/translations.h"

class QMenu;
struct IniStore;
using IniText = IniStore*;

// The language for this start from the settings file at iniPath (missing or unreadable: the
// desktop's), made the program's: its texts, Qt's dialogs, the numbers on screen and the error
// messages (the catalogue's English column). Before the windows are built.
void Sprache_BeimStartEinstellen(const char* iniPath);

// Makes language the program's at once, for the windows built after it.
void Sprache_Einstellen(vrl::gui::Language language);

// The operator's choice in the settings store (kept as it was read; nothing when none).
int Sprache_ReadIni(IniText store);
int Sprache_WriteIni(IniText store);

// Appends "Sprache / Language" with the desktop's language, German and English to menu. A choice
// that changes the language asks whether to restart now.
void Sprache_MenueErstellen(QMenu* menu);

// True when the operator chose to restart in another language; the program is started again
// once it has ended (and saved its settings).
bool Sprache_NeustartGewuenscht();
// The quit for the restart was declined: the program goes on as it is.
void Sprache_KeinNeustart();
