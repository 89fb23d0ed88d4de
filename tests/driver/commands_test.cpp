#include <functional>

#include "scripted_fixture.h"

namespace {

using Op = serial::ScriptedBackend::Op;

class Commands : public ScriptedPort {};

TEST_F(Commands, FramesAreByteExact) {
    struct Row {
        std::function<int(int)> command;
        char address;
        const char* frame;
    };
    std::string id;
    const Row rows[] = {
        {[&](int p) { return VRLTKV9D_IDLesen(p, '1', id); }, '1', "#1IDR\r"},
        {[](int p) { return VRLTKV9D_DeviceFunction(p, 'c', "start"); }, 'c', "#cDF1\r"},
        {[](int p) { return VRLTKV9D_DeviceFunction(p, '9', "stopp"); }, '9', "#9DF2\r"},
        {[](int p) { return VRLTKV9D_ProgrammSpeichern(p, '2', 7); }, '2', "#2PNP7\r"},
        {[](int p) { return VRLTKV9D_ProgrammSpeichern(p, '2', 16); }, '2', "#2PNP16\r"},
        {[](int p) { return VRLTKV9D_ProgrammLaden(p, 'f', 1); }, 'f', "#fPNS1\r"},
        {[](int p) { return VRLTKV9D_ProgrammLaden(p, '&', 16); }, '&', "#&PNS16\r"},
    };
    for (const auto& row : rows) {
        peer.frames.clear();
        peer.reply(std::string("\x06#") + row.address + "VRL-TKV9D-1\r");
        EXPECT_EQ(row.command(kPort), 0) << row.frame;
        ASSERT_EQ(peer.frames.size(), 1u);
        EXPECT_EQ(peer.frames[0], row.frame);
        VRLTKV9D_PufferLeeren(kPort);
    }
}

const PeerFault kFaults[] = {
    {"flush input", [](auto& p) { p.failNext(Op::FlushInput, -1); }},
    {"flush output", [](auto& p) { p.failNext(Op::FlushOutput, -1); }},
    {"write failed", [](auto& p) { p.failNext(Op::Write, -1); }},
    {"queue query failed", [](auto& p) { p.failNext(Op::Drain, -1); }},
    {"short write", [](auto& p) { p.failNext(Op::Write, 3); }},
    {"NAK", [](auto& p) { p.reply("\x15"); }},
    {"CAN", [](auto& p) { p.reply("\x18"); }},
    {"no acknowledgement", [](auto&) {}},
    {"unexpected acknowledgement", [](auto& p) { p.reply("#"); }},
};

TEST_F(Commands, FailureTablesOfAcknowledgedCommands) {
    struct Row {
        const char* name;
        std::function<int(int)> command;
        int codes[9];  // in the order of kFaults
    };
    const Row rows[] = {
        {"device function",
         [](int p) { return VRLTKV9D_DeviceFunction(p, '1', "start"); },
         {-124212, -123213, -101037, -101037, -101038, -402039, -405040, -403041, -404042}},
        {"program store",
         [](int p) { return VRLTKV9D_ProgrammSpeichern(p, '1', 3); },
         {-124212, -123213, -101046, -101046, -101047, -402048, -405049, -403050, -404051}},
        {"program load",
         [](int p) { return VRLTKV9D_ProgrammLaden(p, '1', 3); },
         {-124212, -123213, -101055, -101055, -101056, -402057, -405058, -403059, -404060}},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < std::size(kFaults); ++i) {
            serial::ScriptedBackend fresh;
            serial::BackendGuard use(fresh);
            kFaults[i].arrange(fresh);
            EXPECT_EQ(row.command(kPort), row.codes[i]) << row.name << ": " << kFaults[i].what;
        }
    }
}

TEST_F(Commands, FailureTableOfIdentification) {
    const int codes[] = {-124212, -123213, -101008, -101008, -114009,
                         -402010, -405011, -403012, -404013};
    for (std::size_t i = 0; i < std::size(kFaults); ++i) {
        serial::ScriptedBackend fresh;
        serial::BackendGuard use(fresh);
        kFaults[i].arrange(fresh);
        std::string text = "unchanged";
        EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '1', text), codes[i]) << kFaults[i].what;
    }
}

TEST_F(Commands, IdentificationAnswerIsChecked) {
    struct Row {
        char address;
        std::string reply;  // after ACK
        int expected;
        const char* text;
    };
    const Row rows[] = {
        {'2', "#2VRL-TKV9D-0815\r", 0, "VRL-TKV9D-0815"},
        {'a', "#aX\r", 0, "X"},
        {'2', "#2" + std::string(26, 'T') + "\r", 0, nullptr},
        {'2', "#3VRL-TKV9D-0815\r", -404015, nullptr},         // another address
        {'2', "*2VRL-TKV9D-0815\r", -404015, nullptr},         // no start character
        {'2', "#2VRL TKV9D\r", -404015, nullptr},              // a blank in the text
        {'2', "#2\r", -404015, nullptr},                       // no text
        {'2', "#2" + std::string(27, 'T'), -404015, nullptr},  // 29 bytes without CR
        {'2', "#2VRL-TKV", -404014, nullptr},                  // broken off
    };
    for (const auto& row : rows) {
        serial::ScriptedBackend fresh;
        serial::BackendGuard use(fresh);
        fresh.reply("\x06" + row.reply);
        std::string text;
        EXPECT_EQ(VRLTKV9D_IDLesen(kPort, row.address, text), row.expected) << row.reply;
        if (row.expected == 0) {
            EXPECT_EQ(text, row.text ? row.text : row.reply.substr(2, row.reply.size() - 3));
        }
    }
}

TEST_F(Commands, RefusedArgumentsSendNothing) {
    struct Row {
        const char* what;
        std::function<int(int)> command;
        int expected;
    };
    std::string id;
    const Row rows[] = {
        {"id &", [&](int p) { return VRLTKV9D_IDLesen(p, '&', id); }, -400006},
        {"id A", [&](int p) { return VRLTKV9D_IDLesen(p, 'A', id); }, -400006},
        {"id 0", [&](int p) { return VRLTKV9D_IDLesen(p, '0', id); }, -400006},
        {"id blank", [&](int p) { return VRLTKV9D_IDLesen(p, ' ', id); }, -400006},
        {"id g", [&](int p) { return VRLTKV9D_IDLesen(p, 'g', id); }, -400006},
        {"function Start", [](int p) { return VRLTKV9D_DeviceFunction(p, '1', "Start"); }, -401035},
        {"function stop", [](int p) { return VRLTKV9D_DeviceFunction(p, '1', "stop"); }, -401035},
        {"function empty", [](int p) { return VRLTKV9D_DeviceFunction(p, '1', ""); }, -401035},
        {"function address first", [](int p) { return VRLTKV9D_DeviceFunction(p, 'F', "x"); },
         -400034},
        {"store 0", [](int p) { return VRLTKV9D_ProgrammSpeichern(p, '1', 0); }, -401044},
        {"store 17", [](int p) { return VRLTKV9D_ProgrammSpeichern(p, '1', 17); }, -401044},
        {"store address", [](int p) { return VRLTKV9D_ProgrammSpeichern(p, '0', 1); }, -400043},
        {"load 0", [](int p) { return VRLTKV9D_ProgrammLaden(p, '1', 0); }, -401053},
        {"load 17", [](int p) { return VRLTKV9D_ProgrammLaden(p, '1', 17); }, -401053},
        {"load address", [](int p) { return VRLTKV9D_ProgrammLaden(p, 'A', 17); }, -400052},
    };
    for (const auto& row : rows) {
        peer.calls.clear();
        EXPECT_EQ(row.command(kPort), row.expected) << row.what;
        EXPECT_TRUE(peer.calls.empty()) << row.what;
    }
}

TEST_F(Commands, CommonAddressReturnsOnceTheFrameHasLeft) {
    const std::function<int(int)> commands[] = {
        [](int p) { return VRLTKV9D_DeviceFunction(p, '&', "stopp"); },
        [](int p) { return VRLTKV9D_ProgrammSpeichern(p, '&', 16); },
        [](int p) { return VRLTKV9D_ProgrammLaden(p, '&', 1); },
    };
    for (const auto& command : commands) {
        peer.calls.clear();
        peer.reply("\x15");  // whatever is on the line is not read
        EXPECT_EQ(command(kPort), 0);
        EXPECT_EQ(peer.reads(), 0);
        EXPECT_EQ(peer.calls.back(), Op::Drain);
    }
}

TEST_F(Commands, LeftoverBytesDoNotReachTheNextCommand) {
    peer.arriveNow("\x15#1stale\r");
    peer.reply("\x06#1VRL-TKV9D-7\r");
    std::string text;
    EXPECT_EQ(VRLTKV9D_IDLesen(kPort, '1', text), 0);
    EXPECT_EQ(text, "VRL-TKV9D-7");
}

TEST_F(Commands, AllDeviceAddressesAreAccepted) {
    for (char address : std::string("123456789abcdef")) {
        peer.reply("\x06");
        EXPECT_EQ(VRLTKV9D_DeviceFunction(kPort, address, "start"), 0) << address;
        peer.reply(std::string("\x06#") + address + "ID\r");
        std::string text;
        EXPECT_EQ(VRLTKV9D_IDLesen(kPort, address, text), 0) << address;
    }
}

}  // namespace
