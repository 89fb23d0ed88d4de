#include "app/trace_window.h"

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>

#include "app/busy.h"
#include "app/fenster.h"
#include "connection/operation.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "platform/files/replace_file.h"
#include "platform/text/translate.h"

namespace vrl::app {

namespace {

// Saving the list failed: "Fehler beim Schreiben auf Datei".
constexpr int kSaveFailed = -301601;

QString text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A time or a duration as the trace file has it ("12:34:56.789", "0.4 ms") in the operator's
// format: the file keeps its point, the window shows the locale's decimal separator.
QString onScreen(const std::string& fileText) {
    return text(fileText).replace(u'.', QLocale().decimalPoint());
}

}  // namespace

// ---- the records kept

TraceModel::TraceModel(std::size_t capacity, QObject* parent)
    : QAbstractTableModel(parent), capacity_(capacity) {}

int TraceModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(onlyFailures_ ? failures_.size() : records_.size());
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

const com::TraceRecord& TraceModel::recordAt(int row) const {
    const auto at = static_cast<std::size_t>(row);
    return records_[onlyFailures_ ? static_cast<std::size_t>(failures_[at] - first_) : at];
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const com::TraceRecord& record = recordAt(index.row());
    if (role == Qt::ForegroundRole)
        return record.outcome != 0 ? QVariant(QBrush(QColor(0xB0, 0x00, 0x00))) : QVariant();
    if (role == Qt::TextAlignmentRole && index.column() == Dauer)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    // Formatted when a row comes into view: most of the 10,000 never do.
    switch (index.column()) {
        case Zeit:
            return onScreen(com::traceTimeText(record.time));
        case Port:
            return QStringLiteral("COM %1").arg(record.port);
        case Adresse:
            return text(com::readableBytes(std::string_view(&record.address, 1)));
        case Gesendet:
            return text(com::readableBytes(record.frame));
        // The log line's "keine" and "Fehler #" are a file format; the cells speak the
        // operator's language.
        case Quittung:
            return record.acknowledgement < 0
                       ? QCoreApplication::translate("Protokoll", "keine")
                       : text(com::acknowledgementText(record.acknowledgement));
        case Antwort:
            return record.answer.empty() ? QCoreApplication::translate("Protokoll", "keine")
                                         : text(com::answerText(record.answer));
        case Dauer:
            return onScreen(com::durationText(record.duration));
        case Ergebnis:
            return record.outcome == 0
                       ? QStringLiteral("0")
                       : QCoreApplication::translate("Protokoll", "Fehler #%1: %2")
                             .arg(-static_cast<long long>(record.outcome))
                             .arg(text(vrl::messages().text(record.outcome)).replace(u'\n', u' '));
        default:
            return {};
    }
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[kColumns] = {
        QT_TRANSLATE_NOOP("Protokoll", "Zeit"),     QT_TRANSLATE_NOOP("Protokoll", "Port"),
        QT_TRANSLATE_NOOP("Protokoll", "Adresse"),  QT_TRANSLATE_NOOP("Protokoll", "Gesendet"),
        QT_TRANSLATE_NOOP("Protokoll", "Quittung"), QT_TRANSLATE_NOOP("Protokoll", "Antwort"),
        QT_TRANSLATE_NOOP("Protokoll", "Dauer"),    QT_TRANSLATE_NOOP("Protokoll", "Ergebnis"),
    };
    return section >= 0 && section < kColumns
               ? QCoreApplication::translate("Protokoll", kTitles[section])
               : QVariant();
}

void TraceModel::append(std::vector<com::TraceRecord> records) {
    if (records.size() > capacity_)
        records.erase(records.begin(),
                      records.begin() + static_cast<std::ptrdiff_t>(records.size() - capacity_));
    if (records.empty()) return;

    // The oldest make room first, as one removal of the rows that show them.
    const std::size_t total = records_.size() + records.size();
    if (total > capacity_) {
        const std::size_t excess = total - capacity_;
        const std::uint64_t end = first_ + excess;
        std::size_t failuresGone = 0;
        while (failuresGone < failures_.size() && failures_[failuresGone] < end) ++failuresGone;
        const std::size_t rowsGone = onlyFailures_ ? failuresGone : excess;
        if (rowsGone > 0) beginRemoveRows({}, 0, static_cast<int>(rowsGone) - 1);
        records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(excess));
        failures_.erase(failures_.begin(),
                        failures_.begin() + static_cast<std::ptrdiff_t>(failuresGone));
        first_ = end;
        if (rowsGone > 0) endRemoveRows();
    }

    const auto shown = onlyFailures_
                           ? std::count_if(records.begin(), records.end(),
                                           [](const com::TraceRecord& r) { return r.outcome != 0; })
                           : static_cast<std::ptrdiff_t>(records.size());
    const int row = rowCount();
    if (shown > 0) beginInsertRows({}, row, row + static_cast<int>(shown) - 1);
    std::uint64_t number = first_ + records_.size();
    for (auto& record : records) {
        if (record.outcome != 0) failures_.push_back(number);
        records_.push_back(std::move(record));
        ++number;
    }
    if (shown > 0) endInsertRows();
}

void TraceModel::clear() {
    beginResetModel();
    first_ += records_.size();
    records_.clear();
    failures_.clear();
    endResetModel();
}

void TraceModel::setOnlyFailures(bool only) {
    if (only == onlyFailures_) return;
    beginResetModel();
    onlyFailures_ = only;
    endResetModel();
}

// ---- what the line's worker thread hands over

class TraceWindow::Collector : public com::TraceSink {
  public:
    // On the worker thread: a copy into the buffer, nothing more.
    void record(const com::TraceRecord& record) override {
        if (paused_.load(std::memory_order_relaxed)) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        // Should the window's thread fall behind, the buffer keeps no more than the list would.
        if (pending_.size() >= 2 * kKept)
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(kKept));
        pending_.push_back(record);
    }

    std::vector<com::TraceRecord> take() {
        std::vector<com::TraceRecord> taken;
        std::lock_guard<std::mutex> lock(mutex_);
        taken.swap(pending_);
        return taken;
    }

    void pause(bool on) {
        if (!on) dropped_ = 0;
        paused_ = on;
    }
    bool paused() const { return paused_; }
    std::size_t dropped() const { return dropped_; }

  private:
    std::mutex mutex_;
    std::vector<com::TraceRecord> pending_;
    std::atomic<bool> paused_{false};
    std::atomic<std::size_t> dropped_{0};
};

// ---- the window

TraceWindow::TraceWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      collector_(std::make_unique<Collector>()),
      model_(new TraceModel(kKept, this)),
      view_(new QTableView(this)),
      pause_(new QPushButton(QCoreApplication::translate("Protokoll", "Anhalten"), this)),
      clear_(new QPushButton(QCoreApplication::translate("Protokoll", "Leeren"), this)),
      save_(new QPushButton(QCoreApplication::translate("Protokoll", "Speichern..."), this)),
      onlyFailures_(new QCheckBox(QCoreApplication::translate("Protokoll", "Nur Fehler"), this)),
      state_(new QLabel(this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TRACEWINDOW"));
    setWindowTitle(QCoreApplication::translate("Protokoll", "Schnittstellenprotokoll"));
    setUsableWhileBusy(this);
    save_->setToolTip(QCoreApplication::translate(
        "Protokoll",
        "Speichert die angezeigten Übertragungen als Textdatei, eine Zeile je Übertragung"));

    view_->setModel(model_);
    view_->setAccessibleName(QCoreApplication::translate("Protokoll", "Schnittstellenprotokoll"));
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the usual contents (a transaction that waits out the time-out takes over
    // a second), and never narrower than the heading in the operator's language
    // ("Acknowledgement" is twice "Quittung").
    const int duration = view_->fontMetrics().horizontalAdvance(QStringLiteral("99999.9 ms")) + 12;
    const int widths[] = {190, 60, 60, 160, 70, 220, duration};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        view_->setColumnWidth(
            column, std::max(widths[column], view_->horizontalHeader()->sectionSizeHint(column)));

    auto* controls = new QHBoxLayout;
    controls->addWidget(pause_);
    controls->addWidget(clear_);
    controls->addWidget(onlyFailures_);
    controls->addWidget(save_);
    controls->addSpacing(12);
    controls->addWidget(state_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_);
    resize(1100, 500);

    QObject::connect(pause_, &QPushButton::clicked, this, [this] { togglePause(); });
    QObject::connect(clear_, &QPushButton::clicked, this, [this] {
        takeRecords();
        model_->clear();
        showState();
    });
    QObject::connect(onlyFailures_, &QCheckBox::toggled, this, [this](bool on) {
        model_->setOnlyFailures(on);
        view_->scrollToBottom();
        showState();
    });
    QObject::connect(save_, &QPushButton::clicked, this, [this] { save(); });
    timer_->setInterval(kTakePeriod);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { takeRecords(); });
    showState();
}

TraceWindow::~TraceWindow() {
    install(false);
}

void TraceWindow::install(bool on) {
    if (on == installed_) return;
    // Removing waits until the worker thread has left the collector.
    com::setTraceSink(on ? collector_.get() : nullptr);
    installed_ = on;
    if (on)
        timer_->start();
    else
        timer_->stop();
}

void TraceWindow::showEvent(QShowEvent* event) {
    install(true);
    QWidget::showEvent(event);
}

void TraceWindow::hideEvent(QHideEvent* event) {
    // Minimised, the window goes on collecting; closed, it stops.
    if (!event->spontaneous()) {
        install(false);
        takeRecords();
    }
    QWidget::hideEvent(event);
}

void TraceWindow::takeRecords() {
    std::vector<com::TraceRecord> records = collector_->take();
    if (!records.empty()) {
        // Follows the newest rows unless the technician has scrolled away from them.
        const QScrollBar* bar = view_->verticalScrollBar();
        const bool following = bar->value() == bar->maximum();
        model_->append(std::move(records));
        if (following) view_->scrollToBottom();
    }
    // The file dialog would hold up a running operation until it is closed.
    save_->setEnabled(!op::busy());
    showState();
}

void TraceWindow::togglePause() {
    if (!collector_->paused()) takeRecords();
    collector_->pause(!collector_->paused());
    pause_->setText(collector_->paused() ? QCoreApplication::translate("Protokoll", "Fortsetzen")
                                         : QCoreApplication::translate("Protokoll", "Anhalten"));
    showState();
}

void TraceWindow::showState() {
    const QLocale locale;
    const QString state =
        collector_->paused()
            ? QCoreApplication::translate(
                  "Protokoll", "Angehalten: neue Übertragungen werden verworfen, bisher %1.")
                  .arg(locale.toString(static_cast<qulonglong>(collector_->dropped())))
            : QCoreApplication::translate("Protokoll",
                                          "%1 Übertragungen, %2 angezeigt; die letzten %3 bleiben.")
                  .arg(locale.toString(static_cast<qulonglong>(model_->kept())),
                       locale.toString(model_->rowCount()),
                       locale.toString(static_cast<qulonglong>(kKept)));
    // Every tick of the timer comes here; the label repaints only when its text changes.
    if (state != state_->text()) state_->setText(state);
}

void TraceWindow::save() {
    if (op::busy()) return;
    takeRecords();
    const auto path =
        popups().selectFile(Popups::FileMode::Save,
                            VRL_TR("Protokoll", "Schnittstellenprotokoll speichern"), "", "*.txt");
    if (!path) return;
    std::string lines;
    lines.reserve(static_cast<std::size_t>(model_->rowCount()) * 160);
    for (int row = 0; row < model_->rowCount(); ++row) {
        lines += com::traceLine(model_->recordAt(row));
        lines += '\n';
    }
    if (!files::replaceFile(*path, lines)) VRL_Fehlerpopup(kSaveFailed);
}

TraceWindow* traceWindowOf(QWidget* owner) {
    // Not a Q_OBJECT class: qobject_cast cannot tell it from any other widget.
    for (QObject* child : owner->children())
        if (auto* window = dynamic_cast<TraceWindow*>(child)) return window;
    return nullptr;
}

TraceWindow* showTraceWindow(QWidget* owner) {
    TraceWindow* window = traceWindowOf(owner);
    if (!window) {
        window = new TraceWindow(owner);
        // Beside its owner, and within the owner's screen with its frame.
        if (QScreen* screen = owner->screen())
            window->setGeometry(Fenster_AufBildschirm(
                QRect(owner->geometry().topLeft() + QPoint(40, 40), window->size()),
                screen->availableGeometry()));
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace vrl::app
