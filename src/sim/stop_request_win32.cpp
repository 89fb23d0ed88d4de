#include <cstdio>

#include <windows.h>

#include "sim/stop_request.h"

namespace sim {

namespace {

HANDLE gStop = nullptr;

// Runs on a thread of its own; the main thread then ends the line in order.
BOOL WINAPI onConsoleEvent(DWORD event) {
    SetEvent(gStop);
    // Closing the console ends the process once this returns: give main the time to finish.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(2000);
    return TRUE;
}

}  // namespace

StopRequest::StopRequest() {
    gStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!gStop || !SetConsoleCtrlHandler(onConsoleEvent, TRUE)) {
        std::fprintf(stderr, "tkv9d-sim: cannot take Ctrl+C (Windows error %lu)\n", GetLastError());
        return;
    }
    handle_ = 0;
}

StopRequest::~StopRequest() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    if (gStop) CloseHandle(gStop);
}

void StopRequest::requestFromWithin() {
    if (gStop) SetEvent(gStop);
}

void StopRequest::wait() {
    WaitForSingleObject(gStop, INFINITE);
}

}  // namespace sim
