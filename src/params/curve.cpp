#include "params/curve.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "driver/parameter_catalogue.h"
#include "platform/text/translate.h"

namespace vrl::params {

namespace {

struct CurveField {
    std::string_view name;
    std::string_view label;  // as on the main window
    std::string_view unit;   // "" for a count or a choice
    int decimals;            // shown in texts
};

constexpr std::array<CurveField, 11> kCurveFields{{
    {"stromkurve", VRL_TR_NOOP("Kurve", "Stromkurve"), "", 0},
    {"messbereich", VRL_TR_NOOP("Kurve", "Meßbereich"), "", 0},
    {"strom1", VRL_TR_NOOP("Kurve", "Strom 1"), "A", 4},
    {"strom2", VRL_TR_NOOP("Kurve", "Strom 2"), "A", 4},
    {"strom3", VRL_TR_NOOP("Kurve", "Strom 3"), "A", 4},
    {"strom4", VRL_TR_NOOP("Kurve", "Strom 4"), "A", 4},
    {"zeit1", VRL_TR_NOOP("Kurve", "Zeit 1"), "ms", 1},
    {"zeit2", VRL_TR_NOOP("Kurve", "Zeit 2"), "ms", 1},
    {"zeit3", VRL_TR_NOOP("Kurve", "Zeit 3"), "ms", 1},
    {"zeit4", VRL_TR_NOOP("Kurve", "Zeit 4"), "ms", 1},
    {"zyklen", VRL_TR_NOOP("Kurve", "Anzahl Zyklen"), "", 0},
}};

constexpr std::array<std::string_view, 4> kCurrents{"strom1", "strom2", "strom3", "strom4"};
constexpr std::array<std::string_view, 4> kTimes{"zeit1", "zeit2", "zeit3", "zeit4"};

// The catalogue's real ranges carry a tolerance of 0.0001 on either side; texts give the range
// the operator means.
constexpr double kRangeTolerance = 0.0001;

const CurveField* curveField(std::string_view name) {
    for (const CurveField& field : kCurveFields)
        if (field.name == name) return &field;
    return nullptr;
}

double valueOf(const Parametersatz& record, std::string_view name) {
    const Field& field = *findField(name);
    return field.type == FieldType::Real ? realOf(record, field) : integerOf(record, field);
}

// The refusal of one curve field, by the write's own range check and the measuring range.
std::optional<RefusedValue> refusalOf(const Parametersatz& record, std::string_view name,
                                      std::optional<double> limit) {
    const double value = valueOf(record, name);
    if (!std::isfinite(value)) return RefusedValue{name, value, RefusalKind::NotANumber};
    const driver::Parameter& row = *driver::findParameter(name);
    const bool isInteger = row.kind == driver::ValueKind::Integer;
    const int code = driver::checkWrite(row, isInteger ? 0.0 : value,
                                        isInteger ? static_cast<int>(value) : 0, {});
    if (code != 0) {
        if (name == "stromkurve" || name == "messbereich")
            return RefusedValue{name, value, RefusalKind::UnknownChoice};
        const double tolerance = isInteger ? 0.0 : kRangeTolerance;
        return RefusedValue{name, value, RefusalKind::OutOfRange, row.low + tolerance,
                            row.high - tolerance};
    }
    const bool isCurrent = std::find(kCurrents.begin(), kCurrents.end(), name) != kCurrents.end();
    if (limit && isCurrent && value > *limit)
        return RefusedValue{name, value, RefusalKind::AboveLimit, 0.0, *limit};
    return std::nullopt;
}

struct Step {
    double time;     // [ms]
    double current;  // [A]
    bool refused;
};

void append(std::vector<CurvePoint>& points, CurvePoint point) {
    if (!points.empty() && points.back().time == point.time &&
        points.back().current == point.current) {
        points.back().refused = points.back().refused || point.refused;
        return;
    }
    points.push_back(point);
}

std::string fixed(double value, int decimals) {
    // Room for the largest double in full.
    std::array<char, 400> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals);
    if (ec != std::errc()) return {};
    return std::string(buffer.data(), end);
}

std::string shortest(double value) {
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc()) return {};
    return std::string(buffer.data(), end);
}

}  // namespace

// Measuring range 1 is the plausibility check's limit, which every write of the record passes
// first: the preview marks what the write would refuse.
std::optional<double> rangeLimit(int messbereich) {
    switch (messbereich) {
        case 1:
            return kRange1Limit;
        case 2:
            return 4.095;
        default:
            return std::nullopt;
    }
}

Curve curveOf(const Parametersatz& record) {
    Curve curve;
    curve.cycles = record.zyklen;
    curve.limit = rangeLimit(record.messbereich);
    for (const CurveField& field : kCurveFields) {
        if (auto refused = refusalOf(record, field.name, curve.limit))
            curve.refused.push_back(*refused);
    }
    auto isRefused = [&](std::string_view name) {
        return std::any_of(curve.refused.begin(), curve.refused.end(),
                           [&](const RefusedValue& r) { return r.field == name; });
    };

    const int form = record.stromkurve;
    curve.cyclesShown =
        curve.cycles == 0 ? kMostCyclesShown : std::clamp(curve.cycles, 1, kMostCyclesShown);
    if (form != 1 && form != 2) {
        curve.note = VRL_TR("Kurve", "Keine Vorschau: die Stromkurve ist unbekannt.");
        return curve;
    }
    // The steps the device runs through: a time that is not a number or negative, or a current
    // that is not a number, gives no point to draw; such a value is reported above.
    std::vector<Step> steps;
    bool allTimesZero = true;
    for (std::size_t i = 0; i < kTimes.size(); ++i) {
        const double time = valueOf(record, kTimes[i]);
        const double current = valueOf(record, kCurrents[i]);
        if (time != 0.0) allTimesZero = false;
        if (!std::isfinite(time) || !std::isfinite(current) || time < 0.0) continue;
        if (form == 1 && time == 0.0) continue;
        steps.push_back({time, current, isRefused(kTimes[i]) || isRefused(kCurrents[i])});
    }
    for (const Step& step : steps) curve.cycleTime += step.time;

    if (!std::isfinite(curve.cycleTime)) {
        curve.note = VRL_TR("Kurve", "Keine Kurve: die Zeiten sind zu groß.");
        curve.cycleTime = 0.0;
        return curve;
    }
    if (!(curve.cycleTime > 0.0)) {
        curve.note = allTimesZero
                         ? VRL_TR("Kurve", "Keine Kurve: alle Zeiten sind 0 ms.")
                         : VRL_TR("Kurve", "Keine Kurve: keine Stufe hat eine gültige Zeit.");
        return curve;
    }

    for (int cycle = 0; cycle < curve.cyclesShown; ++cycle) {
        double t = cycle * curve.cycleTime;
        if (form == 1) {
            for (const Step& step : steps) {
                append(curve.points, {t, step.current, step.refused});
                t += step.time;
                append(curve.points, {t, step.current, step.refused});
            }
        } else {
            // The loop closes: the first ramp starts where the last one ended.
            const Step& last = steps.back();
            append(curve.points, {t, last.current, last.refused});
            for (const Step& step : steps) {
                t += step.time;
                append(curve.points, {t, step.current, step.refused});
            }
        }
    }
    return curve;
}

std::string germanNumber(double value, int decimals) {
    if (!std::isfinite(value)) return VRL_TR("Kurve", "keine Zahl");
    // The operator's language names its marks: a decimal comma and a point between thousands in
    // German, the other way round in English.
    const std::string decimalMark = VRL_TR("Zahlen", ",");
    const std::string groupMark = VRL_TR("Zahlen", ".");
    std::string text = fixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalMark);
    const std::size_t sign = text.front() == '-' ? 1 : 0;
    std::size_t end = point == std::string::npos ? text.size() : point;
    while (end > sign + 3) {
        end -= 3;
        text.insert(end, groupMark);
    }
    return text;
}

std::string durationText(double exact) {
    // Below a second in milliseconds: a cycle of 1,7 ms would read "0,002 s".
    if (std::isfinite(exact) && exact > 0.0 && exact < 1.0)
        return germanNumber(exact * 1000.0, 1) + " ms";
    if (!std::isfinite(exact) || exact < 60.0) return germanNumber(exact, 3) + " s";
    // Tenths at most, so that 59,96 s past a minute never reads as "60 s".
    const double seconds = std::round(exact * 10.0) / 10.0;
    // Beyond a minute the operator thinks in minutes and hours, not in thousands of seconds.
    if (seconds < 3600.0) {
        const double minutes = std::floor(seconds / 60.0);
        const double rest = std::round((seconds - 60.0 * minutes) * 10.0) / 10.0;
        const std::string text = germanNumber(minutes, 0) + " min";
        return rest > 0.0 ? text + " " + germanNumber(rest, 1) + " s" : text;
    }
    const double hours = std::floor(seconds / 3600.0);
    const double minutes = std::round((seconds - 3600.0 * hours) / 60.0);
    const std::string text = germanNumber(hours, 0) + " h";
    return minutes > 0.0 ? text + " " + germanNumber(minutes, 0) + " min" : text;
}

std::string cycleText(const Curve& curve) {
    const std::string perCycle = durationText(curve.cycleTime / 1000.0);
    if (curve.cycles == 0)
        return vrl::text::fill(VRL_TR("Kurve", "× unbegrenzt, %1 je Zyklus"), {perCycle});
    const std::string total = durationText(curve.cycles * curve.cycleTime / 1000.0);
    return vrl::text::fill(
        curve.cycles == 1 ? VRL_TR("Kurve", "× %1 Zyklus, %2") : VRL_TR("Kurve", "× %1 Zyklen, %2"),
        {germanNumber(curve.cycles, 0), total});
}

std::string curveFieldLabel(std::string_view field) {
    const CurveField* found = curveField(field);
    return found ? VRL_TR("Kurve", found->label.data()) : std::string(field);
}

std::string refusalText(const RefusedValue& refused) {
    const CurveField* field = curveField(refused.field);
    const std::string label = curveFieldLabel(refused.field);
    const int decimals = field ? field->decimals : 4;
    const std::string unit = field && !field->unit.empty() ? " " + std::string(field->unit) : "";
    const std::string value = germanNumber(refused.value, decimals);
    switch (refused.kind) {
        case RefusalKind::NotANumber:
            return label + VRL_TR("Kurve", ": keine gültige Zahl");
        case RefusalKind::OutOfRange:
            return label + ": " +
                   vrl::text::fill(VRL_TR("Kurve", "%1 außerhalb des Bereichs %2 bis %3"),
                                   {value + unit, germanNumber(refused.low, decimals),
                                    germanNumber(refused.high, decimals) + unit});
        case RefusalKind::AboveLimit:
            return label + ": " +
                   vrl::text::fill(VRL_TR("Kurve", "%1 über der Grenze des Meßbereichs (%2)"),
                                   {value + unit, germanNumber(refused.high, decimals) + unit});
        case RefusalKind::UnknownChoice:
            return label + ": " +
                   vrl::text::fill(VRL_TR("Kurve", "%1 ist keine der Auswahlmöglichkeiten"),
                                   {value});
    }
    return label;
}

std::string curveCsv(const Curve& curve) {
    std::string csv = "time_ms,current_A\n";
    for (const CurvePoint& point : curve.points)
        csv += shortest(point.time) + "," + shortest(point.current) + "\n";
    return csv;
}

}  // namespace vrl::params
