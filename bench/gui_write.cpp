// "zum TKV-9D schreiben" / "alle" in the real main window (offscreen) against the simulated
// TKV-9D paced at 9600 baud, in the same process over a pseudo-terminal. Reports the wall time
// against the line time of the bytes that crossed the line, the longest stall of the window's
// event loop while the write ran (a timer that should tick every 5 ms), and the CPU time.
//
// With --trace each run writes twice, once with the protocol trace window closed and once with
// it open and filling, and reports the transactions a second of both. --unpaced drops the
// line's pacing, so that the figure is what the program and the pty manage, not the 9600 baud.
//
// --writes N makes each measurement N writes in a row (default 1), long enough for the unpaced
// line.
//
// usage: gui_write [--runs N] [--writes N] [--trace] [--unpaced]   (defaults 1, 1)

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/par_main.h"
#include "app/shell.h"
#include "app/trace_window.h"
#include "connection/vrlcom.h"
#include "platform/gui/panels.h"
#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

constexpr int kPort = 43;
constexpr double kSecondsPerByte = 10.0 / 9600.0;  // start, 7 data, parity, stop bit
constexpr int kProbePeriod = 5;                    // [ms]

// Counts the bytes that cross the line in either direction; the rest is the real port. Called
// on the line's worker thread.
class CountingBackend : public serial::Backend {
  public:
    explicit CountingBackend(serial::Backend& inner) : inner_(inner) {}

    int open(int port, const serial::LineSettings& s) override {
        worker_ = pthread_self();
        return inner_.open(port, s);
    }
    int close(int port) override { return inner_.close(port); }
    int setTimeout(int port, double seconds) override { return inner_.setTimeout(port, seconds); }
    int flushInput(int port) override { return inner_.flushInput(port); }
    int flushOutput(int port) override { return inner_.flushOutput(port); }
    int write(int port, std::span<const std::uint8_t> bytes) override {
        const int placed = inner_.write(port, bytes);
        if (placed > 0) bytes_ += static_cast<std::size_t>(placed);
        return placed;
    }
    int drainOutput(int port) override { return inner_.drainOutput(port); }
    int readByte(int port) override {
        const int byte = inner_.readByte(port);
        if (byte >= 0) ++bytes_;
        return byte;
    }
    std::string openFailureReason(int port) const override {
        return inner_.openFailureReason(port);
    }

    std::size_t bytes() const { return bytes_; }
    void reset() { bytes_ = 0; }
    // The thread that opened the port: the line's worker.
    pthread_t worker() const { return worker_; }

  private:
    serial::Backend& inner_;
    pthread_t worker_{};
    std::atomic<std::size_t> bytes_{0};
};

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// CPU time [s] of another thread of this process.
double threadCpuSeconds(pthread_t thread) {
    clockid_t clock{};
    timespec t{};
    if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &t) != 0) return 0;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 1, writes = 1;
    bool compareTrace = false, paced = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--writes") == 0 && i + 1 < argc) {
            writes = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--trace") == 0) {
            compareTrace = true;
        } else if (std::strcmp(argv[i], "--unpaced") == 0) {
            paced = false;
        } else {
            std::fprintf(stderr,
                         "usage: gui_write [--runs N] [--writes N] [--trace] [--unpaced]\n");
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    sim::Line line(sim::LineOptions{paced, "", 0});
    line.addTkv('1');
    serial::setPortPath(kPort, line.devicePath());
    CountingBackend counting(serial::backend());
    serial::BackendGuard use(counting);

    vrl::ScriptedPopups popups;
    vrl::PopupsGuard popupsInUse(popups);
    if (Func_PanelsInitialisieren(kVersion, kDatum) != 0 || VrlCom_Open(kPort) != 0) {
        std::fprintf(stderr, "cannot set up the window on %s\n", line.devicePath().c_str());
        return 1;
    }
    ParMain_GetMainpanel()->show();

    QMainWindow* mainWindow = ParMain_GetMainpanel();
    // Per run: transactions a second and CPU time a transaction [us] of both threads, with the
    // trace window closed and open. A crowded machine slows single runs; the median holds.
    std::vector<double> perSecond[2], cpuPerTransaction[2];
    for (int run = 0; run < runs; ++run) {
        for (int traced = 0; traced <= (compareTrace ? 1 : 0); ++traced) {
            if (traced) {
                vrl::app::showTraceWindow(mainWindow);
            } else if (auto* window = vrl::app::traceWindowOf(mainWindow)) {
                window->close();
            }
            // The window is laid out and painted before the measurement, as it would be by the
            // time an operator starts a write.
            QCoreApplication::processEvents();
            QElapsedTimer sinceTick;
            qint64 longestGap = 0;  // [ms]
            QTimer probe;
            probe.setTimerType(Qt::PreciseTimer);
            probe.setInterval(kProbePeriod);
            QObject::connect(&probe, &QTimer::timeout,
                             [&] { longestGap = std::max(longestGap, sinceTick.restart()); });

            counting.reset();
            std::size_t frames = 0;
            const double gui0 = cpuSeconds(RUSAGE_THREAD);
            const double worker0 = threadCpuSeconds(counting.worker());
            const double process0 = cpuSeconds(RUSAGE_SELF);
            QElapsedTimer wall;
            wall.start();
            sinceTick.start();
            probe.start();
            for (int write = 0; write < writes && !ParMain_Panel()->ui.FEHLERLED->isOn(); ++write) {
                popups.answers = {2};                              // "alle"
                Callback_Main_Buttons(MainButton::ProgSchreiben);  // returns when it has ended
                frames += line.frames().size();
                line.clearFrames();
            }
            probe.stop();
            const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
            const double guiCpu = cpuSeconds(RUSAGE_THREAD) - gui0;
            const double workerCpu = threadCpuSeconds(counting.worker()) - worker0;
            const double processCpu = cpuSeconds(RUSAGE_SELF) - process0;
            const double lineSeconds = static_cast<double>(counting.bytes()) * kSecondsPerByte;
            const double transactions = static_cast<double>(frames) / wallSeconds;
            perSecond[traced].push_back(transactions);
            cpuPerTransaction[traced].push_back((guiCpu + workerCpu) / static_cast<double>(frames) *
                                                1e6);

            const bool failed = ParMain_Panel()->ui.FEHLERLED->isOn();
            std::printf("write all%s%s: %zu frames, %zu bytes on the line, %.0f transactions/s\n",
                        failed ? " FAILED" : "",
                        !compareTrace ? ""
                        : traced      ? ", trace window open"
                                      : ", trace window closed",
                        frames, counting.bytes(), transactions);
            if (traced) {
                auto* window = vrl::app::traceWindowOf(mainWindow);
                window->takeRecords();
                std::printf("  trace window: %zu transactions kept\n", window->model().kept());
            }
            std::printf("  wall %.3f s, line time %.3f s: wall is %+.2f %% of line time\n",
                        wallSeconds, lineSeconds, (wallSeconds / lineSeconds - 1) * 100);
            std::printf("  longest gap between the window's %d ms timer ticks: %lld ms\n",
                        kProbePeriod, static_cast<long long>(longestGap));
            std::printf(
                "  CPU: window thread %.4f s = %.3f %% of wall, line worker %.4f s = %.3f %%, "
                "together %.3f %%\n",
                guiCpu, guiCpu / wallSeconds * 100, workerCpu, workerCpu / wallSeconds * 100,
                (guiCpu + workerCpu) / wallSeconds * 100);
            std::printf("  whole process (the simulator too) %.4f s = %.3f %%\n", processCpu,
                        processCpu / wallSeconds * 100);
            if (failed) return 1;
        }
    }
    if (compareTrace) {
        const double closed = median(perSecond[0]), open = median(perSecond[1]);
        const double cpuClosed = median(cpuPerTransaction[0]);
        const double cpuOpen = median(cpuPerTransaction[1]);
        std::printf("median of %d runs: %.0f transactions/s closed, %.0f open: %+.1f %%\n", runs,
                    closed, open, (open / closed - 1) * 100);
        std::printf(
            "  CPU a transaction (window thread and line worker): %.1f us closed, "
            "%.1f us open: %+.1f %%\n",
            cpuClosed, cpuOpen, (cpuOpen / cpuClosed - 1) * 100);
    }
    Func_PanelsFreigeben();
    serial::setPortPath(kPort, "");
    return 0;
}
