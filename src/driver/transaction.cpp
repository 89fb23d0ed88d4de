#include <array>
#include <cstdint>
#include <span>

#include "driver/vrltkv9d.h"
#include "platform/serial/serial.h"

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

int runTransaction(int port, char address, std::string_view frame, const CommandCodes& codes,
                   std::string* answer, std::size_t answerLimit) {
    if (const int flushed = VRLTKV9D_PufferLeeren(port); flushed != 0)
        return flushed == kFlushInputFailed ? codes.flushInput : codes.flushOutput;
    if (Failure f = VRLTKV9D_BefehlSenden(port, frame); f != Failure::None)
        return codeFor(f, codes);
    // Every device obeys the common address and none answers it.
    if (address == kCommonAddress) return 0;
    if (Failure f = VRLTKV9D_QuittungLesen(port); f != Failure::None) return codeFor(f, codes);
    if (answer == nullptr) return 0;
    return codeFor(VRLTKV9D_AntwortzeileLesen(port, *answer, answerLimit), codes);
}

}  // namespace vrl::driver

using vrl::driver::Failure;

namespace {

// The device talks 7-bit ASCII; a byte with the top bit set is no valid answer and is taken
// like a failed read, as a signed 8-bit value would be.
int readSigned(int port) {
    const int byte = serial::backend().readByte(port);
    return byte < 0 ? -1 : static_cast<std::int8_t>(static_cast<std::uint8_t>(byte));
}

}  // namespace

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
    const int byte = readSigned(port);
    if (byte == vrl::driver::kACK) return Failure::None;
    if (byte == vrl::driver::kNAK) return Failure::Nak;
    if (byte == vrl::driver::kCAN) return Failure::Can;
    if (byte < 0) return Failure::NoAck;
    return Failure::UnexpectedAck;
}

Failure VRLTKV9D_AntwortzeileLesen(int port, std::string& line, std::size_t limit) {
    line.clear();
    while (line.size() < limit) {
        const int byte = readSigned(port);
        if (byte < 0) return Failure::BrokenOff;
        line.push_back(static_cast<char>(byte));
        if (byte == vrl::driver::kCR) break;
    }
    return Failure::None;
}
