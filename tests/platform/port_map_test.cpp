#include <gtest/gtest.h>

#include <filesystem>

#include "platform/serial/port_map.h"
#include "temp_config.h"

namespace {

namespace fs = std::filesystem;

TEST(PortMap, DefaultPathsByNumber) {
    TempConfigHome home;
    const std::pair<int, const char*> rows[] = {
        {1, "/dev/ttyS0"},
        {32, "/dev/ttyS31"},
        {33, "/dev/ttyUSB0"},
        {64, "/dev/ttyUSB31"},
        {65, "/dev/ttyACM0"},
        {96, "/dev/ttyACM31"},
        {97, ""},
        {256, ""},
        {0, ""},
        {257, ""},
    };
    for (const auto& [port, path] : rows) EXPECT_EQ(serial::devicePath(port), path) << port;
}

TEST(PortMap, LinkInPortDirectoryOverridesDefault) {
    TempConfigHome home;
    EXPECT_EQ(serial::portDirectory(), home.path() + "/tkv9d/ports");
    fs::create_directories(serial::portDirectory());
    fs::create_symlink("/dev/null", serial::portDirectory() + "/COM3");
    fs::create_symlink("/dev/null", serial::portDirectory() + "/COM200");
    fs::create_symlink("/dev/null", serial::portDirectory() + "/COMX");
    fs::create_symlink("/dev/null", serial::portDirectory() + "/COM0");
    fs::create_symlink("/dev/null", serial::portDirectory() + "/COM257");
    EXPECT_EQ(serial::devicePath(3), serial::portDirectory() + "/COM3");
    EXPECT_EQ(serial::devicePath(200), serial::portDirectory() + "/COM200");
    const auto ports = serial::listPorts();
    EXPECT_NE(std::find(ports.begin(), ports.end(), 3), ports.end());
    EXPECT_NE(std::find(ports.begin(), ports.end(), 200), ports.end());
    EXPECT_EQ(std::find(ports.begin(), ports.end(), 0), ports.end());
    EXPECT_EQ(std::find(ports.begin(), ports.end(), 257), ports.end());
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end()));
}

TEST(PortMap, HomeConfigWhenNoXdgDirectory) {
    TempConfigHome home;
    ::unsetenv("XDG_CONFIG_HOME");
    const std::string old = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/operator", 1);
    EXPECT_EQ(serial::portDirectory(), "/home/operator/.config/tkv9d/ports");
    ::setenv("HOME", old.c_str(), 1);
}

TEST(PortMap, ProcessPathIsListedAndRemovable) {
    TempConfigHome home;
    serial::setPortPath(150, "/dev/pts/99");
    EXPECT_EQ(serial::devicePath(150), "/dev/pts/99");
    auto ports = serial::listPorts();
    EXPECT_NE(std::find(ports.begin(), ports.end(), 150), ports.end());
    serial::setPortPath(150, "");
    EXPECT_EQ(serial::devicePath(150), "");
    ports = serial::listPorts();
    EXPECT_EQ(std::find(ports.begin(), ports.end(), 150), ports.end());
}

}  // namespace
