// Identification, device functions and program slots: the commands that are not parameters.

#include <charconv>
#include <string>

#include "driver/trace.h"
#include "driver/vrltkv9d.h"
#include "platform/blank.h"

namespace {

using platform::isBlank;
using vrl::driver::CommandCodes;
using vrl::driver::isDeviceAddress;
using vrl::driver::kCommonAddress;
using vrl::driver::kCR;
using vrl::driver::kFlushInputFailed;
using vrl::driver::kFlushOutputFailed;
using vrl::driver::kStart;

constexpr CommandCodes kIdCodes{kFlushInputFailed, kFlushOutputFailed,
                                -101008,           -114009,
                                -402010,           -405011,
                                -403012,           -404013,
                                -404014,           -404015};
constexpr int kIdBadAddress = -400006;

struct AckCommand {
    int badAddress;
    int badArgument;
    CommandCodes codes;
};

constexpr AckCommand kDeviceFunction{-400034, -401035,
                                     CommandCodes{kFlushInputFailed, kFlushOutputFailed, -101037,
                                                  -101038, -402039, -405040, -403041, -404042}};
constexpr AckCommand kProgramStore{-400043, -401044,
                                   CommandCodes{kFlushInputFailed, kFlushOutputFailed, -101046,
                                                -101047, -402048, -405049, -403050, -404051}};
constexpr AckCommand kProgramLoad{-400052, -401053,
                                  CommandCodes{kFlushInputFailed, kFlushOutputFailed, -101055,
                                               -101056, -402057, -405058, -403059, -404060}};

constexpr int kFirstProgram = 1;
constexpr int kLastProgram = 16;

bool acceptsAddress(char address) {
    return isDeviceAddress(address) || address == kCommonAddress;
}

std::string frameOf(char address, std::string_view letters, std::string_view argument = {}) {
    std::string frame{kStart, address};
    frame += letters;
    frame += argument;
    frame += kCR;
    return frame;
}

// '#', the address asked, a text without blanks, CR. The text may not be empty.
bool splitIdentification(const std::string& line, char address, std::string& text) {
    if (line.size() < 2 || line[0] != kStart || line[1] != address) return false;
    std::size_t end = 2;
    while (end < line.size() && !isBlank(line[end])) ++end;
    if (end == 2 || end >= line.size() || line[end] != kCR) return false;
    text = line.substr(2, end - 2);
    return true;
}

int programCommand(const AckCommand& command, char letter, int port, char address, int program) {
    if (!acceptsAddress(address)) return command.badAddress;
    if (program < kFirstProgram || program > kLastProgram) return command.badArgument;
    char digits[4];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, program);
    (void)ec;
    const char letters[] = {'P', 'N', letter, '\0'};
    return vrl::driver::runTransaction(
        port, address, frameOf(address, letters, std::string_view(digits, end)), command.codes);
}

int readIdentification(int port, char address, std::string& idText) {
    if (!isDeviceAddress(address)) return kIdBadAddress;
    std::string line;
    if (int code =
            vrl::driver::runTransaction(port, address, frameOf(address, "IDR"), kIdCodes, &line);
        code != 0)
        return code;
    std::string text;
    if (!splitIdentification(line, address, text)) return kIdCodes.mismatch;
    idText = text;
    return 0;
}

int deviceFunction(int port, char address, std::string_view function) {
    if (!acceptsAddress(address)) return kDeviceFunction.badAddress;
    std::string_view letters;
    if (function == "start")
        letters = "DF1";
    else if (function == "stopp")
        letters = "DF2";
    else
        return kDeviceFunction.badArgument;
    return vrl::driver::runTransaction(port, address, frameOf(address, letters),
                                       kDeviceFunction.codes);
}

}  // namespace

// Each command hands its code to the trace, which completes the record of its transaction.

int VRLTKV9D_IDLesen(int port, char address, std::string& idText) {
    return vrl::driver::traceOutcome(readIdentification(port, address, idText));
}

int VRLTKV9D_DeviceFunction(int port, char address, std::string_view function) {
    return vrl::driver::traceOutcome(deviceFunction(port, address, function));
}

int VRLTKV9D_ProgrammSpeichern(int port, char address, int program) {
    return vrl::driver::traceOutcome(programCommand(kProgramStore, 'P', port, address, program));
}

int VRLTKV9D_ProgrammLaden(int port, char address, int program) {
    return vrl::driver::traceOutcome(programCommand(kProgramLoad, 'S', port, address, program));
}
