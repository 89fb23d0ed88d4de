#include "sim/value_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sim {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 18) return std::nullopt;
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> parseReal(std::string_view text, int maxDecimals) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t intStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i == intStart) return std::nullopt;
    if (i < text.size()) {
        if (text[i] != '.') return std::nullopt;
        const std::size_t fracStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        if (i != text.size() || static_cast<int>(i - fracStart) > maxDecimals) return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::uint16_t> parseHexWord(std::string_view text) {
    if (text.size() != 4) return std::nullopt;
    const auto value = parseHex(text);
    if (!value) return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

std::optional<std::uint32_t> parseHex(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string formatInteger(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)ec;
    return std::string(buffer.data(), end);
}

std::string formatReal(double value, int decimals) {
    std::array<char, 400> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "err";
    std::string text(buffer.data(), end);
    // "-0.000" is zero to the device.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string formatHex(std::uint32_t value, int width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

}  // namespace sim
