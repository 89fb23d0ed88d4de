#pragma once

// The three top-level windows and switching between them: one visible at a time, the next one
// shown in the place, size and state of the last, so that the program looks like one window
// whose content changes.

class QMainWindow;
class QMenu;

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
