#pragma once

// The main window: the parameters of the selected program, the transfers, the device buttons,
// the file menu and the information popup.

struct IniStore;
using IniText = IniStore*;
class QMainWindow;

namespace vrl::gui {
template <class Form>
class Panel;
}
namespace Ui {
class MAINPANEL;
class KALIBPANEL;
class INFOPANEL;
class RENAMEPNL;
}  // namespace Ui

enum class MainMenuItem { Neu, Laden, Speichern, SpeichernUnter, Other };
enum class MainButton {
    Laden,
    Speichern,
    ProgLesen,
    ProgSchreiben,
    ProgrammEinstellen,
    ProgrammSpeichern,
    Start,
    Stopp,
    Kalibrieren,
};

int ParMain_Initialisieren(const char* version, const char* date);
int ParMain_Freigeben();
int ParMain_ReadIni(IniText store);
int ParMain_WriteIni(IniText store);
QMainWindow* ParMain_GetMainpanel();

void Menu_Main_Datei(MainMenuItem item);
void Menu_Main_Programm();
void Menu_Main_Info();
int Callback_Info_Button_Ok();
int Callback_Main_Buttons(MainButton button);

// The panels while they exist; nullptr before creation and after release.
vrl::gui::Panel<Ui::MAINPANEL>* ParMain_Panel();
vrl::gui::Panel<Ui::KALIBPANEL>* ParMain_KalibPanel();
vrl::gui::Panel<Ui::INFOPANEL>* ParMain_InfoPanel();
vrl::gui::Panel<Ui::RENAMEPNL>* ParMain_RenamePanel();
