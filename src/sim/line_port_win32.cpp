// The simulator's end of the line on Windows: a COM port that exists, served with blocking
// reads that return after a short while, so that the serving thread notices a shut-down.

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <thread>

#include <windows.h>

#include "platform/serial/port_name.h"
#include "platform/serial/win32_line_settings.h"
#include "platform/win32_text.h"
#include "sim/line_port.h"

namespace sim {

namespace {

// How long one read waits before the serving thread looks whether the line shuts down [ms].
constexpr DWORD kReadSliceMs = 100;
// How long an answer may wait for the port before it is dropped [ms].
constexpr DWORD kWriteStallMs = 1000;
constexpr DWORD kWriteMsPerByte = 2;  // [ms] twice what a byte takes at 9600 baud

using platform::wide;

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

class ComPort : public LinePort {
  public:
    ComPort(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {
        wake_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!wake_) {
            CloseHandle(handle_);
            fail("CreateEvent");
        }
    }
    ~ComPort() override {
        CloseHandle(handle_);
        CloseHandle(wake_);
    }

    const std::string& devicePath() const override { return path_; }

    // What has arrived, or else the next byte as soon as it comes: a read for more bytes than
    // are there would wait for the whole slice under some drivers (Wine's among them).
    std::ptrdiff_t read(char* buffer, std::size_t size) override {
        if (woken()) return 0;
        DWORD errors = 0;
        COMSTAT status{};
        DWORD wanted = 1;
        if (ClearCommError(handle_, &errors, &status) && status.cbInQue > 0)
            wanted = static_cast<DWORD>(std::min<std::size_t>(status.cbInQue, size));
        DWORD received = 0;
        if (!ReadFile(handle_, buffer, wanted, &received, nullptr)) return -1;
        return static_cast<std::ptrdiff_t>(received);
    }

    bool write(const char* data, std::size_t size) override {
        DWORD written = 0;
        return !woken() && WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) &&
               written == size;
    }

    bool waitForWake(std::chrono::milliseconds bound) override {
        return WaitForSingleObject(wake_, static_cast<DWORD>(bound.count())) == WAIT_OBJECT_0;
    }

    void wake() override { SetEvent(wake_); }

  private:
    bool woken() const { return WaitForSingleObject(wake_, 0) == WAIT_OBJECT_0; }

    HANDLE handle_;
    HANDLE wake_ = nullptr;
    std::string path_;
};

}  // namespace

std::unique_ptr<LinePort> openPseudoTerminal() {
    throw std::system_error(std::make_error_code(std::errc::not_supported),
                            "Windows has no pseudo-terminals; serve a COM port with --port COM<n>");
}

std::unique_ptr<LinePort> openServedPort(const std::string& name) {
    const auto number = serial::portFromListEntry(name);
    const std::string path = number ? serial::windowsDevicePath(*number) : name;
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) fail(path);
    // The device's own line settings (9600 baud, 7 data bits, odd parity, 1 stop bit), raw, no
    // handshake, as the serial layer sets them.
    bool ready = serial::applyLineSettings(handle, serial::LineSettings{});
    // A read returns what has arrived as soon as a byte is there, or nothing after the slice.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = kReadSliceMs;
    // A write's bound grows with its length: the longest memory answer (131 kB) takes over two
    // minutes at 9600 baud, and a fixed bound would cut it off part-way.
    timeouts.WriteTotalTimeoutMultiplier = kWriteMsPerByte;
    timeouts.WriteTotalTimeoutConstant = kWriteStallMs;
    ready = ready && SetCommTimeouts(handle, &timeouts) &&
            PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    if (!ready) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        SetLastError(error);
        fail(path);
    }
    return std::make_unique<ComPort>(handle, path);
}

void sleepUntil(TimePoint deadline) {
    std::this_thread::sleep_until(deadline);
}

void preferPreciseWakeups() {}

}  // namespace sim
