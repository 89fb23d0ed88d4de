#pragma once

// Two program tables field by field, as the device sees them: what a write of the one would
// change on a device that holds the other. The command line's verify and diff and the main
// window's comparison list the result.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "params/parametersatz.h"

namespace vrl::params {

struct Difference {
    int entry;               // table index: 0 working parameters, 1..16 programs
    std::string_view field;  // the record field ("strom1")
    std::string program;     // the value in the program table, as a number reads in a file
    std::string device;      // the value on the device
};

// Every transferred field of every entry that differs, in table and transfer order. Reals are
// equal when the device is sent the same text for them (the write's decimals); a name is compared
// as far as the device reports it back. Fields the device transfer leaves alone (the test
// voltage) are not compared. Both tables must have the same size.
std::vector<Difference> compareTables(std::span<const Parametersatz> program,
                                      std::span<const Parametersatz> device);

// "Eintrag 7, Feld strom1: Datei 0.5, TKV-9D 0.502", with the program's side named by `side`.
std::string differenceText(const Difference& difference, std::string_view side);

}  // namespace vrl::params
