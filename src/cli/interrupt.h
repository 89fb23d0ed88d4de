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

// SIGINT and SIGTERM as the normal end of a command that runs until told (watch, serve): the
// work under way is finished, the command ends with 0. The handlers the process had come back
// when the command ends.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool requested();

  private:
    void (*interrupt_)(int);
    void (*terminate_)(int);
};

// The exit status of a command ended by `signal`: 128 + its number, as a shell reports it.
int interruptedStatus(int signal);

}  // namespace cli
