#pragma once

// A simulated DLQ3 memory device: 64 KiB of memory type 4, read and written as hex text with a
// 16-bit additive checksum. All members are safe to call from any thread.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/device.h"

namespace sim {

class Dlq3 : public Device {
  public:
    static constexpr std::size_t kSize = 0x10000;
    static constexpr char kMemoryType = '4';
    static constexpr std::size_t kMaxWrite = 64;  // bytes in one write frame

    explicit Dlq3(char address, std::string id = "VRL-DLQ3-SIM");

    char address() const override { return address_; }
    Answer execute(std::string_view command, bool common) override;

    // Bytes from start on; the part beyond the end of memory is left out.
    std::vector<std::uint8_t> read(std::size_t start, std::size_t length) const;
    // Stores bytes from start on; bytes beyond the end of memory are dropped.
    void write(std::size_t start, std::span<const std::uint8_t> bytes);

    // 1 plus the sum of the bytes, modulo 0x10000.
    static std::uint16_t checksum(std::span<const std::uint8_t> bytes);

  private:
    Answer readCommand(std::string_view command) const;
    Answer writeCommand(std::string_view command);

    mutable std::mutex mutex_;
    const char address_;
    const std::string id_;
    std::vector<std::uint8_t> memory_;
};

}  // namespace sim
