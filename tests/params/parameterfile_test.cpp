#include <gmock/gmock.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors/vrl_errors.h"
#include "params/parameterfile.h"
#include "params_fixture.h"
#include "platform/files/replace_file.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void putDouble(Bytes& image, std::size_t at, double value) {
    std::memcpy(image.data() + at, &value, sizeof value);
}
void putInt(Bytes& image, std::size_t at, std::int32_t value) {
    std::memcpy(image.data() + at, &value, sizeof value);
}

class ParameterFile : public ParamsTest {
  protected:
    void SetUp() override {
        ParamsTest::SetUp();
        char pattern[] = "/tmp/tkv9d-files-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        fs::remove_all(dir);
        ParamsTest::TearDown();
    }
    std::string file(const char* name) const { return dir + "/" + name; }

    // A full disk: the file size limit makes the write fail part-way.
    static int saveOnFullDisk() {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 1000;
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return 1;
        const int code = DateiSpeichern(0);
        ::setrlimit(RLIMIT_FSIZE, &old);
        return code;
    }

    std::string dir;
};

// The expected file, built from the layout alone: identifier, version, 17 records of 208 bytes.
TEST_F(ParameterFile, SavedImageMatchesTheLayout) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(5), 0);
    ws.parameter.strom2 = 1.5;  // edited on the panel, stored by the save
    ws.parameter.zyklen = 12;
    ws.prog[16].zeit4 = 65535.0;
    vrl::params::setName(ws.prog[9], "Neun");
    popups.files = {file("a.tkv")};
    ASSERT_EQ(DateiSpeichern(0), 0);

    Bytes expected(3576, 0);
    std::memcpy(expected.data(), "VRLTKV9DSteuerung", 18);
    putInt(expected, 32, 4);
    for (int i = 0; i < 17; ++i) {
        const std::size_t base = 40 + 208 * static_cast<std::size_t>(i);
        const std::string name = i == 0   ? "Arbeitsparameter"
                                 : i == 9 ? "Neun"
                                          : "Programm " + std::to_string(i);
        std::memcpy(expected.data() + base, name.c_str(), name.size() + 1);
        putInt(expected, base + 28, 1);
        putInt(expected, base + 32, 2);
        putDouble(expected, base + 40, 1000.0);
        putDouble(expected, base + 48, 1.0);
        for (std::size_t at : {56u, 64u, 72u}) putDouble(expected, base + at, 25.0);
        putDouble(expected, base + 88, i == 5 ? 1.5 : 0.0);
        putDouble(expected, base + 112, 1000.0);
        putDouble(expected, base + 136, i == 16 ? 65535.0 : 0.0);
        putDouble(expected, base + 144, 2.0);
        putDouble(expected, base + 160, 1.0);
        putInt(expected, base + 168, i == 5 ? 12 : 0);
        putDouble(expected, base + 176, 0.1);
        putDouble(expected, base + 184, 4.0);
        putDouble(expected, base + 200, 1.0);
    }
    const Bytes saved = readAll(file("a.tkv"));
    ASSERT_EQ(saved.size(), 3576u);
    // The bytes without meaning (after the identifier's terminator, 36..39, the reserved word
    // and the name's tail) may hold anything; compare the rest.
    for (std::size_t i = 18; i < 32; ++i) expected[i] = saved[i];
    for (std::size_t i = 36; i < 40; ++i) expected[i] = saved[i];
    for (int r = 0; r < 17; ++r) {
        const std::size_t base = 40 + 208 * static_cast<std::size_t>(r);
        for (std::size_t i = 36; i < 40; ++i) expected[base + i] = saved[base + i];
    }
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(ws.dateiname, file("a.tkv"));
    EXPECT_EQ(panels.title, "TKV-9D Steuerung - a.tkv");
    EXPECT_FALSE(ws.datenGeaendert);
}

TEST_F(ParameterFile, SaveAsksForANameOnlyWhenUntitledOrSaveAs) {
    popups.files = {file("a.tkv")};
    ASSERT_EQ(DateiSpeichern(0), 0);
    EXPECT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Speichern");
    ASSERT_EQ(DateiSpeichern(0), 0);  // to the current file, no dialog
    EXPECT_EQ(popups.shown.size(), 1u);
    popups.files = {file("b.tkv")};
    ASSERT_EQ(DateiSpeichern(1), 0);
    EXPECT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[1].text, dir + "/");  // the current file's folder is offered
    EXPECT_EQ(ws.dateiname, file("b.tkv"));
    EXPECT_EQ(DateiSpeichern(1), -6000);  // cancelled
    EXPECT_EQ(ws.dateiname, file("b.tkv"));
}

TEST_F(ParameterFile, SaveStopsAtTheFirstImplausibleEntry) {
    ws.prog[3].messbereich = 1;
    ws.prog[3].strom1 = 2.0;
    ws.prog[8].messbereich = 1;
    ws.prog[8].strom1 = 2.0;
    EXPECT_EQ(DateiSpeichern(1), -6000);
    ASSERT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[0].title, "Fehler in den Parametern");
    EXPECT_EQ(popups.shown[1].title, "Fehler im Prüfprogramm");
    EXPECT_EQ(popups.shown[1].text, "Fehler in Programm 3.\nDatei wurde nicht gespeichert.");
    ws.prog[3].messbereich = 2;
    ws.prog[8].messbereich = 2;
    ws.prog[0].messbereich = 1;
    ws.prog[0].strom1 = 2.0;
    popups.shown.clear();
    EXPECT_EQ(DateiSpeichern(1), -6000);
    EXPECT_EQ(popups.shown.at(1).text, "Fehler in Programm A.\nDatei wurde nicht gespeichert.");
}

TEST_F(ParameterFile, ImplausibleWorkingCopyStopsAfterTheDialog) {
    ws.parameter.messbereich = 1;
    ws.parameter.strom4 = 0.5;
    popups.files = {file("c.tkv")};
    EXPECT_EQ(DateiSpeichern(1), -510451);
    EXPECT_FALSE(fs::exists(file("c.tkv")));
}

TEST_F(ParameterFile, FailedWriteLeavesThePreviousFileAsItWas) {
    popups.files = {file("keep.tkv")};
    ASSERT_EQ(DateiSpeichern(0), 0);
    const Bytes before = readAll(file("keep.tkv"));
    ws.prog[2].strom1 = 3.0;
    DatenAlsGeaendertMarkieren();

    const int code = saveOnFullDisk();

    EXPECT_EQ(code, -301402);
    EXPECT_EQ(readAll(file("keep.tkv")), before);
    EXPECT_TRUE(ws.datenGeaendert);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The file the operator names is saved, whatever lies behind the name.
TEST_F(ParameterFile, SaveFollowsLinksAndTakesLongNames) {
    const std::string longName(254, 'n');
    struct Row {
        const char* what;
        std::string path;
        std::string written;
    } rows[] = {
        {"link to a file", file("link.tkv"), file("data.tkv")},
        {"254-character name", dir + "/" + longName, dir + "/" + longName},
    };
    writeAll(file("data.tkv"), Bytes(10, 0x55));
    fs::create_symlink("data.tkv", file("link.tkv"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Datei_Schreiben(row.path), 0);
        EXPECT_EQ(readAll(row.written).size(), 3576u);
        EXPECT_EQ(ws.dateiname, row.path);
    }
    EXPECT_TRUE(fs::is_symlink(file("link.tkv")));
}

int refuseNewFiles(const std::string&) {
    errno = EACCES;
    return -1;
}

// A folder that takes no new file (simulated: the superuser may write anywhere): the file is
// overwritten directly, and a write that fails then says the file is incomplete.
TEST_F(ParameterFile, FolderThatRefusesNewFilesIsWrittenInPlace) {
    popups.files = {file("keep.tkv")};
    ASSERT_EQ(DateiSpeichern(0), 0);
    const auto inodeOf = [&] {
        struct stat status {};
        ::stat(file("keep.tkv").c_str(), &status);
        return status.st_ino;
    };
    const auto inode = inodeOf();
    const auto strom1Of2 = [&] {
        double value = 0;
        std::memcpy(&value, readAll(file("keep.tkv")).data() + 40 + 2 * 208 + 80, sizeof value);
        return value;
    };
    files::CreateTemporaryGuard refusing(refuseNewFiles);
    ws.prog[2].strom1 = 3.0;
    EXPECT_EQ(DateiSpeichern(0), 0);
    EXPECT_EQ(strom1Of2(), 3.0);
    EXPECT_EQ(inodeOf(), inode);

    ws.prog[2].strom1 = 2.0;
    DatenAlsGeaendertMarkieren();
    const int code = saveOnFullDisk();
    EXPECT_EQ(code, -301402);
    EXPECT_THAT(VRL_Fehlermeldung(code), testing::HasSubstr("direkt überschrieben"));
    EXPECT_TRUE(ws.datenGeaendert);
}

TEST_F(ParameterFile, TargetInMissingFolderCannotBeOpened) {
    popups.files = {file("missing/x.tkv")};
    EXPECT_EQ(DateiSpeichern(1), -301401);
    EXPECT_EQ(ws.dateiname, "Unbenannt");
}

class OpenFile : public ParameterFile {
  protected:
    Bytes validImage() {
        popups.files = {file("valid.tkv")};
        EXPECT_EQ(DateiSpeichern(1), 0);
        popups.shown.clear();
        return readAll(file("valid.tkv"));
    }
    int open(const Bytes& bytes) {
        writeAll(file("in.tkv"), bytes);
        popups.files = {file("in.tkv")};
        return DateiOeffnen();
    }
};

TEST_F(OpenFile, BrokenFilesLeaveTheTableAlone) {
    Bytes image = validImage();
    putDouble(image, 40 + 80, 3.5);  // entry 0 strom1, so a load would be visible
    struct Row {
        const char* what;
        Bytes bytes;
        int expected;
    };
    Bytes wrongId = image;
    wrongId[3] = 'x';
    Bytes wrongVersion = image;
    putInt(wrongVersion, 32, 3);
    const Row rows[] = {
        {"35 bytes", Bytes(image.begin(), image.begin() + 35), -304411},
        {"header only", Bytes(image.begin(), image.begin() + 36), -304405},
        {"one byte short", Bytes(image.begin(), image.end() - 1), -304405},
        {"identifier", wrongId, -302406},
        {"version", wrongVersion, -303407},
    };
    for (const auto& row : rows) {
        ws.dateiname = "Unbenannt";
        EXPECT_EQ(open(row.bytes), row.expected) << row.what;
        EXPECT_EQ(ws.prog[0].strom1, 0.0) << row.what;
        EXPECT_EQ(ws.dateiname, "Unbenannt") << row.what;
    }
}

TEST_F(OpenFile, WrongVersionNamesBothVersionsOnce) {
    Bytes image = validImage();
    putInt(image, 32, 3);
    ASSERT_EQ(open(image), -303407);
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-303407)),
              "Die Datei hat die falsche Versionsnummer\nerwartet: V 4\ngefunden: V 3");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-303407)), "Die Datei hat die falsche Versionsnummer");
}

TEST_F(OpenFile, MeaninglessBytesAndTrailingDataAreAccepted) {
    Bytes image = validImage();
    for (std::size_t i = 18; i < 32; ++i) image[i] = 0xEE;
    for (std::size_t i = 36; i < 40; ++i) image[i] = 0x77;
    putDouble(image, 40 + 208 * 7 + 104, 2.5);  // entry 7 strom4
    image.insert(image.end(), 100, 0x55);
    ASSERT_EQ(Prog_ProgrammAuswaehlen(7), 0);
    ws.parameter.strom4 = 1.0;
    DatenAlsGeaendertMarkieren();
    EXPECT_EQ(open(image), 0);
    EXPECT_EQ(ws.progIndex, 7);
    EXPECT_EQ(ws.parameter.strom4, 2.5);
    EXPECT_EQ(panels.shown.strom4, 2.5);
    EXPECT_FALSE(ws.datenGeaendert);
    EXPECT_EQ(panels.title, "TKV-9D Steuerung - in.tkv");
}

TEST_F(OpenFile, NameWithoutTerminatorIsCut) {
    Bytes image = validImage();
    std::memset(image.data() + 40 + 208 * 2, 'Q', 28);
    ASSERT_EQ(open(image), 0);
    EXPECT_EQ(vrl::params::nameOf(ws.prog[2]), std::string(27, 'Q'));
    EXPECT_EQ(panels.labels[2], "2 - " + std::string(27, 'Q'));
}

TEST_F(OpenFile, CancelledOrMissingFile) {
    EXPECT_EQ(DateiOeffnen(), -6000);
    popups.files = {file("nowhere.tkv")};
    EXPECT_EQ(DateiOeffnen(), -308403);
    EXPECT_EQ(Datei_Lesen(file("nowhere.tkv")), -308404);
}

class QuitPrompt : public ParameterFile {};

TEST_F(QuitPrompt, AsksOnlyAboutChangedData) {
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 0);
    EXPECT_TRUE(popups.shown.empty());
    DatenAlsGeaendertMarkieren();
    popups.answers = {2};
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 0);  // "Nein"
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Datei speichern");
    EXPECT_EQ(popups.shown[0].text, "Möchten Sie die Änderungen in Unbenannt speichern?");
    EXPECT_EQ(popups.shown[0].buttons, (std::vector<std::string>{"Ja", "Nein", "Abbrechen"}));
    popups.answers = {3};
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 1);  // "Abbrechen"
}

TEST_F(QuitPrompt, YesThenCancelledDialogKeepsRunningWithoutErrorPopup) {
    DatenAlsGeaendertMarkieren();
    popups.answers = {1};
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 1);
    ASSERT_EQ(popups.shown.size(), 2u);  // the question and the file dialog, no error
    EXPECT_EQ(popups.shown[1].kind, "file");
}

TEST_F(QuitPrompt, YesSavesAndGoesOn) {
    DatenAlsGeaendertMarkieren();
    DatenAlsGeaendertMarkieren();
    popups.answers = {1};
    popups.files = {file("q.tkv")};
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 0);
    EXPECT_FALSE(ws.datenGeaendert);
    EXPECT_TRUE(fs::exists(file("q.tkv")));
}

TEST_F(QuitPrompt, FailedSaveIsShownAndStops) {
    DatenAlsGeaendertMarkieren();
    popups.answers = {1};
    popups.files = {file("missing/q.tkv")};
    EXPECT_EQ(AbfrageWennNichtGespeichert(), 1);
    ASSERT_EQ(popups.shown.size(), 3u);
    EXPECT_EQ(popups.shown[2].title, "Fehler #301401");
}

}  // namespace
