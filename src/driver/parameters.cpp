// Writing and reading one parameter by name. Both walk the catalogue for the letters and the
// value format; every number on the wire goes through to_chars/from_chars, so the text does not
// depend on the operator's locale.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>

#include "driver/parameter_catalogue.h"
#include "driver/trace.h"
#include "driver/vrldlq3.h"
#include "driver/vrltkv9d.h"

namespace {

using vrl::driver::CommandCodes;
using vrl::driver::kCR;
using vrl::driver::kStart;
using vrl::driver::Parameter;
using vrl::driver::ValueKind;

constexpr char kWriteMarker = 'W';
constexpr char kReadMarker = 'R';
constexpr std::size_t kEchoLength = 5;  // '#', address, three command letters
constexpr std::string_view kDeviceError = "err\r";

struct WriteCodes {
    int badAddress;
    int badName;    // also a read-only name
    int tooLong;    // the frame would not fit its buffer
    int notFinite;  // a real without range that is no finite number
    int badText;    // a text with a byte the line cannot carry
    CommandCodes transaction;
};

// A failure while emptying either queue gets the one code of the operation.
constexpr WriteCodes kWrite{
    .badAddress = -400061,
    .badName = -401097,
    .tooLong = -113098,
    .notFinite = -500062,
    .badText = -510229,
    .transaction =
        CommandCodes{-112099, -112099, -101100, -101101, -402102, -405103, -403104, -404105},
};

struct ReadCodes {
    int badAddress;
    int badName;
    int deviceError;  // the device answered "err" in place of the value
    CommandCodes transaction;
};

constexpr ReadCodes kRead{-400106, -401159, -409169,
                          CommandCodes{-112160, -112160, -101161, -114162, -402163, -405164,
                                       -403165, -404166, -404167, -404168}};

// A value text that does not scan as the parameter's kind.
constexpr int unreadable(ValueKind kind) {
    switch (kind) {
        case ValueKind::Real:
            return -404170;
        case ValueKind::Integer:
            return -404171;
        case ValueKind::Text:
            return -404173;
        case ValueKind::HexWord:
            return -404174;
    }
    return -404170;
}

// The frame is built in a buffer of 40 bytes with its terminator, as the device's commands
// have always been; a value that would not fit is refused rather than cut.
class Frame {
  public:
    static constexpr std::size_t kCapacity = 39;  // [bytes] on the wire, CR included

    Frame(char address, const Parameter& row, char marker) {
        const char head[] = {kStart, address, row.group, row.index, marker};
        append(std::string_view(head, sizeof head));
    }

    bool append(std::string_view bytes) {
        if (bytes.size() > room()) return false;
        for (char c : bytes) bytes_[size_++] = c;
        return true;
    }

    template <typename... Format>
    bool appendNumber(Format... format) {
        char* first = bytes_.data() + size_;
        const auto [last, ec] = std::to_chars(first, first + room(), format...);
        if (ec != std::errc()) return false;
        size_ = static_cast<std::size_t>(last - bytes_.data());
        return true;
    }

    // Positions from `from` on to upper case (the hex digits of a mask).
    void upper(std::size_t from) {
        for (std::size_t i = from; i < size_; ++i)
            if (bytes_[i] >= 'a' && bytes_[i] <= 'f') bytes_[i] = static_cast<char>(bytes_[i] - 32);
    }

    std::size_t size() const { return size_; }

    std::string_view finish() {
        bytes_[size_++] = kCR;
        return {bytes_.data(), size_};
    }

  private:
    // What is left before the CR that ends every frame.
    std::size_t room() const { return kCapacity - 1 - size_; }

    std::array<char, kCapacity> bytes_{};
    std::size_t size_ = 0;
};

// The address arrives as an int; only the character values of real addresses count.
bool asAddress(int value, bool commonAllowed, char& address) {
    if (value < 0 || value > 0x7F) return false;
    address = static_cast<char>(value);
    return vrl::driver::isDeviceAddress(address) ||
           (commonAllowed && address == vrl::driver::kCommonAddress);
}

bool inRange(const Parameter& row, double value) {
    return row.low <= value && value <= row.high;  // false for NaN
}

// Only printable 7-bit characters: a NUL is refused like every control byte rather than taken
// as the text's end, so that the device never gets less than it was given; a CR would end the frame
// early and let the rest of the text reach the device as a command of its own, and the line carries
// 7 data bits. '#' begins every frame; a device that starts over on it would take the rest of the
// name as a command too.
bool carriedByTheLine(std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == '#') return false;
    }
    return true;
}

// The value check of a write; 0 when the value may be sent.
int checkValue(const Parameter& row, double real, int integer, std::string_view text) {
    switch (row.kind) {
        case ValueKind::Real:
            if (row.hasRange) return inRange(row, real) ? 0 : row.rangeError;
            // A fixed-point field has no text for an infinite or missing number.
            return std::isfinite(real) ? 0 : kWrite.notFinite;
        case ValueKind::Integer:
        case ValueKind::HexWord:
            return inRange(row, integer) ? 0 : row.rangeError;
        case ValueKind::Text:
            return carriedByTheLine(text) ? 0 : kWrite.badText;
    }
    return 0;
}

// The value text of a write frame; false when it does not fit.
bool appendValue(Frame& frame, const Parameter& row, double real, int integer,
                 std::string_view text) {
    switch (row.kind) {
        case ValueKind::Real:
            return frame.appendNumber(real, std::chars_format::fixed, row.decimals);
        case ValueKind::Integer:
            return frame.appendNumber(integer);
        case ValueKind::HexWord: {
            // Four digits, zero-padded; the range check keeps the mask within 16 bits.
            const std::size_t digitsAt = frame.size();
            const auto mask = static_cast<unsigned>(integer) & 0xFFFFu;
            for (unsigned below = 0x1000; below > 1 && mask < below; below >>= 4)
                if (!frame.append("0")) return false;
            if (!frame.appendNumber(mask, 16)) return false;
            frame.upper(digitsAt);
            return true;
        }
        case ValueKind::Text:
            return frame.append(text);
    }
    return false;
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A leading '+' is taken like the formatter's reader does; from_chars knows only '-'.
std::string_view dropPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

// A number must end the value: only blanks and CR may follow, or nothing where the line reached
// its limit without CR. A byte damaged on the line (read as NUL) or any other stray byte inside
// the number would otherwise cut it short: "1.5\0" would be read as 1.
bool endsTheValue(const char* end, std::string_view text) {
    const std::string_view rest =
        skipBlanks(text.substr(static_cast<std::size_t>(end - text.data())));
    return rest.empty() || rest.front() == '\r';
}

template <class Number>
bool scanNumber(std::string_view text, Number& value, int base = 10) {
    Number scanned{};
    const char* first = text.data();
    const char* last = first + text.size();
    std::from_chars_result result{};
    if constexpr (std::is_floating_point_v<Number>)
        result = std::from_chars(first, last, scanned);
    else
        result = std::from_chars(first, last, scanned, base);
    if (result.ec != std::errc() || !endsTheValue(result.ptr, text)) return false;
    value = scanned;
    return true;
}

// The number at the start of the value text, up to CR or, where the line reached its limit
// without CR, up to its end.
bool scanReal(std::string_view text, double& value) {
    text = dropPlus(skipBlanks(text));
    // Digits or a point must come first: "inf" and "nan" are no device values.
    std::string_view digits = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
    if (digits.empty() || !(isDigit(digits.front()) || digits.front() == '.')) return false;
    return scanNumber(text, value);
}

bool scanInteger(std::string_view text, int& value) {
    return scanNumber(dropPlus(skipBlanks(text)), value);
}

bool scanHexWord(std::string_view text, int& value) {
    text = skipBlanks(text);
    if (text.empty() || VRLDLQ3_HexZifferWert(text.front()) < 0) return false;
    std::uint32_t word = 0;
    if (!scanNumber(text, word, 16)) return false;
    value = static_cast<int>(word);
    return true;
}

// Everything up to CR, blanks kept. An empty name is a name (the record's default is one): a
// program renamed to nothing must read back. A control character or NUL in it is no text.
bool scanText(std::string_view text, std::string& value) {
    text = text.substr(0, text.find('\r'));
    text = text.substr(0, vrl::driver::kProgramNameLimit);
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
    }
    value.assign(text);
    return true;
}

// Everything a write checks after the address, in its order, and the value text in the frame.
int buildWrite(Frame& frame, const Parameter& row, double real, int integer,
               std::string_view text) {
    if (row.readOnly) return kWrite.badName;
    if (int code = checkValue(row, real, integer, text); code != 0) return code;
    return appendValue(frame, row, real, integer, text) ? 0 : kWrite.tooLong;
}

}  // namespace

int vrl::driver::checkWrite(const Parameter& row, double real, int integer, std::string_view text) {
    // The frame's length does not depend on which device it goes to.
    Frame frame('1', row, kWriteMarker);
    return buildWrite(frame, row, real, integer, text);
}

namespace {

int writeParameter(int port, int address, std::string_view name, double real, int integer,
                   std::string_view text) {
    char to = 0;
    if (!asAddress(address, true, to)) return kWrite.badAddress;
    const Parameter* row = vrl::driver::findParameter(name);
    if (row == nullptr) return kWrite.badName;
    Frame frame(to, *row, kWriteMarker);
    if (int code = buildWrite(frame, *row, real, integer, text); code != 0) return code;
    return vrl::driver::runTransaction(port, to, frame.finish(), kWrite.transaction);
}

int readParameter(int port, int address, std::string_view name, double* real, int* integer,
                  std::string* text) {
    char from = 0;
    if (!asAddress(address, false, from)) return kRead.badAddress;
    const Parameter* row = vrl::driver::findParameter(name);
    if (row == nullptr) return kRead.badName;
    // Without a destination for its kind the value would be read for nothing.
    const bool hasDestination = row->kind == ValueKind::Real   ? real != nullptr
                                : row->kind == ValueKind::Text ? text != nullptr
                                                               : integer != nullptr;
    if (!hasDestination) return kRead.badName;

    Frame request(from, *row, kReadMarker);
    const std::string_view frame = request.finish();
    std::string line;
    if (int code = vrl::driver::runTransaction(port, from, frame, kRead.transaction, &line);
        code != 0)
        return code;

    if (line.size() < kEchoLength ||
        line.compare(0, kEchoLength, frame.substr(0, kEchoLength)) != 0)
        return kRead.transaction.mismatch;
    const std::string_view value = std::string_view(line).substr(kEchoLength);
    // "err" could be a program name; for numbers it is the device's refusal.
    if (row->kind != ValueKind::Text && value.substr(0, kDeviceError.size()) == kDeviceError)
        return kRead.deviceError;

    switch (row->kind) {
        case ValueKind::Real: {
            double scanned = 0.0;
            if (!scanReal(value, scanned)) return unreadable(row->kind);
            *real = scanned;
            return 0;
        }
        case ValueKind::Integer:
        case ValueKind::HexWord: {
            int scanned = 0;
            const bool ok = row->kind == ValueKind::Integer ? scanInteger(value, scanned)
                                                            : scanHexWord(value, scanned);
            if (!ok) return unreadable(row->kind);
            *integer = scanned;
            return 0;
        }
        case ValueKind::Text: {
            std::string scanned;
            if (!scanText(value, scanned)) return unreadable(row->kind);
            *text = std::move(scanned);
            return 0;
        }
    }
    return unreadable(row->kind);
}

}  // namespace

// Both hand their code to the trace, which completes the record of their transaction.

int VRLTKV9D_ParameterSchreiben(int port, int address, std::string_view name, double real,
                                int integer, std::string_view text) {
    return vrl::driver::traceOutcome(writeParameter(port, address, name, real, integer, text));
}

int VRLTKV9D_ParameterLesen(int port, int address, std::string_view name, double* real,
                            int* integer, std::string* text) {
    return vrl::driver::traceOutcome(readParameter(port, address, name, real, integer, text));
}
