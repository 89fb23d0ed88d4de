#pragma once

// SIGINT and SIGTERM while a command holds the port. The first asks the operation to stop after
// the record in hand, as the window's "Abbrechen" does, so that no program is left written but
// not stored; the port is then closed as on any other end. A second signal ends the process at
// once, after giving up the port's exclusive mode.
//
// A command that runs until told (watch, serve) takes them as its normal end instead, with a
// console::StopSignals of its own: the work under way is finished, the command ends with 0.

#include "platform/console/stop_signals.h"

namespace cli {

class InterruptHandling {
  public:
    InterruptHandling();

    // The first signal received since installing, or 0.
    static int received() { return console::StopSignals::received(); }

  private:
    console::StopSignals signals_;
};

// The exit status of a command ended by `signal`: 128 + its number, as a shell reports it.
int interruptedStatus(int signal);

}  // namespace cli
