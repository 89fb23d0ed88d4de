#include "sim/fault_option.h"

#include <array>
#include <charconv>
#include <system_error>

#include "platform/text/language.h"
#include "platform/text/translate.h"

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
        if (!n)
            return vrl::text::fill(VRL_TR("tkv9d-sim", "%1 braucht eine ganze Zahl ab 1"), {key});
        (key == "every" ? f.every : key == "after" ? f.after : f.count) = static_cast<int>(*n);
    } else if (key == "prob") {
        const auto p = number(value);
        if (!p || !(*p > 0.0 && *p <= 1.0))
            return VRL_TR("tkv9d-sim", "prob braucht eine Zahl über 0 bis 1");
        f.probability = *p;
    } else if (key == "command") {
        if (!commandLettersText(value))
            return VRL_TR("tkv9d-sim",
                          "command braucht ein bis drei Befehlsbuchstaben, etwa C1R oder N");
        f.command = value;
    } else if (key == "address") {
        if (value.size() != 1 || !isDeviceAddress(value[0]))
            return VRL_TR("tkv9d-sim", "address braucht eine Geräteadresse 1..9, a..f");
        option.address = value[0];
    } else if (extra != Extra::None && key == kExtraKeys[static_cast<std::size_t>(extra)]) {
        if (extra == Extra::Byte) {
            const auto b = byteValue(value);
            if (!b || *b == kAck || *b == kNak || *b == kCan)
                return VRL_TR("tkv9d-sim",
                              "byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN");
            f.byte = *b;
            f.randomByte = false;
        } else if (extra == Extra::Delta) {
            const auto d = number(value);
            if (!d || !(*d > 0.0) || *d > 1e6)
                return VRL_TR("tkv9d-sim", "delta braucht eine Zahl über 0");
            f.delta = *d;
        } else {
            const auto ms = wholeNumber(value, 1, 10'000);
            if (!ms)
                return VRL_TR("tkv9d-sim", "byte-ms braucht eine ganze Zahl ms von 1 bis 10000");
            f.byteMs = static_cast<int>(*ms);
        }
    } else {
        return vrl::text::fill(VRL_TR("tkv9d-sim", "unbekannter Schlüssel '%1'"), {key});
    }
    return std::nullopt;
}

}  // namespace

std::string faultSyntax() {
    return VRL_TR(
        "tkv9d-sim",
        "Störungen: --fault KIND[:KEY=VALUE,...], so oft wie nötig; die erste, die zu einem\n"
        "Rahmen passt, gilt\n"
        "  Arten, der Befehl nicht ausgeführt:\n"
        "    nak, can        NAK oder CAN statt ACK\n"
        "    silent          gar keine Antwort\n"
        "    garbage         ein anderes Byte statt ACK (byte=C oder byte=0xHH; Vorgabe zufällig)\n"
        "  Arten, der Befehl ausgeführt:\n"
        "    broken          die Antwortzeile mittendrin abgebrochen (nach ACK allein: nichts)\n"
        "    other-address   die Antwortzeile von einer anderen Adresse\n"
        "    wrong-echo      die Antwortzeile wiederholt andere Befehlsbuchstaben (Speicher:\n"
        "                    einen anderen Anfang)\n"
        "    err             ein Parameterlesen mit err beantwortet\n"
        "    overlong        29 Bytes ohne CR (Speicher: zwei Ziffern zu viel)\n"
        "    lower-hex       Hex-Wörter und Speicherziffern in Kleinbuchstaben\n"
        "    checksum        ein Speicherlesen mit einer um eins falschen Prüfsumme\n"
        "    store-different ein Parameterschreiben quittiert, ein anderer Wert gespeichert\n"
        "                    (delta=D; Vorgabe ein Schritt der Auflösung des Werts)\n"
        "    slow            die Bytes der Antwort byte-ms=N ms auseinander (Vorgabe 5)\n"
        "  Schlüssel, alle wahlfrei; jede Störung zählt die Rahmen, auf die sie wirken könnte,\n"
        "  je Gerät:\n"
        "    every=N     nur jeden N-ten davon           after=N  erst ab dem N-ten\n"
        "    prob=P      jeden mit Wahrscheinlichkeit P  count=N  nur N-mal\n"
        "    command=L   nur Befehle, deren Buchstaben mit L beginnen (C1R, C1, N, IDR, BDR)\n"
        "    address=C   nur das Gerät an Adresse C (Vorgabe jedes Gerät)\n"
        "  --seed S     der Generator für prob und garbage (Vorgabe ein neuer, ausgegeben)\n"
        "  Beispiele: --fault nak:every=5  --fault silent:after=100  --fault garbage:prob=0.01\n"
        "             --fault slow:byte-ms=5  --fault wrong-echo:command=N\n"
        "             --fault store-different:command=C1,delta=0.002\n");
}

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
        error = vrl::text::fill(VRL_TR("tkv9d-sim", "unbekannte Störung '%1'"), {name});
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
            error = vrl::text::fill(VRL_TR("tkv9d-sim", "'%1' ist nicht KEY=VALUE"), {item});
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
