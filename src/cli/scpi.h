#pragma once

// One client's SCPI session with the device: its error queue, its status registers and its
// device address. The session runs the commands of a line through the same driver functions
// that get and set use, on a port that is already open; it knows nothing of sockets, so the
// server and the tests drive it alike.

#include <atomic>
#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli::scpi {

// The standard error numbers the session reports, with their texts.
inline constexpr int kCommandError = -100;
inline constexpr int kSyntaxError = -102;
inline constexpr int kDataTypeError = -104;
inline constexpr int kParameterNotAllowed = -108;
inline constexpr int kMissingParameter = -109;
inline constexpr int kUndefinedHeader = -113;
inline constexpr int kInvalidSuffix = -131;
inline constexpr int kSuffixNotAllowed = -138;
inline constexpr int kCommandProtected = -203;
inline constexpr int kDataOutOfRange = -222;
inline constexpr int kIllegalParameterValue = -224;
inline constexpr int kHardwareError = -240;
inline constexpr int kHardwareMissing = -241;
inline constexpr int kQueueOverflow = -350;
inline constexpr int kInputBufferOverrun = -363;

// "Data out of range" for -222; "Unknown error" for a number the session never reports.
std::string_view errorText(int number);

// The queue holds the oldest errors; when it is full its last entry becomes -350, as SCPI
// wants, so that a client that never reads it cannot make the server grow.
class ErrorQueue {
  public:
    static constexpr std::size_t kCapacity = 16;

    void push(int number, std::string_view detail = {});
    // `-113,"Undefined header"`, or `0,"No error"` when empty; removes what it returns.
    std::string next();
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

  private:
    struct Entry {
        int number;
        std::string detail;
    };
    std::deque<Entry> entries_;
};

// A parameter of a command as it came: a quoted string (quotes removed, doubled quotes made
// single) or a token such as 1.5E0 or ON.
struct Argument {
    std::string text;
    bool quoted = false;
};

// What the sessions of one server know of the serial line they share.
struct LineState {
    // The port went away and is not open; the server reopens it when it is back.
    bool missing = false;
};

class Session;

// One row of the command table: the header pattern in SCPI's notation (upper case is the
// short form, brackets an optional node, '?' a query), what the command may take, and whether
// it changes the device (refused in read-only mode).
struct CommandRow {
    std::string_view pattern;
    int fewestArguments;
    int mostArguments;
    bool changesDevice;
    // Appends its answer to `answer` (queries only); reports its faults to the session's
    // queue. Returns false when it failed.
    bool (*run)(Session& session, std::span<const Argument> arguments, std::string& answer);
};

// Whether `header` ("meas:curr?", ":MEASure:CURRent?") names `pattern`.
bool headerMatches(std::string_view pattern, std::string_view header);

class Session {
  public:
    // `line`, when given, is the server's view of the serial line, read by the worker thread.
    Session(int port, char address, bool readOnly, const LineState* line = nullptr);

    // Carries out the commands of one line (without its LF) in order and returns the answers
    // of its queries joined by ';' and ended by LF, or "" when none answered. A command with
    // a fault ends the line; the commands after it are not carried out. `stop` is looked at
    // between commands: the command in hand is finished, the rest of the line is not begun.
    std::string executeLine(std::string_view line, const std::atomic<bool>* stop = nullptr);

    // The same one command at a time, so that a server can let other clients in between:
    // begin a line, step until step returns false, then take the answer.
    void beginLine(std::string_view line);
    // Carries out the line's next command; false when the line is done (all carried out, a
    // fault, or `stop` set).
    bool step(const std::atomic<bool>* stop = nullptr);
    bool inLine() const { return inLine_; }
    std::string finishLine();

    // A line longer than the server takes was thrown away.
    void inputOverrun() { fail(kInputBufferOverrun); }

    // Reports a fault: its number to the queue and to the event status register.
    void fail(int number, std::string_view detail = {});
    // Reports a driver code other than 0 under its standard number. Returns code == 0.
    bool device(int code);

    int port() const { return port_; }
    char address() const { return address_; }
    void setAddress(char address) { address_ = address; }
    ErrorQueue& errors() { return errors_; }
    // Event status register (read and cleared by *ESR?) and its enable register (*ESE).
    int& eventStatus() { return eventStatus_; }
    int& eventEnable() { return eventEnable_; }
    // Service request enable (*SRE); bit 6 is never enabled, as IEEE 488.2 has it.
    int& serviceEnable() { return serviceEnable_; }
    // SCPI's OPERation and QUEStionable registers: the condition as the device's status word
    // last showed it, the event register latching the bits that came on, and the enable mask.
    struct StatusRegister {
        int condition = 0;
        int event = 0;
        int enable = 0;
    };
    StatusRegister& operation() { return operation_; }
    StatusRegister& questionable() { return questionable_; }
    // Takes in a status word read from the device: both registers' conditions and events.
    void noteDeviceStatus(int word);
    // *CLS: the error queue and every event register.
    void clearStatus();
    int statusByte() const;

  private:
    // `path`: the header path a relative header continues; updated for the next command.
    bool executeCommand(std::string_view command, std::string& path, std::string& answer);

    int port_;
    char address_;
    bool readOnly_;
    const LineState* line_;
    // The line under way: its commands, the next one's index, the answers so far, the path.
    std::vector<std::string> commands_;
    std::size_t next_ = 0;
    std::string answers_;
    std::string path_;
    bool inLine_ = false;
    ErrorQueue errors_;
    int eventStatus_ = 0;
    int eventEnable_ = 0;
    int serviceEnable_ = 0;
    StatusRegister operation_;
    StatusRegister questionable_;
};

}  // namespace cli::scpi
