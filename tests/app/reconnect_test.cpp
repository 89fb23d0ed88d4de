// An adapter pulled out while the status window polls and records, and plugged in again: the
// simulated device's line ends and a new one takes the same COM port's link.

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/com_main.h"
#include "app/ini.h"
#include "app/recorder.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "connection/com_controls.h"
#include "platform/gui/led.h"
#include "platform/gui/port_picture_ring.h"

namespace {

using Link = vrl::gui::PortPictureRing::Link;

class Reconnect : public PanelsTest {
  protected:
    // The port the settings file would name at the end now.
    static int comSetting() {
        IniText store = Ini_New(1);
        ComMain_WriteIni(store);
        int port = -1;
        Ini_GetInt(store, "com", "com", &port);
        Ini_Dispose(store);
        return port;
    }
};

// Faults caught: a vanished port reported as a silent device ("Fehler beim Leeren"), polling and
// recording ended by it, the plug showing the port as connected, lamps that look current, no
// reopen once the adapter is back, a different device taken for the one that was there, and the
// port forgotten by the settings when the program ends while it is away.
TEST_F(Reconnect, AVanishedPortIsSaidPlainlyAndReopenedForTheSameDeviceOnly) {
    struct Row {
        const char* name;
        const char* idBack;  // the device at the port once it is back
        const char* message;
        int port;  // open afterwards
    };
    const Row rows[] = {
        {"same device", "VRL-TKV9D-A", "COM 7 wieder verbunden (VRL-TKV9D-A)", kSimPort},
        {"another device", "VRL-TKV9D-B",
         "An COM 7 antwortet ein anderes Gerät (VRL-TKV9D-B) – nicht verbunden", 0},
    };
    auto& status = StatusMain_Panel()->ui;
    auto* recorder = StatusMain_Recorder();
    auto* plug = ComMain_Panel()->ui.COMPICTURERING;
    for (const auto& row : rows) {
        vrl::com::resetState();
        auto adapter = std::make_unique<sim::Line>();
        adapter->addTkv('1', "VRL-TKV9D-A");
        serial::setPortPath(kSimPort, adapter->devicePath());
        ASSERT_EQ(VrlCom_Open(kSimPort), 0) << row.name;
        ASSERT_EQ(VrlCom_IdLesen(), 0) << row.name;
        status.TKVSTATUSABFRAGE->setChecked(true);
        status.STATUSTIMER->stop();  // the ticks come from the test
        popups.answers = {2};        // an earlier recording is dropped
        recorder->setRecording(true);
        recorder->timer()->start(3600 * 1000);  // recording, its ticks from the test

        adapter.reset();  // pulled out
        Callback_Statustimer();
        EXPECT_EQ(status.FEHLERSTRING->text(),
                  "COM 7 getrennt – wird wieder verbunden, sobald der Adapter zurück ist")
            << row.name;
        EXPECT_EQ(plug->link(), Link::Gone) << row.name;
        EXPECT_EQ(comSetting(), kSimPort) << row.name << ": the port to open at the next start";
        for (int i = 0; i < 2 * vrl::app::MeasurementRecorder::kFailuresToStop; ++i) {
            Callback_Statustimer();
            recorder->tick();
        }
        EXPECT_TRUE(status.TKVSTATUSABFRAGE->isChecked()) << row.name << ": polling paused";
        EXPECT_TRUE(recorder->isRecording()) << row.name << ": recording paused";
        EXPECT_TRUE(status.STATUSLED1->isDimmed()) << row.name;

        adapter = std::make_unique<sim::Line>();  // plugged in again
        adapter->addTkv('1', row.idBack);
        serial::setPortPath(kSimPort, adapter->devicePath());
        QTRY_VERIFY_WITH_TIMEOUT(!VrlCom_WartetAufAdapter(), 5000);
        EXPECT_EQ(status.FEHLERSTRING->text(), row.message) << row.name;
        EXPECT_EQ(VrlCom_ComPortGet(), row.port) << row.name;
        EXPECT_EQ(plug->link(), row.port ? Link::Connected : Link::Gone) << row.name;
        if (row.port) {
            Callback_Statustimer();
            recorder->tick();
            EXPECT_FALSE(status.FEHLERLED->isOn()) << row.name;
            EXPECT_FALSE(status.STATUSLED1->isDimmed()) << row.name;
            ASSERT_FALSE(recorder->samples().empty()) << row.name;
            EXPECT_TRUE(std::isfinite(recorder->samples().back().current)) << row.name;
        }
        recorder->setRecording(false);
        status.TKVSTATUSABFRAGE->setChecked(false);
    }
    serial::setPortPath(kSimPort, line.devicePath());
}

}  // namespace
