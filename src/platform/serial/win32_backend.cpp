// The serial operations over the Win32 comm API. A port is opened without sharing, so that a
// second program gets a clear "in use" instead of a share of the acknowledgements; Windows
// refuses a second open of a COM port by itself.

#include <cmath>
#include <map>
#include <string>

#include <windows.h>

#include "platform/serial/line_errors.h"
#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "platform/win32_text.h"

namespace serial {

namespace {

using platform::systemMessage;
using platform::wide;

BYTE parityFor(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Even:
            return EVENPARITY;
        default:
            return NOPARITY;
    }
}

bool supportedBaud(int baud) {
    for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        if (baud == rate) return true;
    return false;
}

// Raw bytes, no handshake in either direction, nothing replaced or dropped; DTR and RTS on, as
// a terminal program leaves them, so a device powered from them keeps running.
bool applySettings(HANDLE handle, const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb)) return false;
    dcb.BaudRate = static_cast<DWORD>(settings.baud);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = parityFor(settings.parity);
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    // A byte that arrives with a parity error is replaced by NUL, which no answer contains, so
    // the answer is refused as it is on Linux; a framing error is caught after the read.
    dcb.fErrorChar = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.ErrorChar = '\0';
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(handle, &dcb) != 0;
}

// A read returns as soon as one byte is there, or after the time-out with none; a time-out of
// 0 only takes what has already arrived. Writes wait as long as the line needs: without a
// handshake nothing can hold them up.
bool applyTimeout(HANDLE handle, DWORD milliseconds) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = milliseconds > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = milliseconds;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    return SetCommTimeouts(handle, &timeouts) != 0;
}

class Win32Backend : public Backend {
  public:
    ~Win32Backend() override {
        for (const auto& entry : ports_) CloseHandle(entry.second);
    }

    int open(int port, const LineSettings& settings) override {
        reasons_.erase(port);
        if (ports_.count(port)) return fail(port, "port is already open");
        const std::string path = devicePath(port);
        if (path.empty()) return fail(port, "no device for this port number");
        if (!supportedBaud(settings.baud)) return fail(port, "unsupported baud rate");
        // No sharing: while this program holds the port, no other one gets it.
        const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
                return fail(port, path + " ist belegt", true);
            return fail(port, path + ": " + systemMessage(error));
        }
        const bool ready = SetupComm(handle, static_cast<DWORD>(settings.inputQueue),
                                     static_cast<DWORD>(settings.outputQueue)) &&
                           applySettings(handle, settings) &&
                           applyTimeout(handle, kDefaultTimeoutMs) &&
                           PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
        if (!ready) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            return fail(port, path + ": " + systemMessage(error));
        }
        ports_[port] = handle;
        bauds_[port] = settings.baud;
        return 0;
    }

    int close(int port) override {
        auto it = ports_.find(port);
        if (it == ports_.end()) return -1;
        const bool closed = CloseHandle(it->second) != 0;
        ports_.erase(it);
        bauds_.erase(port);
        return closed ? 0 : -1;
    }

    int setTimeout(int port, double seconds) override {
        const HANDLE handle = find(port);
        if (!handle || !(seconds >= 0.0) || seconds > 1.0e6) return -1;
        const auto ms = static_cast<DWORD>(std::lround(seconds * 1000.0));
        return applyTimeout(handle, ms) ? 0 : -1;
    }

    int flushInput(int port) override { return purge(port, PURGE_RXCLEAR | PURGE_RXABORT); }
    int flushOutput(int port) override { return purge(port, PURGE_TXCLEAR | PURGE_TXABORT); }

    int write(int port, std::span<const std::uint8_t> bytes) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        std::size_t placed = 0;
        while (placed < bytes.size()) {
            DWORD written = 0;
            if (!WriteFile(handle, bytes.data() + placed, static_cast<DWORD>(bytes.size() - placed),
                           &written, nullptr) ||
                written == 0)
                return placed > 0 ? static_cast<int>(placed) : -1;
            placed += written;
        }
        return static_cast<int>(placed);
    }

    // Returns once the driver has sent the last byte, as tcdrain does. FlushFileBuffers is the
    // way to wait without polling, but a serial driver need not support it (some USB adapters'
    // do not); then the output queue is watched until it is empty, for at most the time the
    // queued bytes take on the line plus a margin.
    int drainOutput(int port) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        if (FlushFileBuffers(handle)) return 0;
        COMSTAT state{};
        DWORD errors = 0;
        if (!ClearCommError(handle, &errors, &state)) return -1;
        const ULONGLONG deadline =
            GetTickCount64() + lineTimeMs(state.cbOutQue, baud(port)) + kDrainMarginMs;
        while (state.cbOutQue > 0) {
            if (GetTickCount64() > deadline) return -1;
            Sleep(1);
            if (!ClearCommError(handle, &errors, &state)) return -1;
        }
        return 0;
    }

    int readByte(int port) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        std::uint8_t byte = 0;
        DWORD received = 0;
        if (!ReadFile(handle, &byte, 1, &received, nullptr) || received != 1) return -1;
        // The line's error flags, cleared for the next byte: what arrived damaged must not be
        // taken as the byte it resembles.
        DWORD errors = 0;
        if (!ClearCommError(handle, &errors, nullptr)) return -1;
        return byteAfterLineErrors(
            byte, LineErrors{(errors & CE_RXPARITY) != 0, (errors & CE_FRAME) != 0,
                             (errors & CE_BREAK) != 0, (errors & (CE_OVERRUN | CE_RXOVER)) != 0});
    }

    std::string openFailureReason(int port) const override {
        auto it = reasons_.find(port);
        return it == reasons_.end() ? std::string() : it->second.reason;
    }

    bool openFailedInUse(int port) const override {
        auto it = reasons_.find(port);
        return it != reasons_.end() && it->second.inUse;
    }

  private:
    static constexpr DWORD kDefaultTimeoutMs = 1500;
    static constexpr ULONGLONG kDrainMarginMs = 100;

    int baud(int port) const {
        auto it = bauds_.find(port);
        return it == bauds_.end() ? 9600 : it->second;
    }

    HANDLE find(int port) const {
        auto it = ports_.find(port);
        return it == ports_.end() ? nullptr : it->second;
    }

    int purge(int port, DWORD what) {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        return PurgeComm(handle, what) ? 0 : -1;
    }

    struct Failure {
        std::string reason;
        bool inUse;
    };

    int fail(int port, const std::string& reason, bool inUse = false) {
        reasons_[port] = Failure{reason, inUse};
        return -1;
    }

    std::map<int, HANDLE> ports_;
    std::map<int, int> bauds_;
    std::map<int, Failure> reasons_;
};

Win32Backend gWin32;
Backend* gBackend = nullptr;

}  // namespace

Backend& backend() {
    return gBackend ? *gBackend : gWin32;
}
void setBackend(Backend* replacement) {
    gBackend = replacement;
}

}  // namespace serial
