#include "app/export_picture.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLocale>
#include <QPainter>

namespace vrl::app {

namespace {

constexpr int kMargin = 24;         // [px]
constexpr int kTitleSize = 30;      // [px]
constexpr int kLineSize = 22;       // [px]
constexpr double kTextScale = 1.5;  // the plot's text against the window's

}  // namespace

QString exportDate() {
    return QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
}

void paintExport(QPainter& painter, QChartView& plot, const ExportText& text) {
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
    const int belowHeight = static_cast<int>(below.size()) * lineHeight;

    const QRect area(kMargin, kMargin + titleHeight + kMargin / 2, page.width() - 2 * kMargin,
                     page.height() - 2 * kMargin - titleHeight - kMargin / 2 - belowHeight -
                         (below.isEmpty() ? 0 : kMargin / 2));
    // The chart laid out anew for the picture, its text a little larger than on screen, and put
    // back as it was.
    QChart* chart = plot.chart();
    const QSizeF onScreen = chart->size();
    const QSizeF laidOut = QSizeF(area.size()) / kTextScale;
    const auto layOut = [chart](QSizeF size) {
        chart->resize(size);
        if (chart->layout()) chart->layout()->activate();
    };
    layOut(laidOut);
    plot.scene()->render(&painter, QRectF(area), QRectF(chart->pos(), laidOut));
    layOut(onScreen);

    painter.setFont(line);
    int y = area.bottom() + kMargin / 2;
    for (const QString& entry : below) {
        painter.drawText(QRect(kMargin, y, page.width() - 2 * kMargin, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, entry);
        y += lineHeight;
    }
}

QImage exportImage(QChartView& plot, const ExportText& text) {
    QImage image(kExportSize, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paintExport(painter, plot, text);
    return image;
}

}  // namespace vrl::app
