// Not a test: the status window's recording at its shortest period (0.2 s) once it holds an
// hour of samples (18,000 a series), offscreen, against the simulated TKV-9D paced at 9600 baud
// and running a curve. Reports how long appending one sample takes (limit 1 ms), how long the
// plot takes to redraw with every sample of the hour in it (limit 16 ms), and the gaps between
// the ticks of a 5 ms timer in the window's event loop while recording (no gap beyond 50 ms).
// See docs/benchmarks.md.
//
// usage: recording [--seconds N]   (default 20)

#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <qcustomplot.h>

#include "app/recorder.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "connection/vrlcom.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/gui/panels.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

constexpr int kPort = 44;
constexpr int kHour = 18000;     // samples a series: one hour at 0.2 s
constexpr int kProbePeriod = 5;  // [ms]

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 20;
    if (argc == 3 && std::strcmp(argv[1], "--seconds") == 0) {
        seconds = std::atoi(argv[2]);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: recording [--seconds N]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    sim::Line line(sim::LineOptions{true, "", 0});
    line.addTkv('1');
    serial::setPortPath(kPort, line.devicePath());
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard popupsInUse(popups);
    if (Func_PanelsInitialisieren(kVersion, kDatum) != 0 || VrlCom_Open(kPort) != 0) {
        std::fprintf(stderr, "cannot set up the windows on %s\n", line.devicePath().c_str());
        return 1;
    }
    QWidget* window = StatusMain_Panel()->widget();
    window->show();
    auto* recorder = StatusMain_Recorder();

    // A four-step curve, endless, so that the reference runs beside the samples.
    Parametersatz& record = vrl::params::workspace().prog[0];
    record.strom1 = 0.5, record.strom2 = 1.5, record.strom3 = 3.0, record.strom4 = 1.0;
    record.zeit1 = record.zeit2 = record.zeit3 = record.zeit4 = 700;
    record.zyklen = 0;
    if (TkvCom_ParameterSchreiben(&record) != 0) return 1;

    // The clock jumps an hour once the synthetic hour is in, so the real samples follow it.
    QElapsedTimer real;
    real.start();
    double offset = 0.0;
    recorder->setClock([&] { return static_cast<double>(real.nsecsElapsed()) / 1e9 + offset; });
    recorder->period()->setValue(0.2);
    recorder->toggle()->click();
    if (TkvCom_GeraetStarten() != 0) return 1;
    std::vector<double> appendMs;
    for (int n = 0; n < kHour; ++n) {
        const double t = n * 0.2;
        const double current = 0.5 + std::fmod(t, 2.8) / 2.8;
        const auto start = std::chrono::steady_clock::now();
        recorder->append({t, current, std::min(2 * current, 2.0)});
        appendMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    offset = kHour * 0.2;
    QApplication::processEvents();
    const std::vector<double> lastAppends(appendMs.end() - 1000, appendMs.end());
    std::printf(
        "append one sample, the last 1000 of %d: median %.4f ms, worst %.4f ms "
        "(limit 1 ms)\n",
        kHour, median(lastAppends), *std::max_element(lastAppends.begin(), lastAppends.end()));

    // The plot with the whole hour in it, drawn anew as the recording does (and painted).
    recorder->flush();
    // The thread's CPU time beside the wall time: a redraw that took long while its thread was
    // not running was another process's turn on the CPU, not the plot's work.
    const auto threadMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    std::vector<double> redrawMs, redrawCpuMs;
    for (int n = 0; n < 50; ++n) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadMs();
        recorder->view()->replot(QCustomPlot::rpImmediateRefresh);
        redrawCpuMs.push_back(threadMs() - cpuStart);
        redrawMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf(
        "redraw the plot, %d points a series, %zu redraws: median %.2f ms, worst %.2f ms "
        "(limit 16 ms); CPU of the window's thread: median %.2f ms, worst %.2f ms\n",
        recorder->currentSeries()->dataCount(), redrawMs.size(), median(redrawMs),
        *std::max_element(redrawMs.begin(), redrawMs.end()), median(redrawCpuMs),
        *std::max_element(redrawCpuMs.begin(), redrawCpuMs.end()));

    // Real recording against the paced line, with the window painting every sample.
    std::vector<double> gaps;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(kProbePeriod);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        gaps.push_back(static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    const std::size_t before = recorder->samples().size();
    sinceTick.start();
    probe.start();
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < seconds * 1000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    probe.stop();
    const std::size_t recorded = recorder->samples().size() - before;
    const bool failed = !recorder->isRecording();
    std::printf(
        "recording %d s at 0.2 s%s: %zu samples read (%d read late, %d failed), %zu points a "
        "series\n",
        seconds, failed ? " FAILED" : "", recorded, recorder->lateTicks(), recorder->failedReads(),
        recorder->samples().size());
    std::printf(
        "  gaps between the window's %d ms timer ticks: median %.1f ms, worst %.1f ms "
        "(limit 50 ms)\n",
        kProbePeriod, median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    Func_PanelsFreigeben();
    serial::setPortPath(kPort, "");
    const auto worst = std::max_element(gaps.begin(), gaps.end());
    std::printf("  worst gap: tick %td of %zu\n", worst - gaps.begin(), gaps.size());
    const double worstGap = *worst;
    const double worstAppend = *std::max_element(lastAppends.begin(), lastAppends.end());
    const double worstRedraw = *std::max_element(redrawMs.begin(), redrawMs.end());
    return failed || worstGap > 50.0 || worstAppend > 1.0 || worstRedraw > 16.0 ? 1 : 0;
}
