#include "params/transfer_check.h"

#include "driver/parameter_catalogue.h"
#include "params/program_name.h"
#include "platform/text/translate.h"

namespace vrl::params {

WriteArguments writeArguments(const Parametersatz& record, const Field& field) {
    switch (field.type) {
        case FieldType::Text:
            return {0.0, 0, nameOf(record)};
        case FieldType::Integer:
            return {0.0, integerOf(record, field), {}};
        case FieldType::Real:
            return {realOf(record, field), 0, {}};
    }
    return {};
}

namespace {

// The device answers "err" where it refuses a read; a name of that text could never be read back.
constexpr std::string_view kErrorAnswer = "err";
constexpr int kNameIsErrorAnswer = -510353;

}  // namespace

Refusal checkRecord(const Parametersatz& record) {
    for (const Field& field : kFields) {
        if (!field.transferred) continue;
        // Every transferred field is a writable parameter of the same name.
        const vrl::driver::Parameter* row = vrl::driver::findParameter(field.name);
        const WriteArguments value = writeArguments(record, field);
        if (int code = vrl::driver::checkWrite(*row, value.real, value.integer, value.text);
            code != 0)
            return {code, 0, field.name};
        if (field.type == FieldType::Text && value.text == kErrorAnswer)
            return {kNameIsErrorAnswer, 0, field.name};
    }
    return {};
}

int checkRead(const vrl::driver::Parameter& row, double real, int integer, std::string_view text) {
    if (row.kind == vrl::driver::ValueKind::Text && text == kErrorAnswer) return kReadErrorAnswer;
    if (row.readOnly) return 0;
    return vrl::driver::checkWrite(row, real, integer, text) == 0 ? 0 : kReadNoValue;
}

bool nameReadsBackCut(const Parametersatz& record) {
    return nameOf(record).size() > kReadableNameLength;
}

TransferCheck checkEntries(std::span<const Parametersatz> table, int first, int last) {
    TransferCheck check;
    for (int i = first; i <= last; ++i) {
        const Parametersatz& entry = table[static_cast<std::size_t>(i)];
        if (check.refusal.code == 0) {
            if (Refusal refusal = checkRecord(entry); refusal.code != 0) {
                refusal.entry = i;
                check.refusal = refusal;
            }
        }
        if (nameReadsBackCut(entry)) check.cutNames.push_back(i);
    }
    return check;
}

std::string entryLabel(int index) {
    return index == 0 ? std::string("A") : std::to_string(index);
}

std::string refusalText(const Refusal& refusal) {
    return vrl::text::fill(VRL_TR("Programme", "Eintrag %1, Feld %2"),
                           {entryLabel(refusal.entry), refusal.field});
}

std::string cutNameText(std::span<const Parametersatz> table, int index) {
    const std::string name = nameOf(table[static_cast<std::size_t>(index)]);
    return vrl::text::fill(
        VRL_TR("Programme",
               "Eintrag %1: der Name \"%2\" hat %3 Zeichen, das TKV-9D meldet nur die ersten %4 "
               "zurück"),
        {entryLabel(index), visibleName(name), std::to_string(name.size()),
         std::to_string(kReadableNameLength)});
}

}  // namespace vrl::params
