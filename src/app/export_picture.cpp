#include "app/export_picture.h"

#include <qcustomplot.h>
#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>

namespace vrl::app {

namespace {

constexpr int kMargin = 24;         // [px]
constexpr int kTitleSize = 30;      // [px]
constexpr int kLineSize = 22;       // [px]
constexpr double kTextScale = 1.5;  // the plot's text against the window's
const QColor kWarningColour(0xc0, 0x20, 0x20);

}  // namespace

int exportDpi() {
    return QImage(1, 1, QImage::Format_ARGB32_Premultiplied).logicalDpiX();
}

QString exportDate(const QDateTime& at) {
    // The short format of most locales writes two digits of the year; a report keeps four.
    QString format = QLocale().dateTimeFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), "yyyy");
    return QLocale().toString(at, format);
}

void paintExport(QCPPainter& painter, QCustomPlot& plot, const ExportText& text) {
    const QRect page(QPoint(0, 0), kExportSize);
    painter.fillRect(page, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    QFont title = plot.font();
    title.setPixelSize(kTitleSize);
    title.setBold(true);
    painter.setFont(title);
    const int titleHeight = QFontMetrics(title).lineSpacing();
    painter.drawText(QRect(kMargin, kMargin, page.width() - 2 * kMargin, titleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, text.title);

    QFont line = plot.font();
    line.setPixelSize(kLineSize);
    const int lineHeight = QFontMetrics(line).lineSpacing();
    QStringList below;
    for (const QString& entry : text.below)
        if (!entry.isEmpty()) below << entry.split(u'\n');
    const auto firstWarning = below.size();
    for (const QString& entry : text.warnings)
        if (!entry.isEmpty()) below << entry.split(u'\n');
    const int belowHeight = static_cast<int>(below.size()) * lineHeight;

    const QRect area(kMargin, kMargin + titleHeight + kMargin / 2, page.width() - 2 * kMargin,
                     page.height() - 2 * kMargin - titleHeight - kMargin / 2 - belowHeight -
                         (below.isEmpty() ? 0 : kMargin / 2));
    // The plot laid out anew for the picture, its text a little larger than on screen; the
    // window's plot is left as it was.
    const QSize laidOut = (QSizeF(area.size()) / kTextScale).toSize();
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(kTextScale, kTextScale);
    plot.toPainter(&painter, laidOut.width(), laidOut.height());
    painter.restore();

    painter.setFont(line);
    int y = area.bottom() + kMargin / 2;
    for (qsizetype i = 0; i < below.size(); ++i) {
        const QString& entry = below[i];
        painter.setPen(i >= firstWarning ? kWarningColour : QColor(Qt::black));
        painter.drawText(QRect(kMargin, y, page.width() - 2 * kMargin, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, entry);
        y += lineHeight;
    }
}

QImage exportImage(QCustomPlot& plot, const ExportText& text) {
    QImage image(kExportSize, QImage::Format_ARGB32_Premultiplied);
    QCPPainter painter(&image);
    paintExport(painter, plot, text);
    return image;
}

bool exportPdf(QCustomPlot& plot, const ExportText& text, const QString& path) {
    QPdfWriter pdf(path);
    // The PNG's layout at the PNG's resolution, so that the plot's fonts, which are in points,
    // stand at the same size against it; scaled to fit an A4 page across, which any printer
    // takes as it is.
    const int dpi = exportDpi();
    pdf.setResolution(dpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(text.title);
    pdf.setCreator(QStringLiteral("TKV-9D Steuerung"));
    QCPPainter painter;
    if (!painter.begin(&pdf)) return false;
    const QSizeF page(pdf.width(), pdf.height());
    const double scale =
        std::min(page.width() / kExportSize.width(), page.height() / kExportSize.height());
    painter.translate((page.width() - kExportSize.width() * scale) / 2,
                      (page.height() - kExportSize.height() * scale) / 2);
    painter.scale(scale, scale);
    paintExport(painter, plot, text);
    return painter.end();
}

}  // namespace vrl::app
