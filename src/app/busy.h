#pragma once

// What the windows do around a device operation: its line work runs on the worker thread while
// the windows keep painting; the operator's input to them is dropped, not kept for later; the
// cursor shows that the program is busy; a long operation shows its progress with "Abbrechen".

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <atomic>
#include <functional>

#include "connection/line_worker.h"
#include "connection/operation.h"

namespace vrl::app {

// [s] still to go after `done` of `total` steps that took elapsedMs, the last of them lastStepMs.
double remainingSeconds(qint64 elapsedMs, qint64 lastStepMs, int done, int total);

// A window that only watches the line (the protocol trace): the operator may scroll and click in
// it while an operation runs, since nothing he does there reaches the device or the data.
void setUsableWhileBusy(QWidget* window);

class WindowOperations : public QObject, public op::Host {
  public:
    // Installs itself as the operations' host and as the application's input filter.
    WindowOperations();
    ~WindowOperations() override;

    void begin(std::string_view title, op::Kind kind) override;
    void end() override;
    int onLine(const std::function<int()>& work) override;
    void progress(std::string_view step, int done, int total) override;

    // Runs once the operation in hand has ended (at once when none runs).
    void whenIdle(std::function<void()> action);

    // The progress display of the running operation, nullptr while there is none.
    QProgressDialog* progressDialog() const { return progress_.data(); }

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

  private:
    bool accepts(QObject* receiver) const;
    // The one place the windows wait for the line: runs their events (as op::Host says which)
    // until done is set, or returns at once for line work outside an operation.
    void waitForLine(const std::atomic<bool>& done);
    // From now on the running operation drops input as an operator's operation does.
    void showBusy();

    com::LineWorker worker_;
    bool busy_ = false;        // an operator's operation, or a background one past its grace:
                               // input is dropped
    bool background_ = false;  // a background operation: input waits for its end, a short while
    QElapsedTimer backgroundClock_;  // since the background operation began
    bool cursor_ = false;
    QString title_;
    QPointer<QProgressDialog> progress_;
    QPointer<QWidget> lastInputWindow_;  // where the operator last clicked or typed
    QPointer<QWidget> owner_;            // the window the running operation was started from
    QElapsedTimer elapsed_;
    qint64 lastStepAt_ = 0;  // [ms] on elapsed_, when the step in hand began
    int lastDone_ = 0;
    std::function<void()> whenIdle_;
};

}  // namespace vrl::app
