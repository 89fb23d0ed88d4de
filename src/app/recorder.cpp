#include "app/recorder.h"

#include <qcustomplot.h>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "app/export_picture.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/curve.h"
#include "params/device_watch.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/files/replace_file.h"
#include "platform/gui/controls.h"
#include "platform/gui/number_field.h"
#include "platform/gui/toggle_button.h"

namespace vrl::app {

namespace {

// The file could not be written: message 301 "Fehler beim Schreiben auf Datei".
constexpr int kCsvSaveFailed = -301713;
constexpr int kPngSaveFailed = -301714;

constexpr std::uint16_t kCurveRunning = 0x0001;  // status word: "Kurve läuft"

const QColor kCurrentColour(0x1f, 0x5f, 0xbf);
const QColor kVoltageColour(0xd0, 0x70, 0x10);
const QColor kReferenceColour(0x80, 0x80, 0x80);
// Lines one pixel wide: a wider pen costs the plot hundreds of milliseconds a redraw once an
// hour of readings is in it (each pixel column a stroke from the lowest to the highest of its
// readings); one pixel wide, a few.
constexpr int kLineWidth = 1;

void appendNumber(std::string& text, double value) {
    if (!std::isfinite(value)) return;  // a failed read: the field stays empty
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec == std::errc()) text.append(buffer.data(), end);
}

// The next of 1, 2, 5 times a power of ten at or above value: the axes grow in few steps, so a
// sample seldom moves every point of the plot.
double niceCeil(double value) {
    if (!(value > 0)) return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= value) return step * decade;
    return 10.0 * decade;
}

// Ticks at round values (five or so, on multiples of 1, 2 or 5), whatever the range, with the
// decimals the interval needs; fewer on a short upright axis (a low window), so that its labels
// keep one and a half lines' height apart. Returns whether the ticks changed.
bool roundTicks(QCPAxis* axis) {
    int ticks = 5;
    if (axis->orientation() == Qt::Vertical && axis->axisRect()->height() > 0) {
        const int apart = 3 * QFontMetrics(axis->tickLabelFont()).height() / 2;
        ticks = std::clamp(axis->axisRect()->height() / apart, 2, 5);
    }
    const double interval = niceCeil(axis->range().upper / ticks);
    const auto shown = axis->ticker().dynamicCast<QCPAxisTickerFixed>();
    if (shown && shown->tickStep() == interval) return false;
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(interval);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    axis->setTicker(ticker);
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(
        std::max(0, static_cast<int>(-std::floor(std::log10(interval) + 1e-9))));
    return true;
}

void growAxis(QCPAxis* axis, double value) {
    if (!std::isfinite(value) || value <= axis->range().upper) return;
    axis->setRangeUpper(niceCeil(value * 1.2));
    roundTicks(axis);
}

// The time axis ends at the next round tick after the last reading, not a fifth beyond it
// rounded up again (200 s for 140 s of data).
void growTimeAxis(QCPAxis* axis, double value) {
    if (!std::isfinite(value) || value <= axis->range().upper) return;
    const double step = niceCeil(value / 5);
    axis->setRangeUpper(std::ceil(value / step) * step);
    roundTicks(axis);
}

QCPGraph* addGraph(QCPAxis* x, QCPAxis* y, const QString& name, const QPen& pen) {
    QCPGraph* graph = x->parentPlot()->addGraph(x, y);
    graph->setName(name);
    graph->setPen(pen);
    return graph;
}

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

std::string recordingCsv(std::span<const Sample> samples, std::span<const MissedTick> missed,
                         CsvForm form) {
    const bool german = form == CsvForm::German;
    const char separator = german ? ';' : ',';
    // A time to the millisecond: the clock's nanoseconds are no information, only noise.
    const auto time = [](double seconds) { return std::round(seconds * 1000.0) / 1000.0; };
    const auto number = [german](std::string& text, double value) {
        const std::size_t from = text.size();
        appendNumber(text, value);
        if (german)
            std::replace(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), '.', ',');
    };
    std::string text =
        german ? "\xEF\xBB\xBFZeit [s];I-Ist [A];U-Ist [V]\n" : "time_s,current_A,voltage_V\n";
    text.reserve(text.size() + samples.size() * 24 + missed.size() * 32);
    auto next = missed.begin();
    const auto missedUntil = [&](double until) {
        for (; next != missed.end() && next->time <= until; ++next) {
            text += "# ";
            number(text, time(next->time));
            text += next->because == MissedBecause::PortGone
                        ? " ausgelassen: Schnittstelle getrennt\n"
                        : " ausgelassen: Leitung belegt\n";
        }
    };
    for (const Sample& sample : samples) {
        missedUntil(sample.time);
        number(text, time(sample.time));
        text += separator;
        number(text, sample.current);
        text += separator;
        number(text, sample.voltage);
        text += '\n';
    }
    missedUntil(std::numeric_limits<double>::infinity());
    return text;
}

MeasurementRecorder::MeasurementRecorder(QWidget* parent)
    : QWidget(parent),
      clock_(steadySeconds()),
      toggle_(new gui::ToggleButton(this)),
      period_(new gui::DecimalField(this)),
      csv_(new QPushButton(QStringLiteral("Als CSV speichern..."), this)),
      png_(new QPushButton(QStringLiteral("Als PNG speichern..."), this)),
      timer_(new QTimer(this)),
      redraw_(new QTimer(this)),
      view_(new QCustomPlot(this)),
      time_(view_->xAxis),
      ampere_(view_->yAxis),
      volt_(view_->yAxis2),
      // The reference first, so the measured values are drawn over it.
      reference_(addGraph(time_, ampere_, QStringLiteral("Programmierte Kurve [A]"),
                          QPen(kReferenceColour, kLineWidth, Qt::DashLine))),
      current_(
          addGraph(time_, ampere_, QStringLiteral("I-Ist [A]"), QPen(kCurrentColour, kLineWidth))),
      voltage_(
          addGraph(time_, volt_, QStringLiteral("U-Ist [V]"), QPen(kVoltageColour, kLineWidth))),
      gaps_(addGraph(time_, ampere_, QStringLiteral("Messung fehlgeschlagen"), QPen(Qt::NoPen))),
      count_(new QLabel(this)),
      retry_(new QTimer(this)) {
    auto* toggle = static_cast<gui::ToggleButton*>(toggle_);
    toggle->setObjectName(QStringLiteral("MESSWERTEAUFZEICHNEN"));
    toggle->setOffText(QStringLiteral("Messwerte aufzeichnen"));
    toggle->setOnText(QStringLiteral("Aufzeichnung beenden"));
    toggle->setCheckable(true);
    period_->setObjectName(QStringLiteral("MESSPERIODE"));
    period_->setAccessibleName(QStringLiteral("Messabstand [s]"));
    period_->setRange(kShortestPeriod, kLongestPeriod);
    period_->setSingleStep(0.1);
    period_->setDecimals(1);
    period_->setValue(kDefaultPeriod);
    period_->setSuffix(QStringLiteral(" s"));
    timer_->setInterval(static_cast<int>(kDefaultPeriod * 1000));
    redraw_->setSingleShot(true);
    redraw_->setInterval(kRedrawPeriod);
    connect(redraw_, &QTimer::timeout, this, [this] { flush(); });

    time_->setLabel(QStringLiteral("Zeit [s]"));
    time_->setRange(0, 10);
    ampere_->setLabel(QStringLiteral("Strom [A]"));
    ampere_->setRange(0, 0.5);
    volt_->setLabel(QStringLiteral("Spannung [V]"));
    volt_->setRange(0, 2);
    volt_->setVisible(true);
    // The operator's format, without group separators, as in the number fields.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    view_->setLocale(locale);
    for (QCPAxis* axis : {time_, ampere_, volt_}) {
        axis->setSubTicks(false);
        roundTicks(axis);
    }
    // The plot's height is known once it is laid out; a changed height may want other ticks.
    connect(view_, &QCustomPlot::afterLayout, this, [this] {
        const bool ampereChanged = roundTicks(ampere_);
        const bool voltChanged = roundTicks(volt_);
        if (ampereChanged || voltChanged) view_->replot(QCustomPlot::rpQueuedReplot);
    });
    // Every reading stays in the plot; where a pixel holds many, the plot draws their lowest and
    // highest, so no peak and no step disappears.
    for (QCPGraph* graph : {reference_, current_, voltage_}) graph->setAdaptiveSampling(true);
    // A failed read: a red mark on the time axis where the values are missing.
    const QColor gapColour(0xc0, 0x18, 0x18);
    gaps_->setLineStyle(QCPGraph::lsNone);
    gaps_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, gapColour, gapColour, 7));
    showGapsInLegend(false);
    // The legend in a row of its own above the plot, its entries side by side.
    view_->legend->setVisible(true);
    view_->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    // Narrow, as the plot has little height in a window that fits a 768 px screen.
    view_->legend->setBorderPen(Qt::NoPen);
    view_->legend->setMargins(QMargins(4, 2, 4, 4));
    view_->legend->setIconSize(24, 18);
    view_->plotLayout()->insertRow(0);
    view_->plotLayout()->addElement(0, 0, view_->legend);
    view_->plotLayout()->setRowStretchFactor(0, 0.001);
    view_->plotLayout()->setRowSpacing(0);
    view_->setAntialiasedElements(QCP::aeAll);
    // The legend and a readable plot below it; the status window still fits a 768 px screen at
    // 125 % (where the hdx-4 table above scrolls).
    view_->setMinimumHeight(140);
    // In the tab order, as the description of what it shows is for screen readers.
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setAccessibleName(QStringLiteral("Aufzeichnung"));
    view_->setAccessibleDescription(
        QStringLiteral("Programmierte Kurve, I-Ist [A] und U-Ist [V] über der Zeit [s]"));

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
    controls->addWidget(new QLabel(QStringLiteral("alle"), this));
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
        "Messwerte aufzeichnen",
        "Die letzte Aufzeichnung ist nicht gespeichert. Möchten Sie sie speichern, bevor eine "
        "neue beginnt?",
        "Speichern", "Verwerfen", "Abbrechen", 1, 3)) {
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
    return QStringLiteral("%1 Messwerte, %2 fehlgeschlagen, %3 ausgelassen")
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
    for (QCPGraph* graph : {reference_, current_, voltage_, gaps_}) graph->data()->clear();
    showGapsInLegend(false);
    shownSamples_ = 0;
    pending_ = false;
    time_->setRange(0, 10);
    roundTicks(time_);
    if (startedAt_) startSeen(*startedAt_);
    timer_->start();
}

void MeasurementRecorder::tick() {
    if (!isRecording()) return;
    const double at = now() - origin_;
    // The timer delivers no tick while the program's thread is held up; what it left out is
    // counted from the clock.
    const double period = period_->value();
    if (lastTick_) {
        // After the line was held up, the timer may catch up with a tick soon after the one
        // missed last: that is the same period again, not one more to account for.
        if (lastTickMissed_ && at - *lastTick_ < period / 2) return;
        const long lost = std::lround((at - *lastTick_) / period) - 1;
        for (long k = 1; k <= lost; ++k) miss(*lastTick_ + k * period, MissedBecause::LineBusy);
    }
    lastTick_ = at;
    lastTickMissed_ = true;
    // The adapter is away: the recording pauses, its ticks missed, and goes on once the port
    // is back; failures before the pause do not count towards its end.
    if (paused_ || VrlCom_Getrennt()) {
        miss(at, MissedBecause::PortGone);
        failedInRow_ = 0;
        return;
    }
    // The reading of an earlier tick still waits for the line or is on it: this tick has
    // no line left in its period.
    if (pendingRead_ || reading_) {
        miss(at, MissedBecause::LineBusy);
        return;
    }
    lastTickMissed_ = false;
    pendingRead_ = true;
    readPending();
}

void MeasurementRecorder::setPaused(bool paused) {
    paused_ = paused;
    if (paused && pendingRead_) {
        pendingRead_ = false;
        retrying_ = false;
        retry_->stop();
        miss(now() - origin_, MissedBecause::PortGone);
    }
}

void MeasurementRecorder::miss(double at, MissedBecause because) {
    missed_.push_back({at, because});
    // No reading there: the lines break.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    current_->addData(at, nan);
    voltage_->addData(at, nan);
    pending_ = true;
    if (!redraw_->isActive()) redraw_->start();
}

void MeasurementRecorder::readPending() {
    if (!pendingRead_ || !isRecording()) return;
    // A tick that falls into another operation (mostly the status poll, which shares the period's
    // multiples) is read as soon as that has ended, stamped with the time of its read.
    const op::Operation operation("Messwerte aufzeichnen", op::Kind::Background);
    if (!operation.started()) {
        if (!retrying_) ++late_;
        retrying_ = true;
        retry_->start();
        return;
    }
    retrying_ = false;
    retry_->stop();
    pendingRead_ = false;
    const double at = now() - origin_;
    double current = 0.0, voltage = 0.0;
    // A failed read is on the error displays and a gap in the recording; only a line that keeps
    // failing ends it, as a failing poll ends polling.
    reading_ = true;
    const int code = TkvCom_IstwerteLesen(&current, &voltage);
    reading_ = false;
    if (code != 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        append({at, nan, nan});
        if (++failedInRow_ >= kFailuresToStop) setRecording(false);
        return;
    }
    failedInRow_ = 0;
    append({at, current, voltage});
}

// A graph takes a sample at its end in O(1); the plot is drawn anew at most every
// kRedrawPeriod, not for every sample.
void MeasurementRecorder::append(const Sample& sample) {
    samples_.push_back(sample);
    saved_ = false;
    // A failed read breaks the lines: a NaN is a gap to the plot, not a point to join.
    current_->addData(sample.time, sample.current);
    voltage_->addData(sample.time, sample.voltage);
    if (!std::isfinite(sample.current) || !std::isfinite(sample.voltage)) {
        ++failed_;
        gaps_->addData(sample.time, 0.0);
    }
    extendReference(sample.time);
    pending_ = true;
    if (!redraw_->isActive()) redraw_->start();
}

void MeasurementRecorder::flush() {
    redraw_->stop();
    if (!pending_) return;
    pending_ = false;
    if (!samples_.empty()) growTimeAxis(time_, samples_.back().time);
    for (std::size_t i = shownSamples_; i < samples_.size(); ++i) {
        growAxis(ampere_, samples_[i].current);
        growAxis(volt_, samples_[i].voltage);
    }
    shownSamples_ = samples_.size();
    // The legend names the mark once there is one.
    showGapsInLegend(failed_ > 0);
    count_->setText(countText());
    view_->replot(QCustomPlot::rpQueuedReplot);
}

void MeasurementRecorder::showGapsInLegend(bool shown) {
    if (shown)
        gaps_->addToLegend();
    else
        gaps_->removeFromLegend();
}

void MeasurementRecorder::statusSeen(int word) {
    const bool running = (word & kCurveRunning) != 0;
    // A run started elsewhere (the device's own buttons, another program): placed at the poll
    // that first saw it, as near as the poll period allows.
    if (running && !runningSeen_) startSeen(now());
    runningSeen_ = running;
}

// The curve of the record the device runs: the working parameters, or the program last loaded
// with "Einstellen". A cycle is cut from the curve once and repeated as the recording goes on.
void MeasurementRecorder::startSeen(double at) {
    startedAt_ = at;
    reference_->data()->clear();
    cycle_.clear();
    cycleTime_ = 0.0;
    Parametersatz record = gProg[static_cast<std::size_t>(entry_)];
    const int cycles = record.zyklen;
    record.zyklen = 1;
    const params::Curve curve = params::curveOf(record);
    if (curve.points.empty() || !(curve.cycleTime > 0)) return;
    double top = 0.0;
    for (const params::CurvePoint& point : curve.points) {
        cycle_.emplace_back(point.time / 1000.0, point.current);
        top = std::max(top, point.current);
    }
    cycleTime_ = curve.cycleTime / 1000.0;
    cyclesLeft_ = cycles == 0 ? -1 : cycles;
    referenceEnd_ = at - origin_;
    growAxis(ampere_, top);
    const double recorded = samples_.empty() ? 0.0 : samples_.back().time;
    extendReference(std::max(recorded, now() - origin_));
    pending_ = true;
    flush();
}

void MeasurementRecorder::extendReference(double until) {
    // Jumps are two points at one time; added at the end, they keep their order.
    while (cycleTime_ > 0 && cyclesLeft_ != 0 && referenceEnd_ <= until &&
           reference_->dataCount() + static_cast<int>(cycle_.size()) < kMostReferencePoints) {
        for (const QPointF& point : cycle_)
            reference_->addData(referenceEnd_ + point.x(), point.y());
        referenceEnd_ += cycleTime_;
        // The last cycle of a counted run ends with the current off.
        if (cyclesLeft_ > 0 && --cyclesLeft_ == 0) reference_->addData(referenceEnd_, 0.0);
    }
}

bool MeasurementRecorder::saveCsv(const QString& path, CsvForm form) {
    const bool written = static_cast<bool>(
        files::replaceFile(path.toStdString(), recordingCsv(samples_, missed_, form)));
    if (written) saved_ = true;
    return written;
}

QString MeasurementRecorder::exportTitle() const {
    // The program the device ran, as far as the program saw it told.
    const QString program = entry_ == 0 ? QStringLiteral("Arbeitsparameter")
                                        : QStringLiteral("Programm %1").arg(entry_);
    const QString name =
        QString::fromStdString(params::nameOf(gProg[static_cast<std::size_t>(entry_)]));
    return QString::fromUtf8("Messwerte vom %1, alle %2, %3 „%4“")
        .arg(exportDate(startedOn_), period_->text(), program, name);
}

bool MeasurementRecorder::savePng(const QString& path) {
    flush();
    return exportImage(*view_, {exportTitle(), {countText()}, {}}).save(path, "PNG");
}

void MeasurementRecorder::askAndSaveCsv() {
    // The forms in the order of CsvForm.
    const auto chosen = popups().selectFileAndForm(
        "Messwerte als CSV speichern", "",
        "CSV, Komma und Dezimalpunkt (*.csv);;CSV für deutsche Tabellenkalkulation, Semikolon und "
        "Dezimalkomma (*.csv)");
    if (!chosen) return;
    const CsvForm form = chosen->form == 1 ? CsvForm::German : CsvForm::Plain;
    if (!saveCsv(withSuffix(chosen->path, QStringLiteral("csv")), form))
        VRL_Fehlerpopup(kCsvSaveFailed);
}

void MeasurementRecorder::askAndSavePng() {
    const auto chosen =
        popups().selectFile(Popups::FileMode::Save, "Messwerte als PNG speichern", "", "*.png");
    if (!chosen) return;
    if (!savePng(withSuffix(*chosen, QStringLiteral("png")))) VRL_Fehlerpopup(kPngSaveFailed);
}

}  // namespace vrl::app
