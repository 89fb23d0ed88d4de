#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>

#include "app/com_main.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app/user_folder.h"
#include "app_fixture.h"
#include "params/datastate.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "platform/gui/panels.h"
#include "platform/gui/qt_popups.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <cstdio>

namespace {

// Records the port that is open when the main window first shows.
class ShowWatcher : public QObject {
  public:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->objectName() == "MAINPANEL" && portAtShow < 0)
            portAtShow = VrlCom_ComPortGet();
        return false;
    }
    int portAtShow = -1;
};

class StartUp : public AppTest {};

TEST_F(StartUp, ReopensTheRememberedPortBeforeTheWindowShowsAndWritesTheSettingsAtTheEnd) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n");
    ShowWatcher watcher;
    QCoreApplication::instance()->installEventFilter(&watcher);
    bool running = false;
    const int result = run([&] {
        running = true;
        EXPECT_EQ(VrlCom_ComPortGet(), kSimPort);
        EXPECT_TRUE(ParMain_GetMainpanel()->isVisible());
        EXPECT_FALSE(ComMain_Panel()->widget()->isVisible());
        EXPECT_EQ(ParMain_GetMainpanel()->windowTitle(), "TKV-9D Steuerung - Unbenannt");
        Menu_Datei_Beenden();
    });
    QCoreApplication::instance()->removeEventFilter(&watcher);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(running);
    EXPECT_EQ(watcher.portAtShow, kSimPort);
    EXPECT_TRUE(popups.shown.empty());
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n");
    EXPECT_EQ(ParMain_GetMainpanel(), nullptr);  // panels discarded
}

TEST_F(StartUp, MissingSettingsFileIsReportedOnceAndTheProgramRuns) {
    run([&] {
        EXPECT_TRUE(ParMain_GetMainpanel()->isVisible());
        EXPECT_EQ(VrlCom_ComPortGet(), 0);
        Menu_Datei_Beenden();
    });
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Fehler #802251");
    EXPECT_EQ(popups.shown[0].text, "INI-Datei nicht gefunden");
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
}

// A double click on a parameter file starts the program with its name: the file must be what
// the window shows, and one that cannot be read must not keep the program from starting.
TEST_F(StartUp, OpensTheFileItWasStartedWith) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    ws.prog[0].strom1 = 1.25;
    ASSERT_EQ(Datei_Schreiben("Prüfung.tkv"), 0);
    struct Row {
        const char* file;
        const char* title;  // of the main window once it runs
        const char* popup;  // the one error shown, or ""
        double strom1;      // [A] of the working parameters shown
    } const rows[] = {
        {"Prüfung.tkv", "TKV-9D Steuerung - Prüfung.tkv", "", 1.25},
        {"fehlt.tkv", "TKV-9D Steuerung - Unbenannt", "Fehler #308403", 0.0},
    };
    for (const auto& row : rows) {
        popups.shown.clear();
        double strom1 = -1;
        QString title;
        EXPECT_EQ(run(
                      [&] {
                          title = ParMain_GetMainpanel()->windowTitle();
                          strom1 = ws.prog[0].strom1;
                          Menu_Datei_Beenden();
                      },
                      row.file),
                  0);
        EXPECT_EQ(title.toStdString(), row.title) << row.file;
        EXPECT_EQ(strom1, row.strom1) << row.file;
        ASSERT_EQ(popups.shown.size(), *row.popup ? 1u : 0u) << row.file;
        if (*row.popup) {
            EXPECT_EQ(popups.shown[0].title, row.popup);
        }
    }
}

TEST_F(StartUp, OnlyThePortGivenReportsTheFirstMissingKey) {
    writeSettings("[com]\r\ncom = 7\r\n");
    run([&] {
        EXPECT_EQ(VrlCom_ComPortGet(), kSimPort);
        EXPECT_EQ(VrlCom_AdresseGet(), '1');
        Menu_Datei_Beenden();
    });
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Fehler #801502");
}

// Faults caught: a settings file that cannot be written at the end lost in silence (the port
// and address are gone at the next start), and the operator not told which file.
TEST_F(StartUp, SettingsThatCannotBeWrittenAreShown) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    // Without a write bit the file is kept, even by the superuser.
    std::filesystem::permissions("tkv9dSteuerung.ini", std::filesystem::perms(0444));
    run([] { Menu_Datei_Beenden(); });
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Fehler #800253");
    EXPECT_EQ(popups.shown[0].text,
              "Fehler beim schreiben in die INI-Datei\n" +
                  (std::filesystem::current_path() / "tkv9dSteuerung.ini").string());
}

// Fault caught: the icon's images not compiled in or never set: the title bar and the task bar
// show the system's generic one.
TEST_F(StartUp, WindowsShowTheProgramsIcon) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    run([] {
        EXPECT_EQ(StatusMain_Panel()->widget()->windowIcon().availableSizes().size(), 4);
        Menu_Datei_Beenden();
    });
}

TEST_F(StartUp, WindowMenusListTheThreeWindowsInOrder) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    run([&] {
        struct Row {
            QMenu* menu;
            const char* own;
        };
        const Row rows[] = {
            {ParMain_Panel()->ui.MENUMAIN_FENSTER, "Hauptfenster"},
            {ComMain_Panel()->ui.MENUCOM_FENSTER, "Com"},
            {StatusMain_Panel()->ui.MENUSTATUS_FENSTER, "Status"},
        };
        for (const auto& row : rows) {
            QStringList texts;
            for (QAction* item : row.menu->actions()) {
                const QString shown = QString(item->text()).remove(QLatin1Char('&'));  // mnemonic
                texts << shown;
                EXPECT_EQ(item->isChecked(), shown == row.own) << row.own;
            }
            EXPECT_EQ(texts, (QStringList{"Hauptfenster", "Com", "Status"})) << row.own;
        }
        Menu_Datei_Beenden();
    });
}

class Quitting : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    }
};

TEST_F(Quitting, AnyWindowQuitsWithoutQuestionWhenNothingChanged) {
    using Close = std::function<void()>;
    const Close closes[] = {
        [] { ParMain_GetMainpanel()->close(); },
        [] { ComMain_Panel()->widget()->close(); },
        [] { StatusMain_Panel()->widget()->close(); },
        [] { StatusMain_Panel()->ui.MENUSTATUS_DATEI_BEENDEN->trigger(); },
        [] { ComMain_Panel()->ui.MENUCOM_DATEI_BEENDEN->trigger(); },
        [] { ParMain_Panel()->ui.MENUMAIN_DATEI_BEENDEN->trigger(); },
    };
    for (const auto& close : closes) {
        popups.shown.clear();
        EXPECT_EQ(run(close), 0);
        EXPECT_TRUE(popups.shown.empty());
    }
}

TEST_F(Quitting, ChangedDataAsksAndCancelKeepsTheProgramRunning) {
    run([&] {
        DatenAlsGeaendertMarkieren();
        popups.answers = {3};  // "Abbrechen"
        StatusMain_Panel()->widget()->close();
        ASSERT_EQ(popups.shown.size(), 1u);
        EXPECT_EQ(popups.shown[0].title, "Datei speichern");
        EXPECT_EQ(popups.shown[0].text, "Möchten Sie die Änderungen in Unbenannt speichern?");
        // Still running: the next events are handled.
        QTimer::singleShot(0, [&] {
            popups.answers = {2};  // "Nein"
            ParMain_GetMainpanel()->close();
        });
    });
    EXPECT_EQ(popups.shown.size(), 2u);
    EXPECT_TRUE(ws.datenGeaendert);  // ended without saving
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
}

TEST_F(Quitting, EditingAParameterMakesClosingAsk) {
    std::remove("tkv9dSteuerung.ini");
    run([&] {
        popups.shown.clear();                            // the missing settings file
        ParMain_Panel()->ui.PAR_STROM2->setValue(0.75);  // the operator's committed change
        popups.answers = {2};
        ComMain_Panel()->widget()->close();
    });
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].text, "Möchten Sie die Änderungen in Unbenannt speichern?");
    EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
}

TEST_F(Quitting, InfoPopupBlocksUntilOk) {
    vrl::gui::QtPopups qtPopups;
    run([&] {
        vrl::PopupsGuard modal(qtPopups);
        bool shownModal = false;
        QTimer::singleShot(0, [&] {
            auto* info = ParMain_InfoPanel()->widget();
            shownModal = info->isVisible() && info->isModal();
            ParMain_InfoPanel()->ui.OK->click();
        });
        ParMain_Panel()->ui.MENUMAIN_HILFE_INFO->trigger();  // returns once OK was pressed
        EXPECT_TRUE(shownModal);
        EXPECT_FALSE(ParMain_InfoPanel()->widget()->isVisible());
        Menu_Datei_Beenden();
    });
}

TEST_F(Quitting, FailedSaveIsShownAndTheProgramStays) {
    run([&] {
        DatenAlsGeaendertMarkieren();
        ws.dateiname = "/nonexistent/folder/a.tkv";
        popups.answers = {1};  // "Ja"
        Menu_Datei_Beenden();
        ASSERT_EQ(popups.shown.size(), 2u);
        EXPECT_EQ(popups.shown[1].title, "Fehler #301401");
        QTimer::singleShot(0, [&] {
            popups.answers = {2};
            Menu_Datei_Beenden();
        });
    });
    EXPECT_EQ(popups.shown.size(), 3u);
}

// Faults caught: the file named on the command line looked up in the new folder, the settings
// landing elsewhere than the port links, and a folder that cannot be made leaving the program
// in no folder or silent about it.
TEST(UserFolder, IsMadeAndEnteredAfterTheFileIsMadeAbsolute) {
    char pattern[] = "/tmp/tkv9d-user-XXXXXX";
    const std::filesystem::path top = ::mkdtemp(pattern);
    std::filesystem::create_directories(top / "arbeit");
    std::ofstream(top / "datei");
    const std::filesystem::path old = std::filesystem::current_path();
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", (top / "heim").c_str(), 1);
    struct Row {
        std::string xdgConfigHome;  // "" for unset
        std::string entered;        // below top, or "" when the folder stays
    } const rows[] = {
        {(top / "konfig").string(), "konfig/tkv9d"},
        {"", "heim/.config/tkv9d"},
        {(top / "datei").string(), ""},
    };
    for (const auto& row : rows) {
        row.xdgConfigHome.empty() ? ::unsetenv("XDG_CONFIG_HOME")
                                  : ::setenv("XDG_CONFIG_HOME", row.xdgConfigHome.c_str(), 1);
        std::filesystem::current_path(top / "arbeit");
        std::string file = "Prüfung.tkv";
        const auto failure = vrl::app::enterUserFolder(file);
        EXPECT_EQ(std::filesystem::current_path(),
                  top / (row.entered.empty() ? "arbeit" : row.entered));
        std::filesystem::current_path(old);
        EXPECT_EQ(file, (top / "arbeit/Prüfung.tkv").string());
        EXPECT_EQ(failure.has_value(), row.entered.empty()) << failure.value_or("");
    }
    ::setenv("HOME", oldHome.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(top);
}

}  // namespace
