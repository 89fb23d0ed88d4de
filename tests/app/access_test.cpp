// The windows as an operator meets them with a screen reader, the keyboard alone, and a
// 1366 x 768 notebook screen.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QStringList>
#include <QtTest/QTest>
#include <cstdio>

#include "app/com_main.h"
#include "app/device_compare.h"
#include "app/fenster.h"
#include "app/ini.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app/trace_window.h"
#include "app_fixture.h"
#include "driver/vrltkv9d.h"
#include "gui/qt_app.h"
#include "params/datastate.h"
#include "platform/gui/led.h"
#include "platform/gui/panels.h"
#include "platform/gui/port_picture_ring.h"

namespace {

class Access : public PanelsTest {
  protected:
    struct Window {
        const char* name;
        QWidget* widget;
    };
    std::vector<Window> windows() {
        return {
            {"Hauptfenster", ParMain_GetMainpanel()},
            {"Com", ComMain_Panel()->widget()},
            {"Status", StatusMain_Panel()->widget()},
            {"Info", ParMain_InfoPanel()->widget()},
            {"Kalibrieren", ParMain_KalibPanel()->widget()},
            {"Umbenennen", ParMain_RenamePanel()->widget()},
            {"Protokoll", vrl::app::showTraceWindow(ParMain_GetMainpanel())},
            {"Vergleich", new vrl::app::CompareWindow(ParMain_GetMainpanel())},
        };
    }

    vrl::PopupsGuard guard{popups};
};

// What an operator operates or reads: the parts Qt builds inside a spin box, a ring or a view
// (its line edit, its scroll bars) are read through their owner.
bool isControl(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (widget->objectName().startsWith(QLatin1String("qt_"))) return false;
    if (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent))
        return false;
    for (const QWidget* up = parent; up; up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(up)) return false;
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const vrl::gui::Led*>(widget) ||
           qobject_cast<const vrl::gui::PortPictureRing*>(widget) ||
           widget->inherits("QCustomPlot");
}

// Catches a control that a screen reader announces only by its kind ("Kontrollkästchen",
// "Schaltfläche"): a label not linked as buddy, a picture button with a tool tip only, a lamp
// or plot without a name.
TEST_F(Access, EveryControlOfEveryWindowHasAName) {
    for (const auto& window : windows()) {
        QStringList unnamed;
        for (QWidget* widget : window.widget->findChildren<QWidget*>()) {
            if (!isControl(widget) || !widget->isVisibleTo(window.widget)) continue;
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
            if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << widget->objectName() + QLatin1Char(':') +
                               QLatin1String(widget->metaObject()->className());
        }
        EXPECT_TRUE(unnamed.isEmpty()) << window.name << ": " << unnamed.join(", ").toStdString();
    }
}

// A 1366 x 768 notebook screen less the window frame: a title bar and borders as the usual
// desktops draw them.
constexpr QSize kScreen{1366, 768};
constexpr QSize kFrame{16, 48};

// Catches a window whose last row ("Zurück zum Hauptfenster", the error display) or whose
// buttons lie off a notebook screen even when maximised, or that opens larger than the screen.
// At 125 % scaling the same screen holds 1093 x 614 of the window's own pixels: every window
// must shrink to that (its content scrolls).
TEST_F(Access, EveryWindowFitsANotebookScreen) {
    const QSize room = kScreen - kFrame;
    const QSize scaledRoom = kScreen * 0.8 - kFrame;
    for (const auto& window : windows()) {
        window.widget->ensurePolished();
        const QSize hint = window.widget->sizeHint();
        const QSize least =
            window.widget->minimumSizeHint().expandedTo(window.widget->minimumSize());
        EXPECT_TRUE(hint.width() <= room.width() && hint.height() <= room.height())
            << window.name << " opens at " << hint.width() << " x " << hint.height();
        EXPECT_TRUE(least.width() <= scaledRoom.width() && least.height() <= scaledRoom.height())
            << window.name << " needs at least " << least.width() << " x " << least.height();
    }
}

struct PlaceRow {
    const char* name;
    QRect wanted;
    QRect placed;
};

// Catches a window that opens off the screen or larger than it: its frame (8 px borders, a
// 40 px title bar) must lie on the screen too.
TEST(PlaceOnScreen, WindowAndFrameLieOnTheScreen) {
    const QRect screen(0, 0, 1366, 768);
    const PlaceRow rows[] = {
        {"fits", {100, 100, 800, 500}, {100, 100, 800, 500}},
        {"too wide", {0, 40, 1400, 600}, {8, 40, 1350, 600}},
        {"too tall and wide", {8, 40, 1500, 900}, {8, 40, 1350, 720}},
        {"off to the right", {1000, 100, 800, 500}, {558, 100, 800, 500}},
        {"below the screen", {100, 700, 800, 500}, {100, 260, 800, 500}},
        {"left of and above", {-300, -50, 800, 500}, {8, 40, 800, 500}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Fenster_AufBildschirm(row.wanted, screen), row.placed) << row.name;
    // A second screen to the right keeps a window placed there.
    EXPECT_EQ(Fenster_AufBildschirm({1500, 100, 800, 500}, {1366, 0, 1920, 1080}),
              QRect(1500, 100, 800, 500));
}

// Catches a window that forgets its place at the end, or that a stored place off the screen
// (a screen since removed) puts out of reach.
TEST_F(Access, WindowKeepsItsPlaceAcrossStarts) {
    QWidget* main = ParMain_GetMainpanel();
    main->setGeometry(60, 70, 500, 300);  // within the smallest test screen
    ASSERT_EQ(Func_IniDateiSchreiben(), 0);
    EXPECT_NE(settings().find("[fenster]\r\nbreite = 500\r\nhoehe = 300\r\nlinks = 60\r\n"
                              "maximiert = 0\r\noben = 70\r\n"),
              std::string::npos)
        << settings();
    main->setGeometry(0, 0, 400, 200);
    EXPECT_EQ(Func_IniDateiLaden(), 0);
    EXPECT_EQ(main->geometry(), QRect(60, 70, 500, 300));

    writeSettings(
        "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n[fenster]\r\nbreite = "
        "1000\r\nhoehe = 600\r\nlinks = 5000\r\noben = 3000\r\n\r\n");
    EXPECT_EQ(Func_IniDateiLaden(), 0);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(main->geometry()))
        << main->geometry().x() << "," << main->geometry().y();
}

struct KeyRow {
    const char* name;
    const char* window;  // where the operator presses the keys
    QKeySequence keys;
    const char* opens;  // the menu that opens, or the kind of popup that appears
    const char* title;  // in the popup's title or text; "" for a menu
};

// Catches a shortcut or mnemonic that does nothing: a missing or clashing '&', a shortcut not
// bound, a shortcut on a window where it does not work (not its active one).
TEST_F(Access, ShortcutsAndMnemonicsOpenTheirMenuOrDialog) {
    const KeyRow rows[] = {
        {"Alt+D", "Hauptfenster", QKeySequence("Alt+D"), "MENUMAIN_DATEI", ""},
        {"Alt+P", "Hauptfenster", QKeySequence("Alt+P"), "MENUMAIN_PROGRAMM", ""},
        {"Alt+F", "Hauptfenster", QKeySequence("Alt+F"), "MENUMAIN_FENSTER", ""},
        {"Alt+H", "Hauptfenster", QKeySequence("Alt+H"), "MENUMAIN_HILFE", ""},
        {"F10", "Hauptfenster", QKeySequence("F10"), "MENUMAIN_DATEI", ""},
        {"Alt+D Com", "Com", QKeySequence("Alt+D"), "MENUCOM_DATEI", ""},
        {"Alt+F Status", "Status", QKeySequence("Alt+F"), "MENUSTATUS_FENSTER", ""},
        {"Ctrl+N", "Hauptfenster", QKeySequence("Ctrl+N"), "question", "Änderungen"},
        {"Ctrl+O", "Hauptfenster", QKeySequence("Ctrl+O"), "question", "Änderungen"},
        {"Ctrl+S", "Hauptfenster", QKeySequence("Ctrl+S"), "file", ""},
        {"Ctrl+Shift+S", "Hauptfenster", QKeySequence("Ctrl+Shift+S"), "file", ""},
        {"F1", "Hauptfenster", QKeySequence("F1"), "modal", "INFOPANEL"},
        {"Ctrl+Q", "Hauptfenster", QKeySequence("Ctrl+Q"), "question", "Änderungen"},
        {"Ctrl+Q Com", "Com", QKeySequence("Ctrl+Q"), "question", "Änderungen"},
        {"Ctrl+Q Status", "Status", QKeySequence("Ctrl+Q"), "question", "Änderungen"},
    };
    const auto all = windows();
    for (const auto& row : rows) {
        QWidget* window = nullptr;
        for (const auto& w : all)
            if (qstrcmp(w.name, row.window) == 0) window = w.widget;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window, 2000)) << row.name;
        ws.datenGeaendert = true;  // so that Neu, Laden and Beenden ask first
        popups.shown.clear();
        popups.answers = {3};  // "Abbrechen"
        QTest::keySequence(window, row.keys);
        if (row.title[0] == 0 && std::string(row.opens).starts_with("MENU")) {
            QWidget* open = QApplication::activePopupWidget();
            EXPECT_EQ(open ? open->objectName().toStdString() : "none", row.opens) << row.name;
            if (open) open->close();
        } else {
            ASSERT_EQ(popups.shown.size(), 1u) << row.name;
            EXPECT_EQ(popups.shown[0].kind, row.opens) << row.name;
            EXPECT_NE((popups.shown[0].title + popups.shown[0].text).find(row.title),
                      std::string::npos)
                << row.name;
        }
        window->hide();
    }
}

// Catches a window entry that only the mouse can choose.
TEST_F(Access, WindowMenuEntriesAreChosenByTheirLetter) {
    QWidget* main = ParMain_GetMainpanel();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main, 2000));
    QTest::keySequence(main, QKeySequence("Alt+F"));
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_S);
    EXPECT_TRUE(StatusMain_Panel()->widget()->isVisible());
    EXPECT_FALSE(main->isVisible());
}

}  // namespace

namespace {

class StartMessages : public AppTest {};

struct StartRow {
    const char* name;
    const char* settingsFile;  // nullptr: none, a first start
    bool portHeld;             // another program holds COM 7
    const char* errorText;     // what the error display says, from its start
    bool lampOn;
};

// Catches a start-up that leaves the operator without a next step: no hint where a port is
// chosen, a remembered port that failed silently (only the crossed-out plug), a hint hiding the
// reason of a failure.
TEST_F(StartMessages, ErrorDisplaySaysWhatToDoNext) {
    const StartRow rows[] = {
        {"first start", nullptr, false, "Schnittstelle über „Fenster → Com“ wählen", false},
        {"port closed at the end", "[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 7\r\n\r\n", false,
         "Schnittstelle über „Fenster → Com“ wählen", false},
        {"port busy", "[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n", true,
         "Fehler beim öffnen der seriellen Schnittstelle: ", true},
        {"port reopened", "[com]\r\nadresse = 49\r\ncom = 7\r\nlcom = 0\r\n\r\n", false, "", false},
    };
    constexpr int kHolder = kSimPort + 1;  // the other program, on the same device
    for (const auto& row : rows) {
        std::remove("tkv9dSteuerung.ini");
        if (row.settingsFile) writeSettings(row.settingsFile);
        serial::setPortPath(kHolder, line.devicePath());
        if (row.portHeld) {
            ASSERT_EQ(VRLTKV9D_Open(kHolder, 9600), 0) << row.name;
        }
        vrl::com::resetState();
        QString text;
        bool lamp = false;
        run([&] {
            text = ParMain_Panel()->ui.FEHLERSTRING->text();
            lamp = ParMain_Panel()->ui.FEHLERLED->isOn();
            Menu_Datei_Beenden();
        });
        if (row.portHeld) VRLTKV9D_Close(kHolder);
        serial::setPortPath(kHolder, "");
        EXPECT_TRUE(row.errorText[0] ? text.startsWith(QString::fromUtf8(row.errorText))
                                     : text.isEmpty())
            << row.name << ": " << text.toStdString();
        if (row.portHeld) {
            EXPECT_NE(text.indexOf("belegt"), -1) << row.name;
        }
        EXPECT_EQ(lamp, row.lampOn) << row.name;
        popups.shown.clear();
    }
}

// Catches a plug that does nothing when there is no port to reopen.
TEST_F(StartMessages, PlugWithoutALastPortOpensTheConnectionWindow) {
    writeSettings("[com]\r\nadresse = 49\r\ncom = 0\r\nlcom = 0\r\n\r\n");
    bool comShown = false;
    run([&] {
        emit ParMain_Panel()->ui.COMPICTURERING->leftClicked();
        comShown = ComMain_Panel()->widget()->isVisible();
        Menu_Datei_Beenden();
    });
    EXPECT_TRUE(comShown);
}

}  // namespace

namespace {

// Catches a warning under the curve preview that pushes the parameters about while the operator
// is typing in them.
TEST_F(Access, WarningsUnderThePreviewMoveNothing) {
    auto& ui = ParMain_Panel()->ui;
    QWidget* main = ParMain_GetMainpanel();
    main->resize(main->sizeHint());
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main, 2000));
    const auto place = [&] {
        QList<QPoint> places;
        for (QWidget* field : std::initializer_list<QWidget*>{ui.PAR_STROM1, ui.PAR_ZEIT4,
                                                              ui.PAR_MESSBEREICH, ui.START})
            places << field->mapTo(main, QPoint());
        return places;
    };
    const auto before = place();
    // 4 A in the small range: two warnings under the preview.
    ui.PAR_STROM1->setValue(4.0);
    ui.PAR_MESSBEREICH->setCurrentIndex(0);
    emit ui.PAR_MESSBEREICH->activated(0);
    QCoreApplication::sendPostedEvents();
    main->layout()->activate();
    EXPECT_EQ(place(), before);
}

}  // namespace

namespace {

struct TabRow {
    const char* window;
    const char* from;
    const char* to;
};

// Catches a part built in code (curve preview, recording) that Tab reaches only after the last
// row of its window, out of the reading order.
TEST_F(Access, TabFollowsTheReadingOrder) {
    const TabRow rows[] = {
        {"Hauptfenster", "KALIBRIEREN", "KURVENVORSCHAU_CHART"},
        {"Hauptfenster", "KURVENVORSCHAU_PDF", "START"},
        {"Hauptfenster", "PROGRAMMSPEICHERN", "COMPICTURERING"},
        {"Status", "HDXAUSGANG15", "HDXSTATUSABFRAGE"},
        {"Status", "AUSGAENGESCHREIBEN", "MESSWERTEAUFZEICHNEN"},
        {"Status", "MESSPERIODE", ""},  // the recording's own buttons follow
        {"Status", "ZURUECK", "TKVSTATUSABFRAGE"},
        {"Com", "SCANN", "ZURUECK"},
    };
    const auto all = windows();
    for (const auto& row : rows) {
        QWidget* window = nullptr;
        for (const auto& w : all)
            if (qstrcmp(w.name, row.window) == 0) window = w.widget;
        QWidget* from = window->findChild<QWidget*>(row.from);
        ASSERT_NE(from, nullptr) << row.from;
        QWidget* next = from->nextInFocusChain();
        while (next != from && !((next->focusPolicy() & Qt::TabFocus) &&
                                 next->isVisibleTo(window) && next->isEnabled() && isControl(next)))
            next = next->nextInFocusChain();
        if (row.to[0])
            EXPECT_EQ(next->objectName().toStdString(), row.to) << row.from;
        else
            EXPECT_TRUE(from->parentWidget()->isAncestorOf(next)) << row.from;
    }
}

}  // namespace
