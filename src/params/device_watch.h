#pragma once

// What the program has seen the device do, for the windows that follow it without asking the
// device themselves: a start it acknowledged, a status word read, a program it was told to run.
// Told by the device operations after their frames, on the thread that called them.

#include <functional>

namespace vrl::params {

struct DeviceWatch {
    std::function<void()> started;                // "start" was acknowledged
    std::function<void(int word)> status;         // a status word was read
    std::function<void(int program)> programSet;  // "Einstellen" loaded program 1..16
};

// The one watch of the program; empty members are not called.
DeviceWatch& deviceWatch();

}  // namespace vrl::params
