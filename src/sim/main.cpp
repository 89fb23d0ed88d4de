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
#include "platform/serial/port_name.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"
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
std::string usagePorts() {
#ifdef _WIN32
    return VRL_TR(
        "tkv9d-sim",
        "Aufruf: tkv9d-sim --port PORT [--address C]... [--dlq3 C] [--pace] [--log FILE]\n"
        "                  [--fault KIND[:KEY=VALUE,...]]... [--seed S]\n"
        "        tkv9d-sim --help | --version\n"
        "  --port PORT  die zu bedienende COM-Schnittstelle: 10, COM10 oder \\\\.\\COM10,\n"
        "               oder der Name eines anderen seriellen Geräts; etwa ein Ende eines\n"
        "               Nullmodem-Paars (com0com: COM10 <-> COM11); Windows hat keine\n"
        "               Pseudo-Terminals\n"
        "  --com N      dasselbe wie --port\n");
#else
    return VRL_TR(
        "tkv9d-sim",
        "Aufruf: tkv9d-sim [--com N | --port NAME] [--address C]... [--dlq3 C] [--pace]\n"
        "                  [--log FILE] [--fault KIND[:KEY=VALUE,...]]... [--seed S]\n"
        "        tkv9d-sim --help | --version\n"
        "  --com N      die Leitung als COM<N> verknüpfen (N oder COM<N>, 1..256, Vorgabe 1); ein\n"
        "               vorhandenes COM<N> wird nur ersetzt, wenn es ein verschwundenes\n"
        "               Pseudo-Terminal nennt, sonst Ende mit 1\n"
        "  --port NAME  eine Schnittstelle, wie --com sie nimmt, oder eine vorhandene serielle\n"
        "               Schnittstelle, ein Gerätepfad, die bedient wird; etwa ein Ende eines\n"
        "               Nullmodem-Paars\n");
#endif
}

std::string usageDevices() {
    return VRL_TR(
        "tkv9d-sim",
        "  --address C  ein TKV-9D an Adresse C (1..9, a..f); Vorgabe eines an 1\n"
        "  --dlq3 C     ein DLQ3-Speichergerät an Adresse C\n"
        "  --pace       im Tempo einer 9600-Baud-Leitung antworten\n"
        "  --log FILE   jeden Rahmen und jede Antwort nach FILE schreiben, und jede angewandte\n"
        "               Störung; ein Protokoll, das nicht geschrieben werden kann, beendet den\n"
        "               Simulator mit Status 1\n"
        "  --help, -h   dieser Text\n"
        "  --version    Name, Version und Lizenz des Programms\n");
}

void printUsage(std::ostream& out) {
    out << usagePorts() << usageDevices() << sim::faultSyntax();
}

// A usage error: its reason and where to read more, never the whole usage, which would push
// the reason off a small console window.
std::nullopt_t refuse(std::string_view reason) {
    std::cerr << "tkv9d-sim: " << reason << '\n'
              << VRL_TR("tkv9d-sim", "Mehr mit 'tkv9d-sim --help'.") << '\n';
    return std::nullopt;
}

// A port given by number or name is served the same way with either option: on Linux the
// pseudo-terminal linked as that COM<n>, on Windows the COM port itself. Anything else that
// --port names is a device, taken as it stands.
bool takePort(Options& options, std::string_view option, const std::string& value) {
    const auto port = serial::portFromArgument(value);
#ifdef _WIN32
    if (port) options.portName = serial::windowsDevicePath(*port);
#else
    if (port) {
        options.port = *port;
        options.portName.clear();
    }
#endif
    if (port || option == "--com") return port.has_value();
    options.portName = value;
    return true;
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
                             std::end(kTakingValues))
            return refuse(vrl::text::fill(VRL_TR("tkv9d-sim", "%1 braucht einen Wert"), {arg}));
        if (arg == "--pace") {
            options.pace = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if ((arg == "--com" || arg == "--port") && hasValue) {
            const std::string value = argv[++i];
            // An empty name would serve the default COM 1 instead of the port meant.
            if (arg == "--port" && value.empty())
                return refuse(
                    VRL_TR("tkv9d-sim", "--port braucht einen Namen einer Schnittstelle"));
            if (!takePort(options, arg, value))
                return refuse(vrl::text::fill(
                    VRL_TR("tkv9d-sim",
                           "ungültige Nummer einer Schnittstelle '%1' (1..256, als 5 "
                           "oder COM5)"),
                    {value}));
        } else if ((arg == "--address" || arg == "--dlq3") && hasValue) {
            const auto a = address(argv[++i]);
            if (!a) return refuse(VRL_TR("tkv9d-sim", "ungültige Adresse"));
            if (arg == "--dlq3")
                options.dlq3 = *a;
            else
                options.addresses.push_back(*a);
        } else if (arg == "--log" && hasValue) {
            options.logPath = argv[++i];
            if (options.logPath.empty())
                return refuse(VRL_TR("tkv9d-sim", "--log braucht einen Dateinamen"));
        } else if (arg == "--fault" && hasValue) {
            std::string why;
            auto option = sim::parseFaultOption(argv[++i], why);
            if (!option)
                return refuse(vrl::text::fill(VRL_TR("tkv9d-sim", "ungültiges --fault '%1': %2"),
                                              {argv[i], why}));
            options.faults.push_back(std::move(*option));
        } else if (arg == "--seed" && hasValue) {
            const std::string_view text = argv[++i];
            std::uint64_t seed = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
            if (text.empty() || ec != std::errc() || end != text.data() + text.size())
                return refuse(VRL_TR("tkv9d-sim", "--seed braucht eine ganze Zahl"));
            options.seed = seed;
        } else {
            return refuse(vrl::text::fill(VRL_TR("tkv9d-sim", "unbekannte Option %1"), {arg}));
        }
    }
#ifdef _WIN32
    if (options.portName.empty() && !options.help && !options.version)
        return refuse(VRL_TR("tkv9d-sim",
                             "Windows hat keine Pseudo-Terminals; die zu bedienende "
                             "COM-Schnittstelle mit --port angeben"));
#endif
    if (options.addresses.empty() && !options.dlq3) options.addresses.push_back('1');
    for (const auto& option : options.faults) {
        if (option.address &&
            std::find(options.addresses.begin(), options.addresses.end(), *option.address) ==
                options.addresses.end() &&
            options.dlq3 != option.address) {
            return refuse(
                vrl::text::fill(VRL_TR("tkv9d-sim", "--fault für Adresse %1, wo kein Gerät ist"),
                                {std::string(1, *option.address)}));
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
            std::cerr << "tkv9d-sim: "
                      << vrl::text::fill(
                             ec ? VRL_TR("tkv9d-sim", "%1 ist im Weg (keine Verknüpfung)")
                                : VRL_TR("tkv9d-sim", "%1 ist im Weg (eine Verknüpfung auf %2)"),
                             {link.string(), held.string()})
                      << (users.empty()
                              ? ""
                              : vrl::text::fill(VRL_TR("tkv9d-sim", "; %1 ist belegt von %2"),
                                                {held.string(), users}))
                      << VRL_TR("tkv9d-sim", "; ein anderes --com wählen oder es entfernen");
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
    vrl::text::useLanguage(vrl::text::systemLanguage());
    platform::ProgramText text(argc, argv);
    if (!text.valid()) {
        std::cerr << VRL_TR("tkv9d-sim", "tkv9d-sim: ein Argument ist kein gültiger Text") << '\n';
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
        std::cerr << VRL_TR("tkv9d-sim",
                            "tkv9d-sim: SIGINT und SIGTERM (Strg+C) können nicht "
                            "übernommen werden")
                  << '\n';
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
            std::cerr << vrl::text::fill(
                             VRL_TR("tkv9d-sim",
                                    "tkv9d-sim: das Protokoll %1 kann nicht geschrieben werden"),
                             {options->logPath})
                      << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "tkv9d-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
