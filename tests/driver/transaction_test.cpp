#ifndef _WIN32
#include <termios.h>
#endif

#include "scripted_fixture.h"

namespace {

using Op = serial::ScriptedBackend::Op;

TEST(Open, ChecksRateBeforePortAndOpensAtDeviceSettings) {
    struct Row {
        int port, baud, expected;
    };
    const Row rows[] = {
        {0, 9600, -100002},    {257, 9600, -100002}, {0, 4800, -125001},
        {300, 19200, -125001}, {1, 9600, 0},         {256, 9600, 0},
    };
    for (const auto& row : rows) {
        serial::ScriptedBackend peer;
        serial::BackendGuard guard(peer);
        EXPECT_EQ(VRLTKV9D_Open(row.port, row.baud), row.expected) << row.port << " " << row.baud;
        EXPECT_EQ(peer.isOpen(row.port), row.expected == 0);
        if (row.expected != 0) {
            EXPECT_TRUE(peer.calls.empty());
        }
    }
    serial::ScriptedBackend peer;
    serial::BackendGuard guard(peer);
    ASSERT_EQ(VRLTKV9D_Open(3, 9600), 0);
    EXPECT_EQ(peer.lastSettings.baud, 9600);
    EXPECT_EQ(peer.lastSettings.parity, serial::Parity::Odd);
    EXPECT_EQ(peer.lastSettings.dataBits, 7);
    EXPECT_EQ(peer.lastSettings.stopBits, 1);
    EXPECT_EQ(peer.lastSettings.inputQueue, 512);
    EXPECT_EQ(peer.lastSettings.outputQueue, 512);
}

TEST(Open, PortLayerFailuresGiveTheirCodes) {
    serial::ScriptedBackend peer;
    serial::BackendGuard guard(peer);
    peer.failNext(Op::Open, -1);
    EXPECT_EQ(VRLTKV9D_Open(5, 9600), -100003);
    ASSERT_EQ(VRLTKV9D_Open(5, 9600), 0);
    peer.failNext(Op::SetTimeout, -1);
    EXPECT_EQ(VRLTKV9D_Timeout(5, 1.5), -111005);
    EXPECT_EQ(VRLTKV9D_Timeout(5, 1.5), 0);
    EXPECT_DOUBLE_EQ(peer.lastTimeout, 1.5);
    peer.failNext(Op::Close, -1);
    EXPECT_EQ(VRLTKV9D_Close(5), -103004);
    EXPECT_EQ(VRLTKV9D_Close(5), 0);
}

#ifndef _WIN32
TEST(LineSettings, TermiosIsRawOddParitySevenBitsNoHandshake) {
    const termios tio = serial::makeTermios(serial::LineSettings{});
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(tio.c_cflag & PARENB);
    EXPECT_TRUE(tio.c_cflag & PARODD);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_TRUE(tio.c_cflag & CREAD);
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
}
#endif

class Transaction : public ScriptedPort {};

TEST_F(Transaction, QueuesAreEmptiedInputFirst) {
    peer.failNext(Op::FlushInput, -1);
    EXPECT_EQ(VRLTKV9D_PufferLeeren(kPort), -124212);
    peer.failNext(Op::FlushOutput, -1);
    EXPECT_EQ(VRLTKV9D_PufferLeeren(kPort), -123213);
    peer.calls.clear();
    EXPECT_EQ(VRLTKV9D_PufferLeeren(kPort), 0);
    EXPECT_EQ(peer.calls, (std::vector<Op>{Op::FlushInput, Op::FlushOutput}));
}

TEST_F(Transaction, SendWaitsForTheQueueAfterWriting) {
    peer.calls.clear();
    EXPECT_EQ(VRLTKV9D_BefehlSenden(kPort, "#1IDR\r"), vrl::driver::Failure::None);
    EXPECT_EQ(peer.calls, (std::vector<Op>{Op::Write, Op::Drain}));
    peer.failNext(Op::Drain, -1);
    EXPECT_EQ(VRLTKV9D_BefehlSenden(kPort, "#1IDR\r"), vrl::driver::Failure::WriteFailed);
    peer.failNext(Op::Write, -1);
    EXPECT_EQ(VRLTKV9D_BefehlSenden(kPort, "#1IDR\r"), vrl::driver::Failure::WriteFailed);
    peer.failNext(Op::Write, 5);
    EXPECT_EQ(VRLTKV9D_BefehlSenden(kPort, "#1IDR\r"), vrl::driver::Failure::ShortWrite);
}

TEST_F(Transaction, AcknowledgementIsClassified) {
    using vrl::driver::Failure;
    struct Row {
        std::vector<int> reply;
        Failure expected;
    };
    const Row rows[] = {
        {{0x06}, Failure::None},          {{0x15}, Failure::Nak},
        {{0x18}, Failure::Can},           {{}, Failure::NoAck},
        {{'#'}, Failure::UnexpectedAck},  {{0x86}, Failure::NoAck},  // top bit: a failed read
        {{0x00}, Failure::UnexpectedAck},
    };
    for (const auto& row : rows) {
        peer.reply(row.reply);
        ASSERT_EQ(VRLTKV9D_BefehlSenden(kPort, "#1DF1\r"), Failure::None);
        EXPECT_EQ(VRLTKV9D_QuittungLesen(kPort), row.expected);
        VRLTKV9D_PufferLeeren(kPort);
    }
}

TEST_F(Transaction, AnswerLineStopsAtCarriageReturnOrLimit) {
    using vrl::driver::Failure;
    std::string line;
    peer.arriveNow("#1VRL\rrest");
    EXPECT_EQ(VRLTKV9D_AntwortzeileLesen(kPort, line), Failure::None);
    EXPECT_EQ(line, "#1VRL\r");
    VRLTKV9D_PufferLeeren(kPort);
    peer.arriveNow(std::string(40, 'x'));
    EXPECT_EQ(VRLTKV9D_AntwortzeileLesen(kPort, line), Failure::None);
    EXPECT_EQ(line, std::string(29, 'x'));
    VRLTKV9D_PufferLeeren(kPort);
    peer.arriveNow("#1VR");
    EXPECT_EQ(VRLTKV9D_AntwortzeileLesen(kPort, line), Failure::BrokenOff);
    peer.arriveNow(std::string("#1\x85\r"));
    EXPECT_EQ(VRLTKV9D_AntwortzeileLesen(kPort, line), Failure::BrokenOff);
}

}  // namespace
