#include "cli/cli.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <ostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/interrupt.h"
#include "cli/json.h"
#include "cli/progress.h"
#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "driver/ports.h"
#include "driver/trace.h"
#include "driver/vrltkv9d.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/workspace.h"
#include "platform/files/system_path.h"
#include "tkv9d_version.h"

namespace cli {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// Not an error code of the program: the command did its work but its output did not arrive.
constexpr int kOutputLost = 1;

// What the help says where the systems differ: Windows does not tell who holds a port, its
// devices are COM names, and its console sends Ctrl+C, not SIGTERM.
#ifdef _WIN32
constexpr const char* kDeviceHelp =
    "  --device PATH      the serial device to use, instead of the port's own (\\\\.\\COM3)\n";
constexpr const char* kPortInUse =
    "The port is opened for tkv9d alone: while another program holds it, tkv9d stops with\n"
    "Fehler #100003 (\"ist belegt\"; Windows does not say which program holds it). Texts the\n"
    "line cannot carry (control characters, bytes above 0x7E, and '#', which begins every\n"
    "frame; for example in set programmname) are refused before anything is sent.\n"
    "Ctrl+C stops a transfer after the program in hand, closes the port, says how far it got\n"
    "and exits 130; a second Ctrl+C ends at once. watch ends on it with 0.\n"
    "In cmd.exe the common address is written \"&\" or ^&.\n";
#else
constexpr const char* kDeviceHelp =
    "  --device PATH      the serial device to use, instead of the port's own\n";
constexpr const char* kPortInUse =
    "The port is opened for tkv9d alone: while another program holds it, tkv9d stops with\n"
    "Fehler #100003 and names that program. Texts the line cannot carry (control\n"
    "characters, bytes above 0x7E, and '#', which begins every frame; for example in set\n"
    "programmname) are refused before anything is sent.\n"
    "Ctrl-C (SIGINT) or SIGTERM stops a transfer after the program in hand, closes the\n"
    "port, says how far it got and exits 130 (SIGINT) or 143 (SIGTERM); a second signal\n"
    "ends at once. watch ends on them with 0.\n";
#endif

// The ways to name port 5 on this system, as --port takes them.
#ifdef _WIN32
constexpr const char* kPortForms = "5, COM5 or \\\\.\\COM5";
#else
constexpr const char* kPortForms = "5 or COM5";
#endif

void printUsage(std::ostream& err) {
    err << "usage: tkv9d [--port N | --device PATH] [--address C] [--timeout SECONDS] [--json]\n"
           "             [--trace] [--trace-file PATH] COMMAND [ARGUMENTS]\n"
           "       tkv9d --help | --version\n"
           "options:\n"
           "  --port N           COM port 1..256 (default 1), as "
        << kPortForms << "\n"
        << kDeviceHelp
        << "  --address C        device address 1..9, or & for every device at once (default 1);\n"
           "                     & gets no answer, so the reading commands refuse it\n"
           "  --timeout SECONDS  how long each byte read waits (default 1.5)\n"
           "  --json             id, scan, get and watch print JSON objects, one a line; a "
           "failure\n"
           "                     prints {\"error\": N, \"text\": \"...\"} on stderr\n"
           "  --trace            one line per transaction on stderr: frame, acknowledgement,\n"
           "                     answer, duration, outcome\n"
           "  --trace-file PATH  the same lines, appended to PATH; opened only for a valid\n"
           "                     command; a trace that cannot be written fails the command\n"
           "  --period SECONDS   watch: time from one reading to the next, >= 0.01 (default 1)\n"
           "  --count N          watch: stop after N readings (default: until Ctrl-C)\n"
           "  --reconnect        watch: keep logging when the port goes away (adapter unplugged),\n"
           "                     mark the missing readings, reopen it when it is back\n"
           "  --help, -h         this text\n"
           "  --version          the program's name, version and licence\n"
           "commands:\n";
    for (const Command& command : allCommands())
        err << "  " << command.name << (*command.arguments ? " " : "") << command.arguments << '\n';
    err << kPortInUse
        << "On a terminal, programs-read, programs-write and diff show a progress line on stderr.\n"
           "A port that goes away while open is named on a second line (\"Schnittstelle nicht\n"
           "mehr vorhanden\").\n";
}

// The rule the connection manager applies to the operator's choice, for every command alike.
char parseAddress(const std::string& text) {
    if (text.size() != 1 || !vrl::com::operatorAddress(text[0]))
        throw UsageError{"--address must be one of 1..9 or & (every device), got '" + text + "'"};
    return text[0];
}

double parseSeconds(const std::string& text) {
    double value = 0.0;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, value);
    if (ec != std::errc() || end != last || !(value > 0.0) || value > 3600.0)
        throw UsageError{"--timeout needs a number of seconds, got '" + text + "'"};
    return value;
}

// Shorter periods than a reading takes are served with overruns reported; one near zero would
// make every reading skip countless slots (and one below a clock tick divide by zero).
constexpr double kShortestPeriod = 0.01;  // [s]

double parsePeriod(const std::string& text) {
    double value = 0.0;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, value);
    if (ec != std::errc() || end != last || !(value >= kShortestPeriod) || value > 86400.0)
        throw UsageError{"--period needs a number of seconds from 0.01 to 86400, got '" + text +
                         "'"};
    return value;
}

// An option of one of the commands; which command may take it is checked with the command.
const CommandOption* commandOption(const std::string& arg) {
    for (const Command& command : allCommands())
        for (const CommandOption& option : command.options)
            if (arg == option.name) return &option;
    return nullptr;
}

bool takesOption(const Command& command, const std::string& name) {
    for (const CommandOption& option : command.options)
        if (name == option.name) return true;
    return false;
}

}  // namespace

std::string goneText(int port) {
    return "COM " + std::to_string(port) + ": Schnittstelle nicht mehr vorhanden (Gerät getrennt?)";
}

namespace {

void reportFailure(const Context& ctx, int code) {
    std::string detail;
    if (code == -100003) {
        // The code cannot say why; the operator needs the device and the system's reason.
        const std::string path = vrl::driver::devicePath(ctx.port);
        const std::string reason = vrl::driver::openFailureReason(ctx.port);
        detail = "COM " + std::to_string(ctx.port) + ": " +
                 (reason.empty() ? (path.empty() ? "no device for this port" : path) : reason);
    } else if (vrl::driver::portGone(ctx.port)) {
        detail = goneText(ctx.port);
    }
    const long long number = -static_cast<long long>(code);
    if (ctx.json) {
        json::Object error;
        error.integer("error", number).text("text", VRL_Fehlermeldung(code));
        if (!detail.empty()) error.text("detail", detail);
        ctx.err << error.str() << '\n';
        return;
    }
    ctx.err << "Fehler #" << number << ": " << VRL_Fehlermeldung(code) << '\n';
    if (!detail.empty()) ctx.err << detail << '\n';
}

// The trace lines, each flushed at once: a technician watches them arrive, and a run that is
// killed keeps every line of the transactions it finished.
class TraceWriter : public vrl::driver::TraceSink {
  public:
    void add(std::ostream& stream) { streams_.push_back(&stream); }
    void record(const vrl::driver::TraceRecord& record) override {
        const std::string line = vrl::driver::traceLine(record);
        for (std::ostream* stream : streams_) writeLine(*stream, line);
    }
    bool empty() const { return streams_.empty(); }

  private:
    std::vector<std::ostream*> streams_;
};

// Installed for one command, removed on every way out.
class TraceInstalled {
  public:
    explicit TraceInstalled(TraceWriter& writer) : on_(!writer.empty()) {
        if (on_) vrl::driver::setTraceSink(&writer);
    }
    ~TraceInstalled() {
        if (on_) vrl::driver::setTraceSink(nullptr);
    }
    TraceInstalled(const TraceInstalled&) = delete;
    TraceInstalled& operator=(const TraceInstalled&) = delete;

  private:
    bool on_;
};

// What the operations would show in a popup (how far a stopped transfer got) becomes a line on
// stderr; questions take their first answer, as nobody is there to give another.
bool stderrIsTerminal() {
#ifdef _WIN32
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

// One command is one operation, as one button in the window is: a signal asks it to stop
// between two records, and how far it got is told when it has ended.
int runCommand(const Command& command, Context& ctx, const std::vector<std::string>& words) {
    const vrl::op::Operation operation(std::string("tkv9d ") + command.name);
    // A signal before the operation began is not lost by its start.
    if (InterruptHandling::received() != 0) vrl::op::requestCancel();
    return command.opensPort ? command.run(ctx, words) : withOpenPort(ctx, command.run, words);
}

}  // namespace

std::optional<std::string> CommandOptions::value(const std::string& name) const {
    const auto found = given_.find(name);
    if (found == given_.end()) return std::nullopt;
    if (found->second.size() > 1) throw UsageError{name + " given more than once"};
    return found->second.front();
}

std::vector<std::string> CommandOptions::values(const std::string& name) const {
    const auto found = given_.find(name);
    return found == given_.end() ? std::vector<std::string>{} : found->second;
}

std::vector<std::string> CommandOptions::names() const {
    std::vector<std::string> names;
    for (const auto& [name, unused] : given_) names.push_back(name);
    return names;
}

long long parseInteger(const std::string& text, const char* what) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    long long value = 0;
    const char* last = digits.data() + digits.size();
    auto [end, ec] = std::from_chars(digits.data(), last, value, base);
    if (digits.empty() || ec != std::errc() || end != last)
        throw UsageError{std::string(what) + " must be a decimal or 0x hexadecimal integer, got '" +
                         text + "'"};
    return negative ? -value : value;
}

int withOpenPort(Context& ctx, int (*body)(Context&, const std::vector<std::string>&),
                 const std::vector<std::string>& arguments) {
    if (int code = VRLTKV9D_Open(ctx.port, vrl::driver::kBaudRate); code != 0) return code;
    // Closed on every way out, a usage error found in the arguments included.
    struct Closer {
        int port;
        ~Closer() { VRLTKV9D_Close(port); }
    } closer{ctx.port};
    if (int code = dropStaleAnswers(ctx); code != 0) return code;
    return body(ctx, arguments);
}

int dropStaleAnswers(const Context& ctx) {
    vrl::driver::dropStaleInput(ctx.port, vrl::driver::kQuietLine, ctx.timeout);
    return VRLTKV9D_Timeout(ctx.port, ctx.timeout);
}

int reopenPort(const Context& ctx, std::string& identification) {
    return vrl::driver::reopenAndIdentify(ctx.port, ctx.address, ctx.timeout, identification);
}

void writeLine(std::ostream& stream, std::string_view line) {
    static std::mutex mutex;
    std::string whole(line);
    whole += '\n';
    const std::lock_guard lock(mutex);
    stream.write(whole.data(), static_cast<std::streamsize>(whole.size()));
    stream.flush();
}

namespace {

// What the command line asks for besides the context and the command's own options.
struct Invocation {
    std::vector<std::string> words;  // the command's name and its arguments
    std::string device;
    bool traceToErr = false;
    std::string tracePath;
    std::optional<std::string> watchOption;  // the first of watch's options given
};

// Reads the command line into `ctx` and `invocation`. True when it was --help or --version,
// answered already.
bool parseCommandLine(int argc, char** argv, Context& ctx, Invocation& invocation) {
    std::vector<std::string>& words = invocation.words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
            return argv[++i];
        };
        if (arg == "--port") {
            const std::string given = value();
            const auto port = vrl::driver::portFromArgument(given);
            if (!port)
                throw UsageError{"--port must be a port 1..256 (" + std::string(kPortForms) +
                                 "), got '" + given + "'"};
            ctx.port = *port;
        } else if (arg == "--device") {
            invocation.device = value();
        } else if (arg == "--address") {
            ctx.address = parseAddress(value());
        } else if (arg == "--timeout") {
            ctx.timeout = parseSeconds(value());
        } else if (arg == "--json") {
            ctx.json = true;
        } else if (arg == "--trace") {
            invocation.traceToErr = true;
        } else if (arg == "--trace-file") {
            invocation.tracePath = value();
            if (invocation.tracePath.empty()) throw UsageError{"--trace-file needs a path"};
        } else if (arg == "--period") {
            ctx.period = parsePeriod(value());
            invocation.watchOption = invocation.watchOption.value_or(arg);
        } else if (arg == "--count") {
            const long long count = parseInteger(value(), "--count");
            if (count < 1) throw UsageError{"--count must be at least 1"};
            ctx.count = count;
            invocation.watchOption = invocation.watchOption.value_or(arg);
        } else if (arg == "--help" || arg == "-h") {
            // "serve --help": the command's own help, where it has one.
            for (const Command& command : allCommands()) {
                if (words.empty() || words.front() != command.name || !command.help) continue;
                ctx.out << "usage: tkv9d [OPTIONS] " << command.name << ' ' << command.arguments
                        << '\n'
                        << command.help;
                return true;
            }
            printUsage(ctx.out);
            return true;
        } else if (arg == "--version") {
            ctx.out << "tkv9d " << kProjectVersion << '\n' << kVersionNotice;
            return true;
        } else if (const CommandOption* own = commandOption(arg)) {
            ctx.options.add(arg, own->takesValue ? value() : std::string());
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            throw UsageError{"unknown option " + arg};
        } else {
            words.push_back(arg);
        }
    }
    return false;
}

// The command the words name, with its arguments left in `words`, checked against what it takes.
Command chooseCommand(const Context& ctx, Invocation& invocation) {
    std::vector<std::string>& words = invocation.words;
    if (words.empty()) throw UsageError{"no command given"};
    const std::string name = words.front();
    words.erase(words.begin());
    if (invocation.watchOption && name != "watch")
        throw UsageError{*invocation.watchOption + " belongs to watch, not to " + name};
    for (const Command& command : allCommands()) {
        if (name != command.name) continue;
        for (const std::string& option : ctx.options.names()) {
            if (!takesOption(command, option)) throw UsageError{name + " has no option " + option};
        }
        if (command.argumentCount >= 0 && static_cast<int>(words.size()) != command.argumentCount)
            throw UsageError{name + " takes " + std::to_string(command.argumentCount) +
                             " argument(s)"};
        return command;
    }
    throw UsageError{"unknown command " + name};
}

// How the command ended, told on stderr after its own output; the exit status.
int reportEnd(const Context& ctx, int code, int signal) {
    if (signal != 0) {
        // The port is closed by now; a transfer's own report came first. A command that had
        // finished its work when the signal came says so rather than what a stopped one leaves
        // behind.
        if (code == 0) {
            ctx.err << "Hinweis: vor dem Abbruch vollständig ausgeführt.\n";
        } else if (vrl::isSilent(code)) {
            if (!ctx.interruptNote.empty()) ctx.err << ctx.interruptNote << '\n';
        } else {
            if (code != kOutputLost) reportFailure(ctx, code);
            if (!ctx.failureNote.empty()) ctx.err << ctx.failureNote << '\n';
        }
        return interruptedStatus(signal);
    }
    if (code == 0) return 0;
    if (code != kOutputLost) reportFailure(ctx, code);
    if (!ctx.failureNote.empty()) ctx.err << ctx.failureNote << '\n';
    return kExitFailure;
}

// Runs the command with what one run of the tool has around it: the trace, popups as lines on
// stderr, progress, the signals. Returns the exit status.
int runWithSurroundings(const Command& command, Context& ctx, const Invocation& invocation) {
    TraceWriter trace;
    if (invocation.traceToErr) trace.add(ctx.err);
    // Appended: a technician collects the runs of a day in one file. Opened only for a command
    // that will run, so that a mistyped line leaves no file behind.
    const std::string& tracePath = invocation.tracePath;
    std::ofstream traceFile;
    if (!tracePath.empty()) {
        if (const auto path = files::systemPath(tracePath)) traceFile.open(*path, std::ios::app);
        if (!traceFile)
            throw UsageError{"cannot open trace file " + tracePath + ": " + std::strerror(errno)};
        trace.add(traceFile);
    }
    // The port is known to the serial layer by number; --device names it directly.
    if (!invocation.device.empty()) vrl::driver::setPortPath(ctx.port, invocation.device);
    TraceInstalled tracing(trace);
    // A popup's text is the detail of the error line; its title is the program's window's.
    vrl::ConsolePopups popups(ctx.err, {.messageTitle = false});
    vrl::PopupsGuard popupsInstalled(popups);
    // A table and file state of the run's own: a second run in the same process starts afresh.
    vrl::params::ScopedWorkspace workspace;
    CommandProgress progress(ctx.err, &ctx.err == &std::cerr && stderrIsTerminal());
    InterruptHandling interrupts;
    int code = runCommand(command, ctx, invocation.words);
    ctx.out.flush();
    if (!tracePath.empty()) traceFile.flush();
    // A result or trace line that never arrived is no success: a script would take the empty
    // output for the value.
    if (!ctx.out || (!tracePath.empty() && !traceFile)) {
        const int reason = errno;
        ctx.err << "tkv9d: " << (ctx.out ? "trace file " + tracePath : std::string("stdout"))
                << " could not be written"
                << (reason != 0 ? std::string(": ") + std::strerror(reason) : "") << '\n';
        if (code == 0) code = kOutputLost;
    }
    return reportEnd(ctx, code, InterruptHandling::received());
}

}  // namespace

int run(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Context ctx{1, '1', 1.5, out, err};
    try {
        Invocation invocation;
        if (parseCommandLine(argc, argv, ctx, invocation)) return 0;
        const Command command = chooseCommand(ctx, invocation);
        return runWithSurroundings(command, ctx, invocation);
    } catch (const UsageError& usage) {
        // The reason, and where to read more: the whole usage would push the reason off a small
        // console window.
        err << "tkv9d: " << usage.message << "\nTry 'tkv9d --help'.\n";
        return kExitUsage;
    }
}

std::vector<Command> allCommands() {
    std::vector<Command> commands;
    for (auto list : {linkCommands(), parameterCommands(), watchCommands(), programCommands(),
                      verifyCommands(), serveCommands()})
        commands.insert(commands.end(), list.begin(), list.end());
    return commands;
}

}  // namespace cli
