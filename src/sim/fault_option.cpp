#include "sim/fault_option.h"

#include <array>
#include <charconv>
#include <system_error>

namespace sim {

namespace {

// A key that only one kind takes.
enum class Extra { None, Byte, Delta, ByteMs };

struct KindRow {
    std::string_view name;
    FaultKind kind;
    Extra extra;
};

constexpr std::array kKinds = {
    KindRow{"nak", FaultKind::Nak, Extra::None},
    KindRow{"can", FaultKind::Can, Extra::None},
    KindRow{"silent", FaultKind::Silence, Extra::None},
    KindRow{"garbage", FaultKind::OtherByte, Extra::Byte},
    KindRow{"broken", FaultKind::BrokenOff, Extra::None},
    KindRow{"other-address", FaultKind::OtherAddress, Extra::None},
    KindRow{"wrong-echo", FaultKind::WrongEcho, Extra::None},
    KindRow{"err", FaultKind::Err, Extra::None},
    KindRow{"overlong", FaultKind::OverlongLine, Extra::None},
    KindRow{"lower-hex", FaultKind::LowerCaseHex, Extra::None},
    KindRow{"checksum", FaultKind::WrongChecksum, Extra::None},
    KindRow{"store-different", FaultKind::StoreDifferent, Extra::Delta},
    KindRow{"slow", FaultKind::Slow, Extra::ByteMs},
};

constexpr std::array<std::string_view, 4> kExtraKeys = {"", "byte", "delta", "byte-ms"};

std::optional<long long> wholeNumber(std::string_view text, long long low, long long high) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < low || n > high)
        return std::nullopt;
    return n;
}

std::optional<double> number(std::string_view text) {
    double x = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), x);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return x;
}

// One character as it stands ("#"), or 0xHH for any 7-bit byte (",", ":" and control bytes).
std::optional<char> byteValue(std::string_view text) {
    if (text.size() == 1) return text[0];
    if (text.size() != 4 || text.substr(0, 2) != "0x") return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data() + 2, text.data() + 4, value, 16);
    if (ec != std::errc() || end != text.data() + 4 || value > 0x7F) return std::nullopt;
    return static_cast<char>(value);
}

bool commandLettersText(std::string_view text) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'f') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Sets one key of the fault; the reason when the key or its value does not fit.
std::optional<std::string> applyKey(FaultOption& option, Extra extra, std::string_view key,
                                    std::string_view value) {
    Fault& f = option.fault;
    if (key == "every" || key == "after" || key == "count") {
        const auto n = wholeNumber(value, 1, 1'000'000'000);
        if (!n) return std::string(key) + " needs a whole number from 1";
        (key == "every" ? f.every : key == "after" ? f.after : f.count) = static_cast<int>(*n);
    } else if (key == "prob") {
        const auto p = number(value);
        if (!p || !(*p > 0.0 && *p <= 1.0))
            return std::string("prob needs a number above 0 up to 1");
        f.probability = *p;
    } else if (key == "command") {
        if (!commandLettersText(value))
            return std::string("command needs one to three command letters, such as C1R or N");
        f.command = value;
    } else if (key == "address") {
        if (value.size() != 1 || !isDeviceAddress(value[0]))
            return std::string("address needs a device address 1..9, a..f");
        option.address = value[0];
    } else if (extra != Extra::None && key == kExtraKeys[static_cast<std::size_t>(extra)]) {
        if (extra == Extra::Byte) {
            const auto b = byteValue(value);
            if (!b || *b == kAck || *b == kNak || *b == kCan)
                return std::string("byte needs one character or 0x00..0x7F, not ACK, NAK or CAN");
            f.byte = *b;
            f.randomByte = false;
        } else if (extra == Extra::Delta) {
            const auto d = number(value);
            if (!d || !(*d > 0.0) || *d > 1e6) return std::string("delta needs a number above 0");
            f.delta = *d;
        } else {
            const auto ms = wholeNumber(value, 1, 10'000);
            if (!ms) return std::string("byte-ms needs a whole number of ms from 1 to 10000");
            f.byteMs = static_cast<int>(*ms);
        }
    } else {
        return "unknown key '" + std::string(key) + "'";
    }
    return std::nullopt;
}

}  // namespace

const char* const kFaultSyntax =
    "faults: --fault KIND[:KEY=VALUE,...], as often as needed; the first that fits a frame wins\n"
    "  kinds, the command not carried out:\n"
    "    nak, can        NAK or CAN in place of ACK\n"
    "    silent          no answer at all\n"
    "    garbage         another byte in place of ACK (byte=C or byte=0xHH; default random)\n"
    "  kinds, the command carried out:\n"
    "    broken          the answer line broken off halfway (after ACK alone: nothing)\n"
    "    other-address   the answer line from another address\n"
    "    wrong-echo      the answer line echoes other command letters (memory: another start)\n"
    "    err             a parameter read answered with err\n"
    "    overlong        29 bytes without CR (memory: two digits too many)\n"
    "    lower-hex       hex words and memory digits in lower case\n"
    "    checksum        a memory read with its checksum one off\n"
    "    store-different a parameter write acknowledged, another value stored\n"
    "                    (delta=D; default one step of the value's resolution)\n"
    "    slow            the answer's bytes byte-ms=N ms apart (default 5)\n"
    "  keys, all optional; each fault counts the frames it could act on, per device:\n"
    "    every=N     only every N-th of them       after=N  only from the N-th on\n"
    "    prob=P      each with probability P       count=N  only N times\n"
    "    command=L   only commands whose letters begin with L (C1R, C1, N, IDR, BDR)\n"
    "    address=C   only the device at address C (default every device)\n"
    "  --seed S     the generator for prob and garbage (default a new one, printed)\n"
    "  examples: --fault nak:every=5  --fault silent:after=100  --fault garbage:prob=0.01\n"
    "            --fault slow:byte-ms=5  --fault wrong-echo:command=N\n"
    "            --fault store-different:command=C1,delta=0.002\n";

std::string_view faultName(FaultKind kind) {
    for (const KindRow& row : kKinds) {
        if (row.kind == kind) return row.name;
    }
    return "?";
}

std::optional<FaultOption> parseFaultOption(std::string_view text, std::string& error) {
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const KindRow* row = nullptr;
    for (const KindRow& r : kKinds) {
        if (r.name == name) row = &r;
    }
    if (!row) {
        error = "unknown fault '" + std::string(name) + "'";
        return std::nullopt;
    }
    FaultOption option{};
    option.fault.kind = row->kind;
    option.fault.count = -1;
    option.fault.randomByte = row->kind == FaultKind::OtherByte;
    if (colon == std::string_view::npos) return option;

    std::string_view keys = text.substr(colon + 1);
    for (;;) {
        const std::size_t comma = keys.find(',');
        const std::string_view item = keys.substr(0, comma);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            error = "'" + std::string(item) + "' is not KEY=VALUE";
            return std::nullopt;
        }
        if (auto why =
                applyKey(option, row->extra, item.substr(0, equals), item.substr(equals + 1))) {
            error = std::move(*why);
            return std::nullopt;
        }
        if (comma == std::string_view::npos) break;
        keys.remove_prefix(comma + 1);
    }
    return option;
}

}  // namespace sim
