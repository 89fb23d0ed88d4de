#include "cli/complete.h"

#include <array>
#include <cctype>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

#include "cli/cli.h"
#include "driver/parameter_catalogue.h"
#include "driver/ports.h"

namespace cli {

namespace {

// The options are those the usage text names, so a new option is offered as soon as it is
// documented there.
void printOptions(std::ostream& out) {
    std::ostringstream usage, ignored;
    std::array<char*, 2> argv{const_cast<char*>("tkv9d"), const_cast<char*>("--help")};
    run(static_cast<int>(argv.size()), argv.data(), usage, ignored);
    const std::string text = usage.str();
    std::set<std::string> options;
    for (auto at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
        auto end = at + 2;
        while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) ||
                                     std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     (text[end] == '-' && end > at + 2)))
            ++end;
        if (end > at + 2) options.insert(text.substr(at, end - at));
    }
    for (const std::string& name : options) out << name << '\n';
}

}  // namespace

int complete(std::string_view what, std::ostream& out) {
    if (what == "commands") {
        for (const Command& command : allCommands()) out << command.name << '\n';
    } else if (what == "options") {
        printOptions(out);
    } else if (what == "parameters" || what == "settable") {
        for (const auto& parameter : vrl::driver::kCatalogue)
            if (what == "parameters" || !parameter.readOnly) out << parameter.name << '\n';
    } else if (what == "ports") {
        for (int port : vrl::driver::listPorts()) out << port << '\n';
    } else {
        return 2;
    }
    return out.flush() ? 0 : 1;
}

}  // namespace cli
