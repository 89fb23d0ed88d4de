// The serial operations over the Win32 comm API. A port is opened without sharing, so that a
// second program gets a clear "in use" instead of a share of the acknowledgements; Windows
// refuses a second open of a COM port by itself.

#include <cmath>
#include <map>
#include <string>

#include <windows.h>

#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "platform/win32_text.h"

namespace serial {

namespace {

using platform::wide;

// The system's own words for an error, in the language of the Windows it runs on.
std::string systemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty()) message = "Windows error " + std::to_string(error);
    return message;
}

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
    dcb.fErrorChar = FALSE;
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
        return 0;
    }

    int close(int port) override {
        auto it = ports_.find(port);
        if (it == ports_.end()) return -1;
        const bool closed = CloseHandle(it->second) != 0;
        ports_.erase(it);
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

    // Returns once the driver has sent the last byte, as tcdrain does: no busy waiting.
    int drainOutput(int port) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        return FlushFileBuffers(handle) ? 0 : -1;
    }

    int readByte(int port) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        std::uint8_t byte = 0;
        DWORD received = 0;
        if (!ReadFile(handle, &byte, 1, &received, nullptr) || received != 1) return -1;
        return byte;
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

// Windows gives a port up with the process that held it.
void releaseExclusiveForExit() {}

}  // namespace serial
