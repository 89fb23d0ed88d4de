#pragma once

// Just enough JSON for the tool's --json output: one object per line, strings escaped, numbers
// in the shortest form that reads back the same, whatever the locale.

#include <string>
#include <string_view>

namespace cli::json {

// The text as a JSON string, quotes included: quote, backslash and control characters escaped,
// everything else (UTF-8 included) as it is.
std::string quoted(std::string_view text);

// A finite number in its shortest round-trip form; null for NaN and infinities, which JSON
// cannot carry.
std::string number(double value);

// {"key": value, ...} in the order the fields are added.
class Object {
  public:
    // value is JSON already.
    Object& raw(std::string_view key, std::string_view value);
    Object& text(std::string_view key, std::string_view value) { return raw(key, quoted(value)); }
    Object& integer(std::string_view key, long long value);
    Object& real(std::string_view key, double value) { return raw(key, number(value)); }
    std::string str() const { return body_ + '}'; }

  private:
    std::string body_ = "{";
};

}  // namespace cli::json
