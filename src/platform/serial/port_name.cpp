#include "platform/serial/port_name.h"

#include <cctype>
#include <charconv>

#include "platform/blank.h"
#include "platform/serial/serial.h"

namespace serial {

using platform::isBlank;

namespace {

// Removes the prefix, in any case, when the text begins with it.
bool takePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace

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

std::optional<int> portFromArgument(std::string_view text, bool deviceForm) {
    const bool device = deviceForm && takePrefix(text, "\\\\.\\");
    if (!takePrefix(text, "COM") && device) return std::nullopt;
    // Digits alone: no sign, no blank, no base prefix, which from_chars would let through.
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc() || end != text.data() + text.size() || port < kFirstPort ||
        port > kLastPort)
        return std::nullopt;
    return port;
}

std::string windowsDevicePath(int port) {
    return "\\\\.\\COM" + std::to_string(port);
}

}  // namespace serial
