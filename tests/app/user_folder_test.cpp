// The folder the program starts in with --user-folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include "app/user_folder.h"

namespace {

namespace fs = std::filesystem;

// An environment variable set or removed for the life of the object.
class EnvironmentValue {
  public:
    EnvironmentValue(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvironmentValue() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Faults caught: the file named on the command line looked up in the new folder, the settings
// of a desktop start landing somewhere else than where the port links are, and a folder that
// cannot be made leaving the program in no folder or silent about it.
TEST(UserFolder, IsMadeAndEnteredAfterTheFileIsMadeAbsolute) {
    char pattern[] = "/tmp/tkv9d-user-XXXXXX";
    const fs::path top = ::mkdtemp(pattern);
    const fs::path work = top / "arbeit";
    fs::create_directories(work);
    std::ofstream(top / "datei");
    const fs::path old = fs::current_path();
    struct Row {
        std::string xdgConfigHome;  // "-" for unset
        std::string home;           // "-" for unset
        std::string entered;        // below top, or "" when the folder stays
        std::string reason;         // a part of the operator's message
    } const rows[] = {
        {(top / "konfig").string(), "-", "konfig/tkv9d", ""},
        {"relativ", (top / "heim").string(), "heim/.config/tkv9d", ""},
        {"-", (top / "heim2").string(), "heim2/.config/tkv9d", ""},
        {(top / "datei").string(), "-", "", "lässt sich nicht anlegen"},
        {"-", "-", "", "HOME fehlt"},
    };
    for (const auto& row : rows) {
        const EnvironmentValue xdg("XDG_CONFIG_HOME",
                                   row.xdgConfigHome == "-" ? nullptr : row.xdgConfigHome.c_str());
        const EnvironmentValue home("HOME", row.home == "-" ? nullptr : row.home.c_str());
        fs::current_path(work);
        std::string file = "Prüfung.tkv";
        const auto failure = vrl::app::enterUserFolder(file);
        const fs::path now = fs::current_path();
        fs::current_path(old);
        EXPECT_EQ(file, (work / "Prüfung.tkv").string());
        if (row.entered.empty()) {
            ASSERT_TRUE(failure) << row.xdgConfigHome;
            EXPECT_NE(failure->find(row.reason), std::string::npos) << *failure;
            EXPECT_EQ(now, work);
        } else {
            EXPECT_FALSE(failure) << *failure;
            EXPECT_EQ(now, top / row.entered);
        }
    }
    fs::remove_all(top);
}

}  // namespace
