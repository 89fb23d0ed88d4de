#include "app/com_main.h"

#include <QAction>
#include <QCoreApplication>
#include <memory>

#include "app/fenster.h"
#include "app/ini.h"
#include "app/shell.h"
#include "connection/com_controls.h"
#include "connection/vrlcom.h"
#include "platform/gui/controls.h"
#include "platform/gui/panels.h"
#include "platform/text/translate.h"

namespace {

constexpr const char* kSection = "com";

std::unique_ptr<vrl::gui::ComPanel> gComPanel;
// The remembered port could not be opened at start-up; its error stands on the displays.
bool gStartPortFehler = false;

// A failure to reopen the remembered port changes nothing else at start-up, but the operator
// learns why the plug is crossed out (a port that another program holds names the holder).
int reopenPort(int port) {
    const int code = VrlCom_Open(port);
    if (code != 0) {
        gStartPortFehler = true;
        VrlCom_FehlermeldungSet(code);
    }
    return code;
}

// The three connection settings in the order they are applied: the port first, so that the last
// port afterwards is the one from the file.
struct Setting {
    const char* key;
    int missing;  // code when the key is missing or not an integer
    int (*apply)(int value);
    int (*current)();
};

constexpr Setting kSettings[] = {
    // A port whose adapter is unplugged at the end is the one to open at the next start.
    {"com", -801501, reopenPort,
     [] { return VrlCom_ComPortGet() != 0 ? VrlCom_ComPortGet() : VrlCom_GetrennterPort(); }},
    {"lcom", -801502, [](int value) { return VrlCom_LastComPortSet(value); },
     [] { return VrlCom_LastComPortGet(); }},
    {"adresse", -801503,
     [](int value) { return VrlCom_AdresseSet(static_cast<char>(value & 0xFF)); },
     [] { return static_cast<int>(static_cast<signed char>(VrlCom_AdresseGet())); }},
};

// A scan shows the address it found, but the device actions go on to the address in use until
// the operator commits a choice. While the two differ, the address control is marked and the
// scan's line says which one is used.
void showAddressInUse() {
    if (!gComPanel) return;
    auto& ui = gComPanel->ui;
    const char shown = static_cast<char>(vrl::gui::ringValue(ui.ADRESSE));
    const char used = VrlCom_AdresseGet();
    if (shown == used) {
        vrl::gui::clearRefused(ui.ADRESSE);
        return;
    }
    const QString text =
        QCoreApplication::translate("Com",
                                    "Gerät an Adresse %1 gefunden – verwendet wird Adresse %2; zum "
                                    "Verwenden Adresse wählen")
            .arg(QChar::fromLatin1(shown), QChar::fromLatin1(used));
    vrl::gui::markRefused(ui.ADRESSE, text);
    vrl::gui::setQuietly(ui.SCANNTEXT, text);
}

}  // namespace

int ComMain_Initialisieren() {
    gComPanel = std::make_unique<vrl::gui::ComPanel>();
    auto& ui = gComPanel->ui;
    QMainWindow* window = gComPanel->widget();
    Fenster_PanelZurListeHinzufuegen(window, VRL_TR("Fenster", "Com").c_str(), ui.MENUCOM_FENSTER);
    vrl::gui::setQuietly(ui.SCANNTEXT, QString());

    vrl::com::registerComPanel(ui);
    // After the connection manager's own handling of the same commit.
    vrl::gui::connectCommit(ui.SCANN, [] { showAddressInUse(); });
    vrl::gui::connectCommit(ui.ADRESSE, [] { showAddressInUse(); });

    vrl::gui::connectCommit(ui.ZURUECK, [] { Callback_Com_Button_Zurueck(); });
    // The plug with no port to reopen leads here, where one is chosen.
    vrl::com::setChoosePort([] {
        if (!gComPanel) return;
        Fenster_Anzeigen(gComPanel->widget());
        gComPanel->ui.COMPORT->setFocus();
    });
    QObject::connect(ui.MENUCOM_DATEI_BEENDEN, &QAction::triggered, window,
                     [] { Menu_Datei_Beenden(); });
    vrl::gui::interceptClose(window, [window] { Callback_Panels(window); });
    return 0;
}

int ComMain_Freigeben() {
    vrl::com::setChoosePort(nullptr);
    gStartPortFehler = false;
    gComPanel.reset();
    return 0;
}

int ComMain_ReadIni(IniText store) {
    int result = 0;
    for (const Setting& setting : kSettings) {
        int value = 0;
        if (Ini_GetInt(store, kSection, setting.key, &value) <= 0) {
            if (result == 0) result = setting.missing;
            continue;
        }
        // A port that cannot be opened or a value out of range is left as the connection
        // manager leaves it; the operator sees the state on the panels.
        setting.apply(value);
    }
    return result;
}

int ComMain_WriteIni(IniText store) {
    for (const Setting& setting : kSettings)
        Ini_PutInt(store, kSection, setting.key, setting.current());
    return 0;
}

void ComMain_StartHinweis() {
    if (VrlCom_ComPortGet() == 0 && !gStartPortFehler)
        VrlCom_HinweisSet(VRL_TR("Com", "Schnittstelle über „Fenster → Com“ wählen"));
}

int Callback_Com_Button_Zurueck() {
    if (gComPanel) Fenster_SwitchPanels(gComPanel->widget(), Fenster_MainpanelGet());
    return 0;
}

vrl::gui::ComPanel* ComMain_Panel() {
    return gComPanel.get();
}
