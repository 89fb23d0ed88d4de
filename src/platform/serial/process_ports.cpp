#include "platform/serial/process_ports.h"

#include <algorithm>
#include <map>

#include "platform/serial/port_map.h"

namespace serial {

namespace {

std::map<int, std::string> gProcessPaths;

}  // namespace

void setPortPath(int port, const std::string& path) {
    if (path.empty())
        gProcessPaths.erase(port);
    else
        gProcessPaths[port] = path;
}

std::optional<std::string> processPortPath(int port) {
    auto it = gProcessPaths.find(port);
    if (it == gProcessPaths.end()) return std::nullopt;
    return it->second;
}

void finishPortList(std::vector<int>& ports) {
    for (const auto& entry : gProcessPaths) ports.push_back(entry.first);
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
}

}  // namespace serial
