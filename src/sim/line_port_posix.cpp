#include <cerrno>
#include <ctime>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include "sim/line_port.h"

namespace sim {

namespace {

// How long an answer may wait for room in the pseudo-terminal before it is dropped.
constexpr int kWriteStallMs = 1000;

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

class FdPort : public LinePort {
  public:
    // Takes over both descriptors; held is -1 or the pty's slave, kept open so the master
    // never sees a hang-up.
    FdPort(int fd, int held, std::string path) : fd_(fd), held_(held), path_(std::move(path)) {
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
        wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wake_ < 0) {
            const int error = errno;
            closeAll();
            errno = error;
            fail("eventfd");
        }
    }
    ~FdPort() override {
        closeAll();
        ::close(wake_);
    }

    const std::string& devicePath() const override { return path_; }

    std::ptrdiff_t read(char* buffer, std::size_t size) override {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) return errno == EINTR ? 0 : -1;
        if (fds[1].revents || !fds[0].revents) return 0;
        const ssize_t n = ::read(fd_, buffer, size);
        if (n > 0) return n;
        // No slave side open (cannot happen while it is held): an error, not a wait.
        return n < 0 && (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    }

    bool write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n > 0) {
                data += n;
                size -= static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) return false;
            // Nobody reads the other side and its queue is full: wait a while, then give up.
            pollfd fds[2] = {{fd_, POLLOUT, 0}, {wake_, POLLIN, 0}};
            if (::poll(fds, 2, kWriteStallMs) <= 0 || fds[1].revents) return false;
        }
        return true;
    }

    bool waitForWake(std::chrono::milliseconds bound) override {
        pollfd wake = {wake_, POLLIN, 0};
        return ::poll(&wake, 1, static_cast<int>(bound.count())) > 0;
    }

    void wake() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake_, &one, sizeof one);
    }

  private:
    void closeAll() {
        if (held_ >= 0) ::close(held_);
        ::close(fd_);
    }

    int fd_;
    int held_;
    int wake_ = -1;
    std::string path_;
};

// Raw bytes at the device's line settings; a pseudo-terminal keeps 8 bits without parity.
void makeRaw(int fd, bool deviceSettings) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return;
    ::cfmakeraw(&tio);
    if (deviceSettings) {
        tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CRTSCTS);
        tio.c_cflag |= CS7 | PARENB | PARODD | CLOCAL | CREAD;
    }
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(fd, TCSANOW, &tio);
}

}  // namespace

std::unique_ptr<LinePort> openPseudoTerminal() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) fail("posix_openpt");
    char name[128];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        const int error = errno;
        ::close(master);
        errno = error;
        fail("pseudo-terminal");
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave < 0 || ::tcgetattr(slave, &tio) != 0) {
        const int error = errno;
        ::close(master);
        if (slave >= 0) ::close(slave);
        errno = error;
        fail("open pseudo-terminal slave");
    }
    makeRaw(slave, false);
    return std::make_unique<FdPort>(master, slave, name);
}

std::unique_ptr<LinePort> openServedPort(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fail(name.c_str());
    if (!::isatty(fd)) {
        ::close(fd);
        errno = ENOTTY;
        fail(name.c_str());
    }
    makeRaw(fd, true);
    ::tcflush(fd, TCIOFLUSH);
    return std::make_unique<FdPort>(fd, -1, name);
}

void sleepUntil(TimePoint deadline) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    // steady_clock is CLOCK_MONOTONIC; absolute deadlines keep a long answer from drifting.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// The default slack lets every paced wake-up come up to 50 us late, which adds up over short
// exchanges.
void preferPreciseWakeups() {
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

}  // namespace sim
