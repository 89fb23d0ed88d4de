#pragma once

// What the current source will do with a record: the corner points of its current curve over
// time, as the main window's preview draws them and `tkv9d curve` prints them, and the values of
// the curve that the device would refuse.
//
// Four-step sequence (form 1): current i is held for time i, i = 1..4; a step whose time is 0
// is left out. Triangle (form 2): from the previous point the current ramps linearly to current
// i over time i; the first ramp starts at current 4, where the cycle before ended. A time of 0
// there is a jump. One cycle is shown, or the first three of a longer or unlimited run.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/parametersatz.h"

namespace vrl::params {

inline constexpr int kMostCyclesShown = 3;

// The highest current each measuring range delivers [A]; the device refuses more.
std::optional<double> rangeLimit(int messbereich);

struct CurvePoint {
    double time;     // [ms] from the start of the first cycle
    double current;  // [A]
    bool refused;    // the current, or the time that leads to the point, would be refused
};

enum class RefusalKind {
    NotANumber,     // NaN or infinite
    OutOfRange,     // outside what a write of the parameter accepts
    AboveLimit,     // a current above the measuring range's limit
    UnknownChoice,  // a curve form or measuring range the device does not have
};

struct RefusedValue {
    std::string_view field;  // the record field ("strom2")
    double value;
    RefusalKind kind;
    double low = 0.0;  // OutOfRange: the range a write accepts; AboveLimit: high is the limit
    double high = 0.0;
};

struct Curve {
    std::vector<CurvePoint> points;  // empty when there is nothing to draw (see note)
    int cycles = 0;                  // as stored; 0 = unlimited
    int cyclesShown = 0;             // how many cycles the points cover
    double cycleTime = 0.0;          // [ms] of one cycle
    std::optional<double> limit;     // [A] of the measuring range; none for an unknown one
    std::vector<RefusedValue> refused;
    std::string note;  // why nothing is drawn; empty when there are points
};

// The curve of a record. Any record gives an answer: values that are not numbers or out of
// every range are reported in refused, never computed with.
Curve curveOf(const Parametersatz& record);

// A duration as the operator reads it: seconds below a minute ("2,5 s"), then minutes and
// seconds ("40 min"), then hours and minutes ("4.772 h 2 min").
std::string durationText(double seconds);

// The German text beside the plot: "× 5 Zyklen, 2,4 s", "× 1 Zyklus, 0,5 s" or "× unbegrenzt".
std::string cycleText(const Curve& curve);
// One German line about a refused value ("Strom 2: 0,5 A über der Grenze des Meßbereichs
// (0,409 A)").
std::string refusalText(const RefusedValue& refused);
// The field's label as the main window names it ("Strom 2", "Zeit 1", "Anzahl Zyklen").
std::string curveFieldLabel(std::string_view field);

// A number as a German reader writes it: comma before the decimals, points between thousands,
// at most `decimals` decimals and no trailing zeros ("2,4", "65.535", "0,4095").
std::string germanNumber(double value, int decimals);

// The points as CSV for scripts: a header line "time_ms,current_A", then one line a point;
// numbers in the shortest form that reads back the same, point before the decimals.
std::string curveCsv(const Curve& curve);

}  // namespace vrl::params
