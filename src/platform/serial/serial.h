#pragma once

// The RS-232 operations the driver needs, by COM port number. A backend keeps the table of
// open ports; the driver keeps no state of its own. The termios backend serves real ports and
// pseudo-terminals, the Win32 backend COM ports on Windows; tests install a scripted one.

#include <cstdint>
#include <span>
#include <string>

#ifndef _WIN32
#include <termios.h>
#endif

namespace serial {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 256;

enum class Parity { None, Odd, Even };

struct LineSettings {
    int baud = 9600;
    Parity parity = Parity::Odd;
    int dataBits = 7;
    int stopBits = 1;
    int inputQueue = 512;   // [bytes]
    int outputQueue = 512;  // [bytes]
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Each returns 0 or a negative value unless said otherwise.
    virtual int open(int port, const LineSettings& settings) = 0;
    virtual int close(int port) = 0;
    // How long one byte read waits [s].
    virtual int setTimeout(int port, double seconds) = 0;
    virtual int flushInput(int port) = 0;
    virtual int flushOutput(int port) = 0;
    // Places the bytes in the output queue; returns how many it placed, or negative.
    virtual int write(int port, std::span<const std::uint8_t> bytes) = 0;
    // Blocks until the output queue is empty; negative when the queue cannot be asked.
    virtual int drainOutput(int port) = 0;
    // The next received byte 0..255, or negative when none came within the time-out or the
    // read failed.
    virtual int readByte(int port) = 0;
    // Why the last open of this port failed, in words for an operator ("" if unknown).
    virtual std::string openFailureReason(int port) const = 0;
    // Whether the last open of this port failed because another open holds the device; the
    // reason then names the holding process where the system tells it.
    virtual bool openFailedInUse(int /*port*/) const { return false; }
    // Whether the port went away while open (the adapter unplugged, the pseudo-terminal's other
    // side closed), as opposed to a device that does not answer. Holds after the close, until
    // the port is opened again.
    virtual bool portGone(int /*port*/) const { return false; }
};

Backend& backend();
// nullptr puts the system's backend back.
void setBackend(Backend* replacement);

class BackendGuard {
  public:
    explicit BackendGuard(Backend& replacement) : previous_(&backend()) {
        setBackend(&replacement);
    }
    ~BackendGuard() { setBackend(previous_); }
    BackendGuard(const BackendGuard&) = delete;
    BackendGuard& operator=(const BackendGuard&) = delete;

  private:
    Backend* previous_;
};

// For a signal handler that ends the process at once: gives up the exclusive mode this process
// set on the system's ports, so that the next program can open them. Async-signal-safe; the
// ports themselves are closed by the exit.
void releaseExclusiveForExit();

#ifndef _WIN32
// The termios settings for a line: raw mode, no handshake, reads return at once (the backend
// waits with poll). Exposed so the settings are tested without a real port.
termios makeTermios(const LineSettings& settings);
#endif

}  // namespace serial
