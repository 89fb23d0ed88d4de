#pragma once

// Start-up, the event loop and shut-down; the two ways of quitting that every top-level window
// offers.

#include <string>

#include "tkv9d_version.h"

class QMainWindow;

inline constexpr const char* kGeraetName = "TKV-9D";
inline constexpr const char* kVersion = "V " TKV9D_VERSION;
inline constexpr const char* kDatum = "4/2011";
inline constexpr const char* kIniDatei = "tkv9dSteuerung.ini";

// The operator closes one of the three top-level windows: quit after the unsaved-changes
// question allows it; otherwise the window stays open.
int Callback_Panels(QMainWindow* panel);
// "Beenden" in the "Datei" menu of any of the three windows: the same.
void Menu_Datei_Beenden();

// "Stopp", from either window or its key: sent at once when the line is free, else right after
// the transaction in flight; an operation the operator started ends at its next step first.
void Func_Stopp();

int Func_PanelsInitialisieren(const char* version, const char* date);
int Func_PanelsFreigeben();
int Func_IniDateiLaden();
int Func_IniDateiSchreiben();

namespace vrl {
class Popups;
namespace app {
class WindowOperations;
}
}  // namespace vrl

// What the windows do around a device operation, from Func_PanelsInitialisieren to
// Func_PanelsFreigeben; nullptr outside.
vrl::app::WindowOperations* windowOperations();

// The whole program once the application object exists, with the popups of the given service
// (the Qt one; tests answer from a script): returns main's result. A parameter file named by
// `startFile` (a double click on it in the file manager) is opened once the settings are read.
int Func_Run(vrl::Popups& popups, const std::string& startFile = {});
