#include "app/recorder.h"

#include <qcustomplot.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>
#include <memory>
#include <utility>

#include "app/export_picture.h"
#include "app/recorder_plot.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/device_watch.h"
#include "params/program.h"
#include "platform/files/replace_file.h"
#include "platform/gui/controls.h"
#include "platform/gui/number_field.h"
#include "platform/gui/toggle_button.h"
#include "platform/text/translate.h"

namespace vrl::app {

namespace {

// The file could not be written: message 301 "Fehler beim Schreiben auf Datei".
constexpr int kCsvSaveFailed = -301713;
constexpr int kPngSaveFailed = -301714;

// Adds ".suffix" unless the chosen name ends in it already.
QString withSuffix(const std::string& chosen, const QString& suffix) {
    QString path = QString::fromStdString(chosen);
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) path += "." + suffix;
    return path;
}

std::function<double()> steadySeconds() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return static_cast<double>(timer->nsecsElapsed()) / 1e9; };
}

}  // namespace

MeasurementRecorder::MeasurementRecorder(QWidget* parent)
    : QWidget(parent),
      clock_(steadySeconds()),
      toggle_(new gui::ToggleButton(this)),
      period_(new gui::DecimalField(this)),
      csv_(new QPushButton(QCoreApplication::translate("Aufzeichnung", "Als CSV speichern..."),
                           this)),
      png_(new QPushButton(QCoreApplication::translate("Aufzeichnung", "Als PNG speichern..."),
                           this)),
      timer_(new QTimer(this)),
      redraw_(new QTimer(this)),
      view_(new QCustomPlot(this)),
      time_(view_->xAxis),
      ampere_(view_->yAxis),
      volt_(view_->yAxis2),
      // The reference first, so the measured values are drawn over it.
      reference_(addGraph(time_, ampere_,
                          QCoreApplication::translate("Aufzeichnung", "Programmierte Kurve [A]"),
                          QPen(kReferenceColour, kLineWidth, Qt::DashLine))),
      current_(addGraph(time_, ampere_, QCoreApplication::translate("Aufzeichnung", "I-Ist [A]"),
                        QPen(kCurrentColour, kLineWidth))),
      voltage_(addGraph(time_, volt_, QCoreApplication::translate("Aufzeichnung", "U-Ist [V]"),
                        QPen(kVoltageColour, kLineWidth))),
      gaps_(addGraph(time_, ampere_,
                     QCoreApplication::translate("Aufzeichnung", "Messung fehlgeschlagen"),
                     QPen(Qt::NoPen))),
      count_(new QLabel(this)),
      retry_(new QTimer(this)) {
    auto* toggle = static_cast<gui::ToggleButton*>(toggle_);
    toggle->setObjectName(QStringLiteral("MESSWERTEAUFZEICHNEN"));
    toggle->setOffText(QCoreApplication::translate("Aufzeichnung", "Messwerte aufzeichnen"));
    toggle->setOnText(QCoreApplication::translate("Aufzeichnung", "Aufzeichnung beenden"));
    toggle->setCheckable(true);
    period_->setObjectName(QStringLiteral("MESSPERIODE"));
    period_->setAccessibleName(QCoreApplication::translate("Aufzeichnung", "Messabstand [s]"));
    period_->setRange(kShortestPeriod, kLongestPeriod);
    period_->setSingleStep(0.1);
    period_->setDecimals(1);
    period_->setValue(kDefaultPeriod);
    period_->setSuffix(QStringLiteral(" s"));
    timer_->setInterval(static_cast<int>(kDefaultPeriod * 1000));
    redraw_->setSingleShot(true);
    redraw_->setInterval(kRedrawPeriod);
    connect(redraw_, &QTimer::timeout, this, [this] { flush(); });
    setUpPlot();

    // Not clicked: a screen reader's toggle action changes the state without one.
    connect(toggle_, &QPushButton::toggled, this, [this](bool on) { setRecording(on); });
    // A new period starts its count of ticks afresh.
    connect(period_, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
        timer_->setInterval(static_cast<int>(seconds * 1000));
        if (lastTick_) lastTick_ = now() - origin_;
    });
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { tick(); });
    retry_->setSingleShot(true);
    retry_->setInterval(kRetryPeriod);
    connect(retry_, &QTimer::timeout, this, [this] { readPending(); });
    connect(csv_, &QPushButton::clicked, this, [this] { askAndSaveCsv(); });
    connect(png_, &QPushButton::clicked, this, [this] { askAndSavePng(); });

    auto* controls = new QHBoxLayout;
    controls->addWidget(toggle_);
    controls->addWidget(new QLabel(QCoreApplication::translate("Aufzeichnung", "alle"), this));
    controls->addWidget(period_);
    controls->addWidget(count_);
    controls->addStretch(1);
    controls->addWidget(csv_);
    controls->addWidget(png_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);

    // What the device was told to do, seen by the operations of every window.
    auto& watch = params::deviceWatch();
    watch.started = [this] {
        runningSeen_ = true;
        startSeen(now());
    };
    watch.status = [this](int word) { statusSeen(word); };
    watch.programSet = [this](int program) { entry_ = program; };
}

MeasurementRecorder::~MeasurementRecorder() {
    params::deviceWatch() = {};
}

void MeasurementRecorder::setClock(std::function<double()> seconds) {
    clock_ = std::move(seconds);
}

double MeasurementRecorder::now() const {
    return clock_();
}

bool MeasurementRecorder::isRecording() const {
    return timer_->isActive();
}

bool MeasurementRecorder::mayDropRecording() {
    if (saved_ || samples_.empty()) return true;
    switch (popups().questionWithKeys(
        VRL_TR("Aufzeichnung", "Messwerte aufzeichnen"),
        VRL_TR("Aufzeichnung",
               "Die letzte Aufzeichnung ist nicht gespeichert. Möchten Sie sie speichern, bevor "
               "eine neue beginnt?"),
        VRL_TR("Aufzeichnung", "Speichern"), VRL_TR("Aufzeichnung", "Verwerfen"),
        VRL_TR("Aufzeichnung", "Abbrechen"), 1, 3)) {
        case 1:
            askAndSaveCsv();
            return saved_;
        case 2:
            return true;
        default:
            return false;
    }
}

QString MeasurementRecorder::countText() const {
    const auto read = static_cast<qsizetype>(samples_.size()) - failed_;
    return QCoreApplication::translate("Aufzeichnung",
                                       "%1 Messwerte, %2 fehlgeschlagen, %3 ausgelassen")
        .arg(read)
        .arg(failed_)
        .arg(missed_.size());
}

void MeasurementRecorder::setRecording(bool on) {
    if (on && !isRecording() && !mayDropRecording()) on = false;
    gui::setQuietly(toggle_, on);
    if (!on) {
        // A tick whose reading never began is accounted for as missed.
        if (pendingRead_ && timer_->isActive()) miss(now() - origin_, MissedBecause::LineBusy);
        pendingRead_ = false;
        timer_->stop();
        retry_->stop();
        retrying_ = false;
        flush();
        return;
    }
    origin_ = now();
    startedOn_ = QDateTime::currentDateTime();
    samples_.clear();
    saved_ = true;
    late_ = 0;
    failed_ = 0;
    failedInRow_ = 0;
    missed_.clear();
    lastTick_.reset();
    pendingRead_ = false;
    samples_.reserve(static_cast<std::size_t>(3600 / kShortestPeriod) + 1);
    clearPlot();
    if (startedAt_) startSeen(*startedAt_);
    timer_->start();
}

bool MeasurementRecorder::saveCsv(const QString& path, CsvForm form) {
    const bool written = static_cast<bool>(
        files::replaceFile(path.toStdString(), recordingCsv(samples_, missed_, form)));
    if (written) saved_ = true;
    return written;
}

QString MeasurementRecorder::exportTitle() const {
    // The program the device ran, as far as the program saw it told.
    const QString program =
        entry_ == 0 ? QCoreApplication::translate("Aufzeichnung", "Arbeitsparameter")
                    : QCoreApplication::translate("Aufzeichnung", "Programm %1").arg(entry_);
    const QString name = QString::fromStdString(
        params::nameOf(params::workspace().prog[static_cast<std::size_t>(entry_)]));
    return QCoreApplication::translate("Aufzeichnung", "Messwerte vom %1, alle %2, %3 „%4“")
        .arg(exportDate(startedOn_), period_->text(), program, name);
}

bool MeasurementRecorder::savePng(const QString& path) {
    flush();
    return exportImage(*view_, {exportTitle(), {countText()}, {}}).save(path, "PNG");
}

void MeasurementRecorder::askAndSaveCsv() {
    // The forms in the order of CsvForm.
    const auto chosen = popups().selectFileAndForm(
        VRL_TR("Aufzeichnung", "Messwerte als CSV speichern"), "",
        VRL_TR("Aufzeichnung",
               "CSV, Komma und Dezimalpunkt (*.csv);;CSV für deutsche Tabellenkalkulation, "
               "Semikolon und Dezimalkomma (*.csv)"));
    if (!chosen) return;
    const CsvForm form = chosen->form == 1 ? CsvForm::German : CsvForm::Plain;
    if (!saveCsv(withSuffix(chosen->path, QStringLiteral("csv")), form))
        VRL_Fehlerpopup(kCsvSaveFailed);
}

void MeasurementRecorder::askAndSavePng() {
    const auto chosen = popups().selectFile(
        Popups::FileMode::Save, VRL_TR("Aufzeichnung", "Messwerte als PNG speichern"), "", "*.png");
    if (!chosen) return;
    if (!savePng(withSuffix(*chosen, QStringLiteral("png")))) VRL_Fehlerpopup(kPngSaveFailed);
}

}  // namespace vrl::app
