#include <filesystem>
#include <fstream>

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
              "Fehler #510451: Wert nicht erlaubt.\n");
    EXPECT_TRUE(line.frames().empty());
}

TEST_F(ProgramCommands, FileErrorsAreReported) {
    const auto r = tool({"programs-write", dir + "/missing.tkv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Fehler #308404: Fehler beim Öffnen der Datei\n");
    const auto w = tool({"programs-read", dir + "/no/such/dir/f.tkv"});
    EXPECT_EQ(w.status, 1);
    EXPECT_EQ(w.err, "Fehler #301401: Fehler beim Schreiben auf Datei\n");
}

}  // namespace
