#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "platform/serial/system_backend.h"
#include "platform/text/translate.h"

namespace serial {

namespace {

speed_t speedFor(int baud) {
    switch (baud) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

tcflag_t characterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

// A pseudo-terminal keeps 8 data bits and no parity whatever it is told, and the C library
// reports that as EINVAL when nothing else changed. The rest of the settings must hold.
bool applySettings(int fd, const termios& wanted) {
    if (::tcsetattr(fd, TCSANOW, &wanted) == 0) return true;
    if (errno != EINVAL) return false;
    termios actual{};
    if (::tcgetattr(fd, &actual) != 0) return false;
    constexpr tcflag_t kIgnoredByPty = CSIZE | PARENB | PARODD;
    const bool holds = actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
                       actual.c_lflag == wanted.c_lflag &&
                       (actual.c_cflag & ~kIgnoredByPty) == (wanted.c_cflag & ~kIgnoredByPty) &&
                       cfgetospeed(&actual) == cfgetospeed(&wanted);
    if (!holds) errno = EINVAL;
    return holds;
}

// "major:minor:inode" as /proc/locks writes it (hexadecimal device numbers).
bool sameFile(std::string_view field, const struct stat& file) {
    unsigned devMajor = 0, devMinor = 0;
    unsigned long long inode = 0;
    const char* p = field.data();
    const char* last = p + field.size();
    auto number = [&](auto& value, int base, bool colon) {
        auto [end, ec] = std::from_chars(p, last, value, base);
        if (ec != std::errc() || (colon && (end == last || *end != ':'))) return false;
        p = colon ? end + 1 : end;
        return true;
    };
    return number(devMajor, 16, true) && number(devMinor, 16, true) && number(inode, 10, false) &&
           p == last && devMajor == major(file.st_dev) && devMinor == minor(file.st_dev) &&
           inode == file.st_ino;
}

// flock does not say who holds a lock; /proc/locks lists every lock with the process that took
// it and the locked file's device and inode. Returns 0 when no holder is listed (or visible).
pid_t lockHolder(const std::string& path) {
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) return 0;
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 4711 00:05:3 0 EOF"; waiters are marked "->".
        std::istringstream fields(line);
        std::string id, kind, mode, access, where;
        long long pid = 0;
        if (!(fields >> id >> kind) || kind == "->") continue;
        if (fields >> mode >> access >> pid >> where && pid > 0 && sameFile(where, file))
            return static_cast<pid_t>(pid);
    }
    return 0;
}

std::string processName(pid_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The descriptors this process made exclusive, for a signal handler that cannot walk the map:
// lock-free slots, -1 when free. More ports than slots are simply not released early.
constexpr std::size_t kExclusiveSlots = 8;
std::atomic<int> gExclusive[kExclusiveSlots] = {-1, -1, -1, -1, -1, -1, -1, -1};

void noteExclusive(int fd) {
    for (auto& slot : gExclusive) {
        int free = -1;
        if (slot.compare_exchange_strong(free, fd)) return;
    }
}

void forgetExclusive(int fd) {
    for (auto& slot : gExclusive) {
        int held = fd;
        slot.compare_exchange_strong(held, -1);
    }
}

class TermiosBackend : public SystemBackend {
  public:
    // A pseudo-terminal whose other side stays open (the simulator holds its slave) would stay
    // exclusive after this process has gone, and refuse every later program that is not root.
    ~TermiosBackend() override {
        for (const auto& entry : ports_) ::ioctl(entry.second.fd, TIOCNXCL);
    }

    int open(int port, const LineSettings& settings) override {
        clearFailure(port);
        gone_.erase(port);
        const std::string path = devicePath(port);
        if (failBeforeOpening(port, ports_.count(port) != 0, path, speedFor(settings.baud) != B0))
            return -1;
        // O_NONBLOCK so that opening does not wait for a modem's carrier.
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        // EBUSY: another program made the port exclusive.
        if (fd < 0) return errno == EBUSY ? failInUse(port, path) : failErrno(port, path);
        bool exclusive = false;
        auto refuse = [&](bool inUse) {
            const int saved = errno;
            // Only our own exclusive mode: root gets here past another program's.
            if (exclusive) {
                forgetExclusive(fd);
                ::ioctl(fd, TIOCNXCL);
            }
            ::close(fd);
            if (inUse) return failInUse(port, path);
            errno = saved ? saved : ENOTTY;
            return failErrno(port, path);
        };
        // The port is this program's alone, or a second program takes its share of the
        // acknowledgements and answers. The advisory lock keeps out every program of ours, root
        // included; it comes before anything touches the line, so a refused open leaves the
        // holder's queues and settings alone. TIOCEXCL then keeps out any other program that is
        // not root.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return refuse(errno == EWOULDBLOCK);
        // Root opens past another program's exclusive mode; it must not share that program's
        // line, nor clear its mode on close.
        int heldExclusive = 0;
        if (::ioctl(fd, TIOCGEXCL, &heldExclusive) == 0 && heldExclusive != 0) return refuse(true);
        if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0) return refuse(false);
        exclusive = true;
        noteExclusive(fd);
        const termios tio = makeTermios(settings);
        if (!applySettings(fd, tio)) return refuse(false);
        const int flags = ::fcntl(fd, F_GETFL);
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        ::tcflush(fd, TCIOFLUSH);
        ports_[port] = Port{fd, kDefaultTimeoutMs};
        return 0;
    }

    int close(int port) override {
        auto it = ports_.find(port);
        if (it == ports_.end()) return -1;
        // The lock goes with the descriptor; the exclusive mode stays with the terminal.
        forgetExclusive(it->second.fd);
        ::ioctl(it->second.fd, TIOCNXCL);
        const int result = ::close(it->second.fd);
        ports_.erase(it);
        return result == 0 ? 0 : -1;
    }

    int setTimeout(int port, double seconds) override {
        Port* p = find(port);
        if (!p || !(seconds >= 0.0) || seconds > 1.0e6) return -1;
        p->timeoutMs = static_cast<int>(std::lround(seconds * 1000.0));
        return 0;
    }

    int flushInput(int port) override { return flush(port, TCIFLUSH); }
    int flushOutput(int port) override { return flush(port, TCOFLUSH); }

    int write(int port, std::span<const std::uint8_t> bytes) override {
        Port* p = find(port);
        if (!p) return -1;
        std::size_t placed = 0;
        while (placed < bytes.size()) {
            const ssize_t n = ::write(p->fd, bytes.data() + placed, bytes.size() - placed);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) noteGone(port, errno);
            if (n <= 0) return placed > 0 ? static_cast<int>(placed) : -1;
            placed += static_cast<std::size_t>(n);
        }
        return static_cast<int>(placed);
    }

    // tcdrain sleeps in the kernel until the UART has sent the last bit: no busy waiting.
    int drainOutput(int port) override {
        Port* p = find(port);
        if (!p) return -1;
        while (::tcdrain(p->fd) != 0) {
            if (errno == EINTR) continue;
            noteGone(port, errno);
            return -1;
        }
        return 0;
    }

    int readByte(int port) override {
        Port* p = find(port);
        if (!p) return -1;
        pollfd pfd{p->fd, POLLIN, 0};
        for (;;) {
            const int ready = ::poll(&pfd, 1, p->timeoutMs);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return -1;
            std::uint8_t byte = 0;
            const ssize_t n = ::read(p->fd, &byte, 1);
            if (n < 0 && errno == EINTR) continue;
            // A hang-up reads as the end of input or EIO at once, never as a quiet line.
            if (n == 0 || (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) gone_.insert(port);
            if (n < 0) noteGone(port, errno);
            return n == 1 ? byte : -1;
        }
    }

    bool portGone(int port) const override { return gone_.count(port) != 0; }

  private:
    static constexpr int kDefaultTimeoutMs = 1500;

    struct Port {
        int fd;
        int timeoutMs;
    };

    Port* find(int port) {
        auto it = ports_.find(port);
        return it == ports_.end() ? nullptr : &it->second;
    }

    int flush(int port, int queue) {
        Port* p = find(port);
        if (!p) return -1;
        if (::tcflush(p->fd, queue) == 0) return 0;
        noteGone(port, errno);
        return -1;
    }

    // The errors a vanished device gives, on a USB adapter and on a pseudo-terminal alike.
    void noteGone(int port, int error) {
        if (error == EIO || error == ENXIO || error == ENODEV) gone_.insert(port);
    }

    int failInUse(int port, const std::string& path) {
        std::string reason = path + VRL_TR("serial port", " ist belegt");
        if (const pid_t holder = lockHolder(path); holder > 0) {
            reason += VRL_TR("serial port", " von Prozess ") + std::to_string(holder);
            if (const std::string name = processName(holder); !name.empty())
                reason += " (" + name + ")";
        }
        return fail(port, reason, true);
    }

    int failErrno(int port, const std::string& path) {
        std::string reason = path + ": " + std::strerror(errno);
        if (errno == EACCES || errno == EPERM)
            reason += " (the user may need to be in the group that owns the port, often dialout)";
        return fail(port, reason);
    }

    std::map<int, Port> ports_;
    std::set<int> gone_;
};

TermiosBackend gTermios;
Backend* gBackend = nullptr;

}  // namespace

termios makeTermios(const LineSettings& settings) {
    termios tio{};
    // Raw: no input mapping, no output processing, no echo, no signals.
    tio.c_iflag = settings.parity == Parity::None ? 0 : INPCK;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag = CREAD | CLOCAL | characterSize(settings.dataBits);
    if (settings.parity != Parity::None) tio.c_cflag |= PARENB;
    if (settings.parity == Parity::Odd) tio.c_cflag |= PARODD;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    // No handshake: CRTSCTS stays off, and IXON/IXOFF are not in c_iflag.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = speedFor(settings.baud);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    return tio;
}

Backend& backend() {
    return gBackend ? *gBackend : gTermios;
}
void setBackend(Backend* replacement) {
    gBackend = replacement;
}

void releaseExclusiveForExit() {
    for (auto& slot : gExclusive) {
        const int fd = slot.load();
        if (fd >= 0) ::ioctl(fd, TIOCNXCL);
    }
}

}  // namespace serial
