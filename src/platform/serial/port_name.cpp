#include "platform/serial/port_name.h"

#include <charconv>

#include "platform/blank.h"

namespace serial {

using platform::isBlank;

std::optional<int> portFromListEntry(std::string_view entry) {
    if (entry.substr(0, 3) != "COM") return std::nullopt;
    std::string_view number = entry.substr(3);
    while (!number.empty() && isBlank(number.front())) number.remove_prefix(1);
    while (!number.empty() && isBlank(number.back())) number.remove_suffix(1);
    // from_chars takes a minus sign but no plus sign.
    if (number.size() > 1 && number.front() == '+' && number[1] != '-' && number[1] != '+')
        number.remove_prefix(1);
    int port = 0;
    const char* last = number.data() + number.size();
    const auto [end, ec] = std::from_chars(number.data(), last, port);
    if (number.empty() || ec != std::errc() || end != last || port < 0 || port > 256)
        return std::nullopt;
    return port;
}

std::string windowsDevicePath(int port) {
    return "\\\\.\\COM" + std::to_string(port);
}

}  // namespace serial
