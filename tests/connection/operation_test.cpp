// One device operation at a time, and a stop asked for it belongs to it alone.

#include <gtest/gtest.h>

#include "connection/operation.h"
#include "support/scripted_popups.h"

namespace {

TEST(Operation, OneAtATimeAndItsStopEndsWithIt) {
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard(popups);
    {
        const vrl::op::Operation outer("Programme zu TKV-9D schreiben");
        ASSERT_TRUE(outer.started());
        EXPECT_TRUE(vrl::op::running());
        const vrl::op::Operation reached("Start");  // a callback reached while the first waits
        EXPECT_FALSE(reached.started());
        vrl::op::requestCancel();
        EXPECT_EQ(vrl::op::cancelled(-6452, "Abgebrochen nach Programm 2 von 16."), -6452);
        EXPECT_TRUE(popups.shown.empty());  // not over a busy window
    }
    EXPECT_FALSE(vrl::op::running());
    EXPECT_FALSE(vrl::op::cancelRequested());
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Programme zu TKV-9D schreiben");
    EXPECT_EQ(popups.shown[0].text, "Abgebrochen nach Programm 2 von 16.");

    const vrl::op::Operation next("Start");
    EXPECT_TRUE(next.started());
    EXPECT_FALSE(vrl::op::cancelRequested());
}

}  // namespace
