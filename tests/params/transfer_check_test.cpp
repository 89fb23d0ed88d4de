// The check before a write: a table the driver would refuse somewhere sends nothing at all, and
// names the device reports back cut are asked about before the first frame.

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "../connection/recording_view.h"
#include "params/tkvcom.h"
#include "params/transfer_check.h"
#include "params_fixture.h"
#include "platform/serial/scripted_backend.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Acknowledges every frame; reads get "1" (which a filter of 1 Hz makes no record to write back).
std::string acknowledging(const std::string& frame) {
    if (frame.size() >= 6 && frame[4] == 'R') return "\x06" + frame.substr(0, 5) + "1\r";
    return "\x06";
}

class TransferCheck : public ParamsTest {
  protected:
    void SetUp() override {
        ParamsTest::SetUp();
        vrl::com::setView(&view);
        peer.responder = acknowledging;
        ASSERT_EQ(VrlCom_Open(1), 0);
    }
    void TearDown() override {
        vrl::com::setView(nullptr);
        ParamsTest::TearDown();
    }
    // Parameter reads and nothing else reached the device.
    bool onlyReads() const {
        for (const std::string& frame : peer.frames)
            if (frame.size() != 6 || frame[4] != 'R') return false;
        return true;
    }

    serial::ScriptedBackend peer;
    serial::BackendGuard guard{peer};
    RecordingView view;
};

struct BadEntry {
    const char* what;
    int entry;
    std::function<void(Parametersatz&)> spoil;
    int code;
    const char* field;
};

const BadEntry kBadEntries[] = {
    {"command in the name", 0, [](auto& r) { vrl::params::setName(r, "x\r#1DF1"); }, -510229,
     "programmname"},
    {"umlaut in the name", 16,
     [](auto& r) {
         vrl::params::setName(r,
                              "Pr\xc3\xbc"
                              "fling");
     },
     -510229, "programmname"},
    {"current not a number", 9, [](auto& r) { r.strom1 = kNaN; }, -500070, "strom1"},
    {"time of 1e9 ms", 9, [](auto& r) { r.zeit2 = 1e9; }, -500075, "zeit2"},
    {"curve 3", 1, [](auto& r) { r.stromkurve = 3; }, -500063, "stromkurve"},
    {"cycles -1", 16, [](auto& r) { r.zyklen = -1; }, -500080, "zyklen"},
    {"infinite offset", 5, [](auto& r) { r.kalibrierungOffset = kInf; }, -500062,
     "kalibrierungOffset"},
    {"gain too long for a frame", 5, [](auto& r) { r.kalibrierungVerstaerkung = 1e30; }, -113098,
     "kalibrierungVerstaerkung"},
    {"second of two bad fields", 7,
     [](auto& r) {
         r.zyklen = 70000;
         r.kalibriersollstrom1 = 4.095;
     },
     -500080, "zyklen"},
};

TEST_F(TransferCheck, RefusedEntryStopsTheWholeWriteBeforeTheFirstFrame) {
    for (const BadEntry& row : kBadEntries) {
        SCOPED_TRACE(row.what);
        Prog_Initialisieren();
        row.spoil(ws.prog[static_cast<std::size_t>(row.entry)]);
        const auto check = vrl::params::checkEntries(ws.prog, 0, 16);
        EXPECT_EQ(check.refusal.code, row.code);
        EXPECT_EQ(check.refusal.entry, row.entry);
        EXPECT_EQ(check.refusal.field, row.field);
        peer.frames.clear();
        EXPECT_EQ(Prog_ProgrammeSchreiben(0, 16), row.code);
        EXPECT_EQ(Prog_ProgrammeSchreiben(row.entry, row.entry), row.code);
        EXPECT_TRUE(peer.frames.empty());
        EXPECT_EQ(view.code, row.code);
    }
}

TEST_F(TransferCheck, OnlyTheEntriesAndFieldsThatAreSentCount) {
    ws.prog[9].strom1 = kNaN;
    ws.prog[3].pruefspannung = kNaN;  // the device's own, never written
    EXPECT_EQ(vrl::params::checkEntries(ws.prog, 0, 8).refusal.code, 0);
    EXPECT_EQ(Prog_ProgrammeSchreiben(0, 0), 0);
    EXPECT_EQ(peer.frames.size(), 26u);
}

TEST_F(TransferCheck, RecordWriteSendsNoPartOfARefusedRecord) {
    ws.parameter.strom1 = 5.0;
    EXPECT_EQ(TkvCom_ParameterSchreiben(&ws.parameter), -500070);
    EXPECT_TRUE(peer.frames.empty()) << "not even the stop";
    EXPECT_EQ(view.code, -500070);
    // A program goes to the device only if its working parameters can go back after it: a
    // filter of 1 Hz is none the device can hold, and the read of them ends there.
    EXPECT_EQ(Prog_ProgrammeSchreiben(5, 5), vrl::params::kReadNoValue);
    EXPECT_TRUE(onlyReads());
    EXPECT_EQ(peer.frames.size(), 4u);
}

constexpr int kAll = 2;

TEST_F(TransferCheck, WriteButtonNamesTheRefusedEntryAndField) {
    ws.prog[9].strom1 = kNaN;
    popups.answers = {kAll};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), -500070);
    ASSERT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[1].kind, "message");
    EXPECT_EQ(popups.shown[1].title, "Fehler in den Parametern");
    EXPECT_EQ(popups.shown[1].text,
              "Eintrag 9, Feld strom1: Parameter außerhalb der Grenzwerte\n"
              "Es wurde nichts zum TKV-9D geschrieben.");
    EXPECT_TRUE(peer.frames.empty());
    EXPECT_EQ(view.code, -500070);
    EXPECT_EQ(view.text, "Parameter außerhalb der Grenzwerte");
}

TEST_F(TransferCheck, NamesTheDeviceReportsBackCutAreAskedAboutFirst) {
    vrl::params::setName(ws.prog[4], "Dauerlauf mit Abschaltung");        // 25 characters
    vrl::params::setName(ws.prog[12], std::string(23, 'x'));              // comes back whole
    vrl::params::setName(ws.parameter, "Arbeitsparameter vom Mai 2026");  // 27 of them stored
    const std::string question =
        "Eintrag A: der Name \"Arbeitsparameter vom Mai 20\" hat 27 Zeichen, das TKV-9D meldet "
        "nur die ersten 23 zurück.\n"
        "Eintrag 4: der Name \"Dauerlauf mit Abschaltung\" hat 25 Zeichen, das TKV-9D meldet "
        "nur die ersten 23 zurück.\n"
        "Trotzdem schreiben?";
    constexpr int kWrite = 1, kCancel = 2;

    popups.answers = {kAll, kCancel};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), -6000);
    ASSERT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[1].title, "Programme zu TKV-9D schreiben");
    EXPECT_EQ(popups.shown[1].text, question);
    EXPECT_EQ(popups.shown[1].buttons, (std::vector<std::string>{"schreiben", "Abbrechen", ""}));
    EXPECT_TRUE(peer.frames.empty());

    popups.answers = {kAll, kWrite};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
    ASSERT_EQ(peer.frames.size(), 17u * 26 + 16);
    EXPECT_EQ(peer.frames[(4 - 1) * 27 + 1], "#1N1WDauerlauf mit Abschaltung\r");
    EXPECT_EQ(peer.frames.back(), "#1B5W1.000000\r");
}

}  // namespace
