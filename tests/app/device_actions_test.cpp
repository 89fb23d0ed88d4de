// Device actions of the main and connection windows that the operator is asked about before and
// told about after: reading over a running device or unsaved data, storing over a program in the
// device, and an address found by a scan that is not the one in use.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <functional>
#include <string>
#include <vector>

#include "app/com_main.h"
#include "app/par_main.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "params/datastate.h"
#include "params/parametersatz.h"
#include "params/program.h"
#include "platform/gui/controls.h"
#include "platform/gui/led.h"
#include "platform/gui/panels.h"

namespace {

constexpr int kJa = 1, kNein = 2, kAlle = 2;

class DeviceActions : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        ASSERT_EQ(VrlCom_Open(kSimPort), 0);
        line.clearFrames();
    }
    Ui::MAINPANEL& main() { return ParMain_Panel()->ui; }
    std::vector<std::string> questions() const {
        std::vector<std::string> texts;
        for (const auto& shown : popups.shown)
            if (shown.kind == "question") texts.push_back(shown.text);
        return texts;
    }
    vrl::PopupsGuard guard{popups};
};

// Fault caught: "vom TKV-9D lesen" stops a device that may be running, or replaces unsaved
// edits, without a word; or what it read counts as saved and "Neu" drops it unasked.
TEST_F(DeviceActions, ReadingAsksWhenTheDeviceMayRunOrDataAreUnsaved) {
    struct Row {
        const char* name;
        bool knownStopped;  // polling on, "Kurve läuft" off
        bool edited;
        std::deque<int> answers;
        const char* asked;  // in the first question, "" for none before the range question
        bool read;
    };
    const Row rows[] = {
        {"state unknown, Nein", false, false, {kNein}, "wird angehalten", false},
        {"state unknown, Ja", false, false, {kJa, kAlle}, "wird angehalten", true},
        {"stopped, edited", true, true, {kNein}, "Nicht gespeicherte Änderungen", false},
        {"stopped, saved", true, false, {kAlle}, "", true},
    };
    for (const auto& row : rows) {
        Prog_Initialisieren();
        vrl::params::setName(ws.prog[5], "lokal");  // differs from what the device holds
        ws.datenGeaendert = row.edited;
        vrl::gui::setQuietly(StatusMain_Panel()->ui.TKVSTATUSABFRAGE, row.knownStopped);
        vrl::gui::setQuietly(StatusMain_Panel()->ui.STATUSLED1, false);
        popups.shown.clear();
        popups.answers = row.answers;
        line.clearFrames();
        main().PROGLESEN->click();
        const auto asked = questions();
        ASSERT_FALSE(asked.empty()) << row.name;
        if (*row.asked)
            EXPECT_NE(asked[0].find(row.asked), std::string::npos) << row.name << asked[0];
        else
            EXPECT_EQ(asked[0], "Nur aktuell ausgewähltes oder alle Programme lesen?") << row.name;
        EXPECT_EQ(!line.frames().empty(), row.read) << row.name;
        EXPECT_EQ(vrl::params::nameOf(ws.prog[5]) != "lokal", row.read) << row.name;
        // What was read is in no file: it counts as a change.
        if (row.read) {
            EXPECT_TRUE(ws.datenGeaendert) << row.name;
        }
    }
    vrl::gui::setQuietly(StatusMain_Panel()->ui.TKVSTATUSABFRAGE, false);
}

// Fault caught: "Speichern" overwrites a program in the device unasked, and neither button says
// what it did or to which address.
TEST_F(DeviceActions, StoringAsksFirstAndBothSayWhatWasDone) {
    struct Row {
        QPushButton* Ui::MAINPANEL::*button;
        std::deque<int> answers;
        std::vector<std::string> frames;
        const char* said;
    };
    const Row rows[] = {
        {&Ui::MAINPANEL::PROGRAMMSPEICHERN, {kNein}, {}, ""},
        {&Ui::MAINPANEL::PROGRAMMSPEICHERN,
         {kJa},
         {"#1PNP12\r"},
         "Arbeitsparameter als Programm 12 im TKV-9D gespeichert (Adresse 1)"},
        {&Ui::MAINPANEL::PROGRAMMEINSTELLEN,
         {},
         {"#1PNS12\r"},
         "Programm 12 eingestellt (Adresse 1)"},
    };
    main().PROGRAMMNUMMER->setValue(12);
    for (const auto& row : rows) {
        line.clearFrames();
        popups.shown.clear();
        popups.answers = row.answers;
        main().FEHLERSTRING->clear();
        (main().*row.button)->click();
        EXPECT_EQ(line.frames(), row.frames) << row.said;
        EXPECT_EQ(main().FEHLERSTRING->text().toStdString(), row.said);
        EXPECT_FALSE(main().FEHLERLED->isOn()) << row.said;
    }
    ASSERT_EQ(questions().size(), 0u);  // "Einstellen" replaces nothing stored
}

// Fault caught: after a scan the address control shows an address the device actions do not
// use, and nothing tells the operator.
TEST_F(DeviceActions, AFoundAddressNotInUseIsMarkedUntilChosen) {
    // Every address answers, so that the scan waits for no time-out; the last one found shows.
    for (char address = '2'; address <= '9'; ++address) line.addTkv(address);
    auto& com = ComMain_Panel()->ui;
    com.SCANN->click();
    EXPECT_EQ(vrl::gui::ringValue(com.ADRESSE), '9');
    EXPECT_EQ(VrlCom_AdresseGet(), '1');
    EXPECT_TRUE(vrl::gui::isRefused(com.ADRESSE));
    EXPECT_EQ(com.SCANNTEXT->text().toStdString(),
              "Gerät an Adresse 9 gefunden – verwendet wird Adresse 1; zum Verwenden Adresse "
              "wählen");

    emit com.ADRESSE->activated(com.ADRESSE->currentIndex());
    EXPECT_EQ(VrlCom_AdresseGet(), '9');
    EXPECT_FALSE(vrl::gui::isRefused(com.ADRESSE));
}

}  // namespace

// Fault caught: with a second device on the line, a device action leaves a message that does not
// say which address it went to, or a failure's catalogue text is changed to say so.
TEST_F(DeviceActions, EveryDeviceActionNamesTheAddressItWentTo) {
    line.addTkv('3');
    ASSERT_EQ(VrlCom_AdresseSet('3'), 0);
    auto& status = StatusMain_Panel()->ui;
    struct Row {
        std::function<void()> click;
        std::deque<int> answers;
        const char* said;  // on the error display's line, "" for a failure
        const char* statusLine;
    };
    const Row rows[] = {
        {[&] { main().START->click(); }, {}, "Start vom TKV-9D angenommen (Adresse 3)", ""},
        {[&] { main().STOPP->click(); }, {}, "Stopp vom TKV-9D angenommen (Adresse 3)", ""},
        {[&] { ComMain_Panel()->ui.IDLESEN->click(); }, {}, "ID gelesen (Adresse 3)", ""},
        {[&] { main().PROGLESEN->click(); },
         {kJa, 1},
         "Programme vom TKV-9D gelesen (Adresse 3)",
         ""},
        {[&] { main().PROGSCHREIBEN->click(); },
         {1},
         "Programme zum TKV-9D geschrieben (Adresse 3)",
         ""},
        {[&] { main().MENUMAIN_PROGRAMM_VERGLEICHEN->trigger(); },
         {kJa},
         "Programme zum Vergleich gelesen (Adresse 3)",
         ""},
        {[&] { status.START->click(); }, {}, "Start vom TKV-9D angenommen (Adresse 3)", ""},
        {[&] { status.HDXSTATUSABFRAGE->click(); }, {}, "hdx-4-Status gelesen (Adresse 3)", ""},
        {[&] { status.AUSGAENGELESEN->click(); }, {}, "Ausgänge gelesen (Adresse 3)", ""},
        {[&] { status.AUSGAENGESCHREIBEN->click(); }, {}, "Ausgänge geschrieben (Adresse 3)", ""},
        // Nobody answers at 4: the display keeps the catalogue's text, the status line names 4.
        {[&] {
             VrlCom_AdresseSet('4');
             main().START->click();
         },
         {},
         "",
         "„Start“ an Adresse 4 fehlgeschlagen"},
    };
    for (const auto& row : rows) {
        popups.answers = row.answers;
        main().FEHLERSTRING->clear();
        row.click();
        const std::string shown = main().FEHLERSTRING->text().toStdString();
        if (*row.said) {
            EXPECT_EQ(shown, row.said);
        } else {
            EXPECT_EQ(shown.find("Adresse"), std::string::npos) << shown;
            EXPECT_EQ(ParMain_GetMainpanel()->statusBar()->currentMessage().toStdString(),
                      row.statusLine);
        }
    }
}
