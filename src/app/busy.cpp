#include "app/busy.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressDialog>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/text/translate.h"

#if defined(__SANITIZE_THREAD__)
#define TKV9D_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TKV9D_THREAD_SANITIZER 1
#endif
#endif
#ifdef TKV9D_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace vrl::app {

namespace {

// The line worker's wake-up event passes through Qt's queue, whose lock the thread sanitizer
// cannot see: these tell it that the event's making comes before its reading. Nothing in other
// builds.
void handOver([[maybe_unused]] const QEvent* event) {
#ifdef TKV9D_THREAD_SANITIZER
    __tsan_release(const_cast<QEvent*>(event));
#endif
}

void takeOver([[maybe_unused]] const QEvent* event) {
#ifdef TKV9D_THREAD_SANITIZER
    __tsan_acquire(const_cast<QEvent*>(event));
#endif
}

// What may reach a widget while an operation keeps the windows busy: painting and layout, the
// window system's own events, focus, timers and queued calls, and closing (it asks whether to
// cancel, see the quit handlers). Everything else is dropped, the operator's input from whatever
// device, so that a kind of input Qt adds later is dropped too.
bool passesWhileBusy(QEvent::Type type) {
    // The program's own messages and a library's, never input.
    if (type >= QEvent::User) return true;
    switch (type) {
        // Painting, layout and looks.
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::UpdateLater:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ShowWindowRequest:
        case QEvent::Polish:
        case QEvent::PolishRequest:
        case QEvent::LayoutRequest:
        case QEvent::ContentsRectChange:
        case QEvent::StyleAnimationUpdate:
        case QEvent::Style:
        case QEvent::StyleChange:
        case QEvent::FontChange:
        case QEvent::PaletteChange:
        case QEvent::ThemeChange:
        case QEvent::ApplicationFontChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::ApplicationLayoutDirectionChange:
        case QEvent::ApplicationWindowIconChange:
        case QEvent::LayoutDirectionChange:
        case QEvent::LanguageChange:
        case QEvent::LocaleChange:
        case QEvent::EnabledChange:
        case QEvent::ActivationChange:
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::IconTextChange:
        case QEvent::ModifiedChange:
        case QEvent::ReadOnlyChange:
        case QEvent::CursorChange:
        case QEvent::ToolTipChange:
        case QEvent::MouseTrackingChange:
        case QEvent::TabletTrackingChange:
        case QEvent::AcceptDropsChange:
        case QEvent::ZOrderChange:
        case QEvent::WindowStateChange:
        case QEvent::DynamicPropertyChange:
        case QEvent::ActionAdded:
        case QEvent::ActionChanged:
        case QEvent::ActionRemoved:
        case QEvent::ToolBarChange:
        case QEvent::WindowBlocked:
        case QEvent::WindowUnblocked:
        // The pointer passing over a widget changes its looks only; a tip only shows.
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::HoverEnter:
        case QEvent::HoverLeave:
        case QEvent::HoverMove:
        case QEvent::ToolTip:
        case QEvent::StatusTip:
        // The window system's own.
        case QEvent::Expose:
        case QEvent::PlatformSurface:
        case QEvent::WinIdChange:
        case QEvent::WindowChangeInternal:
        case QEvent::WindowAboutToChangeInternal:
        case QEvent::ScreenChangeInternal:
        case QEvent::OrientationChange:
        case QEvent::KeyboardLayoutChange:
        case QEvent::ApplicationStateChange:
        case QEvent::ApplicationActivate:
        case QEvent::ApplicationDeactivate:
        case QEvent::Clipboard:
        case QEvent::PlatformPanel:
        case QEvent::Close:
        case QEvent::Quit:
        // Focus moves when windows come and go; a field that loses it commits (its callback
        // checks busy()).
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::FocusAboutToChange:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        // Questions that change nothing.
        case QEvent::InputMethodQuery:
        case QEvent::QueryWhatsThis:
        // Objects at work: timers (the status poll's among them), queued calls (the line's
        // results), deleting, the object tree, sockets.
        case QEvent::Timer:
        case QEvent::ZeroTimerEvent:
        case QEvent::MetaCall:
        case QEvent::DeferredDelete:
        case QEvent::ChildAdded:
        case QEvent::ChildPolished:
        case QEvent::ChildRemoved:
        case QEvent::ParentChange:
        case QEvent::ParentAboutToChange:
        case QEvent::ThreadChange:
        case QEvent::Create:
        case QEvent::Destroy:
        case QEvent::SockAct:
        case QEvent::SockClose:
        case QEvent::WinEventAct:
        case QEvent::FutureCallOut:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
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
constexpr char kHonouredWhileBusy[] = "honouredWhileBusy";

// The widget an event is for: the receiver itself, or for input the window system hands to a
// window, the widget under the pointer or with the keyboard focus.
QWidget* targetOf(QObject* receiver, const QEvent* event) {
    if (auto* widget = qobject_cast<QWidget*>(receiver)) return widget;
    auto* window = qobject_cast<QWindow*>(receiver);
    if (!window) return nullptr;
    if (event->isSinglePointEvent()) {
        const QPoint at = static_cast<const QSinglePointEvent*>(event)->globalPosition().toPoint();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->windowHandle() != window) continue;
            QWidget* under = top->childAt(top->mapFromGlobal(at));
            return under ? under : top;
        }
        return nullptr;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        return QApplication::focusWidget();
    return nullptr;
}

bool honoured(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (widget->property(kHonouredWhileBusy).toBool()) return true;
        if (widget->isWindow()) break;
    }
    return false;
}

// What the operator means to act: a click, a key, a shortcut. Its releases and drags follow it.
bool isAction(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::KeyPress || type == QEvent::Shortcut || type == QEvent::Wheel;
}

// The pointer passing over the windows acts on nothing; it is not held for later.
bool isMereMove(const QEvent* event) {
    if (event->type() == QEvent::HoverMove) return true;
    return event->type() == QEvent::MouseMove &&
           static_cast<const QMouseEvent*>(event)->buttons() == Qt::NoButton;
}

// Input held longer than this is not carried out any more: a click must not act long after the
// operator made it and perhaps turned to something else.
constexpr qint64 kLatestReplay = 500;  // [ms]

// The window a click or key press belongs to; a menu's click belongs to the window of its menu
// bar.
QWidget* ownerOf(QWidget* widget) {
    QWidget* window = widget->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

// How long input made during a background operation (the status poll) may wait for its end.
// Within it, the input is carried out when the operation ends, in its order, so that typing stays
// whole ("1.5" never becomes "15"). A poll that takes longer (a device that does not answer
// waits out the time-out) makes the windows busy as an operator's operation does, and the input
// held so far is dropped with what follows: no click is carried out more than half a second
// after it was made.
constexpr int kBackgroundGrace = 400;  // [ms]

QString remaining(qint64 elapsedMs, qint64 lastStepMs, int done, int total) {
    const QString step =
        QCoreApplication::translate("Vorgang", "Schritt %1 von %2, ").arg(done + 1).arg(total);
    if (done <= 0)
        return step + QCoreApplication::translate("Vorgang", "Restzeit wird ermittelt …");
    return step + QCoreApplication::translate("Vorgang", "noch etwa %1 s")
                      .arg(static_cast<int>(
                          std::ceil(remainingSeconds(elapsedMs, lastStepMs, done, total))));
}

}  // namespace

double remainingSeconds(qint64 elapsedMs, qint64 lastStepMs, int done, int total) {
    // Steps differ: a scanned address without a device waits out the time-out, one with a device
    // answers at once. Where the last step took longer than the average so far, it is the better
    // measure of the steps to come.
    const double perStep = std::max(static_cast<double>(elapsedMs) / done, double(lastStepMs));
    return perStep * (total - done) / 1000.0;
}

void setUsableWhileBusy(QWidget* window) {
    window->setProperty(kUsableWhileBusy, true);
}

void setHonouredWhileBusy(QWidget* control) {
    control->setProperty(kHonouredWhileBusy, true);
}

WindowOperations::WindowOperations() {
    steady_.start();
    setClock({});
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
    owner_ = lastInputWindow_ ? lastInputWindow_.data() : QApplication::activeWindow();
    if (background_) backgroundSince_ = clock_();
}

void WindowOperations::showCursor() {
    if (!cursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_ = true;
}

void WindowOperations::setClock(std::function<qint64()> milliseconds) {
    clock_ = milliseconds ? std::move(milliseconds) : [this] { return steady_.elapsed(); };
}

bool WindowOperations::pastGrace() const {
    return background_ && clock_() - backgroundSince_ >= kBackgroundGrace;
}

void WindowOperations::showBusy() {
    busy_ = true;
    showCursor();
    // What was held is not carried out any more; the operator learns so now, not at the end.
    for (const HeldInput& input : held_)
        if (input.receiver && isAction(input.event->type())) refuse(input.receiver);
    held_.clear();
}

void WindowOperations::refuse(QObject* receiver) {
    // A shortcut's receiver is its action, owned by a window.
    QWidget* widget = nullptr;
    for (QObject* object = receiver; object && !widget; object = object->parent())
        widget = qobject_cast<QWidget*>(object);
    if (auto* window = qobject_cast<QWindow*>(receiver))
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowHandle() == window) widget = top;
    auto* main = widget ? qobject_cast<QMainWindow*>(ownerOf(widget)) : nullptr;
    if (!main) main = qobject_cast<QMainWindow*>(QApplication::activeWindow());
    if (main)
        main->statusBar()->showMessage(QCoreApplication::translate("Vorgang", kEingabeAbgewiesen),
                                       10000);
}

bool WindowOperations::hold(QObject* receiver, QEvent* event) {
    held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone()), clock_()});
    if (isAction(event->type())) showCursor();
    return true;
}

void WindowOperations::replayHeld() {
    auto held = std::exchange(held_, {});
    for (HeldInput& input : held) {
        if (!input.receiver) continue;
        // An operation started by input carried out before it keeps this one from acting in time.
        if (op::running() || clock_() - input.at > kLatestReplay) {
            if (isAction(input.event->type())) refuse(input.receiver);
            continue;
        }
        QCoreApplication::sendEvent(input.receiver, input.event.get());
    }
}

void WindowOperations::requestStop() {
    if (!op::running()) {
        const op::Operation operation(VRL_TR("Vorgang", "Stopp"));
        if (operation.started() && sendStop_) sendStop_();
        return;
    }
    if (stopPending_) return;
    stopPending_ = true;
    // An operator's operation ends at its next step, as "Abbrechen" ends it.
    if (op::busy()) {
        op::requestCancel();
        if (progress_) {
            progress_->setLabelText(QCoreApplication::translate(
                "Vorgang", "Wird nach dem laufenden Schritt abgebrochen …"));
            progress_->setCancelButton(nullptr);
        }
    }
    if (announceStop_) announceStop_();
}

void WindowOperations::end() {
    // The stop asked for meanwhile is the next frame on the line.
    if (stopPending_) {
        stopPending_ = false;
        busy_ = true;
        showCursor();
        if (sendStop_) sendStop_();
    }
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

void WindowOperations::idle() {
    replayHeld();
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
    // The end is told under a mutex, not by std::binary_semaphore: the semaphore of the Windows
    // build's standard library now and then slept through its release, and the program hung
    // as it opened the port at start or closed it at the end. The state is shared so that the
    // worker may still be inside notify_one when this thread has returned.
    struct Finish {
        std::mutex mutex;
        std::condition_variable wake;
        bool finished = false;  // guarded by mutex
        int result = 0;         // guarded by mutex
    };
    const auto finish = std::make_shared<Finish>();
    worker_.post([this, &work, &done, finish] {
        const int result = work();
        done = true;
        {
            const std::lock_guard lock(finish->mutex);
            finish->result = result;
            finish->finished = true;
        }
        finish->wake.notify_one();
        // Wakes the window's thread from its wait for events. A plain event that Qt deletes,
        // not a queued call whose functor it would free on that thread: Qt's own queue is then
        // all a thread-sanitizer run sees of the wake-up, and scripts/tsan.supp leaves Qt's out.
        static const auto kWake = static_cast<QEvent::Type>(QEvent::registerEventType());
        auto* wake = new QEvent(kWake);
        handOver(wake);
        QCoreApplication::postEvent(QCoreApplication::instance(), wake);
    });
    waitForLine(done);
    std::unique_lock lock(finish->mutex);
    finish->wake.wait(lock, [&finish] { return finish->finished; });
    return finish->result;
}

void WindowOperations::waitForLine(const std::atomic<bool>& done) {
    // Line work outside an operation (start-up reopens the port, the settings are written at the
    // end) is short and must not let events in before the program is ready for them: the caller
    // blocks.
    if (!busy_ && !background_) return;
    QTimer grace;
    if (busy_) {
        showCursor();
    } else {
        // The timer only wakes the wait; the clock says whether the grace is over.
        grace.setSingleShot(true);
        const auto rest = [this] {
            return static_cast<int>(
                std::max<qint64>(1, kBackgroundGrace - (clock_() - backgroundSince_)));
        };
        QObject::connect(&grace, &QTimer::timeout, &grace, [this, &grace, rest] {
            if (pastGrace())
                showBusy();
            else
                grace.start(rest());
        });
        grace.start(rest());
    }
    // The windows repaint and timers tick while the line works; operator input is dropped (by
    // the filter) or, for a background operation within its grace, held for its end.
    while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WindowOperations::progress(std::string_view step, int done, int total) {
    if (!progress_) {
        // Owned by the window the operation was started from, so that the window manager keeps
        // it above that window: a click on the window must not hide "Abbrechen" behind it.
        auto* dialog = new QProgressDialog(owner_ ? owner_.data() : QApplication::activeWindow());
        dialog->setWindowTitle(title_);
        dialog->setCancelButtonText(QCoreApplication::translate("Vorgang", "Abbrechen"));
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
            dialog->setLabelText(QCoreApplication::translate(
                "Vorgang", "Wird nach dem laufenden Schritt abgebrochen …"));
            dialog->setCancelButton(nullptr);
            dialog->show();
        });
        // Above every window of the program while the operation runs, the trace window too,
        // which the operator may bring up meanwhile: raised again whenever another takes the
        // focus (stacked only, not activated).
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, dialog, [dialog](QWindow* w) {
            // A question the operation asks stays on top.
            if (dialog->isVisible() && w && w != dialog->windowHandle() &&
                !QApplication::activeModalWidget())
                dialog->raise();
        });
        progress_ = dialog;
        elapsed_.start();
        lastStepAt_ = 0;
        lastDone_ = 0;
        dialog->show();
    }
    if (op::cancelRequested()) return;
    progress_->setRange(0, total);
    progress_->setValue(done);
    const qint64 now = elapsed_.elapsed();
    const qint64 lastStep = done > lastDone_ ? (now - lastStepAt_) / (done - lastDone_) : 0;
    lastStepAt_ = now;
    lastDone_ = done;
    progress_->setLabelText(QString::fromUtf8(step.data(), static_cast<qsizetype>(step.size())) +
                            QLatin1Char('\n') + remaining(now, lastStep, done, total));
}

bool WindowOperations::accepts(QObject* receiver) const {
    // A window hands its input on to its widgets, where it is judged.
    if (receiver->isWindowType()) return true;
    return usable(receiver);
}

bool WindowOperations::usable(QObject* receiver) const {
    if (auto* window = qobject_cast<QWindow*>(receiver))
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowHandle() == window) receiver = top;
    if (progress_ && inside(receiver, progress_.data())) return true;
    if (auto* widget = qobject_cast<QWidget*>(receiver);
        widget && widget->window()->property(kUsableWhileBusy).toBool())
        return true;
    // A question asked by the operation itself.
    QWidget* modal = QApplication::activeModalWidget();
    return modal && inside(receiver, modal);
}

bool WindowOperations::eventFilter(QObject* receiver, QEvent* event) {
    takeOver(event);
    const QEvent::Type type = event->type();
    // The stop key, from whichever window has the keyboard, whatever runs; no shortcut and no
    // field takes it first.
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->key() == kStoppKey &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        event->accept();
        if (type == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            requestStop();
        return type == QEvent::KeyPress;
    }
    if ((busy_ || background_) && !passesWhileBusy(type)) {
        if (honoured(targetOf(receiver, event))) return QObject::eventFilter(receiver, event);
        // Input is judged by when it was made: the grace's timer may be late on a loaded machine.
        if (!busy_ && pastGrace()) showBusy();
        if (busy_) {
            if (accepts(receiver)) return QObject::eventFilter(receiver, event);
            if (background_ && isAction(type)) refuse(receiver);
            return true;
        }
        // Within a background operation's grace: a shortcut is judged where the key arrives,
        // after the operation; a mere move of the pointer goes now.
        if (type != QEvent::ShortcutOverride && !isMereMove(event) && !usable(receiver))
            return hold(receiver, event);
    }
    if (!op::running() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        // A question's answer starts the operation, but the question goes with its answer: the
        // operation belongs to the window it was asked for.
        if (auto* widget = qobject_cast<QWidget*>(receiver); widget && !widget->window()->isModal())
            lastInputWindow_ = ownerOf(widget);
    }
    return QObject::eventFilter(receiver, event);
}

}  // namespace vrl::app
