#include "cli/interrupt.h"

#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "connection/operation.h"
#include "driver/ports.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

void stopOperation(int) {
    // A lock-free atomic store, safe in a handler; the transfer reads it between records.
    vrl::op::requestCancel();
}

// Made before the signals are taken: the handler may not translate or allocate.
std::string gAtOnceLine;

void endAtOnce(int signal) {
    vrl::driver::releaseExclusiveForExit();
#ifndef _WIN32
    [[maybe_unused]] const auto written =
        ::write(STDERR_FILENO, gAtOnceLine.data(), gAtOnceLine.size());
#endif
    std::_Exit(interruptedStatus(signal));
}

console::StopSignals::Action endAtOnceReady() {
    gAtOnceLine = VRL_TR("tkv9d", "tkv9d: sofort beendet") + '\n';
    return endAtOnce;
}

}  // namespace

InterruptHandling::InterruptHandling() : signals_(stopOperation, endAtOnceReady()) {}

int interruptedStatus(int signal) {
    return 128 + signal;
}

}  // namespace cli
