// The status window, offscreen, against the simulated device on a pseudo-terminal. Polling is
// driven tick by tick through the timer's signal or the tick callback; no test waits for the
// real second.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/fenster.h"
#include "app/recorder.h"
#include "app/status_main.h"
#include "connection/com_controls.h"
#include "connection/vrlcom.h"
#include "gui/qt_app.h"
#include "params/parameter_panels.h"
#include "params/tkvcom.h"
#include "platform/gui/controls.h"
#include "platform/gui/led.h"
#include "platform/gui/toggle_button.h"
#include "platform/serial/port_map.h"
#include "platform/temp_config.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

using vrl::gui::Led;

constexpr int kSimPort = 21;
constexpr int kModules = 15;
constexpr int kFailedPollsToStop = 5;

const std::vector<QString> kStatusLampNames = {"STATUSLED1", "STATUSLED2", "STATUSLED3",
                                               "STATUSLED4", "STATUSLED9", "STATUSLED10",
                                               "STATUSLED11"};
const std::vector<int> kModuleColumns = {1, 9, 10};

std::string hexWord(unsigned word) {
    return QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper().toStdString();
}

// Module n's letters: "K" and the number as one hexadecimal digit.
std::string moduleLetters(int n) {
    return "K" + QString::number(n, 16).toStdString();
}

class StatusWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        vrl::com::resetState();
        Fenster_Initialisieren();
        line.addTkv('1');
        serial::setPortPath(kSimPort, line.devicePath());
        ASSERT_EQ(StatusMain_Initialisieren(), 0);
        panel = StatusMain_Panel();
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        StatusMain_Freigeben();
        vrl::com::unregisterAll();
        vrl::com::resetState();
        serial::setPortPath(kSimPort, "");
    }

    void openPort() { ASSERT_EQ(VrlCom_Open(kSimPort), 0); }
    Led* lamp(const QString& name) const {
        auto* found = panel->widget()->findChild<Led*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    Led* moduleLamp(int module, int column) const {
        return lamp(QStringLiteral("HDXSTATUS%1_%2").arg(module).arg(column));
    }
    QCheckBox* outputBox(int module) const {
        return panel->widget()->findChild<QCheckBox*>(QStringLiteral("HDXAUSGANG%1").arg(module));
    }
    // A tick as the running timer delivers it.
    void tick() { QMetaObject::invokeMethod(panel->ui.STATUSTIMER, "timeout"); }
    std::string lastFrame() const {
        const auto frames = line.frames();
        return frames.empty() ? std::string() : frames.back();
    }
    std::set<QString> litStatusLamps() const {
        std::set<QString> lit;
        for (const auto& name : kStatusLampNames)
            if (lamp(name)->isOn()) lit.insert(name);
        return lit;
    }
    void expectPollingOff() const {
        EXPECT_FALSE(panel->ui.STATUSTIMER->isActive());
        EXPECT_FALSE(panel->ui.TKVSTATUSABFRAGE->isChecked());
        EXPECT_EQ(panel->ui.TKVSTATUSABFRAGE->text(), "Statusabfrage einschalten");
        for (const auto& name : kStatusLampNames)
            EXPECT_TRUE(lamp(name)->isDimmed()) << name.toStdString();
    }

    TempConfigHome home;
    sim::Line line;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard{popups};
    vrl::gui::StatusPanel* panel = nullptr;
};

TEST_F(StatusWindow, StartsWithPollingOffDimmedLampsAndItsWindowEntry) {
    auto& ui = panel->ui;
    EXPECT_EQ(ui.TEXT_GERAETSTATUS->text(), "TKV-9D Status");
    EXPECT_EQ(ui.TEXT_GERAETSTEUERN->text(), "TKV-9D Steuern");
    EXPECT_TRUE(ui.ISTSTROM->isHidden());
    EXPECT_TRUE(ui.ISTSPANNUNG->isHidden());
    EXPECT_TRUE(ui.STATUSLED11->isHidden());
    EXPECT_TRUE(litStatusLamps().empty());
    expectPollingOff();
    for (int n = 1; n <= kModules; ++n)
        for (int column : kModuleColumns) {
            EXPECT_FALSE(moduleLamp(n, column)->isOn());
            EXPECT_FALSE(moduleLamp(n, column)->isDimmed());
        }

    Fenster_MenueintraegeErstellen();
    const auto items = ui.MENUSTATUS_FENSTER->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(QString(items[0]->text()).remove(QLatin1Char('&')), "Status");  // mnemonic
    EXPECT_TRUE(items[0]->isChecked());
}

TEST_F(StatusWindow, StatusWordLightsTheLampsOfItsBits) {
    struct Row {
        std::uint16_t word;
        std::set<QString> lit;
    };
    const std::vector<Row> rows = {
        {0x0301, {"STATUSLED1", "STATUSLED9", "STATUSLED10"}},
        {0x000F, {"STATUSLED1", "STATUSLED2", "STATUSLED3", "STATUSLED4"}},
        {0x00F0, {}},
        {0xF800, {}},
        {0x0400, {"STATUSLED11"}},
        {0x0000, {}},
    };
    openPort();
    panel->ui.TKVSTATUSABFRAGE->click();
    for (const auto& row : rows) {
        line.tkv('1').setStatusFlags(row.word);
        tick();
        EXPECT_EQ(litStatusLamps(), row.lit) << std::hex << row.word;
        EXPECT_TRUE(panel->ui.STATUSTIMER->isActive()) << std::hex << row.word;
    }
    EXPECT_TRUE(panel->ui.STATUSLED11->isHidden());
}

// Switching polling off, by the operator or by failed polls, dims the lamps and keeps them.
TEST_F(StatusWindow, PollingOffByToggleOrFailedPollKeepsTheLamps) {
    const std::set<QString> lit{"STATUSLED1", "STATUSLED9", "STATUSLED10"};
    openPort();
    auto* toggle = panel->ui.TKVSTATUSABFRAGE;
    toggle->click();
    EXPECT_TRUE(panel->ui.STATUSTIMER->isActive());
    EXPECT_EQ(toggle->text(), "Statusabfrage ausschalten");
    for (const auto& name : kStatusLampNames) EXPECT_FALSE(lamp(name)->isDimmed());
    line.tkv('1').setStatusFlags(0x0301);
    tick();
    line.tkv('1').setStatusFlags(0x0000);
    toggle->click();
    expectPollingOff();
    EXPECT_EQ(litStatusLamps(), lit);

    toggle->click();
    line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "S1R", kFailedPollsToStop});
    for (int i = 0; i < kFailedPollsToStop; ++i) tick();
    expectPollingOff();
    EXPECT_EQ(litStatusLamps(), lit);
    EXPECT_TRUE(panel->ui.FEHLERLED->isOn());
    EXPECT_NE(panel->ui.FEHLERNUMMER->value(), 0);
}

struct ToggleWay {
    const char* name;
    void (*flip)(vrl::gui::ToggleButton*);
};

// Catches a toggle that changes its caption but starts nothing when anything but a mouse click
// changed it: Space, a screen reader's toggle action, toggle() or setChecked().
TEST_F(StatusWindow, TogglesActOnTheirStateWhateverChangedIt) {
    const ToggleWay ways[] = {
        {"click", [](vrl::gui::ToggleButton* t) { t->click(); }},
        {"toggle", [](vrl::gui::ToggleButton* t) { t->toggle(); }},
        {"setChecked", [](vrl::gui::ToggleButton* t) { t->setChecked(!t->isChecked()); }},
        {"screen reader",
         [](vrl::gui::ToggleButton* t) {
             QAccessible::queryAccessibleInterface(t)->actionInterface()->doAction(
                 QAccessibleActionInterface::toggleAction());
         }},
    };
    auto* recorder = StatusMain_Recorder();
    ASSERT_NE(recorder, nullptr);
    auto* recording = panel->widget()->findChild<vrl::gui::ToggleButton*>("MESSWERTEAUFZEICHNEN");
    ASSERT_NE(recording, nullptr);
    for (const auto& way : ways) {
        way.flip(panel->ui.TKVSTATUSABFRAGE);
        EXPECT_TRUE(panel->ui.STATUSTIMER->isActive()) << way.name;
        EXPECT_FALSE(lamp("STATUSLED1")->isDimmed()) << way.name;
        way.flip(panel->ui.TKVSTATUSABFRAGE);
        expectPollingOff();

        way.flip(recording);
        EXPECT_TRUE(recorder->isRecording()) << way.name;
        way.flip(recording);
        EXPECT_FALSE(recorder->isRecording()) << way.name;
        EXPECT_EQ(recording->text(), "Messwerte aufzeichnen") << way.name;
    }
}

TEST_F(StatusWindow, PollingWithoutOpenPortEndsAfterFiveTicks) {
    panel->ui.TKVSTATUSABFRAGE->click();
    ASSERT_TRUE(panel->ui.STATUSTIMER->isActive());
    for (int i = 1; i < kFailedPollsToStop; ++i) tick();
    EXPECT_TRUE(panel->ui.STATUSTIMER->isActive());
    tick();
    expectPollingOff();
    EXPECT_TRUE(panel->ui.FEHLERLED->isOn());
    EXPECT_EQ(panel->ui.FEHLERNUMMER->value(), 122350);
    EXPECT_FALSE(panel->ui.FEHLERSTRING->text().isEmpty());
    EXPECT_TRUE(line.frames().empty());
}

// Faults caught: one garbled answer ends polling; the lamps of a failed poll look current; a
// recorded reading's success wipes the poll's error before the operator has read it.
TEST_F(StatusWindow, PollingGoesOnThroughASingleFailureWhoseReasonStays) {
    openPort();
    panel->ui.TKVSTATUSABFRAGE->click();
    line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "S1R", 1});
    tick();
    EXPECT_TRUE(panel->ui.STATUSTIMER->isActive());
    EXPECT_TRUE(lamp("STATUSLED1")->isDimmed());
    StatusMain_Recorder()->setRecording(true);
    StatusMain_Recorder()->tick();
    EXPECT_EQ(StatusMain_Recorder()->failedReads(), 0);
    EXPECT_TRUE(panel->ui.FEHLERLED->isOn()) << "the poll's error stays";
    tick();
    EXPECT_FALSE(panel->ui.FEHLERLED->isOn());
    EXPECT_FALSE(lamp("STATUSLED1")->isDimmed());
    StatusMain_Recorder()->setRecording(false);
}

TEST_F(StatusWindow, WritingOutputsSendsTheCheckedBoxesWithBit15) {
    struct Row {
        std::set<int> checked;
        std::string frame;
    };
    std::set<int> all;
    for (int n = 1; n <= kModules; ++n) all.insert(n);
    const std::vector<Row> rows = {
        {{}, "#1O0W8000\r"},   {all, "#1O0WFFFF\r"},        {{1}, "#1O0W8001\r"},
        {{15}, "#1O0WC000\r"}, {{1, 6, 12}, "#1O0W8821\r"},
    };
    openPort();
    for (const auto& row : rows) {
        for (int n = 1; n <= kModules; ++n)
            vrl::gui::setQuietly(outputBox(n), row.checked.count(n) != 0);
        panel->ui.AUSGAENGESCHREIBEN->click();
        EXPECT_EQ(lastFrame(), row.frame);
    }
}

TEST_F(StatusWindow, ReadingOutputsChecksTheBoxOfEachModuleBit) {
    struct Row {
        std::uint16_t mask;
        std::set<int> checked;
    };
    std::set<int> all;
    for (int n = 1; n <= kModules; ++n) all.insert(n);
    const std::vector<Row> rows = {
        {0xFFFF, all}, {0x8000, {}}, {0x0001, {1}}, {0x4000, {15}}, {0x8821, {1, 6, 12}},
    };
    openPort();
    for (const auto& row : rows) {
        ASSERT_TRUE(line.setValue('1', "O0", hexWord(row.mask)));
        panel->ui.AUSGAENGELESEN->click();
        EXPECT_EQ(lastFrame(), "#1O0R\r");
        for (int n = 1; n <= kModules; ++n)
            EXPECT_EQ(outputBox(n)->isChecked(), row.checked.count(n) != 0)
                << std::hex << row.mask << " module " << std::dec << n;
    }
    // A failed read leaves the boxes as the last row set them.
    ASSERT_TRUE(line.setValue('1', "O0", "FFFF"));
    line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "O0R", 1});
    panel->ui.AUSGAENGELESEN->click();
    for (int n = 1; n <= kModules; ++n)
        EXPECT_EQ(outputBox(n)->isChecked(), n == 1 || n == 6 || n == 12) << n;
    EXPECT_TRUE(panel->ui.FEHLERLED->isOn());
}

TEST_F(StatusWindow, ModuleWordLightsTheLampsOfItsRow) {
    struct Row {
        int module;
        std::uint16_t word;
        std::vector<bool> lit;  // found, unreachable, incomplete
    };
    const std::vector<Row> rows = {
        {1, 0x0001, {true, false, false}},   {2, 0x0100, {false, true, false}},
        {3, 0x0200, {false, false, true}},   {4, 0x0301, {true, true, true}},
        {10, 0xFCFE, {false, false, false}}, {15, 0x0201, {true, false, true}},
    };
    openPort();
    for (int n = 1; n <= kModules; ++n) ASSERT_TRUE(line.setValue('1', moduleLetters(n), "0000"));
    for (const auto& row : rows)
        ASSERT_TRUE(line.setValue('1', moduleLetters(row.module), hexWord(row.word)));
    panel->ui.HDXSTATUSABFRAGE->click();
    EXPECT_EQ(line.frames().size(), static_cast<std::size_t>(kModules));
    EXPECT_EQ(lastFrame(), "#1KfR\r");
    for (const auto& row : rows)
        for (std::size_t column = 0; column < kModuleColumns.size(); ++column)
            EXPECT_EQ(moduleLamp(row.module, kModuleColumns[column])->isOn(), row.lit[column])
                << "module " << row.module << " column " << kModuleColumns[column];
    EXPECT_FALSE(panel->ui.FEHLERLED->isOn());
}

TEST_F(StatusWindow, ModuleReadFailingAtModule6KeepsTheLaterRows) {
    openPort();
    for (int n = 1; n <= kModules; ++n) ASSERT_TRUE(line.setValue('1', moduleLetters(n), "0301"));
    panel->ui.HDXSTATUSABFRAGE->click();
    for (int n = 1; n <= kModules; ++n) ASSERT_TRUE(line.setValue('1', moduleLetters(n), "0000"));
    line.clearFrames();
    line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "K6R", 1});
    panel->ui.HDXSTATUSABFRAGE->click();

    EXPECT_EQ(line.frames().size(), 6u);
    for (int n = 1; n <= kModules; ++n)
        for (int column : kModuleColumns)
            EXPECT_EQ(moduleLamp(n, column)->isOn(), n >= 6)
                << "module " << n << " column " << column;
    EXPECT_TRUE(panel->ui.FEHLERLED->isOn());
    EXPECT_NE(panel->ui.FEHLERNUMMER->value(), 0);
}

TEST_F(StatusWindow, StartAndStopButtonsRunTheDeviceFunctions) {
    struct Row {
        QAbstractButton* button;
        std::string frame;
    };
    openPort();
    for (const auto& row : {Row{panel->ui.START, "#1DF1\r"}, Row{panel->ui.STOPP, "#1DF2\r"}}) {
        row.button->click();
        EXPECT_EQ(lastFrame(), row.frame);
    }
    // The buttons leave polling alone.
    EXPECT_FALSE(panel->ui.STATUSTIMER->isActive());
}

TEST_F(StatusWindow, ComLampLitWhileAnOperationStartedElsewhereRuns) {
    vrl::gui::MainPanel main;
    vrl::gui::KalibPanel calibration(main.widget());
    vrl::gui::RenamePanel rename(main.widget());
    vrl::params::QtParameterPanels parameterPanels(main, calibration, rename);
    std::vector<bool> seen;
    parameterPanels.otherComLamp = [&](bool on) {
        StatusMain_ComLed(on ? 1 : 0);
        seen.push_back(panel->ui.COMAKTIVLED->isOn());
    };
    openPort();
    ASSERT_EQ(TkvCom_GeraetStarten(), 0);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(panel->ui.COMAKTIVLED->isOn());

    // Start-up and shut-down call it around the window's lifetime.
    StatusMain_Freigeben();
    panel = nullptr;
    StatusMain_ComLed(1);
    EXPECT_EQ(StatusMain_Panel(), nullptr);
}

TEST_F(StatusWindow, BackButtonShowsTheMainWindowAndPollingGoesOn) {
    QMainWindow main;
    Fenster_HauptpanelSet(&main);
    panel->widget()->show();
    panel->ui.TKVSTATUSABFRAGE->click();
    panel->ui.ZURUECK->click();
    EXPECT_FALSE(panel->widget()->isVisible());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(panel->ui.STATUSTIMER->isActive());
    Fenster_HauptpanelSet(nullptr);
}

}  // namespace
