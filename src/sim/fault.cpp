#include "sim/fault.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "sim/parameter_table.h"
#include "sim/value_text.h"

namespace sim {

namespace {

// The answer line in its parts, so that each fault can change one of them.
struct AnswerLine {
    char address;
    std::string echo;
    std::string value;
    bool endsWithCr = true;

    std::string bytes() const {
        std::string line = "#";
        line += address;
        line += echo;
        line += value;
        if (endsWithCr) line += kCr;
        return line;
    }
};

constexpr std::string_view kAddresses = "123456789abcdef";
constexpr std::string_view kUpperHex = "0123456789ABCDEF";

char nextIn(std::string_view set, char c) {
    const auto at = set.find(c);
    return at == std::string_view::npos ? set[0] : set[(at + 1) % set.size()];
}

char otherAddress(char address) {
    return nextIn(kAddresses, address);
}

void changeEcho(AnswerLine& line, LineKind kind) {
    if (kind == LineKind::Parameter) {
        // The index character: C1R becomes C2R.
        line.echo[1] = nextIn(kAddresses, line.echo[1]);
    } else {
        // Last digit of the start address in "BDR4SSSSLLLL".
        char& digit = line.echo[7];
        digit =
            nextIn(kUpperHex, static_cast<char>(std::toupper(static_cast<unsigned char>(digit))));
    }
}

void changeChecksum(AnswerLine& line) {
    const std::size_t at = line.value.size() - 4;
    const auto sum = parseHex(line.value.substr(at)).value_or(0);
    line.value.replace(at, 4, formatHex((sum + 1) & 0xFFFF, 4));
}

void makeOverlong(AnswerLine& line, LineKind kind) {
    constexpr std::size_t kLineLimit = 29;
    if (kind == LineKind::Memory) {
        line.value += "00";
        return;
    }
    line.endsWithCr = false;
    const std::size_t length = 2 + line.echo.size() + line.value.size();
    if (length < kLineLimit) line.value.append(kLineLimit - length, '0');
}

// splitmix64: small, and the same numbers on every platform and library, so that a seed
// repeats a run anywhere (the standard distributions may differ between libraries).
std::uint64_t nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// In [0, 1).
double randomFraction(std::uint64_t& state) {
    return static_cast<double>(nextRandom(state) >> 11) * 0x1.0p-53;
}

}  // namespace

bool matches(const Fault& fault, std::string_view command) {
    return commandLetters(command).substr(0, fault.command.size()) == fault.command;
}

bool triggers(Fault& fault) {
    ++fault.seen;
    if (fault.seen < fault.after || fault.seen % fault.every != 0) return false;
    // Drawn only for the frames that pass the other triggers, so that a seed gives the same
    // faults whatever probability was chosen for them.
    return fault.probability >= 1.0 || randomFraction(fault.random) < fault.probability;
}

char randomOtherByte(Fault& fault) {
    for (;;) {
        const char c = static_cast<char>(nextRandom(fault.random) & 0x7F);
        if (c != kAck && c != kNak && c != kCan) return c;
    }
}

std::optional<std::string> differentValue(const Fault& fault, std::string_view command) {
    if (command.size() < 4 || command[2] != 'W') return std::nullopt;
    const auto row = findParameter(command.substr(0, 2));
    if (!row) return std::nullopt;
    const ParameterInfo& info = parameterTable()[*row];
    // Only values the device keeps as written; the rest it computes or composes itself.
    if (!info.writable || info.source != Source::Stored) return std::nullopt;
    const std::string_view text = command.substr(3);
    std::optional<double> written;
    int decimals = 0;
    if (info.kind == ValueKind::Real) {
        written = parseReal(text, 9);
        decimals = info.decimals;
    } else if (info.kind == ValueKind::Integer) {
        if (const auto n = parseInteger(text)) written = static_cast<double>(*n);
    }
    if (!written) return std::nullopt;
    const double step = std::pow(10.0, -decimals);
    const double delta = std::max(step, fault.delta > 0 ? fault.delta : step);
    // Up where the limits leave room, else down: the device must keep what it acknowledged.
    for (double value : {*written + delta, *written - delta}) {
        const double kept = std::round(value / step) * step;
        if (kept >= info.low - step / 2 && kept <= info.high + step / 2)
            return info.kind == ValueKind::Real ? formatReal(kept, decimals)
                                                : formatInteger(std::llround(kept));
    }
    return std::nullopt;
}

bool preventsCommand(FaultKind kind) {
    return kind == FaultKind::Nak || kind == FaultKind::Can || kind == FaultKind::Silence ||
           kind == FaultKind::OtherByte;
}

bool changes(FaultKind kind, const Answer& answer) {
    if (answer.ack != kAck) return false;
    const bool hasLine = answer.kind != LineKind::None;
    switch (kind) {
        case FaultKind::BrokenOff:
            return true;
        case FaultKind::OtherAddress:
        case FaultKind::OverlongLine:
            return hasLine;
        case FaultKind::WrongEcho:
            return answer.kind == LineKind::Parameter || answer.kind == LineKind::Memory;
        case FaultKind::Err:
            return answer.kind == LineKind::Parameter;
        case FaultKind::LowerCaseHex:
            return answer.kind == LineKind::Memory ||
                   (answer.kind == LineKind::Parameter && answer.hexValue);
        case FaultKind::WrongChecksum:
            return answer.kind == LineKind::Memory;
        default:
            return false;
    }
}

std::string answerBytes(char address, const Answer& answer) {
    std::string bytes(1, answer.ack);
    if (answer.ack == kAck && answer.kind != LineKind::None)
        bytes += AnswerLine{address, answer.echo, answer.value}.bytes();
    return bytes;
}

std::string faultyBytes(char address, const Answer& answer, const Fault& fault) {
    switch (fault.kind) {
        case FaultKind::Nak:
            return std::string(1, kNak);
        case FaultKind::Can:
            return std::string(1, kCan);
        case FaultKind::Silence:
            return {};
        case FaultKind::OtherByte:
            return std::string(1, fault.byte);
        default:
            break;
    }
    AnswerLine line{address, answer.echo, answer.value};
    switch (fault.kind) {
        case FaultKind::BrokenOff: {
            if (answer.kind == LineKind::None) return {};
            const std::string whole = line.bytes();
            return kAck + whole.substr(0, std::max<std::size_t>(2, (whole.size() - 1) / 2));
        }
        case FaultKind::OtherAddress:
            line.address = otherAddress(address);
            break;
        case FaultKind::WrongEcho:
            changeEcho(line, answer.kind);
            break;
        case FaultKind::Err:
            line.value = "err";
            break;
        case FaultKind::OverlongLine:
            makeOverlong(line, answer.kind);
            break;
        case FaultKind::LowerCaseHex:
            std::transform(line.value.begin(), line.value.end(), line.value.begin(), [](char c) {
                return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            });
            break;
        case FaultKind::WrongChecksum:
            changeChecksum(line);
            break;
        default:
            break;
    }
    return kAck + line.bytes();
}

}  // namespace sim
