// Arbitrary device bytes as the answer to the reading commands: parameter reads of every value
// kind, the identification read and the memory read. Besides the sanitizers, the checks below
// hold the commands to what they promise their callers.
//
// Input: one byte choosing the command, one byte shaping it (memory length), then everything
// the scripted device sends after the frame, acknowledgement byte included.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/parameter_catalogue.h"
#include "driver/vrldlq3.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/scripted_backend.h"

namespace {

constexpr int kPort = 1;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

bool hasBlank(const std::string& text) {
    for (char c : text)
        if (c == ' ' || (c >= '\t' && c <= '\r')) return true;
    return false;
}

bool hasControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void readParameter(const char* name) {
    constexpr double kUntouchedReal = -12345.5;
    constexpr int kUntouchedInteger = -12345;
    double real = kUntouchedReal;
    int integer = kUntouchedInteger;
    std::string text = "untouched";
    const int code = VRLTKV9D_ParameterLesen(kPort, '1', name, &real, &integer, &text);
    if (code != 0) {
        // A failed read leaves every destination as it was.
        require(real == kUntouchedReal && integer == kUntouchedInteger && text == "untouched");
        return;
    }
    // An empty name is a name: a program renamed to nothing reads back as "".
    require(text == "untouched" ||
            (text.size() <= vrl::driver::kProgramNameLimit && !hasControl(text)));
}

void readIdentification() {
    std::string id;
    if (VRLTKV9D_IDLesen(kPort, '1', id) == 0)
        require(!id.empty() && id.size() <= 26 && !hasBlank(id));
}

void readMemory(int length) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
    VRLDLQ3_SpeicherLesen(kPort, '1', 4, 0x00A0, length, data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) return 0;
    serial::ScriptedBackend device;
    serial::BackendGuard use(device);
    device.reply(std::vector<int>(bytes + 2, bytes + size));

    switch (bytes[0] % 7) {
        case 0:
            readParameter("strom1");  // real
            break;
        case 1:
            readParameter("zyklen");  // integer
            break;
        case 2:
            readParameter("kartenstatus12");  // hex word
            break;
        case 3:
            readParameter("programmname");  // text
            break;
        case 4:
            readIdentification();
            break;
        case 5:
            readMemory(1 + bytes[1] % 8);  // short blocks, where whole answers are likely
            break;
        default:
            readMemory(std::min(0xFFFF, 1 + bytes[1] * 257));  // up to the longest read
            break;
    }
    return 0;
}
