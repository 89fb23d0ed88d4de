// The recording's plot: its axes, which grow in round steps as the readings come, the lines of
// the readings with their gaps, and the programmed curve as the reference under them.

#include "app/recorder_plot.h"

#include <qcustomplot.h>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/recorder.h"
#include "params/curve.h"
#include "params/program.h"

namespace vrl::app {

namespace {

constexpr std::uint16_t kCurveRunning = 0x0001;  // status word: "Kurve läuft"

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

}  // namespace

QCPGraph* addGraph(QCPAxis* x, QCPAxis* y, const QString& name, const QPen& pen) {
    QCPGraph* graph = x->parentPlot()->addGraph(x, y);
    graph->setName(name);
    graph->setPen(pen);
    return graph;
}

void MeasurementRecorder::setUpPlot() {
    time_->setLabel(QCoreApplication::translate("Aufzeichnung", "Zeit [s]"));
    time_->setRange(0, 10);
    ampere_->setLabel(QCoreApplication::translate("Aufzeichnung", "Strom [A]"));
    ampere_->setRange(0, 0.5);
    volt_->setLabel(QCoreApplication::translate("Aufzeichnung", "Spannung [V]"));
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
    view_->setAccessibleName(QCoreApplication::translate("Aufzeichnung", "Aufzeichnung"));
    view_->setAccessibleDescription(QCoreApplication::translate(
        "Aufzeichnung", "Programmierte Kurve, I-Ist [A] und U-Ist [V] über der Zeit [s]"));
}

void MeasurementRecorder::clearPlot() {
    for (QCPGraph* graph : {reference_, current_, voltage_, gaps_}) graph->data()->clear();
    showGapsInLegend(false);
    shownSamples_ = 0;
    pending_ = false;
    time_->setRange(0, 10);
    roundTicks(time_);
}

void MeasurementRecorder::breakLines(double at) {
    // No reading there: the lines break.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    current_->addData(at, nan);
    voltage_->addData(at, nan);
    pending_ = true;
    if (!redraw_->isActive()) redraw_->start();
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
    Parametersatz record = params::workspace().prog[static_cast<std::size_t>(entry_)];
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

}  // namespace vrl::app
