#pragma once

// The connection window: port and address, identification and scan. Its controls belong to the
// connection manager; the module keeps the connection settings in the settings file.

struct IniStore;
using IniText = IniStore*;

namespace vrl::gui {
template <class Form>
class Panel;
}
namespace Ui {
class COMPANEL;
}

int ComMain_Initialisieren();
int ComMain_Freigeben();
int ComMain_ReadIni(IniText store);
int ComMain_WriteIni(IniText store);
int Callback_Com_Button_Zurueck();
// After the settings are read: with no port open (a first start, a port that was closed), the
// error displays say where one is chosen, unless they show why the remembered one failed.
void ComMain_StartHinweis();

// The panel while it exists; nullptr before creation and after release.
vrl::gui::Panel<Ui::COMPANEL>* ComMain_Panel();
