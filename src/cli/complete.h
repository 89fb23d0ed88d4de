#pragma once

// The words the shell's completion offers, taken from the tool itself so that they never go
// stale: `tkv9d complete WHAT`, a command the usage text does not list.

#include <iosfwd>
#include <string_view>

namespace cli {

// Prints the words of one kind, one a line: commands, options, parameters (every name get and
// watch read), settable (the names set writes) or ports (the COM numbers that exist). Returns
// the exit status: 0, or 2 for a kind it does not know.
int complete(std::string_view what, std::ostream& out);

}  // namespace cli
