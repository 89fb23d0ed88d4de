// watch: the status word and chosen parameters at a fixed period, one line per reading, for
// long runs on a test bench.

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <ctime>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/cli.h"
#include "cli/json.h"
#include "driver/ports.h"
#include "driver/trace.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "platform/console/stop_signals.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

using Steady = std::chrono::steady_clock;

// After this many failed readings in a row the line is taken as lost and watch ends (exit 1).
constexpr int kFailuresInARow = 5;
// How soon a wait notices Ctrl-C; the readings' schedule does not depend on it.
constexpr auto kSignalCheck = std::chrono::milliseconds(50);

const std::vector<std::string> kDefaultFields = {"status", "iststrom", "istspannung"};

// Local time with milliseconds in ISO 8601 form, "2026-12-07T09:57:19.123".
std::string localTime(std::chrono::system_clock::time_point time) {
    return vrl::driver::traceTimeText(time, 'T');
}

// Seconds with three decimals, "12.200".
std::string secondsText(Steady::duration elapsed) {
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    std::string text = std::to_string(millis / 1000) + '.';
    const std::string part = std::to_string(millis % 1000);
    return text + std::string(3 - part.size(), '0') + part;
}

// A CSV cell: quoted only when it holds a separator, a quote or a line break.
std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string cell = "\"";
    for (char c : text) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + '"';
}

struct Reading {
    std::chrono::system_clock::time_point time;
    Steady::duration sinceStart{};
    std::vector<Value> values;  // those read before a failure
    int code = 0;
    std::string note;  // in place of the code's text where there is more to say
};

// The fields in order; the first failure ends the reading, since on a line that stopped
// answering every further field would cost another time-out.
Reading takeReading(const Context& ctx, const std::vector<std::string>& fields,
                    Steady::time_point start) {
    Reading reading;
    reading.time = std::chrono::system_clock::now();
    reading.sinceStart = Steady::now() - start;
    for (const std::string& field : fields) {
        Value value;
        reading.code = readValue(ctx, field, value);
        if (reading.code != 0) break;
        reading.values.push_back(std::move(value));
    }
    return reading;
}

// With --reconnect: the port came back (an adapter plugged in again). It counts as back only
// once the device at the address identifies itself as the one watched, so that no reading
// comes from a port that is there but leads elsewhere; the identification it gave is in `id`.
// Another device's port is let go at once: it is not ours to hold.
bool reopen(const Context& ctx, const std::string& watched, std::string& id) {
    if (reopenPort(ctx, id) != 0) {
        id.clear();
        return false;
    }
    if (watched.empty() || id == watched) return true;
    VRLTKV9D_Close(ctx.port);
    return false;
}

// The port is away: the slot's reading is missing, and its line says so.
constexpr int kPortMissing = -100003;

std::string errorText(int code) {
    return "Fehler #" + std::to_string(-static_cast<long long>(code)) + ": " +
           vrl::messageText(code);
}

std::string csvLine(const Reading& reading, const std::vector<std::string>& fields) {
    std::string line = localTime(reading.time) + ',' + secondsText(reading.sinceStart);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += ',';
        if (i < reading.values.size()) line += csvCell(valueText(reading.values[i]));
    }
    line += ',';
    if (reading.code != 0)
        line += csvCell(reading.note.empty() ? errorText(reading.code) : reading.note);
    return line;
}

std::string jsonLine(const Reading& reading, const std::vector<std::string>& fields) {
    json::Object object;
    object.text("time", localTime(reading.time)).raw("seconds", secondsText(reading.sinceStart));
    for (std::size_t i = 0; i < reading.values.size(); ++i)
        object.raw(fields[i], valueJson(reading.values[i]));
    if (reading.code != 0)
        object.integer("error", -static_cast<long long>(reading.code))
            .text("text", reading.note.empty() ? vrl::messageText(reading.code) : reading.note);
    return object.str();
}

// Waits until the time, or until Ctrl-C; false for Ctrl-C.
bool waitUntil(Steady::time_point when) {
    for (;;) {
        if (console::StopSignals::received() != 0) return false;
        const auto now = Steady::now();
        if (now >= when) return true;
        std::this_thread::sleep_until(std::min(when, now + kSignalCheck));
    }
}

int runWatch(Context& ctx, const std::vector<std::string>& fields) {
    const auto period =
        std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(ctx.period));

    console::StopSignals signals;
    if (!ctx.json) {
        std::string header = "time,seconds";
        for (const std::string& field : fields) header += ',' + field;
        ctx.out << header << ",error\n" << std::flush;
    }
    // Reading k is due at start + k * period, whatever the earlier ones took: no drift.
    const Steady::time_point start = Steady::now();
    long long slot = 0;
    long long readings = 0;
    long long overruns = 0;
    int failuresInARow = 0;
    int lastCode = 0;
    bool endsFailed = false;
    const bool reconnect = ctx.options.has("--reconnect");
    bool portThere = true;
    // The device watched, by its identification: a reused port path may lead to another one.
    std::string watched;
    if (reconnect) VRLTKV9D_IDLesen(ctx.port, ctx.address, watched);
    std::string other;  // the other device last reported, so that it is said once
    while (console::StopSignals::received() == 0) {
        std::string id;
        if (!portThere && reopen(ctx, watched, id)) {
            portThere = true;
            other.clear();
            if (watched.empty()) watched = id;
            ctx.err << vrl::text::fill(VRL_TR("tkv9d watch", "Hinweis: COM %1 wieder verbunden"),
                                       {std::to_string(ctx.port)})
                    << '\n'
                    << std::flush;
        }
        Reading reading;
        if (portThere) {
            reading = takeReading(ctx, fields, start);
        } else {
            reading.time = std::chrono::system_clock::now();
            reading.sinceStart = Steady::now() - start;
            reading.code = kPortMissing;
            if (!id.empty()) {
                reading.note = "anderes Gerät an COM " + std::to_string(ctx.port) + ": " + id;
                if (id != other)
                    ctx.err << vrl::text::fill(
                                   VRL_TR("tkv9d watch",
                                          "Hinweis: anderes Gerät an COM %1: %2, erwartet %3; "
                                          "nicht gelesen, Schnittstelle freigegeben"),
                                   {std::to_string(ctx.port), id, watched})
                            << '\n'
                            << std::flush;
                other = id;
            }
        }
        ++readings;
        ctx.out << (ctx.json ? jsonLine(reading, fields) : csvLine(reading, fields)) << '\n'
                << std::flush;
        // An unplugged port is waited for, not counted as a device that stopped answering.
        const bool away =
            reconnect && reading.code != 0 && (!portThere || vrl::driver::portGone(ctx.port));
        if (away && portThere) {
            VRLTKV9D_Close(ctx.port);
            portThere = false;
            ctx.err << vrl::text::fill(VRL_TR("tkv9d watch", "Hinweis: %1; watch wartet auf sie"),
                                       {goneNote(ctx.port)})
                    << '\n'
                    << std::flush;
        }
        failuresInARow = reading.code == 0 || away ? 0 : failuresInARow + 1;
        lastCode = reading.code;
        if (failuresInARow >= kFailuresInARow) {
            ctx.err << vrl::text::fill(VRL_TR("tkv9d watch",
                                              "Hinweis: %1 Lesungen nacheinander "
                                              "fehlgeschlagen, watch endet"),
                                       {std::to_string(kFailuresInARow)})
                    << '\n';
            endsFailed = true;
            break;
        }
        if (ctx.count > 0 && readings >= ctx.count) {
            // A counted run that ends on a failed reading ends as that reading did.
            endsFailed = reading.code != 0;
            break;
        }

        // A reading that ran into the next slot: the slots it covered are left out and said
        // so, rather than the period silently stretched.
        const auto ended = Steady::now();
        long long next = slot + 1;
        if (ended > start + next * period) {
            next = (ended - start) / period + 1;
            ++overruns;
            std::ostringstream periodText;
            periodText << ctx.period;
            ctx.err << vrl::text::fill(
                           VRL_TR("tkv9d watch",
                                  "Hinweis: Lesung %1 dauerte %2 s, länger als die "
                                  "Periode (%3 s); %4 Zeitpunkt(e) ausgelassen"),
                           {std::to_string(readings), secondsText(ended - start - slot * period),
                            periodText.str(), std::to_string(next - slot - 1)})
                    << '\n'
                    << std::flush;
        }
        slot = next;
        if (!waitUntil(start + slot * period)) break;
    }
    if (overruns > 0)
        ctx.err << vrl::text::fill(VRL_TR("tkv9d watch",
                                          "Hinweis: %1 von %2 Lesungen dauerten "
                                          "länger als die Periode"),
                                   {std::to_string(overruns), std::to_string(readings)})
                << '\n';
    ctx.out << std::flush;
    // Ctrl-C ends a run as asked for, whatever the last reading brought.
    return endsFailed ? lastCode : 0;
}

// The fields are checked before the port is opened: a misspelt name is a usage error, whatever
// the line.
int watch(Context& ctx, const std::vector<std::string>& args) {
    const std::vector<std::string>& fields = args.empty() ? kDefaultFields : args;
    for (const std::string& field : fields)
        if (vrl::driver::findParameter(field) == nullptr)
            throw UsageError{
                vrl::text::fill(VRL_TR("tkv9d watch", "watch: unbekanntes Feld %1"), {field})};
    return withOpenPort(ctx, runWatch, fields);
}

constexpr CommandOption kWatchOptions[] = {{"--reconnect", false}};

constexpr Command kCommands[] = {
    {"watch", "[--period S] [--count N] [--reconnect] [FIELDS...]", -1, watch, true, kWatchOptions},
};

}  // namespace

std::span<const Command> watchCommands() {
    return kCommands;
}

}  // namespace cli
