// Reading and writing a DLQ3's memory as hexadecimal text.

#include <array>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "driver/trace.h"
#include "driver/vrldlq3.h"
#include "driver/vrltkv9d.h"

namespace {

using vrl::driver::CommandCodes;
using vrl::driver::kDlq3LastAddress;
using vrl::driver::kDlq3LongestRead;
using vrl::driver::kDlq3LongestWrite;
using vrl::driver::kDlq3MemoryType;
using vrl::driver::kFlushInputFailed;
using vrl::driver::kFlushOutputFailed;

// Codes of the argument checks and of the frame's formatting, shared in shape by both commands.
struct ArgumentCodes {
    int badAddress;
    int badStart;
    int badLength;
    int badType;
    int headerFormat;
};

// Emptying the queues keeps its own codes for these commands.
constexpr ArgumentCodes kReadArguments{-400176, -894177, -895178, -896179, -202180};
constexpr CommandCodes kReadTransaction{kFlushInputFailed, kFlushOutputFailed,
                                        -101181,           -114182,
                                        -402183,           -405184,
                                        -403185,           -404186,
                                        -404188,           -404191};
constexpr int kNoAnswerBuffer = -600187;
constexpr int kNotEndedByCR = -404189;
constexpr int kWrongAnswerLength = -404190;
constexpr int kHeaderDiffers = -404191;
constexpr int kFirstDigitNotHex = -404192;
constexpr int kSecondDigitNotHex = -404193;
constexpr std::array<int, 4> kChecksumDigitNotHex{-404194, -404195, -404196, -404197};
constexpr int kChecksumDiffers = -406198;

constexpr ArgumentCodes kWriteArguments{-400199, -894200, -895201, -896202, -202203};
constexpr int kDataFormat = -202204;
constexpr int kChecksumFormat = -202205;
constexpr CommandCodes kWriteTransaction{
    kFlushInputFailed, kFlushOutputFailed, -101206, -101207, -402208, -405209, -403210, -404211};

constexpr std::size_t kHeaderLength = 14;  // '#', address, three letters, type, start, length
constexpr std::size_t kChecksumDigits = 4;
constexpr std::size_t kTrailerLength = kChecksumDigits + 1;  // checksum and CR
constexpr std::size_t kReadFrameLength = kHeaderLength + 1;
constexpr std::size_t kWriteFrameBuffer = 160;  // [bytes]; the longest write frame has 147

// '#', address, the three letters and the memory-type digit; hex fields follow.
template <std::size_t Capacity>
class HexFrame {
  public:
    bool put(char c) {
        if (size_ == Capacity) return false;
        bytes_[size_++] = c;
        return true;
    }

    // `width` upper-case digits, zero-padded; false when the value needs more.
    bool hex(unsigned value, int width) {
        if (width < 8 && value >> (4 * width) != 0) return false;
        for (int shift = 4 * (width - 1); shift >= 0; shift -= 4)
            if (!put("0123456789ABCDEF"[(value >> shift) & 0xFu])) return false;
        return true;
    }

    bool header(char address, std::string_view letters, int memoryType, int start, int length) {
        bool ok = put(vrl::driver::kStart) && put(address);
        for (char c : letters) ok = ok && put(c);
        return ok && memoryType >= 0 && memoryType <= 9 &&
               put(static_cast<char>('0' + memoryType)) && hex(static_cast<unsigned>(start), 4) &&
               hex(static_cast<unsigned>(length), 4);
    }

    std::string_view view() const { return {bytes_.data(), size_}; }

  private:
    std::array<char, Capacity> bytes_{};
    std::size_t size_ = 0;
};

// 1 plus the sum of the data bytes, kept to 16 bits.
class Checksum {
  public:
    void add(std::uint8_t byte) { sum_ = (sum_ + byte) & 0xFFFFu; }
    unsigned value() const { return sum_; }

  private:
    unsigned sum_ = 1;
};

// The checks both commands make, in the order they make them; 0 when all pass.
int checkArguments(const ArgumentCodes& codes, bool addressOk, int memoryType, int start,
                   int length, int shortest, int longest, std::size_t dataSize) {
    if (!addressOk) return codes.badAddress;
    if (start < 0 || start > kDlq3LastAddress) return codes.badStart;
    if (length < shortest || length > longest) return codes.badLength;
    if (memoryType != kDlq3MemoryType) return codes.badType;
    // A buffer smaller than the block is a length the caller cannot take or give.
    if (dataSize < static_cast<std::size_t>(length)) return codes.badLength;
    return 0;
}

// Four hex digits at `at`, most significant first; false on any other character.
bool hexField(std::string_view text, std::size_t at, std::size_t digits, unsigned& value) {
    value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = VRLDLQ3_HexZifferWert(text[at + i]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

// The echo of the request's header; hex digits of either case count as the same value.
bool headerMatches(std::string_view line, std::string_view frame, int start, int length) {
    unsigned echoedStart = 0;
    unsigned echoedLength = 0;
    const char type = line[5];
    return line.substr(0, 5) == frame.substr(0, 5) && type >= '0' && type <= '9' &&
           type - '0' == kDlq3MemoryType && hexField(line, 6, 4, echoedStart) &&
           hexField(line, 10, 4, echoedLength) && echoedStart == static_cast<unsigned>(start) &&
           echoedLength == static_cast<unsigned>(length);
}

}  // namespace

int VRLDLQ3_HexZifferWert(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

int readMemory(int port, char address, int memoryType, int startAddress, int length,
               std::span<std::uint8_t> data) {
    if (int code = checkArguments(kReadArguments, vrl::driver::isDeviceAddress(address), memoryType,
                                  startAddress, length, 1, kDlq3LongestRead, data.size());
        code != 0)
        return code;

    HexFrame<kReadFrameLength> frame;
    if (!frame.header(address, "BDR", memoryType, startAddress, length) ||
        !frame.put(vrl::driver::kCR))
        return kReadArguments.headerFormat;

    const std::size_t expected =
        kHeaderLength + 2 * static_cast<std::size_t>(length) + kTrailerLength;
    std::string line;
    try {
        line.reserve(expected + 1);
    } catch (const std::bad_alloc&) {
        return kNoAnswerBuffer;
    }
    if (int code = vrl::driver::runTransaction(port, address, frame.view(), kReadTransaction, &line,
                                               expected);
        code != 0)
        return code;

    if (line.empty() || line.back() != vrl::driver::kCR) return kNotEndedByCR;
    if (line.size() != expected) return kWrongAnswerLength;
    if (!headerMatches(line, frame.view(), startAddress, length)) return kHeaderDiffers;

    Checksum checksum;
    std::size_t at = kHeaderLength;
    for (int i = 0; i < length; ++i, at += 2) {
        const int high = VRLDLQ3_HexZifferWert(line[at]);
        if (high < 0) return kFirstDigitNotHex;
        const int low = VRLDLQ3_HexZifferWert(line[at + 1]);
        if (low < 0) return kSecondDigitNotHex;
        data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(16 * high + low);
        checksum.add(data[static_cast<std::size_t>(i)]);
    }
    unsigned sent = 0;
    for (std::size_t i = 0; i < kChecksumDigits; ++i) {
        const int digit = VRLDLQ3_HexZifferWert(line[at + i]);
        if (digit < 0) return kChecksumDigitNotHex[i];
        sent = sent * 16 + static_cast<unsigned>(digit);
    }
    return sent == checksum.value() ? 0 : kChecksumDiffers;
}

int writeMemory(int port, char address, int memoryType, int startAddress, int length,
                std::span<const std::uint8_t> data) {
    const bool addressOk =
        vrl::driver::isDeviceAddress(address) || address == vrl::driver::kCommonAddress;
    if (int code = checkArguments(kWriteArguments, addressOk, memoryType, startAddress, length, 0,
                                  kDlq3LongestWrite, data.size());
        code != 0)
        return code;

    HexFrame<kWriteFrameBuffer> frame;
    if (!frame.header(address, "BDW", memoryType, startAddress, length))
        return kWriteArguments.headerFormat;
    Checksum checksum;
    for (std::uint8_t byte : data.first(static_cast<std::size_t>(length))) {
        if (!frame.hex(byte, 2)) return kDataFormat;
        checksum.add(byte);
    }
    if (!frame.hex(checksum.value(), 4) || !frame.put(vrl::driver::kCR)) return kChecksumFormat;
    return vrl::driver::runTransaction(port, address, frame.view(), kWriteTransaction);
}

}  // namespace

// Both hand their code to the trace, which completes the record of their transaction.

int VRLDLQ3_SpeicherLesen(int port, char address, int memoryType, int startAddress, int length,
                          std::span<std::uint8_t> data) {
    return vrl::driver::traceOutcome(
        readMemory(port, address, memoryType, startAddress, length, data));
}

int VRLDLQ3_SpeicherSchreiben(int port, char address, int memoryType, int startAddress, int length,
                              std::span<const std::uint8_t> data) {
    return vrl::driver::traceOutcome(
        writeMemory(port, address, memoryType, startAddress, length, data));
}
