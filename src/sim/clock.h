#pragma once

// Time source of the simulated devices. The running curve reads it, so tests can move a curve
// forward without waiting; line pacing always uses the real monotonic clock.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace sim {

using TimePoint = std::chrono::steady_clock::time_point;
using Clock = std::function<TimePoint()>;

inline Clock steadyClock() {
    return [] { return std::chrono::steady_clock::now(); };
}

// A clock that moves only when told to. Safe to advance from one thread while the serving
// thread reads it. The Clock from clock() refers to this object, which must outlive its use.
class ManualClock {
  public:
    TimePoint now() const { return TimePoint(std::chrono::nanoseconds(ns_.load())); }
    void advance(std::chrono::nanoseconds step) { ns_ += step.count(); }
    Clock clock() const {
        return [this] { return now(); };
    }

  private:
    // Starts well away from the epoch so that "no time yet" and "time zero" differ.
    std::atomic<std::int64_t> ns_{std::chrono::nanoseconds(std::chrono::hours(1)).count()};
};

}  // namespace sim
