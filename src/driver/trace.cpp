// How a trace record reads: one line per transaction, the same in a file, on stderr and in the
// program's window.

#include "driver/trace.h"

#include <charconv>
#include <ctime>

#include "driver/transaction.h"
#include "errors/vrl_errors.h"

namespace vrl::driver {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendNumber(std::string& text, long long value, int width = 0) {
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;
    for (auto n = end - digits; n < width; ++n) text += '0';
    text.append(digits, end);
}

// Local time to the millisecond, "2026-12-07 09:57:19.123".
void appendTime(std::string& text, std::chrono::system_clock::time_point time) {
    const auto sinceEpoch = time.time_since_epoch();
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(time - (sinceEpoch % std::chrono::seconds(1)));
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch % std::chrono::seconds(1))
            .count();
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    text.append(buffer, n);
    text += '.';
    appendNumber(text, millis < 0 ? millis + 1000 : millis, 3);
}

void appendByte(std::string& text, unsigned char byte) {
    switch (byte) {
        case static_cast<unsigned char>(kCR):
            text += "<CR>";
            return;
        case kACK:
            text += "<ACK>";
            return;
        case kNAK:
            text += "<NAK>";
            return;
        case kCAN:
            text += "<CAN>";
            return;
        default:
            break;
    }
    if (byte >= 0x20 && byte <= 0x7E && byte != '<') {
        text += static_cast<char>(byte);
        return;
    }
    text += "<0x";
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
    text += '>';
}

}  // namespace

std::string readableBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + 8);
    for (char c : bytes) appendByte(text, static_cast<unsigned char>(c));
    return text;
}

std::string traceLine(const TraceRecord& record) {
    std::string line;
    line.reserve(160);
    appendTime(line, record.time);
    line += " COM ";
    appendNumber(line, record.port);
    line += " Adresse ";
    appendByte(line, static_cast<unsigned char>(record.address));
    line += ": ";
    line += readableBytes(record.frame);
    line += " | Quittung ";
    if (record.acknowledgement < 0)
        line += "keine";
    else
        appendByte(line, static_cast<unsigned char>(record.acknowledgement));
    line += " | Antwort ";
    line += record.answer.empty() ? std::string("keine") : readableBytes(record.answer);
    line += " | ";
    // Tenths of a millisecond: a transaction on a fast line takes well below one.
    const long long tenths = (record.duration.count() + 50) / 100;
    appendNumber(line, tenths / 10);
    line += '.';
    appendNumber(line, tenths % 10);
    line += " ms | ";
    if (record.outcome == 0) {
        line += '0';
        return line;
    }
    line += "Fehler #";
    appendNumber(line, -static_cast<long long>(record.outcome));
    line += ": ";
    // One record, one line.
    for (const char* c = vrl::messageText(record.outcome); *c != '\0'; ++c)
        line += *c == '\n' ? ' ' : *c;
    return line;
}

}  // namespace vrl::driver
