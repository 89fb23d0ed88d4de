#pragma once

// The ports this process points at a path of its own (setPortPath): ahead of every mapping the
// system has, on Linux and on Windows alike.

#include <optional>
#include <string>
#include <vector>

namespace serial {

std::optional<std::string> processPortPath(int port);

// The port list's end: the process's own ports added, sorted, each once.
void finishPortList(std::vector<int>& ports);

}  // namespace serial
