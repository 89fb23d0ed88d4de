#pragma once

// What the termios and the Win32 backend share: the reason of each port's last failed open,
// kept so that the program can tell the operator why, and whether another program holds it.
// The system calls stay in each backend.

#include <map>
#include <string>

#include "platform/serial/serial.h"

namespace serial {

class SystemBackend : public Backend {
  public:
    std::string openFailureReason(int port) const override {
        auto it = reasons_.find(port);
        return it == reasons_.end() ? std::string() : it->second.reason;
    }

    bool openFailedInUse(int port) const override {
        auto it = reasons_.find(port);
        return it != reasons_.end() && it->second.inUse;
    }

  protected:
    // A new open forgets what the last one said.
    void clearFailure(int port) { reasons_.erase(port); }

    // Records why the open failed; returns the open's result.
    int fail(int port, const std::string& reason, bool inUse = false) {
        reasons_[port] = Failure{reason, inUse};
        return -1;
    }

    // A port the driver does not know is always refused in the same words.
    int failBeforeOpening(int port, bool alreadyOpen, const std::string& path, bool baudSupported) {
        if (alreadyOpen) return fail(port, "port is already open");
        if (path.empty()) return fail(port, "no device for this port number");
        if (!baudSupported) return fail(port, "unsupported baud rate");
        return 0;
    }

  private:
    struct Failure {
        std::string reason;
        bool inUse;
    };
    std::map<int, Failure> reasons_;
};

}  // namespace serial
