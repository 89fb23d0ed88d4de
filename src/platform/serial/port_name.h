#pragma once

// COM port names as Windows writes them, on every system: the registry's port list gives
// "COM3", a program opens "\\.\COM3" (the only form that reaches COM10 and above).

#include <optional>
#include <string>
#include <string_view>

namespace serial {

// The port number in a port list entry: "COM" and a decimal number 0..256 with an optional sign
// and white space around it ("COM10", "COM 3 "); nullopt for anything else ("COMX", "LPT1").
std::optional<int> portFromListEntry(std::string_view entry);

// "\\.\COM<n>".
std::string windowsDevicePath(int port);

}  // namespace serial
