// Device operations started from the windows run on the line's worker thread: the windows live
// on meanwhile, but nothing the operator does to them starts or changes anything until the
// operation has ended, and a long operation can be stopped between its steps.

#include <qpa/qwindowsysteminterface.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <vector>

#include "app/busy.h"
#include "app/com_main.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "connection/operation.h"
#include "params/datastate.h"
#include "params/program.h"
#include "params/program_name.h"
#include "platform/gui/led.h"
#include "platform/gui/panels.h"
#include "platform/gui/qt_popups.h"
#include "platform/gui/toggle_button.h"

namespace {

constexpr int kAlle = 2, kAktuelles = 1;  // answers to the range question
constexpr std::size_t kRecordWrite = 26;  // "stopp" and 25 parameters

sim::LineOptions paced() {
    sim::LineOptions options;
    options.pace = true;
    return options;
}

// The simulated device at the line's real speed, so that an operation lasts long enough for the
// window to see it running however busy the machine is.
class PacedApp : public AppTest {
  public:
    using AppTest::popups;

    void SetUp() override {
        AppTest::SetUp();
        device.addTkv('1', "VRL-TKV9D-APP");
        serial::setPortPath(kSimPort, device.devicePath());
    }

    sim::Line device{paced()};
};

class Busy : public PacedApp {
  public:
    void SetUp() override {
        PacedApp::SetUp();
        ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
        ASSERT_EQ(VrlCom_Open(kSimPort), 0);
        ParMain_GetMainpanel()->show();
        device.clearFrames();
        popups.shown.clear();
    }
    void TearDown() override {
        Func_PanelsFreigeben();
        PacedApp::TearDown();
    }
    Ui::MAINPANEL& main() { return ParMain_Panel()->ui; }

    static QProgressDialog* progressDialog() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(widget);
                dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }
    // Presses "Abbrechen" of the progress display once it has reached `done` steps.
    void cancelAt(int done) {
        auto* poll = new QTimer;
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, done] {
            QProgressDialog* dialog = progressDialog();
            if (!dialog || dialog->value() < done) return;
            labelAtCancel = dialog->labelText();
            ownerAtCancel = dialog->parentWidget();
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            poll->stop();
            poll->deleteLater();
        });
        poll->start();
    }
    std::size_t count(const std::string& command) const {
        const auto frames = device.frames();
        return static_cast<std::size_t>(
            std::count_if(frames.begin(), frames.end(),
                          [&](const std::string& f) { return f.rfind("#1" + command, 0) == 0; }));
    }

    vrl::PopupsGuard guard{popups};
    QString labelAtCancel;
    QWidget* ownerAtCancel = nullptr;
    qint64 now = 0;  // [ms] on the windows' clock, where a test sets it
};

// An operator's input and how to see that it was not carried out.
struct InputRow {
    const char* name;
    std::function<void(Busy&)> input;
    std::function<bool(Busy&)> unchanged;
};

const InputRow kClickStart{"Start",
                           [](Busy& t) { QTest::mouseClick(t.main().START, Qt::LeftButton); },
                           [](Busy& t) { return t.count("DF1") == 0; }};
const InputRow kStepAParameter{"parameter",
                               [](Busy& t) { QTest::keyClick(t.main().PAR_STROM1, Qt::Key_Up); },
                               [](Busy& t) {
                                   return vrl::params::workspace().parameter.strom1 == 0.0 &&
                                          t.main().PAR_STROM1->value() == 0.0;
                               }};

// Input made while the working parameters are written is dropped; it shows neither during nor
// after the write. The frames on the line are the write's alone.
TEST_F(Busy, InputDuringAWriteIsNeverCarriedOut) {
    const InputRow rows[] = {
        kClickStart,
        {"Einstellen",
         [](Busy& t) { QTest::mouseClick(t.main().PROGRAMMEINSTELLEN, Qt::LeftButton); },
         [](Busy& t) { return t.count("PNS") == 0; }},
        {"program list", [](Busy& t) { QTest::keyClick(t.main().PROGRAMMLISTE, Qt::Key_Down); },
         [](Busy& t) {
             return vrl::params::workspace().progIndex == 0 &&
                    t.main().PROGRAMMLISTE->currentIndex() == 0;
         }},
        kStepAParameter,
        {"typing", [](Busy& t) { QTest::keyClicks(t.main().PAR_ZEIT2, QStringLiteral("7")); },
         [](Busy& t) {
             return t.main().PAR_ZEIT2->text() == t.main().PAR_ZEIT2->textFromValue(0);
         }},
        {"Neu", [](Busy& t) { t.main().MENUMAIN_DATEI_NEU->trigger(); },
         [](Busy&) { return vrl::params::nameOf(vrl::params::workspace().prog[3]) == "Kept"; }},
        {"status tick", [](Busy&) { Callback_Statustimer(); },
         [](Busy&) { return StatusMain_Panel()->ui.TKVSTATUSABFRAGE->isChecked(); }},
        {"ID lesen", [](Busy&) { ComMain_Panel()->ui.IDLESEN->click(); },
         [](Busy&) { return ComMain_Panel()->ui.ID->text().isEmpty(); }},
    };
    StatusMain_Panel()->ui.TKVSTATUSABFRAGE->click();  // polling on
    StatusMain_Panel()->ui.STATUSTIMER->stop();        // ticks come from the rows only
    for (const auto& row : rows) {
        Prog_Initialisieren();
        vrl::params::setName(ws.prog[3], "Kept");
        device.clearFrames();
        bool busyAtInput = false;
        std::size_t framesAtInput = 0;
        QTimer::singleShot(0, [&] {
            busyAtInput = vrl::op::running();
            framesAtInput = device.frames().size();
            row.input(*this);
        });
        popups.answers = {kAktuelles};
        main().PROGSCHREIBEN->click();
        QCoreApplication::processEvents();  // whatever could still be pending

        EXPECT_TRUE(busyAtInput) << row.name;
        EXPECT_LT(framesAtInput, kRecordWrite) << row.name << ": the window waited for the line";
        EXPECT_EQ(device.frames().size(), kRecordWrite) << row.name;
        EXPECT_TRUE(row.unchanged(*this)) << row.name;
        EXPECT_FALSE(main().FEHLERLED->isOn()) << row.name;
    }
}

// The status poll is no operation of the operator's: what he types meanwhile is kept, and the
// cursor stays his.
TEST_F(Busy, TypingDuringAPollIsKept) {
    StatusMain_Panel()->ui.TKVSTATUSABFRAGE->click();  // polling on
    StatusMain_Panel()->ui.STATUSTIMER->stop();        // the tick comes from the test
    bool polling = false, busyCursor = true;
    QTimer::singleShot(0, [&] {
        polling = vrl::op::running();
        busyCursor = QApplication::overrideCursor() != nullptr;
        QTest::keyClick(main().PAR_STROM1, Qt::Key_Up);
    });
    Callback_Statustimer();
    EXPECT_TRUE(polling);
    EXPECT_FALSE(busyCursor);
    EXPECT_EQ(device.frames().size(), 1u);
    EXPECT_DOUBLE_EQ(ws.parameter.strom1, 0.1);
    EXPECT_TRUE(ws.datenGeaendert);
}

// Input from the window system arrives queued, as an operator's does, not sent straight to the
// widget as QTest sends it. Faults caught: the poll's wait lets queued input in within its grace,
// so a click or key is carried out in the middle of the poll; past its grace, queued input is
// not dropped.
TEST_F(Busy, QueuedInputDuringAPollIsHeldWithinTheGraceAndDroppedPastIt) {
    struct Row {
        const char* name;
        bool silent;   // the device does not answer: the poll outlasts its grace
        bool carried;  // the key is carried out, after the poll
    };
    const Row rows[] = {{"within the grace", false, true}, {"past the grace", true, false}};
    QWindow* window = ParMain_GetMainpanel()->windowHandle();
    ASSERT_NE(window, nullptr);
    for (const auto& row : rows) {
        StatusMain_Panel()->ui.TKVSTATUSABFRAGE->setChecked(true);  // polling on
        StatusMain_Panel()->ui.STATUSTIMER->stop();                 // the tick comes from the test
        if (row.silent) device.injectFault('1', sim::Fault{sim::FaultKind::Silence, "S1R", 1});
        main().PAR_STROM1->setValue(0.0);
        ws.parameter.strom1 = 0.0;
        main().PAR_STROM1->setFocus();
        bool changed = false, changedDuringPoll = false;
        QObject connection;  // ends the watch on the field with the row
        QObject::connect(main().PAR_STROM1, &QDoubleSpinBox::valueChanged, &connection, [&] {
            changed = true;
            changedDuringPoll = changedDuringPoll || vrl::op::running();
        });
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
            if (!vrl::op::running() || (row.silent && !QApplication::overrideCursor())) return;
            watch.stop();
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease})
                QWindowSystemInterface::handleKeyEvent<
                    QWindowSystemInterface::AsynchronousDelivery>(window, type, Qt::Key_Up,
                                                                  Qt::NoModifier);
        });
        watch.start(0);
        Callback_Statustimer();
        QCoreApplication::processEvents();  // what the poll held

        EXPECT_FALSE(watch.isActive()) << row.name << ": the input was made during the poll";
        EXPECT_FALSE(changedDuringPoll) << row.name;
        EXPECT_EQ(changed, row.carried) << row.name;
        EXPECT_DOUBLE_EQ(ws.parameter.strom1, row.carried ? 0.1 : 0.0) << row.name;
    }
}

// Fault caught: input made while a poll waits out its time-out is held and carried out more than
// a second later, with an arrow cursor, and its success hides the poll's error.
TEST_F(Busy, APollPastItsGraceMakesTheWindowsBusyAndDropsInput) {
    const InputRow rows[] = {kClickStart, kStepAParameter};
    for (const auto& row : rows) {
        StatusMain_Panel()->ui.TKVSTATUSABFRAGE->click();  // polling on
        StatusMain_Panel()->ui.STATUSTIMER->stop();        // the tick comes from the test
        device.injectFault('1', sim::Fault{sim::FaultKind::Silence, "S1R", 1});
        device.clearFrames();
        bool busyCursor = false;
        // As soon as the windows show busy: the operator clicks or types.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
            if (!QApplication::overrideCursor()) return;
            busyCursor = QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            watch.stop();
            row.input(*this);
        });
        watch.start(0);
        Callback_Statustimer();
        QCoreApplication::processEvents();

        EXPECT_TRUE(busyCursor) << row.name;
        EXPECT_TRUE(row.unchanged(*this)) << row.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << row.name;
        EXPECT_TRUE(main().FEHLERLED->isOn()) << row.name << ": the poll's error stays";
    }
}

// "Stopp" from either window or its key, and any other click, during background work (the
// status poll) or an operator's operation. Faults caught: a Stopp dropped or left to an
// operation that never starts; a stop key that does nothing; a write or an hdx-4 read that keeps
// the line after Stopp; a click held with an arrow cursor; a click past the grace dropped
// without a word; a grace longer or shorter than 0.4 s.
TEST_F(Busy, StoppIsAlwaysHonouredAndOtherInputIsCarriedOutOrRefusedVisibly) {
    enum class During { Poll, Write, HdxRead };
    struct Row {
        const char* name;
        bool silent;    // the device does not answer the poll: it outlasts its grace
        During during;  // what the input falls into
        std::function<void(Busy&)> input;
        std::size_t stops;  // "stopp" frames sent (a record write begins with one, and so does
                            // the write of entry A back after a cancelled table write)
        std::size_t starts;
        const char* statusLine;  // the main window's, after
        bool busyCursor;         // seen while the input waited
        qint64 madeAt = -1;      // [ms] into the poll on the windows' clock; -1: its own time
    };
    auto stopp = [](QAbstractButton* button) {
        return [button](Busy&) { QTest::mouseClick(button, Qt::LeftButton); };
    };
    // As the window system delivers it: queued, to the window.
    auto queuedClick = [](Busy& t) {
        QWindow* window = ParMain_GetMainpanel()->windowHandle();
        const QPoint at =
            t.main().START->mapTo(ParMain_GetMainpanel(), t.main().START->rect().center());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window, at, window->mapToGlobal(at),
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                type);
    };
    auto& status = StatusMain_Panel()->ui;
    const Row rows[] = {
        // A device that does not answer keeps the poll running; the clock alone decides.
        {"click 0.3 s into a poll", true, During::Poll, queuedClick, 0, 1, "", true, 300},
        {"click 0.6 s into a poll", true, During::Poll, queuedClick, 0, 0,
         vrl::app::kEingabeAbgewiesen, true, 600},
        {"Stopp within a poll", false, During::Poll, stopp(status.STOPP), 1, 0, "", true},
        {"Stopp past a poll's grace", true, During::Poll, stopp(main().STOPP), 1, 0, "", true},
        {"Stopp during the hdx-4 read", false, During::HdxRead, stopp(status.STOPP), 1, 0, "",
         true},
        {"Stopp key during a write", false, During::Write,
         [](Busy&) { QTest::keyClick(QApplication::focusWidget(), vrl::app::kStoppKey); }, 4, 0,
         "„Programme zu TKV-9D schreiben“ an Adresse 1 nicht zu Ende geführt", true},
        {"click within a poll's grace", false, During::Poll, queuedClick, 0, 1, "", true},
        {"click past a poll's grace", true, During::Poll, kClickStart.input, 0, 0,
         vrl::app::kEingabeAbgewiesen, true},
    };
    for (const auto& row : rows) {
        Prog_Initialisieren();
        status.TKVSTATUSABFRAGE->setChecked(true);  // polling on
        status.STATUSTIMER->stop();                 // the tick comes from the test
        ParMain_GetMainpanel()->statusBar()->clearMessage();
        main().PAR_STROM1->setFocus();
        if (row.silent) device.injectFault('1', sim::Fault{sim::FaultKind::Silence, "S1R", 1});
        device.clearFrames();
        popups.shown.clear();
        now = 0;
        windowOperations()->setClock(
            row.madeAt >= 0 ? std::function<qint64()>([this] { return now; }) : nullptr);
        bool made = false, busyCursor = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
            if (!vrl::op::running()) return;
            if (made) {
                busyCursor =
                    busyCursor || (QApplication::overrideCursor() &&
                                   QApplication::overrideCursor()->shape() == Qt::WaitCursor);
                return;
            }
            if (row.silent && row.madeAt < 0 && !QApplication::overrideCursor()) return;
            if (row.during == During::Write && (!progressDialog() || progressDialog()->value() < 1))
                return;
            made = true;
            now = std::max<qint64>(row.madeAt, 0);
            row.input(*this);
        });
        watch.start(0);
        if (row.during == During::Write) {
            popups.answers = {kAlle};
            main().PROGSCHREIBEN->click();
        } else if (row.during == During::HdxRead) {
            status.HDXSTATUSABFRAGE->click();
        } else {
            Callback_Statustimer();
        }
        QCoreApplication::processEvents();

        EXPECT_TRUE(made) << row.name;
        EXPECT_EQ(count("DF2"), row.stops) << row.name;
        EXPECT_EQ(count("DF1"), row.starts) << row.name;
        if (row.stops > 0) {
            EXPECT_EQ(device.frames().back(), "#1DF2\r") << row.name << ": the stop came last";
            EXPECT_EQ(main().FEHLERSTRING->text(), "Stopp vom TKV-9D angenommen (Adresse 1)")
                << row.name;
        }
        if (row.during == During::Write) {
            EXPECT_LT(count("PNP"), 16u) << row.name << ": the write was cancelled";
        }
        if (row.during == During::HdxRead) {
            EXPECT_LT(count("K"), 15u) << row.name << ": the read ended at the next module";
        }
        EXPECT_EQ(ParMain_GetMainpanel()->statusBar()->currentMessage(), row.statusLine)
            << row.name;
        EXPECT_EQ(busyCursor, row.busyCursor) << row.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << row.name;
    }
}

// The operation's own question is answered by mouse although the windows are busy.
TEST_F(Busy, TheOperationsQuestionTakesAClick) {
    vrl::gui::QtPopups dialogs;
    vrl::PopupsGuard real(dialogs);
    bool asked = false;
    QTimer::singleShot(0, [&] {
        QWidget* question = QApplication::activeModalWidget();
        asked = question && vrl::op::running();
        if (!asked) return;
        // As the mouse does it: to the dialog's window, which hands it on to the button.
        for (auto* button : question->findChildren<QPushButton*>()) {
            if (button->text().remove(u'&') != "aktuelles") continue;
            const QPoint at = button->mapTo(question, button->rect().center());
            QTest::mouseClick(question->windowHandle(), Qt::LeftButton, {}, at);
        }
        if (question->isVisible()) question->close();  // a lost click: "abbrechen"
    });
    main().PROGSCHREIBEN->click();
    EXPECT_TRUE(asked);
    EXPECT_EQ(device.frames().size(), kRecordWrite);
}

// "Abbrechen" stops a transfer or a scan between two steps; it ends as a failure there would,
// and a message says how far it got.
TEST_F(Busy, CancelStopsBetweenStepsAndSaysHowFarItGot) {
    device.addTkv('2');
    struct Row {
        const char* name;
        int cancelAtStep;
        std::function<void(Busy&)> start;
        const char* title;
        const char* message;
        std::function<bool(Busy&)> endedThere;
    };
    const Row rows[] = {
        {"read alle", 3,
         [](Busy& t) {
             t.popups.answers = {1, kAlle};  // "Ja": read though the device may run
             t.main().PROGLESEN->click();
         },
         "Programme vom TKV-9D lesen",
         "Abgebrochen nach Programm 2 von 16.\nDer TKV-9D hält wieder seine eigenen "
         "Arbeitsparameter, seine Programme sind unverändert.",
         [](Busy& t) {
             // The entries read stay in the table, the list is not refreshed; the device gets
             // its own working parameters back.
             return vrl::params::nameOf(vrl::params::workspace().prog[2]) != "alt" &&
                    vrl::params::nameOf(vrl::params::workspace().prog[3]) == "alt" &&
                    t.count("DF2") == 1 && t.device.frames().back().compare(4, 1, "W") == 0 &&
                    t.main().PROGRAMMLISTE->itemText(1) == "1 - alt";
         }},
        {"write alle", 1,
         [](Busy& t) {
             t.popups.answers = {kAlle};
             t.main().PROGSCHREIBEN->click();
         },
         "Programme zu TKV-9D schreiben",
         "Abgebrochen nach Programm 2 von 16.\nIm TKV-9D sind die Programme 1 und 2 neu, die "
         "Programme 3 bis 16 wie zuvor; seine Arbeitsparameter halten Eintrag A.",
         [](Busy& t) {
             // Entry A goes back into the working parameters after the last stored program.
             return t.count("PNP") == 2 && t.count("DF2") == 3 &&
                    t.device.frames().back().compare(4, 1, "W") == 0 &&
                    t.labelAtCancel.startsWith(
                        "Programm 2 wird geschrieben\nSchritt 2 von 17, noch etwa");
         }},
        {"Scann", 1, [](Busy&) { ComMain_Panel()->ui.SCANN->click(); }, "Scann",
         "Abgebrochen nach Adresse 2 von 9.",
         [](Busy& t) {
             auto& com = ComMain_Panel()->ui;
             // The device found at 2 is not the one in use, and the scan's line says so.
             return t.device.frames().size() == 2 && com.LED2->isOn() && !com.LED3->isOn() &&
                    com.SCANNTEXT->text().startsWith(QString::fromUtf8("Gerät an Adresse 2"));
         }},
    };
    // The device's programs keep their own names until the write row.
    for (const auto& row : rows) {
        Prog_Initialisieren();
        for (auto& entry : ws.prog) vrl::params::setName(entry, "alt");
        ProgrammlisteAktualisieren();
        device.clearFrames();
        popups.shown.clear();
        labelAtCancel.clear();
        cancelAt(row.cancelAtStep);
        row.start(*this);

        ASSERT_FALSE(popups.shown.empty()) << row.name;
        EXPECT_EQ(popups.shown.back().kind, "message") << row.name;
        EXPECT_EQ(popups.shown.back().title, row.title) << row.name;
        EXPECT_EQ(popups.shown.back().text, row.message) << row.name;
        EXPECT_TRUE(row.endedThere(*this)) << row.name;
        EXPECT_EQ(progressDialog(), nullptr) << row.name;
        EXPECT_FALSE(main().FEHLERLED->isOn()) << row.name << ": a cancel is no error";
        EXPECT_FALSE(main().COMAKTIVLED->isOn()) << row.name;
    }
}

// Fault caught: the progress display is a window of its own, which one click on the window that
// started the operation puts underneath it, "Abbrechen" out of reach.
TEST_F(Busy, TheProgressDisplayBelongsToTheWindowThatStartedTheOperation) {
    struct Row {
        const char* name;
        QAbstractButton* button;
        QWidget* window;
    };
    ComMain_Panel()->widget()->show();
    StatusMain_Panel()->widget()->show();  // shown last: the active window, if any
    const Row rows[] = {
        {"Schreiben", main().PROGSCHREIBEN, ParMain_GetMainpanel()},
        {"Scann", ComMain_Panel()->ui.SCANN, ComMain_Panel()->widget()},
    };
    for (const auto& row : rows) {
        ownerAtCancel = nullptr;
        popups.answers = {kAlle};
        cancelAt(1);
        QTest::mouseClick(row.button, Qt::LeftButton);
        EXPECT_EQ(ownerAtCancel, row.window) << row.name;
    }
}

// Fault caught: a scan of one device and eight empty addresses estimated from the average step,
// which the one fast answer pulls far below the time-out the other addresses wait.
TEST(RemainingTime, FollowsTheSlowerOfTheAverageAndTheLastStep) {
    struct Row {
        qint64 elapsedMs, lastStepMs;
        int done, total;
        double seconds;
    };
    const Row rows[] = {
        {1550, 1500, 2, 9, 10.5},   // scan: address 1 answered, address 2 waited 1.5 s
        {4000, 1000, 4, 17, 13.0},  // write: even steps
        {3000, 500, 2, 4, 3.0},     // a fast last step does not shorten the estimate
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(
            vrl::app::remainingSeconds(row.elapsedMs, row.lastStepMs, row.done, row.total),
            row.seconds)
            << row.elapsedMs << " " << row.done;
    }
}

class QuitDuringAnOperation : public PacedApp {};

// Closing the window during a write asks; "Ja" stops the write after the current program. A
// short operation is waited for without a question. Either way the program ends with the port
// closed.
TEST_F(QuitDuringAnOperation, WaitsForTheLineAndClosesThePort) {
    struct Row {
        const char* name;
        std::function<void()> start;
        std::deque<int> answers;
        std::vector<std::string> popupTexts;
        const char* lastFrame;
    };
    const Row rows[] = {
        {"write alle",
         [] { ParMain_Panel()->ui.PROGSCHREIBEN->click(); },
         {kAlle, 1},  // write all, then "Ja" to stop it and quit
         {"Nur aktuell ausgewähltes oder alle Programme schreiben?",
          "Ein Vorgang mit dem TKV-9D läuft noch. Möchten Sie ihn abbrechen und das Programm "
          "beenden?",
          "Abgebrochen nach Programm 1 von 16.\nIm TKV-9D ist Programm 1 neu, die Programme 2 "
          "bis 16 wie zuvor; seine Arbeitsparameter halten Eintrag A."},
         "#1B5W1.000000\r"},  // the program in hand was finished, then entry A went back
        {"Start", [] { ParMain_Panel()->ui.START->click(); }, {}, {}, "#1DF1\r"},
    };
    for (const auto& row : rows) {
        writeSettings("[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n");
        popups.shown.clear();
        device.clearFrames();
        const int result = run([&] {
            popups.answers = row.answers;
            QTimer::singleShot(0, [] { ParMain_GetMainpanel()->close(); });
            row.start();
        });
        EXPECT_EQ(result, 0) << row.name;
        std::vector<std::string> texts;
        for (const auto& popup : popups.shown) texts.push_back(popup.text);
        EXPECT_EQ(texts, row.popupTexts) << row.name;
        const auto frames = device.frames();
        ASSERT_FALSE(frames.empty()) << row.name;
        EXPECT_EQ(frames.back(), row.lastFrame) << row.name;
        EXPECT_EQ(VrlCom_ComPortGet(), 0) << row.name;
        EXPECT_EQ(comSettings(), "[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n")
            << row.name;
    }
}

// Fault caught: a close during the status poll waits for the line without a sign, so that the
// operator takes it for lost.
TEST_F(QuitDuringAnOperation, ACloseDuringAPollSaysSoAndIsCarriedOutAfterIt) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n");
    QString shown;
    bool polling = false;
    const int result = run([&] {
        StatusMain_Panel()->ui.TKVSTATUSABFRAGE->setChecked(true);
        StatusMain_Panel()->ui.STATUSTIMER->stop();  // the tick comes from the test
        QTimer::singleShot(0, [&] {
            polling = vrl::op::background();
            ParMain_GetMainpanel()->close();
            shown = ParMain_GetMainpanel()->statusBar()->currentMessage();
        });
        Callback_Statustimer();
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(polling);
    EXPECT_EQ(shown, "Wird beendet, sobald der laufende Vorgang zu Ende ist …");
    EXPECT_TRUE(popups.shown.empty());
}

// A report the operator reads: a modal dialog that stays up until two turns of the event loop
// have passed.
class ReadReports : public vrl::ScriptedPopups {
  public:
    void message(std::string_view title, std::string_view text) override {
        ScriptedPopups::message(title, text);
        QDialog report;
        report.setModal(true);
        bool read = false;
        QTimer::singleShot(0, &report, [&] {
            QTimer::singleShot(0, &report, [&] {
                read = true;
                report.accept();
            });
        });
        report.exec();
        if (!read) closedUnread.push_back(std::string(text));
    }
    std::vector<std::string> closedUnread;
};

// Fault caught: "Ja" to quitting during a write ends the program under the report of what was
// done, which the operator never gets to read.
TEST_F(QuitDuringAnOperation, TheReportOfWhatWasDoneIsReadBeforeTheProgramEnds) {
    ReadReports reports;
    reports.answers = {kAlle, 1};  // write all, then "Ja" to stop it and quit
    writeSettings("[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n");
    QTimer::singleShot(0, [] {
        QTimer::singleShot(0, [] { ParMain_GetMainpanel()->close(); });
        ParMain_Panel()->ui.PROGSCHREIBEN->click();
    });
    EXPECT_EQ(Func_Run(reports), 0);
    ASSERT_FALSE(reports.shown.empty());
    EXPECT_EQ(reports.shown.back().text.rfind("Abgebrochen nach Programm 1 von 16.\nIm TKV-9D", 0),
              0u)
        << reports.shown.back().text;
    EXPECT_TRUE(reports.closedUnread.empty()) << reports.closedUnread.front();
}

}  // namespace
