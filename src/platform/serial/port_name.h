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

// Windows users name a port in its device form too; elsewhere such a text is a file name.
#ifdef _WIN32
inline constexpr bool kDeviceFormNamesPort = true;
#else
inline constexpr bool kDeviceFormNamesPort = false;
#endif

// The port an operator names on a command line, 1..256: its number ("5"), its name in any case
// ("COM5", "com5") and, with deviceForm, the device form ("\\.\COM10"). nullopt for anything
// else, a path such as /dev/ttyUSB0 among it.
std::optional<int> portFromArgument(std::string_view text, bool deviceForm = kDeviceFormNamesPort);

}  // namespace serial
