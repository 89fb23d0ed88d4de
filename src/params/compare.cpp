#include "params/compare.h"

#include <array>
#include <charconv>

#include "driver/parameter_catalogue.h"
#include "params/program_name.h"
#include "params/transfer_check.h"
#include "platform/text/translate.h"

namespace vrl::params {

namespace {

std::string numberText(double value, std::chars_format format, int decimals) {
    // Room for the largest double in full.
    std::array<char, 400> buffer{};
    auto [end, ec] =
        decimals < 0
            ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value)
            : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, decimals);
    if (ec != std::errc()) return {};
    return std::string(buffer.data(), end);
}

// What the device keeps of a name: the answer line carries only its beginning back.
std::string readableName(const Parametersatz& record) {
    return nameOf(record).substr(0, kReadableNameLength);
}

}  // namespace

std::vector<Difference> compareTables(std::span<const Parametersatz> program,
                                      std::span<const Parametersatz> device) {
    std::vector<Difference> differences;
    for (std::size_t entry = 0; entry < program.size() && entry < device.size(); ++entry) {
        const Parametersatz& mine = program[entry];
        const Parametersatz& theirs = device[entry];
        for (const Field& field : kFields) {
            if (!field.transferred) continue;
            std::string a, b;
            bool differ = false;
            switch (field.type) {
                case FieldType::Text:
                    a = nameOf(mine);
                    b = nameOf(theirs);
                    differ = readableName(mine) != readableName(theirs);
                    break;
                case FieldType::Integer:
                    a = std::to_string(integerOf(mine, field));
                    b = std::to_string(integerOf(theirs, field));
                    differ = a != b;
                    break;
                case FieldType::Real: {
                    const int decimals = driver::findParameter(field.name)->decimals;
                    const double x = realOf(mine, field);
                    const double y = realOf(theirs, field);
                    differ = numberText(x, std::chars_format::fixed, decimals) !=
                             numberText(y, std::chars_format::fixed, decimals);
                    a = numberText(x, std::chars_format::general, -1);
                    b = numberText(y, std::chars_format::general, -1);
                    break;
                }
            }
            if (differ) differences.push_back({static_cast<int>(entry), field.name, a, b});
        }
    }
    return differences;
}

std::string differenceText(const Difference& difference, std::string_view side) {
    const bool text = difference.field == "programmname";
    const auto value = [text](const std::string& v) {
        return text ? "\"" + visibleName(v) + "\"" : v;
    };
    return vrl::text::fill(VRL_TR("Vergleich", "Eintrag %1, Feld %2: %3 %4, TKV-9D %5"),
                           {entryLabel(difference.entry), difference.field, side,
                            value(difference.program), value(difference.device)});
}

}  // namespace vrl::params
