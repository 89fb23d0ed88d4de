// The recording's ticks: every tick of the period becomes a reading, a failed read or a missed
// tick, and a reading waits for the line while another operation holds it.

#include <QDoubleSpinBox>
#include <QTimer>
#include <cmath>
#include <limits>

#include "app/recorder.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "params/tkvcom.h"
#include "platform/text/translate.h"

namespace vrl::app {

void MeasurementRecorder::tick() {
    if (!isRecording()) return;
    const double at = now() - origin_;
    // The timer delivers no tick while the program's thread is held up; what it left out is
    // counted from the clock.
    const double period = period_->value();
    if (lastTick_) {
        // After the line was held up, the timer may catch up with a tick soon after the one
        // missed last: that is the same period again, not one more to account for.
        if (lastTickMissed_ && at - *lastTick_ < period / 2) return;
        const long lost = std::lround((at - *lastTick_) / period) - 1;
        for (long k = 1; k <= lost; ++k) miss(*lastTick_ + k * period, MissedBecause::LineBusy);
    }
    lastTick_ = at;
    lastTickMissed_ = true;
    // The adapter is away: the recording pauses, its ticks missed, and goes on once the port
    // is back; failures before the pause do not count towards its end.
    if (paused_ || VrlCom_Getrennt()) {
        miss(at, MissedBecause::PortGone);
        failedInRow_ = 0;
        return;
    }
    // The reading of an earlier tick still waits for the line or is on it: this tick has
    // no line left in its period.
    if (pendingRead_ || reading_) {
        miss(at, MissedBecause::LineBusy);
        return;
    }
    lastTickMissed_ = false;
    pendingRead_ = true;
    readPending();
}

void MeasurementRecorder::setPaused(bool paused) {
    paused_ = paused;
    if (paused && pendingRead_) {
        pendingRead_ = false;
        retrying_ = false;
        retry_->stop();
        miss(now() - origin_, MissedBecause::PortGone);
    }
}

void MeasurementRecorder::miss(double at, MissedBecause because) {
    missed_.push_back({at, because});
    breakLines(at);
}

void MeasurementRecorder::readPending() {
    if (!pendingRead_ || !isRecording()) return;
    // A tick that falls into another operation (mostly the status poll, which shares the period's
    // multiples) is read as soon as that has ended, stamped with the time of its read.
    const op::Operation operation(VRL_TR("Aufzeichnung", "Messwerte aufzeichnen"),
                                  op::Kind::Background);
    if (!operation.started()) {
        if (!retrying_) ++late_;
        retrying_ = true;
        retry_->start();
        return;
    }
    retrying_ = false;
    retry_->stop();
    pendingRead_ = false;
    const double at = now() - origin_;
    double current = 0.0, voltage = 0.0;
    // A failed read is on the error displays and a gap in the recording; only a line that keeps
    // failing ends it, as a failing poll ends polling.
    reading_ = true;
    const int code = TkvCom_IstwerteLesen(&current, &voltage);
    reading_ = false;
    if (code != 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        append({at, nan, nan});
        if (++failedInRow_ >= kFailuresToStop) setRecording(false);
        return;
    }
    failedInRow_ = 0;
    append({at, current, voltage});
}

}  // namespace vrl::app
