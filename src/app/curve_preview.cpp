#include "app/curve_preview.h"

#include <qcustomplot.h>
#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/export_picture.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/parametersatz.h"
#include "params/program.h"
#include "platform/text/translate.h"

namespace vrl::app {

namespace {

// The file could not be written: message 301 "Fehler beim Schreiben auf Datei".
constexpr int kSaveFailed = -301712;

constexpr double kLongestInMilliseconds = 10000.0;  // [ms] of curve drawn over a ms axis

const QColor kCurveColour(0x1f, 0x5f, 0xa8);
const QColor kRefusedColour(0xc0, 0x20, 0x20);

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// 1, 2 or 5 times a power of ten near value (at or above it when rounding up).
double niceNumber(double value, bool up) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    const double q = value / decade;
    if (up) return (q <= 1.0 ? 1.0 : q <= 2.0 ? 2.0 : q <= 5.0 ? 5.0 : 10.0) * decade;
    return (q < 1.5 ? 1.0 : q < 3.0 ? 2.0 : q < 7.0 ? 5.0 : 10.0) * decade;
}

// About four intervals of a round step, the range widened to whole steps: the ends of the axes
// are labelled, and neither the curve nor the limit runs along the frame.
void roundRange(QCPAxis* axis, double low, double high, double intervals = 4.0) {
    if (!(high > low)) high = low + 1.0;
    const double step = niceNumber(niceNumber(high - low, true) / intervals, false);
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(step);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    axis->setTicker(ticker);
    axis->setRange(std::floor(low / step) * step, std::ceil(high / step) * step);
}

QCPGraph* addGraph(QCustomPlot* plot, const QPen& pen) {
    QCPGraph* graph = plot->addGraph(plot->xAxis, plot->yAxis);
    graph->setPen(pen);
    return graph;
}

}  // namespace

CurvePreview::CurvePreview(QWidget* parent)
    : QWidget(parent),
      view_(new QCustomPlot(this)),
      limit_(addGraph(view_, QPen(kRefusedColour, 1, Qt::DashLine))),
      curve_(addGraph(view_, QPen(kCurveColour, 2))),
      refused_(addGraph(view_, QPen(kRefusedColour))),
      time_(view_->xAxis),
      current_(view_->yAxis),
      cycles_(new QLabel(this)),
      notes_(new QLabel(this)) {
    setObjectName("KURVENVORSCHAU_PLOT");
    // The operator's numbers in the program's language, whatever the system's locale says.
    // Without group separators, as in the number fields: "1.000" reads as one on a time axis.
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    view_->setLocale(numbers);

    // Named for the legend of a saved picture; on screen the labels beside the plot say it.
    limit_->setName(QCoreApplication::translate("Kurve", "Grenze des Meßbereichs"));
    curve_->setName(QCoreApplication::translate("Kurve", "Stromkurve"));
    refused_->setName(QCoreApplication::translate("Kurve", "Wert, den das TKV-9D ablehnt"));
    refused_->setLineStyle(QCPGraph::lsNone);
    refused_->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssDisc, kRefusedColour, kRefusedColour, 9));
    time_->setNumberFormat("f");
    time_->setNumberPrecision(0);
    current_->setLabel(QCoreApplication::translate("Kurve", "Strom [A]"));
    current_->setNumberFormat("f");
    current_->setNumberPrecision(2);
    for (QCPAxis* axis : {time_, current_}) axis->setSubTicks(false);
    // Room above and right of the plot for half the last label of each axis: one that would
    // stand out of the widget is left out, and the axis would end unlabelled.
    const QFontMetrics label(time_->tickLabelFont());
    view_->axisRect()->setMinimumMargins(
        QMargins(0, label.height() / 2 + 4, label.horizontalAdvance("10000") / 2 + 4, 0));

    view_->setAntialiasedElements(QCP::aeAll);
    view_->setMinimumSize(320, 220);
    // In the tab order, as the description of what it shows is for screen readers.
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setObjectName("KURVENVORSCHAU_CHART");
    view_->setAccessibleName(QCoreApplication::translate("Kurve", "Kurvenvorschau"));
    cycles_->setObjectName("KURVENVORSCHAU_ZYKLEN");
    notes_->setObjectName("KURVENVORSCHAU_HINWEIS");
    notes_->setWordWrap(true);
    // Room for two lines of warnings kept free: the parameters beside the preview must not move
    // while the operator types because a warning came or went.
    notes_->setMinimumHeight(2 * notes_->fontMetrics().lineSpacing());
    notes_->setStyleSheet(QString("color: %1").arg(kRefusedColour.name()));

    auto* png = new QPushButton(QCoreApplication::translate("Kurve", "Als PNG speichern..."), this);
    auto* pdf = new QPushButton(QCoreApplication::translate("Kurve", "Als PDF speichern..."), this);
    png->setObjectName("KURVENVORSCHAU_PNG");
    pdf->setObjectName("KURVENVORSCHAU_PDF");
    connect(png, &QPushButton::clicked, this, [this] { askAndSave(Format::Png); });
    connect(pdf, &QPushButton::clicked, this, [this] { askAndSave(Format::Pdf); });
    // The same two as a context menu on the plot.
    for (auto [button, format] : {std::pair{png, Format::Png}, std::pair{pdf, Format::Pdf}}) {
        auto* action = new QAction(button->text(), view_);
        connect(action, &QAction::triggered, this, [this, f = format] { askAndSave(f); });
        view_->addAction(action);
    }
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Text and buttons on lines of their own: the preview must not widen the main window more
    // than its plot does.
    cycles_->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons_ = buttons;
    buttons->addWidget(png);
    buttons->addWidget(pdf);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    layout->addWidget(cycles_);
    layout->addWidget(notes_);
    layout->addLayout(buttons);
}

void CurvePreview::showRecord(const Parametersatz& record) {
    const params::Curve curve = params::curveOf(record);
    name_ = QString::fromStdString(params::nameOf(record));
    shown_ = record;

    // A curve longer than ten seconds is drawn over seconds: milliseconds would run to five
    // figures and more on the axis.
    const double lastTime = curve.points.empty() ? 0.0 : curve.points.back().time;
    const double scale = lastTime > kLongestInMilliseconds ? 1000.0 : 1.0;
    time_->setLabel(scale > 1.0 ? QCoreApplication::translate("Kurve", "Zeit [s]")
                                : QCoreApplication::translate("Kurve", "Zeit [ms]"));
    // Jumps are two points at one time: handed over in their order, not sorted.
    QVector<double> times, currents, refusedTimes, refusedCurrents;
    times.reserve(static_cast<qsizetype>(curve.points.size()));
    currents.reserve(times.capacity());
    double top = curve.limit.value_or(0.0), bottom = 0.0;
    for (const params::CurvePoint& p : curve.points) {
        times.append(p.time / scale);
        currents.append(p.current);
        if (p.refused) {
            refusedTimes.append(p.time / scale);
            refusedCurrents.append(p.current);
        }
        top = std::max(top, p.current);
        bottom = std::min(bottom, p.current);
    }
    const double end = curve.points.empty() ? 1000.0 : lastTime / scale;
    curve_->setData(times, currents, true);
    refused_->setData(refusedTimes, refusedCurrents, true);
    // Round ticks, and room above the highest value, so that neither the curve nor the limit
    // runs along the frame.
    // A narrow plot has room for fewer labels along its time axis.
    roundRange(time_, 0.0, end, narrow_ ? 2.0 : 4.0);
    const double span = std::max(top - bottom, 0.1);
    roundRange(current_, bottom < 0.0 ? bottom - 0.05 * span : 0.0, top + 0.05 * span);
    // The limit across the whole plot.
    if (curve.limit)
        limit_->setData({0.0, time_->range().upper}, {*curve.limit, *curve.limit}, true);
    else
        limit_->data()->clear();
    view_->replot(QCustomPlot::rpQueuedReplot);

    cycles_->setText(qt(params::cycleText(curve)));
    view_->setAccessibleDescription(cycles_->text());  // what the plot shows, in words
    QStringList lines;
    if (!curve.note.empty()) lines << qt(curve.note);
    for (const params::RefusedValue& value : curve.refused) lines << qt(params::refusalText(value));
    notes_->setText(lines.join('\n'));
}

void CurvePreview::setNarrow(bool narrow) {
    narrow_ = narrow;
    view_->setMinimumSize(narrow ? QSize(160, 130) : QSize(320, 220));
    showRecord(shown_);
    buttons_->setDirection(narrow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

QString CurvePreview::cycleText() const {
    return cycles_->text();
}

QString CurvePreview::noteText() const {
    return notes_->text();
}

QString CurvePreview::exportTitle() const {
    const params::Workspace& ws = params::workspace();
    const QString entry = ws.progIndex == 0 ? QStringLiteral("A") : QString::number(ws.progIndex);
    return QCoreApplication::translate("Kurve", "Stromkurve %1 „%2“, Datei „%3“, %4")
        .arg(entry, name_, qt(params::fileNamePart(ws.dateiname)), exportDate());
}

QString CurvePreview::valuesText() const {
    const auto numbers = [](std::initializer_list<double> values, int decimals) {
        QStringList texts;
        for (double value : values) texts << qt(params::germanNumber(value, decimals));
        return texts.join(QStringLiteral("; "));
    };
    const Parametersatz& r = shown_;
    const QString form = r.stromkurve == 2
                             ? QCoreApplication::translate("Kurve", "Dreieck")
                             : QCoreApplication::translate("Kurve", "4stufiger Ablauf");
    const QString range =
        r.messbereich == 1 ? QStringLiteral("0 - 0.4 A") : QStringLiteral("0 - 4 A");
    const QString cycles = r.zyklen == 0 ? QCoreApplication::translate("Kurve", "unbegrenzt")
                                         : QString::number(r.zyklen);
    return QCoreApplication::translate("Kurve",
                                       "%1, Meßbereich %2; Strom 1 bis 4: %3 A; Zeit 1 bis 4: "
                                       "%4 ms; Zyklen: %5")
        .arg(form, range, numbers({r.strom1, r.strom2, r.strom3, r.strom4}, 3),
             numbers({r.zeit1, r.zeit2, r.zeit3, r.zeit4}, 1), cycles);
}

bool CurvePreview::save(Format format, const QString& path) {
    const ExportText text{exportTitle(), {cycles_->text(), valuesText()}, {notes_->text()}};
    // A legend names the lines on paper, where the labels beside the plot are missing; only
    // for the lines drawn.
    view_->legend->setVisible(true);
    for (QCPGraph* graph : {limit_, curve_, refused_}) {
        if (graph->dataCount() > 0)
            graph->addToLegend();
        else
            graph->removeFromLegend();
    }
    const bool saved = format == Format::Png ? exportImage(*view_, text).save(path, "PNG")
                                             : exportPdf(*view_, text, path);
    view_->legend->setVisible(false);
    view_->replot(QCustomPlot::rpQueuedReplot);
    return saved;
}

void CurvePreview::askAndSave(Format format) {
    const bool png = format == Format::Png;
    const auto chosen = popups().selectFile(
        Popups::FileMode::Save,
        png ? VRL_TR("Kurve", "Als PNG speichern") : VRL_TR("Kurve", "Als PDF speichern"), "",
        png ? "*.png" : "*.pdf");
    if (!chosen) return;
    QString path = QString::fromStdString(*chosen);
    const QString suffix = png ? "png" : "pdf";
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) path += "." + suffix;
    if (!save(format, path)) VRL_Fehlerpopup(kSaveFailed);
}

}  // namespace vrl::app
