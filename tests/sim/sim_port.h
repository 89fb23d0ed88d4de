#pragma once

// The program's side of a simulated line for tests: the pseudo-terminal's slave opened with
// plain POSIX calls, raw frames written, answers read with a bound.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "sim/line.h"

namespace sim_test {

using namespace std::chrono_literals;

inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCan = 0x18;

class SimPort {
  public:
    explicit SimPort(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
        EXPECT_GE(fd_, 0) << path;
    }
    ~SimPort() {
        if (fd_ >= 0) ::close(fd_);
    }
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    void send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            ASSERT_GT(n, 0);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Reads until what arrived ends with the given bytes, or the bound passes.
    std::string readUntilSuffix(std::string_view suffix, std::chrono::milliseconds bound = 2000ms) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!(got.size() >= suffix.size() &&
                 std::string_view(got).substr(got.size() - suffix.size()) == suffix)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                ADD_FAILURE() << "no " << suffix.size() << "-byte end within the bound; got \""
                              << got << '"';
                break;
            }
            char buffer[512];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // Reads exactly count bytes, or what came within the bound.
    std::string readCount(std::size_t count, std::chrono::milliseconds bound = 2000ms) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (got.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[512];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

  private:
    int fd_;
};

// A line with a marker device behind the devices under test: after each frame the marker's
// identification is asked, and everything before its answer is the answer to the frame. So a
// missing answer shows without waiting for a time-out.
class SimLine {
  public:
    static constexpr char kMarker = 'e';

    explicit SimLine(sim::LineOptions options = {}) : line(std::move(options)) {
        line.addTkv(kMarker, "MARK");
        port = std::make_unique<SimPort>(line.devicePath());
    }

    // frame without '#' and CR, e.g. "1C1R".
    std::string answerTo(std::string_view frame) {
        const std::string markerAnswer = std::string(1, kAck) + "#" + kMarker + "MARK\r";
        port->send("#" + std::string(frame) + "\r#" + kMarker + "IDR\r");
        std::string got = port->readUntilSuffix(markerAnswer);
        if (got.size() >= markerAnswer.size()) got.resize(got.size() - markerAnswer.size());
        return got;
    }

    sim::Line line;
    std::unique_ptr<SimPort> port;
};

inline std::string lineOf(std::string_view text) {
    return std::string(1, kAck) + std::string(text) + "\r";
}

}  // namespace sim_test
