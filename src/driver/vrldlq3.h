#pragma once

// Memory-module commands of a DLQ3 on the same line as the TKV-9D: a block of bytes carried as
// upper-case hexadecimal text and guarded by a 16-bit additive checksum (1 plus the sum of the
// data bytes). Both return 0 or an error code and send nothing when an argument is refused.

#include <cstdint>
#include <span>

namespace vrl::driver {

inline constexpr int kDlq3MemoryType = 4;  // the only memory the commands address
inline constexpr int kDlq3LastAddress = 0xFFFF;
// The length field has four hex digits, so 0x10000 bytes cannot be asked for.
inline constexpr int kDlq3LongestRead = 0xFFFF;  // [bytes]
inline constexpr int kDlq3LongestWrite = 64;     // [bytes]

}  // namespace vrl::driver

// Reads `length` (1..0xFFFF) bytes from `startAddress` into data, which must hold at least
// `length` bytes. Not to the common address. After a failed data or checksum check, data may
// hold some of the bytes already.
int VRLDLQ3_SpeicherLesen(int port, char address, int memoryType, int startAddress, int length,
                          std::span<std::uint8_t> data);

// Writes `length` (0..64) bytes of data from `startAddress` on; the common address is allowed.
int VRLDLQ3_SpeicherSchreiben(int port, char address, int memoryType, int startAddress, int length,
                              std::span<const std::uint8_t> data);

// 0..15 for '0'..'9', 'a'..'f', 'A'..'F'; -1 for anything else.
int VRLDLQ3_HexZifferWert(char c);
