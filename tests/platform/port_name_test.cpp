#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "platform/serial/port_name.h"

namespace {

TEST(PortName, ListEntryGivesPortNumber) {
    const std::pair<std::string_view, std::optional<int>> rows[] = {
        {"COM1", 1},    {"COM3", 3},    {"COM10", 10},  {"COM256", 256}, {"COM0", 0},
        {"COM 3 ", 3},  {"COM\t7", 7},  {"COM+4", 4},   {"COM257", {}},  {"COM-1", {}},
        {"COMX", {}},   {"COM", {}},    {"COM 3x", {}}, {"LPT1", {}},    {"com3", {}},
        {"COM++4", {}}, {"COM1 2", {}}, {"", {}},
    };
    for (const auto& [entry, port] : rows)
        EXPECT_EQ(serial::portFromListEntry(entry), port) << "'" << entry << "'";
}

// Faults caught: "COM5" or "com5" refused where 5 is taken, a path or a hex number read as a
// port, the device form taken on Linux, where it is a file name.
TEST(PortName, ArgumentGivesPortByNumberOrName) {
    struct Row {
        std::string_view text;
        std::optional<int> port;       // where the device form names a port (Windows)
        std::optional<int> linuxPort;  // where it does not
    };
    // clang-format off
    const Row rows[] = {
        {"5", 5, 5}, {"COM5", 5, 5}, {"com256", 256, 256}, {"\\\\.\\COM10", 10, {}},
        {"\\\\.\\10", {}, {}}, {"COMCOM1", {}, {}}, {"COM257", {}, {}}, {"0x5", {}, {}},
        {"+5", {}, {}}, {"/dev/ttyS0", {}, {}},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(serial::portFromArgument(row.text, true), row.port) << "'" << row.text << "'";
        EXPECT_EQ(serial::portFromArgument(row.text, false), row.linuxPort)
            << "'" << row.text << "'";
    }
}

TEST(PortName, WindowsDevicePathReachesEveryNumber) {
    EXPECT_EQ(serial::windowsDevicePath(3), "\\\\.\\COM3");
    EXPECT_EQ(serial::windowsDevicePath(10), "\\\\.\\COM10");
}

}  // namespace
