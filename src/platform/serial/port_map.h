#pragma once

// COM port numbers (1..256) <-> device paths. On Linux an operator or the simulator can put a
// symbolic link COM<n> in the port directory; otherwise COM 1..32 are /dev/ttyS0..31, COM 33..64
// /dev/ttyUSB0..31 and COM 65..96 /dev/ttyACM0..31. On Windows port n is \\.\COMn and the port
// list is the registry's.

#include <string>
#include <vector>

namespace serial {

// $XDG_CONFIG_HOME/tkv9d/ports, or ~/.config/tkv9d/ports; "" on Windows, which has no links.
std::string portDirectory();

// Where port n is; "" when the number has no device.
std::string devicePath(int port);

// Every port that exists: the links in the port directory, the in-process paths, and each
// default device that is a real serial port. Ascending.
std::vector<int> listPorts();

// Points port n at a path for this process only (the command line's --device, tests);
// an empty path removes the entry.
void setPortPath(int port, const std::string& path);

}  // namespace serial
