// tkv9d watch, in-process against the simulated line.

#include <regex>
#include <set>
#include <sstream>

#include "cli_fixture.h"

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

// The data lines of watch's CSV output, split into cells; the header is checked.
std::vector<std::vector<std::string>> readings(const std::string& out, const char* header) {
    std::vector<std::string> lines = split(out, '\n');
    std::vector<std::vector<std::string>> rows;
    if (lines.empty() || lines.front() != header) {
        ADD_FAILURE() << "no header " << header << " in\n" << out;
        return rows;
    }
    EXPECT_EQ(lines.back(), "") << "last line not ended";
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) rows.push_back(split(lines[i], ','));
    return rows;
}

constexpr const char* kHeader = "time,seconds,status,iststrom,istspannung,error";

class Watch : public CliTest {};

TEST_F(Watch, ReadingsFollowTheRunningCurve) {
    line.addTkv('1');
    // Four steps of 150 ms, repeated: a reading every 100 ms meets at least two of them.
    const std::pair<const char*, const char*> curve[] = {
        {"WF", "1"},     {"C1", "1.000"}, {"C2", "2.000"}, {"C3", "3.000"},
        {"C4", "4.000"}, {"T1", "150.0"}, {"T2", "150.0"}, {"T3", "150.0"},
        {"T4", "150.0"}, {"L1", "0"},     {"V1", "150.0"},
    };
    for (const auto& [letters, value] : curve) ASSERT_TRUE(line.setValue('1', letters, value));

    const auto idle = tool({"watch", "--count", "1"});
    ASSERT_EQ(idle.status, 0) << idle.err;
    ASSERT_EQ(readings(idle.out, kHeader).size(), 1u);
    EXPECT_EQ(readings(idle.out, kHeader)[0][3], "0");

    ASSERT_EQ(tool({"start"}).status, 0);
    const auto running = tool({"watch", "--period", "0.1", "--count", "8"});
    EXPECT_EQ(running.status, 0) << running.err;
    const auto rows = readings(running.out, kHeader);
    ASSERT_EQ(rows.size(), 8u) << running.out;
    std::set<std::string> currents;
    double previous = -1;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto& cells = rows[k];
        ASSERT_EQ(cells.size(), 6u) << running.out;
        EXPECT_TRUE(
            std::regex_match(cells[0], std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3})")))
            << cells[0];
        // Due at k * 0.1 s from the first, never earlier.
        const double seconds = std::stod(cells[1]);
        EXPECT_GE(seconds, 0.1 * static_cast<double>(k) - 1e-9) << running.out;
        EXPECT_GT(seconds, previous);
        previous = seconds;
        EXPECT_EQ(cells[2], "0x0003") << "running, current on";
        EXPECT_TRUE(std::set<std::string>({"1", "2", "3", "4"}).count(cells[3])) << cells[3];
        currents.insert(cells[3]);
        EXPECT_EQ(cells[5], "");
    }
    EXPECT_GE(currents.size(), 2u) << running.out;

    ASSERT_EQ(tool({"stop"}).status, 0);
    const auto stopped = tool({"watch", "--count", "1", "iststrom", "status"});
    EXPECT_EQ(stopped.status, 0);
    const auto after = readings(stopped.out, "time,seconds,iststrom,status,error");
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0][2], "0");
    EXPECT_EQ(after[0][3], "0x0008") << "aborted";
}

TEST_F(Watch, FailedReadingsAreLinesAndOnlyFiveInARowEndTheRun) {
    line.addTkv('1');
    struct Row {
        int failing;  // status reads answered NAK, from the first
        int count;    // --count, 0 for none
        int status;
        std::size_t lines;
    };
    const Row rows[] = {
        {4, 6, 0, 6},   // four in a row, then answers again: goes on
        {-1, 0, 1, 5},  // never answers: ends after five
        {-1, 2, 1, 2},  // a counted run that ends on a failure ends as it did
    };
    for (const auto& row : rows) {
        line.clearFaults('1');
        line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "S1R", row.failing});
        std::vector<std::string> words{"watch", "--period", "0.02"};
        if (row.count > 0) words.insert(words.end(), {"--count", std::to_string(row.count)});
        const auto r = tool(words);
        EXPECT_EQ(r.status, row.status) << r.err;
        const auto cells = readings(r.out, kHeader);
        ASSERT_EQ(cells.size(), row.lines) << r.out;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const bool failed = row.failing < 0 || static_cast<int>(i) < row.failing;
            EXPECT_EQ(cells[i][5],
                      failed ? "Fehler #402163: Fehlermeldung (NAK) vom Gerät erhalten" : "")
                << r.out;
            // The reading stops at its first failure.
            EXPECT_EQ(cells[i][3].empty(), failed) << r.out;
        }
        if (row.status != 0) {
            EXPECT_NE(r.err.find("Fehler #402163: Fehlermeldung (NAK) vom Gerät erhalten\n"),
                      std::string::npos)
                << r.err;
        }
    }
}

TEST_F(Watch, PeriodsTheLineCannotKeepAreReported) {
    // Three readings at 9600 baud take about 60 ms, far beyond the 10 ms asked for.
    sim::Line paced(sim::LineOptions{true, ""});
    paced.addTkv('1');
    std::vector<std::string> args{"tkv9d",    "--device", paced.devicePath(), "watch",
                                  "--period", "0.01",     "--count",          "3"};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    std::ostringstream out, err;
    EXPECT_EQ(cli::run(static_cast<int>(argv.size()), argv.data(), out, err), 0) << err.str();
    const auto rows = readings(out.str(), kHeader);
    ASSERT_EQ(rows.size(), 3u);
    // The readings keep to the grid of 10 ms, skipping the slots they ran into.
    EXPECT_GE(std::stod(rows[1][1]), 0.04) << out.str();
    EXPECT_TRUE(
        std::regex_search(err.str(), std::regex("Hinweis: Lesung 1 dauerte \\d+\\.\\d{3} s, "
                                                "länger als die Periode \\(0\\.01 s\\); \\d+ "
                                                "Zeitpunkt\\(e\\) ausgelassen\n")))
        << err.str();
    EXPECT_NE(err.str().find("Hinweis: 2 von 3 Lesungen dauerten länger als die Periode\n"),
              std::string::npos)
        << err.str();
}

TEST_F(Watch, JsonReadingsOneObjectALine) {
    line.addTkv('1');
    line.setValue('1', "N1", "Probe");
    line.injectFault('1', sim::Fault{sim::FaultKind::Can, "C0R", 1});
    const auto r = tool({"--json", "watch", "--period", "0.02", "--count", "2", "status",
                         "iststrom", "programmname"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string time =
        R"(\{"time": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}", "seconds": \d+\.\d{3}, )";
    const std::string failed =
        R"re("status": 0, "error": 405164, )re"
        R"re("text": "Befehlsausführung momentan nicht möglich \(CAN erhalten\)"\}\n)re";
    const std::string read = R"("status": 0, "iststrom": 0, "programmname": "Probe"\}\n)";
    EXPECT_TRUE(std::regex_match(r.out, std::regex(time + failed + time + read))) << r.out;
}

TEST_F(Watch, UnknownFieldsAndMisplacedOptionsAreUsageErrors) {
    line.addTkv('1');
    const std::vector<std::vector<std::string>> rows = {
        {"watch", "strom9"},          {"watch", "iststrom", "Status"},
        {"watch", "--count", "0"},    {"watch", "--period", "0"},
        {"watch", "--period", "0,5"}, {"get", "strom1", "--period", "1"},
        {"--count", "3", "id"},
    };
    for (const auto& words : rows) {
        const auto r = tool(words);
        EXPECT_EQ(r.status, 2) << words[1];
        EXPECT_EQ(r.out, "") << words[1];
    }
    EXPECT_TRUE(line.frames().empty());
}

}  // namespace
