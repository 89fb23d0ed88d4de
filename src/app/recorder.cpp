#include "app/recorder.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "app/export_picture.h"
#include "connection/operation.h"
#include "errors/vrl_errors.h"
#include "params/curve.h"
#include "params/device_watch.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/files/replace_file.h"
#include "platform/gui/controls.h"
#include "platform/gui/number_field.h"
#include "errors/popups.h"
#include "platform/gui/toggle_button.h"

namespace vrl::app {

namespace {

// The file could not be written: message 301 "Fehler beim Schreiben auf Datei".
constexpr int kCsvSaveFailed = -301713;
constexpr int kPngSaveFailed = -301714;

constexpr std::uint16_t kCurveRunning = 0x0001;  // status word: "Kurve läuft"

const QColor kCurrentColour(0x1f, 0x5f, 0xbf);
const QColor kVoltageColour(0xd0, 0x70, 0x10);
const QColor kReferenceColour(0x60, 0x60, 0x60, 0x70);

// A plot a few hundred pixels wide cannot show more points than this; a series handed more
// lays all of them out on every redraw, which an hour at 0.2 s turns into a visible stall.
constexpr qsizetype kDrawnPoints = 2000;

// What a series draws of a long list: in each of kDrawnPoints / 2 runs of neighbouring points,
// the lowest and the highest in their order, so that no peak and no step disappears. The
// recording itself keeps every sample.
QList<QPointF> thinned(const QList<QPointF>& points) {
    if (points.size() <= kDrawnPoints) return points;
    QList<QPointF> drawn;
    drawn.reserve(kDrawnPoints + 2);
    const qsizetype runs = kDrawnPoints / 2;
    for (qsizetype run = 0; run < runs; ++run) {
        const qsizetype first = points.size() * run / runs;
        const qsizetype last = points.size() * (run + 1) / runs;
        qsizetype low = first, high = first;
        for (qsizetype i = first + 1; i < last; ++i) {
            if (points[i].y() < points[low].y()) low = i;
            if (points[i].y() > points[high].y()) high = i;
        }
        drawn.append(points[std::min(low, high)]);
        if (low != high) drawn.append(points[std::max(low, high)]);
    }
    if (drawn.back() != points.back()) drawn.append(points.back());
    return drawn;
}

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

void showInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(shown);
}

// Ticks at round values (five or so, on multiples of 1, 2 or 5), whatever the range.
// The labels carry the decimals the interval needs (a localised axis takes "%.Nf" only).
void roundTicks(QValueAxis* axis) {
    const double interval = niceCeil(axis->max() / 5.0);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(interval);
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(interval) + 1e-9)));
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

void growAxis(QValueAxis* axis, double value) {
    if (value <= axis->max()) return;
    axis->setMax(niceCeil(value * 1.2));
    roundTicks(axis);
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

std::string recordingCsv(std::span<const Sample> samples) {
    std::string text = "time_s,current_A,voltage_V\n";
    text.reserve(text.size() + samples.size() * 24);
    for (const Sample& sample : samples) {
        appendNumber(text, sample.time);
        text += ',';
        appendNumber(text, sample.current);
        text += ',';
        appendNumber(text, sample.voltage);
        text += '\n';
    }
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
      chart_(new QChart),
      view_(new QChartView(chart_, this)),
      current_(new QLineSeries),
      voltage_(new QLineSeries),
      reference_(new QLineSeries),
      gaps_(new QScatterSeries),
      count_(new QLabel(this)),
      retry_(new QTimer(this)),
      time_(new QValueAxis),
      ampere_(new QValueAxis),
      volt_(new QValueAxis) {
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

    reference_->setName(QStringLiteral("Programmierte Kurve [A]"));
    reference_->setPen(QPen(kReferenceColour, 3));
    current_->setName(QStringLiteral("I-Ist [A]"));
    current_->setPen(QPen(kCurrentColour, 1.5));
    voltage_->setName(QStringLiteral("U-Ist [V]"));
    voltage_->setPen(QPen(kVoltageColour, 1.5));
    // The reference first, so the measured values are drawn over it.
    for (QLineSeries* series : {reference_, current_, voltage_}) chart_->addSeries(series);
    time_->setTitleText(QStringLiteral("Zeit [s]"));
    time_->setRange(0, 10);
    ampere_->setTitleText(QStringLiteral("Strom [A]"));
    ampere_->setRange(0, 0.5);
    volt_->setTitleText(QStringLiteral("Spannung [V]"));
    volt_->setRange(0, 2);
    // The operator's format, without group separators, as in the number fields.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart_->setLocale(locale);
    chart_->setLocalizeNumbers(true);
    for (QValueAxis* axis : {time_, ampere_, volt_}) roundTicks(axis);
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(ampere_, Qt::AlignLeft);
    chart_->addAxis(volt_, Qt::AlignRight);
    for (QLineSeries* series : {reference_, current_}) {
        series->attachAxis(time_);
        series->attachAxis(ampere_);
    }
    voltage_->attachAxis(time_);
    voltage_->attachAxis(volt_);
    // A failed read: a red mark on the time axis where the values are missing.
    gaps_->setName(QStringLiteral("Messung fehlgeschlagen"));
    gaps_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    gaps_->setMarkerSize(7);
    gaps_->setColor(QColor(0xc0, 0x18, 0x18));
    gaps_->setBorderColor(QColor(0xc0, 0x18, 0x18));
    chart_->addSeries(gaps_);
    gaps_->attachAxis(time_);
    gaps_->attachAxis(ampere_);
    showInLegend(chart_, gaps_, false);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setAlignment(Qt::AlignTop);
    view_->setMinimumHeight(140);  // the status window fits a 768 px screen
    view_->setAccessibleName(QStringLiteral("Aufzeichnung"));
    view_->viewport()->setAccessibleName(view_->accessibleName());
    view_->setAccessibleDescription(
        QStringLiteral("Programmierte Kurve, I-Ist [A] und U-Ist [V] über der Zeit [s]"));

    // Not clicked: a screen reader's toggle action changes the state without one.
    connect(toggle_, &QPushButton::toggled, this, [this](bool on) { setRecording(on); });
    connect(period_, &QDoubleSpinBox::valueChanged, this,
            [this](double seconds) { timer_->setInterval(static_cast<int>(seconds * 1000)); });
    connect(timer_, &QTimer::timeout, this, [this] { tick(); });
    retry_->setSingleShot(true);
    retry_->setInterval(kRetryPeriod);
    connect(retry_, &QTimer::timeout, this, [this] { tick(); });
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
    QString text = QStringLiteral("%1 Messwerte").arg(read);
    if (failed_ > 0) text += QString::fromUtf8(", %1 fehlgeschlagen").arg(failed_);
    return text;
}

void MeasurementRecorder::setRecording(bool on) {
    if (on && !isRecording() && !mayDropRecording()) on = false;
    gui::setQuietly(toggle_, on);
    if (!on) {
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
    gapPoints_.clear();
    gaps_->clear();
    showInLegend(chart_, gaps_, false);
    samples_.reserve(static_cast<std::size_t>(3600 / kShortestPeriod) + 1);
    current_->clear();
    voltage_->clear();
    reference_->clear();
    currentPoints_.clear();
    voltagePoints_.clear();
    referencePoints_.clear();
    shownSamples_ = 0;
    pending_ = false;
    time_->setRange(0, 10);
    roundTicks(time_);
    if (startedAt_) startSeen(*startedAt_);
    timer_->start();
}

void MeasurementRecorder::tick() {
    if (!isRecording()) return;
    // Never beside another operation: a tick that falls into one is skipped, the next comes a
    // period later.
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
    const double at = now() - origin_;
    double current = 0.0, voltage = 0.0;
    // A failed read is on the error displays and a gap in the recording; only a line that keeps
    // failing ends it, as a failing poll ends polling.
    if (TkvCom_IstwerteLesen(&current, &voltage) != 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        append({at, nan, nan});
        if (++failedInRow_ >= kFailuresToStop) setRecording(false);
        return;
    }
    failedInRow_ = 0;
    append({at, current, voltage});
}

// A series lays out all its points again for every point appended to it, so an hour of samples
// would cost a layout per point per sample. Samples go into lists here (O(1)) and the series
// take the whole lists in one replace, one layout per redraw, at most every kRedrawPeriod.
void MeasurementRecorder::append(const Sample& sample) {
    samples_.push_back(sample);
    saved_ = false;
    if (!std::isfinite(sample.current) || !std::isfinite(sample.voltage)) {
        ++failed_;
        gapPoints_.append({sample.time, 0.0});
    } else {
        currentPoints_.append({sample.time, sample.current});
        voltagePoints_.append({sample.time, sample.voltage});
    }
    extendReference(sample.time);
    pending_ = true;
    if (!redraw_->isActive()) redraw_->start();
}

void MeasurementRecorder::flush() {
    redraw_->stop();
    if (!pending_) return;
    pending_ = false;
    // The axes first, so the points are laid out once, on the axes they will stay on.
    if (!samples_.empty()) {
        const Sample& last = samples_.back();
        growAxis(time_, last.time);
    }
    for (const QPointF& point : currentPoints_.sliced(shownSamples_)) growAxis(ampere_, point.y());
    for (const QPointF& point : voltagePoints_.sliced(shownSamples_)) growAxis(volt_, point.y());
    shownSamples_ = currentPoints_.size();
    gaps_->replace(gapPoints_);
    // The legend names the mark once there is one.
    showInLegend(chart_, gaps_, !gapPoints_.isEmpty());
    count_->setText(countText());
    // Short lists are shared with the series, not copied.
    current_->replace(thinned(currentPoints_));
    voltage_->replace(thinned(voltagePoints_));
    reference_->replace(thinned(referencePoints_));
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
    referencePoints_.clear();
    cycle_.clear();
    cycleTime_ = 0.0;
    Parametersatz record = gProg[static_cast<std::size_t>(entry_)];
    const int cycles = record.zyklen;
    record.zyklen = 1;
    const params::Curve curve = params::curveOf(record);
    if (curve.points.empty() || !(curve.cycleTime > 0)) {
        reference_->clear();
        return;
    }
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
    QList<QPointF>& added = referencePoints_;
    while (cycleTime_ > 0 && cyclesLeft_ != 0 && referenceEnd_ <= until &&
           added.size() + static_cast<qsizetype>(cycle_.size()) < kMostReferencePoints) {
        for (const QPointF& point : cycle_) added.append({referenceEnd_ + point.x(), point.y()});
        referenceEnd_ += cycleTime_;
        // The last cycle of a counted run ends with the current off.
        if (cyclesLeft_ > 0 && --cyclesLeft_ == 0) added.append({referenceEnd_, 0.0});
    }
}

bool MeasurementRecorder::saveCsv(const QString& path) {
    const bool written =
        static_cast<bool>(files::replaceFile(path.toStdString(), recordingCsv(samples_)));
    if (written) saved_ = true;
    return written;
}

QString MeasurementRecorder::exportTitle() const {
    return QString::fromUtf8("Messwerte vom %1, alle %2")
        .arg(QLocale().toString(startedOn_, QLocale::ShortFormat), period_->text());
}

bool MeasurementRecorder::savePng(const QString& path) {
    flush();
    return exportImage(*view_, {exportTitle(), {countText()}}).save(path, "PNG");
}

void MeasurementRecorder::askAndSaveCsv() {
    const auto chosen =
        popups().selectFile(Popups::FileMode::Save, "Messwerte als CSV speichern", "", "*.csv");
    if (!chosen) return;
    if (!saveCsv(withSuffix(*chosen, QStringLiteral("csv")))) VRL_Fehlerpopup(kCsvSaveFailed);
}

void MeasurementRecorder::askAndSavePng() {
    const auto chosen =
        popups().selectFile(Popups::FileMode::Save, "Messwerte als PNG speichern", "", "*.png");
    if (!chosen) return;
    if (!savePng(withSuffix(*chosen, QStringLiteral("png")))) VRL_Fehlerpopup(kPngSaveFailed);
}

}  // namespace vrl::app
