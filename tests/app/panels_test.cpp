// The three windows created as at start-up, driven offscreen without the event loop.

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "app/com_main.h"
#include "app/fenster.h"
#include "app/ini.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "driver/vrltkv9d.h"
#include "params/datastate.h"
#include "params/program.h"
#include "platform/gui/controls.h"
#include "platform/gui/panels.h"

namespace {

class Panels : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        popups.shown.clear();
    }
    QMainWindow* mainWindow() const { return ParMain_GetMainpanel(); }
    QMainWindow* comWindow() const { return ComMain_Panel()->widget(); }
    QMainWindow* statusWindow() const { return StatusMain_Panel()->widget(); }

    vrl::PopupsGuard guard{popups};
};

// The settings of the connection panel: read from a store as the start-up hands it over.
TEST_F(Panels, ConnectionSettingsAreAppliedKeyByKey) {
    struct Row {
        const char* text;
        int result;
        int port, lastPort;
        char address;
    };
    const Row rows[] = {
        {"[com]\ncom = 7\nlcom = 5\nadresse = 50\n", 0, kSimPort, 5, '2'},
        {"[com]\ncom = 7\nlcom = 5\nadresse = 98\n", 0, kSimPort, 5, '1'},  // 'b' is refused
        {"[com]\ncom = 7\nadresse = 51\n", -801502, kSimPort, 0, '3'},
        {"[com]\n", -801501, 0, 0, '1'},
        {"[com]\ncom = 0\nlcom = 2\nadresse = 38\n", 0, 0, 2, '&'},
        {"[com]\ncom = 300\nlcom = 2\nadresse = 49\n", 0, 0, 2, '1'},
        {"[Com]\nCOM = 7\nlcom = 1\nadresse = 49\n", 0, kSimPort, 1, '1'},
        {"[com]\ncom = 0x07\nlcom = 1\nadresse = 49x\n", -801501, 0, 1, '1'},
    };
    for (const auto& row : rows) {
        vrl::com::resetState();
        writeSettings(row.text);
        IniText store = Ini_New(1);
        ASSERT_EQ(Ini_ReadFromFile(store, "tkv9dSteuerung.ini"), 0);
        EXPECT_EQ(ComMain_ReadIni(store), row.result) << row.text;
        Ini_Dispose(store);
        EXPECT_EQ(VrlCom_ComPortGet(), row.port) << row.text;
        EXPECT_EQ(VrlCom_LastComPortGet(), row.lastPort) << row.text;
        EXPECT_EQ(VrlCom_AdresseGet(), row.address) << row.text;
    }
}

TEST_F(Panels, SettingsRememberThePortsAsTheyWereLastUsed) {
    serial::setPortPath(2, line.devicePath());
    ASSERT_EQ(VrlCom_Open(2), 0);
    VrlCom_Close();
    ASSERT_EQ(VrlCom_Open(kSimPort), 0);
    ASSERT_EQ(Func_IniDateiSchreiben(), 0);
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 2\r\n\r\n");
    VrlCom_Close();
    ASSERT_EQ(Func_IniDateiSchreiben(), 0);
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 7\r\n\r\n");
    serial::setPortPath(2, "");
}

TEST_F(Panels, SwitchingTakesThePlaceOfTheOldWindow) {
    mainWindow()->setGeometry(100, 120, 1300, 900);
    mainWindow()->show();
    ParMain_Panel()->ui.MENUMAIN_FENSTER->actions().at(2)->trigger();  // "Status"
    EXPECT_FALSE(mainWindow()->isVisible());
    EXPECT_TRUE(statusWindow()->isVisible());
    EXPECT_EQ(statusWindow()->geometry(), QRect(100, 120, 1300, 900));
    // The window's own entry does nothing.
    StatusMain_Panel()->ui.MENUSTATUS_FENSTER->actions().at(2)->trigger();
    EXPECT_TRUE(statusWindow()->isVisible());
    StatusMain_Panel()->ui.MENUSTATUS_FENSTER->actions().at(1)->trigger();  // "Com"
    EXPECT_TRUE(comWindow()->isVisible());
    EXPECT_FALSE(statusWindow()->isVisible());
    ComMain_Panel()->ui.ZURUECK->click();
    EXPECT_TRUE(mainWindow()->isVisible());
    EXPECT_FALSE(comWindow()->isVisible());
}

TEST_F(Panels, MaximizedWindowHandsOnItsState) {
    mainWindow()->showMaximized();
    Fenster_SwitchPanels(mainWindow(), comWindow());
    EXPECT_TRUE(comWindow()->windowState() & Qt::WindowMaximized);
    Callback_Com_Button_Zurueck();
    EXPECT_TRUE(mainWindow()->isVisible());
}

TEST_F(Panels, MainWindowTexts) {
    auto& ui = ParMain_Panel()->ui;
    EXPECT_EQ(mainWindow()->windowTitle(), "TKV-9D Steuerung - Unbenannt");
    EXPECT_EQ(ui.PROGLESEN->text(), "vom TKV-9D lesen");
    EXPECT_EQ(ui.PROGSCHREIBEN->text(), "zum TKV-9D schreiben");
    EXPECT_EQ(ui.TEXT_GERAETSTEUERN->text(), "TKV-9D steuern");
    EXPECT_TRUE(ui.PAR_PRUEFSPANNUNG->isHidden());
    auto& info = ParMain_InfoPanel()->ui;
    EXPECT_EQ(info.VERSION->text(), "V 1.2.3");
    EXPECT_EQ(info.DATUM->text(), "4/2011");
    EXPECT_EQ(info.PROGRAMMNAME->text(), "TKV-9D Steuerung");
    EXPECT_NE((info.TEXTMSG->text() + info.TEXTMSG_2->text()).indexOf("VRL"), -1);
}

TEST_F(Panels, InfoPopupIsModal) {
    popups.onModal = [](std::string_view) { return 1; };
    ParMain_Panel()->ui.MENUMAIN_HILFE_INFO->trigger();
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].kind, "modal");
    EXPECT_EQ(popups.shown[0].title, "INFOPANEL");
}

TEST_F(Panels, ProgramNumberButtonsUseTheNumberNotTheList) {
    ASSERT_EQ(VrlCom_Open(kSimPort), 0);
    auto& ui = ParMain_Panel()->ui;
    Prog_ProgrammAuswaehlen(3);
    ui.PROGRAMMNUMMER->setValue(12);
    ui.PROGRAMMEINSTELLEN->click();
    ui.PROGRAMMSPEICHERN->click();
    ui.START->click();
    ui.STOPP->click();
    ASSERT_TRUE(line.waitForFrames(4, std::chrono::seconds(2)));
    EXPECT_EQ(line.frames(),
              (std::vector<std::string>{"#1PNS12\r", "#1PNP12\r", "#1DF1\r", "#1DF2\r"}));
    EXPECT_FALSE(ui.FEHLERLED->isOn());
    EXPECT_FALSE(ui.COMAKTIVLED->isOn());
}

TEST_F(Panels, DeviceErrorsShowOnEveryWindow) {
    ParMain_Panel()->ui.START->click();  // no port open
    EXPECT_EQ(ParMain_Panel()->ui.FEHLERNUMMER->value(), 122350);
    EXPECT_EQ(ComMain_Panel()->ui.FEHLERNUMMER->value(), 122350);
    EXPECT_EQ(StatusMain_Panel()->ui.FEHLERNUMMER->value(), 122350);
    EXPECT_EQ(StatusMain_Panel()->ui.FEHLERSTRING->text(),
              "Serielle Schnittstelle ist nicht geöffnet");
}

TEST_F(Panels, FileButtonsActLikeTheMenu) {
    const std::string file = std::filesystem::current_path().string() + "/a.tkv";
    popups.files = {file};
    ParMain_Panel()->ui.SPEICHERN->click();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(mainWindow()->windowTitle(), "TKV-9D Steuerung - a.tkv");
    // The hidden test voltage travels in the file.
    ws.prog[0].pruefspannung = 99.5;
    ArbeitskopieLaden(0);
    ws.parameter.pruefspannung = 99.5;
    ParMain_Panel()->ui.MENUMAIN_DATEI_SPEICHERN->trigger();
    ParMain_Panel()->ui.MENUMAIN_DATEI_NEU->trigger();
    EXPECT_EQ(ws.parameter.pruefspannung, 2.0);
    EXPECT_EQ(mainWindow()->windowTitle(), "TKV-9D Steuerung - Unbenannt");
    popups.files = {file};
    ParMain_Panel()->ui.LADEN->click();
    EXPECT_EQ(ws.parameter.pruefspannung, 99.5);
    // A cancelled dialog shows nothing; a broken file its error.
    popups.shown.clear();
    ParMain_Panel()->ui.MENUMAIN_DATEI_LADEN->trigger();
    std::ofstream(file, std::ios::binary) << "kurz";
    popups.files = {file};
    ParMain_Panel()->ui.MENUMAIN_DATEI_LADEN->trigger();
    ASSERT_EQ(popups.shown.size(), 3u);
    EXPECT_EQ(popups.shown[2].title, "Fehler #304411");
}

// "Neu" and "Laden..." replace the table only after changed data was offered for saving.
TEST_F(Panels, NewAndOpenAskBeforeDiscardingChangedData) {
    enum Answer { None = 0, Ja = 1, Nein = 2, Abbrechen = 3 };
    struct Row {
        const char* name;
        bool changed;
        Answer answer;
        bool saveChosen;  // "Ja": a file is chosen in the save dialog
        bool saved, replaced;
    };
    const Row rows[] = {
        {"unchanged", false, None, false, false, true},
        {"Ja", true, Ja, true, true, true},
        {"Ja, save cancelled", true, Ja, false, false, false},
        {"Nein", true, Nein, false, false, true},
        {"Abbrechen", true, Abbrechen, false, false, false},
    };
    struct Action {
        const char* name;
        std::function<void()> run;
        bool opens;
    };
    auto& ui = ParMain_Panel()->ui;
    const Action actions[] = {
        {"menu Neu", [&] { ui.MENUMAIN_DATEI_NEU->trigger(); }, false},
        {"menu Laden", [&] { ui.MENUMAIN_DATEI_LADEN->trigger(); }, true},
        {"button Laden", [&] { ui.LADEN->click(); }, true},
    };
    const std::string dir = std::filesystem::current_path().string();
    const std::string other = dir + "/other.tkv", saved = dir + "/saved.tkv";
    ui.PAR_STROM1->setValue(0.375);
    popups.files = {other};
    ui.MENUMAIN_DATEI_SPEICHERNUNTER->trigger();
    ASSERT_TRUE(std::filesystem::exists(other));

    for (const auto& action : actions) {
        for (const auto& row : rows) {
            const std::string where = std::string(action.name) + ", " + row.name;
            Prog_Initialisieren();
            std::filesystem::remove(saved);
            ui.PAR_STROM1->setValue(0.25);  // the operator's edit
            if (!row.changed) AlsGespeichertSetzen();
            popups.shown.clear();
            popups.answers = {row.answer};
            popups.files.clear();
            if (row.answer == Ja)
                popups.files.push_back(row.saveChosen ? std::optional(saved) : std::nullopt);
            if (action.opens) popups.files.push_back(other);

            action.run();

            const auto questions =
                std::count_if(popups.shown.begin(), popups.shown.end(),
                              [](const auto& p) { return p.kind == "question"; });
            EXPECT_EQ(questions, row.changed ? 1 : 0) << where;
            if (row.changed && !popups.shown.empty()) {
                EXPECT_EQ(popups.shown[0].text,
                          "Möchten Sie die Änderungen in Unbenannt speichern?")
                    << where;
            }
            EXPECT_EQ(std::filesystem::exists(saved), row.saved) << where;
            const double replacedBy = action.opens ? 0.375 : 0.0;
            EXPECT_EQ(ws.parameter.strom1, row.replaced ? replacedBy : 0.25) << where;
            EXPECT_EQ(ws.datenGeaendert, !row.replaced) << where;
        }
    }
}

TEST_F(Panels, CalibrateButtonShowsThePanel) {
    ParMain_Panel()->ui.KALIBRIEREN->click();
    EXPECT_TRUE(ParMain_KalibPanel()->widget()->isVisible());
}

}  // namespace
