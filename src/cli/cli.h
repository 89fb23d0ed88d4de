#pragma once

// The tkv9d tool: device operations from a shell, through the same driver code as the program.

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

struct Context {
    int port = 1;
    char address = '1';
    double timeout = 1.5;  // [s] per byte read
    std::ostream& out;
    std::ostream& err;
};

// Thrown for a command line that cannot be carried out as written (exit status 2).
struct UsageError {
    std::string message;
};

struct Command {
    const char* name;
    const char* arguments;  // for the usage text
    int argumentCount;      // -1: any number
    // Returns 0 or an error code; prints its results on ctx.out.
    int (*run)(Context& ctx, const std::vector<std::string>& arguments);
    // The command opens and closes the port itself (through the connection manager).
    bool opensPort = false;
};

std::span<const Command> linkCommands();
std::span<const Command> programCommands();
// get, set, mem-read, mem-write.
std::span<const Command> parameterCommands();

// Every command the tool knows, in the order the usage text lists them.
std::vector<Command> allCommands();

// Opens the port for a command, runs it and closes the port again. Returns an error code.
int withOpenPort(Context& ctx, int (*body)(Context&, const std::vector<std::string>&),
                 const std::vector<std::string>& arguments);

// The whole tool: options, command, error report. Returns the exit status.
int run(int argc, char** argv, std::ostream& out, std::ostream& err);

// Parses a whole decimal or 0x-prefixed hexadecimal integer; throws UsageError otherwise.
long long parseInteger(const std::string& text, const char* what);

}  // namespace cli
