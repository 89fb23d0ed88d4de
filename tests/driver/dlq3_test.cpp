#include <cstdint>
#include <functional>
#include <vector>

#include "driver/vrldlq3.h"
#include "scripted_fixture.h"

namespace {

using Op = serial::ScriptedBackend::Op;
using Bytes = std::vector<std::uint8_t>;

TEST(HexDigit, ValuesOfBothCasesAndMinusOneForTheRest) {
    for (int c = -128; c < 128; ++c) {
        int expected = -1;
        if (c >= '0' && c <= '9') expected = c - '0';
        if (c >= 'a' && c <= 'f') expected = 10 + c - 'a';
        if (c >= 'A' && c <= 'F') expected = 10 + c - 'A';
        EXPECT_EQ(VRLDLQ3_HexZifferWert(static_cast<char>(c)), expected) << c;
    }
}

class Memory : public ScriptedPort {
  protected:
    int writeBlock(int start, const Bytes& bytes, char address = '1', int type = 4) {
        return VRLDLQ3_SpeicherSchreiben(kPort, address, type, start,
                                         static_cast<int>(bytes.size()), bytes);
    }
    int readBlock(int start, int length, char address = '1', int type = 4) {
        data.assign(static_cast<std::size_t>(length > 0 && length <= 0x10000 ? length : 0), 0xEE);
        return VRLDLQ3_SpeicherLesen(kPort, address, type, start, length, data);
    }
    Bytes data;
};

TEST_F(Memory, WriteFramesCarryHeaderDataAndChecksumInUpperCase) {
    struct Row {
        char address;
        int start;
        Bytes bytes;
        std::string frame;
    };
    const Row rows[] = {
        {'1', 0x00A0, {0x12, 0x34}, "#1BDW400A0000212340047\r"},
        {'1', 0, {}, "#1BDW4000000000001\r"},
        {'e', 0xFFFF, {0xab, 0xcd}, "#eBDW4FFFF0002ABCD0179\r"},
        {'1', 0x1000, Bytes(64, 0xFF),
         "#1BDW410000040" + std::string(128, 'F') + "3FC1\r"},  // 1 + 64 * 255
    };
    for (const auto& row : rows) {
        peer.frames.clear();
        peer.reply("\x06");
        EXPECT_EQ(writeBlock(row.start, row.bytes, row.address), 0) << row.frame;
        ASSERT_EQ(peer.frames.size(), 1u);
        EXPECT_EQ(peer.frames[0], row.frame);
    }
    EXPECT_EQ(peer.frames[0].size(), 147u);  // the longest a write can be
    peer.calls.clear();
    EXPECT_EQ(writeBlock(0x00A0, {0x12, 0x34}, '&'), 0);
    EXPECT_EQ(peer.reads(), 0);
}

TEST_F(Memory, ReadFrameAndAnswerDecoding) {
    peer.reply(
        "\x06#1BDR400A00002"
        "12340047\r");
    ASSERT_EQ(readBlock(0x00A0, 2), 0);
    EXPECT_EQ(peer.frames.back(), "#1BDR400A00002\r");
    EXPECT_EQ(data, (Bytes{0x12, 0x34}));

    // Digits of either case, in the echoed header as well.
    peer.reply(
        "\x06#aBDR4ffff0003"
        "ab0Cf1"
        "01a9\r");
    ASSERT_EQ(readBlock(0xFFFF, 3, 'a'), 0);
    EXPECT_EQ(peer.frames.back(), "#aBDR4FFFF0003\r");
    EXPECT_EQ(data, (Bytes{0xAB, 0x0C, 0xF1}));

    // The checksum keeps 16 bits: 1 + 300 * 255 = 0x12AD5.
    peer.reply("\x06#1BDR40000012C" + std::string(600, 'F') + "2AD5\r");
    ASSERT_EQ(readBlock(0, 300), 0);
    EXPECT_EQ(data, Bytes(300, 0xFF));
}

TEST_F(Memory, ArgumentChecksInTheirOrderSendNothing) {
    struct Row {
        const char* what;
        std::function<int()> call;
        int code;
    };
    const Bytes two{1, 2};
    const Bytes many(65, 0);
    const Row rows[] = {
        {"read from common address", [&] { return readBlock(0, 2, '&'); }, -400176},
        {"read from A", [&] { return readBlock(0, 2, 'A'); }, -400176},
        {"read address before start", [&] { return readBlock(-1, 0, '0', 3); }, -400176},
        {"read start -1", [&] { return readBlock(-1, 0, '1', 3); }, -894177},
        {"read start 0x10000", [&] { return readBlock(0x10000, 2); }, -894177},
        {"read length 0", [&] { return readBlock(0, 0, '1', 3); }, -895178},
        {"read length 0x10000", [&] { return readBlock(0, 0x10000); }, -895178},
        {"read type 3", [&] { return readBlock(0, 2, '1', 3); }, -896179},
        {"read into a short buffer",
         [&] {
             Bytes small(1);
             return VRLDLQ3_SpeicherLesen(kPort, '1', 4, 0, 2, small);
         },
         -895178},
        {"write to A", [&] { return writeBlock(0, two, 'A'); }, -400199},
        {"write address before start", [&] { return writeBlock(-1, many, 'F', 3); }, -400199},
        {"write start -1", [&] { return writeBlock(-1, many, '1', 3); }, -894200},
        {"write start 0x10000", [&] { return writeBlock(0x10000, two); }, -894200},
        {"write 65 bytes", [&] { return writeBlock(0, many, '1', 3); }, -895201},
        {"write type 3", [&] { return writeBlock(0, two, '1', 3); }, -896202},
        {"write negative length",
         [&] { return VRLDLQ3_SpeicherSchreiben(kPort, '1', 4, 0, -1, two); }, -895201},
        {"write from a short buffer",
         [&] { return VRLDLQ3_SpeicherSchreiben(kPort, '1', 4, 0, 3, two); }, -895201},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.call(), row.code) << row.what;
        EXPECT_TRUE(peer.frames.empty()) << row.what;
    }
}

const PeerFault kFaults[] = {
    {"flush input", [](auto& p) { p.failNext(Op::FlushInput, -1); }},
    {"flush output", [](auto& p) { p.failNext(Op::FlushOutput, -1); }},
    {"write failed", [](auto& p) { p.failNext(Op::Write, -1); }},
    {"short write", [](auto& p) { p.failNext(Op::Write, 5); }},
    {"NAK", [](auto& p) { p.reply("\x15"); }},
    {"CAN", [](auto& p) { p.reply("\x18"); }},
    {"no acknowledgement", [](auto&) {}},
    {"unexpected acknowledgement", [](auto& p) { p.reply("?"); }},
};

TEST(MemoryTransaction, FailureTablesOfReadAndWrite) {
    struct Row {
        const char* name;
        std::function<int(int)> command;
        int codes[std::size(kFaults)];
    };
    Bytes buffer(2);
    const Bytes two{0x12, 0x34};
    const Row rows[] = {
        {"read",
         [&](int p) { return VRLDLQ3_SpeicherLesen(p, '1', 4, 0xA0, 2, buffer); },
         {-124212, -123213, -101181, -114182, -402183, -405184, -403185, -404186}},
        {"write",
         [&](int p) { return VRLDLQ3_SpeicherSchreiben(p, '1', 4, 0xA0, 2, two); },
         {-124212, -123213, -101206, -101207, -402208, -405209, -403210, -404211}},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < std::size(kFaults); ++i) {
            serial::ScriptedBackend peer;
            serial::BackendGuard use(peer);
            kFaults[i].arrange(peer);
            EXPECT_EQ(row.command(1), row.codes[i]) << row.name << ": " << kFaults[i].what;
        }
    }
}

TEST_F(Memory, AnswerChecksAndTheirCodes) {
    struct Row {
        const char* what;
        std::string answer;  // after ACK, to a read of 2 bytes at 0x00A0 from '1'
        int code;
    };
    const Row rows[] = {
        {"broken off", "#1BDR400A0000212", -404188},
        {"no CR at the limit", "#1BDR400A00002123400470", -404189},
        {"CR too early", "#1BDR400A000021234047\r", -404190},
        {"other address",
         "#2BDR400A00002"
         "12340047\r",
         -404191},
        {"other command",
         "#1BDW400A00002"
         "12340047\r",
         -404191},
        {"no start character",
         "*1BDR400A00002"
         "12340047\r",
         -404191},
        {"other memory type",
         "#1BDR300A00002"
         "12340047\r",
         -404191},
        {"other start",
         "#1BDR400A10002"
         "12340047\r",
         -404191},
        {"other length",
         "#1BDR400A00003"
         "12340047\r",
         -404191},
        {"start not hex",
         "#1BDR400G00002"
         "12340047\r",
         -404191},
        {"first digit of a byte",
         "#1BDR400A00002"
         "12G40047\r",
         -404192},
        {"second digit of a byte",
         "#1BDR400A00002"
         "1G340047\r",
         -404193},
        {"first checksum digit",
         "#1BDR400A00002"
         "1234G047\r",
         -404194},
        {"second checksum digit",
         "#1BDR400A00002"
         "12340G47\r",
         -404195},
        {"third checksum digit",
         "#1BDR400A00002"
         "123400G7\r",
         -404196},
        {"fourth checksum digit",
         "#1BDR400A00002"
         "1234004G\r",
         -404197},
        {"checksum differs",
         "#1BDR400A00002"
         "12340048\r",
         -406198},
    };
    for (const auto& row : rows) {
        peer.reply("\x06" + row.answer);
        EXPECT_EQ(readBlock(0x00A0, 2), row.code) << row.what;
        VRLTKV9D_PufferLeeren(kPort);
    }
}

}  // namespace
