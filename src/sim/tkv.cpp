#include "sim/tkv.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "sim/value_text.h"

namespace sim {

namespace {

const ParameterInfo& info(std::size_t row) {
    return parameterTable()[row];
}

std::size_t rowOf(std::string_view letters) {
    return *findParameter(letters);
}

bool printableText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Program numbers as the device takes them: 1..16, decimal, no leading zero.
std::optional<int> slotNumber(std::string_view text) {
    const auto n = parseInteger(text);
    if (!n || *n < 1 || *n > Tkv::kSlots) return std::nullopt;
    return static_cast<int>(*n);
}

}  // namespace

double Tkv::Curve::cycleTime() const {
    double total = 0;
    for (double t : time) total += t;
    return total;
}

double Tkv::Curve::at(double elapsed) const {
    const double period = cycleTime();
    const double phase = std::fmod(elapsed, period);
    double begin = 0;
    // The triangle runs through the four points as a closed loop: each time ramps from the
    // previous point to its own, the first from the fourth.
    double previous = current[3];
    for (std::size_t i = 0; i < 4; ++i) {
        if (time[i] > 0 && phase < begin + time[i]) {
            if (form == 2) return previous + (current[i] - previous) * (phase - begin) / time[i];
            return current[i];
        }
        begin += time[i];
        previous = current[i];
    }
    return current[3];
}

Tkv::Tkv(char address, std::string id, Clock clock)
    : address_(address), id_(std::move(id)), clock_(std::move(clock)) {
    for (std::size_t row = 0; row < kParameterCount; ++row)
        working_[row].number = info(row).initial;
    slots_.fill(working_);
}

std::string Tkv::id() const {
    std::lock_guard lock(mutex_);
    return id_;
}

void Tkv::setClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = std::move(clock);
}

Answer Tkv::execute(std::string_view command, bool /*common*/) {
    std::lock_guard lock(mutex_);
    if (command == "IDR") return Answer::line(LineKind::Identification, "", id_);
    if (command == "DF1") return start();
    if (command == "DF2") return stop();
    if (command.substr(0, 2) == "PN") return programSlot(command);
    if (command.size() < 3) return Answer::refused();
    const auto row = findParameter(command.substr(0, 2));
    if (!row) return Answer::refused();
    if (command[2] == 'R') return read(*row, command.substr(3));
    if (command[2] == 'W') return write(*row, command.substr(3));
    return Answer::refused();
}

// A curve already running cannot be started again before it is stopped.
Answer Tkv::start() {
    const TimePoint now = clock_();
    if (runState(now) == RunState::Running) return Answer::busy();
    Curve curve;
    curve.form = static_cast<int>(working_[rowOf("WF")].number);
    static constexpr std::string_view kCurrents[] = {"C1", "C2", "C3", "C4"};
    static constexpr std::string_view kTimes[] = {"T1", "T2", "T3", "T4"};
    for (std::size_t i = 0; i < 4; ++i) {
        curve.current[i] = working_[rowOf(kCurrents[i])].number;
        curve.time[i] = working_[rowOf(kTimes[i])].number;
    }
    curve.cycles = working_[rowOf("L1")].number;
    curve.limit = working_[rowOf("M1")].number == 1 ? 0.4095 : 4.095;
    curve.testVoltage = working_[rowOf("V1")].number;
    curve_ = curve;
    started_ = now;
    run_ = RunState::Running;
    return Answer::accepted();
}

Answer Tkv::stop() {
    if (runState(clock_()) == RunState::Running) run_ = RunState::Aborted;
    return Answer::accepted();
}

Answer Tkv::programSlot(std::string_view command) {
    if (command.size() < 4 || (command[2] != 'P' && command[2] != 'S')) return Answer::refused();
    const auto slot = slotNumber(command.substr(3));
    if (!slot) return Answer::refused();
    Values& stored = slots_[static_cast<std::size_t>(*slot - 1)];
    for (std::size_t row = 0; row < kParameterCount; ++row) {
        if (!info(row).inProgram) continue;
        if (command[2] == 'P')
            stored[row] = working_[row];
        else
            working_[row] = stored[row];
    }
    return Answer::accepted();
}

Answer Tkv::read(std::size_t row, std::string_view rest) const {
    if (!rest.empty()) return Answer::refused();
    const std::string letters(info(row).letters);
    return Answer::line(LineKind::Parameter, letters + 'R', answerText(row),
                        info(row).kind == ValueKind::HexWord);
}

Answer Tkv::write(std::size_t row, std::string_view text) {
    if (!info(row).writable) return Answer::refused();
    const auto value = parse(row, text);
    if (!value || !store(row, *value)) return Answer::refused();
    return Answer::accepted();
}

std::optional<Tkv::Value> Tkv::parse(std::size_t row, std::string_view text,
                                     bool withinLimits) const {
    const ParameterInfo& p = info(row);
    Value value;
    switch (p.kind) {
        case ValueKind::Integer: {
            const auto n = parseInteger(text);
            if (!n) return std::nullopt;
            value.number = static_cast<double>(*n);
            break;
        }
        case ValueKind::Real: {
            const auto x = parseReal(text, p.decimals);
            if (!x || formatReal(*x, p.decimals).size() > kValueCapacity) return std::nullopt;
            value.number = *x;
            break;
        }
        case ValueKind::HexWord: {
            const auto word = parseHexWord(text);
            if (!word) return std::nullopt;
            value.number = *word;
            break;
        }
        case ValueKind::Text:
            if (text.size() > kNameCapacity || (withinLimits && !printableText(text)))
                return std::nullopt;
            value.text = std::string(text);
            return value;
    }
    if (withinLimits && (value.number < p.low || value.number > p.high)) return std::nullopt;
    return value;
}

bool Tkv::store(std::size_t row, const Value& value) {
    const ParameterInfo& p = info(row);
    switch (p.source) {
        case Source::Stored:
            working_[row] = value;
            return true;
        case Source::OutputMask:
            outputs_ = static_cast<std::uint16_t>(value.number) & ~kOutputMaskAlwaysSet;
            return true;
        case Source::OutputBit: {
            const auto bit = static_cast<std::uint16_t>(1u << p.bit);
            outputs_ = value.number != 0 ? (outputs_ | bit) : (outputs_ & ~bit);
            return true;
        }
        default:
            return false;
    }
}

std::string Tkv::storedText(std::size_t row, const Values& values) const {
    const ParameterInfo& p = info(row);
    const Value& v = values[row];
    switch (p.kind) {
        case ValueKind::Integer:
            return formatInteger(static_cast<std::int64_t>(v.number));
        case ValueKind::Real:
            return formatReal(v.number, p.decimals);
        case ValueKind::HexWord:
            return formatHex(static_cast<std::uint32_t>(v.number), 4);
        case ValueKind::Text:
            // The device keeps the whole name but its answer line has 29 bytes: after '#',
            // address, the three letters and before CR there is room for 23 characters. The
            // answer is the name's beginning in a well-formed line rather than a line without CR.
            return v.text.substr(0, kValueCapacity);
    }
    return "err";
}

std::string Tkv::answerText(std::size_t row) const {
    if (undeliverable_[row]) return "err";
    const ParameterInfo& p = info(row);
    switch (p.source) {
        case Source::Stored:
            return storedText(row, working_);
        case Source::ActualCurrent:
            return formatReal(currentAt(clock_()), p.decimals);
        case Source::ActualVoltage:
            return formatReal(std::min(currentAt(clock_()) * kLoadOhm, curve_.testVoltage),
                              p.decimals);
        case Source::StatusWord:
            return formatHex(statusWordLocked(), 4);
        case Source::OutputMask:
            return formatHex(outputs_ | kOutputMaskAlwaysSet, 4);
        case Source::OutputBit:
            return (outputs_ >> p.bit) & 1 ? "1" : "0";
    }
    return "err";
}

double Tkv::elapsedMs(TimePoint now) const {
    return std::chrono::duration<double, std::milli>(now - started_).count();
}

Tkv::RunState Tkv::runState(TimePoint now) const {
    if (run_ != RunState::Running) return run_;
    const double period = curve_.cycleTime();
    if (period <= 0) return RunState::Finished;
    if (curve_.cycles > 0 && elapsedMs(now) >= curve_.cycles * period) return RunState::Finished;
    return RunState::Running;
}

double Tkv::currentAt(TimePoint now) const {
    if (runState(now) != RunState::Running) return 0.0;
    return std::clamp(curve_.at(elapsedMs(now)), 0.0, curve_.limit);
}

std::uint16_t Tkv::statusWordLocked() const {
    const TimePoint now = clock_();
    std::uint16_t word = flags_;
    switch (runState(now)) {
        case RunState::Running:
            word |= kCurveRunning;
            if (currentAt(now) > 0) word |= kCurrentOn;
            break;
        case RunState::Finished:
            word |= kCurveFinished;
            break;
        case RunState::Aborted:
            word |= kCurveAborted;
            break;
        case RunState::Idle:
            break;
    }
    for (std::size_t row = 0; row < kParameterCount; ++row) {
        if (info(row).letters[0] != 'K') continue;
        const auto module = static_cast<std::uint16_t>(working_[row].number);
        if (module & (kModuleUnreachable | kModuleIncomplete)) word |= kModuleError;
    }
    return word;
}

std::optional<std::string> Tkv::value(std::string_view letters) const {
    const auto row = findParameter(letters);
    if (!row) return std::nullopt;
    std::lock_guard lock(mutex_);
    return answerText(*row);
}

bool Tkv::setValue(std::string_view letters, std::string_view text) {
    const auto row = findParameter(letters);
    if (!row) return false;
    std::lock_guard lock(mutex_);
    const auto value = parse(*row, text);
    return value && store(*row, *value);
}

bool Tkv::setStoredValue(std::string_view letters, std::string_view text) {
    const auto row = findParameter(letters);
    if (!row) return false;
    std::lock_guard lock(mutex_);
    const auto value = parse(*row, text, false);
    return value && store(*row, *value);
}

std::optional<std::string> Tkv::slotValue(int slot, std::string_view letters) const {
    const auto row = findParameter(letters);
    if (!row || !info(*row).inProgram || slot < 1 || slot > kSlots) return std::nullopt;
    std::lock_guard lock(mutex_);
    return storedText(*row, slots_[static_cast<std::size_t>(slot - 1)]);
}

bool Tkv::setSlotValue(int slot, std::string_view letters, std::string_view text) {
    const auto row = findParameter(letters);
    if (!row || !info(*row).inProgram || slot < 1 || slot > kSlots) return false;
    std::lock_guard lock(mutex_);
    const auto value = parse(*row, text);
    if (!value) return false;
    slots_[static_cast<std::size_t>(slot - 1)][*row] = *value;
    return true;
}

void Tkv::setUndeliverable(std::string_view letters, bool on) {
    const auto row = findParameter(letters);
    if (!row) return;
    std::lock_guard lock(mutex_);
    undeliverable_[*row] = on;
}

void Tkv::setStatusFlags(std::uint16_t flags) {
    std::lock_guard lock(mutex_);
    flags_ = flags;
}

std::uint16_t Tkv::statusWord() const {
    std::lock_guard lock(mutex_);
    return statusWordLocked();
}

}  // namespace sim
