#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

#include <unistd.h>

#include "cli_fixture.h"
#include "params/parameterfile.h"

namespace {

namespace fs = std::filesystem;

class ProgramCommands : public CliTest {
  protected:
    void SetUp() override {
        line.addTkv('1');
        char pattern[] = "/tmp/tkv9d-cli-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        fs::remove_all(dir);
        CliTest::TearDown();
    }

    std::string dir;
};

TEST_F(ProgramCommands, ReadThenWriteLeavesTheDeviceAsItWas) {
    // A device whose programs differ from the defaults and from each other.
    for (int slot = 1; slot <= 16; ++slot) {
        ASSERT_TRUE(line.setSlotValue('1', slot, "C1", "0." + std::to_string(slot * 5 + 100)));
        ASSERT_TRUE(line.setSlotValue('1', slot, "N1", "Pruefung " + std::to_string(slot)));
        ASSERT_TRUE(line.setSlotValue('1', slot, "L1", std::to_string(slot * 100)));
    }
    ASSERT_TRUE(line.setValue('1', "T2", "250.5"));
    ASSERT_TRUE(line.setValue('1', "N1", "Arbeit"));
    std::vector<std::vector<std::string>> before;
    const char* letters[] = {"N1", "WF", "M1", "P6", "P2", "P3", "P4", "P5", "C1",
                             "C2", "C3", "C4", "T1", "T2", "T3", "T4", "D1", "D2",
                             "P1", "L1", "B1", "B2", "B3", "B4", "B5"};
    auto snapshot = [&] {
        std::vector<std::vector<std::string>> state;
        for (int slot = 0; slot <= 16; ++slot) {
            std::vector<std::string> values;
            for (const char* l : letters)
                values.push_back(slot == 0 ? line.value('1', l).value_or("?")
                                           : line.slotValue('1', slot, l).value_or("?"));
            state.push_back(values);
        }
        return state;
    };
    before = snapshot();

    const std::string file = dir + "/f.tkv";
    auto r = tool({"programs-read", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::file_size(file), vrl::params::kFileSize);

    // Somebody changes the device in between.
    ASSERT_TRUE(line.setSlotValue('1', 7, "C1", "3.000"));
    ASSERT_TRUE(line.setValue('1', "T2", "1.0"));
    r = tool({"programs-write", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProgramCommands, ImplausibleEntryStopsTheWriteBeforeAnythingIsSent) {
    const std::string file = dir + "/f.tkv";
    ASSERT_EQ(tool({"programs-read", file}).status, 0);
    // Entry 3 (program 3): measuring range 1 with a current of 1 A.
    std::fstream io(file, std::ios::in | std::ios::out | std::ios::binary);
    const std::int32_t range1 = 1;
    const double current = 1.0;
    io.seekp(static_cast<std::streamoff>(vrl::params::kRecordsOffset + 3 * 208 + 32));
    io.write(reinterpret_cast<const char*>(&range1), sizeof range1);
    io.seekp(static_cast<std::streamoff>(vrl::params::kRecordsOffset + 3 * 208 + 80));
    io.write(reinterpret_cast<const char*>(&current), sizeof current);
    io.close();
    line.clearFrames();
    const auto r = tool({"programs-write", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Strom 1 ist zu groß für Messbereich 1\n"
              "Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1\n"
              "Kalibrierstrom 2 ist zu groß für Messbereich 1\n"
              "Fehler #510451: Wert nicht erlaubt.\n"
              "Eintrag 3, Feld strom1\n");
    EXPECT_TRUE(line.frames().empty());
}

// Bytes put into one record of a parameter file.
void patch(const std::string& file, int entry, std::size_t offset, const void* bytes,
           std::size_t size) {
    std::fstream io(file, std::ios::in | std::ios::out | std::ios::binary);
    io.seekp(static_cast<std::streamoff>(vrl::params::kRecordsOffset + 208 * entry + offset));
    io.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

TEST_F(ProgramCommands, FileTheDriverWouldRefuseAnywhereSendsNoFrameAtAll) {
    const std::string saved = dir + "/saved.tkv";
    ASSERT_EQ(tool({"programs-read", saved}).status, 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double huge = 1e9;
    const std::int32_t three = 3, minusOne = -1;
    const char command[] = "x\r#1DF1";
    struct Row {
        int entry;
        std::size_t offset;  // in the record
        const void* bytes;
        std::size_t size;
        const char* error;  // both lines
        vrl::text::Language language = vrl::text::Language::German;
    };
    const Row rows[] = {
        {0, 0, command, sizeof command,
         "Fehler #510229: Wert nicht erlaubt.\nEintrag A, Feld programmname\n"},
        {9, 80, &nan, 8, "Error #500070: Parameter out of limits\nEntry 9, field strom1\n",
         vrl::text::Language::English},
        {16, 120, &huge, 8,
         "Fehler #500075: Parameter außerhalb der Grenzwerte\nEintrag 16, Feld zeit2\n"},
        {1, 28, &three, 4,
         "Fehler #500063: Parameter außerhalb der Grenzwerte\nEintrag 1, Feld stromkurve\n"},
        {5, 168, &minusOne, 4,
         "Fehler #500080: Parameter außerhalb der Grenzwerte\nEintrag 5, Feld zyklen\n"},
        {12, 192, &inf, 8,
         "Fehler #500062: Parameter außerhalb der Grenzwerte\nEintrag 12, Feld "
         "kalibrierungOffset\n"},
    };
    for (const Row& row : rows) {
        const std::string file = dir + "/bad.tkv";
        fs::copy_file(saved, file, fs::copy_options::overwrite_existing);
        patch(file, row.entry, row.offset, row.bytes, row.size);
        line.clearFrames();
        speak(row.language);
        const auto r = tool({"programs-write", file});
        EXPECT_EQ(r.status, 1) << row.error;
        EXPECT_EQ(r.err, row.error);
        EXPECT_TRUE(line.frames().empty()) << row.error;
    }
}

TEST_F(ProgramCommands, LongNamesAreWrittenWholeWithANoteThatTheyComeBackCut) {
    const std::string file = dir + "/f.tkv";
    ASSERT_EQ(tool({"programs-read", file}).status, 0);
    const std::string name27 = "Pruefung Wicklung 3, 4 A..x";
    const std::string name24 = "Dauerlauf mit Abschalten";
    patch(file, 2, 0, name27.c_str(), name27.size() + 1);
    patch(file, 7, 0, name24.c_str(), name24.size() + 1);
    line.clearFrames();
    speak(vrl::text::Language::English);
    const auto r = tool({"programs-write", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Note: Entry 2: the name \"" + name27 +
                         "\" has 27 characters, the TKV-9D reports back only the first 23\n"
                         "Note: Entry 7: the name \"" +
                         name24 +
                         "\" has 24 characters, the TKV-9D reports back only the first 23\n");
    const auto frames = line.frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "#1N1W" + name27 + "\r"), 1);
    EXPECT_EQ(line.slotValue('1', 2, "N1"), name27.substr(0, 23));
}

TEST_F(ProgramCommands, FileErrorsAreReported) {
    const auto r = tool({"programs-write", dir + "/missing.tkv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Fehler #308404: Fehler beim Öffnen der Datei\n");
    const auto w = tool({"programs-read", dir + "/no/such/dir/f.tkv"});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.err, "Fehler #301401: Fehler beim Schreiben auf Datei\n" + dir +
                         "/no/such/dir/f.tkv: Ordner nicht vorhanden\n");
    // Fault caught: a folder as the target given with the system's English words.
    EXPECT_NE(tool({"programs-read", dir}).err.find(dir + ": ist ein Ordner, keine Datei\n"),
              std::string::npos);
}

}  // namespace
