// Reading a large settings file: a generated file of many items in shuffled order, a tenth of
// them repeated, in a handful of sections, read into a sorted store as the program does at start.
//
// usage: ini_read [--items N]   (default 2000000)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <unistd.h>

#include "app/ini.h"

namespace {

std::string generatedText(long items) {
    std::mt19937 random(8);
    std::string text;
    text.reserve(static_cast<std::size_t>(items) * 24);
    const long sections = 5;
    for (long s = 0; s < sections; ++s) {
        text += "[Abschnitt" + std::to_string(s) + "]\r\n";
        for (long i = s; i < items; i += sections) {
            // A tenth of the tags come twice; the later item replaces the earlier one.
            const auto tag = random() % static_cast<unsigned long>(items - items / 10);
            text += "Eintrag" + std::to_string(tag) + " = " + std::to_string(i) + "\r\n";
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    long items = 2000000;
    if (argc == 3 && std::strcmp(argv[1], "--items") == 0) items = std::atol(argv[2]);
    if (items < 10) {
        std::fprintf(stderr, "usage: ini_read [--items N]   (N >= 10)\n");
        return 2;
    }
    char path[] = "/tmp/tkv9d-ini-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return 1;
    const std::string text = generatedText(items);
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (!written) {
        ::unlink(path);
        return 1;
    }

    IniText store = Ini_New(1);
    const auto start = std::chrono::steady_clock::now();
    const int code = Ini_ReadFromFile(store, path);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    int value = 0;
    const int found = Ini_GetInt(store, "abschnitt0", "eintrag0", &value);
    Ini_Dispose(store);
    ::unlink(path);

    std::printf("%ld items, %.1f MB: read in %.2f s (code %d, eintrag0 found: %d)\n", items,
                static_cast<double>(text.size()) / 1e6, seconds.count(), code, found);
    return code == 0 ? 0 : 1;
}
