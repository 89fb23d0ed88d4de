#include <cerrno>
#include <csignal>
#include <cstdio>

#include <sys/signalfd.h>
#include <unistd.h>

#include "sim/stop_request.h"

namespace sim {

// Blocked before any thread starts, so every thread inherits the mask and the signals arrive
// only through the signalfd.
StopRequest::StopRequest() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    handle_ = signalfd(-1, &signals, SFD_CLOEXEC);
    if (handle_ < 0) std::perror("tkv9d-sim: signalfd");
}

StopRequest::~StopRequest() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void StopRequest::requestFromWithin() {
    // To the process, not the calling thread, so that the signalfd sees it.
    ::kill(::getpid(), SIGTERM);
}

void StopRequest::wait() {
    signalfd_siginfo info{};
    while (::read(static_cast<int>(handle_), &info, sizeof info) < 0 && errno == EINTR) {
    }
}

}  // namespace sim
