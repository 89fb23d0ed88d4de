// tkv9d-sim: simulated TKV-9D devices (and optionally a DLQ3) on a pseudo-terminal that is
// linked as COM<n> in the port directory, so the program finds it like a serial port; or on a
// serial port that exists (--port), which is how it runs on Windows.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/console/program_text.h"
#include "platform/console/stop_signals.h"
#include "platform/serial/port_map.h"
#include "sim/fault_option.h"
#include "sim/line.h"
#include "tkv9d_version.h"

namespace fs = std::filesystem;

namespace {

// Frames kept in memory: nobody reads them from a running simulator, and a line that serves
// for days must not grow with every frame (--log writes all of them to a file instead).
constexpr std::size_t kKeptFrames = 4096;

struct Options {
    int port = 1;
    std::string portName;
    std::vector<char> addresses;
    std::optional<char> dlq3;
    bool pace = false;
    std::string logPath;
    std::vector<sim::FaultOption> faults;
    std::optional<std::uint64_t> seed;
    bool help = false;
    bool version = false;
};

// Windows has no pseudo-terminals: there the simulator serves a COM port that exists, and only
// that is offered.
#ifdef _WIN32
constexpr const char* kUsagePorts =
    "usage: tkv9d-sim --port COM<N> [--address C]... [--dlq3 C] [--pace] [--log FILE]\n"
    "                 [--fault KIND[:KEY=VALUE,...]]... [--seed S]\n"
    "       tkv9d-sim --help | --version\n"
    "  --port NAME  the COM port to serve, for example one end of a null-modem pair\n"
    "               (com0com: COM10 <-> COM11); Windows has no pseudo-terminals\n";
#else
constexpr const char* kUsagePorts =
    "usage: tkv9d-sim [--com N | --port NAME] [--address C]... [--dlq3 C] [--pace] [--log FILE]\n"
    "                 [--fault KIND[:KEY=VALUE,...]]... [--seed S]\n"
    "       tkv9d-sim --help | --version\n"
    "  --com N      link the line as COM<N> (1..256, default 1); a COM<N> that is there is\n"
    "               replaced only when it names a pseudo-terminal that is gone, else exit 1\n"
    "  --port NAME  serve a serial port that exists, a device path, for example one end of a\n"
    "               null-modem pair\n";
#endif
constexpr const char* kUsageDevices =
    "  --address C  a TKV-9D at address C (1..9, a..f); default one at 1\n"
    "  --dlq3 C     a DLQ3 memory device at address C\n"
    "  --pace       answer at the speed of a 9600 baud line\n"
    "  --log FILE   write every frame and answer to FILE, and each fault applied; a log\n"
    "               that cannot be written ends the simulator with exit status 1\n"
    "  --help, -h   this text\n"
    "  --version    the program's name, version and licence\n";

void printUsage(std::ostream& out) {
    out << kUsagePorts << kUsageDevices << sim::kFaultSyntax;
}

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
        constexpr std::string_view kTakingValues[] = {"--com", "--port",  "--address", "--dlq3",
                                                      "--log", "--fault", "--seed"};
        if (!hasValue && std::find(std::begin(kTakingValues), std::end(kTakingValues), arg) !=
                             std::end(kTakingValues)) {
            std::cerr << "tkv9d-sim: " << arg << " needs a value\n";
            return std::nullopt;
        }
        if (arg == "--pace") {
            options.pace = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--com" && hasValue) {
            const auto port = portNumber(argv[++i]);
            if (!port) return std::cerr << "tkv9d-sim: bad port number\n", std::nullopt;
            options.port = *port;
        } else if (arg == "--port" && hasValue) {
            options.portName = argv[++i];
            // An empty name would serve the default COM 1 instead of the port meant.
            if (options.portName.empty())
                return std::cerr << "tkv9d-sim: --port needs a port name\n", std::nullopt;
        } else if ((arg == "--address" || arg == "--dlq3") && hasValue) {
            const auto a = address(argv[++i]);
            if (!a) return std::cerr << "tkv9d-sim: bad address\n", std::nullopt;
            if (arg == "--dlq3")
                options.dlq3 = *a;
            else
                options.addresses.push_back(*a);
        } else if (arg == "--log" && hasValue) {
            options.logPath = argv[++i];
            if (options.logPath.empty())
                return std::cerr << "tkv9d-sim: --log needs a file name\n", std::nullopt;
        } else if (arg == "--fault" && hasValue) {
            std::string why;
            auto option = sim::parseFaultOption(argv[++i], why);
            if (!option) {
                std::cerr << "tkv9d-sim: bad --fault '" << argv[i] << "': " << why << '\n';
                return std::nullopt;
            }
            options.faults.push_back(std::move(*option));
        } else if (arg == "--seed" && hasValue) {
            const std::string_view text = argv[++i];
            std::uint64_t seed = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
            if (text.empty() || ec != std::errc() || end != text.data() + text.size())
                return std::cerr << "tkv9d-sim: --seed needs a whole number\n", std::nullopt;
            options.seed = seed;
        } else {
            std::cerr << "tkv9d-sim: unknown option " << arg << '\n';
            printUsage(std::cerr);
            return std::nullopt;
        }
    }
#ifdef _WIN32
    if (options.portName.empty() && !options.help && !options.version) {
        std::cerr << "tkv9d-sim: Windows has no pseudo-terminals; give the COM port to serve "
                     "with --port COM<N>\n";
        return std::nullopt;
    }
#endif
    if (options.addresses.empty() && !options.dlq3) options.addresses.push_back('1');
    for (const auto& option : options.faults) {
        if (option.address &&
            std::find(options.addresses.begin(), options.addresses.end(), *option.address) ==
                options.addresses.end() &&
            options.dlq3 != option.address) {
            std::cerr << "tkv9d-sim: --fault for address " << *option.address
                      << ", where there is no device\n";
            return std::nullopt;
        }
    }
    return options;
}

// Each fault draws from a generator of its own, so that adding a fault leaves the others' draws
// as they were. Returns the seed, for the operator to repeat the run.
std::uint64_t injectFaults(sim::Line& line, const Options& options) {
    const std::uint64_t seed = options.seed ? *options.seed : std::random_device{}();
    std::vector<char> all = options.addresses;
    if (options.dlq3) all.push_back(*options.dlq3);
    for (std::size_t i = 0; i < options.faults.size(); ++i) {
        sim::Fault fault = options.faults[i].fault;
        fault.random = seed * 0x100000001B3ull + i;
        for (char a : all) {
            if (!options.faults[i].address || options.faults[i].address == a)
                line.injectFault(a, fault);
        }
    }
    return seed;
}

// A link left by a simulator that is gone: it names a pseudo-terminal that no longer exists.
// Anything else at the name is somebody's port (a USB adapter's link, even while unplugged;
// another simulator's line) and is not ours to take.
bool staleLink(const fs::path& link) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(link, ec))) return false;
    const fs::path target = fs::read_symlink(link, ec);
    return !ec && target.string().rfind("/dev/pts/", 0) == 0 && !fs::exists(target, ec);
}

// The programs that have the device open, "name (pid N)", as far as /proc shows them: a
// pseudo-terminal number is given out again once its simulator is gone, and the operator must
// know whose line an old link now leads to.
std::string usersOf(const fs::path& device) {
    std::string users;
#ifdef __linux__
    std::error_code ec;
    for (const auto& process : fs::directory_iterator("/proc", ec)) {
        const std::string pid = process.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        bool uses = false;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", ec)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == device && !linkError) {
                uses = true;
                break;
            }
        }
        if (!uses) continue;
        std::string name;
        std::ifstream comm(process.path() / "comm");
        std::getline(comm, name);
        users += (users.empty() ? "" : ", ") + name + " (pid " + pid + ")";
    }
#else
    (void)device;
#endif
    return users;
}

// Links COM<n> to the line; nullopt, after saying what is in the way, when the name is taken.
std::optional<fs::path> linkPort(int port, const std::string& target) {
    const fs::path directory = serial::portDirectory();
    fs::create_directories(directory);
    const fs::path link = directory / ("COM" + std::to_string(port));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(link, ec))) {
        if (!staleLink(link)) {
            const fs::path held = fs::read_symlink(link, ec);
            const std::string users = ec ? std::string() : usersOf(held);
            std::cerr << "tkv9d-sim: " << link.string() << " is in the way"
                      << (ec ? std::string(" (not a link)") : " (a link to " + held.string() + ")")
                      << (users.empty() ? "" : "; " + held.string() + " is in use by " + users)
                      << "; choose another --com or remove it";
            // A pseudo-terminal's link is no adapter's: removing it costs nothing but the name,
            // unless a running simulator serves it.
            if (!ec && held.string().rfind("/dev/pts/", 0) == 0 &&
                users.find("tkv9d-sim") == std::string::npos)
                std::cerr << " (rm " << link.string() << ")";
            std::cerr << '\n';
            return std::nullopt;
        }
        fs::remove(link, ec);
    }
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
    platform::ProgramText text(argc, argv);
    if (!text.valid()) {
        std::cerr << "tkv9d-sim: an argument is no valid text\n";
        return 2;
    }
    const auto options = parse(text.argc(), text.argv());
    if (!options) return 2;
    if (options->help) {
        printUsage(std::cout);
        return 0;
    }
    if (options->version) {
        std::cout << "tkv9d-sim " << kProjectVersion << '\n' << kVersionNotice;
        return 0;
    }

    // Before any thread starts: the line's threads then never see a signal, and the simulator
    // ends in order from the wait below (SIGINT, SIGTERM; Ctrl+C or closing the console).
    console::StopSignals stop(nullptr, nullptr, console::StopSignals::Delivery::InWait);
    if (!stop.ready()) {
        std::cerr << "tkv9d-sim: cannot take SIGINT and SIGTERM (Ctrl+C)\n";
        return 1;
    }

    try {
        sim::Line line({options->pace, options->logPath, kKeptFrames, options->portName,
                        console::StopSignals::request});
        for (char a : options->addresses) line.addTkv(a);
        if (options->dlq3) line.addDlq3(*options->dlq3);
        const std::uint64_t seed = injectFaults(line, *options);
        // A served port has its own name; only the pseudo-terminal needs the link.
        const bool linked = options->portName.empty();
        fs::path link;
        if (linked) {
            const auto made = linkPort(options->port, line.devicePath());
            if (!made) return 1;
            link = *made;
        }
        std::cout << "device " << line.devicePath() << '\n';
        if (linked) std::cout << "port COM" << options->port << '\n';
        if (!options->faults.empty()) std::cout << "seed " << seed << '\n';
        std::cout << std::flush;

        stop.wait();
        if (linked) unlinkPort(link, line.devicePath());
        if (line.logFailed()) {
            std::cerr << "tkv9d-sim: cannot write the log " << options->logPath << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "tkv9d-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
