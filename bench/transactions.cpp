// Parameter writes and reads through the driver against the in-process simulated TKV-9D on a
// pseudo-terminal.
//
// 1. Unpaced: how many transactions a second the driver and the line manage, and the CPU time
//    they cost; then the same with a protocol trace sink installed that formats every record
//    into its line and keeps the latest 10,000 lines, as a trace window does.
// 2. Paced at 9600 baud: wall time against the pure line time of the bytes exchanged (10 bits a
//    byte), which is the physical limit, and CPU time against wall time: a driver that waits in
//    the kernel costs almost nothing while the bytes are on the line.
//
// 3. With --device N: reads of one parameter (--read NAME, default strom1) through the driver
//    against a device already on port N, for example `tkv9d-sim --com N` as a process of its
//    own. That is what `bench/scpi` compares `tkv9d serve` with: the same simulator, the same
//    queries, only the server and its socket taken away.
//
// usage: transactions [--count N] [--paced-count M] [--rounds R]   (defaults 20000, 500, 3)
//        transactions --device N [--read NAME] [--count N] [--rounds R]

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "driver/parameter_catalogue.h"
#include "driver/trace.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "sim/line.h"

namespace {

using vrl::driver::Parameter;
using vrl::driver::ValueKind;

constexpr int kPort = 42;
constexpr char kAddress = '1';
constexpr double kTimeout = 1.5;                   // [s], as the program uses
constexpr double kSecondsPerByte = 10.0 / 9600.0;  // start, 7 data, parity, stop bit

// Counts the bytes that cross the line in either direction; the rest is the real port.
class CountingBackend : public serial::Backend {
  public:
    explicit CountingBackend(serial::Backend& inner) : inner_(inner) {}

    int open(int port, const serial::LineSettings& s) override { return inner_.open(port, s); }
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

  private:
    serial::Backend& inner_;
    std::size_t bytes_ = 0;
};

// What a trace window does with each record: its line, kept under a lock among the latest
// 10,000.
class KeepingSink : public vrl::driver::TraceSink {
  public:
    void record(const vrl::driver::TraceRecord& record) override {
        std::string line = vrl::driver::traceLine(record);
        std::lock_guard<std::mutex> lock(mutex_);
        if (lines_.size() == kKept) lines_.pop_front();
        lines_.push_back(std::move(line));
        ++records_;
    }
    std::size_t records() const { return records_; }

  private:
    static constexpr std::size_t kKept = 10000;
    std::mutex mutex_;
    std::deque<std::string> lines_;
    std::size_t records_ = 0;
};

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// User plus system time [s] of the calling thread or of the whole process (which includes the
// simulator's serving thread).
double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every writable parameter with a value from the middle of its range.
struct Step {
    const Parameter* row;
    double real;
    int integer;
};

std::vector<Step> plan() {
    std::vector<Step> steps;
    for (const Parameter& row : vrl::driver::kCatalogue) {
        if (row.readOnly) continue;
        const double middle = row.hasRange ? (row.low + row.high) / 2 : 1.25;
        steps.push_back({&row, middle, static_cast<int>(middle)});
    }
    return steps;
}

// Transaction i writes one parameter (even i) or reads it back (odd i). False on the first
// failure, which is reported. With `overheads`, each transaction's wall time beyond the line
// time of its own bytes is recorded [s].
bool runTransactions(int count, const CountingBackend* counting = nullptr,
                     std::vector<double>* overheads = nullptr, int port = kPort,
                     std::string_view readOnly = {}) {
    static const std::vector<Step> steps = plan();
    double real = 0;
    int integer = 0;
    std::string text;
    for (int i = 0; i < count; ++i) {
        const Step& step = steps[static_cast<std::size_t>(i / 2) % steps.size()];
        const std::string_view name = readOnly.empty() ? step.row->name : readOnly;
        const std::size_t bytesBefore = counting ? counting->bytes() : 0;
        const auto start = std::chrono::steady_clock::now();
        const int code =
            i % 2 == 0 && readOnly.empty()
                ? VRLTKV9D_ParameterSchreiben(port, kAddress, name, step.real, step.integer,
                                              "Bench")
                : VRLTKV9D_ParameterLesen(port, kAddress, name, &real, &integer, &text);
        if (code != 0) {
            std::fprintf(stderr, "transaction %d (%.*s) failed: %d\n", i,
                         static_cast<int>(name.size()), name.data(), code);
            return false;
        }
        if (overheads != nullptr) {
            const double wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            overheads->push_back(wall - static_cast<double>(counting->bytes() - bytesBefore) *
                                            kSecondsPerByte);
        }
    }
    return true;
}

struct Measurement {
    double wall;                    // [s]
    double driverCpu;               // [s], the thread that runs the driver
    double processCpu;              // [s], driver and simulator
    std::size_t bytes;              // on the line, both directions
    std::vector<double> overheads;  // [s] per transaction, beyond its line time
};

bool measure(bool pace, int count, Measurement& m) {
    sim::Line line(sim::LineOptions{pace, ""});
    line.addTkv(kAddress);
    serial::setPortPath(kPort, line.devicePath());
    CountingBackend counting(serial::backend());
    serial::BackendGuard use(counting);
    if (VRLTKV9D_Open(kPort, 9600) != 0 || VRLTKV9D_Timeout(kPort, kTimeout) != 0) {
        std::fprintf(stderr, "cannot open %s: %s\n", line.devicePath().c_str(),
                     counting.openFailureReason(kPort).c_str());
        return false;
    }
    // A warm-up write and read, so that the measured ones find the port and line settled.
    bool ok = runTransactions(2);
    counting.reset();
    const double driver0 = cpuSeconds(RUSAGE_THREAD);
    const double process0 = cpuSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    ok = ok && runTransactions(count, &counting, &m.overheads);
    const auto end = std::chrono::steady_clock::now();
    m.driverCpu = cpuSeconds(RUSAGE_THREAD) - driver0;
    m.processCpu = cpuSeconds(RUSAGE_SELF) - process0;
    m.wall = std::chrono::duration<double>(end - start).count();
    m.bytes = counting.bytes();
    VRLTKV9D_Close(kPort);
    serial::setPortPath(kPort, "");
    return ok;
}

int argument(int argc, char** argv, const char* option, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], option) != 0) continue;
        int value = 0;
        const char* text = argv[i + 1];
        const auto [end, ec] = std::from_chars(text, text + std::strlen(text), value);
        if (ec != std::errc() || *end != '\0' || value < 1) {
            std::fprintf(stderr, "%s needs a positive count\n", option);
            std::exit(2);
        }
        return value;
    }
    return fallback;
}

const char* textArgument(int argc, char** argv, const char* option, const char* fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) return argv[i + 1];
    }
    return fallback;
}

// Reads of one parameter from the device on `port`, `rounds` runs of `count`, each printed.
int readFromDevice(int port, const char* name, int count, int rounds) {
    if (VRLTKV9D_Open(port, 9600) != 0 || VRLTKV9D_Timeout(port, kTimeout) != 0) {
        std::fprintf(stderr, "cannot open port %d: %s\n", port,
                     serial::backend().openFailureReason(port).c_str());
        return 1;
    }
    bool ok = runTransactions(2, nullptr, nullptr, port, name);
    for (int round = 1; ok && round <= rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        ok = runTransactions(count, nullptr, nullptr, port, name);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (ok)
            std::printf("device on port %d, %d reads of %s: %.0f reads/s\n", port, count, name,
                        count / wall);
    }
    VRLTKV9D_Close(port);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc ||
            (std::strcmp(argv[i], "--count") != 0 && std::strcmp(argv[i], "--paced-count") != 0 &&
             std::strcmp(argv[i], "--rounds") != 0 && std::strcmp(argv[i], "--device") != 0 &&
             std::strcmp(argv[i], "--read") != 0)) {
            std::fprintf(stderr,
                         "usage: transactions [--count N] [--paced-count M] [--rounds R]\n"
                         "       transactions --device N [--read NAME] [--count N] [--rounds R]\n");
            return 2;
        }
    }
    const int count = argument(argc, argv, "--count", 20000);
    const int pacedCount = argument(argc, argv, "--paced-count", 500);
    const int rounds = argument(argc, argv, "--rounds", 3);
    if (const int device = argument(argc, argv, "--device", 0); device != 0) {
        return readFromDevice(device, textArgument(argc, argv, "--read", "strom1"), count, rounds);
    }

    // Untraced and traced in turns, so that another process that takes the CPU for a while
    // hits both alike; the best round of each is the one least disturbed.
    std::vector<double> plain, traced;  // [transactions/s]
    for (int round = 1; round <= rounds; ++round) {
        Measurement fast{};
        if (!measure(false, count, fast)) return 1;
        KeepingSink sink;
        vrl::driver::setTraceSink(&sink);
        Measurement withSink{};
        const bool ok = measure(false, count, withSink);
        vrl::driver::setTraceSink(nullptr);
        if (!ok) return 1;
        plain.push_back(count / fast.wall);
        traced.push_back(count / withSink.wall);
        std::printf(
            "unpaced round %d: %d transactions, %.0f transactions/s; traced %.0f transactions/s "
            "(%zu records)\n",
            round, count, plain.back(), traced.back(), sink.records());
        std::printf(
            "  CPU per 1000 transactions: driver thread %.4f s, whole process %.4f s; traced "
            "%.4f s, %.4f s\n",
            fast.driverCpu * 1000 / count, fast.processCpu * 1000 / count,
            withSink.driverCpu * 1000 / count, withSink.processCpu * 1000 / count);
    }
    const double bestPlain = *std::max_element(plain.begin(), plain.end());
    const double bestTraced = *std::max_element(traced.begin(), traced.end());
    std::printf("unpaced, best of %d: %.0f transactions/s; traced %.0f transactions/s (%+.1f %%)\n",
                rounds, bestPlain, bestTraced, (bestTraced / bestPlain - 1) * 100);

    Measurement paced{};
    if (!measure(true, pacedCount, paced)) return 1;
    const double lineTime = static_cast<double>(paced.bytes) * kSecondsPerByte;
    std::printf("paced at 9600 baud: %d transactions, %zu bytes on the line\n", pacedCount,
                paced.bytes);
    std::printf("  wall %.3f s, line time %.3f s: wall is %+.2f %% of line time\n", paced.wall,
                lineTime, (paced.wall / lineTime - 1) * 100);
    std::printf("  CPU: driver thread %.4f s = %.3f %% of wall; whole process %.4f s = %.3f %%\n",
                paced.driverCpu, paced.driverCpu / paced.wall * 100, paced.processCpu,
                paced.processCpu / paced.wall * 100);
    std::sort(paced.overheads.begin(), paced.overheads.end());
    auto quantile = [&](double q) {
        return paced.overheads[static_cast<std::size_t>(q * double(paced.overheads.size() - 1))] *
               1e6;
    };
    std::printf(
        "  per transaction beyond its line time [us]: min %.0f, median %.0f, "
        "90 %% %.0f, max %.0f\n",
        quantile(0), quantile(0.5), quantile(0.9), quantile(1));
    return 0;
}
