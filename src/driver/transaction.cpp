#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <thread>

#include "driver/trace.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/serial.h"

namespace {

using vrl::driver::Failure;

// The device talks 7-bit ASCII; a byte with the top bit set is no valid answer and is taken
// like a failed read, as a signed 8-bit value would be.
int asSigned(int byte) {
    return byte < 0 ? -1 : static_cast<std::int8_t>(static_cast<std::uint8_t>(byte));
}

// `seen`, when given, gets the byte as it arrived, for the trace.
Failure readAcknowledgement(int port, int* seen) {
    const int received = serial::backend().readByte(port);
    if (seen != nullptr) *seen = received < 0 ? -1 : received;
    const int byte = asSigned(received);
    if (byte == vrl::driver::kACK) return Failure::None;
    if (byte == vrl::driver::kNAK) return Failure::Nak;
    if (byte == vrl::driver::kCAN) return Failure::Can;
    if (byte < 0) return Failure::NoAck;
    return Failure::UnexpectedAck;
}

// `seen`, when given, gets the line as it arrived, with a byte that broke it off.
Failure readAnswerLine(int port, std::string& line, std::size_t limit, std::string* seen) {
    line.clear();
    Failure result = Failure::None;
    int received = -1;
    while (line.size() < limit) {
        received = serial::backend().readByte(port);
        const int byte = asSigned(received);
        if (byte < 0) {
            result = Failure::BrokenOff;
            break;
        }
        line.push_back(static_cast<char>(byte));
        if (byte == vrl::driver::kCR) break;
    }
    if (seen != nullptr) {
        *seen = line;
        if (result == Failure::BrokenOff && received >= 0)
            seen->push_back(static_cast<char>(received));
    }
    return result;
}

}  // namespace

namespace vrl::driver {

int codeFor(Failure failure, const CommandCodes& codes) {
    switch (failure) {
        case Failure::None:
            return 0;
        case Failure::WriteFailed:
            return codes.writeFailed;
        case Failure::ShortWrite:
            return codes.shortWrite;
        case Failure::Nak:
            return codes.nak;
        case Failure::Can:
            return codes.can;
        case Failure::NoAck:
            return codes.noAck;
        case Failure::UnexpectedAck:
            return codes.unexpectedAck;
        case Failure::BrokenOff:
            return codes.brokenOff;
        case Failure::Mismatch:
            return codes.mismatch;
    }
    return codes.unexpectedAck;
}

namespace {

std::atomic<TraceSink*> gSink{nullptr};
// Threads inside a sink now; setTraceSink waits for it to drop to zero.
std::atomic<int> gDelivering{0};

// The record of the transaction this thread ran last, until its command reports its code.
thread_local bool tRecordOpen = false;
thread_local TraceRecord tRecord;

void deliver(const TraceRecord& record) {
    TraceSink* sink = gSink.load();
    if (sink == nullptr) return;
    gDelivering.fetch_add(1);
    // Still installed once counted: setTraceSink, which stores before it waits for the count,
    // cannot have returned, so the sink is alive until the count drops again.
    if (gSink.load() == sink) sink->record(record);
    gDelivering.fetch_sub(1);
}

int runSteps(int port, char address, std::string_view frame, const CommandCodes& codes,
             std::string* answer, std::size_t answerLimit, TraceRecord* seen) {
    if (const int flushed = VRLTKV9D_PufferLeeren(port); flushed != 0)
        return flushed == kFlushInputFailed ? codes.flushInput : codes.flushOutput;
    if (Failure f = VRLTKV9D_BefehlSenden(port, frame); f != Failure::None)
        return codeFor(f, codes);
    // Every device obeys the common address and none answers it.
    if (address == kCommonAddress) return 0;
    if (Failure f = readAcknowledgement(port, seen ? &seen->acknowledgement : nullptr);
        f != Failure::None)
        return codeFor(f, codes);
    if (answer == nullptr) return 0;
    return codeFor(readAnswerLine(port, *answer, answerLimit, seen ? &seen->answer : nullptr),
                   codes);
}

}  // namespace

int runTransaction(int port, char address, std::string_view frame, const CommandCodes& codes,
                   std::string* answer, std::size_t answerLimit) {
    // The one cost of the trace while nobody reads it.
    if (gSink.load(std::memory_order_relaxed) == nullptr)
        return runSteps(port, address, frame, codes, answer, answerLimit, nullptr);

    // A command that ran a second transaction without reporting the first one's code: the
    // first goes out with the transaction's own code.
    if (tRecordOpen) traceOutcome(tRecord.outcome);
    tRecord.time = std::chrono::system_clock::now();
    tRecord.port = port;
    tRecord.address = address;
    tRecord.frame.assign(frame);
    tRecord.acknowledgement = -1;
    tRecord.answer.clear();
    const auto begun = std::chrono::steady_clock::now();
    tRecord.outcome = runSteps(port, address, frame, codes, answer, answerLimit, &tRecord);
    tRecord.duration = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - begun);
    tRecordOpen = true;
    return tRecord.outcome;
}

int traceOutcome(int code) {
    if (!tRecordOpen) return code;
    tRecordOpen = false;
    tRecord.outcome = code;
    deliver(tRecord);
    return code;
}

void setTraceSink(TraceSink* sink) {
    gSink.store(sink);
    while (gDelivering.load() != 0) std::this_thread::yield();
}

}  // namespace vrl::driver

int VRLTKV9D_Open(int port, int baudRate) {
    if (baudRate != vrl::driver::kBaudRate) return -125001;
    if (port < serial::kFirstPort || port > serial::kLastPort) return -100002;
    if (serial::backend().open(port, serial::LineSettings{}) != 0) return -100003;
    return 0;
}

int VRLTKV9D_Close(int port) {
    return serial::backend().close(port) == 0 ? 0 : -103004;
}

int VRLTKV9D_Timeout(int port, double seconds) {
    return serial::backend().setTimeout(port, seconds) == 0 ? 0 : -111005;
}

int VRLTKV9D_PufferLeeren(int port) {
    if (serial::backend().flushInput(port) != 0) return vrl::driver::kFlushInputFailed;
    if (serial::backend().flushOutput(port) != 0) return vrl::driver::kFlushOutputFailed;
    return 0;
}

Failure VRLTKV9D_BefehlSenden(int port, std::string_view frame) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(frame.data()),
                                              frame.size());
    const int placed = serial::backend().write(port, bytes);
    if (placed < 0) return Failure::WriteFailed;
    if (static_cast<std::size_t>(placed) != frame.size()) return Failure::ShortWrite;
    // Sleeps in the kernel until the frame has left; a queue that cannot be asked ends the wait
    // as a failed write, since nobody can tell whether the frame went out.
    if (serial::backend().drainOutput(port) != 0) return Failure::WriteFailed;
    return Failure::None;
}

Failure VRLTKV9D_QuittungLesen(int port) {
    return readAcknowledgement(port, nullptr);
}

Failure VRLTKV9D_AntwortzeileLesen(int port, std::string& line, std::size_t limit) {
    return readAnswerLine(port, line, limit, nullptr);
}
