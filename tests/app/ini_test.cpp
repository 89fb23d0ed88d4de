#include "app/ini.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "platform/files/replace_file.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::set<std::string> namesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
    return names;
}

std::string temporary(int n) {
    return "ini$$" + std::to_string(n) + ".TMP";
}

struct Put {
    const char* section;
    const char* tag;
    int value;
};

class Ini : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tkv9d-ini-XXXXXX";
        dir = ::mkdtemp(pattern);
        store = Ini_New(1);
        ASSERT_NE(store, nullptr);
    }
    void TearDown() override {
        Ini_Dispose(store);
        fs::remove_all(dir);
    }
    std::string file(const std::string& name) const { return dir + "/" + name; }

    // A fresh store holding the file's text.
    void load(const std::string& text) {
        Ini_Dispose(store);
        store = Ini_New(1);
        writeFile(file("t.ini"), text);
        ASSERT_EQ(Ini_ReadFromFile(store, file("t.ini").c_str()), 0);
    }

    std::string dir;
    IniText store = nullptr;
};

TEST_F(Ini, ReadingFollowsTheLineRules) {
    const std::string longBlanks(251, ' ');  // "k =" + 251 blanks + "5" is 255 characters
    struct Row {
        const char* what;
        std::string text;
        const char* section;
        const char* tag;
        int result;
        int value;
    } rows[] = {
        {"names ignore case", "[Com]\r\nCOM = 3\r\n", "com", "com", 1, 3},
        {"lookup ignores blanks", "[com]\r\ncom = 3\r\n", " COM ", "\tcom ", 1, 3},
        {"blanks around the line, none at =", "[com]\r\n   com=3  \t\r\n", "com", "com", 1, 3},
        {"blanks inside the section line", "  [ com ] \r\ncom = 3\r\n", "com", "com", 1, 3},
        {"nothing after =", "[com]\r\ncom =  \r\n", "com", "com", 0, 0},
        {"nothing before =", "[com]\r\n = 3\r\n", "com", "", 0, 0},
        {"tag ends at the first =", "[com]\r\ncom = = 3\r\n", "com", "com", ini::kNotAnInteger, 0},
        {"hexadecimal", "[com]\r\ncom = 0x31\r\n", "com", "com", ini::kNotAnInteger, 0},
        {"trailing letter", "[com]\r\ncom = 49x\r\n", "com", "com", ini::kNotAnInteger, 0},
        {"before the first section", "com = 3\r\n[com]\r\n", "com", "com", 0, 0},
        {"comment", "[com]\r\n  ;com = 3\r\n", "com", "com", 0, 0},
        {"text after ] is no section line", "[x]\r\n[com] y\r\ncom = 3\r\n", "x", "com", 1, 3},
        {"[ without ] is no section line", "[x]\r\n[com\r\ncom = 3\r\n", "x", "com", 1, 3},
        {"name ends at the last ]", "[a]b]\r\nk = 1\r\n", "a]b", "k", 1, 1},
        {"repeated section continues it", "[com]\r\nk = 1\r\n[x]\r\n[COM]\r\nj = 2\r\n", "com", "k",
         1, 1},
        {"later item replaces earlier", "[com]\r\nk = 1\r\nK = 2\r\n", "com", "k", 1, 2},
        {"CR alone ends a line", "[com]\rk = 4", "com", "k", 1, 4},
        {"LF CR is one line end", "[com]\n\rk = 4\n\r", "com", "k", 1, 4},
        {"NUL ends a line", "[com]\0k = 4\0"s, "com", "k", 1, 4},
        {"255 characters kept", "[com]\r\nk =" + longBlanks + "5\r\n", "com", "k", 1, 5},
        {"256th character dropped", "[com]\r\nk = " + longBlanks + "5\r\n", "com", "k", 0, 0},
        {"dropped text starts no line", "[com]\r\n;" + std::string(254, 'x') + "k = 5\r\n", "com",
         "k", 0, 0},
        {"missing section", "[com]\r\nk = 1\r\n", "other", "k", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        load(row.text);
        int value = -7;
        EXPECT_EQ(Ini_GetInt(store, row.section, row.tag, &value), row.result);
        EXPECT_EQ(value, row.result == 1 ? row.value : -7);
    }
}

TEST_F(Ini, GetIntTakesOnlyDecimalIntegersInRange) {
    const std::pair<const char*, int> integers[] = {{"+5", 5},
                                                    {"-5", -5},
                                                    {" 7 ", 7},
                                                    {"007", 7},
                                                    {"2147483647", 2147483647},
                                                    {"-2147483648", -2147483647 - 1}};
    const char* others[] = {"- 5", "--5", "+-5",        "-",           "5-",
                            "4 9", "1e3", "2147483648", "-2147483649", "99999999999999999999"};
    for (const auto& [text, expected] : integers) {
        SCOPED_TRACE(text);
        load("[s]\r\nk = "s + text + "\r\n");
        int value = -7;
        EXPECT_EQ(Ini_GetInt(store, "s", "k", &value), 1);
        EXPECT_EQ(value, expected);
    }
    for (const char* text : others) {
        SCOPED_TRACE(text);
        load("[s]\r\nk = "s + text + "\r\n");
        int value = -7;
        EXPECT_EQ(Ini_GetInt(store, "s", "k", &value), ini::kNotAnInteger);
        EXPECT_EQ(value, -7);
    }
}

TEST_F(Ini, WrittenFileIsSortedIgnoringCase) {
    struct Row {
        const char* what;
        int autoSort;
        std::vector<Put> puts;
        std::string bytes;
    } rows[] = {
        {"the program's three keys",
         1,
         {{"com", "com", 2}, {"com", "lcom", 2}, {"com", "adresse", 49}},
         "[com]\r\nadresse = 49\r\ncom = 2\r\nlcom = 2\r\n\r\n"},
        {"no port open", 1, {{"com", "com", 0}}, "[com]\r\ncom = 0\r\n\r\n"},
        {"int range",
         1,
         {{"s", "a", -2147483647 - 1}, {"s", "b", 2147483647}},
         "[s]\r\na = -2147483648\r\nb = 2147483647\r\n\r\n"},
        {"case does not order",
         1,
         {{"Zeta", "b", 1}, {"alpha", "B", 2}, {"alpha", "a", 3}, {"Beta", "x", 4}},
         "[alpha]\r\na = 3\r\nB = 2\r\n\r\n[Beta]\r\nx = 4\r\n\r\n[Zeta]\r\nb = 1\r\n\r\n"},
        {"same names replace",
         1,
         {{" com ", " com ", 5}, {"COM", "Com", 6}},
         "[com]\r\nCom = 6\r\n\r\n"},
        {"unsorted store keeps put order",
         0,
         {{"b", "y", 1}, {"a", "z", 2}, {"b", "x", 3}},
         "[b]\r\ny = 1\r\nx = 3\r\n\r\n[a]\r\nz = 2\r\n\r\n"},
        {"empty store", 1, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        IniText written = Ini_New(row.autoSort);
        for (const Put& put : row.puts)
            ASSERT_EQ(Ini_PutInt(written, put.section, put.tag, put.value), 0);
        EXPECT_EQ(Ini_WriteToFile(written, file("w.ini").c_str()), 0);
        EXPECT_EQ(contentOf(file("w.ini")), row.bytes);
        Ini_Dispose(written);
    }
}

// Items read are sorted into the store once the file has ended; the outcome is that of putting
// them one by one in file order: the last of several equal tags stands, a section keeps the
// spelling it had first.
TEST_F(Ini, ReadFileMergesAsIfPutInOrder) {
    const std::string repeats =
        "[b]\r\nY = 1\r\n[A]\r\nx = 2\r\n[B]\r\ny = 3\r\nZ = 4\r\n[a]\r\nX = 5\r\n";
    struct Row {
        const char* what;
        int autoSort;
        std::vector<Put> before;
        std::string text;
        std::string bytes;
    } rows[] = {
        {"repeated sections and tags",
         1,
         {},
         repeats,
         "[A]\r\nX = 5\r\n\r\n[b]\r\ny = 3\r\nZ = 4\r\n\r\n"},
        {"into a filled store",
         1,
         {{"Com", "Zeta", 5}, {"z", "k", 6}},
         "[com]\r\nzeta = 1\r\nalpha = 2\r\n[d]\r\nk = 3\r\n",
         "[Com]\r\nalpha = 2\r\nzeta = 1\r\n\r\n[d]\r\nk = 3\r\n\r\n[z]\r\nk = 6\r\n\r\n"},
        {"a section without items is not made",
         1,
         {},
         "[leer]\r\n[s]\r\nk = 1\r\n",
         "[s]\r\nk = 1\r\n\r\n"},
        {"unsorted store keeps the file's order",
         0,
         {},
         repeats,
         "[b]\r\ny = 3\r\nZ = 4\r\n\r\n[A]\r\nX = 5\r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        IniText read = Ini_New(row.autoSort);
        for (const Put& put : row.before) Ini_PutInt(read, put.section, put.tag, put.value);
        writeFile(file("r.ini"), row.text);
        EXPECT_EQ(Ini_ReadFromFile(read, file("r.ini").c_str()), 0);
        EXPECT_EQ(Ini_WriteToFile(read, file("w.ini").c_str()), 0);
        EXPECT_EQ(contentOf(file("w.ini")), row.bytes);
        Ini_Dispose(read);
    }
}

// What the program does at start and at its end: read three keys, later write a new store of
// them over the same file. Nothing else of the old file survives.
TEST_F(Ini, RebuiltFileHoldsOnlyThePutKeys) {
    load(
        "; settings\r\nstray = 1\r\n[Com]\r\nCOM = 3\r\n;lcom = 9\r\nlcom=5\r\n"
        "adresse = 50\r\nextra = 7\r\n[other]\r\nx = 1\r\n");
    IniText rebuilt = Ini_New(1);
    for (const char* key : {"com", "lcom", "adresse"}) {
        int value = 0;
        ASSERT_EQ(Ini_GetInt(store, "com", key, &value), 1) << key;
        Ini_PutInt(rebuilt, "com", key, value);
    }
    ASSERT_EQ(Ini_WriteToFile(rebuilt, file("t.ini").c_str()), 0);
    Ini_Dispose(rebuilt);
    EXPECT_EQ(contentOf(file("t.ini")), "[com]\r\nadresse = 50\r\ncom = 3\r\nlcom = 5\r\n\r\n");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"t.ini"});
}

TEST_F(Ini, TemporaryNamesInUseAreLeftAlone) {
    std::vector<int> allButOne;
    for (int n = 0; n < 1000; ++n)
        if (n != 1) allButOne.push_back(n);
    for (const std::vector<int>& taken : {std::vector<int>{0}, allButOne}) {
        SCOPED_TRACE(taken.size());
        for (int n : taken) writeFile(file(temporary(n)), "not ours");
        const auto before = namesIn(dir);
        ASSERT_EQ(Ini_PutInt(store, "com", "com", 1), 0);
        EXPECT_EQ(Ini_WriteToFile(store, file("s.ini").c_str()), 0);
        EXPECT_EQ(contentOf(file("s.ini")), "[com]\r\ncom = 1\r\n\r\n");
        EXPECT_EQ(contentOf(file(temporary(0))), "not ours");
        auto after = namesIn(dir);
        EXPECT_EQ(after.erase("s.ini"), 1u);
        EXPECT_EQ(after, before);
        fs::remove(file("s.ini"));
    }
}

// A directory so deep that the target's path still fits the system's limit but the temporary
// name beside it does not: the temporary file cannot be created.
std::string tooDeepForTheTemporary(const std::string& dir) {
    std::string path = dir;
    while (path.size() + 250 < 4090) path += "/" + std::string(200, 'd');
    path += "/" + std::string(4090 - path.size() - 1, 'e');
    fs::create_directories(path);
    return path + "/a";
}

TEST_F(Ini, FailedWriteLeavesTheOldFileAndNoTemporary) {
    struct Row {
        const char* what;
        std::function<std::string()> target;  // prepares the folder, gives the target's path
        bool diskFull;
        int result;
    } rows[] = {
        {"disk full part-way", [&] { return file("full.ini"); }, true, ini::kIoError},
        {"every temporary name taken",
         [&] {
             for (int n = 0; n < 1000; ++n) writeFile(file(temporary(n)), "");
             return file("taken.ini");
         },
         false, ini::kNoTemporaryName},
        {"temporary not creatable", [&] { return tooDeepForTheTemporary(dir); }, false,
         ini::kTemporaryNotCreated},
    };
    for (int n = 0; n < 40; ++n) Ini_PutInt(store, "com", ("key" + std::to_string(n)).c_str(), n);
    const std::string old = "[com]\r\ncom = 4\r\n\r\n";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string target = row.target();
        writeFile(target, old);
        const std::string folder = fs::path(target).parent_path();
        const auto before = namesIn(folder);

        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit saved = limit;
        const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (row.diskFull) limit.rlim_cur = old.size();  // the new text is longer
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const int result = Ini_WriteToFile(store, target.c_str());
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);

        EXPECT_EQ(result, row.result);
        EXPECT_EQ(contentOf(target), old);
        EXPECT_EQ(namesIn(folder), before);
    }
}

int refuseNewFiles(const std::string&) {
    errno = EACCES;
    return -1;
}

// The file a link leads to is replaced and the link stays; a folder that takes no new file
// (simulated: the superuser may write anywhere) gets the file written directly.
TEST_F(Ini, WriteFollowsLinksAndOverwritesWhereTheFolderRefuses) {
    const std::string text = "[com]\r\ncom = 1\r\n\r\n";
    struct Row {
        const char* what;
        std::string path;
        std::string written;
        bool refusing;
        int result;
    } rows[] = {
        {"link to a file", file("link.ini"), file("data.ini"), false, 0},
        {"link to nothing", file("dangling.ini"), file("new.ini"), false, 0},
        {"folder refuses", file("data.ini"), file("data.ini"), true, 0},
        {"folder refuses, no file", file("none.ini"), file("none.ini"), true,
         ini::kTemporaryNotCreated},
    };
    fs::create_symlink("data.ini", file("link.ini"));
    fs::create_symlink("new.ini", file("dangling.ini"));
    Ini_PutInt(store, "com", "com", 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeFile(file("data.ini"), "[com]\r\ncom = 4\r\nlcom = 7\r\n\r\n");
        std::optional<files::CreateTemporaryGuard> refusing;
        if (row.refusing) refusing.emplace(refuseNewFiles);
        EXPECT_EQ(Ini_WriteToFile(store, row.path.c_str()), row.result);
        EXPECT_EQ(contentOf(row.written), row.result == 0 ? text : "");
    }
    EXPECT_TRUE(fs::is_symlink(file("link.ini")));
    EXPECT_TRUE(fs::is_symlink(file("dangling.ini")));
    EXPECT_EQ(namesIn(dir),
              (std::set<std::string>{"link.ini", "data.ini", "dangling.ini", "new.ini"}));
}

TEST_F(Ini, FailuresGiveTheirCodes) {
    fs::create_directory(file("folder"));
    int value = 0;
    struct Row {
        const char* what;
        std::function<int()> call;
        int result;
    } rows[] = {
        {"missing file", [&] { return Ini_ReadFromFile(store, file("none.ini").c_str()); },
         ini::kFileNotFound},
        {"missing folder", [&] { return Ini_ReadFromFile(store, file("none/t.ini").c_str()); },
         ini::kFileNotFound},
        {"reading a folder", [&] { return Ini_ReadFromFile(store, file("folder").c_str()); },
         ini::kCannotOpen},
        {"target in a missing folder",
         [&] { return Ini_WriteToFile(store, file("none/t.ini").c_str()); }, ini::kAccessDenied},
        {"target is a folder", [&] { return Ini_WriteToFile(store, file("folder").c_str()); },
         ini::kAccessDenied},
    };
    Ini_PutInt(store, "com", "com", 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.call(), row.result);
    }
    EXPECT_EQ(Ini_ReadFromFile(nullptr, file("t.ini").c_str()), ini::kNoStore);
    EXPECT_EQ(Ini_WriteToFile(nullptr, file("t.ini").c_str()), ini::kNoStore);
    EXPECT_EQ(Ini_PutInt(nullptr, "com", "com", 1), ini::kNoStore);
    EXPECT_EQ(Ini_GetInt(nullptr, "com", "com", &value), ini::kNoStore);
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"folder"});
}

}  // namespace
