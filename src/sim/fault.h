#pragma once

// Faults that a simulated device can be told to show, for the next matching frames.

#include <cstdint>
#include <optional>
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
    // The command is carried out differently:
    StoreDifferent,  // a parameter write is acknowledged, but another value is stored
    // The answer is sent as it is, only late:
    Slow,  // Fault::byteMs between the answer's bytes
};

struct Fault {
    FaultKind kind;
    // The beginning of the frame's command letters: "C1R" only reads of C1, "C" every command of
    // the C group, "IDR", "PNP", "BDR"; empty matches any frame.
    std::string command;
    // How many matching frames get the fault; below zero, every one until cleared.
    int count = 1;
    char byte = '#';          // OtherByte
    bool randomByte = false;  // OtherByte: a new byte each time, not ACK, NAK or CAN

    // Which of the frames the fault could act on get it, counted from 1 by the fault itself:
    int every = 1;             // only every N-th
    int after = 1;             // only from the N-th on
    double probability = 1.0;  // each with this probability
    // Generator state for probability and random bytes: the same seed, the same faults.
    std::uint64_t random = 0;
    int seen = 0;  // frames counted so far

    // StoreDifferent: how far the stored value is off [the parameter's unit]; 0 is one step of
    // what the device keeps (0.001 A for a current, 1 for an integer).
    double delta = 0;
    int byteMs = 5;  // Slow [ms]
};

// The three command letters of a frame's command, or what there is of them.
inline std::string_view commandLetters(std::string_view command) {
    return command.substr(0, 3);
}

bool matches(const Fault& fault, std::string_view command);
// Counts a frame the fault could act on and tells whether it gets the fault (count aside).
bool triggers(Fault& fault);
// A byte from the fault's generator that is none of ACK, NAK and CAN, with 7 data bits.
char randomOtherByte(Fault& fault);
// Faults that stop the command before the device carries it out.
bool preventsCommand(FaultKind kind);
// Whether a fault that changes the answer has anything to change in this one.
bool changes(FaultKind kind, const Answer& answer);

// StoreDifferent: the value text stored in place of the one written by this parameter write
// command ("C1W1.000"); nullopt for any other command, or where nothing else fits the limits.
std::optional<std::string> differentValue(const Fault& fault, std::string_view command);

// The bytes a device at this address sends for the answer, without fault.
std::string answerBytes(char address, const Answer& answer);
// The same, with the fault (which must match: preventsCommand or changes).
std::string faultyBytes(char address, const Answer& answer, const Fault& fault);

}  // namespace sim
