#include "platform/console/stop_signals.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace console {

namespace {

// Lock-free, so that the handler may use them.
std::atomic<int> gReceived{0};
std::atomic<StopSignals::Action> gFirst{nullptr};
std::atomic<StopSignals::Action> gAgain{nullptr};
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<StopSignals::Action>::is_always_lock_free);

void deliver(int signal) {
    int none = 0;
    if (gReceived.compare_exchange_strong(none, signal)) {
        if (const StopSignals::Action first = gFirst) first(signal);
    } else if (const StopSignals::Action again = gAgain) {
        again(signal);
    }
}

#ifdef _WIN32

std::atomic<HANDLE> gEvent{nullptr};
int gDepth = 0;  // instances alive: the handler is registered once, not once each

// Runs on a thread of its own, which the system starts for the event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    const int signal = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
    deliver(signal);
    if (const HANDLE wake = gEvent) SetEvent(wake);
    // Closing the console ends the process once this returns: the program gets the time to end
    // in order (close its port, finish its log).
    if (signal == SIGTERM) Sleep(2000);
    return TRUE;
}

#else

extern "C" void onSignal(int signal) {
    deliver(signal);
}

void stopSignals(sigset_t& signals) {
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
}

#endif

}  // namespace

StopSignals::StopSignals(Action first, Action again, Delivery delivery)
    : delivery_(delivery),
      outerFirst_(gFirst.exchange(first)),
      outerAgain_(gAgain.exchange(again)),
      outerReceived_(gReceived.exchange(0)) {
#ifdef _WIN32
    outerEvent_ = gEvent.exchange(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!gEvent || (gDepth++ == 0 && !SetConsoleCtrlHandler(onConsoleEvent, TRUE))) ready_ = false;
#else
    sigset_t signals;
    stopSignals(signals);
    // Threads started after this inherit the mask.
    pthread_sigmask(SIG_BLOCK, delivery == Delivery::InWait ? &signals : nullptr, &outerMask_);
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_mask = signals;  // one handler at a time
    action.sa_flags = SA_RESTART;
    if (sigaction(SIGINT, &action, &outerInterrupt_) != 0 ||
        sigaction(SIGTERM, &action, &outerTerminate_) != 0)
        ready_ = false;
#endif
}

StopSignals::~StopSignals() {
#ifdef _WIN32
    if (--gDepth == 0) SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    if (const HANDLE own = gEvent.exchange(static_cast<HANDLE>(outerEvent_))) CloseHandle(own);
#else
    if (delivery_ == Delivery::InWait) {
        // A signal still pending goes with this instance, not to the handler that comes back.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGINT, &ignore, nullptr);
        sigaction(SIGTERM, &ignore, nullptr);
    }
    pthread_sigmask(SIG_SETMASK, &outerMask_, nullptr);
    sigaction(SIGINT, &outerInterrupt_, nullptr);
    sigaction(SIGTERM, &outerTerminate_, nullptr);
#endif
    gFirst = outerFirst_;
    gAgain = outerAgain_;
    gReceived = outerReceived_;
}

int StopSignals::received() {
    return gReceived;
}

void StopSignals::wait() {
#ifdef _WIN32
    WaitForSingleObject(gEvent, INFINITE);
#else
    // The signals are let in here alone, atomically with the wait, so none slips past it.
    sigset_t open = outerMask_;
    sigdelset(&open, SIGINT);
    sigdelset(&open, SIGTERM);
    while (gReceived == 0) sigsuspend(&open);
#endif
}

void StopSignals::request() {
#ifdef _WIN32
    deliver(SIGTERM);
    if (const HANDLE wake = gEvent) SetEvent(wake);
#else
    // To the process, not the calling thread: the thread that takes signals handles it.
    ::kill(::getpid(), SIGTERM);
#endif
}

}  // namespace console
