// Pictures of the three windows for the README and docs/, taken from the real panels connected to
// the simulated device: the main window, the connection window after a scan found the device, and
// the status window with polling on and a curve running, and the main window with the progress
// display while all programs are written. With the language "en" after the folder: the three
// windows in English, english_main.png, english_connection.png and english_status.png.

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QMainWindow>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/com_main.h"
#include "app/curve_preview.h"
#include "app/language.h"
#include "app/par_main.h"
#include "app/recorder.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "connection/vrlcom.h"
#include "params/program.h"
#include "platform/gui/panels.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QMainWindow* window, const QString& path) {
    window->resize(window->sizeHint().expandedTo(window->minimumSizeHint()));
    window->show();
    settle(200);
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    window->hide();
    return saved;
}

QProgressDialog* progressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// The main window with the progress display over it, and then "Abbrechen".
bool saveWithProgress(QMainWindow* window, const QString& path) {
    QPixmap shot = window->grab();
    QProgressDialog* dialog = progressDialog();
    if (dialog) {
        QPainter painter(&shot);
        // Centred on the window, where it comes up on a screen that holds both.
        const QPixmap over = dialog->grab();
        painter.drawPixmap((shot.width() - over.width()) / 2, (shot.height() - over.height()) / 2,
                           over);
    }
    const bool saved = dialog && shot.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    if (dialog) dialog->cancel();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("docs/screenshots");
    QDir().mkpath(folder);
    const bool english = argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("en");
    Sprache_Einstellen(english ? vrl::gui::Language::English : vrl::gui::Language::German);
    const QString prefix = folder + (english ? "/english_" : "/");

    sim::Line line;
    line.addTkv('1', "VRL-TKV9D-SIM");
    line.setValue('1', "C1", "0.500");
    line.setValue('1', "T1", "2000.0");
    line.setValue('1', "C2", "1.250");
    line.setValue('1', "T2", "2000.0");
    line.setValue('1', "N1", "Dauerlauf Pruefling 7");
    line.setValue('1', "O0", "8033");
    serial::setPortPath(1, line.devicePath());

    vrl::ScriptedPopups popups;
    vrl::setPopups(&popups);
    if (Func_PanelsInitialisieren(kVersion, kDatum) != 0) return 1;
    VrlCom_Open(1);

    bool ok = true;
    // The working parameters as the device holds them.
    Prog_ProgrammeLesen(0, 0);
    ok &= save(ParMain_GetMainpanel(), prefix + "main.png");

    if (!english) {
        // The curve preview alone, with a four-step sequence and a triangle.
        auto* preview = ParMain_GetMainpanel()->findChild<vrl::app::CurvePreview*>();
        Parametersatz curve = vrl::params::workspace().parameter;
        curve.strom3 = 0.8;
        curve.zeit3 = 1000.0;
        curve.strom4 = 2.0;
        curve.zeit4 = 500.0;
        curve.zyklen = 5;
        ParMain_GetMainpanel()->show();
        preview->showRecord(curve);
        settle(200);
        ok &= preview->grab().save(folder + "/curve_four_steps.png");
        curve.stromkurve = 2;
        curve.messbereich = 2;
        curve.strom2 = 4.2;  // beyond the limit: marked
        curve.zyklen = 0;
        preview->showRecord(curve);
        settle(200);
        ok &= preview->grab().save(folder + "/curve_triangle.png");
        ParMain_GetMainpanel()->hide();
    }

    ComMain_Panel()->ui.SCANN->click();
    ok &= save(ComMain_Panel()->widget(), prefix + "connection.png");

    StatusMain_Panel()->ui.START->click();
    StatusMain_Panel()->ui.HDXSTATUSABFRAGE->click();
    StatusMain_Panel()->ui.AUSGAENGELESEN->click();
    StatusMain_Panel()->ui.TKVSTATUSABFRAGE->click();
    settle(1300);  // one tick of the polling timer
    ok &= save(StatusMain_Panel()->widget(), prefix + "status.png");
    if (english) {
        Func_PanelsFreigeben();
        vrl::setPopups(nullptr);
        return ok ? 0 : 1;
    }

    // Recording at 0.2 s while the curve runs: two cycles of its four seconds.
    auto* recorder = StatusMain_Recorder();
    recorder->period()->setValue(0.2);
    recorder->toggle()->click();
    settle(8600);
    ok &= save(StatusMain_Panel()->widget(), folder + "/recording.png");
    recorder->toggle()->click();

    // Writing all programs on a line at the real speed, two seconds in.
    sim::Line paced(sim::LineOptions{true, "", 0});
    paced.addTkv('1', "VRL-TKV9D-SIM");
    serial::setPortPath(2, paced.devicePath());
    VrlCom_Open(2);
    QMainWindow* window = ParMain_GetMainpanel();
    window->resize(window->sizeHint().expandedTo(window->minimumSizeHint()));
    window->show();
    popups.answers = {2};  // "alle"
    QTimer::singleShot(2000, [&] { ok &= saveWithProgress(window, folder + "/progress.png"); });
    ParMain_Panel()->ui.PROGSCHREIBEN->click();

    Func_PanelsFreigeben();
    vrl::setPopups(nullptr);
    return ok ? 0 : 1;
}
