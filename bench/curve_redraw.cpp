// Not a test: how long the main window's curve preview takes to redraw after an edit (the new
// points and a repaint of the plot), against one frame at 60 Hz (16 ms). See docs/benchmarks.md.

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <qcustomplot.h>

#include "app/curve_preview.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vrl::app::CurvePreview preview;
    preview.resize(520, 340);
    preview.show();
    QApplication::processEvents();
    // The preview replots once the edit's events are through; counted, so that the figure is
    // known to hold one replot an edit.
    int replots = 0;
    QObject::connect(preview.findChild<QCustomPlot*>(), &QCustomPlot::afterReplot,
                     [&replots] { ++replots; });

    Parametersatz record{};
    ParameterVorbelegen(&record);
    record.zeit2 = record.zeit3 = record.zeit4 = 500.0;
    record.strom2 = 2.0;
    record.strom3 = 3.0;
    constexpr int kEdits = 500;
    std::vector<double> times;
    for (int edit = 0; edit < kEdits; ++edit) {
        // Alternating forms and a current that steps like a spin box held down.
        record.stromkurve = 1 + edit % 2;
        record.strom1 = 0.1 * (edit % 40);
        const auto start = std::chrono::steady_clock::now();
        preview.showRecord(record);
        preview.repaint();
        QApplication::processEvents();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "curve preview redraw after an edit, %d edits (%d replots): median %.2f ms, worst "
        "%.2f ms (limit 16 ms)\n",
        kEdits, replots, times[times.size() / 2], times.back());
    return times.back() < 16.0 ? 0 : 1;
}
