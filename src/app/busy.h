#pragma once

// What the windows do around a device operation: its line work runs on the worker thread while
// the windows keep painting; the operator's input to them is dropped, not kept for later; the
// cursor shows that the program is busy; a long operation shows its progress with "Abbrechen".
// During a background operation (the status poll, a recorded reading) the input is held and
// carried out at its end, or, past a short grace, refused with a word on the window's status
// line. "Stopp" is the one input honoured in every state.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "connection/line_worker.h"
#include "connection/operation.h"

namespace vrl::app {

// [s] still to go after `done` of `total` steps that took elapsedMs, the last of them lastStepMs.
double remainingSeconds(qint64 elapsedMs, qint64 lastStepMs, int done, int total);

// A window that only watches the line (the protocol trace): the operator may scroll and click in
// it while an operation runs, since nothing he does there reaches the device or the data.
void setUsableWhileBusy(QWidget* window);

// A control that stops the device: it takes clicks and keys in every state.
void setHonouredWhileBusy(QWidget* control);

// The key that stops the device from every window of the program, in every state.
inline constexpr Qt::Key kStoppKey = Qt::Key_F12;
// What a refused input says, on the status line of the window it was made in.
inline constexpr char kEingabeAbgewiesen[] =
    QT_TRANSLATE_NOOP("Vorgang", "Gerät antwortet nicht – Eingabe nicht ausgeführt");

class WindowOperations : public QObject, public op::Host {
  public:
    // Installs itself as the operations' host and as the application's input filter.
    WindowOperations();
    ~WindowOperations() override;

    void begin(std::string_view title, op::Kind kind) override;
    void end() override;
    int onLine(const std::function<int()>& work) override;
    void progress(std::string_view step, int done, int total) override;

    void idle() override;

    // Runs once the operation in hand has ended (at once when none runs).
    void whenIdle(std::function<void()> action);

    // How the device is told to stop: `announce` says at once that the stop is on its way,
    // `send` is the stop's own transaction and reports its outcome.
    void setStopActions(std::function<void()> announce, std::function<void()> send) {
        announceStop_ = std::move(announce);
        sendStop_ = std::move(send);
    }
    // "Stopp": sent at once when the line is free; otherwise the running operation is cancelled
    // at its next step (one the operator started) and the stop is the next frame after it.
    void requestStop();
    bool stopPending() const { return stopPending_; }

    // The progress display of the running operation, nullptr while there is none.
    QProgressDialog* progressDialog() const { return progress_.data(); }

    // [ms], monotonic: what the grace of a background operation and the age of held input are
    // measured on. The system's steady clock unless a test sets its own (empty: back to it).
    void setClock(std::function<qint64()> milliseconds);

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

  private:
    bool accepts(QObject* receiver) const;
    // The progress display, a window that only watches, a question the operation asks.
    bool usable(QObject* receiver) const;
    // The one place the windows wait for the line: runs their events (as op::Host says which)
    // until done is set, or returns at once for line work outside an operation.
    void waitForLine(const std::atomic<bool>& done);
    // A background operation that has outlasted its grace.
    bool pastGrace() const;
    // From now on the running operation drops input as an operator's operation does.
    void showBusy();
    void showCursor();
    // Input held during a background operation; carried out once it has ended, in its order.
    bool hold(QObject* receiver, QEvent* event);
    void replayHeld();
    // Says on the window's status line that input made there was not carried out.
    void refuse(QObject* receiver);

    com::LineWorker worker_;
    bool busy_ = false;           // an operator's operation, or a background one past its grace:
                                  // input is dropped
    bool background_ = false;     // a background operation: input waits for its end, a short while
    qint64 backgroundSince_ = 0;  // [ms] on clock_, when the background operation began
    bool cursor_ = false;
    QString title_;
    QPointer<QProgressDialog> progress_;
    QPointer<QWidget> lastInputWindow_;  // where the operator last clicked or typed
    QPointer<QWidget> owner_;            // the window the running operation was started from
    QElapsedTimer elapsed_;
    qint64 lastStepAt_ = 0;  // [ms] on elapsed_, when the step in hand began
    int lastDone_ = 0;
    std::function<void()> whenIdle_;

    struct HeldInput {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
        qint64 at;  // [ms] on clock_
    };
    std::vector<HeldInput> held_;
    QElapsedTimer steady_;
    std::function<qint64()> clock_;
    std::function<void()> announceStop_;
    std::function<void()> sendStop_;
    bool stopPending_ = false;
};

}  // namespace vrl::app
