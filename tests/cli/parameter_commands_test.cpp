// get, set, mem-read and mem-write of the tkv9d tool, run in-process against the simulated line.

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"

namespace {

using namespace std::chrono_literals;

struct Result {
    int status;
    std::string out;
    std::string err;
};

class ParameterCommands : public ::testing::Test {
  protected:
    static constexpr const char* kPort = "9";

    void TearDown() override { serial::setPortPath(9, ""); }

    Result tool(std::vector<std::string> words) {
        std::vector<std::string> args{"tkv9d",           "--port",    kPort, "--device",
                                      line.devicePath(), "--timeout", "0.5"};
        args.insert(args.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
        return {status, out.str(), err.str()};
    }

    // The frames the device got, once `count` of them have arrived.
    std::vector<std::string> frames(std::size_t count) {
        EXPECT_TRUE(line.waitForFrames(count, 2s)) << "only " << line.frames().size();
        return line.frames();
    }

    sim::Line line;
};

TEST_F(ParameterCommands, SetSendsTheFrameOfTheParametersKind) {
    line.addTkv('1');
    line.addTkv('3');
    struct Row {
        std::vector<std::string> words;
        const char* frame;
    };
    const Row rows[] = {
        {{"set", "strom2", "1.5", "--address", "3"}, "#3C2W1.500\r"},
        {{"set", "strom1", "+1.25"}, "#1C1W1.250\r"},
        {{"set", "zeit2", "5e2"}, "#1T2W500.0\r"},
        {{"set", "alleausgaenge", "0x7fff"}, "#1O0W7FFF\r"},
        {{"set", "alleausgaenge", "175"}, "#1O0W00AF\r"},
        {{"set", "zyklen", "42"}, "#1L1W42\r"},
        {{"set", "programmname", " Prog 2"}, "#1N1W Prog 2\r"},
    };
    for (const auto& row : rows) {
        line.clearFrames();
        const Result result = tool(row.words);
        EXPECT_EQ(result.status, 0) << row.frame << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(frames(1), std::vector<std::string>{row.frame});
    }
}

TEST_F(ParameterCommands, RefusedValuesSendNothingAndReportTheCode) {
    line.addTkv('1');
    struct Row {
        std::vector<std::string> words;
        const char* error;
    };
    const Row rows[] = {
        {{"set", "strom1", "4.0952"}, "Fehler #500070: Parameter außerhalb der Grenzwerte\n"},
        {{"set", "strom1", "nan"}, "Fehler #500070: Parameter außerhalb der Grenzwerte\n"},
        {{"set", "zyklen", "4294967297"}, "Fehler #500080: Parameter außerhalb der Grenzwerte\n"},
        {{"set", "alleausgaenge", "0x10000"},
         "Fehler #500081: Parameter außerhalb der Grenzwerte\n"},
        {{"set", "iststrom", "1"}, "Fehler #401097: Unzulässiger Parameter\n"},
        {{"set", "strom9", "1"}, "Fehler #401097: Unzulässiger Parameter\n"},
        {{"get", "strom9"}, "Fehler #401159: Unzulässiger Parameter\n"},
        {{"get", "strom1", "--address", "&"}, "Fehler #400106: Unzulässige Geräteadresse\n"},
        {{"set", "programmname", "x\r#1DF1"}, "Fehler #510229: Wert nicht erlaubt.\n"},
        // A device that resynchronises on '#' would take the rest of the name as a command.
        {{"set", "programmname", "x#1DF1"}, "Fehler #510229: Wert nicht erlaubt.\n"},
    };
    for (const auto& row : rows) {
        line.clearFrames();
        const Result refused = tool(row.words);
        EXPECT_EQ(refused.status, 1) << row.error;
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, row.error);
        // The next command's frame is the first the device sees.
        ASSERT_EQ(tool({"get", "zyklen"}).status, 0);
        EXPECT_EQ(frames(1), std::vector<std::string>{"#1L1R\r"}) << row.error;
    }
}

TEST_F(ParameterCommands, GetPrintsEachKindInItsForm) {
    line.addTkv('1');
    struct Row {
        const char* name;
        const char* letters;
        const char* deviceText;
        const char* printed;
    };
    const Row rows[] = {
        {"strom1", "C1", "1.5", "1.5\n"},  // shortest form, not the device's 1.500
        {"zeit2", "T2", "0.1", "0.1\n"},
        {"zeit3", "T3", "65535", "65535\n"},
        {"kalibrierungOffset", "B4", "-0.012345", "-0.012345\n"},
        {"zyklen", "L1", "65535", "65535\n"},
        {"ausgang10", "Oa", "1", "1\n"},
        {"kartenstatus12", "Kc", "00ab", "0x00AB\n"},
        {"alleausgaenge", "O0", "0fff", "0x8FFF\n"},
        {"programmname", "N1", " Mein Prog", " Mein Prog\n"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(line.setValue('1', row.letters, row.deviceText)) << row.name;
        const Result result = tool({"get", row.name});
        EXPECT_EQ(result.status, 0) << row.name << result.err;
        EXPECT_EQ(result.out, row.printed);
    }
}

// Operators run German locales; neither what is sent nor what is printed may change.
TEST_F(ParameterCommands, NumbersIgnoreTheLocale) {
    line.addTkv('1');
    ASSERT_TRUE(line.setValue('1', "L1", "65535"));
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps adds it)";
    const Result set = tool({"set", "strom3", "2.5"});
    const Result current = tool({"get", "strom3"});
    const Result cycles = tool({"get", "zyklen"});
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(current.out, "2.5\n");
    EXPECT_EQ(cycles.out, "65535\n");
    EXPECT_EQ(frames(3).front(), "#1C3W2.500\r");
}

TEST_F(ParameterCommands, MemoryBlocksAsHexText) {
    line.addDlq3('1');
    const Result written = tool({"mem-write", "0xA0", "1234"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(frames(1), std::vector<std::string>{"#1BDW400A0000212340047\r"});

    const std::vector<std::uint8_t> bytes{0x00, 0xAB, 0x0C};
    ASSERT_TRUE(line.setMemory('1', 16, bytes));
    EXPECT_EQ(tool({"mem-read", "0x10", "3"}).out, "00AB0C\n");
    EXPECT_EQ(tool({"mem-read", "16", "0x3"}).out, "00AB0C\n");
    EXPECT_EQ(tool({"mem-read", "0xA0", "2"}).out, "1234\n");

    // A frame is logged once its answer is out; the last read's must be in before the clear.
    frames(4);
    line.clearFrames();
    EXPECT_EQ(tool({"mem-write", "0", ""}).status, 0);
    EXPECT_EQ(frames(1), std::vector<std::string>{"#1BDW4000000000001\r"});
    EXPECT_EQ(tool({"mem-write", "16", "abcd"}).status, 0);
    EXPECT_EQ(line.memory('1', 16, 2), (std::vector<std::uint8_t>{0xAB, 0xCD}));

    const Result tooLong = tool({"mem-read", "0", "0x10000"});
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.err, "Fehler #895178: Ungültige Speichergröße.\n");
    EXPECT_EQ(tool({"mem-write", "0", std::string(130, '0')}).err,
              "Fehler #895201: Ungültige Speichergröße.\n");
}

TEST_F(ParameterCommands, MalformedArgumentsAreUsageErrors) {
    line.addTkv('1');
    const std::vector<std::string> rows[] = {
        {"set", "strom1", "1,5"},
        {"set", "strom1", ""},
        {"set", "zyklen", "1.5"},
        {"set", "zyklen", "0x10"},
        {"set", "alleausgaenge", "x"},
        {"mem-write", "0", "123"},
        {"mem-write", "0", "zz"},
        {"mem-read", "start", "1"},
        {"set", "strom1"},
        {"get"},
    };
    for (const bool english : {false, true}) {
        cli::useLanguage(english ? vrl::text::Language::English : vrl::text::Language::German);
        for (const auto& words : rows) {
            const Result result = tool(words);
            EXPECT_EQ(result.status, 2) << words.front() << " " << words.back();
            EXPECT_TRUE(result.err.ends_with(english ? "\nTry 'tkv9d --help'.\n"
                                                     : "\nMehr mit 'tkv9d --help'.\n"))
                << result.err;
        }
    }
    cli::useLanguage(vrl::text::Language::German);
    // A usage error leaves the port free for the next command.
    EXPECT_EQ(tool({"set", "zyklen", "7"}).status, 0);
    EXPECT_EQ(line.value('1', "L1"), "7");
}

}  // namespace
