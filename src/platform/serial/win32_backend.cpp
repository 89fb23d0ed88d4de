// The serial operations over the Win32 comm API. A port is opened without sharing, so that a
// second program gets a clear "in use" instead of a share of the acknowledgements; Windows
// refuses a second open of a COM port by itself.

#include <cmath>
#include <map>
#include <set>
#include <string>

#include <windows.h>

#include "platform/serial/line_errors.h"
#include "platform/serial/port_map.h"
#include "platform/serial/serial.h"
#include "platform/serial/system_backend.h"
#include "platform/serial/win32_line_settings.h"
#include "platform/text/translate.h"
#include "platform/win32_text.h"

namespace serial {

namespace {

using platform::systemMessage;
using platform::wide;

bool supportedBaud(int baud) {
    for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        if (baud == rate) return true;
    return false;
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

class Win32Backend : public SystemBackend {
  public:
    ~Win32Backend() override {
        for (const auto& entry : ports_) CloseHandle(entry.second);
    }

    int open(int port, const LineSettings& settings) override {
        clearFailure(port);
        gone_.erase(port);
        const std::string path = devicePath(port);
        if (failBeforeOpening(port, ports_.count(port) != 0, path, supportedBaud(settings.baud)))
            return -1;
        // No sharing: while this program holds the port, no other one gets it.
        const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
                return fail(port, path + VRL_TR("serial port", " ist belegt"), true);
            return fail(port, path + ": " + systemMessage(error));
        }
        const bool ready = SetupComm(handle, static_cast<DWORD>(settings.inputQueue),
                                     static_cast<DWORD>(settings.outputQueue)) &&
                           applyLineSettings(handle, settings) &&
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
                return placed > 0 ? static_cast<int>(placed) : noteGone(port);
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
        if (!ClearCommError(handle, &errors, &state)) return noteGone(port);
        const ULONGLONG deadline =
            GetTickCount64() + lineTimeMs(state.cbOutQue, baud(port)) + kDrainMarginMs;
        while (state.cbOutQue > 0) {
            if (GetTickCount64() > deadline) return -1;
            Sleep(1);
            if (!ClearCommError(handle, &errors, &state)) return noteGone(port);
        }
        return 0;
    }

    int readByte(int port) override {
        const HANDLE handle = find(port);
        if (!handle) return -1;
        std::uint8_t byte = 0;
        DWORD received = 0;
        if (!ReadFile(handle, &byte, 1, &received, nullptr)) return noteGone(port);
        if (received != 1) return -1;  // the time-out
        // The line's error flags, cleared for the next byte: what arrived damaged must not be
        // taken as the byte it resembles.
        DWORD errors = 0;
        if (!ClearCommError(handle, &errors, nullptr)) return noteGone(port);
        return byteAfterLineErrors(byte,
                                   LineErrors{(errors & CE_RXPARITY) != 0, (errors & CE_FRAME) != 0,
                                              (errors & CE_BREAK) != 0});
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
        return PurgeComm(handle, what) ? 0 : noteGone(port);
    }

  public:
    bool portGone(int port) const override { return gone_.count(port) != 0; }

  private:
    // A USB adapter pulled out while open: the handle stays, and every call on it fails with one
    // of these, depending on the adapter's driver. A silent device fails none of them.
    int noteGone(int port) {
        switch (GetLastError()) {
            case ERROR_ACCESS_DENIED:
            case ERROR_BAD_COMMAND:
            case ERROR_DEVICE_REMOVED:
            case ERROR_DEV_NOT_EXIST:
            case ERROR_GEN_FAILURE:
            case ERROR_INVALID_HANDLE:
            case ERROR_FILE_NOT_FOUND:
                gone_.insert(port);
                break;
            default:
                break;
        }
        return -1;
    }

    std::map<int, HANDLE> ports_;
    std::map<int, int> bauds_;
    std::set<int> gone_;
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
