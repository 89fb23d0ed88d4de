#pragma once

// The thread that owns the serial line while the program's windows are up. It runs one piece of
// line work at a time, in the order they were handed over, and knows nothing of the windows:
// the caller learns of the end through its own wake-up.
//
// A plain thread with a queue under a standard mutex rather than a Qt event loop: the hand-over
// of the work is then one that the thread sanitizer sees, so a run of it over the window's tests
// tells races on our data apart from Qt's own queue.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

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
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;  // guarded by mutex_
    bool ending_ = false;                      // guarded by mutex_
    std::thread thread_;                       // last: starts once the queue exists
};

}  // namespace vrl::com
