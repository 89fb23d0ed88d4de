#pragma once

// A device operation as the operator sees it: from the button to the last frame it is one piece
// of work, and nothing else may start or change its data meanwhile. The program's windows
// install a host that runs the line's work on the worker thread that owns the port, keeps the
// windows busy, shows progress and offers cancel. Without a host (the command-line tool, tests
// that call the operations directly) the work runs on the caller's thread and nothing is shown.
//
// The operations themselves stay as they are; they only pass their driver calls through
// onLine(), report their steps through progress() and ask cancelRequested() between steps.

#include <atomic>
#include <functional>
#include <string>
#include <string_view>

namespace vrl::op {

// An operation the operator started makes the windows busy. A background one (the status poll)
// is one the operator does not see: his input waits for its end and is then carried out, unless
// it lasts longer than a short grace (the windows then become busy and drop input).
enum class Kind { Operator, Background };

// While onLine() waits for the line, the windows' host keeps their events running, by one rule:
//  - pass: painting, layout, the window system's own events (expose, resize, focus, activation,
//    closing), timers and queued calls;
//  - dropped: every other event, that is the operator's input from any device, except in the
//    progress display, in a window that only watches the line (the trace) and in a question the
//    operation itself asks; a background operation within its grace holds the input back
//    instead and carries it out at its end (idle()), and past it says on the window's status
//    line that the input was not carried out;
//  - honoured in every state: "Stopp" and its key, which ask the host for the stop instead of
//    starting an operation of their own.
// So a callback may still run inside a wait, reached without input: a timer's (the status poll),
// a field that commits when it loses the focus, a window's close. Such a callback either runs
// its work as an Operation (which does not start while another runs, and then does nothing), or,
// when it changes what an operation works on without one, first asks busy() and does nothing
// (showing the data again where its control shows them).
class Host {
  public:
    virtual ~Host() = default;
    // The outermost operation begins and ends.
    virtual void begin(std::string_view title, Kind kind) = 0;
    virtual void end() = 0;
    // Runs work that talks to the line and returns its result once it has finished.
    virtual int onLine(const std::function<int()>& work) = 0;
    // The step now starting, after `done` of `total` steps.
    virtual void progress(std::string_view step, int done, int total) = 0;
    // The outermost operation has ended and another may start: what waited for it goes now.
    virtual void idle() {}
};

// Which operation runs on one line, and the host it runs under. The free functions below act on
// the installed one; all but the stop belong to the thread that starts the operations.
class Operations {
  public:
    Operations() = default;
    Operations(const Operations&) = delete;
    Operations& operator=(const Operations&) = delete;

    void setHost(Host* host) { host_ = host; }

    // The outermost operation begins (true), or another runs and this one does not (false).
    bool begin(std::string_view title, Kind kind);
    void end();

    bool running() const { return depth_ > 0; }
    bool busy() const { return depth_ > 0 && kind_ == Kind::Operator; }
    bool background() const { return depth_ > 0 && kind_ == Kind::Background; }
    const std::string& title() const;

    int onLine(const std::function<int()>& work);
    unsigned long lineWorkCount() const { return lineWork_; }
    void progress(std::string_view step, int done, int total);

    void requestCancel() { cancel_ = true; }
    bool cancelRequested() const { return cancel_; }
    int cancelled(int code, std::string howFar);

  private:
    Host* host_ = nullptr;
    int depth_ = 0;
    Kind kind_ = Kind::Operator;
    std::string title_;
    std::string howFar_;  // a cancelled operation's report, shown when it ends
    // Set by the operator's thread, read between steps.
    std::atomic<bool> cancel_{false};
    std::atomic<unsigned long> lineWork_{0};
};

// The operations in use: the installed ones, or a set the process keeps for a program that
// installs none. Installed at start-up, before any operation; they must outlive their
// installation.
Operations& operations();
void setOperations(Operations* installed);

// The installed operations'.
void setHost(Host* host);

// One operation, from its callback to its end. Only one runs at a time: an operation that
// begins while another runs (a callback reached while the first waits for the line) does not
// start, and its callback must do nothing.
class Operation {
  public:
    explicit Operation(std::string_view title, Kind kind = Kind::Operator);
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    bool started() const { return operations_ != nullptr; }

  private:
    Operations* operations_ = nullptr;  // the ones it began on; null when it did not start
};

// An operation is running, of either kind.
bool running();
// An operation the operator started is running: input that would start another or change its
// data is refused.
bool busy();
// A background operation is running; and the title of the running operation ("" for none).
bool background();
const std::string& title();

int onLine(const std::function<int()>& work);
// How often work went to the line so far: an action that leaves it unchanged sent nothing (it
// was answered "Abbrechen" before its first frame).
unsigned long lineWorkCount();
void progress(std::string_view step, int done, int total);

// The operator asked to stop; the running operation stops before its next step. Cleared when an
// operation begins and when it ends.
void requestCancel();
bool cancelRequested();

// Ends a step-wise operation that the operator stopped: `howFar` says how far it got and is
// shown once the operation is over (at once without a running operation). Returns `code`, one
// of the codes that mean "cancelled" and are never shown as an error.
int cancelled(int code, std::string howFar);

}  // namespace vrl::op
