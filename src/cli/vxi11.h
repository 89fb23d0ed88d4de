#pragma once

// tkv9d serve as a VXI-11 instrument (VISA: TCPIP0::HOST::inst0::INSTR): the core channel and
// the abort channel, each on a port of its own, and the port mapper on port 111 that tells a
// client where the core channel is. Every link is a client of the server as a raw socket's
// connection is: the same sessions, turns, allow-list and client limit. Runs on the socket
// thread.

#include <memory>

namespace cli::serving {

class Server;

class Vxi11 {
  public:
    explicit Vxi11(Server& server);
    ~Vxi11();

    // Binds the channels; false with the reason on stderr. The port mapper is set up by start.
    bool listen();
    // Accepts on the channels; answers the port mapper's calls on port 111 when it can bind
    // it, else registers with a running rpcbind, else says why clients cannot find it.
    void start();
    // Closes every channel and link; takes the registration back.
    void stop();
    // Whether INSTR clients can find the core channel: the port mapper on port 111 is ours, or
    // rpcbind took the core channel.
    bool findable() const;

    class State;

  private:
    std::unique_ptr<State> state_;
};

}  // namespace cli::serving
