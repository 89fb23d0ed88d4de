// The progress line on a terminal.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/progress.h"

namespace {

using std::chrono::milliseconds;

// Faults caught: no sign of life on a terminal; progress text in a log or a script's output; a
// time left that is not the window's.
TEST(Progress, OneRewrittenLineOnATerminalOnly) {
    for (bool terminal : {true, false}) {
        std::ostringstream err;
        {
            cli::CommandProgress progress(err, terminal);
            const vrl::op::Operation operation("tkv9d programs-read");
            vrl::op::progress("Programm 1 von 16 wird gelesen", 1, 18);
            EXPECT_EQ(progress.done(), 1);
            EXPECT_EQ(progress.total(), 18);
        }
        if (terminal) {
            EXPECT_EQ(err.str().rfind("\r\x1b[KProgramm 1 von 16 wird gelesen – Noch etwa ", 0), 0u)
                << err.str();
            // The line is taken away again, so that what follows starts on a clean line.
            EXPECT_EQ(err.str().substr(err.str().size() - 4), "\r\x1b[K");
        } else {
            EXPECT_EQ(err.str(), "");
        }
    }
}

TEST(Progress, TimeLeftAsTheWindowSaysIt) {
    struct Row {
        long long elapsedMs;
        int done, total;
        const char* text;
    };
    const Row rows[] = {
        {5000, 0, 18, "Restzeit wird ermittelt …"},
        {1000, 1, 3, "Noch etwa 2 s"},
        {1000, 3, 4, "Noch etwa 1 s"},
        {1500, 2, 3, "Noch etwa 1 s"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(cli::timeLeft(milliseconds(row.elapsedMs), row.done, row.total), row.text);
}

}  // namespace
