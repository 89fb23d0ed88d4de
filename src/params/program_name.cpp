#include "params/program_name.h"

#include <array>

namespace vrl::params {

namespace {

struct Spelling {
    std::string_view letter;  // UTF-8
    std::string_view ascii;
};

// How German is written where its own letters are missing.
constexpr std::array<Spelling, 7> kSpellings{{
    {"ä", "ae"},
    {"ö", "oe"},
    {"ü", "ue"},
    {"Ä", "Ae"},
    {"Ö", "Oe"},
    {"Ü", "Ue"},
    {"ß", "ss"},
}};

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// [bytes] of the character text starts with: its lead byte and the continuation bytes that
// follow it, so that a broken sequence never swallows the character after it.
std::size_t characterLength(std::string_view text) {
    const unsigned char lead = byteAt(text, 0);
    const std::size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < expected && length < text.size() && (byteAt(text, length) & 0xC0) == 0x80)
        ++length;
    return length;
}

bool isPrintableAscii(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

std::string_view spelled(std::string_view character) {
    if (character.size() == 1 && isPrintableAscii(byteAt(character, 0))) return character;
    for (const Spelling& spelling : kSpellings) {
        if (character == spelling.letter) return spelling.ascii;
    }
    return " ";
}

}  // namespace

std::string visibleName(std::string_view name) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string text;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (isPrintableAscii(byte)) {
            text += c;
            continue;
        }
        text += "<0x";
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0xF];
        text += '>';
    }
    return text;
}

std::string storableName(std::string_view typed) {
    std::string name;
    for (std::size_t i = 0; i < typed.size();) {
        const std::size_t length = characterLength(typed.substr(i));
        const std::string_view part = spelled(typed.substr(i, length));
        if (name.size() + part.size() > kRenameLimit) break;
        name += part;
        i += length;
    }
    return name;
}

}  // namespace vrl::params
