#pragma once

// What a record write will hand the driver, checked before the first frame: a transfer that the
// driver would refuse part-way must not start, or the device is left with half a record or
// half a table. The check asks the driver's own write check, so the ranges and codes are the
// ones the write itself would give.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/parameter_catalogue.h"
#include "driver/transaction.h"
#include "params/parametersatz.h"

namespace vrl::params {

// The arguments of the driver's write for one field: the one of the field's kind, the others
// 0 and empty.
struct WriteArguments {
    double real = 0.0;
    int integer = 0;
    std::string text;
};
WriteArguments writeArguments(const Parametersatz& record, const Field& field);

// A value the driver would refuse.
struct Refusal {
    int code = 0;   // the write's code for it; 0 when the whole record may be sent
    int entry = 0;  // table index of the record, where a table was checked
    std::string_view field;
};

// The first transferred field of the record, in transfer order, that the driver would refuse
// (or that would not read back: a name "err" is the device's error answer).
Refusal checkRecord(const Parametersatz& record);

// A value read from the device. The answer scanned as the field's kind, yet it may still be no
// value the device can hold: the device's error answer "err" where a name was due, or a value a
// write of the same parameter would refuse (an answer damaged or run on past its end). 0 when the
// value may be taken; measured values are taken as they come.
inline constexpr int kReadErrorAnswer = -409351;  // "err" in place of a name
inline constexpr int kReadNoValue = -404352;      // outside the range or form of a write
int checkRead(const vrl::driver::Parameter& row, double real, int integer, std::string_view text);

// A read brings back at most this much of a name: the answer line less '#', address, the three
// command letters and CR [characters].
inline constexpr std::size_t kReadableNameLength = vrl::driver::kReadableValueLength;
// The device takes the name whole but reports only its beginning back.
bool nameReadsBackCut(const Parametersatz& record);

struct TransferCheck {
    Refusal refusal;            // the first refused entry in table order
    std::vector<int> cutNames;  // entries whose names come back cut from a read
};
// Every entry first..last (table indices) that a write of that range sends.
TransferCheck checkEntries(std::span<const Parametersatz> table, int first, int last);

// "A" for the working parameters, "1".."16" for the programs, as the program list shows them.
std::string entryLabel(int index);
// "Eintrag 9, Feld strom1"
std::string refusalText(const Refusal& refusal);
// One line about an entry whose name the device reports back cut.
std::string cutNameText(std::span<const Parametersatz> table, int index);

}  // namespace vrl::params
