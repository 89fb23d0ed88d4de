#include <gtest/gtest.h>

#include "support/scripted_popups.h"

namespace {

TEST(ScriptedPopups, AnswersFromQueueAndRecords) {
    vrl::ScriptedPopups scripted;
    vrl::PopupsGuard guard(scripted);
    scripted.answers = {2};
    scripted.files = {std::string("/tmp/a.tkv")};
    EXPECT_EQ(vrl::popups().question("T", "Q?", "Ja", "Nein", "Abbrechen"), 2);
    EXPECT_EQ(vrl::popups().question("T", "Q?", "Ja", "Nein", ""), 1);  // queue empty
    EXPECT_EQ(vrl::popups().selectFile(vrl::Popups::FileMode::Save, "S", "/tmp", "*.tkv"),
              std::optional<std::string>("/tmp/a.tkv"));
    EXPECT_EQ(vrl::popups().selectFile(vrl::Popups::FileMode::Open, "S", "/tmp", "*.tkv"),
              std::nullopt);
    ASSERT_EQ(scripted.shown.size(), 4u);
    EXPECT_EQ(scripted.shown[0].buttons, (std::vector<std::string>{"Ja", "Nein", "Abbrechen"}));
}

TEST(ScriptedPopups, GuardRestoresPreviousService) {
    vrl::ScriptedPopups outer, inner;
    vrl::PopupsGuard a(outer);
    {
        vrl::PopupsGuard b(inner);
        vrl::popups().message("x", "y");
    }
    vrl::popups().message("x", "z");
    EXPECT_EQ(inner.shown.size(), 1u);
    ASSERT_EQ(outer.shown.size(), 1u);
    EXPECT_EQ(outer.shown[0].text, "z");
}

}  // namespace
