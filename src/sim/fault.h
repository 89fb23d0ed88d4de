#pragma once

// Faults that a simulated device can be told to show, for the next matching frames.

#include <string>
#include <string_view>

#include "sim/device.h"

namespace sim {

enum class FaultKind {
    // The command is not carried out; the device sends ...
    Nak,        // NAK
    Can,        // CAN
    Silence,    // nothing
    OtherByte,  // Fault::byte in place of the acknowledgement
    // The command is carried out; the answer is changed:
    BrokenOff,      // ACK and only the first half of the answer line (ACK alone: nothing)
    OtherAddress,   // the answer line carries another device's address
    WrongEcho,      // the echoed command letters or memory header differ from the request
    Err,            // parameter read: "err" as the value text
    OverlongLine,   // 29 bytes without CR (memory: two digits too many)
    LowerCaseHex,   // hex words and memory digits in lower case
    WrongChecksum,  // memory read: checksum one off
};

struct Fault {
    FaultKind kind;
    // The frame's three command letters ("C1R", "IDR", "PNP", "BDR"); empty matches any frame.
    std::string command;
    // How many matching frames get the fault; below zero, every one until cleared.
    int count = 1;
    char byte = '#';  // OtherByte
};

// The three command letters of a frame's command, or what there is of them.
inline std::string_view commandLetters(std::string_view command) {
    return command.substr(0, 3);
}

bool matches(const Fault& fault, std::string_view command);
// Faults that stop the command before the device carries it out.
bool preventsCommand(FaultKind kind);
// Whether a fault that changes the answer has anything to change in this one.
bool changes(FaultKind kind, const Answer& answer);

// The bytes a device at this address sends for the answer, without fault.
std::string answerBytes(char address, const Answer& answer);
// The same, with the fault (which must match: preventsCommand or changes).
std::string faultyBytes(char address, const Answer& answer, const Fault& fault);

}  // namespace sim
