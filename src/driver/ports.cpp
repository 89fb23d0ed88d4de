#include "driver/ports.h"

#include <chrono>

#include "driver/transaction.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/port_map.h"
#include "platform/serial/port_name.h"
#include "platform/serial/serial.h"

namespace vrl::driver {

static_assert(kFirstPort == serial::kFirstPort && kLastPort == serial::kLastPort);

std::optional<int> portFromArgument(std::string_view text) {
    return serial::portFromArgument(text);
}

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

int reopenAndIdentify(int port, char address, double timeout, std::string& id) {
    id.clear();
    int code = VRLTKV9D_Open(port, kBaudRate);
    if (code != 0) return code;
    dropStaleInput(port, kQuietLine, timeout);
    code = VRLTKV9D_Timeout(port, timeout);
    if (code == 0 && address != kCommonAddress) code = VRLTKV9D_IDLesen(port, address, id);
    if (code != 0) VRLTKV9D_Close(port);
    return code;
}

void releaseExclusiveForExit() {
    serial::releaseExclusiveForExit();
}

}  // namespace vrl::driver
