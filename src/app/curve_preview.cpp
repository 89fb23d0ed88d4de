#include "app/curve_preview.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/export_picture.h"
#include "errors/vrl_errors.h"
#include "params/parametersatz.h"
#include "params/program.h"
#include "errors/popups.h"

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

}  // namespace

CurvePreview::CurvePreview(QWidget* parent)
    : QWidget(parent),
      chart_(new QChart),
      view_(new QChartView(chart_, this)),
      curve_(new QLineSeries),
      limit_(new QLineSeries),
      refused_(new QScatterSeries),
      time_(new QValueAxis),
      current_(new QValueAxis),
      cycles_(new QLabel(this)),
      notes_(new QLabel(this)) {
    setObjectName("KURVENVORSCHAU_PLOT");
    // The operator's numbers are German whatever the system's locale says.
    // Without group separators, as in the number fields: "1.000" reads as one on a time axis.
    QLocale german(QLocale::German, QLocale::Germany);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    chart_->setLocale(german);
    chart_->setLocalizeNumbers(true);
    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->setBackgroundRoundness(0);

    curve_->setPen(QPen(kCurveColour, 2));
    QPen limitPen(kRefusedColour, 1, Qt::DashLine);
    limit_->setPen(limitPen);
    refused_->setColor(kRefusedColour);
    refused_->setBorderColor(kRefusedColour);
    refused_->setMarkerSize(9);
    time_->setLabelsAngle(0);
    current_->setTitleText(QString::fromUtf8("Strom [A]"));
    current_->setLabelFormat("%.2f");
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(current_, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(limit_), static_cast<QAbstractSeries*>(curve_),
          static_cast<QAbstractSeries*>(refused_)}) {
        chart_->addSeries(series);
        series->attachAxis(time_);
        series->attachAxis(current_);
    }

    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(320, 220);
    view_->setObjectName("KURVENVORSCHAU_CHART");
    view_->setAccessibleName(QStringLiteral("Kurvenvorschau"));
    view_->viewport()->setAccessibleName(view_->accessibleName());
    cycles_->setObjectName("KURVENVORSCHAU_ZYKLEN");
    notes_->setObjectName("KURVENVORSCHAU_HINWEIS");
    notes_->setWordWrap(true);
    // Room for two lines of warnings kept free: the parameters beside the preview must not move
    // while the operator types because a warning came or went.
    notes_->setMinimumHeight(2 * notes_->fontMetrics().lineSpacing());
    notes_->setStyleSheet(QString("color: %1").arg(kRefusedColour.name()));

    auto* png = new QPushButton(QString::fromUtf8("Als PNG speichern..."), this);
    auto* svg = new QPushButton(QString::fromUtf8("Als SVG speichern..."), this);
    png->setObjectName("KURVENVORSCHAU_PNG");
    svg->setObjectName("KURVENVORSCHAU_SVG");
    connect(png, &QPushButton::clicked, this, [this] { askAndSave(Format::Png); });
    connect(svg, &QPushButton::clicked, this, [this] { askAndSave(Format::Svg); });
    // The same two as a context menu on the plot.
    for (auto [button, format] : {std::pair{png, Format::Png}, std::pair{svg, Format::Svg}}) {
        auto* action = new QAction(button->text(), view_);
        connect(action, &QAction::triggered, this, [this, f = format] { askAndSave(f); });
        view_->addAction(action);
    }
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Text and buttons on lines of their own: the preview must not widen the main window more
    // than its plot does.
    cycles_->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(png);
    buttons->addWidget(svg);
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

    // A curve longer than ten seconds is drawn over seconds: milliseconds would run to five
    // figures and more on the axis.
    const double lastTime = curve.points.empty() ? 0.0 : curve.points.back().time;
    const double scale = lastTime > kLongestInMilliseconds ? 1000.0 : 1.0;
    time_->setTitleText(QString::fromUtf8(scale > 1.0 ? "Zeit [s]" : "Zeit [ms]"));
    time_->setLabelFormat("%.0f");
    QList<QPointF> points, refused;
    points.reserve(static_cast<qsizetype>(curve.points.size()));
    double top = curve.limit.value_or(0.0), bottom = 0.0;
    for (const params::CurvePoint& p : curve.points) {
        points.append({p.time / scale, p.current});
        if (p.refused) refused.append({p.time / scale, p.current});
        top = std::max(top, p.current);
        bottom = std::min(bottom, p.current);
    }
    const double end = curve.points.empty() ? 1000.0 : lastTime / scale;
    curve_->replace(points);
    refused_->replace(refused);
    // Round ticks, and room above the highest value, so that neither the curve nor the limit
    // runs along the frame.
    time_->setRange(0.0, end);
    time_->setTickCount(5);
    time_->applyNiceNumbers();
    const double span = std::max(top - bottom, 0.1);
    current_->setRange(bottom < 0.0 ? bottom - 0.05 * span : 0.0, top + 0.05 * span);
    current_->setTickCount(5);
    current_->applyNiceNumbers();
    // The limit across the whole plot.
    if (curve.limit)
        limit_->replace(QList<QPointF>{{0.0, *curve.limit}, {time_->max(), *curve.limit}});
    else
        limit_->clear();

    cycles_->setText(qt(params::cycleText(curve)));
    view_->setAccessibleDescription(cycles_->text());  // what the plot shows, in words
    QStringList lines;
    if (!curve.note.empty()) lines << qt(curve.note);
    for (const params::RefusedValue& value : curve.refused) lines << qt(params::refusalText(value));
    notes_->setText(lines.join('\n'));
}

QString CurvePreview::cycleText() const {
    return cycles_->text();
}

QString CurvePreview::noteText() const {
    return notes_->text();
}

QString CurvePreview::exportTitle() const {
    const QString entry = gProgIndex == 0 ? QStringLiteral("A") : QString::number(gProgIndex);
    return QString::fromUtf8("Stromkurve %1 - %2, %3").arg(entry, name_, exportDate());
}

bool CurvePreview::save(Format format, const QString& path) {
    const ExportText text{exportTitle(), {cycles_->text(), notes_->text()}};
    if (format == Format::Png) return exportImage(*view_, text).save(path, "PNG");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(kExportSize);
    svg.setViewBox(QRect(QPoint(0, 0), kExportSize));
    svg.setTitle(text.title);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    paintExport(painter, *view_, text);
    return painter.end();
}

void CurvePreview::askAndSave(Format format) {
    const bool png = format == Format::Png;
    const auto chosen =
        popups().selectFile(Popups::FileMode::Save, png ? "Als PNG speichern" : "Als SVG speichern",
                            "", png ? "*.png" : "*.svg");
    if (!chosen) return;
    QString path = QString::fromStdString(*chosen);
    const QString suffix = png ? "png" : "svg";
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) path += "." + suffix;
    if (!save(format, path)) VRL_Fehlerpopup(kSaveFailed);
}

}  // namespace vrl::app
