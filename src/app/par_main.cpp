#include "app/par_main.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/curve_preview.h"
#include "app/device_compare.h"
#include "app/fenster.h"
#include "app/language.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app/trace_window.h"
#include "connection/com_controls.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/parameter_panels.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/gui/controls.h"
#include "platform/gui/indicator_ring.h"
#include "platform/gui/panels.h"
#include "platform/text/translate.h"

namespace {

struct MainPanels {
    vrl::gui::MainPanel main;
    vrl::gui::InfoPanel info{main.widget()};
    vrl::gui::KalibPanel kalib{main.widget()};
    vrl::gui::RenamePanel rename{main.widget()};
    std::unique_ptr<vrl::params::QtParameterPanels> binding;
};

std::unique_ptr<MainPanels> gPanels;

QString withDevice(const QString& format) {
    return format.arg(QString::fromUtf8(kGeraetName));
}

// A device action of this window; its message names the address it went to.
void deviceAction(const std::string& title, const std::string& done,
                  const std::function<int()>& action) {
    VrlCom_GeraeteAktion(gPanels->main.widget(), title, done, action);
}

void showFileError(int code) {
    if (code != 0) VRL_Fehlerpopup(code);
}

// "Neu" and "Laden..." replace the whole table: changed data is offered for saving first, with
// the question that quitting asks, so that no edit is lost by a slip of the menu.
bool mayDiscardData() {
    return AbfrageWennNichtGespeichert() == 0;
}

// Reading loads the device's programs into its working parameters one by one, which stops a
// running curve, and replaces the table the operator edits. Asked before the read's own
// question whenever either may cost something; "Nein" is what Enter and Esc answer.
bool mayReadFromDevice() {
    const bool mayRun = !StatusMain_KnownStopped();
    const bool changed = vrl::params::workspace().datenGeaendert;
    if (!mayRun && !changed) return true;
    std::string text;
    if (mayRun)
        text += VRL_TR("Hauptfenster",
                       "Der TKV-9D wird angehalten, falls er eine Kurve abfährt: Zum Lesen werden "
                       "seine Programme in seine Arbeitsparameter geladen.") +
                "\n";
    if (changed)
        text += VRL_TR("Hauptfenster",
                       "Nicht gespeicherte Änderungen gehen verloren: Die gelesenen Programme "
                       "ersetzen sie.") +
                "\n";
    text += "\n" + VRL_TR("Hauptfenster", "Trotzdem vom TKV-9D lesen?");
    constexpr int kJa = 1, kNein = 2;
    return vrl::popups().questionWithKeys(VRL_TR("Hauptfenster", "Programme vom TKV-9D lesen"),
                                          text, VRL_TR("Hauptfenster", "Ja"),
                                          VRL_TR("Hauptfenster", "Nein"), "", kNein, kNein) == kJa;
}

// What was read from the device is in no file yet: the operator is asked before "Neu", "Laden"
// or the end of the program drop it, as after his own edits.
int readFromDevice() {
    const ProgramTable& table = vrl::params::workspace().prog;
    const ProgramTable before = table;
    const int code = Prog_ProgrammeVonGeraetLesen();
    if (std::memcmp(before.data(), table.data(), sizeof(ProgramTable)) != 0)
        DatenAlsGeaendertMarkieren();
    return code;
}

// The preview stands beside the parameters where the window is wide enough for both; on a
// narrower screen (1366 px at 125 %) it moves under "TKV-9D steuern", where there is room,
// rather than be cut off behind a scroll bar.
class PreviewPlacer : public QObject {
  public:
    PreviewPlacer(Ui::MAINPANEL& ui, vrl::app::CurvePreview* preview)
        : QObject(ui.KURVENVORSCHAU), ui_(ui), preview_(preview) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) place();
        return false;
    }

  private:
    void place() {
        QWidget* window = ui_.DECORATION->window();
        auto* row = ui_.parameterSpalten;
        const bool inRow = row->indexOf(ui_.KURVENVORSCHAU) >= 0;
        if (inRow) {
            // The width the window needs for the parameters and the preview side by side.
            QWidget* view = ui_.DECORATION->parentWidget();
            wide_ = window->width() - (view ? view->width() : ui_.DECORATION->width()) +
                    ui_.DECORATION->minimumSizeHint().width();
            if (window->width() >= wide_) return;
            rowIndex_ = row->indexOf(ui_.KURVENVORSCHAU);
            row->removeWidget(ui_.KURVENVORSCHAU);
            // No wider than the column's buttons: the column must not push the parameters out.
            ui_.KURVENVORSCHAU->setMaximumWidth(ui_.DECORATION_2->sizeHint().width());
            preview_->setNarrow(true);
            ui_.steuernLayout->insertWidget(ui_.steuernLayout->count() - 1, ui_.KURVENVORSCHAU, 1);
        } else if (window->width() >= wide_) {
            ui_.steuernLayout->removeWidget(ui_.KURVENVORSCHAU);
            ui_.KURVENVORSCHAU->setMaximumWidth(QWIDGETSIZE_MAX);
            preview_->setNarrow(false);
            row->insertWidget(rowIndex_, ui_.KURVENVORSCHAU);
        }
    }

    Ui::MAINPANEL& ui_;
    vrl::app::CurvePreview* preview_;
    int wide_ = 0;      // [px] of window width
    int rowIndex_ = 0;  // the preview's place among the parameter columns
};

// Where a device action went: with two devices on the line, the address shown after a scan
// need not be the one in use.
std::string atAddress() {
    return vrl::text::fill(VRL_TR("Hauptfenster", " (Adresse %1)"),
                           {std::string(1, VrlCom_AdresseGet())});
}

// Storing overwrites the program of that number in the device for good.
bool mayStoreProgram(int number) {
    const std::string n = std::to_string(number);
    const std::string text =
        vrl::text::fill(VRL_TR("Hauptfenster",
                               "Die Arbeitsparameter des TKV-9D werden als Programm %1 "
                               "gespeichert; was dort gespeichert ist, geht verloren."),
                        {n}) +
        atAddress() + "\n\n" +
        vrl::text::fill(VRL_TR("Hauptfenster", "Programm %1 im TKV-9D überschreiben?"), {n});
    constexpr int kJa = 1, kNein = 2;
    return vrl::popups().questionWithKeys(
               VRL_TR("Hauptfenster", "Im TKV-9D als Programm speichern"), text,
               VRL_TR("Hauptfenster", "Ja"), VRL_TR("Hauptfenster", "Nein"), "", kNein,
               kNein) == kJa;
}

void connectButtons(Ui::MAINPANEL& ui) {
    const std::pair<QWidget*, MainButton> buttons[] = {
        {ui.LADEN, MainButton::Laden},
        {ui.SPEICHERN, MainButton::Speichern},
        {ui.PROGLESEN, MainButton::ProgLesen},
        {ui.PROGSCHREIBEN, MainButton::ProgSchreiben},
        {ui.PROGRAMMEINSTELLEN, MainButton::ProgrammEinstellen},
        {ui.PROGRAMMSPEICHERN, MainButton::ProgrammSpeichern},
        {ui.START, MainButton::Start},
        {ui.STOPP, MainButton::Stopp},
        {ui.KALIBRIEREN, MainButton::Kalibrieren},
    };
    for (const auto& [control, button] : buttons)
        vrl::gui::connectCommit(control, [button = button] { Callback_Main_Buttons(button); });

    QMainWindow* window = gPanels->main.widget();
    const std::pair<QAction*, MainMenuItem> items[] = {
        {ui.MENUMAIN_DATEI_NEU, MainMenuItem::Neu},
        {ui.MENUMAIN_DATEI_LADEN, MainMenuItem::Laden},
        {ui.MENUMAIN_DATEI_SPEICHERN, MainMenuItem::Speichern},
        {ui.MENUMAIN_DATEI_SPEICHERNUNTER, MainMenuItem::SpeichernUnter},
    };
    for (const auto& [action, item] : items)
        QObject::connect(action, &QAction::triggered, window,
                         [item = item] { Menu_Main_Datei(item); });
    QObject::connect(ui.MENUMAIN_DATEI_BEENDEN, &QAction::triggered, window,
                     [] { Menu_Datei_Beenden(); });
    QObject::connect(ui.MENUMAIN_PROGRAMM_UMBENENNEN, &QAction::triggered, window,
                     [] { Menu_Main_Programm(); });
    QObject::connect(ui.MENUMAIN_PROGRAMM_VERGLEICHEN, &QAction::triggered, window,
                     [window] { vrl::app::compareWithDevice(window); });
    QObject::connect(ui.MENUMAIN_HILFE_INFO, &QAction::triggered, window, [] { Menu_Main_Info(); });
    QObject::connect(ui.MENUMAIN_HILFE_PROTOKOLL, &QAction::triggered, window,
                     [window] { vrl::app::showTraceWindow(window); });
    Sprache_MenueErstellen(ui.MENUMAIN_HILFE);
    vrl::gui::interceptClose(window, [window] { Callback_Panels(window); });
    // The calibration is shown here and changed in the calibration panel: the ring leads there.
    QObject::connect(ui.PAR_KUNDENKALIBRIERUN, &vrl::gui::IndicatorRing::openRequested, window,
                     [] { Callback_Main_Buttons(MainButton::Kalibrieren); });
}

}  // namespace

int ParMain_Initialisieren(const char* version, const char* date) {
    gPanels = std::make_unique<MainPanels>();
    auto& ui = gPanels->main.ui;
    QMainWindow* window = gPanels->main.widget();
    window->setWindowTitle(QString::fromStdString(vrl::params::workspace().paneltitle));

    auto& info = gPanels->info.ui;
    info.VERSION->setText(QString::fromUtf8(version));
    info.DATUM->setText(QString::fromUtf8(date));
    info.PROGRAMMNAME->setText(
        withDevice(QCoreApplication::translate("Hauptfenster", "%1 Steuerung")));
    // The popup goes away; the panel stays loaded for the next time.
    QObject::connect(info.OK, &QPushButton::clicked, gPanels->info.widget(),
                     [] { Callback_Info_Button_Ok(); });

    ui.PROGLESEN->setText(withDevice(QCoreApplication::translate("Hauptfenster", "vom %1 lesen")));
    ui.PROGSCHREIBEN->setText(
        withDevice(QCoreApplication::translate("Hauptfenster", "zum %1 schreiben")));
    ui.TEXT_GERAETSTEUERN->setText(
        withDevice(QCoreApplication::translate("Hauptfenster", "%1 steuern")));
    // The test voltage stays in the record and the file, but the operator does not set it.
    vrl::gui::setControlVisible(ui.PAR_PRUEFSPANNUNG, false);

    Fenster_Initialisieren();
    Fenster_HauptpanelSet(window);
    Fenster_PanelZurListeHinzufuegen(window, VRL_TR("Fenster", "Hauptfenster").c_str(),
                                     ui.MENUMAIN_FENSTER);

    VrlCom_RegisterPictureringControl(ui.COMPICTURERING);
    VrlCom_RegisterFehlerControls(ui.FEHLERLED, ui.FEHLERSTRING, ui.FEHLERNUMMER);

    gPanels->binding = std::make_unique<vrl::params::QtParameterPanels>(
        gPanels->main, gPanels->kalib, gPanels->rename);
    gPanels->binding->otherComLamp = [](bool on) { StatusMain_ComLed(on ? 1 : 0); };
    // The preview follows the working copy: every record shown, every committed change.
    auto* preview = new vrl::app::CurvePreview(ui.KURVENVORSCHAU);
    ui.KURVENVORSCHAU->layout()->addWidget(preview);
    vrl::gui::placeInTabOrder(ui.KALIBRIEREN, preview, ui.START);
    gPanels->binding->recordChanged = [preview] {
        preview->showRecord(vrl::params::workspace().parameter);
    };
    // On a narrow screen the parameters scroll, and "Start" and "Stopp" beside them stay in view.
    vrl::gui::scrollWhenLargerThanScreen(ui.DECORATION);
    window->installEventFilter(new PreviewPlacer(ui, preview));
    connectButtons(ui);

    Prog_Initialisieren();
    return 0;
}

int ParMain_Freigeben() {
    gPanels.reset();
    return 0;
}

int ParMain_ReadIni(IniText) {
    return 0;
}
int ParMain_WriteIni(IniText) {
    return 0;
}

QMainWindow* ParMain_GetMainpanel() {
    return gPanels ? gPanels->main.widget() : nullptr;
}

void Menu_Main_Datei(MainMenuItem item) {
    // The table and the file belong to the running operation until it ends.
    if (vrl::op::busy()) return;
    switch (item) {
        case MainMenuItem::Neu:
            if (mayDiscardData()) Prog_Initialisieren();
            break;
        case MainMenuItem::Laden:
            if (mayDiscardData()) showFileError(DateiOeffnen());
            break;
        case MainMenuItem::Speichern:
            showFileError(DateiSpeichern(0));
            break;
        case MainMenuItem::SpeichernUnter:
            showFileError(DateiSpeichern(1));
            break;
        case MainMenuItem::Other:
            break;
    }
}

void Menu_Main_Programm() {
    if (vrl::op::busy()) return;
    Prog_Umbenennen();
}

void Menu_Main_Info() {
    vrl::popups().runModal("INFOPANEL");
}

int Callback_Info_Button_Ok() {
    if (gPanels) gPanels->info.widget()->accept();
    return 0;
}

int Callback_Main_Buttons(MainButton button) {
    if (gPanels && button == MainButton::Stopp) {
        Func_Stopp();
        return 0;
    }
    if (!gPanels || vrl::op::busy()) return 0;
    auto& ui = gPanels->main.ui;
    const int number = ui.PROGRAMMNUMMER->value();
    switch (button) {
        case MainButton::Laden:
            Menu_Main_Datei(MainMenuItem::Laden);
            break;
        case MainButton::Speichern:
            Menu_Main_Datei(MainMenuItem::Speichern);
            break;
        case MainButton::ProgLesen:
            if (mayReadFromDevice())
                deviceAction(VRL_TR("Hauptfenster", "Programme vom TKV-9D lesen"),
                             VRL_TR("Hauptfenster", "Programme vom TKV-9D gelesen"),
                             readFromDevice);
            break;
        case MainButton::ProgSchreiben:
            deviceAction(VRL_TR("Hauptfenster", "Programme zu TKV-9D schreiben"),
                         VRL_TR("Hauptfenster", "Programme zum TKV-9D geschrieben"),
                         [] { return Prog_ProgrammeAufGeraetSchreiben(); });
            break;
        case MainButton::ProgrammEinstellen:
            deviceAction(VRL_TR("Hauptfenster", "Programm einstellen"),
                         vrl::text::fill(VRL_TR("Hauptfenster", "Programm %1 eingestellt"),
                                         {std::to_string(number)}),
                         [number] { return TkvCom_ProgrammEinstellen(number); });
            break;
        case MainButton::ProgrammSpeichern:
            if (mayStoreProgram(number))
                deviceAction(VRL_TR("Hauptfenster", "Programm speichern"),
                             vrl::text::fill(VRL_TR("Hauptfenster",
                                                    "Arbeitsparameter als Programm %1 im TKV-9D "
                                                    "gespeichert"),
                                             {std::to_string(number)}),
                             [number] { return TkvCom_ProgrammAbspeichern(number); });
            break;
        case MainButton::Start:
            deviceAction(VRL_TR("Hauptfenster", "Start"),
                         VRL_TR("Hauptfenster", "Start vom TKV-9D angenommen"),
                         [] { return TkvCom_GeraetStarten(); });
            break;
        case MainButton::Stopp:
            break;
        case MainButton::Kalibrieren:
            gPanels->kalib.widget()->show();
            gPanels->kalib.widget()->raise();
            break;
    }
    return 0;
}

vrl::gui::MainPanel* ParMain_Panel() {
    return gPanels ? &gPanels->main : nullptr;
}
vrl::gui::KalibPanel* ParMain_KalibPanel() {
    return gPanels ? &gPanels->kalib : nullptr;
}
vrl::gui::InfoPanel* ParMain_InfoPanel() {
    return gPanels ? &gPanels->info : nullptr;
}
vrl::gui::RenamePanel* ParMain_RenamePanel() {
    return gPanels ? &gPanels->rename : nullptr;
}
