#pragma once

// What the layers above need to know of the serial ports, without reaching into the serial
// layer: which ports there are, where a port is, why its open failed, whether it went away.
// Everything else of a port goes through the device commands.

#include <string>
#include <vector>

namespace vrl::driver {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 256;

// Every port that exists, ascending.
std::vector<int> listPorts();

// Where port n is; "" when the number has no device.
std::string devicePath(int port);

// Points port n at a path for this process only (the command line's --device); an empty path
// removes the entry.
void setPortPath(int port, const std::string& path);

// Why the last open of this port failed, in words for an operator ("" if unknown), and whether
// it failed because another program holds the port.
std::string openFailureReason(int port);
bool openFailedInUse(int port);

// Whether the port went away while open (adapter unplugged), not a device that is silent.
bool portGone(int port);

// Opens a port that went away once it is back, with the time-out [s], and asks the device at
// the address who it is: 0 with its identification in `id`, or the failing code with the port
// left closed. A port that is there but leads elsewhere is no reconnect, so the caller checks
// `id`. The common address gets no answer; the port counts as back once it opens.
int reopenAndIdentify(int port, char address, double timeout, std::string& id);

// For a signal handler that ends the process at once: lets the next program open the ports
// this one holds. Async-signal-safe.
void releaseExclusiveForExit();

}  // namespace vrl::driver
