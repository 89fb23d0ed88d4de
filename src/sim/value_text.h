#pragma once

// Value texts as the device reads and writes them on the wire: decimal integers, fixed-point
// reals, four-digit hex words. Always the "C" notation, whatever the process locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// A value text in an answer line leaves room for '#', address, three letters and CR in 29 bytes.
inline constexpr std::size_t kValueCapacity = 23;

// Optional '-', then decimal digits without blanks, '+' or leading zeros.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Optional '-', digits, and optionally a point followed by at most maxDecimals digits. No
// exponent, no blanks.
std::optional<double> parseReal(std::string_view text, int maxDecimals);

// Exactly four hexadecimal digits, either case.
std::optional<std::uint16_t> parseHexWord(std::string_view text);

// Digits of either case; nullopt for anything else or an empty text.
std::optional<std::uint32_t> parseHex(std::string_view text);

std::string formatInteger(std::int64_t value);
// Fixed-point with the given digits after the point; with 0 digits the integer part alone. A
// value that rounds to zero is written without a sign.
std::string formatReal(double value, int decimals);
// Upper-case digits, zero-padded to width.
std::string formatHex(std::uint32_t value, int width);

}  // namespace sim
