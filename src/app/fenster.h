#pragma once

// The three top-level windows and switching between them: one visible at a time, the next one
// shown in the place, size and state of the last, so that the program looks like one window
// whose content changes.

class QMainWindow;
class QMenu;
class QRect;
struct IniStore;
using IniText = IniStore*;

inline constexpr int kMaxFenster = 10;

// Empties the window list.
void Fenster_Initialisieren();
void Fenster_HauptpanelSet(QMainWindow* panel);
// The target of every "Zurück zum Hauptfenster" button.
QMainWindow* Fenster_MainpanelGet();
// Appends a window; its name is the text of its entries in every "Fenster" menu. menu is the
// window's own "Fenster" menu (nullptr: it gets none).
void Fenster_PanelZurListeHinzufuegen(QMainWindow* panel, const char* name, QMenu* menu);
// Writes the window entries into every registered "Fenster" menu; once, when the list is
// complete.
void Fenster_MenueintraegeErstellen();
// Hides one window and shows the other in its place.
void Fenster_SwitchPanels(QMainWindow* from, QMainWindow* to);
// Shows `to` in the place of the window now shown, as its "Fenster" menu entry does.
void Fenster_Anzeigen(QMainWindow* to);

// The place, size and state of the program's window across starts, in the settings file's
// section "fenster". Reading puts the main window there (hidden) within the screen it is on, or
// without the section, where it fits the screen; it reports nothing (a first start has no
// section). Writing takes the window shown last. Both return 0.
int Fenster_ReadIni(IniText store);
int Fenster_WriteIni(IniText store);

// Where a window of client area `wanted` goes so that it and its frame lie on `available` (the
// screen less its panels): as large as wanted or as the screen allows, moved onto the screen.
QRect Fenster_AufBildschirm(const QRect& wanted, const QRect& available);
