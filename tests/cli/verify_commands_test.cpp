// A file against the device: diff, the read-back of programs-write --verify, and the curve of a
// file's entry.

#include <filesystem>
#include <sstream>

#include <unistd.h>

#include "cli_fixture.h"
#include "params/curve.h"
#include "params/parameterfile.h"
#include "params/program.h"

namespace {

namespace fs = std::filesystem;

class VerifyCommands : public CliTest {
  protected:
    void SetUp() override {
        line.addTkv('1');
        char pattern[] = "/tmp/tkv9d-cli-XXXXXX";
        dir = ::mkdtemp(pattern);
        file = dir + "/f.tkv";
    }
    void TearDown() override {
        fs::remove_all(dir);
        CliTest::TearDown();
    }

    std::string dir;
    std::string file;
};

TEST_F(VerifyCommands, DiffListsExactlyTheFieldsChangedOnTheDevice) {
    ASSERT_EQ(tool({"programs-read", file}).status, 0);
    auto same = tool({"diff", file});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // Behind the program's back: within the written decimals nothing changes.
    ASSERT_TRUE(line.setValue('1', "T2", "250.5"));
    ASSERT_TRUE(line.setSlotValue('1', 7, "C1", "3.000"));
    ASSERT_TRUE(line.setSlotValue('1', 16, "N1", "Anders"));
    ASSERT_TRUE(line.setSlotValue('1', 3, "L1", "12"));
    const auto r = tool({"diff", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "Eintrag A, Feld zeit2: Datei 0, TKV-9D 250.5\n"
              "Eintrag 3, Feld zyklen: Datei 0, TKV-9D 12\n"
              "Eintrag 7, Feld strom1: Datei 0, TKV-9D 3\n"
              "Eintrag 16, Feld programmname: Datei \"\", TKV-9D \"Anders\"\n");
    EXPECT_EQ(r.err, "Fehler #509711: Wert auserhalb der Toleranz.\n");
    speak(vrl::text::Language::English);
    const auto english = tool({"diff", file});
    EXPECT_EQ(english.out.substr(0, english.out.find('\n')),
              "Entry A, field zeit2: File 0, TKV-9D 250.5");
}

struct VerifyRow {
    const char* name;
    bool storeDifferent;
    int status;
    std::string out;
};

class VerifyAfterWrite : public VerifyCommands, public ::testing::WithParamInterface<VerifyRow> {};

TEST_P(VerifyAfterWrite, ReadsBackWhatWasWritten) {
    ws.prog[1].strom1 = 1.25;
    ASSERT_EQ(Datei_Schreiben(file), 0);
    if (GetParam().storeDifferent) {
        sim::Fault fault{sim::FaultKind::StoreDifferent, "C1W"};
        fault.delta = 0.002;
        line.injectFault('1', fault);
    }
    const auto r = tool({"programs-write", "--verify", file});
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Verify, VerifyAfterWrite,
    ::testing::Values(VerifyRow{"DeviceHoldsTheFile", false, 0, ""},
                      // The first current written is program 1's.
                      VerifyRow{"DeviceStoresAnotherValue", true, 1,
                                "Eintrag 1, Feld strom1: geschrieben 1.25, TKV-9D 1.252\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VerifyCommands, CurvePrintsThePointsThePreviewDraws) {
    ws.prog[5].stromkurve = 2;
    ws.prog[5].strom1 = 0.75;
    ws.prog[5].strom2 = 2.5;
    ws.prog[5].zeit1 = 120.5;
    ws.prog[5].zeit2 = 300;
    ws.prog[5].zyklen = 2;
    ASSERT_EQ(Datei_Schreiben(file), 0);
    const auto expected = vrl::params::curveOf(ws.prog[5]);

    const auto r = tool({"curve", file, "--entry", "5"}, false);
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream csv(r.out);
    std::string header, row;
    std::getline(csv, header);
    EXPECT_EQ(header, "time_ms,current_A");
    std::size_t i = 0;
    for (; std::getline(csv, row); ++i) {
        ASSERT_LT(i, expected.points.size()) << row;
        const auto comma = row.find(',');
        EXPECT_EQ(std::stod(row.substr(0, comma)), expected.points[i].time) << row;
        EXPECT_EQ(std::stod(row.substr(comma + 1)), expected.points[i].current) << row;
    }
    EXPECT_EQ(i, expected.points.size());
    EXPECT_EQ(i, 7u);  // two ramps up and back, twice, over 0 .. 841 ms

    // The working parameters by default: 1000 ms at 0 A, unlimited, so three cycles; all times 0
    // gives the header and a note.
    EXPECT_EQ(tool({"curve", file}, false).out, "time_ms,current_A\n0,0\n1000,0\n2000,0\n3000,0\n");
    ws.prog[0].zeit1 = 0;
    ASSERT_EQ(Datei_Schreiben(file), 0);
    const auto empty = tool({"curve", file, "--entry", "A"}, false);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "time_ms,current_A\n");
    EXPECT_EQ(empty.err, "Hinweis: Keine Kurve: alle Zeiten sind 0 ms.\n");
}

TEST_F(VerifyCommands, OwnOptionsBelongToTheirCommand) {
    ASSERT_EQ(tool({"programs-read", file}).status, 0);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"curve", file, "--entry", "17"},
          {"curve", file, "--entry"},
          {"get", "strom1", "--entry", "3"},
          {"diff", "--verify", file}}) {
        EXPECT_EQ(tool(words).status, 2) << words[0];
    }
}

}  // namespace
