// --json and --trace of the tkv9d tool, in-process against the simulated line.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/json.h"
#include "cli_fixture.h"
#include "sim/tkv.h"

namespace {

class Output : public CliTest {};

TEST(Json, StringsAreEscapedAndUtf8PassesThrough) {
    struct Row {
        std::string text;
        const char* json;
    };
    const Row rows[] = {
        {"VRL-TKV9D", R"("VRL-TKV9D")"},
        {"a\"b\\c", R"("a\"b\\c")"},
        {"Zeile\nzwei\r\t", R"("Zeile\nzwei\r\t")"},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\x7f\""},
        {std::string("\0", 1), R"("\u0000")"},
        {"Gerät ß €", "\"Gerät ß €\""},
    };
    for (const auto& row : rows) EXPECT_EQ(cli::json::quoted(row.text), row.json) << row.json;
}

TEST_F(Output, JsonForResultsAndErrors) {
    line.addTkv('1', "VRL-TKV9D-0815");
    line.addTkv('2', "VRL-TKV9D-0002");
    line.setValue('1', "C1", "1.250");
    line.setValue('1', "L1", "12");
    line.setValue('1', "N1", R"(a"b\c)");
    line.tkv('1').setStatusFlags(sim::kMemoryError);
    struct Row {
        std::vector<std::string> words;
        int status;
        const char* out;
        const char* err;
    };
    const Row rows[] = {
        {{"id"}, 0, "{\"address\": \"1\", \"id\": \"VRL-TKV9D-0815\"}\n", ""},
        {{"scan"},
         0,
         "{\"address\": \"1\", \"id\": \"VRL-TKV9D-0815\"}\n"
         "{\"address\": \"2\", \"id\": \"VRL-TKV9D-0002\"}\n",
         ""},
        {{"get", "strom1"}, 0, "{\"name\": \"strom1\", \"value\": 1.25}\n", ""},
        {{"get", "zyklen"}, 0, "{\"name\": \"zyklen\", \"value\": 12}\n", ""},
        {{"get", "status"}, 0, "{\"name\": \"status\", \"value\": 256}\n", ""},
        {{"get", "programmname"},
         0,
         R"({"name": "programmname", "value": "a\"b\\c"})"
         "\n",
         ""},
        {{"--address", "3", "id"},
         1,
         "",
         R"({"error": 403012, "text": "Keine Antwort vom Gerät"})"
         "\n"},
        {{"get", "strom9"},
         1,
         "",
         R"({"error": 401159, "text": "Unzulässiger Parameter"})"
         "\n"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> words{"--json"};
        words.insert(words.end(), row.words.begin(), row.words.end());
        const auto r = tool(words);
        EXPECT_EQ(r.status, row.status) << row.words.back();
        EXPECT_EQ(r.out, row.out) << row.words.back();
        EXPECT_EQ(r.err, row.err) << row.words.back();
    }
}

TEST_F(Output, TraceLinesOnStderrAndAppendedToTheFile) {
    line.addTkv('1');
    const auto failed = tool({"--trace", "--address", "3", "get", "status"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(std::regex_match(
        failed.err,
        std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} COM 1 Adresse 3: #3S1R<CR> \| )"
                   R"(Quittung keine \| Antwort keine \| \d+\.\d ms \| )"
                   "Fehler #403165: Keine Antwort vom Gerät\n"
                   "Fehler #403165: Keine Antwort vom Gerät\n")))
        << failed.err;

    const std::string path = ::testing::TempDir() + "tkv9d-trace-" + std::to_string(::getpid());
    std::remove(path.c_str());
    for (int run = 0; run < 2; ++run) {
        const auto r = tool({"--trace-file", path, "id"});
        EXPECT_EQ(r.out, "VRL-TKV9D-SIM\n");
        EXPECT_EQ(r.err, "");
    }
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::remove(path.c_str());
    // Two runs, two lines: the file is appended to.
    const std::string idLine = R"([^\n]+ COM 1 Adresse 1: #1IDR<CR> \| Quittung <ACK> \| )"
                               R"(Antwort #1VRL-TKV9D-SIM<CR> \| [^\n]+ \| 0\n)";
    EXPECT_TRUE(std::regex_match(text.str(), std::regex("(" + idLine + "){2}"))) << text.str();
}

}  // namespace
