#pragma once

// How a console program is told to end: SIGINT and SIGTERM (on Windows Ctrl+C, Ctrl+Break and
// closing the console). The one place that takes them, for the command line, the network
// instrument and the simulator alike.
//
// While a StopSignals lives, the first signal's number is kept for any thread to read, and the
// actions its owner gave run on each signal. They run inside the signal handler (on Windows on
// the system's own thread), so they may only do what is safe there: store to a lock-free atomic,
// write(2), _Exit. Instances nest: the inner one takes the signals while it lives, and the
// outer one's state comes back with its end, as do the handlers the process had before.

#include <csignal>

namespace console {

class StopSignals {
  public:
    using Action = void (*)(int signal);
    enum class Delivery {
        // Wherever the signal lands, at once: a command at work notices it between its steps.
        Anywhere,
        // Only inside wait(): made before any other thread starts, which then never sees a
        // signal (no system call of theirs is interrupted). For a main thread that only waits.
        InWait,
    };

    explicit StopSignals(Action first = nullptr, Action again = nullptr,
                         Delivery delivery = Delivery::Anywhere);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // false when the signals could not be taken.
    bool ready() const { return ready_; }
    // The first signal received since this was made, or 0.
    static int received();
    // Blocks until the first signal.
    void wait();
    // As if SIGTERM had come; from any thread, so that a program can end itself.
    static void request();

  private:
    bool ready_ = true;
    Delivery delivery_;
    Action outerFirst_;
    Action outerAgain_;
    int outerReceived_;
#ifdef _WIN32
    void* outerEvent_;
#else
    struct sigaction outerInterrupt_ {};
    struct sigaction outerTerminate_ {};
    sigset_t outerMask_{};
#endif
};

}  // namespace console
