// Saving and reading by name on every system. Windows is where names go wrong: a narrow path is
// read in the ANSI code page there, so an umlaut named another file and stale data was sent.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/files/replace_file.h"
#include "platform/files/system_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

class FileNames : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("tkv9d-") + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string pathOf(const std::string& name) const {
        const auto text = folder.u8string();
        return std::string(text.begin(), text.end()) + "/" + name;
    }
    std::string readBack(const std::string& path) const {
        std::string bytes;
        const auto outcome =
            files::readChunks(path, 4, [&](std::string_view chunk) { bytes += chunk; });
        return outcome == files::ReadFailure::None ? bytes : "(not read)";
    }
    std::string onlyName() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const auto name = entry.path().filename().u8string();
            names += (names.empty() ? "" : "|") + std::string(name.begin(), name.end());
        }
        return names;
    }

    fs::path folder;
};

TEST_F(FileNames, ASaveAndItsReadsUseExactlyTheNameGiven) {
    for (const char* name : {"Prüfung Übermaß.tkv", "ÄÖÜäöüß €.ini", "Ωmega.tkv"}) {
        const std::string path = pathOf(name);
        ASSERT_TRUE(files::replaceFile(path, "first")) << name;
        ASSERT_TRUE(files::replaceFile(path, "second")) << name;
        EXPECT_EQ(onlyName(), name);
        EXPECT_EQ(readBack(path), "second") << name;
        bool notRegular = false;
        std::FILE* file = files::openRegular(path, notRegular);
        ASSERT_NE(file, nullptr) << name;
        std::fclose(file);
        EXPECT_TRUE(fs::exists(*files::systemPath(path))) << name;
        fs::remove(*files::systemPath(path));
    }
}

// Fault caught: a file named without its folder never replaced (Wine's ReplaceFileW fails on such
// a name), so a settings file kept its old port for good.
TEST_F(FileNames, AFileNamedWithoutItsFolderIsReplaced) {
    const fs::path old = fs::current_path();
    fs::current_path(folder);
    const bool first = bool(files::replaceFile("Einstellungen.ini", "first"));
    const bool second = bool(files::replaceFile("Einstellungen.ini", "second"));
    fs::current_path(old);
    EXPECT_TRUE(first && second);
    EXPECT_EQ(onlyName(), "Einstellungen.ini");
    EXPECT_EQ(readBack(pathOf("Einstellungen.ini")), "second");
}

#ifdef _WIN32
// Bytes that are no UTF-8 name no file: refused, never saved under a replacement character.
TEST_F(FileNames, ANameThatIsNoTextIsRefused) {
    const std::string path = pathOf(
        "Pr\xFC"
        "fung.tkv");
    EXPECT_FALSE(files::systemPath(path));
    EXPECT_FALSE(files::replaceFile(path, "bytes"));
    bool notRegular = false;
    EXPECT_EQ(files::openRegular(path, notRegular), nullptr);
    EXPECT_EQ(onlyName(), "");
}

// A replacement keeps what the operator set on the old file.
TEST_F(FileNames, ReplacementKeepsTheAttributesAndReadOnlyIsRefused) {
    const std::string path = pathOf("Prüfstand.tkv");
    ASSERT_TRUE(files::replaceFile(path, "first"));
    const std::wstring name = files::systemPath(path)->wstring();
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(files::replaceFile(path, "second"));
    EXPECT_TRUE(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(readBack(path), "second");

    // Read-only is the operator's way to keep a file: refused, with the reason, left as it was.
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    const files::SaveResult refused = files::replaceFile(path, "third");
    EXPECT_EQ(refused.failure, files::SaveFailure::NotOpened);
    EXPECT_EQ(refused.error, EACCES);
    EXPECT_EQ(readBack(path), "second");
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

}  // namespace
