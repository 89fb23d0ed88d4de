#pragma once

// tkv9d serve announced on the local network by multicast DNS, so that a bench's discovery tools
// list it beside its other instruments: `_scpi-raw._tcp` for the raw socket, `_vxi-11._tcp` for
// the port mapper. Avahi's client library is loaded when the server starts, so the program needs
// neither it nor its daemon to run; without them one line on stderr says so and the server
// serves all the same. Nothing is announced on Windows.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cli::serving {

struct AnnouncedService {
    const char* type;  // "_scpi-raw._tcp"
    unsigned short port;
};

class Announcement {
  public:
    using Log = std::function<void(const std::string&)>;

    // Announces `services` under the instance name `name` on the interface that holds
    // `address` (every interface for 0.0.0.0 or ::), as long as the object lives. What came of
    // it, and any later change (a name taken by another host, the daemon gone), goes to `log`,
    // possibly from Avahi's own thread.
    Announcement(std::string name, std::vector<AnnouncedService> services,
                 const std::string& address, Log log);
    ~Announcement();
    Announcement(const Announcement&) = delete;
    Announcement& operator=(const Announcement&) = delete;

    struct State;

  private:
    std::unique_ptr<State> state_;
};

// The instance name: the device's place and the host, within the 63 bytes a name may have.
std::string announcedName(int port, char address, const std::string& host);

}  // namespace cli::serving
