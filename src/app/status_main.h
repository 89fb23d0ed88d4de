#pragma once

// The status window: the device's status word as lamps, polled once a second while the operator
// has switched polling on; the states of the 15 hdx-4 output modules, read on demand; the
// modules' output enables, read, changed and written back; start and stop of the device.
//
// All device traffic goes through the TkvCom_ operations, which show their own failures on every
// registered error display, so this module only looks at their result codes where a failure
// changes what it does next (a failed poll ends polling).

#include "platform/gui/panels.h"

struct IniStore;
using IniText = IniStore*;

// Creates the status window (hidden), registers it as "Status" in the window list and its port
// picture ring and error display with the connection manager. 0, or -1 when the window lacks
// one of the module controls it needs.
int StatusMain_Initialisieren();
// Discards the window; its polling timer goes with it. 0.
int StatusMain_Freigeben();
// The status window keeps no settings: both take the store and return 0.
int StatusMain_ReadIni(IniText store);
int StatusMain_WriteIni(IniText store);

// The status window's COM lamp (non-zero = lit), switched by every device operation whichever
// window started it. Does nothing while the window does not exist.
void StatusMain_ComLed(int on);

// The window, for start-up and tests; nullptr before StatusMain_Initialisieren and after
// StatusMain_Freigeben.
vrl::gui::StatusPanel* StatusMain_Panel();
// The recording of actual current and voltage in the status window, while the window exists.
namespace vrl::app {
class MeasurementRecorder;
}
vrl::app::MeasurementRecorder* StatusMain_Recorder();

// The device is known to stand still: polling is on and the last status word said that no curve
// runs. Without polling the program does not know.
bool StatusMain_KnownStopped();

// The status window's command buttons and its polling toggle.
enum class StatusButton {
    TkvStatusabfrage,
    Start,
    Stopp,
    HdxStatusabfrage,
    AusgaengeLesen,
    AusgaengeSchreiben,
};

// A commit of one of the buttons. Always 0; failures are on the error displays.
int Callback_Status_Buttons(StatusButton button);
// "Zurück zum Hauptfenster".
int Callback_Status_Button_Zurueck();
// One tick of the polling timer: one read of the status word.
int Callback_Statustimer();
