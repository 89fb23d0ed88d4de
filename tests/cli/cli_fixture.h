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
#include "platform/text/language.h"
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
        speak(vrl::text::Language::German);
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

    // The tool's language for the calls that follow, as its main() chooses it from the locale;
    // German again after the test.
    void speak(vrl::text::Language language) {
        language_ = language;
        cli::useLanguage(language);
    }
    // The text of the language spoken.
    std::string say(const std::string& german, const std::string& english) const {
        return language_ == vrl::text::Language::English ? english : german;
    }
    static constexpr vrl::text::Language kLanguages[] = {vrl::text::Language::German,
                                                         vrl::text::Language::English};

    vrl::params::ScopedWorkspace ws;
    sim::Line line;

  private:
    std::string scratch_;
    vrl::text::Language language_ = vrl::text::Language::German;
};
