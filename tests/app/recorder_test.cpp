// The status window's recording of actual current and voltage, offscreen, against the simulated
// device. The simulator and the recording share one clock moved by hand: no test waits for a
// real period.

#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <vector>

#include "app/export_picture.h"
#include "app/fenster.h"
#include "app/recorder.h"
#include "app/status_main.h"
#include "connection/com_controls.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/serial/port_map.h"
#include "platform/temp_config.h"
#include "sim/clock.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

using vrl::app::MeasurementRecorder;
using vrl::app::recordingCsv;
using vrl::app::Sample;
using namespace std::chrono_literals;

constexpr int kSimPort = 22;

class Recording : public ::testing::Test {
  protected:
    void SetUp() override {
        vrl::com::resetState();
        Fenster_Initialisieren();
        line.setClock(clock.clock());
        line.addTkv('1');
        serial::setPortPath(kSimPort, line.devicePath());
        ASSERT_EQ(StatusMain_Initialisieren(), 0);
        recorder = StatusMain_Recorder();
        ASSERT_NE(recorder, nullptr);
        recorder->setClock([this] {
            return std::chrono::duration<double>(clock.now().time_since_epoch()).count();
        });
        ASSERT_EQ(VrlCom_Open(kSimPort), 0);
    }
    void TearDown() override {
        StatusMain_Freigeben();
        vrl::com::unregisterAll();
        vrl::com::resetState();
        serial::setPortPath(kSimPort, "");
    }

    // The drawn reference at time t [s]: on a jump, the value after it.
    double referenceAt(double t) const {
        const auto& points = *recorder->referenceSeries()->data();
        for (int i = 1; i < points.size(); ++i) {
            const QCPGraphData a = *points.at(i - 1), b = *points.at(i);
            if (t < a.key || t >= b.key) continue;
            return a.value + (b.value - a.value) * (t - a.key) / (b.key - a.key);
        }
        return 0.0;  // before the start and after the end of the run
    }

    vrl::params::ScopedWorkspace ws;
    TempConfigHome home;
    sim::ManualClock clock;
    sim::Line line;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard{popups};
    MeasurementRecorder* recorder = nullptr;
};

// The simulator's actual current is the programmed curve at the moment of the read, taken on
// the clock the recording stamps its samples with, so every sample lies on the drawn reference
// to the wire's resolution: iststrom carries 3 decimals (±0.0005 A), istspannung 1 (±0.05 V,
// the simulated load is 2 Ohm below the test voltage of 2 V). Samples every 70 ms never fall on
// a step's edge, so no sample is a race between two steps.
TEST_F(Recording, RecordedCurrentFollowsTheProgrammedCurve) {
    struct Row {
        const char* name;
        int form;
        std::array<double, 4> current;  // [A]
        std::array<double, 4> time;     // [ms]
        int cycles;
    };
    const Row rows[] = {
        {"four steps, a zero time", 1, {0.5, 1.2, 3.0, 0.8}, {300, 200, 0, 500}, 2},
        {"triangle", 2, {0.2, 1.0, 0.6, 0.0}, {250, 400, 150, 200}, 3},
    };
    for (const auto& row : rows) {
        Parametersatz& record = ws.prog[0];
        record.stromkurve = row.form;
        record.strom1 = row.current[0], record.strom2 = row.current[1];
        record.strom3 = row.current[2], record.strom4 = row.current[3];
        record.zeit1 = row.time[0], record.zeit2 = row.time[1];
        record.zeit3 = row.time[2], record.zeit4 = row.time[3];
        record.zyklen = row.cycles;
        ASSERT_EQ(TkvCom_ParameterSchreiben(&record), 0) << row.name;
        popups.answers = {2};  // "Verwerfen": the row before needs no keeping
        recorder->toggle()->click();
        ASSERT_TRUE(recorder->isRecording()) << row.name;
        ASSERT_EQ(TkvCom_GeraetStarten(), 0) << row.name;
        ASSERT_GT(recorder->referenceSeries()->dataCount(), 0) << row.name;

        for (int n = 0; n < 60; ++n) {  // past the end of the run
            clock.advance(70ms);
            recorder->tick();
        }
        ASSERT_EQ(recorder->samples().size(), 60u) << row.name;
        recorder->flush();
        EXPECT_EQ(recorder->currentSeries()->dataCount(), 60) << row.name;
        int on = 0;
        for (const Sample& sample : recorder->samples()) {
            const double expected = referenceAt(sample.time);
            EXPECT_NEAR(sample.current, expected, 0.0005) << row.name << " at " << sample.time;
            EXPECT_NEAR(sample.voltage, std::min(expected * 2.0, 2.0), 0.05)
                << row.name << " at " << sample.time;
            if (expected > 0) ++on;
        }
        EXPECT_GT(on, 20) << row.name << ": the run was recorded, not only its end";
        recorder->toggle()->click();
        EXPECT_FALSE(recorder->isRecording()) << row.name;
    }
}

// Fault caught: a tick that falls into another operation (the status poll at a multiple of
// its period) is lost; at 0.2 s one reading in five.
TEST_F(Recording, TickDuringAnotherOperationIsReadRightAfterIt) {
    EXPECT_DOUBLE_EQ(recorder->period()->value(), 1.0);
    recorder->period()->setValue(0.2);
    EXPECT_EQ(recorder->timer()->interval(), 200);
    recorder->period()->setValue(5.0);  // no regular tick while the test waits
    recorder->toggle()->click();
    line.clearFrames();
    for (const auto kind : {vrl::op::Kind::Operator, vrl::op::Kind::Background}) {
        const vrl::op::Operation other("anderer Vorgang", kind);
        recorder->tick();
    }
    EXPECT_TRUE(line.frames().empty());
    EXPECT_TRUE(recorder->samples().empty());
    EXPECT_EQ(recorder->lateTicks(), 1);

    EXPECT_TRUE(QTest::qWaitFor([this] { return recorder->samples().size() == 1u; }, 2000));
    EXPECT_EQ(line.frames(), (std::vector<std::string>{"#1C0R\r", "#1V0R\r"}));
    EXPECT_TRUE(recorder->isRecording());
}

// Fault caught: one garbled answer ends the whole recording, the failed reading leaves no
// trace in the CSV, or the plot joins the readings on either side across it.
TEST_F(Recording, FailedReadsAreGapsUntilFiveInARow) {
    struct Row {
        int failures;
        bool stillRecording;
    };
    for (const Row row : {Row{4, true}, Row{5, false}}) {
        popups.answers = {2};  // "Verwerfen" for the row before
        recorder->toggle()->click();
        ASSERT_TRUE(recorder->isRecording()) << row.failures;
        line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "C0R", row.failures});
        for (int n = 0; n <= row.failures; ++n) {
            clock.advance(200ms);
            recorder->tick();
        }
        EXPECT_EQ(recorder->isRecording(), row.stillRecording) << row.failures;
        EXPECT_EQ(recorder->failedReads(), row.failures);
        const std::string csv = recordingCsv(recorder->samples());
        std::size_t gaps = 0;
        for (std::size_t at = csv.find(",,\n"); at != std::string::npos;
             at = csv.find(",,\n", at + 1))
            ++gaps;
        EXPECT_EQ(gaps, static_cast<std::size_t>(row.failures)) << csv;
        recorder->flush();
        EXPECT_EQ(recorder->gapSeries()->dataCount(), row.failures);
        for (const QCPGraph* graph : {recorder->currentSeries(), recorder->voltageSeries()})
            EXPECT_EQ(std::count_if(graph->data()->constBegin(), graph->data()->constEnd(),
                                    [](const QCPGraphData& p) { return std::isnan(p.value); }),
                      row.failures);
        if (recorder->isRecording()) recorder->toggle()->click();
    }
}

// Fault caught: a second click on "Messwerte aufzeichnen" drops a recording not saved, unasked.
TEST_F(Recording, ANewRecordingOverOneNotSavedAsksFirst) {
    struct Row {
        int answer;  // "Speichern", "Verwerfen", "Abbrechen"
        bool recording;
        std::size_t samplesLeft;
        bool fileWritten;
    };
    const Row rows[] = {{3, false, 1, false}, {2, true, 0, false}, {1, true, 0, true}};
    const std::string path = (std::filesystem::path(home.path()) / "vorher.csv").string();
    for (const auto& row : rows) {
        std::filesystem::remove(path);
        recorder->append({0.0, 0.5, 1.0});
        popups.shown.clear();
        popups.answers = {row.answer};
        popups.files = {path};
        recorder->toggle()->click();
        ASSERT_FALSE(popups.shown.empty()) << row.answer;
        EXPECT_EQ(popups.shown[0].buttons,
                  (std::vector<std::string>{"Speichern", "Verwerfen", "Abbrechen"}));
        EXPECT_EQ(recorder->isRecording(), row.recording) << row.answer;
        EXPECT_EQ(recorder->toggle()->isChecked(), row.recording) << row.answer;
        EXPECT_EQ(recorder->samples().size(), row.samplesLeft) << row.answer;
        EXPECT_EQ(std::filesystem::exists(path), row.fileWritten) << row.answer;
        if (recorder->isRecording()) recorder->toggle()->click();
    }
}

// Fault caught: times with the clock's noise (0.19009005600003093), a German spreadsheet that
// reads the file as one column of text, or missed ticks that leave no line in the file.
TEST_F(Recording, SavesTheSamplesAsCsvInTheChosenForm) {
    for (const Sample& sample : {Sample{0.0, 0.5, 1.0}, Sample{0.19009005600003093, 1.25, 2.0},
                                 Sample{3600.4, 0.001, 0.0}})
        recorder->append(sample);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Sample failed{0.6, nan, nan};
    const vrl::app::MissedTick missed[] = {{0.4, vrl::app::MissedBecause::LineBusy}};
    struct Row {
        int form;
        std::string text;
    };
    const Row rows[] = {
        {0,
         "time_s,current_A,voltage_V\n0,0.5,1\n0.19,1.25,2\n# 0.4 ausgelassen: Leitung belegt\n"
         "0.6,,\n3600.4,0.001,0\n"},
        {1,
         "\xEF\xBB\xBFZeit [s];I-Ist [A];U-Ist [V]\n0;0,5;1\n0,19;1,25;2\n"
         "# 0,4 ausgelassen: Leitung belegt\n0,6;;\n3600,4;0,001;0\n"},
    };
    std::vector<Sample> samples = recorder->samples();
    samples.insert(samples.begin() + 2, failed);
    const std::string path = (std::filesystem::path(home.path()) / "aufzeichnung").string();
    for (const auto& row : rows) {
        const auto form = row.form == 1 ? vrl::app::CsvForm::German : vrl::app::CsvForm::Plain;
        EXPECT_EQ(recordingCsv(samples, missed, form), row.text) << row.form;
        // The form is the one whose filter the operator picked in the file dialog.
        popups.files = {path};
        popups.forms = {row.form};
        recorder->askAndSaveCsv();
        std::ifstream in(path + ".csv", std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(text, recordingCsv(recorder->samples(), {}, form)) << row.form;
    }
}

// Fault caught: ticks that fall inside a long read, a held-up timer or a pause are neither
// counted nor in the file: the screen and the CSV report fewer ticks than the period had.
TEST_F(Recording, EveryTickIsReadFailedOrMissed) {
    struct Row {
        const char* name;
        std::function<void()> ticks;
        int read, failed, missed;
    };
    const auto tickAfter = [this](std::chrono::milliseconds wait) {
        clock.advance(wait);
        recorder->tick();
    };
    const Row rows[] = {
        {"timer held up for four periods",
         [&] {
             tickAfter(5s);
             tickAfter(25s);
         },
         2, 0, 4},
        {"two ticks while the line is busy",
         [this] {
             {
                 const vrl::op::Operation other("anderer Vorgang", vrl::op::Kind::Background);
                 recorder->tick();
                 recorder->tick();
             }
             EXPECT_TRUE(
                 QTest::qWaitFor([this] { return recorder->samples().size() == 1u; }, 2000));
         },
         1, 0, 1},
        {"the timer catching up after a busy line",
         [&] {
             {
                 const vrl::op::Operation other("anderer Vorgang", vrl::op::Kind::Background);
                 recorder->tick();
                 tickAfter(5s);
                 tickAfter(1s);
             }
             EXPECT_TRUE(
                 QTest::qWaitFor([this] { return recorder->samples().size() == 1u; }, 2000));
         },
         1, 0, 1},
        {"paused while the port is gone",
         [&] {
             tickAfter(5s);
             recorder->setPaused(true);
             tickAfter(5s);
             tickAfter(5s);
             recorder->setPaused(false);
             tickAfter(5s);
         },
         2, 0, 2},
        {"a failed read",
         [&] {
             line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "C0R", 1});
             tickAfter(5s);
             tickAfter(5s);
         },
         1, 1, 0},
    };
    recorder->period()->setValue(5.0);  // no regular tick while the test runs
    for (const auto& row : rows) {
        popups.answers = {2};  // "Verwerfen" for the row before
        recorder->toggle()->click();
        ASSERT_TRUE(recorder->isRecording()) << row.name;
        row.ticks();
        recorder->toggle()->click();
        const int missed = static_cast<int>(recorder->missedTicks().size());
        EXPECT_EQ(static_cast<int>(recorder->samples().size()) - recorder->failedReads(), row.read)
            << row.name;
        EXPECT_EQ(recorder->failedReads(), row.failed) << row.name;
        EXPECT_EQ(missed, row.missed) << row.name;
        EXPECT_EQ(recorder->countText().toStdString(),
                  std::to_string(row.read) + " Messwerte, " + std::to_string(row.failed) +
                      " fehlgeschlagen, " + std::to_string(row.missed) + " ausgelassen")
            << row.name;
        const std::string csv = recordingCsv(recorder->samples(), recorder->missedTicks());
        EXPECT_EQ(std::count(csv.begin(), csv.end(), '#'), row.missed) << csv;
    }
}

// Fault caught: the recording's picture is a 1382 x 220 strip without a word of what it shows.
TEST_F(Recording, ThePictureCarriesTitleAndAPrintableSize) {
    recorder->toggle()->click();
    recorder->append({0.0, 0.5, 1.0});
    recorder->append({0.2, 1.25, 2.0});
    const std::string path = (std::filesystem::path(home.path()) / "aufzeichnung.png").string();
    ASSERT_TRUE(recorder->savePng(QString::fromStdString(path)));
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), vrl::app::kExportSize);
    EXPECT_TRUE(recorder->exportTitle().startsWith("Messwerte vom "))
        << recorder->exportTitle().toStdString();
    // Which program ran, at which period.
    EXPECT_TRUE(
        recorder->exportTitle().contains(QString::fromUtf8("alle 1,0 s, Arbeitsparameter")) ||
        recorder->exportTitle().contains(QString::fromUtf8("alle 1.0 s, Arbeitsparameter")))
        << recorder->exportTitle().toStdString();
}

// Fault caught: an hour at 0.2 s loses readings on screen (the plot draws every one; the
// peak and the last must be among them).
TEST_F(Recording, LongRecordingKeepsEveryReadingOnScreen) {
    constexpr int kHour = 18000;
    for (int n = 0; n < kHour; ++n)
        recorder->append({n * 0.2, n == 9001 ? 4.0 : 1.0, n == kHour - 1 ? 3.0 : 2.0});
    recorder->flush();
    const auto& current = *recorder->currentSeries()->data();
    ASSERT_EQ(current.size(), kHour);
    EXPECT_EQ(current.at(9001)->value, 4.0);
    EXPECT_EQ((recorder->voltageSeries()->data()->constEnd() - 1)->value, 3.0);
    EXPECT_EQ(recorder->samples().size(), std::size_t{kHour});
}

}  // namespace
