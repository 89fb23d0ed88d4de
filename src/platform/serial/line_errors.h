#pragma once

// What a byte that arrived damaged becomes, the same on every system. The termios layer reads
// a byte with a parity or framing error as NUL (input parity checking on, errors neither
// ignored nor marked); the Win32 layer gets the error as flags beside the byte and replaces it
// here. NUL is in no answer, so the answer check refuses the line, with the code it gives any
// other wrong byte.

#include <cstdint>

namespace serial {

struct LineErrors {
    bool parity = false;
    bool framing = false;
    bool breakSeen = false;
    bool overrun = false;  // a byte before this one was lost
};

constexpr int byteAfterLineErrors(int byte, LineErrors errors) {
    const bool damaged = errors.parity || errors.framing || errors.breakSeen || errors.overrun;
    return damaged ? 0 : byte;
}

// How long the bytes still queued take on the line: 10 bits a character (start, 7 data,
// parity, stop) [ms, rounded up].
constexpr std::uint64_t lineTimeMs(std::uint64_t bytes, int baud) {
    return baud > 0 ? (bytes * 10 * 1000 + static_cast<std::uint64_t>(baud) - 1) /
                          static_cast<std::uint64_t>(baud)
                    : 0;
}

}  // namespace serial
