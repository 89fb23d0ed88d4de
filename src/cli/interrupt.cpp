#include "cli/interrupt.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "connection/operation.h"
#include "driver/ports.h"

namespace cli {

namespace {

// Lock-free, so that the handler may store to it.
std::atomic<int> gSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onInterrupt(int signal) {
    if (gSignal != 0) {
        vrl::driver::releaseExclusiveForExit();
#ifndef _WIN32
        static constexpr char kLine[] = "tkv9d: sofort beendet\n";
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
#endif
        std::_Exit(interruptedStatus(signal));
    }
    gSignal = signal;
    // A lock-free atomic store, safe in a handler; the transfer reads it between records.
    vrl::op::requestCancel();
#ifdef _WIN32
    // Windows resets the handler before calling it.
    std::signal(signal, onInterrupt);
#endif
}

void (*gPreviousInterrupt)(int) = SIG_DFL;
void (*gPreviousTerminate)(int) = SIG_DFL;

}  // namespace

InterruptHandling::InterruptHandling() {
    gSignal = 0;
    gPreviousInterrupt = std::signal(SIGINT, onInterrupt);
    gPreviousTerminate = std::signal(SIGTERM, onInterrupt);
}

InterruptHandling::~InterruptHandling() {
    std::signal(SIGINT, gPreviousInterrupt);
    std::signal(SIGTERM, gPreviousTerminate);
}

int InterruptHandling::received() {
    return gSignal;
}

namespace {

std::atomic<bool> gStopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void requestStop(int) {
    gStopRequested = true;
}

}  // namespace

StopSignals::StopSignals() {
    gStopRequested = false;
    interrupt_ = std::signal(SIGINT, requestStop);
    terminate_ = std::signal(SIGTERM, requestStop);
}

StopSignals::~StopSignals() {
    std::signal(SIGINT, interrupt_);
    std::signal(SIGTERM, terminate_);
}

bool StopSignals::requested() {
    return gStopRequested;
}

int interruptedStatus(int signal) {
    return 128 + signal;
}

}  // namespace cli
