#pragma once

// White space in the program's own ASCII text (wire frames, port names, the settings file, SCPI
// lines): space and the five control characters \t \n \v \f \r, as the "C" locale has them.
// Bytes above 0x7f are letters of some code page, never blanks, whatever the process locale
// says.

namespace platform {

constexpr bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace platform
