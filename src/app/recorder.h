#pragma once

// The status window's recording of the device's actual current and voltage: switched on by
// "Messwerte aufzeichnen", one read of both values per period (0.2 to 5 s), plotted over time
// with the programmed curve as a faint reference once a start was seen, and saved as CSV or PNG.
//
// Each read is a background operation like the status poll, and the operator's input meanwhile
// is kept for after it. A tick that falls into another operation is read as soon as that has
// ended (late, stamped with the time of its read); a tick that comes while an earlier one still
// waits for the line or is on it is missed, and so is each tick the timer could not deliver
// while the program's thread was held up; a tick the timer then delivers to catch up, within half
// a period of the one missed last, is that same tick and not counted again. A failed read is a
// gap in the recording (no values in the CSV, a mark in the plot); five in a row end it. The
// status poll and its frames are not touched.

#include <QDateTime>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vrl::app {

struct Sample {
    double time;     // [s] since the recording was switched on
    double current;  // [A], NaN for a failed read
    double voltage;  // [V], NaN for a failed read
};

// A tick of the period that brought no reading: the line was busy for the whole period (a
// silent device's time-out, a long transfer), or the port was gone and the recording paused.
enum class MissedBecause { LineBusy, PortGone };
struct MissedTick {
    double time;  // [s] since the recording was switched on
    MissedBecause because;
};

// Plain: "time_s,current_A,voltage_V", then one line a sample; times to the millisecond, values
// in the shortest form that reads back the same, point before the decimals whatever the locale.
// German: what a German spreadsheet opens as it stands: UTF-8 with a byte order mark, ";"
// between the fields, a decimal comma. In both a failed read has its time and empty values,
// and a missed tick is a comment line ("# 1.4 ausgelassen: Leitung belegt") in time order.
enum class CsvForm { Plain, German };
std::string recordingCsv(std::span<const Sample> samples, std::span<const MissedTick> missed = {},
                         CsvForm form = CsvForm::Plain);

class MeasurementRecorder : public QWidget {
    Q_OBJECT

  public:
    static constexpr double kShortestPeriod = 0.2;  // [s]
    static constexpr double kLongestPeriod = 5.0;   // [s]
    static constexpr double kDefaultPeriod = 1.0;   // [s]
    // Corner points of the reference beyond which it is not drawn on (a short cycle repeated
    // for an hour would be a solid block anyway).
    static constexpr int kMostReferencePoints = 20000;

    explicit MeasurementRecorder(QWidget* parent = nullptr);
    ~MeasurementRecorder() override;

    // Seconds on a clock of the caller's choice; tests move it by hand.
    void setClock(std::function<double()> seconds);

    // Failed reads in a row that end a recording.
    static constexpr int kFailuresToStop = 5;
    // [ms] between tries of a reading whose tick fell into another operation.
    static constexpr int kRetryPeriod = 10;

    // Switching on starts a new recording; switching off keeps it for saving. A recording not
    // saved is not dropped without a question.
    void setRecording(bool on);
    bool isRecording() const;
    // One timer tick: one read of current and voltage. Every tick of the period is accounted
    // for: read, failed, or missed (while a reading still waits for the line, or the recording
    // is paused); ticks the timer could not deliver at all count as missed too.
    void tick();
    // While the port is gone the recording goes on without reading: each tick is missed, and
    // the lines break there.
    void setPaused(bool paused);
    bool isPaused() const { return paused_; }
    // Appends one sample to the recording, and to the plot with the next redraw.
    void append(const Sample& sample);
    // Draws what was appended since the last redraw; the plot does so by itself at most every
    // kRedrawPeriod.
    void flush();
    static constexpr int kRedrawPeriod = 100;  // [ms]

    const std::vector<Sample>& samples() const { return samples_; }
    // Readings taken late because their tick fell into another operation.
    int lateTicks() const { return late_; }
    int failedReads() const { return failed_; }
    const std::vector<MissedTick>& missedTicks() const { return missed_; }
    QString countText() const;
    // Above the saved picture: when the recording began and its period.
    QString exportTitle() const;

    bool saveCsv(const QString& path, CsvForm form = CsvForm::Plain);
    bool savePng(const QString& path);
    void askAndSaveCsv();
    void askAndSavePng();

    QPushButton* toggle() const { return toggle_; }
    QDoubleSpinBox* period() const { return period_; }
    QTimer* timer() const { return timer_; }
    // A failed read is a NaN in the current and voltage: a gap in their lines.
    QCPGraph* currentSeries() const { return current_; }
    QCPGraph* voltageSeries() const { return voltage_; }
    QCPGraph* referenceSeries() const { return reference_; }
    QCPGraph* gapSeries() const { return gaps_; }
    QCustomPlot* view() const { return view_; }

  private:
    double now() const;
    // The plot's axes, legend and graphs' looks, once; its data cleared for a new recording.
    void setUpPlot();
    void clearPlot();
    // No reading at `at`: the lines of the readings break there.
    void breakLines(double at);
    // The reading of the tick that waits for the line, once it is free.
    void readPending();
    void miss(double at, MissedBecause because);
    // Whether the last recording may be replaced: saved, empty, or the operator says so.
    bool mayDropRecording();
    void startSeen(double at);
    void statusSeen(int word);
    void extendReference(double until);
    void showGapsInLegend(bool shown);
    // Whether samples came since the last redraw.
    bool pending_ = false;
    std::size_t shownSamples_ = 0;  // samples the axes have been fitted to

    std::function<double()> clock_;
    double origin_ = 0.0;              // [s] on the clock: time 0 of the recording
    std::optional<double> startedAt_;  // [s] on the clock: the last start seen
    bool runningSeen_ = false;         // the last status word said the curve runs
    int entry_ = 0;                    // the table entry the device runs
    std::vector<Sample> samples_;
    QDateTime startedOn_ = QDateTime::currentDateTime();
    bool saved_ = true;         // samples_ are in a file, or there are none
    bool retrying_ = false;     // a reading waits for another operation's end
    bool pendingRead_ = false;  // a tick's reading has not begun yet
    bool reading_ = false;      // a reading is on the line
    bool paused_ = false;
    std::optional<double> lastTick_;  // [s] recording time of the last timer tick
    bool lastTickMissed_ = false;     // that tick found the line busy or the port gone
    std::vector<MissedTick> missed_;
    int late_ = 0;
    int failed_ = 0;
    int failedInRow_ = 0;

    // The reference: one cycle's corner points [s, A], repeated as the recording goes on.
    std::vector<QPointF> cycle_;
    double cycleTime_ = 0.0;     // [s]
    int cyclesLeft_ = 0;         // -1 unlimited
    double referenceEnd_ = 0.0;  // [s] recording time the reference reaches

    QPushButton* toggle_;
    QDoubleSpinBox* period_;
    QPushButton* csv_;
    QPushButton* png_;
    QTimer* timer_;
    QTimer* redraw_;
    QCustomPlot* view_;
    QCPAxis* time_;
    QCPAxis* ampere_;
    QCPAxis* volt_;
    QCPGraph* reference_;
    QCPGraph* current_;
    QCPGraph* voltage_;
    QCPGraph* gaps_;
    QLabel* count_;
    QTimer* retry_;
};

}  // namespace vrl::app
