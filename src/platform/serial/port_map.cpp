#include "platform/serial/port_map.h"
#include "platform/serial/process_ports.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <system_error>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/serial/serial.h"

namespace serial {

namespace fs = std::filesystem;

namespace {

struct DefaultRange {
    int firstPort;
    const char* prefix;
};
constexpr DefaultRange kDefaults[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
constexpr int kDefaultRangeSize = 32;

std::string defaultPath(int port) {
    for (const auto& range : kDefaults) {
        if (port >= range.firstPort && port < range.firstPort + kDefaultRangeSize)
            return range.prefix + std::to_string(port - range.firstPort);
    }
    return {};
}

std::string linkPath(int port) {
    return portDirectory() + "/COM" + std::to_string(port);
}

// "COM12" -> 12; anything else -> 0.
int portFromLinkName(const std::string& name) {
    if (name.size() < 4 || name.compare(0, 3, "COM") != 0) return 0;
    int port = 0;
    const char* first = name.data() + 3;
    const char* last = name.data() + name.size();
    auto [end, ec] = std::from_chars(first, last, port);
    if (ec != std::errc() || end != last || port < kFirstPort || port > kLastPort) return 0;
    return port;
}

// The kernel creates /dev/ttyS0..31 whether or not a UART sits behind them; only a port with a
// known UART type is a real one.
bool isRealSerialPort(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return false;
    if (path.rfind("/dev/ttyS", 0) != 0) return true;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    serial_struct info{};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

}  // namespace

std::string portDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    return base + "/tkv9d/ports";
}

std::string devicePath(int port) {
    if (port < kFirstPort || port > kLastPort) return {};
    if (auto path = processPortPath(port)) return *path;
    const std::string link = linkPath(port);
    std::error_code ec;
    if (fs::is_symlink(link, ec) || fs::exists(link, ec)) return link;
    return defaultPath(port);
}

std::vector<int> listPorts() {
    std::vector<int> ports;
    std::error_code ec;
    for (fs::directory_iterator it(portDirectory(), ec), end; !ec && it != end; it.increment(ec)) {
        if (int port = portFromLinkName(it->path().filename().string())) ports.push_back(port);
    }
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const std::string path = defaultPath(port);
        if (!path.empty() && isRealSerialPort(path)) ports.push_back(port);
    }
    finishPortList(ports);
    return ports;
}

}  // namespace serial
