#include "cli/scpi.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "driver/parameter_catalogue.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"

namespace cli::scpi {

namespace {

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
constexpr int kErrorQueueNotEmpty = 0x04;
constexpr int kEventSummary = 0x20;

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

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
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
            if (token.empty() || std::any_of(token.begin(), token.end(), isBlank))
                return std::nullopt;
            argument.text = token;
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

// A number in SCPI's decimal forms: 1.5, +1.5, 1.5E0, -2e-3. Anything else is -104.
bool number(Session& session, const Argument& argument, double& value) {
    std::string_view text = argument.text;
    if (!argument.quoted && text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (argument.quoted || text.empty() || ec != std::errc() || end != last ||
        !std::isfinite(value)) {
        session.fail(kDataTypeError);
        return false;
    }
    return true;
}

// A whole number low..high; a fraction is -224, a number outside the range -222.
bool integer(Session& session, const Argument& argument, int low, int high, int& value) {
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

bool boolean(Session& session, const Argument& argument, bool& value) {
    if (!argument.quoted && (sameLetters(argument.text, "ON") || argument.text == "1")) {
        value = true;
        return true;
    }
    if (!argument.quoted && (sameLetters(argument.text, "OFF") || argument.text == "0")) {
        value = false;
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

// Writes a catalogue parameter; the driver checks the name, the range and the text's bytes
// before its frame, so a refused value sends nothing.
bool writeParameter(Session& session, std::string_view name, const Argument& value) {
    const Parameter* row = vrl::driver::findParameter(name);
    double real = 0.0;
    int whole = 0;
    std::string text;
    if (row != nullptr) {
        switch (row->kind) {
            case ValueKind::Real:
                if (!number(session, value, real)) return false;
                break;
            case ValueKind::Integer:
            case ValueKind::HexWord:
                if (!number(session, value, real)) return false;
                if (real != std::floor(real)) {
                    session.fail(kIllegalParameterValue);
                    return false;
                }
                // Beyond int the driver's range check refuses the nearest int all the same.
                whole = static_cast<int>(std::clamp(real, -2147483648.0, 2147483647.0));
                break;
            case ValueKind::Text:
                if (!string(session, value, text)) return false;
                break;
        }
    }
    return session.device(
        VRLTKV9D_ParameterSchreiben(session.port(), session.address(), name, real, whole, text));
}

using Arguments = std::span<const Argument>;

bool identify(Session& session, Arguments, std::string& answer) {
    std::string id;
    if (!session.device(VRLTKV9D_IDLesen(session.port(), session.address(), id))) return false;
    // The text is the fourth field: a comma in it would make a fifth.
    std::replace(id.begin(), id.end(), ',', '.');
    answer += "VRL,TKV-9D,0," + id;
    return true;
}

bool reset(Session& session, Arguments, std::string&) {
    return session.device(VRLTKV9D_DeviceFunction(session.port(), session.address(), "stopp"));
}

bool clearStatus(Session& session, Arguments, std::string&) {
    session.errors().clear();
    session.eventStatus() = 0;
    return true;
}

bool eventStatusQuery(Session& session, Arguments, std::string& answer) {
    answer += numberText(session.eventStatus());
    session.eventStatus() = 0;
    return true;
}

bool eventEnable(Session& session, Arguments arguments, std::string&) {
    return integer(session, arguments[0], 0, 255, session.eventEnable());
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

constexpr int kCurveRunning = 0x0001;  // the status word's "Kurve läuft"

bool outputQuery(Session& session, Arguments, std::string& answer) {
    double real = 0.0;
    int status = 0;
    std::string text;
    if (!session.device(VRLTKV9D_ParameterLesen(session.port(), session.address(), "status", &real,
                                                &status, &text)))
        return false;
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
    return readParameter(session, "status", answer);
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

bool sourceCurrentQuery(Session& session, Arguments, std::string& answer) {
    return readParameter(session, "strom1", answer);
}

constexpr CommandRow kCommands[] = {
    {"*IDN?", 0, 0, false, identify},
    {"*RST", 0, 0, true, reset},
    {"*CLS", 0, 0, false, clearStatus},
    {"*ESR?", 0, 0, false, eventStatusQuery},
    {"*ESE", 1, 1, false, eventEnable},
    {"*ESE?", 0, 0, false, eventEnableQuery},
    {"*STB?", 0, 0, false, statusByteQuery},
    {"*OPC", 0, 0, false, operationComplete},
    {"*OPC?", 0, 0, false, operationCompleteQuery},
    {"*WAI", 0, 0, false, nothing},
    {"*TST?", 0, 0, false, selfTest},
    {"*SAV", 1, 1, true, programStore},
    {"*RCL", 1, 1, true, programLoad},
    {"SYSTem:ERRor[:NEXT]?", 0, 0, false, systemError},
    {"SYSTem:VERSion?", 0, 0, false, systemVersion},
    {"SYSTem:ADDRess", 1, 1, false, systemAddress},
    {"SYSTem:ADDRess?", 0, 0, false, systemAddressQuery},
    {"OUTPut[:STATe]", 1, 1, true, output},
    {"OUTPut[:STATe]?", 0, 0, false, outputQuery},
    {"MEASure:CURRent?", 0, 0, false, measureCurrent},
    {"MEASure:VOLTage?", 0, 0, false, measureVoltage},
    {"STATus:DEVice?", 0, 0, false, deviceStatus},
    {"PARameter", 2, 2, true, parameter},
    {"PARameter?", 1, 1, false, parameterQuery},
    {"PARameter:CATalog?", 0, 0, false, parameterCatalog},
    {"SOURce:CURRent[:LEVel]", 1, 1, true, sourceCurrent},
    {"SOURce:CURRent[:LEVel]?", 0, 0, false, sourceCurrentQuery},
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

std::span<const CommandRow> commandTable() {
    return kCommands;
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

Session::Session(int port, char address, bool readOnly)
    : port_(port), address_(address), readOnly_(readOnly) {}

void Session::fail(int number, std::string_view detail) {
    errors_.push(number, detail);
    eventStatus_ |= eventBit(number);
}

bool Session::device(int code) {
    if (code == 0) return true;
    const std::string line = asciiText("Fehler #" + std::to_string(-static_cast<long long>(code)) +
                                       ": " + VRL_Fehlermeldung(code));
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
            fail(vrl::driver::portGone(port_) ? kHardwareMissing : kHardwareError, line);
    }
    return false;
}

int Session::statusByte() const {
    int status = 0;
    if (!errors_.empty()) status |= kErrorQueueNotEmpty;
    if ((eventStatus_ & eventEnable_) != 0) status |= kEventSummary;
    return status;
}

std::string Session::executeLine(std::string_view line, const std::atomic<bool>* stop) {
    std::string answers;
    std::string path;  // the header path the next command of the line continues
    for (std::string_view command : splitCommands(line)) {
        if (stop != nullptr && stop->load()) break;
        std::string answer;
        const bool done = executeCommand(command, path, answer);
        if (!answer.empty()) answers += (answers.empty() ? "" : ";") + answer;
        if (!done) break;
    }
    return answers.empty() ? answers : answers + '\n';
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
