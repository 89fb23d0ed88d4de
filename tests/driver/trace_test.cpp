#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "driver/trace.h"
#include "scripted_fixture.h"

namespace {

using vrl::driver::TraceRecord;

class Recorder : public vrl::driver::TraceSink {
  public:
    void record(const TraceRecord& record) override { records.push_back(record); }
    std::vector<TraceRecord> records;
};

class Trace : public ScriptedPort {
  protected:
    void SetUp() override {
        ScriptedPort::SetUp();
        vrl::driver::setTraceSink(&recorder);
    }
    void TearDown() override { vrl::driver::setTraceSink(nullptr); }

    int readStrom1(int address = '1') {
        double value = 0;
        return VRLTKV9D_ParameterLesen(kPort, address, "strom1", &value, nullptr, nullptr);
    }

    Recorder recorder;
};

// The line without what changes from run to run: the time in front and the duration.
std::string stable(const std::string& line) {
    static const std::regex time(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )");
    static const std::regex duration(R"( \| \d+\.\d ms \| )");
    return std::regex_replace(std::regex_replace(line, time, "T "), duration, " | D | ");
}

TEST(TraceBytes, ControlBytesByNameOthersInHex) {
    struct Row {
        std::string bytes;
        const char* readable;
    };
    const Row rows[] = {
        {"#1C1R\r", "#1C1R<CR>"},
        {"\x06#1C1R1.5\r", "<ACK>#1C1R1.5<CR>"},
        {"\x15\x18", "<NAK><CAN>"},
        {std::string("\x86\x00\x0a\x7f", 4), "<0x86><0x00><0x0A><0x7F>"},
        {"a<b> ~", "a<0x3C>b> ~"},  // '<' itself never starts a name
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vrl::driver::readableBytes(row.bytes), row.readable) << row.readable;
}

TEST_F(Trace, FailedReadShowsTheBytesAndTheCommandsCode) {
    struct Row {
        const char* what;
        std::vector<int> reply;
        int code;
        const char* line;  // after the time, duration as D
    };
    using B = serial::ScriptedBackend;
    const Row rows[] = {
        {"answered",
         {ACK, '#', '1', 'C', '1', 'R', '1', '.', '5', '\r'},
         0,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <ACK> | Antwort #1C1R1.5<CR> | D | 0"},
        {"NAK",
         {NAK},
         -402163,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <NAK> | Antwort keine | D | Fehler #402163: "
         "Fehlermeldung (NAK) vom Gerät erhalten"},
        {"CAN",
         {CAN},
         -405164,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <CAN> | Antwort keine | D | Fehler #405164: "
         "Befehlsausführung momentan nicht möglich (CAN erhalten)"},
        {"silence",
         {B::kSilence},
         -403165,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung keine | Antwort keine | D | Fehler #403165: "
         "Keine Antwort vom Gerät"},
        {"top bit",
         {0x86},
         -403165,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <0x86> | Antwort keine | D | Fehler #403165: "
         "Keine Antwort vom Gerät"},
        {"broken off",
         {ACK, '#', '1', 'C', '1', 'R', '1', B::kSilence},
         -404167,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <ACK> | Antwort #1C1R1 | D | Fehler #404167: "
         "Fehlerhafte Antwort vom Gerät"},
        {"broken by a top-bit byte",
         {ACK, '#', '1', 0xC3},
         -404167,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <ACK> | Antwort #1<0xC3> | D | Fehler #404167: "
         "Fehlerhafte Antwort vom Gerät"},
        // The transaction itself ended well; the code is the one the command found afterwards.
        {"other address",
         {ACK, '#', '2', 'C', '1', 'R', '1', '.', '5', '\r'},
         -404168,
         "T COM 1 Adresse 1: #1C1R<CR> | Quittung <ACK> | Antwort #2C1R1.5<CR> | D | Fehler "
         "#404168: Fehlerhafte Antwort vom Gerät"},
    };
    for (const auto& row : rows) {
        recorder.records.clear();
        peer.reply(row.reply);
        const auto before = std::chrono::system_clock::now();
        EXPECT_EQ(readStrom1(), row.code) << row.what;
        const auto after = std::chrono::system_clock::now();
        ASSERT_EQ(recorder.records.size(), 1u) << row.what;
        const TraceRecord& record = recorder.records[0];
        EXPECT_EQ(record.outcome, row.code) << row.what;
        EXPECT_TRUE(before <= record.time && record.time <= after) << row.what;
        EXPECT_EQ(stable(vrl::driver::traceLine(record)), row.line) << row.what;
    }
    // The trace only looks on: the frames are those of an untraced run.
    std::string frames;
    for (std::size_t i = 0; i < std::size(rows); ++i) frames += "#1C1R\r";
    EXPECT_EQ(sent(), frames);
}

TEST_F(Trace, CommonAddressAndFailedSendAreRecordedRefusedArgumentsAreNot) {
    EXPECT_EQ(VRLTKV9D_DeviceFunction(kPort, '&', "start"), 0);
    peer.failNext(serial::ScriptedBackend::Op::Write, -1);
    EXPECT_EQ(VRLTKV9D_ProgrammLaden(kPort, '2', 7), -101055);
    // Refused before anything is sent: no transaction, no record.
    EXPECT_EQ(readStrom1('A'), -400106);
    EXPECT_EQ(VRLTKV9D_ProgrammLaden(kPort, '2', 17), -401053);
    ASSERT_EQ(recorder.records.size(), 2u);
    EXPECT_EQ(stable(vrl::driver::traceLine(recorder.records[0])),
              "T COM 1 Adresse &: #&DF1<CR> | Quittung keine | Antwort keine | D | 0");
    EXPECT_EQ(stable(vrl::driver::traceLine(recorder.records[1])),
              "T COM 1 Adresse 2: #2PNS7<CR> | Quittung keine | Antwort keine | D | Fehler "
              "#101055: Fehler beim schreiben auf die serielle Schnittstelle");
}

TEST_F(Trace, RemovedSinkGetsNothingMore) {
    peer.responder = [](const std::string&) { return std::string("\x06#1C1R1.5\r"); };
    EXPECT_EQ(readStrom1(), 0);
    vrl::driver::setTraceSink(nullptr);
    EXPECT_EQ(readStrom1(), 0);
    vrl::driver::setTraceSink(&recorder);
    EXPECT_EQ(readStrom1(), 0);
    EXPECT_EQ(recorder.records.size(), 2u);
}

}  // namespace
