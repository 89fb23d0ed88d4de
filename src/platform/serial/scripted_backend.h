#pragma once

// A serial backend for tests: a scripted peer that answers each written frame with queued
// bytes, records every call, and can make any single operation fail.

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/serial/serial.h"

namespace serial {

class ScriptedBackend : public Backend {
  public:
    enum class Op { Open, Close, SetTimeout, FlushInput, FlushOutput, Write, Drain, ReadByte };

    // A reply byte that never arrives: the read that would get it times out.
    static constexpr int kSilence = -1;
    // Added to a reply byte: it arrives with a parity error.
    static constexpr int kParityError = 0x100;

    int open(int port, const LineSettings& settings) override;
    int close(int port) override;
    int setTimeout(int port, double seconds) override;
    int flushInput(int port) override;
    int flushOutput(int port) override;
    int write(int port, std::span<const std::uint8_t> bytes) override;
    int drainOutput(int port) override;
    int readByte(int port) override;
    std::string openFailureReason(int port) const override;

    // The next call of op returns `result` instead of doing its work. For Write a value
    // >= 0 is the number of bytes placed (a short write); those bytes are still recorded.
    void failNext(Op op, int result) { failures_[op].push_back(result); }

    // Queues the bytes the peer sends after the next frame is written (kSilence for a read
    // that times out). Each write takes one reply from the queue.
    void reply(const std::vector<int>& bytes) { replies_.push_back(bytes); }
    void reply(const std::string& text);

    // Computes the reply to a written frame when no queued reply is left.
    std::function<std::string(const std::string& frame)> responder;

    // Bytes that sit in the input queue now, as if left over from an earlier exchange.
    void arriveNow(const std::string& text);

    std::vector<Op> calls;            // every call in order
    std::vector<std::string> frames;  // what each write placed
    std::string written() const;      // all frames, joined
    int reads() const;                // how many readByte calls
    LineSettings lastSettings;
    double lastTimeout = 0.0;
    bool isOpen(int port) const { return open_.count(port) != 0; }
    // Ports whose adapter is pulled out.
    std::set<int> gone;
    bool portGone(int port) const override { return gone.count(port) != 0; }

  private:
    bool takeFailure(Op op, int& result);

    std::map<Op, std::deque<int>> failures_;
    std::deque<std::vector<int>> replies_;
    std::deque<int> input_;
    std::map<int, bool> open_;
};

}  // namespace serial
