#pragma once

// The protocol trace in the program: a window that lists every transaction on the line as it
// happens, for the service technician who must find out why a device "does not answer".
//
// The records come from the driver's trace hook on the line's worker thread. There they are only
// put into a buffer under a lock; the window takes them over in batches on its own thread. The
// hook is installed only while the window is shown, so a closed window costs the line nothing.

#include <QAbstractTableModel>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "connection/trace.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace vrl::app {

// The latest records, oldest first, at most `capacity` of them; with only failures shown, the
// rows are the failed ones among those kept.
class TraceModel : public QAbstractTableModel {
  public:
    enum Column { Zeit, Port, Adresse, Gesendet, Quittung, Antwort, Dauer, Ergebnis, kColumns };

    explicit TraceModel(std::size_t capacity, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Adds records at the end; beyond the capacity the oldest go.
    void append(std::vector<com::TraceRecord> records);
    void clear();
    void setOnlyFailures(bool only);

    // The record a row shows.
    const com::TraceRecord& recordAt(int row) const;
    std::size_t kept() const { return records_.size(); }

  private:
    std::size_t capacity_;
    std::deque<com::TraceRecord> records_;
    std::uint64_t first_ = 0;             // the running number of records_.front()
    std::deque<std::uint64_t> failures_;  // running numbers of the failed records kept
    bool onlyFailures_ = false;
};

class TraceWindow : public QWidget {
  public:
    static constexpr std::size_t kKept = 10000;
    static constexpr int kTakePeriod = 200;  // [ms] between two batches taken into the list

    explicit TraceWindow(QWidget* owner);
    ~TraceWindow() override;

    TraceModel& model() { return *model_; }
    // Takes the records that arrived since the last batch into the list.
    void takeRecords();

    // The controls, for tests.
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* saveButton() const { return save_; }
    QCheckBox* onlyFailuresBox() const { return onlyFailures_; }
    QLabel* stateLabel() const { return state_; }
    QTableView* view() const { return view_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    class Collector;

    void install(bool on);
    void togglePause();
    void save();
    void showState();

    std::unique_ptr<Collector> collector_;
    TraceModel* model_;
    QTableView* view_;
    QPushButton* pause_;
    QPushButton* clear_;
    QPushButton* save_;
    QCheckBox* onlyFailures_;
    QLabel* state_;
    QTimer* timer_;
    bool installed_ = false;
};

// The trace window that belongs to `owner`, nullptr before it was first shown.
TraceWindow* traceWindowOf(QWidget* owner);

// Shows the trace window that belongs to `owner` (made on first use as its own window, going
// with the owner) and brings it to the front.
TraceWindow* showTraceWindow(QWidget* owner);

}  // namespace vrl::app
