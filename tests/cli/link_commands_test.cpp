#include "cli_fixture.h"

#include <unistd.h>

#include <algorithm>

#include "driver/vrltkv9d.h"

namespace {

class LinkCommands : public CliTest {};

TEST_F(LinkCommands, IdPrintsTheIdentification) {
    line.addTkv('1', "VRL-TKV9D-0815");
    line.addTkv('4', "VRL-TKV9D-0004");
    EXPECT_EQ(tool({"id"}).out, "VRL-TKV9D-0815\n");
    const auto r = tool({"id", "--address", "4"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "VRL-TKV9D-0004\n");
}

TEST_F(LinkCommands, ScanListsEveryAnsweringAddress) {
    line.addTkv('2', "VRL-TKV9D-2");
    line.addTkv('9', "VRL-TKV9D-9");
    line.addTkv('b', "VRL-TKV9D-B");  // never asked
    const auto r = tool({"scan"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2 VRL-TKV9D-2\n9 VRL-TKV9D-9\n");
    std::string asked;
    for (const auto& frame : line.frames()) asked += frame.substr(1, 1);
    EXPECT_EQ(asked, "123456789");
}

TEST_F(LinkCommands, CommonAddressIsRefusedByIdBeforeAnythingIsSent) {
    line.addTkv('1');
    const auto r = tool({"--address", "&", "id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Fehler #400006: Unzulässige Geräteadresse\n");
    EXPECT_TRUE(line.frames().empty());
}

TEST_F(LinkCommands, DeviceFunctionsAndProgramSlots) {
    line.addTkv('1');
    struct Row {
        std::vector<std::string> words;
        int status;
        const char* frame;  // nullptr: nothing sent
        const char* err;
    };
    const Row rows[] = {
        {{"start"}, 0, "#1DF1\r", ""},
        {{"stop"}, 0, "#1DF2\r", ""},
        {{"program-store", "16"}, 0, "#1PNP16\r", ""},
        {{"program-load", "7"}, 0, "#1PNS7\r", ""},
        {{"program-load", "17"}, 1, nullptr, "Fehler #401053: Unzulässiger Parameter\n"},
        {{"--address", "5", "start"}, 1, "#5DF1\r", "Fehler #403041: Keine Antwort vom Gerät\n"},
        {{"--address", "&", "program-store", "3"}, 0, "#&PNP3\r", ""},
    };
    for (const auto& row : rows) {
        line.clearFrames();
        const auto r = tool(row.words);
        EXPECT_EQ(r.status, row.status) << row.words[0];
        EXPECT_EQ(r.err, row.err) << row.words[0];
        if (row.frame) {
            ASSERT_TRUE(line.waitForFrames(1, std::chrono::seconds(2)));
            EXPECT_EQ(line.frames().back(), row.frame);
        } else {
            EXPECT_TRUE(line.frames().empty());
        }
    }
}

TEST_F(LinkCommands, PortThatCannotBeOpenedNamesDeviceAndReason) {
    const auto r = tool({"--device", "/nonexistent/tty", "id"}, false);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Fehler #100003: Fehler beim öffnen der seriellen Schnittstelle\n"
              "COM 1: /nonexistent/tty: No such file or directory\n");
}

// A program that holds the line (here the test, on another port number for the same device)
// keeps it: the tool is refused before it sends a byte, and the holder's next exchange is whole.
TEST_F(LinkCommands, PortHeldByAnotherProgramIsRefusedAsInUse) {
    line.addTkv('1', "VRL-TKV9D-0815");
    constexpr int kHolder = 2;
    serial::setPortPath(kHolder, line.devicePath());
    ASSERT_EQ(VRLTKV9D_Open(kHolder, 9600), 0);
    ASSERT_EQ(VRLTKV9D_Timeout(kHolder, 0.3), 0);

    // Each command in one of the languages, which the reason follows as the error line does;
    // --json's detail as scripts know it, whatever the language.
    const std::string holder = std::to_string(::getpid()) + " (";
    const std::string port = "COM 1: " + line.devicePath();
    const struct {
        std::vector<std::string> words;
        vrl::text::Language language;
        std::string err;
    } rows[] = {
        {{"id"},
         kLanguages[0],
         "Fehler #100003: Fehler beim öffnen der seriellen Schnittstelle\n" + port +
             " ist belegt von Prozess " + holder},
        {{"scan"},
         kLanguages[1],
         "Error #100003: Error opening com-port\n" + port + " is in use by process " + holder},
        {{"--json", "id"},
         kLanguages[1],
         "{\"error\": 100003, \"text\": \"Fehler beim öffnen der seriellen Schnittstelle\", "
         "\"detail\": \"" +
             port + " ist belegt von Prozess " + holder},
    };
    for (const auto& row : rows) {
        speak(row.language);
        const auto r = tool(row.words);
        EXPECT_EQ(r.status, 1) << row.words.back();
        EXPECT_EQ(r.out, "") << row.words.back();
        EXPECT_EQ(r.err.substr(0, row.err.size()), row.err) << r.err;
    }
    speak(vrl::text::Language::German);
    EXPECT_TRUE(line.frames().empty());

    std::string text;
    EXPECT_EQ(VRLTKV9D_IDLesen(kHolder, '1', text), 0);
    EXPECT_EQ(text, "VRL-TKV9D-0815");
    EXPECT_EQ(VRLTKV9D_Close(kHolder), 0);
    serial::setPortPath(kHolder, "");
    EXPECT_EQ(tool({"id"}).out, "VRL-TKV9D-0815\n");
}

TEST_F(LinkCommands, UsageErrorsExitWithTwo) {
    const std::vector<std::string> rows[] = {
        {},
        {"frobnicate"},
        {"id", "extra"},
        {"program-store"},
        {"program-store", "x"},
        {"--address", "12", "id"},
        {"--timeout", "-1", "id"},
        {"--timeout", "1,5", "id"},
        {"--port", "0", "id"},
        {"--port", "COM257", "id"},
        {"--port", "/dev/ttyS0", "id"},
        {"--bogus", "id"},
        {"id", "--address"},
        {"serve", "--max-clients", "2", "--max-clients", "3"},  // given twice: neither is taken
    };
    for (const auto language : kLanguages) {
        speak(language);
        for (const auto& words : rows) {
            const auto r = tool(words);
            EXPECT_EQ(r.status, 2) << (words.empty() ? "" : words[0]);
            // The reason and one line more: the whole usage would push the reason out of sight.
            EXPECT_EQ(r.err.rfind("tkv9d: ", 0), 0u) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
            EXPECT_TRUE(r.err.ends_with(
                "\n" + say("Mehr mit 'tkv9d --help'.", "Try 'tkv9d --help'.") + "\n"))
                << r.err;
        }
    }
}

}  // namespace
