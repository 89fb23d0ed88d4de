#pragma once

// A serial line with simulated devices on it, served on a pseudo-terminal (or on a serial port
// that exists). A program opens devicePath() as it would open a serial port; tests use the
// accessors below to arrange the devices and to check what arrived.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/clock.h"
#include "sim/device.h"
#include "sim/dlq3.h"
#include "sim/fault.h"
#include "sim/line_port.h"
#include "sim/tkv.h"

namespace sim {

struct LineOptions {
    // Let frames arrive and answers leave at the speed of the real line.
    bool pace = false;
    // Every frame received and every answer, one per line; none when empty.
    std::string logPath{};
    // How many of the latest frames frames() keeps; 0 keeps all of them. A simulator that runs
    // for days keeps a bounded number, so that its memory does not grow with every frame.
    std::size_t frameLimit = 0;
    // Serve this serial port instead of a new pseudo-terminal (Windows has none).
    std::string portName{};
};

// Time one character takes at 9600 baud with 10 bits a character.
std::chrono::nanoseconds byteTimes(std::size_t count);

class Line {
  public:
    explicit Line(LineOptions options = {});
    ~Line();
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // The pseudo-terminal's slave device, to be opened like a serial port; or the port served.
    const std::string& devicePath() const { return devicePath_; }

    // Address '1'..'9' or 'a'..'f', not yet taken; std::invalid_argument otherwise, or for an
    // identification that does not fit an answer line (more than 26 characters).
    Tkv& addTkv(char address, std::string id = "VRL-TKV9D-SIM");
    Dlq3& addDlq3(char address);
    // The device at the address; std::out_of_range when there is none of that type.
    Tkv& tkv(char address);
    Dlq3& dlq3(char address);

    // Queued per address; the first queued fault that matches a frame and triggers is used.
    // The log (LineOptions::logPath) marks each frame that got one.
    void injectFault(char address, Fault fault);
    void clearFaults(char address);

    // Every complete frame received, CR included, in order, whatever its address (only the
    // latest frameLimit of them with a limit). A frame is listed once the device has carried it
    // out, before its answer is sent.
    std::vector<std::string> frames() const;
    void clearFrames();
    bool waitForFrames(std::size_t count, std::chrono::milliseconds bound) const;

    // Thin forms of the device accessors; nullopt / false / empty when there is no such
    // device at the address.
    std::optional<std::string> value(char address, std::string_view letters) const;
    bool setValue(char address, std::string_view letters, std::string_view text);
    bool setStoredValue(char address, std::string_view letters, std::string_view text);
    std::optional<std::string> slotValue(char address, int slot, std::string_view letters) const;
    bool setSlotValue(char address, int slot, std::string_view letters, std::string_view text);
    std::vector<std::uint8_t> memory(char address, std::size_t start, std::size_t length) const;
    bool setMemory(char address, std::size_t start, std::span<const std::uint8_t> bytes);

    // The clock of every device on the line, present and future.
    void setClock(Clock clock);

  private:
    void serve();
    void takeBytes(std::string_view bytes, TimePoint readAt);
    struct Reply {
        std::string bytes;
        std::chrono::milliseconds byteGap{0};  // a slow device's time between bytes
    };

    void handle(const std::string& frame, TimePoint arrival);
    Reply respond(char address, std::string_view command, std::string_view frame);
    std::optional<Fault> takeFault(char address, std::string_view command,
                                   const std::function<bool(const Fault&)>& fits);
    void send(const std::string& bytes, TimePoint from, std::chrono::milliseconds byteGap);
    bool waitUntil(TimePoint deadline);
    void log(char direction, std::string_view bytes);
    void logFault(const Fault& fault, std::string_view frame);

    Device* device(char address) const;
    Tkv* findTkv(char address) const;
    Dlq3* findDlq3(char address) const;

    const LineOptions options_;
    std::unique_ptr<LinePort> port_;
    std::string devicePath_;
    std::ofstream log_;

    mutable std::mutex mutex_;
    mutable std::condition_variable framesChanged_;
    std::map<char, std::unique_ptr<Device>> devices_;
    std::map<char, std::vector<Fault>> faults_;
    std::deque<std::string> frames_;
    Clock clock_ = steadyClock();

    // Serving thread only.
    std::string pending_;
    bool inFrame_ = false;
    TimePoint frameStart_{};
    TimePoint inputFreeAt_{};  // when the last frame's last byte arrived

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace sim
