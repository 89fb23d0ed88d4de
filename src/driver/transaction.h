#pragma once

// The command transaction every device command runs: empty the queues, write the frame, wait
// until it has left, read the acknowledgement byte and, for a reading command, the answer line.
// Each command turns the failure kinds into codes of its own.

#include <cstddef>
#include <string>
#include <string_view>

namespace vrl::driver {

inline constexpr char kStart = '#';
inline constexpr char kCR = 0x0D;
inline constexpr int kACK = 0x06;
inline constexpr int kNAK = 0x15;
inline constexpr int kCAN = 0x18;
inline constexpr char kCommonAddress = '&';
inline constexpr int kBaudRate = 9600;
inline constexpr std::size_t kAnswerLineLimit = 29;  // [bytes], CR included
// The longest value text a parameter read can bring back whole: the answer line less the echo of
// '#', address and three command letters, and its CR. A longer program name can be written but
// comes back cut.
inline constexpr std::size_t kReadableValueLength = kAnswerLineLimit - 6;  // [characters]
inline constexpr int kFlushInputFailed = -124212;
inline constexpr int kFlushOutputFailed = -123213;

enum class Failure {
    None,
    WriteFailed,  // the write was refused, or the output queue could not be asked
    ShortWrite,   // fewer bytes placed than the frame has
    Nak,
    Can,
    NoAck,          // nothing within the time-out, or the read failed
    UnexpectedAck,  // any other byte
    BrokenOff,      // the answer line stopped arriving
    Mismatch,       // the answer line has not the expected form
};

// One command's codes: what each failure kind returns.
struct CommandCodes {
    int flushInput;  // emptying the input queue failed
    int flushOutput;
    int writeFailed;
    int shortWrite;
    int nak;
    int can;
    int noAck;
    int unexpectedAck;
    int brokenOff = 0;  // reading commands only
    int mismatch = 0;
};

int codeFor(Failure failure, const CommandCodes& codes);

// '1'..'9' and 'a'..'f': one device each.
constexpr bool isDeviceAddress(char address) {
    return (address >= '1' && address <= '9') || (address >= 'a' && address <= 'f');
}

// Steps 3 to 7 for a built frame. With `answer` null the command needs only the
// acknowledgement; otherwise the answer line (at most `answerLimit` bytes, up to CR) is stored
// there. A frame to the common address ends once it has left, without reading anything.
// With a trace sink installed the transaction is recorded; the command that ran it hands its
// final code to traceOutcome (driver/trace.h), which completes the record and passes it on.
int runTransaction(int port, char address, std::string_view frame, const CommandCodes& codes,
                   std::string* answer = nullptr, std::size_t answerLimit = kAnswerLineLimit);

}  // namespace vrl::driver
