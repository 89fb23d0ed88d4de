#pragma once

// The operations' progress on the command line: where a transfer stands, for the report of one
// that failed part-way, and on a terminal one line that rewrites itself with the step and the
// time left. Nothing is drawn when stderr is not a terminal, so scripts and logs see the lines
// they always saw.

#include <chrono>
#include <iosfwd>
#include <string>

#include "connection/operation.h"

namespace cli {

class CommandProgress : public vrl::op::Host {
  public:
    // `draw`: stderr is a terminal, and the line is drawn on `err`.
    CommandProgress(std::ostream& err, bool draw);
    ~CommandProgress() override;
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    void begin(std::string_view title, vrl::op::Kind kind) override;
    void end() override;
    int onLine(const std::function<int()>& work) override { return work(); }
    void progress(std::string_view step, int done, int total) override;

    // Steps finished before the one in hand, of how many; 0 of 0 before the first step.
    int done() const { return done_; }
    int total() const { return total_; }

  private:
    void clearLine();

    std::ostream& err_;
    bool draw_;
    bool drawn_ = false;
    int done_ = 0;
    int total_ = 0;
    std::chrono::steady_clock::time_point started_{};
};

// The steps of the running command, or nullptr outside one.
const CommandProgress* commandProgress();

// "Noch etwa 12 s" from the time the steps so far took, as the window says it.
std::string timeLeft(std::chrono::milliseconds elapsed, int done, int total);

}  // namespace cli
