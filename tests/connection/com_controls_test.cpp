// The connection panel's controls registered with the connection manager, offscreen, against the
// simulated device on a pseudo-terminal.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

#include "connection/com_controls.h"
#include "connection/vrlcom.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "gui/qt_app.h"
#include "platform/gui/controls.h"
#include "platform/gui/panels.h"
#include "platform/serial/port_map.h"
#include "platform/temp_config.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

constexpr int kSimPort = 20;

class ComControls : public ::testing::Test {
  protected:
    void SetUp() override {
        vrl::com::resetState();
        line.addTkv('2', "VRL-TKV9D-ZWEI");
        serial::setPortPath(kSimPort, line.devicePath());
        vrl::com::registerComPanel(panel.ui);
    }
    void TearDown() override {
        vrl::com::unregisterAll();
        vrl::com::resetState();
        serial::setPortPath(kSimPort, "");
    }
    void choosePort(int port) {
        const int index = vrl::gui::ringIndexOf(panel.ui.COMPORT, port);
        ASSERT_GE(index, 0) << port;
        panel.ui.COMPORT->setCurrentIndex(index);
        emit panel.ui.COMPORT->activated(index);
    }

    TempConfigHome home;
    sim::Line line;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard{popups};
    vrl::gui::ComPanel panel;
};

TEST_F(ComControls, RingListsNotOpenFirstThenPorts) {
    auto* ring = panel.ui.COMPORT;
    ASSERT_GE(ring->count(), 2);
    EXPECT_EQ(ring->itemText(0), "nicht geöffnet");
    EXPECT_EQ(vrl::gui::ringValue(ring), 0);
    EXPECT_GE(vrl::gui::ringIndexOf(ring, kSimPort), 1);
    EXPECT_EQ(ring->itemText(vrl::gui::ringIndexOf(ring, kSimPort)), "COM 20");
}

TEST_F(ComControls, ChoosingAPortOpensItAndShowsItEverywhere) {
    VrlCom_FehlermeldungSet(-403012);
    choosePort(kSimPort);
    EXPECT_EQ(VrlCom_ComPortGet(), kSimPort);
    EXPECT_EQ(panel.ui.COMPICTURERING->value(), 99);
    EXPECT_FALSE(panel.ui.FEHLERLED->isOn());
    EXPECT_EQ(panel.ui.FEHLERSTRING->text(), "");
    EXPECT_EQ(panel.ui.FEHLERNUMMER->value(), 0);
}

TEST_F(ComControls, FailedSwitchShowsNotOpenAndTheError) {
    choosePort(kSimPort);
    serial::setPortPath(kSimPort + 1, "/nonexistent/tty");
    VrlCom_ComPortListeErstellen(panel.ui.COMPORT);
    choosePort(kSimPort + 1);
    EXPECT_EQ(VrlCom_ComPortGet(), 0);
    EXPECT_EQ(VrlCom_LastComPortGet(), kSimPort);
    EXPECT_EQ(vrl::gui::ringValue(panel.ui.COMPORT), 0);
    EXPECT_EQ(panel.ui.COMPICTURERING->value(), 0);
    EXPECT_TRUE(panel.ui.FEHLERLED->isOn());
    EXPECT_EQ(panel.ui.FEHLERSTRING->text(), "Fehler beim öffnen der seriellen Schnittstelle");
    EXPECT_EQ(panel.ui.FEHLERNUMMER->value(), 100003);
    serial::setPortPath(kSimPort + 1, "");
}

TEST_F(ComControls, PortHeldByAnotherProgramNamesTheHolder) {
    constexpr int kHolder = kSimPort + 2;  // the other program, on the same device
    serial::setPortPath(kHolder, line.devicePath());
    ASSERT_EQ(VRLTKV9D_Open(kHolder, 9600), 0);
    choosePort(kSimPort);
    EXPECT_EQ(VrlCom_ComPortGet(), 0);
    EXPECT_EQ(panel.ui.FEHLERNUMMER->value(), 100003);
    EXPECT_TRUE(panel.ui.FEHLERSTRING->text().startsWith(QString::fromStdString(
        "Fehler beim öffnen der seriellen Schnittstelle: " + line.devicePath() +
        " ist belegt von Prozess " + std::to_string(::getpid()))))
        << panel.ui.FEHLERSTRING->text().toStdString();
    VRLTKV9D_Close(kHolder);
    serial::setPortPath(kHolder, "");
}

// The start of an error text says what went wrong: a text longer than the display shows from
// there, and the whole of it is in the tool tip.
TEST_F(ComControls, LongErrorTextShowsItsBeginning) {
    auto* display = panel.ui.FEHLERSTRING;
    panel.widget()->resize(400, 300);
    panel.widget()->show();
    const std::string detail(200, 'x');
    VRL_Fehleruserstring(detail);
    VrlCom_FehlermeldungSet(-403012);
    const QString text = display->text();
    ASSERT_GT(display->fontMetrics().horizontalAdvance(text), display->width());
    EXPECT_TRUE(text.endsWith(QString::fromStdString(detail)));
    EXPECT_EQ(display->cursorPosition(), 0);
    EXPECT_EQ(display->toolTip(), text);
    // As painted: the first character is the one at the left edge.
    display->grab();
    EXPECT_EQ(display->cursorPositionAt(QPoint(display->contentsRect().left() + 4, 8)), 0);
}

TEST_F(ComControls, PictureRingClickTogglesAndDoubleClickTogglesTwice) {
    choosePort(kSimPort);
    emit panel.ui.COMPICTURERING->leftClicked();
    EXPECT_EQ(VrlCom_ComPortGet(), 0);
    emit panel.ui.COMPICTURERING->leftClicked();
    EXPECT_EQ(VrlCom_ComPortGet(), kSimPort);
    // A double click arrives as a click and then a double click.
    emit panel.ui.COMPICTURERING->leftClicked();
    emit panel.ui.COMPICTURERING->doubleClicked();
    EXPECT_EQ(VrlCom_ComPortGet(), kSimPort);
}

TEST_F(ComControls, VanishedPortIsClosedWhenTheListIsRebuilt) {
    choosePort(kSimPort);
    serial::setPortPath(kSimPort, "");
    VrlCom_ComPortListeErstellen(panel.ui.COMPORT);
    EXPECT_EQ(VrlCom_ComPortGet(), 0);
    EXPECT_EQ(vrl::gui::ringValue(panel.ui.COMPORT), 0);
}

TEST_F(ComControls, AddressRingSetsTheAddressInUse) {
    auto* ring = panel.ui.ADRESSE;
    const int all = vrl::gui::ringIndexOf(ring, '&');
    ASSERT_GE(all, 0);
    EXPECT_EQ(ring->itemText(all), "alle");
    ring->setCurrentIndex(all);
    emit ring->activated(all);
    EXPECT_EQ(VrlCom_AdresseGet(), '&');
    ASSERT_EQ(VrlCom_AdresseSet('7'), 0);
    EXPECT_EQ(vrl::gui::ringValue(ring), '7');
}

TEST_F(ComControls, ScanLightsTheFoundDeviceGreen) {
    EXPECT_EQ(VrlCom_Scan(), -122305);  // no port: no lamp touched
    choosePort(kSimPort);
    VRLTKV9D_Timeout(kSimPort, 0.05);
    panel.ui.SCANN->click();
    auto& ui = panel.ui;
    EXPECT_TRUE(ui.LED2->isOn());
    EXPECT_EQ(ui.LED2->onColor(), QColor(0x00, 0xFF, 0x00));
    for (auto* led : {ui.LED1, ui.LED3, ui.LED4, ui.LED5, ui.LED6, ui.LED7, ui.LED8, ui.LED9})
        EXPECT_FALSE(led->isOn());
    EXPECT_EQ(vrl::gui::ringValue(ui.ADRESSE), '2');
    EXPECT_EQ(VrlCom_AdresseGet(), '1');
    EXPECT_EQ(ui.ID->text(), "VRL-TKV9D-ZWEI");
    EXPECT_EQ(ui.SCANNTEXT->text(), "");
    EXPECT_FALSE(ui.FEHLERLED->isOn());
}

TEST_F(ComControls, IdButtonReadsTheAddressInUse) {
    choosePort(kSimPort);
    VRLTKV9D_Timeout(kSimPort, 0.05);
    panel.ui.IDLESEN->click();
    EXPECT_EQ(panel.ui.ID->text(), "");
    EXPECT_EQ(panel.ui.FEHLERNUMMER->value(), 403012);
    ASSERT_EQ(VrlCom_AdresseSet('2'), 0);
    panel.ui.IDLESEN->click();
    EXPECT_EQ(panel.ui.ID->text(), "VRL-TKV9D-ZWEI");
    EXPECT_EQ(panel.ui.FEHLERNUMMER->value(), 0);
}

TEST_F(ComControls, FullTablesDropTheControlAfterAMessage) {
    std::vector<std::unique_ptr<vrl::gui::ComPanel>> more;
    for (int i = 0; i < 10; ++i) {
        more.push_back(std::make_unique<vrl::gui::ComPanel>());
        VrlCom_RegisterPictureringControl(more.back()->ui.COMPICTURERING);
        VrlCom_RegisterFehlerControls(more.back()->ui.FEHLERLED, more.back()->ui.FEHLERSTRING,
                                      more.back()->ui.FEHLERNUMMER);
    }
    for (int i = 0; i < 7; ++i) VrlCom_RegisterAdressLeds(more[0]->ui.LED1);
    ASSERT_EQ(popups.shown.size(), 3u);
    EXPECT_EQ(popups.shown[0].title, "Interner Fehler");
    EXPECT_EQ(popups.shown[0].text, "MAX_PICTURERINGCONTROLS ist zu klein");
    EXPECT_EQ(popups.shown[1].text, "MAX_FEHLERCONTROLS ist zu klein");
    EXPECT_EQ(popups.shown[2].text, "MAX_ADRESSLEDS ist zu klein");
    VrlCom_FehlermeldungSet(-403012);
    EXPECT_EQ(more[8]->ui.FEHLERNUMMER->value(), 403012);
    EXPECT_EQ(more[9]->ui.FEHLERNUMMER->value(), 0);  // dropped
    VrlCom_FehlermeldungSet(0);
    EXPECT_EQ(panel.ui.FEHLERSTRING->text(), "");
}

}  // namespace
