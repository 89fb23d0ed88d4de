// Arbitrary bytes as a settings file. Besides the sanitizers, the checks below hold the reader
// and the writer to each other: what the program writes from a file it read reads back as the
// same store, so a second round writes the same bytes. Lines the writer makes longer than the
// reader keeps (a line of 254 or 255 characters gains the blanks around "=") are the one
// exception and are left out.
//
// Input: the file's bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "app/ini.h"
#include "fuzz/scratch.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool hasLineLongerThanKept(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end - start > static_cast<std::size_t>(ini::kLineLimit)) return true;
        start = end + 2;
    }
    return false;
}

// The store read from path, written to out; the read's and the write's codes must be 0.
void readAndWrite(const std::string& path, const std::string& out) {
    IniText store = Ini_New(1);
    require(store != nullptr);
    require(Ini_ReadFromFile(store, path.c_str()) == 0);
    int value = 0;
    const int found = Ini_GetInt(store, "com", "com", &value);
    require(found == 0 || found == 1 || found == ini::kNotAnInteger);
    require(Ini_WriteToFile(store, out.c_str()) == 0);
    Ini_Dispose(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string folder = fuzz::scratchFolder();
    const std::string input = folder + "/input.ini";
    std::FILE* file = std::fopen(input.c_str(), "wb");
    if (!file) std::abort();
    const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();

    readAndWrite(input, folder + "/first.ini");
    const std::string first = contentOf(folder + "/first.ini");
    if (hasLineLongerThanKept(first)) return 0;
    readAndWrite(folder + "/first.ini", folder + "/second.ini");
    require(contentOf(folder + "/second.ini") == first);
    return 0;
}
