#pragma once

// A plot saved for a report or a test log: a title above it (what it shows and when), its notes
// below it, at a size that prints on A4 and reads on a screen. The plot is drawn anew at that
// size, not enlarged from the few hundred pixels it has in the window.

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

class QCPPainter;
class QCustomPlot;

namespace vrl::app {

inline constexpr QSize kExportSize{1600, 900};  // [px]

struct ExportText {
    QString title;
    QStringList below;     // lines under the plot; empty ones are left out
    QStringList warnings;  // lines under those, in red
};

// "07.12.2026 19:10" in the operator's format, the year with four digits.
QString exportDate(const QDateTime& at = QDateTime::currentDateTime());

void paintExport(QCPPainter& painter, QCustomPlot& plot, const ExportText& text);
QImage exportImage(QCustomPlot& plot, const ExportText& text);
// The resolution the PNG has, and the PDF is laid out at.
int exportDpi();
// The same page as a PDF on A4 landscape, its text and lines kept as such.
bool exportPdf(QCustomPlot& plot, const ExportText& text, const QString& path);

}  // namespace vrl::app
