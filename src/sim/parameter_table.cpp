#include "sim/parameter_table.h"

namespace sim {

namespace {

using K = ValueKind;
using S = Source;
constexpr double kFree = kNoLimit;

constexpr ParameterInfo real(std::string_view letters, double low, double high, int decimals,
                             double initial, bool inProgram = true) {
    return {letters, K::Real, true, low, high, decimals, inProgram, initial};
}
constexpr ParameterInfo integer(std::string_view letters, double low, double high, double initial,
                                bool inProgram = true) {
    return {letters, K::Integer, true, low, high, 0, inProgram, initial};
}
constexpr ParameterInfo measured(std::string_view letters, ValueKind kind, int decimals,
                                 Source source, double initial = 0) {
    return {letters, kind, false, 0, 0, decimals, false, initial, source};
}
constexpr ParameterInfo outputBit(std::string_view letters, int bit) {
    return {letters, K::Integer, true, 0, 1, 0, false, 0, S::OutputBit, bit};
}
// Module status words: every module answers "found" after power-on.
constexpr ParameterInfo module(std::string_view letters) {
    return {letters, K::HexWord, false, 0, 0xFFFF, 0, false, 0x0001};
}

constexpr std::array<ParameterInfo, kParameterCount> kTable = {{
    integer("WF", 1, 2, 1),           // curve: 1 four steps, 2 triangle
    integer("M1", 1, 2, 2),           // measuring range: 1 up to 0.4 A, 2 up to 4 A
    real("P6", 5, 1250, 0, 1000),     // output filter [Hz]
    real("P2", 0.1, 6553.5, 1, 1.0),  // minimum duration of the raised turn-off voltage [ms]
    real("P3", 1, 100, 0, 25),        // hysteresis [%]
    real("P4", 1, 100, 0, 25),        // PWM filter [%]
    real("P5", 1, 100, 0, 25),        // control speed [%]
    real("C1", 0, 4.095, 3, 0),       // step currents [A]
    real("C2", 0, 4.095, 3, 0),
    real("C3", 0, 4.095, 3, 0),
    real("C4", 0, 4.095, 3, 0),
    measured("C0", K::Real, 3, S::ActualCurrent),  // [A]
    real("T1", 0, 65535, 1, 1000),                 // step times [ms]
    real("T2", 0, 65535, 1, 0),
    real("T3", 0, 65535, 1, 0),
    real("T4", 0, 65535, 1, 0),
    real("V1", 2, 150, 1, 2.0, false),             // test voltage [V]; not part of a program
    measured("V0", K::Real, 1, S::ActualVoltage),  // [V]
    integer("D1", 0, 1, 0),
    integer("D2", 0, 1, 0),
    real("P1", 0.01, 4.095, 3, 1.0),  // minimum current drop [A]
    integer("L1", 0, 65535, 0),       // cycles, 0 = unlimited
    measured("S1", K::HexWord, 0, S::StatusWord),
    {"O0", K::HexWord, true, 0, 0xFFFF, 0, false, 0, S::OutputMask},
    outputBit("O1", 0),
    outputBit("O2", 1),
    outputBit("O3", 2),
    outputBit("O4", 3),
    outputBit("O5", 4),
    outputBit("O6", 5),
    outputBit("O7", 6),
    outputBit("O8", 7),
    outputBit("O9", 8),
    outputBit("Oa", 9),
    outputBit("Ob", 10),
    outputBit("Oc", 11),
    outputBit("Od", 12),
    outputBit("Oe", 13),
    outputBit("Of", 14),
    module("K1"),
    module("K2"),
    module("K3"),
    module("K4"),
    module("K5"),
    module("K6"),
    module("K7"),
    module("K8"),
    module("K9"),
    module("Ka"),
    module("Kb"),
    module("Kc"),
    module("Kd"),
    module("Ke"),
    module("Kf"),
    integer("B1", 0, 1, 0),       // customer calibration in use
    real("B2", 0, 4.09, 3, 0.1),  // calibration set points [A]
    real("B3", 0, 4.09, 3, 4.0),
    real("B4", -kFree, kFree, 6, 0.0),        // calibration offset [A]
    real("B5", -kFree, kFree, 6, 1.0),        // calibration gain
    {"N1", K::Text, true, 0, 0, 0, true, 0},  // program name
}};

}  // namespace

const std::array<ParameterInfo, kParameterCount>& parameterTable() {
    return kTable;
}

std::optional<std::size_t> findParameter(std::string_view letters) {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].letters == letters) return i;
    }
    return std::nullopt;
}

}  // namespace sim
