// The protocol trace window: every transaction the windows run shows as a row with its bytes and
// its code; the list keeps the latest 10,000, can be paused, cleared, filtered and saved; it
// collects nothing while closed and stays usable while an operation runs.

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/com_main.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/trace_window.h"
#include "app_fixture.h"
#include "connection/operation.h"
#include "driver/trace.h"
#include "platform/gui/panels.h"

namespace {

using vrl::app::TraceModel;
using vrl::app::TraceWindow;
using vrl::driver::TraceRecord;

std::string cell(const TraceModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString().toStdString();
}

class TraceWindowTest : public AppTest {
  public:
    void SetUp() override {
        AppTest::SetUp();
        device.addTkv('1', "VRL-TKV9D-APP");
        serial::setPortPath(kSimPort, device.devicePath());
        ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
        ASSERT_EQ(VrlCom_Open(kSimPort), 0);
        ParMain_GetMainpanel()->show();
        ParMain_Panel()->ui.MENUMAIN_HILFE_PROTOKOLL->trigger();
        window = vrl::app::traceWindowOf(ParMain_GetMainpanel());
        ASSERT_NE(window, nullptr);
        device.clearFrames();
    }
    void TearDown() override {
        Func_PanelsFreigeben();
        AppTest::TearDown();
    }

    TraceModel& model() { return window->model(); }
    // "ID lesen" in the connection window: one transaction with an answer line.
    static void readId() { ComMain_Panel()->ui.IDLESEN->click(); }

    // At the line's real speed, so that a write lasts long enough to click during it.
    sim::Line device{sim::LineOptions{true, "", 0}};
    vrl::PopupsGuard guard{popups};
    TraceWindow* window = nullptr;
};

// What went over the line shows in the row, whatever the failure; the code is the one the error
// display shows.
TEST_F(TraceWindowTest, EachTransactionShowsItsBytesAndCode) {
    struct Row {
        const char* name;
        std::optional<sim::FaultKind> fault;
        const char* acknowledgement;
        bool answered;
    };
    const Row rows[] = {
        {"ok", std::nullopt, "<ACK>", true},
        {"NAK", sim::FaultKind::Nak, "<NAK>", false},
        {"CAN", sim::FaultKind::Can, "<CAN>", false},
        {"other address", sim::FaultKind::OtherAddress, "<ACK>", true},
        {"broken off", sim::FaultKind::BrokenOff, "<ACK>", true},
    };
    int expectedRows = 0;
    for (const auto& row : rows) {
        device.clearFrames();
        if (row.fault) device.injectFault('1', sim::Fault{*row.fault, "IDR"});
        readId();
        ++expectedRows;
        // Taken over by the window's timer.
        QTRY_COMPARE_WITH_TIMEOUT(model().rowCount(), expectedRows, 5000);

        const int last = expectedRows - 1;
        ASSERT_EQ(device.frames().size(), 1u) << row.name;
        EXPECT_EQ(cell(model(), last, TraceModel::Gesendet),
                  vrl::driver::readableBytes(device.frames().back()))
            << row.name;
        EXPECT_EQ(cell(model(), last, TraceModel::Port), "COM 7") << row.name;
        EXPECT_EQ(cell(model(), last, TraceModel::Adresse), "1") << row.name;
        EXPECT_EQ(cell(model(), last, TraceModel::Quittung), row.acknowledgement) << row.name;
        const std::string answer = cell(model(), last, TraceModel::Antwort);
        EXPECT_EQ(answer != "keine", row.answered) << row.name << ": " << answer;
        if (row.name == std::string("ok")) {
            EXPECT_NE(answer.find("VRL-TKV9D-APP<CR>"), std::string::npos) << answer;
        }
        // The error display shows the code's magnitude.
        const int shownCode = -ComMain_Panel()->ui.FEHLERNUMMER->value();
        EXPECT_EQ(row.fault.has_value(), shownCode != 0) << row.name;
        EXPECT_EQ(model().recordAt(last).outcome, shownCode) << row.name;
        EXPECT_EQ(cell(model(), last, TraceModel::Ergebnis), vrl::driver::outcomeText(shownCode))
            << row.name;
        if (shownCode != 0) {
            EXPECT_EQ(cell(model(), last, TraceModel::Ergebnis).rfind("Fehler #", 0), 0u);
        }
    }
}

// The list keeps the latest records, the oldest go first, also when only failures are shown.
TEST(TraceModelTest, KeepsTheLatestAndDropsTheOldest) {
    struct Row {
        const char* name;
        std::size_t capacity;
        std::vector<int> batches;  // record i fails when i % 3 == 0
        bool onlyFailures;
        int rows;
        int firstShown;  // the number of the record in the first row
    };
    const Row rows[] = {
        {"below the limit", 10000, {9999, 1}, false, 10000, 0},
        {"one over", 10000, {10000, 1}, false, 10000, 1},
        {"batch larger than the list", 10000, {5, 12000}, false, 10000, 2005},
        {"only failures", 10, {10, 5}, true, 3, 6},
        {"all failures gone", 3, {4, 3}, true, 1, 6},
    };
    for (const auto& row : rows) {
        TraceModel model(row.capacity);
        model.setOnlyFailures(row.onlyFailures);
        int number = 0;
        for (int size : row.batches) {
            std::vector<TraceRecord> batch;
            for (int i = 0; i < size; ++i, ++number) {
                TraceRecord record;
                record.port = number;
                record.outcome = number % 3 == 0 ? -402006 : 0;
                batch.push_back(record);
            }
            model.append(std::move(batch));
        }
        EXPECT_LE(model.kept(), row.capacity) << row.name;
        ASSERT_EQ(model.rowCount(), row.rows) << row.name;
        EXPECT_EQ(model.recordAt(0).port, row.firstShown) << row.name;
        EXPECT_EQ(model.recordAt(row.rows - 1).port,
                  row.onlyFailures ? (number - 1) / 3 * 3 : number - 1)
            << row.name;
    }
}

// Fault caught: the window shows times and durations with the file's point on a German desktop.
TEST(TraceModelTest, ShowsTimesInTheOperatorsFormat) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TraceModel model(10);
    TraceRecord record;
    record.duration = std::chrono::microseconds(12345);
    model.append({record});
    const QString duration =
        model.data(model.index(0, TraceModel::Dauer), Qt::DisplayRole).toString();
    const QString time = model.data(model.index(0, TraceModel::Zeit), Qt::DisplayRole).toString();
    QLocale::setDefault(before);
    std::string expected = vrl::driver::durationText(record.duration);  // the file's form
    std::replace(expected.begin(), expected.end(), '.', ',');
    EXPECT_EQ(duration.toStdString(), expected);
    EXPECT_FALSE(time.contains(u'.')) << time.toStdString();
    EXPECT_TRUE(time.contains(u',')) << time.toStdString();
}

// "Nur Fehler", "Speichern...", "Anhalten"/"Fortsetzen" and "Leeren" act on the list.
TEST_F(TraceWindowTest, ControlsFilterSavePauseAndClear) {
    readId();
    device.injectFault('1', sim::Fault{sim::FaultKind::Nak, "IDR"});
    readId();
    readId();
    window->takeRecords();
    ASSERT_EQ(model().rowCount(), 3);

    window->onlyFailuresBox()->click();
    ASSERT_EQ(model().rowCount(), 1);
    EXPECT_EQ(cell(model(), 0, TraceModel::Quittung), "<NAK>");

    // What is shown is saved, one trace line each.
    const std::string path = std::filesystem::current_path() / "protokoll.txt";
    for (bool only : {true, false}) {
        if (window->onlyFailuresBox()->isChecked() != only) window->onlyFailuresBox()->click();
        popups.files = {path};
        window->saveButton()->click();
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(model().rowCount())) << only;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], vrl::driver::traceLine(model().recordAt(static_cast<int>(i))));
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& line) {
                                    return line.find(" | Quittung <NAK> | Antwort keine | ") !=
                                           std::string::npos;
                                }),
                  1)
            << only;
    }

    // Paused, new transactions are dropped and counted.
    window->pauseButton()->click();
    EXPECT_EQ(window->pauseButton()->text(), "Fortsetzen");
    readId();
    readId();
    window->takeRecords();
    EXPECT_EQ(model().rowCount(), 3);
    EXPECT_TRUE(window->stateLabel()->text().contains("verworfen, bisher 2"))
        << window->stateLabel()->text().toStdString();
    window->pauseButton()->click();
    EXPECT_EQ(window->pauseButton()->text(), "Anhalten");
    readId();
    window->takeRecords();
    EXPECT_EQ(model().rowCount(), 4);

    window->clearButton()->click();
    EXPECT_EQ(model().rowCount(), 0);
    readId();
    window->takeRecords();
    EXPECT_EQ(model().rowCount(), 1);
}

// Closed, the window gets no records; opened again, it collects again.
TEST_F(TraceWindowTest, ClosedWindowCollectsNothing) {
    readId();
    window->close();
    readId();
    ParMain_Panel()->ui.MENUMAIN_HILFE_PROTOKOLL->trigger();
    EXPECT_EQ(vrl::app::traceWindowOf(ParMain_GetMainpanel()), window);
    EXPECT_TRUE(window->isVisible());
    window->takeRecords();
    EXPECT_EQ(model().rowCount(), 1);
    readId();
    window->takeRecords();
    EXPECT_EQ(model().rowCount(), 2);
    EXPECT_EQ(device.frames().size(), 3u);
}

// While a write runs, the technician can pause the list; the main window stays busy.
TEST_F(TraceWindowTest, UsableWhileAWriteRuns) {
    bool runningAtClick = false;
    QTimer::singleShot(0, [&] {
        runningAtClick = vrl::op::busy();
        QTest::mouseClick(window->pauseButton(), Qt::LeftButton);
        QTest::mouseClick(ParMain_Panel()->ui.START, Qt::LeftButton);
    });
    popups.answers = {1};  // "aktuelles"
    ParMain_Panel()->ui.PROGSCHREIBEN->click();
    EXPECT_TRUE(runningAtClick);
    EXPECT_EQ(window->pauseButton()->text(), "Fortsetzen");
    for (const auto& frame : device.frames()) EXPECT_NE(frame, "#1DF1\r");
}

}  // namespace
