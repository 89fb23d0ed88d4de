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

TEST(PortName, WindowsDevicePathReachesEveryNumber) {
    EXPECT_EQ(serial::windowsDevicePath(3), "\\\\.\\COM3");
    EXPECT_EQ(serial::windowsDevicePath(10), "\\\\.\\COM10");
}

}  // namespace
