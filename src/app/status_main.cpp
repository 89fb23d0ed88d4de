#include "app/status_main.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "app/fenster.h"
#include "app/ini.h"
#include "app/recorder.h"
#include "app/shell.h"
#include "connection/com_controls.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "params/tkvcom.h"
#include "platform/gui/controls.h"
#include "platform/gui/led.h"
#include "platform/gui/toggle_button.h"
#include "platform/text/translate.h"

namespace {

using vrl::gui::Led;
using vrl::gui::StatusPanelForm;

constexpr int kModule = 15;  // hdx-4 output modules, numbered 1..15
constexpr int kPanelFehlt = -1;

// The recording's height, once the operator has moved the splitter above it.
constexpr const char* kStatusSection = "status";
constexpr const char* kRecordingHeight = "aufzeichnung";
constexpr const char* kSplitterName = "STATUS_TEILER";
bool gSplitterMoved = false;
int gRecordingHeight = 0;  // [px] from the settings file, for when the window is laid out

// The splitter's sizes mean something only once the window is laid out: right after the window
// is first shown, the recording gets the height kept, or else the lamps and the table the
// height they ask for (so that the table scrolls only on a screen too low for it), and the
// recording the rest.
class ApplyKeptHeight : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* split = static_cast<QSplitter*>(watched);
        split->removeEventFilter(this);
        QTimer::singleShot(0, split, [split] {
            const int kept = std::exchange(gRecordingHeight, 0);
            const int total = split->height() - split->handleWidth();
            const int upper = kept > 0 ? total - kept : split->widget(0)->sizeHint().height();
            split->setSizes({std::max(1, upper), std::max(1, total - upper)});
        });
        return false;
    }
};

// Status word -> lamp; every other bit is ignored. The test-voltage lamp is hidden, so its bit
// never shows, but it is kept up to date like the others.
struct StatusLamp {
    std::uint16_t mask;
    Led* StatusPanelForm::*lamp;
};
constexpr std::array<StatusLamp, 7> kStatusLamps{{
    {0x0001, &StatusPanelForm::STATUSLED1},   // "Kurve läuft"
    {0x0002, &StatusPanelForm::STATUSLED2},   // "Bestromung aktiv"
    {0x0004, &StatusPanelForm::STATUSLED3},   // "Kurve beendet"
    {0x0008, &StatusPanelForm::STATUSLED4},   // "Kurvenablauf abgebrochen"
    {0x0100, &StatusPanelForm::STATUSLED9},   // "Speicherfehler"
    {0x0200, &StatusPanelForm::STATUSLED10},  // "hdx-4 Fehler"
    {0x0400, &StatusPanelForm::STATUSLED11},  // "Prüfspannungsfehler"
}};

// Module status word -> the three lamps of the module's row, HDXSTATUS<n>_<suffix>. The lamps
// stand under their column's heading without a label of their own; a screen reader names each
// by its column with the module's number as the row shows it ("hdx-4 3 gefunden").
struct ModuleLamp {
    std::uint16_t mask;
    int suffix;
    const char* spokenName;  // %1: the module's hexadecimal digit
};
constexpr std::array<ModuleLamp, 3> kHdxStatusLamps{{
    {0x0001, 1, QT_TRANSLATE_NOOP("Status", "hdx-4 %1 gefunden")},
    {0x0100, 9, QT_TRANSLATE_NOOP("Status", "hdx-4 %1 nicht mehr erreichbar")},
    {0x0200, 10, QT_TRANSLATE_NOOP("Status", "hdx-4 %1 meldet \"Nicht alle Parameter erhalten\"")},
}};

// Output-enable mask: bit n-1 is module n. The device wants bit 15 set on every write and
// reports it set on every read; it belongs to no module.
constexpr int kAusgangBit15 = 0x8000;

constexpr int kPollFailuresToStop = 5;
int gPollsFailedInRow = 0;

std::unique_ptr<vrl::gui::StatusPanel> gStatusPanel;
std::array<std::array<Led*, kHdxStatusLamps.size()>, kModule> gHdxStatusLeds{};
std::array<QCheckBox*, kModule> gHdxAusgaenge{};

StatusPanelForm& ui() {
    return gStatusPanel->ui;
}

// Dimmed lamps say that the status word shown is not being polled; they keep their values.
// The module lamps are read on demand and never dimmed.
void StatusLedsDimmen(int dim) {
    for (const auto& entry : kStatusLamps) vrl::gui::setDimmed(ui().*entry.lamp, dim != 0);
    vrl::gui::setDimmed(ui().ISTSTROM, dim != 0);
    vrl::gui::setDimmed(ui().ISTSPANNUNG, dim != 0);
}

int StatusAbfragen() {
    int status = 0;
    if (const int code = TkvCom_StatusLesen(&status); code != 0) return code;
    for (const auto& entry : kStatusLamps)
        vrl::gui::setQuietly(ui().*entry.lamp, (status & entry.mask) != 0);
    return 0;
}

// One transaction per module; the first failure ends the read, and the rows from that module
// on keep what they showed.
int HdxStatusAbfragen() {
    for (int n = 1; n <= kModule; ++n) {
        // "Stopp" meanwhile goes out after the module in hand, not after fifteen of them (each a
        // time-out on a silent line); the rows from here keep what they showed.
        if (vrl::op::cancelRequested()) return 0;
        int status = 0;
        if (const int code = TkvCom_HdxStatusLesen(n, &status); code != 0) return code;
        const auto& row = gHdxStatusLeds[static_cast<std::size_t>(n - 1)];
        for (std::size_t column = 0; column < kHdxStatusLamps.size(); ++column)
            vrl::gui::setQuietly(row[column], (status & kHdxStatusLamps[column].mask) != 0);
    }
    return 0;
}

int AusgaengeLesen() {
    int mask = 0;
    if (const int code = TkvCom_OutputenableLesen(&mask); code != 0) return code;
    for (int n = 1; n <= kModule; ++n)
        vrl::gui::setQuietly(gHdxAusgaenge[static_cast<std::size_t>(n - 1)],
                             ((mask >> (n - 1)) & 1) != 0);
    return 0;
}

int AusgaengeSchreiben() {
    int mask = kAusgangBit15;
    for (int n = kModule; n >= 1; --n)
        if (gHdxAusgaenge[static_cast<std::size_t>(n - 1)]->isChecked()) mask |= 1 << (n - 1);
    return TkvCom_OutputenableSchreiben(mask);
}

// Finds the module lamps and check boxes by name, names them for a screen reader and switches
// the lamps off. A window without one of them is not usable: kPanelFehlt.
int StatusTabellenAufbauen() {
    QMainWindow* window = gStatusPanel->widget();
    for (int n = 1; n <= kModule; ++n) {
        const QString digit = QString::number(n, 16);
        auto& row = gHdxStatusLeds[static_cast<std::size_t>(n - 1)];
        for (std::size_t column = 0; column < kHdxStatusLamps.size(); ++column) {
            const QString name =
                QStringLiteral("HDXSTATUS%1_%2").arg(n).arg(kHdxStatusLamps[column].suffix);
            row[column] = window->findChild<Led*>(name);
            if (!row[column]) return kPanelFehlt;
            row[column]->setAccessibleName(
                QCoreApplication::translate("Status", kHdxStatusLamps[column].spokenName)
                    .arg(digit));
            vrl::gui::setQuietly(row[column], false);
        }
        auto*& box = gHdxAusgaenge[static_cast<std::size_t>(n - 1)];
        box = window->findChild<QCheckBox*>(QStringLiteral("HDXAUSGANG%1").arg(n));
        if (!box) return kPanelFehlt;
        box->setAccessibleName(
            QCoreApplication::translate("Status", "hdx-4 %1 Ausgang freigegeben").arg(digit));
    }
    return 0;
}

void TabellenLeeren() {
    gHdxStatusLeds = {};
    gHdxAusgaenge = {};
}

void PollingSchalten(bool on) {
    gPollsFailedInRow = 0;
    StatusLedsDimmen(on ? 0 : 1);
    if (on)
        ui().STATUSTIMER->start();
    else
        ui().STATUSTIMER->stop();
}

void CallbacksVerbinden() {
    auto& form = ui();
    QMainWindow* window = gStatusPanel->widget();
    const std::array<std::pair<QWidget*, StatusButton>, 6> buttons{{
        {form.TKVSTATUSABFRAGE, StatusButton::TkvStatusabfrage},
        {form.START, StatusButton::Start},
        {form.STOPP, StatusButton::Stopp},
        {form.HDXSTATUSABFRAGE, StatusButton::HdxStatusabfrage},
        {form.AUSGAENGELESEN, StatusButton::AusgaengeLesen},
        {form.AUSGAENGESCHREIBEN, StatusButton::AusgaengeSchreiben},
    }};
    for (const auto& [control, button] : buttons)
        vrl::gui::connectCommit(control, [button] { Callback_Status_Buttons(button); });
    vrl::gui::connectCommit(form.ZURUECK, [] { Callback_Status_Button_Zurueck(); });
    QObject::connect(form.STATUSTIMER, &QTimer::timeout, form.STATUSTIMER,
                     [] { Callback_Statustimer(); });
    vrl::gui::interceptClose(window, [window] { Callback_Panels(window); });
    QObject::connect(form.MENUSTATUS_DATEI_BEENDEN, &QAction::triggered, window,
                     [] { Menu_Datei_Beenden(); });
}

// The part above the splitter: as large as its content wants, as narrow as its content may be,
// and as low as the operator drags it (it scrolls then).
class LampsScroller : public QScrollArea {
  public:
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override {
        if (!widget()) return QScrollArea::minimumSizeHint();
        return {widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width(),
                QScrollArea::minimumSizeHint().height()};
    }
};

QSplitter* splitter() {
    return gStatusPanel ? gStatusPanel->widget()->findChild<QSplitter*>(kSplitterName) : nullptr;
}

}  // namespace

int StatusMain_Initialisieren() {
    gStatusPanel = std::make_unique<vrl::gui::StatusPanel>();
    auto& form = ui();
    Fenster_PanelZurListeHinzufuegen(gStatusPanel->widget(), VRL_TR("Fenster", "Status").c_str(),
                                     form.MENUSTATUS_FENSTER);
    vrl::gui::setQuietly(
        form.TEXT_GERAETSTATUS,
        QCoreApplication::translate("Status", "%1 Status").arg(QString::fromUtf8(kGeraetName)));
    vrl::gui::setQuietly(
        form.TEXT_GERAETSTEUERN,
        QCoreApplication::translate("Status", "%1 Steuern").arg(QString::fromUtf8(kGeraetName)));
    vrl::gui::setControlVisible(form.ISTSTROM, false);
    vrl::gui::setControlVisible(form.ISTSPANNUNG, false);
    for (const auto& entry : kStatusLamps) vrl::gui::setQuietly(form.*entry.lamp, false);
    StatusLedsDimmen(1);
    vrl::gui::setControlVisible(form.STATUSLED11, false);
    // A wrapped heading in a grid gets the height of one line unless it asks for more, and is
    // cut; each asks for the lines it needs at its width, at whatever font size.
    for (QLabel* heading :
         {form.TEXT_HDXGEFUNDEN, form.TEXT_HDXNICHTERREICHBAR, form.TEXT_HDXPARAMETER}) {
        heading->setMinimumWidth(heading->maximumWidth());
        heading->setMinimumHeight(heading->heightForWidth(heading->maximumWidth()));
    }
    if (StatusTabellenAufbauen() != 0) {
        TabellenLeeren();
        gStatusPanel.reset();
        return kPanelFehlt;
    }
    VrlCom_RegisterPictureringControl(form.COMPICTURERING);
    VrlCom_RegisterFehlerControls(form.FEHLERLED, form.FEHLERSTRING, form.FEHLERNUMMER);
    CallbacksVerbinden();
    // The recording of actual current and voltage, below the lamps; it keeps its own timer. A
    // splitter between lamps and recording lets the operator give the plot the room: the hdx-4
    // table above it scrolls.
    // Moving the lamps into a widget of their own moves them in the tab order too; it is put
    // back as the window had it.
    QList<QWidget*> tabOrder;
    QWidget* window = gStatusPanel->widget();
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
            !qobject_cast<QComboBox*>(w->parentWidget()))
            tabOrder << w;
    auto* split = new QSplitter(Qt::Vertical, form.centralwidget);
    split->setObjectName(kSplitterName);
    split->setChildrenCollapsible(false);
    form.statusPanelLayout->insertWidget(1, split, 1);
    auto* upper = new QWidget;
    QLayoutItem* lamps = form.statusPanelLayout->takeAt(0);
    QLayout* lampsLayout = lamps->layout();
    lampsLayout->setParent(nullptr);
    lampsLayout->setContentsMargins(0, 0, 0, 0);  // the window's margins are around the splitter
    upper->setLayout(lampsLayout);
    // Made on its own, so that its controls stay together behind it in the focus chain.
    auto* recorder = new vrl::app::MeasurementRecorder;
    // The lamps' column is taller than the plot may spare on a 768 px screen: the part above the
    // splitter scrolls as a whole once the operator gives the plot more, so the splitter can
    // move as far as he asks. "Stopp" has its key in every window for that case.
    auto* upperScroller = new LampsScroller;
    upperScroller->setObjectName(QStringLiteral("STATUS_OBEN_scroller"));
    upperScroller->setFrameShape(QFrame::NoFrame);
    upperScroller->setWidgetResizable(true);
    upperScroller->setFocusPolicy(Qt::NoFocus);  // the controls inside take focus, not the frame
    upperScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    upperScroller->setWidget(upper);
    split->addWidget(upperScroller);
    split->addWidget(recorder);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    gSplitterMoved = false;
    gRecordingHeight = 0;
    split->installEventFilter(new ApplyKeptHeight(split));
    QObject::connect(split, &QSplitter::splitterMoved, split, [] { gSplitterMoved = true; });
    vrl::gui::placeInTabOrder(form.AUSGAENGESCHREIBEN, recorder, form.COMPICTURERING);
    // On a low screen the hdx-4 table scrolls; the lamps, "Start", "Stopp", the recording and the
    // error display stay in view.
    vrl::gui::scrollWhenLargerThanScreen(form.DECORATION_3);
    return 0;
}

int StatusMain_Freigeben() {
    TabellenLeeren();
    gStatusPanel.reset();
    return 0;
}

int StatusMain_ReadIni(IniText store) {
    int height = 0;
    QSplitter* split = splitter();
    if (!split || Ini_GetInt(store, kStatusSection, kRecordingHeight, &height) <= 0 || height <= 0)
        return 0;
    gRecordingHeight = height;
    gSplitterMoved = true;
    // A window already laid out takes it at once.
    if (split->isVisible()) {
        split->setSizes({std::max(1, split->height() - height), height});
        gRecordingHeight = 0;
    }
    return 0;
}

int StatusMain_WriteIni(IniText store) {
    // Kept only once the operator has chosen it: a settings file without it stays as it was.
    if (QSplitter* split = splitter(); split && gSplitterMoved)
        Ini_PutInt(store, kStatusSection, kRecordingHeight, split->sizes().value(1));
    return 0;
}

void StatusMain_ComLed(int on) {
    if (!gStatusPanel) return;
    vrl::gui::setQuietly(ui().COMAKTIVLED, on != 0);
}

vrl::gui::StatusPanel* StatusMain_Panel() {
    return gStatusPanel.get();
}

vrl::app::MeasurementRecorder* StatusMain_Recorder() {
    return gStatusPanel ? gStatusPanel->widget()->findChild<vrl::app::MeasurementRecorder*>()
                        : nullptr;
}

bool StatusMain_KnownStopped() {
    return gStatusPanel && ui().TKVSTATUSABFRAGE->isChecked() && !ui().STATUSLED1->isOn();
}

int Callback_Status_Buttons(StatusButton button) {
    if (!gStatusPanel) return 0;
    if (button == StatusButton::TkvStatusabfrage) {
        PollingSchalten(ui().TKVSTATUSABFRAGE->isChecked());
        return 0;
    }
    if (button == StatusButton::Stopp) {
        Func_Stopp();
        return 0;
    }
    // One device operation at a time; the device operations show their own failures, nothing
    // here depends on the results.
    QWidget* window = gStatusPanel->widget();
    switch (button) {
        case StatusButton::TkvStatusabfrage:
        case StatusButton::Stopp:
            break;
        case StatusButton::Start:
            VrlCom_GeraeteAktion(window, VRL_TR("Status", "Start"),
                                 VRL_TR("Status", "Start vom TKV-9D angenommen"),
                                 [] { return TkvCom_GeraetStarten(); });
            break;
        case StatusButton::HdxStatusabfrage:
            VrlCom_GeraeteAktion(window, VRL_TR("Status", "hdx-4-Status lesen"),
                                 VRL_TR("Status", "hdx-4-Status gelesen"), HdxStatusAbfragen);
            break;
        case StatusButton::AusgaengeLesen:
            VrlCom_GeraeteAktion(window, VRL_TR("Status", "Ausgänge lesen"),
                                 VRL_TR("Status", "Ausgänge gelesen"), AusgaengeLesen);
            break;
        case StatusButton::AusgaengeSchreiben:
            VrlCom_GeraeteAktion(window, VRL_TR("Status", "Ausgänge schreiben"),
                                 VRL_TR("Status", "Ausgänge geschrieben"), AusgaengeSchreiben);
            break;
    }
    return 0;
}

int Callback_Status_Button_Zurueck() {
    if (gStatusPanel) Fenster_SwitchPanels(gStatusPanel->widget(), Fenster_MainpanelGet());
    return 0;
}

// A single failed poll (a garbled or lost answer) dims the lamps, since they no longer show the
// device's state, and polling goes on; five in a row end it, as they end a recording: the link
// is down, and the operator switches polling on again when it is back.
int Callback_Statustimer() {
    if (!gStatusPanel) return 0;
    // The adapter is away: polling pauses, the lamps dimmed as showing no current state, and
    // goes on with the first tick after the port is back.
    if (VrlCom_Getrennt()) {
        gPollsFailedInRow = 0;
        StatusLedsDimmen(1);
        return 0;
    }
    // A tick that falls into another operation is skipped: polling resumes with the next one.
    // A short poll does not make the windows busy: what the operator does meanwhile is carried
    // out right after it. A poll that waits out a time-out does (busy.cpp).
    const vrl::op::Operation operation(VRL_TR("Status", "Statusabfrage"),
                                       vrl::op::Kind::Background);
    if (!operation.started()) return 0;
    if (StatusAbfragen() == 0) {
        gPollsFailedInRow = 0;
        StatusLedsDimmen(0);
        return 0;
    }
    StatusLedsDimmen(1);
    if (++gPollsFailedInRow < kPollFailuresToStop) return 0;
    gPollsFailedInRow = 0;
    ui().STATUSTIMER->stop();
    vrl::gui::setQuietly(ui().TKVSTATUSABFRAGE, false);
    return 0;
}
