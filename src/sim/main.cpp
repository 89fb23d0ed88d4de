// tkv9d-sim: simulated TKV-9D devices (and optionally a DLQ3) on a pseudo-terminal that is
// linked as COM<n> in the port directory, so the program finds it like a serial port.

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/signalfd.h>
#include <unistd.h>

#include "platform/serial/port_map.h"
#include "sim/line.h"

namespace fs = std::filesystem;

namespace {

// Frames kept in memory: nobody reads them from a running simulator, and a line that serves
// for days must not grow with every frame (--log writes all of them to a file instead).
constexpr std::size_t kKeptFrames = 4096;

struct Options {
    int port = 1;
    std::vector<char> addresses;
    std::optional<char> dlq3;
    bool pace = false;
    std::string logPath;
};

constexpr const char* kUsage =
    "usage: tkv9d-sim [--com N] [--address C]... [--dlq3 C] [--pace] [--log FILE]\n"
    "  --com N      link the line as COM<N> (1..256, default 1)\n"
    "  --address C  a TKV-9D at address C (1..9, a..f); default one at 1\n"
    "  --dlq3 C     a DLQ3 memory device at address C\n"
    "  --pace       answer at the speed of a 9600 baud line\n"
    "  --log FILE   write every frame and answer to FILE\n";

std::optional<int> portNumber(std::string_view text) {
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 256)
        return std::nullopt;
    return port;
}

std::optional<char> address(std::string_view text) {
    if (text.size() != 1 || !sim::isDeviceAddress(text[0])) return std::nullopt;
    return text[0];
}

// nullopt after printing what is wrong.
std::optional<Options> parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--pace") {
            options.pace = true;
        } else if (arg == "--com" && hasValue) {
            const auto port = portNumber(argv[++i]);
            if (!port) return std::cerr << "tkv9d-sim: bad port number\n", std::nullopt;
            options.port = *port;
        } else if ((arg == "--address" || arg == "--dlq3") && hasValue) {
            const auto a = address(argv[++i]);
            if (!a) return std::cerr << "tkv9d-sim: bad address\n", std::nullopt;
            if (arg == "--dlq3")
                options.dlq3 = *a;
            else
                options.addresses.push_back(*a);
        } else if (arg == "--log" && hasValue) {
            options.logPath = argv[++i];
        } else {
            std::cerr << kUsage;
            return std::nullopt;
        }
    }
    if (options.addresses.empty() && !options.dlq3) options.addresses.push_back('1');
    return options;
}

// Replaces whatever COM<n> was with a link to the line.
fs::path linkPort(int port, const std::string& target) {
    const fs::path directory = serial::portDirectory();
    fs::create_directories(directory);
    const fs::path link = directory / ("COM" + std::to_string(port));
    std::error_code ignored;
    fs::remove(link, ignored);
    fs::create_symlink(target, link);
    return link;
}

// Only our own link goes: another simulator may have taken the number over meanwhile.
void unlinkPort(const fs::path& link, const std::string& target) {
    std::error_code ec;
    if (fs::read_symlink(link, ec) == target && !ec) fs::remove(link, ec);
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parse(argc, argv);
    if (!options) return 2;

    // Blocked before any thread starts, so every thread inherits the mask and the signals
    // arrive only through the signalfd.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("tkv9d-sim: signalfd");
        return 1;
    }

    try {
        sim::Line line({options->pace, options->logPath, kKeptFrames});
        for (char a : options->addresses) line.addTkv(a);
        if (options->dlq3) line.addDlq3(*options->dlq3);
        const fs::path link = linkPort(options->port, line.devicePath());
        std::cout << "device " << line.devicePath() << "\nport COM" << options->port << std::endl;

        signalfd_siginfo info{};
        while (::read(signalFd, &info, sizeof info) < 0 && errno == EINTR) {
        }
        unlinkPort(link, line.devicePath());
    } catch (const std::exception& e) {
        std::cerr << "tkv9d-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
