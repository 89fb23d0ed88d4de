#pragma once

// What the layers above need to know of the serial ports, without reaching into the serial
// layer: which ports there are, where a port is, why its open failed, whether it went away.
// Everything else of a port goes through the device commands.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrl::driver {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 256;

// The port an operator names: "5", "COM5" in any case, on Windows also "\\.\COM5"; 1..256.
std::optional<int> portFromArgument(std::string_view text);

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

// Throws away what arrives on a port just opened until the line has been quiet for
// `quietSeconds` (at most `longestSeconds` in all): an answer to a frame that an ended program
// sent last must not be taken for the answer to the first frame of this one. Leaves the port's
// read time-out at `quietSeconds`; the caller sets its own after it.
void dropStaleInput(int port, double quietSeconds, double longestSeconds);

// Long enough for the longest frame to reach the device at 9600 baud and its acknowledgement
// to come back; a line quiet for that long holds nothing of an earlier program.
constexpr double kQuietLine = 0.05;  // [s]

// Opens a port that went away once it is back, with the time-out [s], drops what an earlier
// program left on the line, and asks the device at the address who it is: 0 with its
// identification in `id`, or the failing code with the port left closed. A port that is there
// but leads elsewhere is no reconnect, so the caller checks `id`. The common address gets no
// answer; the port counts as back once it opens.
int reopenAndIdentify(int port, char address, double timeout, std::string& id);

// For a signal handler that ends the process at once: lets the next program open the ports
// this one holds. Async-signal-safe.
void releaseExclusiveForExit();

}  // namespace vrl::driver
