#pragma once

// What a device on the simulated line does with one command, before the line turns it into
// bytes (and before any injected fault changes them).

#include <string>
#include <string_view>
#include <utility>

namespace sim {

inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCan = 0x18;
inline constexpr char kCr = 0x0D;
inline constexpr char kCommonAddress = '&';

// What follows the acknowledgement.
enum class LineKind {
    None,            // acknowledgement only
    Identification,  // '#', address, text, CR
    Parameter,       // '#', address, the three command letters, value text, CR
    Memory,          // '#', address, the request's header, data digits, checksum digits, CR
};

struct Answer {
    char ack = kNak;
    LineKind kind = LineKind::None;
    std::string echo;       // between the address and the value: command letters or memory header
    std::string value;      // value text; for memory the data digits followed by the checksum
    bool hexValue = false;  // the value is a hex word

    static Answer refused() { return only(kNak); }
    static Answer busy() { return only(kCan); }
    static Answer accepted() { return only(kAck); }
    static Answer line(LineKind kind, std::string echo, std::string value, bool hex = false) {
        return {kAck, kind, std::move(echo), std::move(value), hex};
    }

  private:
    static Answer only(char ack) {
        Answer answer;
        answer.ack = ack;
        return answer;
    }
};

// Addresses a single device can have; '&' is the common address, never a device's own.
inline bool isDeviceAddress(char c) {
    return (c >= '1' && c <= '9') || (c >= 'a' && c <= 'f');
}

class Device {
  public:
    virtual ~Device() = default;
    virtual char address() const = 0;
    // command: the bytes between the address and CR. common: sent to '&'; the answer is then
    // dropped, but the command is carried out all the same.
    virtual Answer execute(std::string_view command, bool common) = 0;
};

}  // namespace sim
