#include "connection/line_worker.h"

#include <QMetaObject>

namespace vrl::com {

LineWorker::LineWorker() : context_(new QObject) {
    thread_.setObjectName(QStringLiteral("line"));
    context_->moveToThread(&thread_);
    thread_.start();
}

LineWorker::~LineWorker() {
    thread_.quit();
    thread_.wait();
    // The thread has ended; nothing can reach its object any more.
    delete context_;
}

void LineWorker::post(std::function<void()> work) {
    QMetaObject::invokeMethod(context_, std::move(work), Qt::QueuedConnection);
}

bool LineWorker::isWorkerThread() const {
    return QThread::currentThread() == &thread_;
}

}  // namespace vrl::com
