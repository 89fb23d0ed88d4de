// The driver's own cost per transaction, without a line: a loopback backend answers every frame
// at once from memory, so what is timed is building the frame, the transaction's steps and the
// answer's check, and nothing of the kernel or the simulator. Run against the same build of the
// driver with and without a trace sink, and against an older driver (the file builds without
// the trace too), it shows what the trace hook costs.
//
// usage: driver_cost [--count N] [--rounds R]   (defaults 1000000 and 7)

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "driver/vrltkv9d.h"
#include "platform/serial/serial.h"

#if __has_include("driver/trace.h")
#include "driver/trace.h"
#define HAVE_TRACE 1
#endif

namespace {

constexpr int kPort = 7;

// Answers a read of strom1 with 1.5 and everything else with ACK alone.
class Loopback : public serial::Backend {
  public:
    int open(int, const serial::LineSettings&) override { return 0; }
    int close(int) override { return 0; }
    int setTimeout(int, double) override { return 0; }
    int flushInput(int) override {
        reply_.clear();
        at_ = 0;
        return 0;
    }
    int flushOutput(int) override { return 0; }
    int write(int, std::span<const std::uint8_t> bytes) override {
        reply_.assign(1, '\x06');
        if (bytes.size() == 6 && bytes[4] == 'R') {
            for (std::size_t i = 0; i < 5; ++i) reply_.push_back(static_cast<char>(bytes[i]));
            for (char c : std::string_view("1.500\r")) reply_.push_back(c);
        }
        at_ = 0;
        return static_cast<int>(bytes.size());
    }
    int drainOutput(int) override { return 0; }
    int readByte(int) override {
        return at_ < reply_.size() ? static_cast<unsigned char>(reply_[at_++]) : -1;
    }
    std::string openFailureReason(int) const override { return {}; }

  private:
    std::string reply_;
    std::size_t at_ = 0;
};

#ifdef HAVE_TRACE
class KeepingSink : public vrl::driver::TraceSink {
  public:
    void record(const vrl::driver::TraceRecord& record) override {
        std::string line = vrl::driver::traceLine(record);
        std::lock_guard<std::mutex> lock(mutex_);
        if (lines_.size() == 10000) lines_.pop_front();
        lines_.push_back(std::move(line));
    }

  private:
    std::mutex mutex_;
    std::deque<std::string> lines_;
};
#endif

// [ns] per transaction, a write and a read of strom1 in turns.
double nanosPerTransaction(int count) {
    double real = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        const int code =
            i % 2 == 0 ? VRLTKV9D_ParameterSchreiben(kPort, '1', "strom1", 1.5, 0, {})
                       : VRLTKV9D_ParameterLesen(kPort, '1', "strom1", &real, nullptr, nullptr);
        if (code != 0) {
            std::fprintf(stderr, "transaction %d failed: %d\n", i, code);
            return -1;
        }
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    return took.count() / count;
}

int argument(int argc, char** argv, const char* option, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argument(argc, argv, "--count", 1000000);
    const int rounds = argument(argc, argv, "--rounds", 7);
    Loopback loopback;
    serial::BackendGuard use(loopback);
    VRLTKV9D_Open(kPort, 9600);
    std::vector<double> plain, traced;
    for (int round = 0; round < rounds; ++round) {
        plain.push_back(nanosPerTransaction(count));
#ifdef HAVE_TRACE
        KeepingSink sink;
        vrl::driver::setTraceSink(&sink);
        traced.push_back(nanosPerTransaction(count));
        vrl::driver::setTraceSink(nullptr);
#endif
    }
    // The least disturbed round of each.
    const double bestPlain = *std::min_element(plain.begin(), plain.end());
    std::printf("no line, best of %d rounds of %d: %.0f ns a transaction (%.0f transactions/s)\n",
                rounds, count, bestPlain, 1e9 / bestPlain);
    if (!traced.empty()) {
        const double bestTraced = *std::min_element(traced.begin(), traced.end());
        std::printf("  with a trace sink that keeps every line: %.0f ns (%+.1f %%)\n", bestTraced,
                    (bestTraced / bestPlain - 1) * 100);
    }
    return 0;
}
