// Identification, scan, device functions and program slots.

#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "driver/vrltkv9d.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

int programNumber(const std::string& text) {
    const long long value = parseInteger(text, VRL_TR("tkv9d", "Programmnummer").c_str());
    // Out-of-range numbers still go to the driver, which refuses them with its own code.
    return value < -1000 || value > 1000 ? -1 : static_cast<int>(value);
}

// `{"address": "1", "id": "VRL-TKV9D-0815"}` with --json.
void printIdentification(const Context& ctx, char address, const std::string& text,
                         bool withAddress) {
    if (ctx.json)
        ctx.out << json::Object().text("address", std::string(1, address)).text("id", text).str();
    else
        ctx.out << (withAddress ? std::string{address, ' '} : std::string()) << text;
    ctx.out << '\n' << std::flush;
}

int identify(Context& ctx, const std::vector<std::string>&) {
    std::string text;
    if (int code = VRLTKV9D_IDLesen(ctx.port, ctx.address, text); code != 0) return code;
    printIdentification(ctx, ctx.address, text, false);
    return 0;
}

// Asks '1'..'9' like the program's scan; addresses that do not answer are left out.
int scan(Context& ctx, const std::vector<std::string>&) {
    for (char address = '1'; address <= '9'; ++address) {
        std::string text;
        if (VRLTKV9D_IDLesen(ctx.port, address, text) == 0)
            printIdentification(ctx, address, text, true);
    }
    return 0;
}

int start(Context& ctx, const std::vector<std::string>&) {
    return VRLTKV9D_DeviceFunction(ctx.port, ctx.address, "start");
}

int stop(Context& ctx, const std::vector<std::string>&) {
    return VRLTKV9D_DeviceFunction(ctx.port, ctx.address, "stopp");
}

int programStore(Context& ctx, const std::vector<std::string>& args) {
    return VRLTKV9D_ProgrammSpeichern(ctx.port, ctx.address, programNumber(args[0]));
}

int programLoad(Context& ctx, const std::vector<std::string>& args) {
    return VRLTKV9D_ProgrammLaden(ctx.port, ctx.address, programNumber(args[0]));
}

constexpr Command kCommands[] = {
    {"id", "", 0, identify},
    {"scan", "", 0, scan},
    {"start", "", 0, start},
    {"stop", "", 0, stop},
    {"program-store", "N", 1, programStore},
    {"program-load", "N", 1, programLoad},
};

}  // namespace

std::span<const Command> linkCommands() {
    return kCommands;
}

}  // namespace cli
