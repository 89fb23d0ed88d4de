#pragma once

// What a rename stores of the text the operator typed.

#include <cstddef>
#include <string>
#include <string_view>

namespace vrl::params {

inline constexpr std::size_t kRenameLimit = 25;  // [characters] a rename stores

// The name travels over a 7-bit line and into a 28-byte field: printable ASCII stays, the German
// letters ä ö ü Ä Ö Ü ß are spelled ae oe ue Ae Oe Ue ss, every other character of the UTF-8 text
// (control characters, other letters, a broken sequence) becomes one blank. The name ends before
// the first character that no longer fits whole into kRenameLimit.
std::string storableName(std::string_view typed);

// A name from a file or the device as it may be shown: printable ASCII as it is, every other byte
// as the trace writes it ("<0x1B>"), so that no escape sequence reaches a terminal.
std::string visibleName(std::string_view name);

}  // namespace vrl::params
