// Parameters by name and DLQ3 memory blocks. Values are read and printed with
// from_chars/to_chars, so a German locale changes neither what is sent nor what is printed.

#include <charconv>
#include <climits>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/json.h"
#include "driver/parameter_catalogue.h"
#include "driver/vrldlq3.h"
#include "driver/vrltkv9d.h"
#include "params/transfer_check.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

using vrl::driver::Parameter;
using vrl::driver::ValueKind;

// Out-of-range numbers still reach the driver, as the nearest value it will refuse itself.
int saturated(long long value) {
    if (value < INT_MIN) return INT_MIN;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

// A real in "C" notation: optional sign, digits, point, exponent; "nan" and "inf" too, which
// the driver's range check then refuses.
double parseReal(const std::string& text) {
    std::string_view digits = text;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
    double value = 0.0;
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(digits.data(), last, value);
    if (digits.empty() || ec != std::errc() || end != last)
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "VALUE muss eine Zahl wie 1.5 oder -2e-3 sein, nicht '%1'"), {text})};
    return value;
}

int parseDecimal(const std::string& text) {
    std::string_view digits = text;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
    long long value = 0;
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(digits.data(), last, value);
    if (ec == std::errc::result_out_of_range) return digits.front() == '-' ? INT_MIN : INT_MAX;
    if (digits.empty() || ec != std::errc() || end != last)
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "VALUE muss eine dezimale ganze Zahl sein, nicht '%1'"), {text})};
    return saturated(value);
}

template <typename... Format>
std::string numberText(Format... format) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, format...);
    return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

std::string hexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * bytes.size());
    for (std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

int getParameter(Context& ctx, const std::vector<std::string>& args) {
    Value value;
    if (int code = readValue(ctx, args[0], value); code != 0) return code;
    if (ctx.json)
        ctx.out << json::Object().text("name", args[0]).raw("value", valueJson(value)).str()
                << '\n';
    else
        ctx.out << valueText(value) << '\n';
    return 0;
}

int setParameter(Context& ctx, const std::vector<std::string>& args) {
    const std::string& name = args[0];
    const std::string& value = args[1];
    double real = 0.0;
    int integer = 0;
    std::string_view text;
    // An unknown name goes to the driver all the same, which refuses it with its own code.
    if (const Parameter* row = vrl::driver::findParameter(name)) {
        switch (row->kind) {
            case ValueKind::Real:
                real = parseReal(value);
                break;
            case ValueKind::Integer:
                integer = parseDecimal(value);
                break;
            case ValueKind::HexWord:
                integer = saturated(parseInteger(value, "VALUE"));
                break;
            case ValueKind::Text:
                text = value;
                break;
        }
    }
    return VRLTKV9D_ParameterSchreiben(ctx.port, ctx.address, name, real, integer, text);
}

int memoryRead(Context& ctx, const std::vector<std::string>& args) {
    const int start = saturated(parseInteger(args[0], "START"));
    const int length = saturated(parseInteger(args[1], "LENGTH"));
    // A length the driver refuses gets no buffer; the driver says what is wrong with it.
    std::vector<std::uint8_t> data;
    if (length > 0 && length <= vrl::driver::kDlq3LongestRead)
        data.resize(static_cast<std::size_t>(length));
    if (int code = VRLDLQ3_SpeicherLesen(ctx.port, ctx.address, vrl::driver::kDlq3MemoryType, start,
                                         length, data);
        code != 0)
        return code;
    ctx.out << hexText(data) << '\n';
    return 0;
}

int memoryWrite(Context& ctx, const std::vector<std::string>& args) {
    const int start = saturated(parseInteger(args[0], "START"));
    const std::string& hex = args[1];
    if (hex.size() % 2 != 0)
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "HEX muss eine gerade Zahl Hex-Ziffern haben, nicht %1"),
            {std::to_string(hex.size())})};
    std::vector<std::uint8_t> data;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = VRLDLQ3_HexZifferWert(hex[i]);
        const int low = VRLDLQ3_HexZifferWert(hex[i + 1]);
        if (high < 0 || low < 0)
            throw UsageError{vrl::text::fill(
                VRL_TR("tkv9d", "HEX darf nur Hex-Ziffern enthalten, nicht '%1'"), {hex})};
        data.push_back(static_cast<std::uint8_t>(16 * high + low));
    }
    return VRLDLQ3_SpeicherSchreiben(ctx.port, ctx.address, vrl::driver::kDlq3MemoryType, start,
                                     static_cast<int>(data.size()), data);
}

constexpr Command kCommands[] = {
    {"get", "NAME", 1, getParameter},
    {"set", "NAME VALUE", 2, setParameter},
    {"mem-read", "START LENGTH", 2, memoryRead},
    {"mem-write", "START HEX", 2, memoryWrite},
};

}  // namespace

int readValue(const Context& ctx, const std::string& name, Value& value) {
    if (int code = VRLTKV9D_ParameterLesen(ctx.port, ctx.address, name, &value.real, &value.integer,
                                           &value.text);
        code != 0)
        return code;
    // Only a name of the catalogue gets this far.
    const Parameter& row = *vrl::driver::findParameter(name);
    value.kind = row.kind;
    // A damaged answer is no reading, and "err" no name.
    return vrl::params::checkRead(row, value.real, value.integer, value.text);
}

std::string valueText(const Value& value) {
    switch (value.kind) {
        case ValueKind::Real:
            return numberText(value.real);  // shortest text that reads back the same
        case ValueKind::Integer:
            return numberText(value.integer);
        case ValueKind::HexWord: {
            std::string digits = numberText(static_cast<unsigned>(value.integer), 16);
            for (char& c : digits)
                if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
            return "0x" + std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
        }
        case ValueKind::Text:
            return value.text;
    }
    return value.text;
}

std::string valueJson(const Value& value) {
    switch (value.kind) {
        case ValueKind::Real:
            return json::number(value.real);
        case ValueKind::Integer:
        case ValueKind::HexWord:
            return numberText(value.integer);
        case ValueKind::Text:
            return json::quoted(value.text);
    }
    return json::quoted(value.text);
}

std::span<const Command> parameterCommands() {
    return kCommands;
}

}  // namespace cli
