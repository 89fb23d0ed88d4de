#include "cli/interrupt.h"

#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "connection/operation.h"
#include "driver/ports.h"

namespace cli {

namespace {

void stopOperation(int) {
    // A lock-free atomic store, safe in a handler; the transfer reads it between records.
    vrl::op::requestCancel();
}

void endAtOnce(int signal) {
    vrl::driver::releaseExclusiveForExit();
#ifndef _WIN32
    static constexpr char kLine[] = "tkv9d: sofort beendet\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
#endif
    std::_Exit(interruptedStatus(signal));
}

}  // namespace

InterruptHandling::InterruptHandling() : signals_(stopOperation, endAtOnce) {}

int interruptedStatus(int signal) {
    return 128 + signal;
}

}  // namespace cli
