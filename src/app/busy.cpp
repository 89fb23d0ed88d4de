#include "app/busy.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QProgressDialog>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace vrl::app {

namespace {

// What the operator does to a window: dropped while an operation runs. Closing a window is not
// among them; it asks whether to cancel (see the quit handlers).
bool isOperatorInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

bool inside(const QObject* object, const QWidget* window) {
    for (; object; object = object->parent())
        if (object == window) return true;
    return false;
}

constexpr char kUsableWhileBusy[] = "usableWhileBusy";

QString remaining(qint64 elapsedMs, int done, int total) {
    if (done <= 0) return QString::fromUtf8("Restzeit wird ermittelt …");
    const double left = static_cast<double>(elapsedMs) / done * (total - done) / 1000.0;
    return QString::fromUtf8("Noch etwa %1 s").arg(static_cast<int>(std::ceil(left)));
}

}  // namespace

void setUsableWhileBusy(QWidget* window) {
    window->setProperty(kUsableWhileBusy, true);
}

WindowOperations::WindowOperations() {
    op::setHost(this);
    QCoreApplication::instance()->installEventFilter(this);
}

WindowOperations::~WindowOperations() {
    QCoreApplication::instance()->removeEventFilter(this);
    op::setHost(nullptr);
    delete progress_.data();
}

void WindowOperations::begin(std::string_view title, op::Kind kind) {
    busy_ = kind == op::Kind::Operator;
    background_ = !busy_;
    title_ = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

void WindowOperations::end() {
    // Input that reached the program while it was busy goes now, still unheeded.
    if (busy_) QCoreApplication::processEvents();
    busy_ = false;
    background_ = false;
    if (cursor_) QApplication::restoreOverrideCursor();
    cursor_ = false;
    delete progress_.data();
    if (whenIdle_) {
        // After the callback that ran the operation has returned.
        QTimer::singleShot(0, QCoreApplication::instance(), std::exchange(whenIdle_, {}));
    }
}

void WindowOperations::whenIdle(std::function<void()> action) {
    if (op::running())
        whenIdle_ = std::move(action);
    else
        action();
}

int WindowOperations::onLine(const std::function<int()>& work) {
    if (QThread::currentThread() != QCoreApplication::instance()->thread() ||
        worker_.isWorkerThread())
        return work();
    std::atomic<bool> done{false};
    int result = 0;
    QSemaphore finished;
    worker_.post([&] {
        result = work();
        done = true;
        finished.release();
        // Wakes the window's thread from its wait for events.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    if (!busy_ && !background_) {
        // Line work outside an operation (start-up reopens the port, the settings are written
        // at the end) is short and must not let events in before the program is ready for them.
        finished.acquire();
        return result;
    }
    if (busy_ && !cursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursor_ = true;
    }
    // The windows repaint and timers tick while the line works; operator input is dropped (by
    // the filter) or, for a background operation, kept for its end.
    QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
    if (background_) flags |= QEventLoop::ExcludeUserInputEvents;
    while (!done) QCoreApplication::processEvents(flags);
    finished.acquire();
    return result;
}

void WindowOperations::progress(std::string_view step, int done, int total) {
    if (!progress_) {
        auto* dialog = new QProgressDialog(QApplication::activeWindow());
        dialog->setWindowTitle(title_);
        dialog->setCancelButtonText(QStringLiteral("Abbrechen"));
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setMinimumDuration(0);
        // Its own input is the one the filter lets through; it must not spin the event loop
        // itself on every step.
        dialog->setWindowModality(Qt::NonModal);
        // Wide enough for the whole title beside the title bar's buttons.
        dialog->setMinimumWidth(
            std::max(360, dialog->fontMetrics().horizontalAdvance(title_) + 160));
        QObject::connect(dialog, &QProgressDialog::canceled, dialog, [dialog] {
            op::requestCancel();
            // The dialog hid itself; it stays up, without its button, until the step in hand
            // has ended.
            dialog->setLabelText(
                QString::fromUtf8("Wird nach dem laufenden Schritt abgebrochen …"));
            dialog->setCancelButton(nullptr);
            dialog->show();
        });
        progress_ = dialog;
        elapsed_.start();
        dialog->show();
    }
    if (op::cancelRequested()) return;
    progress_->setRange(0, total);
    progress_->setValue(done);
    progress_->setLabelText(QString::fromUtf8(step.data(), static_cast<qsizetype>(step.size())) +
                            QLatin1Char('\n') + remaining(elapsed_.elapsed(), done, total));
}

bool WindowOperations::accepts(QObject* receiver) const {
    // A window hands its input on to its widgets, where it is judged.
    if (receiver->isWindowType()) return true;
    if (progress_ && inside(receiver, progress_.data())) return true;
    if (auto* widget = qobject_cast<QWidget*>(receiver);
        widget && widget->window()->property(kUsableWhileBusy).toBool())
        return true;
    // A question asked by the operation itself.
    QWidget* modal = QApplication::activeModalWidget();
    return modal && inside(receiver, modal);
}

bool WindowOperations::eventFilter(QObject* receiver, QEvent* event) {
    if (busy_ && isOperatorInput(event->type()) && !accepts(receiver)) return true;
    return QObject::eventFilter(receiver, event);
}

}  // namespace vrl::app
