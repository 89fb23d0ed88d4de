// Saving and reading by name on every system. Windows is where names go wrong: a narrow path is
// read in the ANSI code page there, so an umlaut named another file and stale data was sent.

#include <gtest/gtest.h>

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
        std::FILE* file = files::openFile(path, "rb");
        ASSERT_NE(file, nullptr) << name;
        char bytes[8] = {};
        EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 6u) << name;
        std::fclose(file);
        EXPECT_TRUE(fs::exists(*files::systemPath(path))) << name;
        fs::remove(*files::systemPath(path));
    }
}

#ifdef _WIN32
// Bytes that are no UTF-8 name no file: refused, never saved under a replacement character.
TEST_F(FileNames, ANameThatIsNoTextIsRefused) {
    const std::string path = pathOf(
        "Pr\xFC"
        "fung.tkv");
    EXPECT_FALSE(files::systemPath(path));
    EXPECT_FALSE(files::replaceFile(path, "bytes"));
    EXPECT_EQ(files::openFile(path, "rb"), nullptr);
    EXPECT_EQ(onlyName(), "");
}

// A replacement keeps what the operator set on the old file.
TEST_F(FileNames, ReplacementKeepsTheFilesAttributes) {
    const std::string path = pathOf("Prüfstand.tkv");
    ASSERT_TRUE(files::replaceFile(path, "first"));
    const std::wstring name = files::systemPath(path)->wstring();
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(files::replaceFile(path, "second"));
    EXPECT_TRUE(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(readBack(path), "second");
}
#endif

}  // namespace
