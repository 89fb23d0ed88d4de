#include "params/parametersatz.h"

#include <algorithm>
#include <cstring>

#include "errors/popups.h"
#include "platform/text/translate.h"

namespace vrl::params {

namespace {

template <typename T>
T valueAt(const Parametersatz& record, std::size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&record) + offset, sizeof value);
    return value;
}

template <typename T>
void storeAt(Parametersatz& record, std::size_t offset, T value) {
    std::memcpy(reinterpret_cast<std::uint8_t*>(&record) + offset, &value, sizeof value);
}

}  // namespace

const Field* findField(std::string_view name) {
    auto it = std::find_if(kFields.begin(), kFields.end(),
                           [&](const Field& field) { return field.name == name; });
    return it == kFields.end() ? nullptr : &*it;
}

double realOf(const Parametersatz& record, const Field& field) {
    return valueAt<double>(record, field.offset);
}

std::int32_t integerOf(const Parametersatz& record, const Field& field) {
    return valueAt<std::int32_t>(record, field.offset);
}

void setReal(Parametersatz& record, const Field& field, double value) {
    storeAt(record, field.offset, value);
}

void setInteger(Parametersatz& record, const Field& field, std::int32_t value) {
    storeAt(record, field.offset, value);
}

std::string nameOf(const Parametersatz& record) {
    const char* begin = record.programmname;
    const char* end = std::find(begin, begin + kNameSize - 1, '\0');
    return std::string(begin, end);
}

void setName(Parametersatz& record, std::string_view name) {
    std::memset(record.programmname, 0, kNameSize);
    std::memcpy(record.programmname, name.data(), std::min(name.size(), kNameSize - 1));
}

RecordImage imageOf(const Parametersatz& record) {
    RecordImage image;
    std::memcpy(image.data(), &record, kRecordSize);
    return image;
}

Parametersatz recordFrom(std::span<const std::uint8_t, kRecordSize> image) {
    Parametersatz record;
    std::memcpy(&record, image.data(), kRecordSize);
    return record;
}

}  // namespace vrl::params

void ParameterVorbelegen(Parametersatz* record) {
    using namespace vrl::params;
    for (const Field& field : kFields) {
        switch (field.type) {
            case FieldType::Text:
                setName(*record, "");
                break;
            case FieldType::Integer:
                setInteger(*record, field, static_cast<std::int32_t>(field.defaultValue));
                break;
            case FieldType::Real:
                setReal(*record, field, field.defaultValue);
                break;
        }
    }
}

namespace {

// The currents that measuring range 1 limits, with the field's name and the operator's line.
struct PlausibilityCheck {
    double Parametersatz::*field;
    const char* name;
    const char* line;
};
constexpr PlausibilityCheck kPlausibilityChecks[] = {
    {&Parametersatz::strom1, "strom1",
     VRL_TR_NOOP("Parameter", "Strom 1 ist zu groß für Messbereich 1\n")},
    {&Parametersatz::strom2, "strom2",
     VRL_TR_NOOP("Parameter", "Strom 2 ist zu groß für Messbereich 1\n")},
    {&Parametersatz::strom3, "strom3",
     VRL_TR_NOOP("Parameter", "Strom 3 ist zu groß für Messbereich 1\n")},
    {&Parametersatz::strom4, "strom4",
     VRL_TR_NOOP("Parameter", "Strom 4 ist zu groß für Messbereich 1\n")},
    {&Parametersatz::freilaufdiodeMindestDeltaIIst, "freilaufdiodeMindestDeltaIIst",
     VRL_TR_NOOP("Parameter", "Mindeststrom für Abschaltübersp. ist zu groß für Messbereich 1\n")},
    {&Parametersatz::kalibriersollstrom1, "kalibriersollstrom1",
     VRL_TR_NOOP("Parameter", "Kalibrierstrom 1 ist zu groß für Messbereich 1\n")},
    {&Parametersatz::kalibriersollstrom2, "kalibriersollstrom2",
     VRL_TR_NOOP("Parameter", "Kalibrierstrom 2 ist zu groß für Messbereich 1\n")},
};

bool plausible(const Parametersatz& record, const PlausibilityCheck& check) {
    // Written so that a value that is not a number fails too.
    return record.messbereich != 1 || record.*check.field <= vrl::params::kRange1Limit;
}

}  // namespace

std::string_view vrl::params::firstImplausibleField(const Parametersatz& record) {
    for (const PlausibilityCheck& check : kPlausibilityChecks)
        if (!plausible(record, check)) return check.name;
    return {};
}

int Prog_Plausibilitaetspruefung(const Parametersatz* record) {
    std::string message;
    for (const PlausibilityCheck& check : kPlausibilityChecks) {
        if (!plausible(*record, check)) message += VRL_TR("Parameter", check.line);
    }
    if (message.empty()) return 0;
    vrl::popups().message(VRL_TR("Parameter", "Fehler in den Parametern"), message);
    return -510451;
}
