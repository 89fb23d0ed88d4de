#pragma once

// The tkv9d tool: device operations from a shell, through the same driver code as the program.

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/parameter_catalogue.h"
#include "params/parametersatz.h"
#include "platform/text/language.h"

namespace cli {

// The options that only some commands take, as given: a flag, an option with one value
// ("--entry 5"), or one given as often as needed ("--allow", each value kept).
class CommandOptions {
  public:
    void add(const std::string& name, std::string value) {
        given_[name].push_back(std::move(value));
    }
    bool has(const std::string& name) const { return given_.contains(name); }
    // The one value of an option given once; nothing when not given. Throws UsageError when it
    // was given more than once.
    std::optional<std::string> value(const std::string& name) const;
    // Every value, in the order given.
    std::vector<std::string> values(const std::string& name) const;
    std::vector<std::string> names() const;

  private:
    std::map<std::string, std::vector<std::string>> given_;
};

struct Context {
    int port = 1;
    char address = '1';
    double timeout = 1.5;  // [s] per byte read
    std::ostream& out;
    std::ostream& err;
    bool json = false;  // results and errors as JSON objects, one a line
    // watch's own options.
    double period = 1.0;  // [s] from one reading's start to the next
    long long count = 0;  // readings before watch ends; 0: until interrupted
    // What the device holds when a signal stopped the command, told after its own report.
    std::string interruptNote{};
    // What the device holds after the command failed part-way, told after the error.
    std::string failureNote{};
    // The command's own options as given.
    CommandOptions options{};
};

// Thrown for a command line that cannot be carried out as written (exit status 2).
struct UsageError {
    std::string message;
};

// An option that only one command takes ("--entry" of curve).
struct CommandOption {
    const char* name;
    bool takesValue;
};

struct Command {
    const char* name;
    const char* arguments;  // for the usage text
    int argumentCount;      // -1: any number
    // Returns 0 or an error code; prints its results on ctx.out.
    int (*run)(Context& ctx, const std::vector<std::string>& arguments);
    // The command opens and closes the port itself (through the connection manager).
    bool opensPort = false;
    std::span<const CommandOption> options = {};
    // What `tkv9d COMMAND --help` prints below the command's usage line, in the operator's
    // language; null: the tool's help.
    std::string (*help)() = nullptr;
};

std::span<const Command> linkCommands();
std::span<const Command> programCommands();
// get, set, mem-read, mem-write.
std::span<const Command> parameterCommands();
// watch.
std::span<const Command> watchCommands();
// diff, curve.
std::span<const Command> verifyCommands();
// serve: the device as a SCPI instrument on a TCP socket; empty where built without sockets.
std::span<const Command> serveCommands();

// Every command the tool knows, in the order the usage text lists them.
std::vector<Command> allCommands();

// Opens the port for a command, runs it and closes the port again. Returns an error code.
int withOpenPort(Context& ctx, int (*body)(Context&, const std::vector<std::string>&),
                 const std::vector<std::string>& arguments);

// Throws away what arrives on a port just opened until the line is quiet: the late answer to a
// frame that an ended tkv9d sent last (killed during a transfer) is never taken for the answer
// to this one's first frame. Sets the port's time-out to ctx.timeout.
int dropStaleAnswers(const Context& ctx);

// Opens a port that went away (adapter unplugged) again and reads the identification of the
// device at ctx.address into `identification`. Returns 0, or the code of the open or the read
// with the port closed again.
int reopenPort(const Context& ctx, std::string& identification);

// Writes one line and its LF whole, under one lock for the whole tool, so that lines of several
// threads (serve's log and the trace) never run into each other.
void writeLine(std::ostream& stream, std::string_view line);

// Runs body with the port open and the address set through the connection manager, as the
// program holds its connection; closes the port again. Returns body's code or the opening's.
int connected(Context& ctx, const std::function<int()>& body);

// After a write of the whole table: reads the table back from the device (the frames of
// programs-read) and lists on ctx.out every field that differs from `written`.
int verifyTable(Context& ctx, std::span<const Parametersatz> written);

// The language of the tool's texts from here on (German until chosen): its messages, help and
// error lines; what machines read (--json, CSV, the server's log and SCPI errors) stays as it is.
void useLanguage(vrl::text::Language language);

// The whole tool: options, command, error report. Returns the exit status.
int run(int argc, char** argv, std::ostream& out, std::ostream& err);

// One parameter's value as read from the device.
struct Value {
    vrl::driver::ValueKind kind = vrl::driver::ValueKind::Real;
    double real = 0.0;
    int integer = 0;
    std::string text;
};

// Reads a parameter of the catalogue by name. Returns 0 or the driver's code.
int readValue(const Context& ctx, const std::string& name, Value& value);
// The value as get prints it: shortest real, decimal integer, hex word as 0x001F, text as is.
std::string valueText(const Value& value);
// The value as JSON: a number (hex words too), or a string for the text.
std::string valueJson(const Value& value);

// "COM 7: Schnittstelle nicht mehr vorhanden (Gerät getrennt?)": the port went away while open,
// as the server's log and its SCPI errors say it, whatever the language.
std::string goneText(int port);
// The same for the operator, in the operator's language.
std::string goneNote(int port);

// Parses a whole decimal or 0x-prefixed hexadecimal integer; throws UsageError otherwise.
long long parseInteger(const std::string& text, const char* what);

}  // namespace cli
