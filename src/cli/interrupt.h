#pragma once

// SIGINT and SIGTERM while a command holds the port. The first asks the operation to stop after
// the record in hand, as the window's "Abbrechen" does, so that no program is left written but
// not stored; the port is then closed as on any other end. A second signal ends the process at
// once, after giving up the port's exclusive mode.

#include <iosfwd>

namespace cli {

class InterruptHandling {
  public:
    InterruptHandling();
    ~InterruptHandling();
    InterruptHandling(const InterruptHandling&) = delete;
    InterruptHandling& operator=(const InterruptHandling&) = delete;

    // The first signal received since installing, or 0.
    static int received();
};

// The exit status of a command ended by `signal`: 128 + its number, as a shell reports it.
int interruptedStatus(int signal);

}  // namespace cli
