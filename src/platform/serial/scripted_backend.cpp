#include "platform/serial/scripted_backend.h"

#include "platform/serial/line_errors.h"

#include <algorithm>

namespace serial {

bool ScriptedBackend::takeFailure(Op op, int& result) {
    auto it = failures_.find(op);
    if (it == failures_.end() || it->second.empty()) return false;
    result = it->second.front();
    it->second.pop_front();
    return true;
}

int ScriptedBackend::open(int port, const LineSettings& settings) {
    calls.push_back(Op::Open);
    lastSettings = settings;
    int result = 0;
    if (takeFailure(Op::Open, result)) return result;
    open_[port] = true;
    return 0;
}

int ScriptedBackend::close(int port) {
    calls.push_back(Op::Close);
    int result = 0;
    if (takeFailure(Op::Close, result)) return result;
    open_.erase(port);
    return 0;
}

int ScriptedBackend::setTimeout(int, double seconds) {
    calls.push_back(Op::SetTimeout);
    int result = 0;
    if (takeFailure(Op::SetTimeout, result)) return result;
    lastTimeout = seconds;
    return 0;
}

int ScriptedBackend::flushInput(int) {
    calls.push_back(Op::FlushInput);
    int result = 0;
    if (takeFailure(Op::FlushInput, result)) return result;
    input_.clear();
    return 0;
}

int ScriptedBackend::flushOutput(int) {
    calls.push_back(Op::FlushOutput);
    int result = 0;
    return takeFailure(Op::FlushOutput, result) ? result : 0;
}

int ScriptedBackend::write(int, std::span<const std::uint8_t> bytes) {
    calls.push_back(Op::Write);
    int result = 0;
    if (takeFailure(Op::Write, result)) {
        if (result < 0) return result;
        const auto placed = std::min<std::size_t>(static_cast<std::size_t>(result), bytes.size());
        frames.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(placed));
        return result;
    }
    frames.emplace_back(bytes.begin(), bytes.end());
    if (!replies_.empty()) {
        input_.insert(input_.end(), replies_.front().begin(), replies_.front().end());
        replies_.pop_front();
    } else if (responder) {
        for (unsigned char c : responder(frames.back())) input_.push_back(c);
    }
    return static_cast<int>(bytes.size());
}

int ScriptedBackend::drainOutput(int) {
    calls.push_back(Op::Drain);
    int result = 0;
    return takeFailure(Op::Drain, result) ? result : 0;
}

int ScriptedBackend::readByte(int) {
    calls.push_back(Op::ReadByte);
    int result = 0;
    if (takeFailure(Op::ReadByte, result)) return result;
    if (input_.empty()) return -1;
    const int byte = input_.front();
    input_.pop_front();
    if (byte >= 0 && (byte & kParityError))
        return byteAfterLineErrors(byte & 0xFF, LineErrors{.parity = true});
    return byte;
}

std::string ScriptedBackend::openFailureReason(int) const {
    return "scripted failure";
}

void ScriptedBackend::reply(const std::string& text) {
    std::vector<int> bytes;
    for (unsigned char c : text) bytes.push_back(c);
    reply(bytes);
}

void ScriptedBackend::arriveNow(const std::string& text) {
    for (unsigned char c : text) input_.push_back(c);
}

std::string ScriptedBackend::written() const {
    std::string all;
    for (const auto& frame : frames) all += frame;
    return all;
}

int ScriptedBackend::reads() const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), Op::ReadByte));
}

}  // namespace serial
