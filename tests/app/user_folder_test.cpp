// The folder the program starts in with --user-folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/user_folder.h"

namespace {

namespace fs = std::filesystem;

// Faults caught: the file named on the command line looked up in the new folder, the settings
// landing elsewhere than the port links, and a folder that cannot be made leaving the program
// in no folder or silent about it.
TEST(UserFolder, IsMadeAndEnteredAfterTheFileIsMadeAbsolute) {
    char pattern[] = "/tmp/tkv9d-user-XXXXXX";
    const fs::path top = ::mkdtemp(pattern);
    fs::create_directories(top / "arbeit");
    std::ofstream(top / "datei");
    const fs::path old = fs::current_path();
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    struct Row {
        std::string xdgConfigHome;  // "" for unset
        std::string entered;        // below top, or "" when the folder stays
    } const rows[] = {
        {(top / "konfig").string(), "konfig/tkv9d"},
        {"", "heim/.config/tkv9d"},
        {(top / "datei").string(), ""},
    };
    for (const auto& row : rows) {
        row.xdgConfigHome.empty() ? ::unsetenv("XDG_CONFIG_HOME")
                                  : ::setenv("XDG_CONFIG_HOME", row.xdgConfigHome.c_str(), 1);
        ::setenv("HOME", (top / "heim").c_str(), 1);
        fs::current_path(top / "arbeit");
        std::string file = "Prüfung.tkv";
        const auto failure = vrl::app::enterUserFolder(file);
        EXPECT_EQ(fs::current_path(), top / (row.entered.empty() ? "arbeit" : row.entered));
        fs::current_path(old);
        EXPECT_EQ(file, (top / "arbeit/Prüfung.tkv").string());
        EXPECT_EQ(failure.has_value(), row.entered.empty()) << failure.value_or("");
        if (failure) {
            EXPECT_NE(failure->find("lässt sich nicht anlegen"), std::string::npos);
        }
    }
    ::setenv("HOME", oldHome.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(top);
}

}  // namespace
