#pragma once

// The line an end-to-end test runs on. On Linux the simulated device makes a pseudo-terminal of
// its own and the driver opens its other side. Windows has no pseudo-terminals: under Wine the
// test runner joins two COM ports with a null-modem relay and names them, the simulator's in
// TKV9D_SIM_PORT ("COM6") and the driver's in TKV9D_DRIVER_PORT ("\\.\COM5"), so the same tests
// run the Win32 serial layer against the same simulator. Wine configures a COM port anew at each
// open, which a pseudo-terminal now and then refuses while the runner restores it (see
// wine_test.py); there an open is tried again, a few times.

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "driver/vrltkv9d.h"
#include "sim/line.h"

namespace e2e {

#ifdef _WIN32
inline constexpr int kOpenTries = 20;
#else
inline constexpr int kOpenTries = 1;
#endif

inline void pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

inline std::unique_ptr<sim::Line> makeLine() {
    sim::LineOptions options;
#ifdef _WIN32
    if (const char* port = std::getenv("TKV9D_SIM_PORT")) options.portName = port;
#endif
    for (int attempt = 1;; ++attempt) {
        try {
            return std::make_unique<sim::Line>(options);
        } catch (const std::exception&) {
            if (attempt >= kOpenTries) throw;
            pause();
        }
    }
}

// A byte time-out for the line. Under Wine every byte crosses a relay and Wine's own serial
// emulation, and on a loaded machine a gap between two bytes can outlast a time-out chosen for
// a pseudo-terminal; the runner widens them (TKV9D_E2E_TIME_SCALE).
inline double timeout(double seconds) {
#ifdef _WIN32
    if (const char* scale = std::getenv("TKV9D_E2E_TIME_SCALE")) return seconds * std::atof(scale);
#endif
    return seconds;
}

inline std::string driverPath(const sim::Line& line) {
#ifdef _WIN32
    if (const char* path = std::getenv("TKV9D_DRIVER_PORT")) return path;
#endif
    return line.devicePath();
}

inline int open(int port) {
    for (int attempt = 1;; ++attempt) {
        const int code = VRLTKV9D_Open(port, 9600);
        if (code == 0 || attempt >= kOpenTries) return code;
        pause();
    }
}

}  // namespace e2e
