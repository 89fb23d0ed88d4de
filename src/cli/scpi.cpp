#include "cli/scpi.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "cli/cli.h"
#include "connection/vrlcom.h"
#include "driver/parameter_catalogue.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "params/parametersatz.h"
#include "platform/blank.h"
#include "tkv9d_version.h"

namespace cli::scpi {

namespace {

using platform::isBlank;
using vrl::driver::Parameter;
using vrl::driver::ValueKind;

struct ErrorRow {
    int number;
    std::string_view text;
};

constexpr ErrorRow kErrors[] = {
    {kCommandError, "Command error"},
    {kSyntaxError, "Syntax error"},
    {kDataTypeError, "Data type error"},
    {kParameterNotAllowed, "Parameter not allowed"},
    {kMissingParameter, "Missing parameter"},
    {kUndefinedHeader, "Undefined header"},
    {kInvalidSuffix, "Invalid suffix"},
    {kSuffixNotAllowed, "Suffix not allowed"},
    {kCommandProtected, "Command protected"},
    {kDataOutOfRange, "Data out of range"},
    {kIllegalParameterValue, "Illegal parameter value"},
    {kHardwareError, "Hardware error"},
    {kHardwareMissing, "Hardware missing"},
    {kQueueOverflow, "Queue overflow"},
    {kInputBufferOverrun, "Input buffer overrun"},
};

// The event status register's bit for each class of error.
int eventBit(int number) {
    if (number <= -100 && number > -200) return 0x20;  // command error
    if (number <= -200 && number > -300) return 0x10;  // execution error
    if (number <= -300 && number > -400) return 0x08;  // device-specific error
    if (number <= -400 && number > -500) return 0x04;  // query error
    return 0;
}

constexpr int kOperationComplete = 0x01;
// Status byte.
constexpr int kQuestionableSummary = 0x08;
constexpr int kErrorQueueNotEmpty = 0x04;
constexpr int kEventSummary = 0x20;
constexpr int kMasterSummary = 0x40;
constexpr int kOperationSummary = 0x80;

// The device's status word in SCPI's registers. A running curve steps the output through its
// programmed currents and times, which SCPI-1999 calls sweeping (OPERation bit 3); bit 4,
// measuring, is for an instrument taking a reading. The device's error bits go to QUEStionable:
// the test voltage to bit 0 (VOLTage), the memory and the hdx-4 modules to the instrument's own
// bits 9 and 10.
struct StatusBit {
    int device;
    int scpi;
};
constexpr int kCurveRunning = 0x0001;  // the status word's "Kurve läuft"
constexpr StatusBit kOperationBits[] = {{kCurveRunning, 0x0008}};
constexpr StatusBit kQuestionableBits[] = {
    {0x0400, 0x0001},  // "Prüfspannungsfehler"
    {0x0100, 0x0200},  // "Speicherfehler"
    {0x0200, 0x0400},  // "hdx-4 Fehler"
};

template <std::size_t N>
int scpiBits(const StatusBit (&bits)[N], int word) {
    int mapped = 0;
    for (const StatusBit& bit : bits)
        if ((word & bit.device) != 0) mapped |= bit.scpi;
    return mapped;
}

// Answers are 7-bit ASCII, as IEEE 488.2 has its strings: a VISA client decodes them as ASCII
// unless told otherwise, and would fail on the German texts' umlauts.
struct Spelling {
    std::string_view utf8;
    std::string_view ascii;
};

constexpr Spelling kSpellings[] = {
    {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"},
};

std::string asciiText(std::string_view text) {
    std::string ascii;
    while (!text.empty()) {
        const auto spelling =
            std::find_if(std::begin(kSpellings), std::end(kSpellings),
                         [&](const Spelling& row) { return text.starts_with(row.utf8); });
        if (spelling != std::end(kSpellings)) {
            ascii += spelling->ascii;
            text.remove_prefix(spelling->utf8.size());
            continue;
        }
        const auto byte = static_cast<unsigned char>(text.front());
        ascii += byte < 0x80 ? text.front() : '?';
        text.remove_prefix(1);
    }
    return ascii;
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

// A node of a header pattern: its long form and whether brackets make it optional.
struct Node {
    std::string_view keyword;
    bool optional;
};

std::vector<Node> patternNodes(std::string_view pattern) {
    std::vector<Node> nodes;
    while (!pattern.empty()) {
        const bool optional = pattern.front() == '[';
        if (optional) pattern.remove_prefix(1);
        if (!pattern.empty() && pattern.front() == ':') pattern.remove_prefix(1);
        const std::size_t end = std::min(pattern.find_first_of(":["), pattern.find(']'));
        nodes.push_back({pattern.substr(0, end), optional});
        pattern.remove_prefix(end == std::string_view::npos ? pattern.size() : end);
        if (!pattern.empty() && pattern.front() == ']') pattern.remove_prefix(1);
    }
    return nodes;
}

// The short form is the long form's capitals (and '*', digits); either is accepted, no other.
bool keywordMatches(std::string_view keyword, std::string_view word) {
    std::string shortForm;
    for (char c : keyword)
        if (c == '*' || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) shortForm += c;
    return sameLetters(word, keyword) || sameLetters(word, shortForm);
}

bool nodesMatch(std::span<const Node> nodes, std::span<const std::string_view> words) {
    if (nodes.empty()) return words.empty();
    if (nodes.front().optional && nodesMatch(nodes.subspan(1), words)) return true;
    return !words.empty() && keywordMatches(nodes.front().keyword, words.front()) &&
           nodesMatch(nodes.subspan(1), words.subspan(1));
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The commands of a line; a ';' inside a quoted string is part of the string.
std::vector<std::string_view> splitCommands(std::string_view line) {
    std::vector<std::string_view> commands;
    char quote = 0;
    std::size_t from = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote) quote = 0;  // a doubled quote closes and opens again
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            commands.push_back(line.substr(from, i - from));
            from = i + 1;
        }
    }
    commands.push_back(line.substr(from));
    return commands;
}

// The parameters after the header: quoted strings and tokens, separated by ','. nullopt for a
// text that is no such list (an unclosed quote, an empty parameter, a blank inside a token).
std::optional<std::vector<Argument>> parseArguments(std::string_view text) {
    std::vector<Argument> arguments;
    text = trimmed(text);
    if (text.empty()) return arguments;
    while (true) {
        text = trimmed(text);
        Argument argument;
        if (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
            const char quote = text.front();
            std::size_t i = 1;
            for (;; ++i) {
                if (i >= text.size()) return std::nullopt;
                if (text[i] != quote) {
                    argument.text += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == quote) {
                    argument.text += quote;
                    ++i;
                } else {
                    break;
                }
            }
            argument.quoted = true;
            text = trimmed(text.substr(i + 1));
        } else {
            const std::size_t end = text.find(',');
            const std::string_view token = trimmed(text.substr(0, end));
            if (token.empty()) return std::nullopt;
            // A number may stand apart from its suffix ("250 mA"); no other blank is allowed.
            const std::size_t blank =
                std::distance(token.begin(), std::find_if(token.begin(), token.end(), isBlank));
            const std::string_view suffix = trimmed(token.substr(blank));
            const bool numberThenSuffix =
                blank > 0 && blank < token.size() &&
                std::isdigit(static_cast<unsigned char>(token[blank - 1])) &&
                std::all_of(suffix.begin(), suffix.end(),
                            [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
            if (blank < token.size() && !numberThenSuffix) return std::nullopt;
            argument.text = std::string(token.substr(0, blank)) + std::string(suffix);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end);
        }
        arguments.push_back(std::move(argument));
        if (text.empty()) return arguments;
        if (text.front() != ',') return std::nullopt;
        text.remove_prefix(1);
    }
}

bool validHeader(std::string_view header) {
    return !header.empty() && std::all_of(header.begin(), header.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == ':' || c == '*' || c == '?';
    });
}

// The units a value may carry, each with the power of ten that its own unit has in the SI one
// (a time in ms is 10^-3 s).
struct Unit {
    std::string_view symbol;  // "" for a value without unit
    int exponent;
};
constexpr Unit kNoUnit{"", 0};
constexpr Unit kAmpere{"A", 0};
constexpr Unit kMilliseconds{"S", -3};
constexpr Unit kHertz{"HZ", 0};
constexpr Unit kVolt{"V", 0};
constexpr Unit kPercent{"PCT", 0};

struct ParameterUnit {
    std::string_view name;
    Unit unit;
};
constexpr ParameterUnit kParameterUnits[] = {
    {"strom1", kAmpere},
    {"strom2", kAmpere},
    {"strom3", kAmpere},
    {"strom4", kAmpere},
    {"freilaufdiodeMindestDeltaIIst", kAmpere},
    {"kalibriersollstrom1", kAmpere},
    {"kalibriersollstrom2", kAmpere},
    {"zeit1", kMilliseconds},
    {"zeit2", kMilliseconds},
    {"zeit3", kMilliseconds},
    {"zeit4", kMilliseconds},
    {"mindestdauerFreilaufdiode", kMilliseconds},
    {"stromausgangsfilter", kHertz},
    {"pruefspannung", kVolt},
    {"hysteresepoti", kPercent},
    {"pwmfilterpoti", kPercent},
    {"regelgeschwindigkeitspoti", kPercent},
};

Unit unitOf(std::string_view name) {
    for (const ParameterUnit& row : kParameterUnits)
        if (row.name == name) return row.unit;
    return kNoUnit;
}

// SCPI's multipliers; "MA" is mega, "M" milli ("MA" alone is milliampere: M and A).
struct Multiplier {
    std::string_view prefix;
    int exponent;
};
constexpr Multiplier kMultipliers[] = {
    {"", 0}, {"M", -3}, {"U", -6}, {"N", -9}, {"P", -12}, {"K", 3}, {"MA", 6}, {"G", 9},
};

// The power of ten that turns a number with `suffix` into the unit's own; nullopt for a suffix
// that is no multiple of the unit.
std::optional<int> suffixExponent(std::string_view suffix, const Unit& unit) {
    if (unit.symbol == "HZ" && sameLetters(suffix, "MHZ")) return 6 - unit.exponent;  // mega
    for (const Multiplier& multiplier : kMultipliers) {
        if (suffix.size() != multiplier.prefix.size() + unit.symbol.size()) continue;
        if (sameLetters(suffix.substr(0, multiplier.prefix.size()), multiplier.prefix) &&
            sameLetters(suffix.substr(multiplier.prefix.size()), unit.symbol) &&
            (multiplier.exponent == 0 || unit.symbol != "PCT"))
            return multiplier.exponent - unit.exponent;
    }
    return std::nullopt;
}

// One correctly rounded step, so that 250 mA is 0.25 A exactly as 0.25 A is.
double scaled(double value, int exponent) {
    double power = 1.0;
    for (int i = 0; i < std::abs(exponent); ++i) power *= 10.0;
    return exponent >= 0 ? value * power : value / power;
}

// MINimum, MAXimum and DEFault, where a numeric setting takes them.
enum class Bound { None, Minimum, Maximum, Default };

Bound boundOf(const Argument& argument) {
    if (argument.quoted) return Bound::None;
    if (keywordMatches("MINimum", argument.text)) return Bound::Minimum;
    if (keywordMatches("MAXimum", argument.text)) return Bound::Maximum;
    if (keywordMatches("DEFault", argument.text)) return Bound::Default;
    return Bound::None;
}

// A number in SCPI's decimal forms (1.5, +1.5, 1.5E0, -2e-3) with an optional suffix of
// `unit`: 250 mA, 0.25A. Anything else that is no number is -104; a suffix that is no multiple
// of the unit -131, and any suffix on a value without unit -138.
bool quantity(Session& session, const Argument& argument, const Unit& unit, double& value) {
    std::string_view text = argument.text;
    if (!argument.quoted && text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (argument.quoted || text.empty() || ec != std::errc() || !std::isfinite(value)) {
        session.fail(kDataTypeError);
        return false;
    }
    const std::string_view suffix(end, static_cast<std::size_t>(last - end));
    if (suffix.empty()) return true;
    if (!std::all_of(suffix.begin(), suffix.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
        session.fail(kDataTypeError);
        return false;
    }
    if (unit.symbol.empty()) {
        session.fail(kSuffixNotAllowed);
        return false;
    }
    const std::optional<int> exponent = suffixExponent(suffix, unit);
    if (!exponent) {
        session.fail(kInvalidSuffix);
        return false;
    }
    value = scaled(value, *exponent);
    return true;
}

bool number(Session& session, const Argument& argument, double& value) {
    return quantity(session, argument, kNoUnit, value);
}

// A whole number low..high, or MIN or MAX for its ends; a fraction is -224, a number outside
// the range -222.
bool integer(Session& session, const Argument& argument, int low, int high, int& value) {
    const Bound bound = boundOf(argument);
    if (bound == Bound::Minimum || bound == Bound::Maximum) {
        value = bound == Bound::Minimum ? low : high;
        return true;
    }
    double real = 0.0;
    if (!number(session, argument, real)) return false;
    if (real != std::floor(real)) {
        session.fail(kIllegalParameterValue);
        return false;
    }
    if (real < low || real > high) {
        session.fail(kDataOutOfRange);
        return false;
    }
    value = static_cast<int>(real);
    return true;
}

// A register mask: a decimal is rounded to the nearest integer, as IEEE 488.2 has it; MIN and
// DEF are 0 (nothing enabled, as at power-on), MAX every bit.
bool mask(Session& session, const Argument& argument, int high, int& value) {
    if (const Bound bound = boundOf(argument); bound != Bound::None) {
        value = bound == Bound::Maximum ? high : 0;
        return true;
    }
    double real = 0.0;
    if (!number(session, argument, real)) return false;
    real = std::round(real);
    if (real < 0 || real > high) {
        session.fail(kDataOutOfRange);
        return false;
    }
    value = static_cast<int>(real);
    return true;
}

// ON, OFF, or a number rounded to 0 or 1. Another number is refused rather than taken as ON:
// a stray value must not start the current.
bool boolean(Session& session, const Argument& argument, bool& value) {
    if (!argument.quoted && sameLetters(argument.text, "ON")) {
        value = true;
        return true;
    }
    if (!argument.quoted && sameLetters(argument.text, "OFF")) {
        value = false;
        return true;
    }
    double real = 0.0;
    const bool numeric =
        !argument.quoted &&
        std::from_chars(argument.text.data(), argument.text.data() + argument.text.size(), real)
                .ptr == argument.text.data() + argument.text.size();
    if (numeric && (std::round(real) == 0.0 || std::round(real) == 1.0)) {
        value = std::round(real) == 1.0;
        return true;
    }
    session.fail(kIllegalParameterValue);
    return false;
}

bool string(Session& session, const Argument& argument, std::string& value) {
    if (!argument.quoted) {
        session.fail(kDataTypeError);
        return false;
    }
    value = argument.text;
    return true;
}

template <typename Value>
std::string numberText(Value value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string quotedText(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

// A catalogue parameter read from the device, as SCPI data: numbers (hex words too) in
// decimal, the program name as a quoted string.
bool readParameter(Session& session, std::string_view name, std::string& answer) {
    double real = 0.0;
    int whole = 0;
    std::string text;
    if (!session.device(
            VRLTKV9D_ParameterLesen(session.port(), session.address(), name, &real, &whole, &text)))
        return false;
    switch (vrl::driver::findParameter(name)->kind) {
        case ValueKind::Real:
            answer += numberText(real);
            break;
        case ValueKind::Integer:
        case ValueKind::HexWord:
            answer += numberText(whole);
            break;
        case ValueKind::Text:
            answer += quotedText(text);
            break;
    }
    return true;
}

// Whether measuring range 1 bounds the parameter, as the record's plausibility rule says.
bool boundByRange1(std::string_view name) {
    const vrl::params::Field* field = vrl::params::findField(name);
    if (field == nullptr || field->type != vrl::params::FieldType::Real) return false;
    Parametersatz record{};
    record.messbereich = 1;
    vrl::params::setReal(record, *field, 1.0);
    return vrl::params::firstImplausibleField(record) == name;
}

// A bound of a numeric parameter: its range, the record's limit for the device's present
// measuring range (read from it), or the record's default. -224 where the parameter has none.
bool boundValue(Session& session, const Parameter& row, Bound bound, double& value) {
    if (bound == Bound::Default) {
        const vrl::params::Field* field = vrl::params::findField(row.name);
        if (field == nullptr || field->type == vrl::params::FieldType::Text) {
            session.fail(kIllegalParameterValue);
            return false;
        }
        value = field->defaultValue;
        return true;
    }
    if (!row.hasRange) {
        session.fail(kIllegalParameterValue);
        return false;
    }
    // The catalogue's reals carry a tolerance below their last digit; the bound is the digit.
    const double power = scaled(1.0, row.kind == ValueKind::Real ? row.decimals : 0);
    value = std::round((bound == Bound::Minimum ? row.low : row.high) * power) / power;
    if (value == 0.0) value = 0.0;  // no "-0"
    if (bound == Bound::Maximum && boundByRange1(row.name)) {
        double real = 0.0;
        int range = 0;
        std::string text;
        if (!session.device(VRLTKV9D_ParameterLesen(session.port(), session.address(),
                                                    "messbereich", &real, &range, &text)))
            return false;
        if (range == 1) value = vrl::params::kRange1Limit;
    }
    return true;
}

// Writes a catalogue parameter; the driver checks the name, the range and the text's bytes
// before its frame, so a refused value sends nothing. A number is sent as the client gave it
// (after its suffix): a parameter refuses a value with more decimals than the wire carries
// rather than round it.
bool writeParameter(Session& session, std::string_view name, const Argument& value) {
    const Parameter* row = vrl::driver::findParameter(name);
    double real = 0.0;
    int whole = 0;
    std::string text;
    if (row != nullptr && !row->readOnly) {
        const Bound bound = boundOf(value);
        if (row->kind == ValueKind::Text) {
            if (!string(session, value, text)) return false;
        } else if (bound != Bound::None) {
            if (!boundValue(session, *row, bound, real)) return false;
        } else if (!quantity(session, value, unitOf(name), real)) {
            return false;
        }
        if (row->kind == ValueKind::Integer || row->kind == ValueKind::HexWord) {
            if (real != std::floor(real)) {
                session.fail(kIllegalParameterValue);
                return false;
            }
            // Beyond int the driver's range check refuses the nearest int all the same.
            whole = static_cast<int>(std::clamp(real, -2147483648.0, 2147483647.0));
        }
        // A value out of range is said as such first; then the wire carries a real with its
        // row's decimals, so 1.5 mA is refused rather than sent as 0.002 A.
        if (const int code = vrl::driver::checkWrite(*row, real, whole, text); code != 0)
            return session.device(code);
        const double steps = scaled(real, row->kind == ValueKind::Real ? row->decimals : 0);
        if (std::abs(steps - std::round(steps)) > 1e-6) {
            session.fail(kIllegalParameterValue);
            return false;
        }
    }
    return session.device(
        VRLTKV9D_ParameterSchreiben(session.port(), session.address(), name, real, whole, text));
}

using Arguments = std::span<const Argument>;

bool identify(Session& session, Arguments, std::string& answer) {
    std::string id;
    if (!session.device(VRLTKV9D_IDLesen(session.port(), session.address(), id))) return false;
    // Manufacturer, model, serial number, firmware: the serial is what the device's
    // identification names after its type ("VRL-TKV9D-0042"), so that a list of discovered
    // instruments tells two devices apart; the firmware field says which program speaks for
    // the device. A comma would make a fifth field.
    std::string serial = id.rfind(vrl::com::kDeviceIdPrefix, 0) == 0
                             ? id.substr(std::strlen(vrl::com::kDeviceIdPrefix))
                             : id;
    std::replace(serial.begin(), serial.end(), ',', '.');
    if (serial.empty()) serial = "0";
    answer += "VRL,TKV-9D," + serial + "," + kProjectVersion;
    return true;
}

bool reset(Session& session, Arguments, std::string&) {
    return session.device(VRLTKV9D_DeviceFunction(session.port(), session.address(), "stopp"));
}

bool clearStatus(Session& session, Arguments, std::string&) {
    session.clearStatus();
    return true;
}

bool eventStatusQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.eventStatus());
    session.eventStatus() = 0;
    return true;
}

bool eventEnable(Session& session, Arguments arguments, std::string&) {
    return mask(session, arguments[0], 255, session.eventEnable());
}

bool serviceEnable(Session& session, Arguments arguments, std::string&) {
    if (!mask(session, arguments[0], 255, session.serviceEnable())) return false;
    session.serviceEnable() &= ~kMasterSummary;
    return true;
}

bool serviceEnableQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.serviceEnable());
    return true;
}

bool options(Session&, Arguments, std::string& answer) {
    answer += '0';
    return true;
}

// Reads the device's status word into the registers; its value in `word`.
bool readDeviceStatus(Session& session, int& word) {
    double real = 0.0;
    std::string text;
    if (!session.device(VRLTKV9D_ParameterLesen(session.port(), session.address(), "status", &real,
                                                &word, &text)))
        return false;
    session.noteDeviceStatus(word);
    return true;
}

using Register = Session::StatusRegister& (Session::*)();

template <Register which>
bool registerEvent(Session& session, Arguments, std::string& answer) {
    int word = 0;
    if (!readDeviceStatus(session, word)) return false;
    answer += numberText(std::exchange((session.*which)().event, 0));
    return true;
}

template <Register which>
bool registerCondition(Session& session, Arguments, std::string& answer) {
    int word = 0;
    if (!readDeviceStatus(session, word)) return false;
    answer += numberText((session.*which)().condition);
    return true;
}

template <Register which>
bool registerEnable(Session& session, Arguments arguments, std::string&) {
    return mask(session, arguments[0], 32767, (session.*which)().enable);
}

template <Register which>
bool registerEnableQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText((session.*which)().enable);
    return true;
}

bool statusPreset(Session& session, Arguments, std::string&) {
    session.operation().enable = 0;
    session.questionable().enable = 0;
    return true;
}

bool eventEnableQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.eventEnable());
    return true;
}

bool statusByteQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.statusByte());
    return true;
}

// Every command is finished before the next begins, so operations are complete at once.
bool operationComplete(Session& session, Arguments, std::string&) {
    session.eventStatus() |= kOperationComplete;
    return true;
}

bool operationCompleteQuery(Session&, Arguments, std::string& answer) {
    answer += '1';
    return true;
}

bool nothing(Session&, Arguments, std::string&) {
    return true;
}

bool selfTest(Session&, Arguments, std::string& answer) {
    answer += '0';
    return true;
}

bool programStore(Session& session, Arguments arguments, std::string&) {
    int program = 0;
    return integer(session, arguments[0], 1, 16, program) &&
           session.device(VRLTKV9D_ProgrammSpeichern(session.port(), session.address(), program));
}

bool programLoad(Session& session, Arguments arguments, std::string&) {
    int program = 0;
    return integer(session, arguments[0], 1, 16, program) &&
           session.device(VRLTKV9D_ProgrammLaden(session.port(), session.address(), program));
}

bool systemError(Session& session, Arguments, std::string& answer) {
    answer += session.errors().next();
    return true;
}

bool systemErrorCount(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.errors().size());
    return true;
}

bool systemErrorAll(Session& session, Arguments, std::string& answer) {
    answer += session.errors().next();
    while (!session.errors().empty()) answer += ',' + session.errors().next();
    return true;
}

bool systemVersion(Session&, Arguments, std::string& answer) {
    answer += "1999.0";
    return true;
}

bool systemAddress(Session& session, Arguments arguments, std::string&) {
    int address = 0;
    if (!integer(session, arguments[0], 1, 9, address)) return false;
    session.setAddress(static_cast<char>('0' + address));
    return true;
}

bool systemAddressQuery(Session& session, Arguments, std::string& answer) {
    answer += session.address();
    return true;
}

bool output(Session& session, Arguments arguments, std::string&) {
    bool on = false;
    return boolean(session, arguments[0], on) &&
           session.device(
               VRLTKV9D_DeviceFunction(session.port(), session.address(), on ? "start" : "stopp"));
}

bool outputQuery(Session& session, Arguments, std::string& answer) {
    int status = 0;
    if (!readDeviceStatus(session, status)) return false;
    answer += (status & kCurveRunning) != 0 ? '1' : '0';
    return true;
}

bool measureCurrent(Session& session, Arguments, std::string& answer) {
    return readParameter(session, "iststrom", answer);
}

bool measureVoltage(Session& session, Arguments, std::string& answer) {
    return readParameter(session, "istspannung", answer);
}

bool deviceStatus(Session& session, Arguments, std::string& answer) {
    int status = 0;
    if (!readDeviceStatus(session, status)) return false;
    answer += numberText(status);
    return true;
}

bool parameter(Session& session, Arguments arguments, std::string&) {
    std::string name;
    return string(session, arguments[0], name) && writeParameter(session, name, arguments[1]);
}

bool parameterQuery(Session& session, Arguments arguments, std::string& answer) {
    std::string name;
    if (!string(session, arguments[0], name)) return false;
    // An unknown name would reach the driver as a read it refuses; said here as SCPI says it.
    if (vrl::driver::findParameter(name) == nullptr) {
        session.fail(kIllegalParameterValue);
        return false;
    }
    return readParameter(session, name, answer);
}

bool parameterCatalog(Session&, Arguments, std::string& answer) {
    for (const Parameter& row : vrl::driver::kCatalogue) {
        if (&row != vrl::driver::kCatalogue.data()) answer += ',';
        answer += quotedText(row.name);
    }
    return true;
}

bool sourceCurrent(Session& session, Arguments arguments, std::string&) {
    return writeParameter(session, "strom1", arguments[0]);
}

// CURR? MAX and the like ask for the bound, not the setting.
bool sourceCurrentQuery(Session& session, Arguments arguments, std::string& answer) {
    if (arguments.empty()) return readParameter(session, "strom1", answer);
    const Bound bound = boundOf(arguments[0]);
    if (bound == Bound::None) {
        session.fail(kIllegalParameterValue);
        return false;
    }
    double value = 0.0;
    if (!boundValue(session, *vrl::driver::findParameter("strom1"), bound, value)) return false;
    answer += numberText(value);
    return true;
}

constexpr CommandRow kCommands[] = {
    {"*IDN?", 0, 0, false, identify},
    {"*RST", 0, 0, true, reset},
    {"*CLS", 0, 0, false, clearStatus},
    {"*ESR?", 0, 0, false, eventStatusQuery},
    {"*ESE", 1, 1, false, eventEnable},
    {"*ESE?", 0, 0, false, eventEnableQuery},
    {"*STB?", 0, 0, false, statusByteQuery},
    {"*SRE", 1, 1, false, serviceEnable},
    {"*SRE?", 0, 0, false, serviceEnableQuery},
    {"*OPT?", 0, 0, false, options},
    {"*OPC", 0, 0, false, operationComplete},
    {"*OPC?", 0, 0, false, operationCompleteQuery},
    {"*WAI", 0, 0, false, nothing},
    {"*TST?", 0, 0, false, selfTest},
    {"*SAV", 1, 1, true, programStore},
    {"*RCL", 1, 1, true, programLoad},
    {"SYSTem:ERRor[:NEXT]?", 0, 0, false, systemError},
    {"SYSTem:ERRor:COUNt?", 0, 0, false, systemErrorCount},
    {"SYSTem:ERRor:ALL?", 0, 0, false, systemErrorAll},
    {"SYSTem:VERSion?", 0, 0, false, systemVersion},
    {"SYSTem:ADDRess", 1, 1, false, systemAddress},
    {"SYSTem:ADDRess?", 0, 0, false, systemAddressQuery},
    {"OUTPut[:STATe]", 1, 1, true, output},
    {"OUTPut[:STATe]?", 0, 0, false, outputQuery},
    {"MEASure:CURRent?", 0, 0, false, measureCurrent},
    {"MEASure:VOLTage?", 0, 0, false, measureVoltage},
    {"STATus:DEVice?", 0, 0, false, deviceStatus},
    {"STATus:OPERation[:EVENt]?", 0, 0, false, registerEvent<&Session::operation>},
    {"STATus:OPERation:CONDition?", 0, 0, false, registerCondition<&Session::operation>},
    {"STATus:OPERation:ENABle", 1, 1, false, registerEnable<&Session::operation>},
    {"STATus:OPERation:ENABle?", 0, 0, false, registerEnableQuery<&Session::operation>},
    {"STATus:QUEStionable[:EVENt]?", 0, 0, false, registerEvent<&Session::questionable>},
    {"STATus:QUEStionable:CONDition?", 0, 0, false, registerCondition<&Session::questionable>},
    {"STATus:QUEStionable:ENABle", 1, 1, false, registerEnable<&Session::questionable>},
    {"STATus:QUEStionable:ENABle?", 0, 0, false, registerEnableQuery<&Session::questionable>},
    {"STATus:PRESet", 0, 0, false, statusPreset},
    {"PARameter", 2, 2, true, parameter},
    {"PARameter?", 1, 1, false, parameterQuery},
    {"PARameter:CATalog?", 0, 0, false, parameterCatalog},
    {"[SOURce]:CURRent[:LEVel]", 1, 1, true, sourceCurrent},
    {"[SOURce]:CURRent[:LEVel]?", 0, 1, false, sourceCurrentQuery},
};

}  // namespace

std::string_view errorText(int number) {
    for (const ErrorRow& row : kErrors)
        if (row.number == number) return row.text;
    return "Unknown error";
}

void ErrorQueue::push(int number, std::string_view detail) {
    if (entries_.size() < kCapacity) {
        entries_.push_back({number, std::string(detail)});
    } else {
        entries_.back() = {kQueueOverflow, {}};
    }
}

std::string ErrorQueue::next() {
    if (entries_.empty()) return "0,\"No error\"";
    const Entry entry = std::move(entries_.front());
    entries_.pop_front();
    std::string text(errorText(entry.number));
    if (!entry.detail.empty()) text += ';' + entry.detail;
    return numberText(entry.number) + ',' + quotedText(text);
}

bool headerMatches(std::string_view pattern, std::string_view header) {
    const bool query = !pattern.empty() && pattern.back() == '?';
    if (query) pattern.remove_suffix(1);
    if (header.empty() || (header.back() == '?') != query) return false;
    if (query) header.remove_suffix(1);
    if (!header.empty() && header.front() == ':') header.remove_prefix(1);
    std::vector<std::string_view> words;
    while (true) {
        const std::size_t end = header.find(':');
        words.push_back(header.substr(0, end));
        if (words.back().empty()) return false;
        if (end == std::string_view::npos) break;
        header.remove_prefix(end + 1);
    }
    const std::vector<Node> nodes = patternNodes(pattern);
    return nodesMatch(nodes, words);
}

Session::Session(int port, char address, bool readOnly, const LineState* line)
    : port_(port), address_(address), readOnly_(readOnly), line_(line) {}

void Session::fail(int number, std::string_view detail) {
    errors_.push(number, detail);
    eventStatus_ |= eventBit(number);
}

bool Session::device(int code) {
    if (code == 0) return true;
    // The text alone: this runs on the server's worker, which has no extra line of its own to
    // give, and must not take one another thread set.
    const std::string line = asciiText("Fehler #" + std::to_string(-static_cast<long long>(code)) +
                                       ": " + vrl::messages().text(code));
    switch (-code / 1000) {
        case 500:  // a value outside the catalogue's range
            fail(kDataOutOfRange, line);
            break;
        case 400:  // a query to the common address, which no device answers
        case 401:  // a name the catalogue does not have, or one that can only be read
        case 510:  // a text the line cannot carry
        case 113:  // a text too long for the frame
            fail(kIllegalParameterValue, line);
            break;
        default:
            if (line_ != nullptr && line_->missing)
                fail(kHardwareMissing, asciiText(goneText(port_)));
            else
                fail(vrl::driver::portGone(port_) ? kHardwareMissing : kHardwareError, line);
    }
    return false;
}

void Session::noteDeviceStatus(int word) {
    for (auto [status, condition] :
         {std::pair{&operation_, scpiBits(kOperationBits, word)},
          std::pair{&questionable_, scpiBits(kQuestionableBits, word)}}) {
        // Only bits that came on are latched, as SCPI's default transition filter has it.
        status->event |= condition & ~status->condition;
        status->condition = condition;
    }
}

void Session::clearStatus() {
    errors_.clear();
    eventStatus_ = 0;
    operation_.event = 0;
    questionable_.event = 0;
}

int Session::statusByte() const {
    int status = 0;
    if ((questionable_.event & questionable_.enable) != 0) status |= kQuestionableSummary;
    if (!errors_.empty()) status |= kErrorQueueNotEmpty;
    if ((eventStatus_ & eventEnable_) != 0) status |= kEventSummary;
    if ((operation_.event & operation_.enable) != 0) status |= kOperationSummary;
    if ((status & serviceEnable_) != 0) status |= kMasterSummary;
    return status;
}

std::string Session::executeLine(std::string_view line, const std::atomic<bool>* stop) {
    beginLine(line);
    while (step(stop)) {
    }
    return finishLine();
}

void Session::beginLine(std::string_view line) {
    commands_.clear();
    for (std::string_view command : splitCommands(line)) commands_.emplace_back(command);
    next_ = 0;
    answers_.clear();
    path_.clear();
    inLine_ = true;
}

bool Session::step(const std::atomic<bool>* stop) {
    if (!inLine_ || next_ >= commands_.size() || (stop != nullptr && stop->load())) return false;
    std::string answer;
    const bool done = executeCommand(commands_[next_++], path_, answer);
    if (!answer.empty()) answers_ += (answers_.empty() ? "" : ";") + answer;
    return done && next_ < commands_.size();
}

std::string Session::finishLine() {
    inLine_ = false;
    commands_.clear();
    return answers_.empty() ? std::string() : std::exchange(answers_, {}) + '\n';
}

bool Session::executeCommand(std::string_view command, std::string& path, std::string& answer) {
    command = trimmed(command);
    if (command.empty()) return true;
    const std::size_t end = std::min(command.find(' '), command.find('\t'));
    const std::string_view header = command.substr(0, end);
    if (!validHeader(header)) {
        fail(kSyntaxError);
        return false;
    }
    // After a ';' a header without a leading ':' continues the previous command's path
    // ("SOUR:CURR 1;CURR?" asks SOUR:CURR?); one the path does not fit is read from the root,
    // as "MEAS:CURR?;MEAS:VOLT?" is meant.
    const bool common = header.front() == '*';
    const bool relative = !common && header.front() != ':' && !path.empty();
    const std::string continued = relative ? path + ':' + std::string(header) : std::string();
    auto find = [](std::string_view text) -> const CommandRow* {
        for (const CommandRow& candidate : kCommands)
            if (headerMatches(candidate.pattern, text)) return &candidate;
        return nullptr;
    };
    const CommandRow* row = relative ? find(continued) : nullptr;
    const std::string_view used = row != nullptr ? std::string_view(continued) : header;
    if (row == nullptr) row = find(header);
    if (!common) {
        const std::size_t last = used.rfind(':');
        path = last == std::string_view::npos || last == 0 ? std::string() : used.substr(0, last);
    }
    if (row == nullptr) {
        fail(kUndefinedHeader);
        return false;
    }
    const auto arguments =
        parseArguments(end == std::string_view::npos ? std::string_view() : command.substr(end));
    if (!arguments) {
        fail(kSyntaxError);
        return false;
    }
    if (static_cast<int>(arguments->size()) < row->fewestArguments) {
        fail(kMissingParameter);
        return false;
    }
    if (static_cast<int>(arguments->size()) > row->mostArguments) {
        fail(kParameterNotAllowed);
        return false;
    }
    if (readOnly_ && row->changesDevice) {
        fail(kCommandProtected);
        return false;
    }
    std::string own;
    if (!row->run(*this, *arguments, own)) return false;
    answer = std::move(own);
    return true;
}

}  // namespace cli::scpi
