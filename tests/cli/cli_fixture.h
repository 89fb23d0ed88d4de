#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "params/workspace.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"

// Runs the tool in-process against a simulated line.
class CliTest : public ::testing::Test {
  protected:
    struct Result {
        int status;
        std::string out;
        std::string err;
    };

    // The device option and a short time-out come first; `words` as an operator types them.
    Result tool(std::vector<std::string> words, bool onLine = true) {
        std::vector<std::string> args{"tkv9d"};
        if (onLine) args.insert(args.end(), {"--device", line.devicePath(), "--timeout", "0.3"});
        args.insert(args.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        std::ostringstream out, err;
        const int status = cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
        return {status, out.str(), err.str()};
    }

    void TearDown() override {
        serial::setPortPath(1, "");
        if (!scratch_.empty()) std::filesystem::remove_all(scratch_);
    }

    // A folder of the test's own, removed at its end.
    const std::string& scratch() {
        if (scratch_.empty()) {
            char pattern[] = "/tmp/tkv9d-cli-XXXXXX";
            scratch_ = ::mkdtemp(pattern);
        }
        return scratch_;
    }

    vrl::params::ScopedWorkspace ws;
    sim::Line line;

  private:
    std::string scratch_;
};
