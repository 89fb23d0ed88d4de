#include "params/tkvcom.h"

#include <functional>
#include <thread>

#include "../connection/recording_view.h"
#include "connection/operation.h"
#include "params_fixture.h"
#include "platform/serial/scripted_backend.h"

namespace {

// A device that acknowledges every frame and answers every read with "1" (a name with "Name",
// the filter, whose range begins at 5 Hz, with "5").
std::string agreeableDevice(const std::string& frame) {
    if (frame.size() >= 6 && frame[4] == 'R') {
        const std::string value = frame[2] == 'N'                  ? "Name"
                                  : frame.compare(2, 2, "P6") == 0 ? "5"
                                                                   : "1";
        return "\x06" + frame.substr(0, 5) + value + "\r";
    }
    return "\x06";
}

class DeviceOperations : public ParamsTest {
  protected:
    void SetUp() override {
        ParamsTest::SetUp();
        vrl::com::setView(&view);
        peer.responder = agreeableDevice;
    }
    void TearDown() override {
        vrl::com::setView(nullptr);
        ParamsTest::TearDown();
    }
    void openPort() { ASSERT_EQ(VrlCom_Open(1), 0); }

    serial::ScriptedBackend peer;
    serial::BackendGuard guard{peer};
    RecordingView view;
};

TEST_F(DeviceOperations, WithoutPortNothingIsSentAndTheErrorShows) {
    EXPECT_EQ(TkvCom_GeraetStarten(), -122350);
    EXPECT_TRUE(peer.calls.empty());
    EXPECT_EQ(view.code, -122350);
    EXPECT_EQ(view.text, "Serielle Schnittstelle ist nicht geöffnet");
}

TEST_F(DeviceOperations, ModuleNumberIsCheckedFirst) {
    openPort();
    int status = 0;
    for (int module : {0, 16}) {
        EXPECT_EQ(TkvCom_HdxStatusLesen(module, &status), -504350);
    }
    EXPECT_TRUE(peer.frames.empty());
    EXPECT_EQ(view.errorShows, 0);
    EXPECT_TRUE(panels.comLamp.empty());
    EXPECT_EQ(TkvCom_HdxStatusLesen(12, &status), 0);
    EXPECT_EQ(peer.frames.back(), "#1KcR\r");
    EXPECT_EQ(status, 1);
}

TEST_F(DeviceOperations, SuccessClearsTheDisplaysAndLampsGoOnAndOff) {
    openPort();
    VrlCom_FehlermeldungSet(-403012);
    EXPECT_EQ(TkvCom_GeraetStoppen(), 0);
    EXPECT_EQ(peer.frames.back(), "#1DF2\r");
    EXPECT_EQ(view.code, 0);
    EXPECT_EQ(view.text, "");
    EXPECT_EQ(panels.comLamp, (std::vector<bool>{true, false}));
}

TEST_F(DeviceOperations, RecordReadTakesAllOrNothing) {
    openPort();
    Parametersatz record{};
    ParameterVorbelegen(&record);
    vrl::params::setName(record, "Alt");
    record.pruefspannung = 99.0;
    int reads = 0;
    peer.responder = [&](const std::string& frame) -> std::string {
        return ++reads == 10 ? "\x15" : agreeableDevice(frame);
    };
    EXPECT_EQ(TkvCom_ParameterLesen(&record), -402163);
    EXPECT_EQ(vrl::params::nameOf(record), "Alt");
    EXPECT_EQ(record.strom1, 0.0);
    EXPECT_EQ(view.code, -402163);

    peer.frames.clear();
    peer.responder = agreeableDevice;
    EXPECT_EQ(TkvCom_ParameterLesen(&record), 0);
    EXPECT_EQ(vrl::params::nameOf(record), "Name");
    EXPECT_EQ(record.strom1, 1.0);
    EXPECT_EQ(record.pruefspannung, 2.0);
    ASSERT_EQ(peer.frames.size(), 25u);
    EXPECT_EQ(peer.frames.front(), "#1N1R\r");
    EXPECT_EQ(peer.frames.back(), "#1B5R\r");
    for (const auto& frame : peer.frames) EXPECT_NE(frame, "#1V1R\r");
}

// A device that refuses the stop may be running a curve: none of the record reaches it.
TEST_F(DeviceOperations, RecordWriteEndsAtARefusedStop) {
    openPort();
    peer.reply("\x15");  // NAK to the stop
    EXPECT_EQ(TkvCom_ParameterSchreiben(&ws.parameter), -402039);
    ASSERT_EQ(peer.frames.size(), 1u);
    EXPECT_EQ(peer.frames[0], "#1DF2\r");
    EXPECT_EQ(view.code, -402039);
}

// The line work on a thread of its own, as the windows run it; the hooks are the window's thread
// while it waits: once the work is handed over but before the worker gets to it, and once the
// work is done but not yet returned.
struct WorkerHost : vrl::op::Host {
    void begin(std::string_view, vrl::op::Kind) override {}
    void end() override {}
    void progress(std::string_view, int, int) override {}
    int onLine(const std::function<int()>& work) override {
        int code = 0;
        handedOver();
        std::thread worker([&] { code = work(); });
        worker.join();
        workDone();
        return code;
    }
    std::function<void()> handedOver = [] {}, workDone = [] {};
};

// Faults caught: the worker reading the window's live record, so that an edit committed while a
// write waits reaches the device in the middle of the record; the worker writing a read into the
// caller's record while the window's thread may read it.
TEST_F(DeviceOperations, LineWorkerKeepsToItsOwnCopyOfTheRecord) {
    openPort();
    Parametersatz record = ws.parameter;
    ASSERT_EQ(TkvCom_ParameterSchreiben(&record), 0);
    const auto framesOfTheCall = peer.frames;
    peer.frames.clear();
    WorkerHost host;
    vrl::op::setHost(&host);
    host.handedOver = [&] { record.strom1 = 3.5; };
    EXPECT_EQ(TkvCom_ParameterSchreiben(&record), 0);
    EXPECT_EQ(peer.frames, framesOfTheCall);

    host.handedOver = [] {};
    host.workDone = [&] { EXPECT_EQ(record.zeit1, 1000.0) << "written before the work returned"; };
    EXPECT_EQ(TkvCom_ParameterLesen(&record), 0);
    vrl::op::setHost(nullptr);
    EXPECT_EQ(record.zeit1, 1.0);
}

TEST_F(DeviceOperations, OutputEnables) {
    openPort();
    EXPECT_EQ(TkvCom_OutputenableSchreiben(70000), -500081);
    EXPECT_EQ(view.code, -500081);
    EXPECT_EQ(view.text, "Parameter außerhalb der Grenzwerte");
    EXPECT_EQ(TkvCom_OutputenableSchreiben(0x8001), 0);
    EXPECT_EQ(peer.frames.back(), "#1O0W8001\r");
    int mask = 0;
    EXPECT_EQ(TkvCom_OutputenableLesen(&mask), 0);
    EXPECT_EQ(peer.frames.back(), "#1O0R\r");
}

TEST_F(DeviceOperations, AddressComesFromTheConnection) {
    openPort();
    ASSERT_EQ(VrlCom_AdresseSet('&'), 0);
    EXPECT_EQ(TkvCom_ProgrammEinstellen(4), 0);
    EXPECT_EQ(TkvCom_ProgrammAbspeichern(16), 0);
    EXPECT_EQ(peer.frames, (std::vector<std::string>{"#&PNS4\r", "#&PNP16\r"}));
    EXPECT_EQ(peer.reads(), 0);
    int status = 0;
    EXPECT_EQ(TkvCom_StatusLesen(&status), -400106);
}

TEST_F(DeviceOperations, ActualValues) {
    openPort();
    double current = 0, voltage = 0;
    EXPECT_EQ(TkvCom_IstwerteLesen(&current, &voltage), 0);
    EXPECT_EQ(peer.frames, (std::vector<std::string>{"#1C0R\r", "#1V0R\r"}));
    EXPECT_EQ(current, 1.0);
    EXPECT_EQ(voltage, 1.0);
}

}  // namespace
