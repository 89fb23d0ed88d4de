#pragma once

// The protocol trace: one record per command transaction, for whoever must find out why a
// device "does not answer". A sink receives the records; with none installed a transaction
// pays one load of an atomic pointer and nothing else.

#include <chrono>
#include <string>
#include <string_view>

namespace vrl::driver {

// One transaction as it went over the line.
struct TraceRecord {
    std::chrono::system_clock::time_point time;  // when the transaction began
    int port = 0;
    char address = 0;
    std::string frame;         // as built for the line, whether or not it got out
    int acknowledgement = -1;  // the byte as received, 0..255; -1: none read or none arrived
    // The answer line's bytes as received, CR included, and the byte that broke it off;
    // empty when no answer was read or none arrived.
    std::string answer;
    std::chrono::microseconds duration{0};  // emptying the queues to the last byte read
    int outcome = 0;  // the command's code: 0, or the code it returned for this transaction
};

class TraceSink {
  public:
    virtual ~TraceSink() = default;
    // Called on the thread that ran the transaction, once its command knows the code it
    // returns. Must not install or remove a sink.
    virtual void record(const TraceRecord& record) = 0;
};

// Installs the sink that receives every following record; nullptr removes it. Returns once no
// thread is inside the previous sink any more, so that the caller may then destroy it.
void setTraceSink(TraceSink* sink);

// Every command calls this with the code it returns: the transaction it ran, if one was traced,
// gets that code as its outcome and goes to the sink. Returns the code unchanged.
int traceOutcome(int code);

// The bytes as a technician reads them: printable ASCII as it is, CR, ACK, NAK and CAN by name
// (<CR>, <ACK>, <NAK>, <CAN>), every other byte and '<' itself in hexadecimal (<0x86>, <0x3C>),
// so that a name in angle brackets is never part of the data.
std::string readableBytes(std::string_view bytes);

// The parts of a record as its line shows them, for a display that puts them in columns.
// Local, to the millisecond; 'T' between date and time gives ISO 8601.
std::string traceTimeText(std::chrono::system_clock::time_point time, char separator = ' ');
std::string acknowledgementText(int acknowledgement);          // "<ACK>", or "keine"
std::string answerText(const std::string& answer);             // readable, or "keine"
std::string durationText(std::chrono::microseconds duration);  // "0.4 ms"
std::string outcomeText(int outcome);  // "0", or "Fehler #402163: ..." on one line

// One line for a record (no line end): local time with milliseconds, port and address, the
// frame, acknowledgement, answer, duration and outcome, the outcome as 0 or as the error line
// shows it ("Fehler #402163: ...").
std::string traceLine(const TraceRecord& record);

}  // namespace vrl::driver
