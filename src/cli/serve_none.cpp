// A build without Asio has no server: serve is not offered.

#include "cli/cli.h"

namespace cli {

std::span<const Command> serveCommands() {
    return {};
}

}  // namespace cli
