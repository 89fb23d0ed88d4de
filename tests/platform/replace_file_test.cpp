#include "platform/files/replace_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Every name under the folder, links as links (never followed).
std::set<std::string> namesUnder(const std::string& dir, const std::string& prefix = "") {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = prefix + entry.path().filename().string();
        names.insert(name);
        if (fs::is_directory(fs::symlink_status(entry.path())))
            names.merge(namesUnder(entry.path(), name + "/"));
    }
    return names;
}

int refuse(const std::string&) {
    errno = EACCES;
    return -1;
}
int breakDown(const std::string&) {
    errno = EIO;
    return -1;
}

// The save runs with the file size limited, as on a disk that fills up.
files::SaveResult saveWithSizeLimit(const std::string& path, const std::string& bytes,
                                    rlim_t limit) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = limit;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const files::SaveResult result = files::replaceFile(path, bytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return result;
}

class ReplaceFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tkv9d-save-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name) const { return dir + "/" + name; }

    std::string dir;
    const std::string old = "the old file, longer than the new one";
    const std::string bytes = "new bytes";
};

TEST_F(ReplaceFile, LinksAreFollowedAndStay) {
    struct Row {
        const char* what;
        std::function<std::string()> prepare;  // makes the folder, gives the path saved to
        const char* written;                   // the file that must hold the new bytes
    } rows[] = {
        {"plain file", [&] { return file("data"); }, "data"},
        {"absolute link",
         [&] {
             fs::create_symlink(file("data"), file("link"));
             return file("link");
         },
         "data"},
        {"chain of an absolute and a relative link",
         [&] {
             fs::create_symlink(file("b"), file("a"));
             fs::create_symlink("data", file("b"));
             return file("a");
         },
         "data"},
        {"relative link into another folder",
         [&] {
             fs::create_directories(file("sub"));
             fs::create_directories(file("other"));
             fs::rename(file("data"), file("other/data"));
             fs::create_symlink("../other/data", file("sub/link"));
             return file("sub/link");
         },
         "other/data"},
        {"link to nothing creates its target",
         [&] {
             fs::create_symlink("new", file("link"));
             return file("link");
         },
         "new"},
        {"254-character name",
         [&] {
             const std::string name(254, 'n');
             writeFile(file(name), old);
             return file(name);
         },
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeFile(file("data"), old);
        const std::string path = row.prepare();
        auto expected = namesUnder(dir);
        const std::string written = row.written ? file(row.written) : path;
        expected.insert(fs::relative(written, dir));

        const files::SaveResult result = files::replaceFile(path, bytes);
        EXPECT_TRUE(result) << result.error;
        EXPECT_FALSE(result.inPlace);
        EXPECT_EQ(contentOf(written), bytes);
        EXPECT_FALSE(fs::is_symlink(written));
        EXPECT_EQ(namesUnder(dir), expected);  // links stay, no temporary is left
        for (const auto& entry : fs::directory_iterator(dir)) fs::remove_all(entry.path());
    }
}

TEST_F(ReplaceFile, FolderThatRefusesGetsTheFileWrittenInPlace) {
    struct Row {
        const char* what;
        files::CreateTemporary create;
        bool targetExists;
        rlim_t sizeLimit;
        files::SaveFailure failure;
        std::string content;  // of the target afterwards; "-" for none
    } rows[] = {
        {"written in place, cut to the new length", refuse, true, RLIM_INFINITY,
         files::SaveFailure::None, bytes},
        {"disk full part-way says so", refuse, true, 4, files::SaveFailure::PartlyWritten,
         "new " + old.substr(4)},
        {"nothing to write into", refuse, false, RLIM_INFINITY,
         files::SaveFailure::TemporaryNotCreated, "-"},
        {"another failure is no refusal", breakDown, true, RLIM_INFINITY,
         files::SaveFailure::TemporaryNotCreated, old},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove(file("t"));
        if (row.targetExists) writeFile(file("t"), old);
        files::CreateTemporaryGuard folder(row.create);
        const files::SaveResult result = saveWithSizeLimit(file("t"), bytes, row.sizeLimit);
        EXPECT_EQ(result.failure, row.failure);
        EXPECT_EQ(fs::exists(file("t")) ? contentOf(file("t")) : "-", row.content);
    }
}

TEST_F(ReplaceFile, FailuresBeforeTheRenameLeaveTheOldFileAsItWas) {
    fs::create_directory(file("folder"));
    fs::create_symlink("loop2", file("loop1"));
    fs::create_symlink("loop1", file("loop2"));
    struct Row {
        const char* what;
        std::string path;
        rlim_t sizeLimit;
        files::SaveFailure failure;
    } rows[] = {
        {"disk full", file("t"), 4, files::SaveFailure::NotReplaced},
        {"link loop", file("loop1"), RLIM_INFINITY, files::SaveFailure::Unresolvable},
        {"target is a folder", file("folder"), RLIM_INFINITY, files::SaveFailure::NotOpened},
    };
    writeFile(file("t"), old);
    const auto before = namesUnder(dir);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(saveWithSizeLimit(row.path, bytes, row.sizeLimit).failure, row.failure);
        EXPECT_EQ(contentOf(file("t")), old);
        EXPECT_EQ(namesUnder(dir), before);
    }
}

TEST_F(ReplaceFile, ReplacementKeepsThePermissionBits) {
    const mode_t mask = ::umask(027);
    writeFile(file("old"), old);
    fs::permissions(file("old"), fs::perms(0604));
    EXPECT_TRUE(files::replaceFile(file("old"), bytes));
    EXPECT_TRUE(files::replaceFile(file("new"), bytes));
    ::umask(mask);
    EXPECT_EQ(fs::status(file("old")).permissions(), fs::perms(0604));
    EXPECT_EQ(fs::status(file("new")).permissions(), fs::perms(0640));
}

// Faults caught: leftovers of killed saves piling up for good; a save removing a temporary file
// another save still writes, a fresh one, or a file of another name.
TEST_F(ReplaceFile, StaleTemporaryFilesOfOurOwnNamingGo) {
    const std::tuple<const char*, bool, bool, bool> rows[] = {
        // name, two minutes old, locked by a save, removed
        {".tkv9d-Ab3dE9", true, false, true},   {".tkv9d-Fresh1", false, false, false},
        {".tkv9d-Held01", true, true, false},   {".tkv9d-abc", true, false, false},
        {"x.tkv9d-ABCDEF", true, false, false},
    };
    std::vector<int> locks;
    for (const auto& [name, old, held, removed] : rows) {
        writeFile(file(name), bytes);
        if (old) fs::last_write_time(file(name), fs::file_time_type::clock::now() - 2min);
        if (!held) continue;
        locks.push_back(::open(file(name).c_str(), O_RDONLY));
        ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
    }
    EXPECT_TRUE(files::replaceFile(file("t"), bytes));
    for (const auto& [name, old, held, removed] : rows) EXPECT_NE(fs::exists(file(name)), removed);
    for (int fd : locks) ::close(fd);
}

}  // namespace
