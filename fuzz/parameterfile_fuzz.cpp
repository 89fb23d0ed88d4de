// Arbitrary bytes as a parameter file. Besides the sanitizers, the checks below hold the reader
// to what it promises: a file is taken whole or not at all, and what it takes is the file's
// records as they are, each name cut to its field.
//
// Input: the file's bytes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz/scratch.h"
#include "params/datastate.h"
#include "params/parameterfile.h"
#include "params/program.h"

namespace {

using namespace vrl::params;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// Every code the reader gives for a file it refuses.
constexpr int kRefusals[] = {-308404, -304411, -302406, -303407, -304412, -304405};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string path = fuzz::scratchFolder() + "/input.tkv";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();

    // A table that no file can hold: every byte 0xA5, so a partly loaded table shows.
    vrl::params::Workspace& ws = vrl::params::workspace();
    for (Parametersatz& entry : ws.prog) std::memset(&entry, 0xA5, sizeof entry);
    const auto before = ws.prog;
    ws.dateiname = kUnbenannt;

    const int code = Datei_Lesen(path);
    if (code != 0) {
        require(std::find(std::begin(kRefusals), std::end(kRefusals), code) != std::end(kRefusals));
        require(std::memcmp(ws.prog.data(), before.data(), sizeof ws.prog) == 0);
        require(ws.dateiname == kUnbenannt);
        return 0;
    }
    require(size >= kFileSize);
    require(std::memcmp(bytes, kFileIdentifier, std::strlen(kFileIdentifier) + 1) == 0);
    require(ws.dateiname == path);
    for (std::size_t i = 0; i < ws.prog.size(); ++i) {
        std::array<std::uint8_t, kRecordSize> expected{};
        std::memcpy(expected.data(), bytes + kRecordsOffset + i * kRecordSize, kRecordSize);
        expected[kNameSize - 1] = 0;
        require(imageOf(ws.prog[i]) == expected);
    }
    return 0;
}
