// A recording as CSV text, in the plain form and in the one a German spreadsheet opens.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "app/recorder.h"

namespace vrl::app {

namespace {

void appendNumber(std::string& text, double value) {
    if (!std::isfinite(value)) return;  // a failed read: the field stays empty
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec == std::errc()) text.append(buffer.data(), end);
}

}  // namespace

std::string recordingCsv(std::span<const Sample> samples, std::span<const MissedTick> missed,
                         CsvForm form) {
    const bool german = form == CsvForm::German;
    const char separator = german ? ';' : ',';
    // A time to the millisecond: the clock's nanoseconds are no information, only noise.
    const auto time = [](double seconds) { return std::round(seconds * 1000.0) / 1000.0; };
    const auto number = [german](std::string& text, double value) {
        const std::size_t from = text.size();
        appendNumber(text, value);
        if (german)
            std::replace(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), '.', ',');
    };
    std::string text =
        german ? "\xEF\xBB\xBFZeit [s];I-Ist [A];U-Ist [V]\n" : "time_s,current_A,voltage_V\n";
    text.reserve(text.size() + samples.size() * 24 + missed.size() * 32);
    auto next = missed.begin();
    const auto missedUntil = [&](double until) {
        for (; next != missed.end() && next->time <= until; ++next) {
            text += "# ";
            number(text, time(next->time));
            text += next->because == MissedBecause::PortGone
                        ? " ausgelassen: Schnittstelle getrennt\n"
                        : " ausgelassen: Leitung belegt\n";
        }
    };
    for (const Sample& sample : samples) {
        missedUntil(sample.time);
        number(text, time(sample.time));
        text += separator;
        number(text, sample.current);
        text += separator;
        number(text, sample.voltage);
        text += '\n';
    }
    missedUntil(std::numeric_limits<double>::infinity());
    return text;
}

}  // namespace vrl::app
