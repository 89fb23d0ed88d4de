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
#include "platform/text/language.h"
#include "platform/text/translate.h"
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
std::string deviceHelp() {
    return VRL_TR("tkv9d",
                  "  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird "
                  "(\\\\.\\COM3)\n");
}
std::string portInUseHelp() {
    return VRL_TR(
        "tkv9d",
        "Die Schnittstelle wird für tkv9d allein geöffnet: solange ein anderes Programm sie\n"
        "hält, endet tkv9d mit Fehler #100003 (\"ist belegt\"; Windows sagt nicht, welches\n"
        "Programm sie hält). Texte, die die Leitung nicht tragen kann (Steuerzeichen, Bytes\n"
        "über 0x7E, und '#', das jeden Rahmen beginnt; etwa in set programmname), werden\n"
        "abgelehnt, bevor etwas gesendet wird.\n"
        "Strg+C hält eine Übertragung nach dem Programm in Arbeit an, schließt die\n"
        "Schnittstelle, sagt, wie weit sie kam, und endet mit 130; ein zweites Strg+C beendet\n"
        "sofort. watch endet darauf mit 0.\n"
        "In cmd.exe wird die gemeinsame Adresse \"&\" oder ^& geschrieben.\n");
}
#else
std::string deviceHelp() {
    return VRL_TR(
        "tkv9d", "  --device PATH      das serielle Gerät, das statt dem des Ports benutzt wird\n");
}
std::string portInUseHelp() {
    return VRL_TR(
        "tkv9d",
        "Die Schnittstelle wird für tkv9d allein geöffnet: solange ein anderes Programm sie hält,\n"
        "endet tkv9d mit Fehler #100003 und nennt dieses Programm. Texte, die die Leitung nicht\n"
        "tragen kann (Steuerzeichen, Bytes über 0x7E, und '#', das jeden Rahmen beginnt; etwa in\n"
        "set programmname), werden abgelehnt, bevor etwas gesendet wird.\n"
        "Strg-C (SIGINT) oder SIGTERM hält eine Übertragung nach dem Programm in Arbeit an,\n"
        "schließt die Schnittstelle, sagt, wie weit sie kam, und endet mit 130 (SIGINT) oder 143\n"
        "(SIGTERM); ein zweites Signal beendet sofort. watch endet darauf mit 0.\n");
}
#endif

// The ways to name port 5 on this system, as --port takes them.
std::string portForms() {
#ifdef _WIN32
    return VRL_TR("tkv9d", "5, COM5 oder \\\\.\\COM5");
#else
    return VRL_TR("tkv9d", "5 oder COM5");
#endif
}

void printUsage(std::ostream& err) {
    err << VRL_TR("tkv9d",
                  "Aufruf: tkv9d [--port N | --device PATH] [--address C] [--timeout SECONDS]\n"
                  "              [--json] [--trace] [--trace-file PATH] COMMAND [ARGUMENTS]\n"
                  "        tkv9d --help | --version\n"
                  "Optionen:\n")
        << vrl::text::fill(
               VRL_TR("tkv9d", "  --port N           COM-Port 1..256 (Vorgabe 1), als %1\n"),
               {portForms()})
        << deviceHelp()
        << VRL_TR(
               "tkv9d",
               "  --address C        Geräteadresse 1..9, oder & für alle Geräte zugleich (Vorgabe\n"
               "                     1); & bekommt keine Antwort, daher lehnen die lesenden\n"
               "                     Befehle sie ab\n"
               "  --timeout SECONDS  wie lange jedes Lesen eines Bytes wartet (Vorgabe 1.5)\n"
               "  --json             id, scan, get und watch geben JSON-Objekte aus, eines je\n"
               "                     Zeile; ein Fehler gibt {\"error\": N, \"text\": \"...\"} auf\n"
               "                     stderr aus\n"
               "  --trace            eine Zeile je Transaktion auf stderr: Rahmen, Quittung,\n"
               "                     Antwort, Dauer, Ergebnis\n"
               "  --trace-file PATH  dieselben Zeilen, an PATH angehängt; nur für einen gültigen\n"
               "                     Befehl geöffnet; ein Protokoll, das nicht geschrieben werden\n"
               "                     kann, lässt den Befehl scheitern\n"
               "  --period SECONDS   watch: Zeit von einer Lesung zur nächsten, >= 0.01\n"
               "                     (Vorgabe 1)\n"
               "  --count N          watch: nach N Lesungen enden (Vorgabe: bis Strg-C)\n"
               "  --reconnect        watch: weiter aufzeichnen, wenn die Schnittstelle\n"
               "                     verschwindet (Adapter abgezogen), die fehlenden Lesungen\n"
               "                     markieren, sie wieder öffnen, wenn sie zurück ist\n"
               "  --help, -h         dieser Text\n"
               "  --version          Name, Version und Lizenz des Programms\n"
               "Befehle:\n");
    for (const Command& command : allCommands())
        err << "  " << command.name << (*command.arguments ? " " : "") << command.arguments << '\n';
    err << portInUseHelp()
        << VRL_TR(
               "tkv9d",
               "Auf einem Terminal zeigen programs-read, programs-write und diff eine\n"
               "Fortschrittszeile auf stderr. Eine Schnittstelle, die verschwindet, während sie\n"
               "offen ist, wird in einer zweiten Zeile genannt (\"Schnittstelle nicht mehr\n"
               "vorhanden\").\n");
}

// The rule the connection manager applies to the operator's choice, for every command alike.
char parseAddress(const std::string& text) {
    if (text.size() != 1 || !vrl::com::operatorAddress(text[0]))
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "--address muss eins von 1..9 oder & (alle Geräte) sein, nicht '%1'"),
            {text})};
    return text[0];
}

double parseSeconds(const std::string& text) {
    double value = 0.0;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, value);
    if (ec != std::errc() || end != last || !(value > 0.0) || value > 3600.0)
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d", "--timeout braucht eine Zahl von Sekunden, nicht '%1'"), {text})};
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
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d",
                   "--period braucht eine Zahl von Sekunden von 0.01 bis 86400, nicht '%1'"),
            {text})};
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

std::string goneNote(int port) {
    return vrl::text::fill(
        VRL_TR("tkv9d", "COM %1: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)"),
        {std::to_string(port)});
}

namespace {

bool gEnglish = false;

// The catalogue's text for the operator's line, in the operator's language. What machines read
// (--json, the SCPI error queue) keeps the German text they know.
std::string operatorMessage(int code) {
    if (!gEnglish) return VRL_Fehlermeldung(code);
    VRL_Fehlersprache(vrl::kLanguageEnglish);
    std::string text = VRL_Fehlermeldung(code);
    VRL_Fehlersprache(1);
    return text;
}

void reportFailure(const Context& ctx, int code) {
    std::string detail;
    if (code == -100003) {
        // The code cannot say why; the operator needs the device and the system's reason.
        const std::string path = vrl::driver::devicePath(ctx.port);
        const std::string reason = vrl::driver::openFailureReason(ctx.port);
        detail =
            "COM " + std::to_string(ctx.port) + ": " +
            (reason.empty()
                 ? (path.empty() ? VRL_TR("tkv9d", "kein Gerät für diese Schnittstelle") : path)
                 : reason);
    } else if (vrl::driver::portGone(ctx.port)) {
        detail = goneNote(ctx.port);
    }
    const long long number = -static_cast<long long>(code);
    if (ctx.json) {
        json::Object error;
        error.integer("error", number).text("text", VRL_Fehlermeldung(code));
        if (!detail.empty()) error.text("detail", detail);
        ctx.err << error.str() << '\n';
        return;
    }
    ctx.err << vrl::text::fill(VRL_TR("tkv9d", "Fehler #%1: %2"),
                               {std::to_string(number), operatorMessage(code)})
            << '\n';
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
    if (found->second.size() > 1)
        throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "%1 mehr als einmal angegeben"), {name})};
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
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d",
                   "%1 muss eine dezimale oder mit 0x hexadezimale ganze Zahl sein, "
                   "nicht '%2'"),
            {what, text})};
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
            if (i + 1 >= argc)
                throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "%1 braucht einen Wert"), {arg})};
            return argv[++i];
        };
        if (arg == "--port") {
            const std::string given = value();
            const auto port = vrl::driver::portFromArgument(given);
            if (!port)
                throw UsageError{vrl::text::fill(
                    VRL_TR("tkv9d", "--port muss eine Schnittstelle 1..256 sein (%1), nicht '%2'"),
                    {portForms(), given})};
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
            if (invocation.tracePath.empty())
                throw UsageError{VRL_TR("tkv9d", "--trace-file braucht einen Pfad")};
        } else if (arg == "--period") {
            ctx.period = parsePeriod(value());
            invocation.watchOption = invocation.watchOption.value_or(arg);
        } else if (arg == "--count") {
            const long long count = parseInteger(value(), "--count");
            if (count < 1) throw UsageError{VRL_TR("tkv9d", "--count muss mindestens 1 sein")};
            ctx.count = count;
            invocation.watchOption = invocation.watchOption.value_or(arg);
        } else if (arg == "--help" || arg == "-h") {
            // "serve --help": the command's own help, where it has one.
            for (const Command& command : allCommands()) {
                if (words.empty() || words.front() != command.name || !command.help) continue;
                ctx.out << vrl::text::fill(VRL_TR("tkv9d", "Aufruf: tkv9d [OPTIONS] %1 %2\n"),
                                           {command.name, command.arguments})
                        << command.help();
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
            throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "unbekannte Option %1"), {arg})};
        } else {
            words.push_back(arg);
        }
    }
    return false;
}

// The command the words name, with its arguments left in `words`, checked against what it takes.
Command chooseCommand(const Context& ctx, Invocation& invocation) {
    std::vector<std::string>& words = invocation.words;
    if (words.empty()) throw UsageError{VRL_TR("tkv9d", "kein Befehl angegeben")};
    const std::string name = words.front();
    words.erase(words.begin());
    if (invocation.watchOption && name != "watch")
        throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "%1 gehört zu watch, nicht zu %2"),
                                         {*invocation.watchOption, name})};
    for (const Command& command : allCommands()) {
        if (name != command.name) continue;
        for (const std::string& option : ctx.options.names()) {
            if (!takesOption(command, option))
                throw UsageError{
                    vrl::text::fill(VRL_TR("tkv9d", "%1 hat keine Option %2"), {name, option})};
        }
        if (command.argumentCount >= 0 && static_cast<int>(words.size()) != command.argumentCount)
            throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "%1 nimmt %2 Argument(e)"),
                                             {name, std::to_string(command.argumentCount)})};
        return command;
    }
    throw UsageError{vrl::text::fill(VRL_TR("tkv9d", "unbekannter Befehl %1"), {name})};
}

// How the command ended, told on stderr after its own output; the exit status.
int reportEnd(const Context& ctx, int code, int signal) {
    if (signal != 0) {
        // The port is closed by now; a transfer's own report came first. A command that had
        // finished its work when the signal came says so rather than what a stopped one leaves
        // behind.
        if (code == 0) {
            ctx.err << VRL_TR("tkv9d", "Hinweis: vor dem Abbruch vollständig ausgeführt.") << '\n';
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
            throw UsageError{
                vrl::text::fill(VRL_TR("tkv9d", "Protokolldatei %1 kann nicht geöffnet werden: %2"),
                                {tracePath, std::strerror(errno)})};
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
        ctx.err << (ctx.out ? vrl::text::fill(VRL_TR("tkv9d",
                                                     "tkv9d: Protokolldatei %1 konnte "
                                                     "nicht geschrieben werden"),
                                              {tracePath})
                            : VRL_TR("tkv9d", "tkv9d: stdout konnte nicht geschrieben werden"))
                << (reason != 0 ? std::string(": ") + std::strerror(reason) : "") << '\n';
        if (code == 0) code = kOutputLost;
    }
    return reportEnd(ctx, code, InterruptHandling::received());
}

}  // namespace

void useLanguage(vrl::text::Language language) {
    vrl::text::useLanguage(language);
    gEnglish = language == vrl::text::Language::English;
}

int run(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Context ctx{1, '1', 1.5, out, err};
    try {
        Invocation invocation;
        if (parseCommandLine(argc, argv, ctx, invocation)) return 0;
        const Command command = chooseCommand(ctx, invocation);
        // A script reads what --json prints, the detail of an error included: the command says
        // everything in the texts it always gave, whatever the locale.
        struct MachineTexts {
            bool on;
            ~MachineTexts() {
                if (on)
                    vrl::text::useLanguage(gEnglish ? vrl::text::Language::English
                                                    : vrl::text::Language::German);
            }
        } machine{ctx.json};
        if (machine.on) vrl::text::useLanguage(vrl::text::Language::German);
        return runWithSurroundings(command, ctx, invocation);
    } catch (const UsageError& usage) {
        // The reason, and where to read more: the whole usage would push the reason off a small
        // console window.
        err << "tkv9d: " << usage.message << '\n'
            << VRL_TR("tkv9d", "Mehr mit 'tkv9d --help'.") << '\n';
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
