#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"

namespace {

constexpr int kPort = 42;

// The program's side of a pseudo-terminal as a serial port; the test holds the other end.
class PtyPort : public ::testing::Test {
  protected:
    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        serial::setPortPath(kPort, ::ptsname(master));
        ASSERT_EQ(port().open(kPort, serial::LineSettings{}), 0);
        ASSERT_EQ(port().setTimeout(kPort, 0.2), 0);
    }
    void TearDown() override {
        port().close(kPort);
        serial::setPortPath(kPort, "");
        ::close(master);
    }
    static serial::Backend& port() { return serial::backend(); }

    void peerSends(const std::string& bytes) {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string peerReceives(std::size_t count) {
        std::string got;
        pollfd pfd{master, POLLIN, 0};
        while (got.size() < count && ::poll(&pfd, 1, 2000) > 0) {
            char buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    int master = -1;
};

TEST_F(PtyPort, BytesPassUnchangedBothWays) {
    const std::string frame = "#1C1W1.500\r\n\x06\x15";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.data());
    EXPECT_EQ(port().write(kPort, {bytes, frame.size()}), static_cast<int>(frame.size()));
    EXPECT_EQ(port().drainOutput(kPort), 0);
    EXPECT_EQ(peerReceives(frame.size()), frame);  // no CR/LF mapping, no echo
    peerSends("\x06#1\r\n");
    for (int expected : {0x06, int('#'), int('1'), 0x0D, 0x0A})
        EXPECT_EQ(port().readByte(kPort), expected);
}

TEST_F(PtyPort, ReadTimesOutWhenNothingArrives) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_LT(port().readByte(kPort), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(150));
}

TEST_F(PtyPort, FlushDiscardsWaitingInput) {
    peerSends("stale");
    // Wait until the bytes are in the queue, then drop them.
    ASSERT_EQ(port().readByte(kPort), 's');
    EXPECT_EQ(port().flushInput(kPort), 0);
    EXPECT_EQ(port().flushOutput(kPort), 0);
    ASSERT_EQ(port().setTimeout(kPort, 0.05), 0);
    EXPECT_LT(port().readByte(kPort), 0);
}

TEST_F(PtyPort, SecondOpenOfSamePortFails) {
    EXPECT_LT(port().open(kPort, serial::LineSettings{}), 0);
    EXPECT_NE(port().openFailureReason(kPort), "");
}

// Another port number for the same device stands for a second program: the lock belongs to
// the open, not to the process.
TEST_F(PtyPort, SameDeviceUnderAnotherNumberIsInUseUntilClosed) {
    constexpr int kOther = kPort + 1;
    serial::setPortPath(kOther, ::ptsname(master));
    EXPECT_LT(port().open(kOther, serial::LineSettings{}), 0);
    EXPECT_TRUE(port().openFailedInUse(kOther));
    const std::string holder = "ist belegt von Prozess " + std::to_string(::getpid()) + " (";
    EXPECT_NE(port().openFailureReason(kOther).find(holder), std::string::npos)
        << port().openFailureReason(kOther);

    // The refused open took nothing from the holder: its bytes still arrive.
    peerSends("\x06");
    EXPECT_EQ(port().readByte(kPort), 0x06);

    ASSERT_EQ(port().close(kPort), 0);
    EXPECT_EQ(port().open(kOther, serial::LineSettings{}), 0);
    EXPECT_FALSE(port().openFailedInUse(kOther));
    EXPECT_EQ(port().close(kOther), 0);
    serial::setPortPath(kOther, "");
}

// Programs that take no lock are kept out by the terminal's exclusive mode; it must end with
// the open, because the simulator keeps the terminal itself open all the while.
TEST_F(PtyPort, TerminalIsExclusiveOnlyWhileOpen) {
    auto exclusive = [this] {
        const int fd = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return errno == EBUSY;  // refused outright: not root
        int on = 0;
        EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &on), 0);
        ::close(fd);
        return on != 0;
    };
    EXPECT_TRUE(exclusive());
    ASSERT_EQ(port().close(kPort), 0);
    EXPECT_FALSE(exclusive());
}

TEST(TermiosBackend, OpenFailuresCarryAReason) {
    struct Row {
        const char* path;
        const char* reasonPart;
    };
    const Row rows[] = {
        {"/nonexistent/tty", "No such file"}, {"/dev/null", "/dev/null"},  // not a terminal
    };
    for (const auto& row : rows) {
        serial::setPortPath(kPort, row.path);
        EXPECT_LT(serial::backend().open(kPort, serial::LineSettings{}), 0) << row.path;
        EXPECT_NE(serial::backend().openFailureReason(kPort).find(row.reasonPart),
                  std::string::npos)
            << serial::backend().openFailureReason(kPort);
    }
    serial::setPortPath(kPort, "");
}

TEST(TermiosBackend, OperationsOnAClosedPortFail) {
    auto& port = serial::backend();
    const std::uint8_t byte = '#';
    EXPECT_LT(port.close(kPort), 0);
    EXPECT_LT(port.setTimeout(kPort, 1.0), 0);
    EXPECT_LT(port.flushInput(kPort), 0);
    EXPECT_LT(port.flushOutput(kPort), 0);
    EXPECT_LT(port.write(kPort, {&byte, 1}), 0);
    EXPECT_LT(port.drainOutput(kPort), 0);
    EXPECT_LT(port.readByte(kPort), 0);
}

}  // namespace
