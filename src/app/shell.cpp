#include "app/shell.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <iostream>
#include <memory>

#include "app/busy.h"
#include "app/com_main.h"
#include "app/fenster.h"
#include "app/ini.h"
#include "app/language.h"
#include "app/par_main.h"
#include "app/status_main.h"
#include "connection/com_controls.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/parameterfile.h"
#include "params/tkvcom.h"
#include "params/workspace.h"
#include "platform/gui/panels.h"
#include "platform/text/translate.h"

namespace {

constexpr int kIniMissing = -94;
constexpr int kIniNotWritten = -800253;

// The settings file in the current folder, named by its full path: Wine's ReplaceFileW cannot
// replace a file named without its folder, and a save that never replaces the old file loses
// every change of port or address.
std::string iniPath() {
    const QString folder = QDir::currentPath();
    // A folder removed under the running program has no path; the bare name fails there as
    // any name would, where a path made from nothing would name a file in the root folder.
    if (folder.isEmpty()) return kIniDatei;
    return QDir::toNativeSeparators(QDir(folder).absoluteFilePath(QString::fromUtf8(kIniDatei)))
        .toStdString();
}

// At the end the windows are about to go, so the error display cannot hold it: the operator
// learns in a popup that the port and address will not be there at the next start, and a
// script from the line on stderr.
void reportSettingsNotSaved() {
    const std::string path = iniPath();
    std::cerr << "tkv9d-steuerung: " << vrl::messageText(kIniNotWritten) << ": " << path
              << std::endl;
    VRL_Fehleruserstring(path);
    VRL_Fehlerpopup(kIniNotWritten);
}

// The line's worker and the busy windows, from the first panel to the last.
std::unique_ptr<vrl::app::WindowOperations> gOperations;

constexpr char kStoppUnterwegs[] = QT_TRANSLATE_NOOP("Programm", "Stopp wird gesendet …");
constexpr char kStoppAngenommen[] = QT_TRANSLATE_NOOP("Programm", "Stopp vom TKV-9D angenommen");
constexpr char kWirdBeendet[] =
    QT_TRANSLATE_NOOP("Programm", "Wird beendet, sobald der laufende Vorgang zu Ende ist …");

QString translated(const char* german) {
    return QCoreApplication::translate("Programm", german);
}

// The stop's own transaction. A failure is on the error displays as the device operation shows
// it; a success is said as plainly, since the operator waited for it.
void sendStopp() {
    VrlCom_HinweisSet(translated(kStoppUnterwegs).toStdString());
    const char address = VrlCom_AdresseGet();
    VrlCom_AktionMelden(QApplication::activeWindow(), VRL_TR("Programm", "Stopp"),
                        translated(kStoppAngenommen).toStdString(), address,
                        TkvCom_GeraetStoppen());
}

// "Stopp" in both windows and its key, which works from every window; the button says which key.
void honourStopp(QPushButton* button) {
    vrl::app::setHonouredWhileBusy(button);
    button->setToolTip(QCoreApplication::translate("Programm",
                                                   "Hält den TKV-9D an, auch während ein "
                                                   "Vorgang läuft (%1)")
                           .arg(QKeySequence(vrl::app::kStoppKey).toString()));
}

// "Neu verbinden" in each window's "Datei" menu, above "Beenden": the port closed and opened
// again, and the device at it checked, for an adapter that came back under the same name.
void addNeuVerbinden(QMainWindow* window) {
    for (QAction* menu : window->menuBar()->actions()) {
        if (!menu->menu()) continue;
        const QList<QAction*> items = menu->menu()->actions();
        if (items.isEmpty() || !items.back()->objectName().endsWith(QStringLiteral("_BEENDEN")))
            continue;
        auto* action =
            new QAction(QCoreApplication::translate("Programm", "Neu verbinden"), window);
        action->setObjectName(QStringLiteral("NEUVERBINDEN"));
        QObject::connect(action, &QAction::triggered, window, [] { Callback_NeuVerbinden(); });
        menu->menu()->insertAction(items.back(), action);
        return;
    }
}

// A close that has to wait for the line says so in every window, so the operator does not close
// again or think it was lost.
void showClosing() {
    for (QMainWindow* window :
         {ParMain_GetMainpanel(), StatusMain_Panel() ? StatusMain_Panel()->widget() : nullptr,
          ComMain_Panel() ? ComMain_Panel()->widget() : nullptr})
        if (window) window->statusBar()->showMessage(translated(kWirdBeendet));
}

// Quitting asks about unsaved parameter data first; "Abbrechen" or a failed save keeps the
// program running. A device operation in hand is never cut off: the operator may have a long one
// stopped after its current step, and the program quits once it has ended.
void quitIfAllowed() {
    if (vrl::op::running()) {
        // A short operation (one command, a poll) is over before a question could be read.
        if (gOperations && (!vrl::op::busy() || !gOperations->progressDialog())) {
            showClosing();
            gOperations->whenIdle(quitIfAllowed);
            return;
        }
        const int answer = vrl::popups().questionWithKeys(
            VRL_TR("Programm", "Beenden"),
            VRL_TR("Programm",
                   "Ein Vorgang mit dem TKV-9D läuft noch. Möchten Sie ihn abbrechen und das "
                   "Programm beenden?"),
            VRL_TR("Programm", "Ja"), VRL_TR("Programm", "Nein"), "", 2, 2);
        if (answer != 1 || !vrl::op::running()) {
            Sprache_KeinNeustart();  // the program stays: no restart at a later quit
            return;
        }
        vrl::op::requestCancel();
        showClosing();
        if (gOperations) gOperations->whenIdle(quitIfAllowed);
        return;
    }
    // The report of an operation the operator stopped to quit is shown after the operation's end,
    // and this may run while it is still up: ending the program would take it away unread.
    if (auto* report = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        QObject::connect(
            report, &QDialog::finished, QCoreApplication::instance(),
            [] { QTimer::singleShot(0, QCoreApplication::instance(), quitIfAllowed); },
            Qt::SingleShotConnection);
        return;
    }
    if (AbfrageWennNichtGespeichert() == 0) {
        QCoreApplication::exit(0);
        return;
    }
    // The operator chose to stay: no window claims it is closing, and a later quit is no restart.
    Sprache_KeinNeustart();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(window);
            main && main->statusBar()->currentMessage() == translated(kWirdBeendet))
            main->statusBar()->clearMessage();
}

}  // namespace

int Callback_Panels(QMainWindow*) {
    quitIfAllowed();
    return 0;
}

void Menu_Datei_Beenden() {
    quitIfAllowed();
}

void Func_Stopp() {
    if (gOperations) {
        gOperations->requestStop();
        return;
    }
    // A window on its own (without the program's line worker), as in a test of one window.
    const vrl::op::Operation operation(VRL_TR("Programm", "Stopp"));
    if (operation.started()) sendStopp();
}

vrl::app::WindowOperations* windowOperations() {
    return gOperations.get();
}

int Func_PanelsInitialisieren(const char* version, const char* date) {
    gOperations = std::make_unique<vrl::app::WindowOperations>();
    gOperations->setStopActions(
        [] { VrlCom_HinweisSet(translated(kStoppUnterwegs).toStdString()); }, sendStopp);
    if (ParMain_Initialisieren(version, date) != 0) return -1;
    if (ComMain_Initialisieren() != 0) return -1;
    if (StatusMain_Initialisieren() != 0) return -1;
    honourStopp(ParMain_Panel()->ui.STOPP);
    honourStopp(StatusMain_Panel()->ui.STOPP);
    for (QMainWindow* window :
         {ParMain_GetMainpanel(), ComMain_Panel()->widget(), StatusMain_Panel()->widget()}) {
        addNeuVerbinden(window);
        // The line for what happened to the operator's input; there from the start, so that its
        // first message moves no control away from under the pointer.
        window->statusBar()->setSizeGripEnabled(false);
    }
    // Last: every window's menu lists the complete window list.
    Fenster_MenueintraegeErstellen();
    return 0;
}

int Func_PanelsFreigeben() {
    StatusMain_Freigeben();
    ComMain_Freigeben();
    ParMain_Freigeben();
    vrl::com::unregisterAll();
    gOperations.reset();
    return 0;
}

int Func_IniDateiLaden() {
    IniText store = Ini_New(1);
    if (int code = Ini_ReadFromFile(store, iniPath().c_str()); code != 0) {
        Ini_Dispose(store);
        Fenster_ReadIni(nullptr);  // no place kept: the window where it fits the screen
        return code == kIniMissing ? -802251 : -801252;
    }
    int result = 0;
    for (auto read : {ParMain_ReadIni, ComMain_ReadIni, StatusMain_ReadIni, Sprache_ReadIni}) {
        const int code = read(store);
        if (result == 0) result = code;
    }
    Fenster_ReadIni(store);  // the window's place; never an error
    Ini_Dispose(store);
    return result;
}

int Func_IniDateiSchreiben() {
    IniText store = Ini_New(1);
    ParMain_WriteIni(store);
    ComMain_WriteIni(store);
    StatusMain_WriteIni(store);
    Fenster_WriteIni(store);
    Sprache_WriteIni(store);
    const int code = Ini_WriteToFile(store, iniPath().c_str());
    Ini_Dispose(store);
    return code != 0 ? kIniNotWritten : 0;
}

int Func_Run(vrl::Popups& popups, const std::string& startFile) {
    vrl::params::workspace().paneltitle = std::string(kGeraetName) + " Steuerung";
    vrl::setPopups(&popups);
    if (Func_PanelsInitialisieren(kVersion, kDatum) != 0) {
        vrl::setPopups(nullptr);
        return -1;
    }
    // Every window and the task bar show the program's own icon; on Windows the executable's icon
    // resource gives it too, before the first window exists.
    QApplication::setWindowIcon(vrl::gui::programIcon());
    // Start-up never stops because of the settings file.
    if (int code = Func_IniDateiLaden(); code != 0) VRL_Fehlerpopup(code);
    // Nothing is edited yet, so the file replaces the defaults without a question; a file that
    // cannot be read is reported as "Laden..." reports it, and the program starts all the same.
    if (!startFile.empty()) {
        if (int code = DateiOeffnenPfad(startFile); code != 0) VRL_Fehlerpopup(code);
    }
    ComMain_StartHinweis();
    ParMain_GetMainpanel()->show();
    QCoreApplication::exec();
    if (Func_IniDateiSchreiben() != 0) reportSettingsNotSaved();
    // After the settings took the open port: the line is left closed, not to the process's end.
    VrlCom_Close();
    Func_PanelsFreigeben();
    vrl::setPopups(nullptr);
    return 0;
}
