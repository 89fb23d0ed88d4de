#include "connection/line_worker.h"

namespace vrl::com {

LineWorker::LineWorker() : thread_([this] { run(); }) {}

LineWorker::~LineWorker() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void LineWorker::post(std::function<void()> work) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    wake_.notify_one();
}

bool LineWorker::isWorkerThread() const {
    return std::this_thread::get_id() == thread_.get_id();
}

void LineWorker::run() {
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            // The work in hand is done before the thread ends.
            if (queue_.empty()) return;
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

}  // namespace vrl::com
