#include "sim/dlq3.h"

#include <algorithm>
#include <optional>

#include "sim/value_text.h"

namespace sim {

namespace {

// Header after the command letters: memory type, start address and length.
constexpr std::size_t kHeaderSize = 1 + 4 + 4;

struct Block {
    std::size_t start;
    std::size_t length;
};

std::optional<Block> parseHeader(std::string_view header) {
    if (header.size() != kHeaderSize || header[0] != Dlq3::kMemoryType) return std::nullopt;
    const auto start = parseHex(header.substr(1, 4));
    const auto length = parseHex(header.substr(5, 4));
    if (!start || !length) return std::nullopt;
    return Block{*start, *length};
}

}  // namespace

Dlq3::Dlq3(char address, std::string id)
    : address_(address), id_(std::move(id)), memory_(kSize, 0) {}

std::uint16_t Dlq3::checksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 1;
    for (std::uint8_t b : bytes) sum += b;
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

Answer Dlq3::execute(std::string_view command, bool /*common*/) {
    if (command == "IDR") return Answer::line(LineKind::Identification, "", id_);
    if (command.substr(0, 3) == "BDR") return readCommand(command);
    if (command.substr(0, 3) == "BDW") return writeCommand(command);
    return Answer::refused();
}

Answer Dlq3::readCommand(std::string_view command) const {
    const auto block = parseHeader(command.substr(3));
    if (!block || block->length == 0 || block->start + block->length > kSize)
        return Answer::refused();
    std::string value;
    value.reserve(2 * block->length + 4);
    std::lock_guard lock(mutex_);
    const std::span<const std::uint8_t> data(memory_.data() + block->start, block->length);
    for (std::uint8_t b : data) value += formatHex(b, 2);
    value += formatHex(checksum(data), 4);
    return Answer::line(LineKind::Memory, std::string(command), std::move(value));
}

Answer Dlq3::writeCommand(std::string_view command) {
    const auto block = parseHeader(command.substr(3, kHeaderSize));
    if (!block || block->length > kMaxWrite || block->start + block->length > kSize)
        return Answer::refused();
    const std::string_view digits = command.substr(std::min(command.size(), 3 + kHeaderSize));
    if (digits.size() != 2 * block->length + 4) return Answer::refused();
    std::vector<std::uint8_t> data;
    for (std::size_t i = 0; i < block->length; ++i) {
        const auto byte = parseHex(digits.substr(2 * i, 2));
        if (!byte) return Answer::refused();
        data.push_back(static_cast<std::uint8_t>(*byte));
    }
    const auto sum = parseHex(digits.substr(2 * block->length));
    if (!sum || *sum != checksum(data)) return Answer::refused();
    write(block->start, data);
    return Answer::accepted();
}

std::vector<std::uint8_t> Dlq3::read(std::size_t start, std::size_t length) const {
    std::lock_guard lock(mutex_);
    if (start >= kSize) return {};
    const std::size_t end = std::min(kSize, start + length);
    return {memory_.begin() + static_cast<std::ptrdiff_t>(start),
            memory_.begin() + static_cast<std::ptrdiff_t>(end)};
}

void Dlq3::write(std::size_t start, std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < bytes.size() && start + i < kSize; ++i)
        memory_[start + i] = bytes[i];
}

}  // namespace sim
