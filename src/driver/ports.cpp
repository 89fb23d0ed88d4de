#include "driver/ports.h"

#include <chrono>

#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"

namespace vrl::driver {

static_assert(kFirstPort == serial::kFirstPort && kLastPort == serial::kLastPort);

std::vector<int> listPorts() {
    return serial::listPorts();
}

std::string devicePath(int port) {
    return serial::devicePath(port);
}

void setPortPath(int port, const std::string& path) {
    serial::setPortPath(port, path);
}

std::string openFailureReason(int port) {
    return serial::backend().openFailureReason(port);
}

bool openFailedInUse(int port) {
    return serial::backend().openFailedInUse(port);
}

bool portGone(int port) {
    return serial::backend().portGone(port);
}

void dropStaleInput(int port, double quietSeconds, double longestSeconds) {
    serial::Backend& line = serial::backend();
    if (line.setTimeout(port, quietSeconds) != 0) return;
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(longestSeconds);
    while (line.readByte(port) >= 0 && std::chrono::steady_clock::now() < end) {
    }
    line.flushInput(port);
}

void releaseExclusiveForExit() {
    serial::releaseExclusiveForExit();
}

}  // namespace vrl::driver
