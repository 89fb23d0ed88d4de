#pragma once

// One simulated TKV-9D current source: its parameters, 16 program slots and the current curve
// that start and stop run. All members are safe to call from any thread.

#include <array>
#include <bitset>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sim/clock.h"
#include "sim/device.h"
#include "sim/parameter_table.h"

namespace sim {

// Status word bits.
inline constexpr std::uint16_t kCurveRunning = 0x0001;
inline constexpr std::uint16_t kCurrentOn = 0x0002;
inline constexpr std::uint16_t kCurveFinished = 0x0004;
inline constexpr std::uint16_t kCurveAborted = 0x0008;
inline constexpr std::uint16_t kMemoryError = 0x0100;
inline constexpr std::uint16_t kModuleError = 0x0200;

// Module status word bits.
inline constexpr std::uint16_t kModuleFound = 0x0001;
inline constexpr std::uint16_t kModuleUnreachable = 0x0100;
inline constexpr std::uint16_t kModuleIncomplete = 0x0200;

// Bit 15 of the output-enable mask is answered set whatever was written.
inline constexpr std::uint16_t kOutputMaskAlwaysSet = 0x8000;

class Tkv : public Device {
  public:
    static constexpr int kSlots = 16;
    // Resistance the outputs drive, so that the actual voltage follows the current [Ohm].
    static constexpr double kLoadOhm = 2.0;

    Tkv(char address, std::string id, Clock clock = steadyClock());

    char address() const override { return address_; }
    Answer execute(std::string_view command, bool common) override;

    std::string id() const;
    void setClock(Clock clock);

    // The value text a read of these letters gets now ("err" included); nullopt for letters
    // the device does not know.
    std::optional<std::string> value(std::string_view letters) const;
    // Stores a value text as a write would, with the same checks; module status words can be
    // set too. False when refused or when the device computes the value itself.
    bool setValue(std::string_view letters, std::string_view text);
    // Stores a value as the device's memory may hold it without any write having put it there
    // (a name written by another tool, a value left by older firmware): kind and format are
    // checked, limits and the name's bytes are not.
    bool setStoredValue(std::string_view letters, std::string_view text);
    // A program slot's value (slot 1..16); only parameters that a program carries.
    std::optional<std::string> slotValue(int slot, std::string_view letters) const;
    bool setSlotValue(int slot, std::string_view letters, std::string_view text);

    // While on, reads of these letters are answered "err".
    void setUndeliverable(std::string_view letters, bool on);
    // OR'ed into the status word: kMemoryError, or bits the curve never sets.
    void setStatusFlags(std::uint16_t flags);

    std::uint16_t statusWord() const;

  private:
    struct Value {
        double number = 0;
        std::string text;
    };
    using Values = std::array<Value, kParameterCount>;

    enum class RunState { Idle, Running, Finished, Aborted };

    // What start takes from the working parameters; later writes change the next run only.
    struct Curve {
        int form = 1;                     // 1 four steps, 2 triangle
        std::array<double, 4> current{};  // [A]
        std::array<double, 4> time{};     // [ms]
        double cycles = 0;                // 0 = unlimited
        double limit = 4.095;             // top of the measuring range [A]
        double testVoltage = 2.0;         // [V]
        double cycleTime() const;
        double at(double elapsed) const;  // [A] at elapsed [ms] from start
    };

    Answer start();
    Answer stop();
    Answer programSlot(std::string_view command);
    Answer read(std::size_t row, std::string_view rest) const;
    Answer write(std::size_t row, std::string_view text);

    // Checks a value text against the row's kind, format and limits.
    std::optional<Value> parse(std::size_t row, std::string_view text,
                               bool withinLimits = true) const;
    bool store(std::size_t row, const Value& value);
    std::string answerText(std::size_t row) const;
    std::string storedText(std::size_t row, const Values& values) const;

    RunState runState(TimePoint now) const;
    double elapsedMs(TimePoint now) const;
    std::uint16_t statusWordLocked() const;
    double currentAt(TimePoint now) const;

    mutable std::mutex mutex_;
    const char address_;
    std::string id_;
    Clock clock_;
    Values working_;
    std::array<Values, kSlots> slots_;
    std::uint16_t outputs_ = 0;  // enables of modules 1..15 in bits 0..14
    std::bitset<kParameterCount> undeliverable_;
    std::uint16_t flags_ = 0;
    RunState run_ = RunState::Idle;
    Curve curve_;
    TimePoint started_{};
};

}  // namespace sim
