#pragma once

// The simulator's end of the line. On Linux it makes a pseudo-terminal whose other side a
// program opens like a serial port; on Windows, which has no pseudo-terminals, it serves a COM
// port that exists (one end of a null-modem pair). Either can serve a given serial port.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "sim/clock.h"

namespace sim {

class LinePort {
  public:
    virtual ~LinePort() = default;

    // What a program opens to reach the simulated devices.
    virtual const std::string& devicePath() const = 0;
    // Waits for bytes: how many it put in the buffer; 0 when nothing came meanwhile (wake()
    // was called, or a read's time ran out); -1 when the port failed.
    virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
    // Sends every byte; waits a bounded while when nobody reads the other side. false when
    // the bytes could not all go, or wake() came meanwhile.
    virtual bool write(const char* data, std::size_t size) = 0;
    // true when wake() has been called, waiting for it at most the bound.
    virtual bool waitForWake(std::chrono::milliseconds bound) = 0;
    // Ends every wait, now and later: the line shuts down.
    virtual void wake() = 0;
};

// A new pseudo-terminal; std::system_error where there is none (Windows).
std::unique_ptr<LinePort> openPseudoTerminal();
// A serial port that exists: a device path, or on Windows also "COM<n>".
std::unique_ptr<LinePort> openServedPort(const std::string& name);

// Sleeps until the deadline, as exactly as the system's timers allow.
void sleepUntil(TimePoint deadline);
// Asks the system for wake-ups on time rather than gathered up (the pacing needs them).
void preferPreciseWakeups();

}  // namespace sim
