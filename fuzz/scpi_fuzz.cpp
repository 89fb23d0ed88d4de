// Arbitrary lines from a network client through the SCPI session of tkv9d serve, against a
// scripted device that acknowledges every frame and answers every read. Besides the
// sanitizers, the checks below hold the session to what it promises its clients.
//
// Input: the line's bytes (its LF already taken off by the server).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/scpi.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/scripted_backend.h"

namespace {

constexpr int kPort = 1;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// An answer line is printable 7-bit ASCII ended by one LF, or nothing.
bool wellFormed(const std::string& answer) {
    if (answer.empty()) return true;
    if (answer.back() != '\n') return false;
    for (std::size_t i = 0; i + 1 < answer.size(); ++i)
        if (answer[i] < 0x20 || answer[i] > 0x7E) return false;
    return true;
}

// Runs the line in a fresh session; the frames the device received.
std::vector<std::string> run(std::string_view line, bool readOnly) {
    serial::ScriptedBackend device;
    serial::BackendGuard use(device);
    // ACK, and for a read the echo of the request with a value.
    device.responder = [](const std::string& frame) {
        if (frame.size() < 6 || frame[4] != 'R') return std::string("\x06");
        if (frame.compare(2, 3, "IDR") == 0) return "\x06" + frame.substr(0, 2) + "VRL-TKV9D-F\r";
        return "\x06" + frame.substr(0, 5) + "1\r";
    };
    require(VRLTKV9D_Open(kPort, 9600) == 0);
    cli::scpi::Session session(kPort, '1', readOnly);
    require(wellFormed(session.executeLine(line)));
    // However many faults the line had, the queue stays bounded and ends.
    for (std::size_t i = 0; i < cli::scpi::ErrorQueue::kCapacity; ++i)
        session.executeLine("SYST:ERR?");
    require(session.executeLine("SYST:ERR?") == "0,\"No error\"\n");
    VRLTKV9D_Close(kPort);
    return device.frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(bytes), size);
    run(line, false);
    // Read-only: only reads reach the device (the third command letter R; IDR is a read too).
    for (const std::string& frame : run(line, true)) require(frame.size() >= 6 && frame[4] == 'R');
    return 0;
}
