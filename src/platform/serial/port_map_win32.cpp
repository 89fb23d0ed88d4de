// COM port numbers on Windows: port n is \\.\COMn, and the system's port list is the registry's
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, where every serial driver enters the ports it serves.

#include <algorithm>
#include <map>
#include <string>

#include <windows.h>

#include "platform/serial/port_map.h"
#include "platform/serial/port_name.h"
#include "platform/serial/serial.h"

namespace serial {

namespace {

std::map<int, std::string> gProcessPaths;

// The registry's entries are short ASCII names; anything else is no port of ours.
std::string narrow(const wchar_t* text, std::size_t length) {
    std::string result;
    for (std::size_t i = 0; i < length && text[i] != L'\0'; ++i) {
        if (text[i] > 0x7F) return {};
        result += static_cast<char>(text[i]);
    }
    return result;
}

void addRegistryPorts(std::vector<int>& ports) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return;  // no serial driver has entered a port
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        for (DWORD i = 0; i < values; ++i) {
            wchar_t name[1024];
            DWORD nameLength = 1024;
            wchar_t data[256];  // 512 bytes
            DWORD dataSize = sizeof data;
            DWORD type = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS ||
                type != REG_SZ)
                continue;  // unreadable, or not a text
            const std::string entry = narrow(data, dataSize / sizeof(wchar_t));
            // COM0 reads as a number but is no port: 0 stands for "none" in the program.
            const auto port = portFromListEntry(entry);
            if (port && *port >= kFirstPort) ports.push_back(*port);
        }
    }
    RegCloseKey(key);
}

}  // namespace

// Ports are not links on Windows: there is no port directory.
std::string portDirectory() {
    return {};
}

std::string devicePath(int port) {
    if (port < kFirstPort || port > kLastPort) return {};
    if (auto it = gProcessPaths.find(port); it != gProcessPaths.end()) return it->second;
    return windowsDevicePath(port);
}

std::vector<int> listPorts() {
    std::vector<int> ports;
    for (const auto& [port, path] : gProcessPaths) ports.push_back(port);
    addRegistryPorts(ports);
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

void setPortPath(int port, const std::string& path) {
    if (path.empty())
        gProcessPaths.erase(port);
    else
        gProcessPaths[port] = path;
}

}  // namespace serial
