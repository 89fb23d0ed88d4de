#include "sim/line.h"

#include "platform/files/system_path.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"
#include "sim/fault_option.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sim {

namespace {

// The longest frame a program sends is a memory write of 64 bytes (147 bytes); anything
// longer without CR is noise, and the line waits for the next '#'.
constexpr std::size_t kFrameLimit = 160;
// An identification answer has room for 26 characters in its 29 bytes.
constexpr std::size_t kIdCapacity = 26;
// A wake-up for every byte, a thousand a second, costs more CPU on a virtual machine than the
// pacing is worth. Bytes leave in small groups instead, each group when its last byte would
// have arrived: never early, and the end of an answer exactly on time.
constexpr std::size_t kBytesPerWake = 4;

std::string printable(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        switch (c) {
            case kCr:
                text += "<CR>";
                break;
            case kAck:
                text += "<ACK>";
                break;
            case kNak:
                text += "<NAK>";
                break;
            case kCan:
                text += "<CAN>";
                break;
            default:
                if (c >= 0x20 && c <= 0x7E) {
                    text += c;
                } else {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "<%02X>", static_cast<unsigned char>(c));
                    text += hex;
                }
        }
    }
    return text;
}

}  // namespace

std::chrono::nanoseconds byteTimes(std::size_t count) {
    // 10 bits at 9600 baud, computed from the count each time so that no rounding adds up.
    return std::chrono::nanoseconds(static_cast<std::int64_t>(count) * 10'000'000'000 / 9600);
}

Line::Line(LineOptions options) : options_(std::move(options)) {
    port_ = options_.portName.empty() ? openPseudoTerminal() : openServedPort(options_.portName);
    devicePath_ = port_->devicePath();
    if (!options_.logPath.empty()) {
        if (const auto path = files::systemPath(options_.logPath))
            log_.open(*path, std::ios::out | std::ios::app);
        if (!log_.is_open())
            throw std::runtime_error(
                vrl::text::fill(VRL_TR("tkv9d-sim", "Protokolldatei %1 kann nicht geöffnet werden"),
                                {options_.logPath}));
    }
    thread_ = std::thread([this] { serve(); });
}

Line::~Line() {
    stop_ = true;
    port_->wake();
    thread_.join();
}

Tkv& Line::addTkv(char address, std::string id) {
    if (!isDeviceAddress(address)) throw std::invalid_argument("not a device address");
    if (id.size() > kIdCapacity) throw std::invalid_argument("identification too long");
    std::lock_guard lock(mutex_);
    if (devices_.count(address))
        throw std::invalid_argument(VRL_TR("tkv9d-sim", "Adresse schon vergeben"));
    auto tkv = std::make_unique<Tkv>(address, std::move(id), clock_);
    Tkv& ref = *tkv;
    devices_[address] = std::move(tkv);
    return ref;
}

Dlq3& Line::addDlq3(char address) {
    if (!isDeviceAddress(address)) throw std::invalid_argument("not a device address");
    std::lock_guard lock(mutex_);
    if (devices_.count(address))
        throw std::invalid_argument(VRL_TR("tkv9d-sim", "Adresse schon vergeben"));
    auto dlq3 = std::make_unique<Dlq3>(address);
    Dlq3& ref = *dlq3;
    devices_[address] = std::move(dlq3);
    return ref;
}

Device* Line::device(char address) const {
    std::lock_guard lock(mutex_);
    const auto it = devices_.find(address);
    return it == devices_.end() ? nullptr : it->second.get();
}

Tkv* Line::findTkv(char address) const {
    return dynamic_cast<Tkv*>(device(address));
}

Dlq3* Line::findDlq3(char address) const {
    return dynamic_cast<Dlq3*>(device(address));
}

Tkv& Line::tkv(char address) {
    Tkv* found = findTkv(address);
    if (!found) throw std::out_of_range("no TKV-9D at that address");
    return *found;
}

Dlq3& Line::dlq3(char address) {
    Dlq3* found = findDlq3(address);
    if (!found) throw std::out_of_range("no DLQ3 at that address");
    return *found;
}

void Line::injectFault(char address, Fault fault) {
    std::lock_guard lock(mutex_);
    faults_[address].push_back(std::move(fault));
}

void Line::clearFaults(char address) {
    std::lock_guard lock(mutex_);
    faults_.erase(address);
}

std::vector<std::string> Line::frames() const {
    std::lock_guard lock(mutex_);
    return {frames_.begin(), frames_.end()};
}

void Line::clearFrames() {
    std::lock_guard lock(mutex_);
    frames_.clear();
}

bool Line::waitForFrames(std::size_t count, std::chrono::milliseconds bound) const {
    std::unique_lock lock(mutex_);
    return framesChanged_.wait_for(lock, bound, [&] { return frames_.size() >= count; });
}

std::optional<std::string> Line::value(char address, std::string_view letters) const {
    const Tkv* tkv = findTkv(address);
    return tkv ? tkv->value(letters) : std::nullopt;
}

bool Line::setValue(char address, std::string_view letters, std::string_view text) {
    Tkv* tkv = findTkv(address);
    return tkv && tkv->setValue(letters, text);
}

bool Line::setStoredValue(char address, std::string_view letters, std::string_view text) {
    Tkv* tkv = findTkv(address);
    return tkv && tkv->setStoredValue(letters, text);
}

std::optional<std::string> Line::slotValue(char address, int slot, std::string_view letters) const {
    const Tkv* tkv = findTkv(address);
    return tkv ? tkv->slotValue(slot, letters) : std::nullopt;
}

bool Line::setSlotValue(char address, int slot, std::string_view letters, std::string_view text) {
    Tkv* tkv = findTkv(address);
    return tkv && tkv->setSlotValue(slot, letters, text);
}

std::vector<std::uint8_t> Line::memory(char address, std::size_t start, std::size_t length) const {
    const Dlq3* dlq3 = findDlq3(address);
    return dlq3 ? dlq3->read(start, length) : std::vector<std::uint8_t>{};
}

bool Line::setMemory(char address, std::size_t start, std::span<const std::uint8_t> bytes) {
    Dlq3* dlq3 = findDlq3(address);
    if (!dlq3) return false;
    dlq3->write(start, bytes);
    return true;
}

void Line::setClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = clock;
    for (auto& [address, device] : devices_) {
        if (auto* tkv = dynamic_cast<Tkv*>(device.get())) tkv->setClock(clock);
    }
}

void Line::serve() {
    if (options_.pace) preferPreciseWakeups();
    char buffer[4096];
    while (!stop_) {
        const std::ptrdiff_t n = port_->read(buffer, sizeof buffer);
        if (n > 0) {
            takeBytes(std::string_view(buffer, static_cast<std::size_t>(n)),
                      std::chrono::steady_clock::now());
        } else if (n < 0) {
            // Wait for shut-down instead of spinning on the error.
            port_->waitForWake(std::chrono::milliseconds(50));
        }
    }
}

void Line::takeBytes(std::string_view bytes, TimePoint readAt) {
    for (char c : bytes) {
        if (!inFrame_) {
            if (c != '#') continue;  // noise between frames
            inFrame_ = true;
            pending_.clear();
            // A frame cannot begin on the line before the previous one has ended.
            frameStart_ = options_.pace ? std::max(readAt, inputFreeAt_) : readAt;
        }
        pending_ += c;
        if (c == kCr) {
            inFrame_ = false;
            const TimePoint arrival = frameStart_ + byteTimes(pending_.size());
            inputFreeAt_ = arrival;
            handle(pending_, arrival);
            if (stop_) return;
        } else if (pending_.size() >= kFrameLimit) {
            inFrame_ = false;
        }
    }
}

// A frame is listed once the device has carried it out and before its answer leaves: whoever
// has the answer finds the frame in the log.
void Line::handle(const std::string& frame, TimePoint arrival) {
    log('>', frame);
    if (options_.pace) sleepUntil(arrival);
    Reply reply;
    if (frame.size() >= 3) {
        const char address = frame[1];
        const std::string_view command(frame.data() + 2, frame.size() - 3);
        if (address == kCommonAddress) {
            std::vector<Device*> all;
            {
                std::lock_guard lock(mutex_);
                for (auto& [a, d] : devices_) all.push_back(d.get());
            }
            for (Device* d : all) d->execute(command, true);
        } else if (device(address)) {
            reply = respond(address, command, frame);
        }
    }
    {
        std::lock_guard lock(mutex_);
        frames_.push_back(frame);
        if (options_.frameLimit != 0 && frames_.size() > options_.frameLimit) frames_.pop_front();
        framesChanged_.notify_all();
    }
    if (!reply.bytes.empty()) {
        log('<', reply.bytes);
        send(reply.bytes, options_.pace ? arrival : std::chrono::steady_clock::now(),
             reply.byteGap);
    }
}

// The faults in the order they act: one that stops the command, one that makes the device
// store another value, one that changes the answer, one that delays it.
Line::Reply Line::respond(char address, std::string_view command, std::string_view frame) {
    Reply reply;
    if (auto fault =
            takeFault(address, command, [](const Fault& f) { return preventsCommand(f.kind); })) {
        logFault(*fault, frame);
        reply.bytes = faultyBytes(address, Answer::refused(), *fault);
        return reply;
    }
    Device* target = device(address);
    const Answer answer = target->execute(command, false);
    Tkv* tkv = findTkv(address);
    if (tkv && answer.ack == kAck) {
        if (auto fault = takeFault(address, command, [&](const Fault& f) {
                return f.kind == FaultKind::StoreDifferent && differentValue(f, command);
            })) {
            if (tkv->setValue(command.substr(0, 2), *differentValue(*fault, command)))
                logFault(*fault, frame);
        }
    }
    if (auto fault =
            takeFault(address, command, [&](const Fault& f) { return changes(f.kind, answer); })) {
        logFault(*fault, frame);
        reply.bytes = faultyBytes(address, answer, *fault);
    } else {
        reply.bytes = answerBytes(address, answer);
    }
    if (auto fault =
            takeFault(address, command, [](const Fault& f) { return f.kind == FaultKind::Slow; })) {
        logFault(*fault, frame);
        reply.byteGap = std::chrono::milliseconds(fault->byteMs);
    }
    return reply;
}

// The first fault in the queue that fits the frame and triggers. Every fault that fits counts
// the frame, so that its own every/after/prob do not depend on the faults before it.
std::optional<Fault> Line::takeFault(char address, std::string_view command,
                                     const std::function<bool(const Fault&)>& fits) {
    std::lock_guard lock(mutex_);
    const auto it = faults_.find(address);
    if (it == faults_.end()) return std::nullopt;
    auto& queue = it->second;
    auto chosen = queue.end();
    for (auto f = queue.begin(); f != queue.end(); ++f) {
        if (!matches(*f, command) || !fits(*f)) continue;
        if (triggers(*f) && chosen == queue.end()) chosen = f;
    }
    if (chosen == queue.end()) return std::nullopt;
    Fault taken = *chosen;
    if (taken.kind == FaultKind::OtherByte && taken.randomByte)
        taken.byte = randomOtherByte(*chosen);
    if (chosen->count > 0 && --chosen->count == 0) queue.erase(chosen);
    return taken;
}

void Line::send(const std::string& bytes, TimePoint from, std::chrono::milliseconds byteGap) {
    if (byteGap.count() > 0) {
        // A slow device: byte by byte, each at least byteGap after the one before.
        const auto gap = options_.pace ? std::max<std::chrono::nanoseconds>(byteGap, byteTimes(1))
                                       : std::chrono::nanoseconds(byteGap);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (!waitUntil(from + gap * static_cast<std::int64_t>(i + 1))) return;
            if (!port_->write(&bytes[i], 1)) return;
        }
        return;
    }
    if (!options_.pace) {
        port_->write(bytes.data(), bytes.size());
        return;
    }
    for (std::size_t first = 0; first < bytes.size() && !stop_; first += kBytesPerWake) {
        const std::size_t end = std::min(bytes.size(), first + kBytesPerWake);
        sleepUntil(from + byteTimes(end));
        if (!port_->write(&bytes[first], end - first)) return;
    }
}

// False when the line is shutting down meanwhile: a slow answer may take seconds.
bool Line::waitUntil(TimePoint deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return !stop_;
        if (port_->waitForWake(left)) return false;
    }
}

void Line::log(char direction, std::string_view bytes) {
    if (!log_.is_open()) return;
    log_ << direction << ' ' << printable(bytes) << '\n';
    log_.flush();
    checkLog();
}

void Line::checkLog() {
    if (log_ || logFailed_.exchange(true)) return;
    if (options_.onLogFailure) options_.onLogFailure();
}

void Line::logFault(const Fault& fault, std::string_view frame) {
    if (!log_.is_open()) return;
    if (!frame.empty() && frame.back() == kCr) frame.remove_suffix(1);
    log_ << "fault " << faultName(fault.kind) << " applied to " << printable(frame) << '\n';
    log_.flush();
    checkLog();
}

}  // namespace sim
