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

// Local time to the millisecond, "2026-12-07 09:57:19.123" (or with 'T' between date and time).
void appendTime(std::string& text, std::chrono::system_clock::time_point time,
                char separator = ' ') {
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
    const char format[] = {'%', 'Y', '-', '%', 'm', '-', '%', 'd', separator,
                           '%', 'H', ':', '%', 'M', ':', '%', 'S', '\0'};
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
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

std::string traceTimeText(std::chrono::system_clock::time_point time, char separator) {
    std::string text;
    appendTime(text, time, separator);
    return text;
}

std::string acknowledgementText(int acknowledgement) {
    std::string text;
    if (acknowledgement < 0)
        text = "keine";
    else
        appendByte(text, static_cast<unsigned char>(acknowledgement));
    return text;
}

std::string answerText(const std::string& answer) {
    return answer.empty() ? std::string("keine") : readableBytes(answer);
}

std::string durationText(std::chrono::microseconds duration) {
    std::string text;
    // Tenths of a millisecond: a transaction on a fast line takes well below one.
    const long long tenths = (duration.count() + 50) / 100;
    appendNumber(text, tenths / 10);
    text += '.';
    appendNumber(text, tenths % 10);
    text += " ms";
    return text;
}

std::string outcomeText(int outcome) {
    if (outcome == 0) return "0";
    std::string text = "Fehler #";
    appendNumber(text, -static_cast<long long>(outcome));
    text += ": ";
    // One record, one line.
    for (const char* c = vrl::messageText(outcome); *c != '\0'; ++c) text += *c == '\n' ? ' ' : *c;
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
    line += acknowledgementText(record.acknowledgement);
    line += " | Antwort ";
    line += answerText(record.answer);
    line += " | ";
    line += durationText(record.duration);
    line += " | ";
    line += outcomeText(record.outcome);
    return line;
}

}  // namespace vrl::driver
