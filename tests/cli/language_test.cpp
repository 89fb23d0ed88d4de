// The tool's texts in the operator's language, and what machines read kept as it was.

#include "platform/text/language.h"
#include "cli_fixture.h"
#include "errors/vrl_errors.h"
#include "process.h"

namespace {

using namespace std::chrono_literals;
using vrl::text::Language;

// Faults caught: LC_ALL not taking precedence, an empty variable taken as set, LC_MESSAGES
// skipped, a German locale other than de_DE missed, no locale at all taken for German.
TEST(Language, ChosenAsPosixOrdersTheLocaleVariables) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language expected;
    } rows[] = {
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, nullptr, "de_DE.UTF-8", Language::German},
        {nullptr, nullptr, "de_AT", Language::German},
        {nullptr, nullptr, "C", Language::English},
        {nullptr, nullptr, "POSIX", Language::English},
        {"C", nullptr, "de_DE.UTF-8", Language::English},
        {"", "de_CH.UTF-8", "C", Language::German},
        {nullptr, "en_GB.UTF-8", "de_DE.UTF-8", Language::English},
        {"de_DE.UTF-8", "C", "C", Language::German},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vrl::text::languageOf(row.lcAll, row.lcMessages, row.lang), row.expected)
            << (row.lcAll ? row.lcAll : "-") << ' ' << (row.lcMessages ? row.lcMessages : "-")
            << ' ' << (row.lang ? row.lang : "-");
}

// Fault caught: a translation that puts the values in another order gets them in the old one.
TEST(Language, FillPutsEachValueWhereItsNumberStands) {
    EXPECT_EQ(vrl::text::fill("%2 vor %1", {"a", "b"}), "b vor a");
    EXPECT_EQ(vrl::text::fill("100% von %1, %3", {"x"}), "100% von x, %3");
}

class LanguageTest : public CliTest {};

// Faults caught: the error line, help or notes left German under an English locale (or English
// under a German one); the catalogue's English column not used; quotes, brackets, apostrophes or
// semicolons of a text lost between the translation file and the program; --json's text
// switched to English; the catalogue left in English after the error line, so that the SCPI
// error queue speaks another language.
TEST_F(LanguageTest, MessagesSpeakTheLocalesLanguageAndMachinesReadTheSame) {
    const struct {
        std::vector<std::string> words;
        bool onStdout;
        std::string german;
        std::string english;
    } rows[] = {
        {{"get", "nosuch"},
         false,
         "Fehler #401159: Unzulässiger Parameter\n",
         "Error #401159: invalid parameter\n"},
        {{"--json", "get", "nosuch"},
         false,
         "{\"error\": 401159, \"text\": \"Unzulässiger Parameter\"}\n",
         "{\"error\": 401159, \"text\": \"Unzulässiger Parameter\"}\n"},
        {{"--help"},
         true,
         "  --json             id, scan, get und watch geben JSON-Objekte aus",
         "prints {\"error\": N, \"text\": \"...\"} on stderr\n"},
        {{"--help"},
         true,
         "  --version          Name, Version und Lizenz des Programms\n",
         "  --version          the program's name, version and licence\n"},
        {{"serve", "--help"},
         true,
         "(Vorgabe 127.0.0.1:5025; [::1]:5025 für IPv6)\n",
         "(default 127.0.0.1:5025; [::1]:5025 for IPv6)\n"},
        {{"serve", "--allow", "x"},
         false,
         "--allow braucht ADDRESS oder ADDRESS/BITS, wie 192.168.1.0/24, nicht 'x'\n",
         "--allow needs ADDRESS or ADDRESS/BITS, as 192.168.1.0/24, got 'x'\n"},
    };
    for (const auto language : kLanguages) {
        speak(language);
        for (const auto& row : rows) {
            const Result r = tool(row.words);
            const std::string& text = row.onStdout ? r.out : r.err;
            EXPECT_NE(text.find(say(row.german, row.english)), std::string::npos)
                << row.words.back() << '\n'
                << text;
        }
        EXPECT_EQ(VRL_Fehlermeldung(-401159), "Unzulässiger Parameter");
    }
}

// Faults caught: the program not choosing its language from the locale at start-up.
TEST_F(LanguageTest, ProgramsTakeTheirLanguageFromTheLocale) {
    const struct {
        const char* program;
        const char* locale;
        const char* text;
    } rows[] = {
        {TKV9D_PROGRAM, cli_test::kGerman, "tkv9d: unbekannter Befehl frobnicate\n"},
        {TKV9D_PROGRAM, cli_test::kEnglish, "tkv9d: unknown command frobnicate\n"},
        {TKV9D_SIM_PROGRAM, cli_test::kGerman, "Störungen: --fault KIND[:KEY=VALUE,...]"},
        {TKV9D_SIM_PROGRAM, cli_test::kEnglish, "faults: --fault KIND[:KEY=VALUE,...]"},
    };
    for (const auto& row : rows) {
        const bool sim = std::string(row.program) == TKV9D_SIM_PROGRAM;
        cli_test::Process program(row.program, {sim ? "--help" : "frobnicate"}, scratch(),
                                  row.locale);
        EXPECT_EQ(program.wait(5000ms), sim ? 0 : 2) << row.text;
        EXPECT_NE((sim ? program.out : program.err).find(row.text), std::string::npos)
            << row.locale << '\n'
            << program.out << program.err;
    }
}

}  // namespace
