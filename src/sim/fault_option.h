#pragma once

// Faults as a service technician writes them on the simulator's command line:
// KIND[:KEY=VALUE,...], for example "nak:every=5" or "store-different:command=C1,delta=0.002".

#include <optional>
#include <string>
#include <string_view>

#include "sim/fault.h"

namespace sim {

struct FaultOption {
    Fault fault;
    std::optional<char> address;  // every device on the line when empty
};

// nullopt with the reason in error when the text is not a fault.
std::optional<FaultOption> parseFaultOption(std::string_view text, std::string& error);

// The kind's name as written in a fault ("nak", "wrong-echo").
std::string_view faultName(FaultKind kind);

// The kinds and keys, for the program's usage text.
std::string faultSyntax();

}  // namespace sim
