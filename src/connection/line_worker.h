#pragma once

// The thread that owns the serial line while the program's windows are up. It runs one piece of
// line work at a time, in the order they were handed over, and knows nothing of the windows:
// the caller learns of the end through its own wake-up.

#include <QThread>
#include <functional>

namespace vrl::com {

class LineWorker {
  public:
    LineWorker();
    // Waits for the work in hand, then ends the thread.
    ~LineWorker();
    LineWorker(const LineWorker&) = delete;
    LineWorker& operator=(const LineWorker&) = delete;

    // Runs work on the worker thread after the work handed over before it.
    void post(std::function<void()> work);
    bool isWorkerThread() const;

  private:
    QThread thread_;
    QObject* context_;  // lives in thread_, receives the work
};

}  // namespace vrl::com
