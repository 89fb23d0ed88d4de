#pragma once

// The server of tkv9d serve as its transports see it: the raw socket's connections and the
// VXI-11 links are both clients of one Server, which carries out their lines on its worker
// thread, one command at a time and the clients in turn. Internal to tkv9d serve.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <asio.hpp>

#include "cli/cli.h"
#include "cli/scpi.h"

namespace cli::serving {

using asio::ip::tcp;

// A longer line is refused (-363) and thrown away up to its end.
inline constexpr std::size_t kLongestLine = 4096;
// Lines waiting per client; beyond it the client's socket is not read until the worker has
// taken one, so TCP holds the client back instead of our memory growing.
inline constexpr std::size_t kWaitingLines = 32;
// Answers not yet taken by a client; beyond it no further line of that client is begun.
inline constexpr std::size_t kUnsentBytes = 64 * 1024;

struct Network {
    asio::ip::address address;
    int bits;
};

struct ServeOptions {
    tcp::endpoint listen{asio::ip::make_address("127.0.0.1"), 5025};
    std::vector<Network> allowed;  // empty: every client
    bool readOnly = false;
    int maxClients = 8;
    std::chrono::seconds idleTimeout{0};  // 0: a silent client keeps its slot
    bool vxi11 = false;                   // the VXI-11 channels and the port mapper too
};

std::string endpointText(const tcp::endpoint& endpoint);

// What a client asks the worker for: a complete line, the mark of one that was too long, its
// status byte (a VXI-11 serial poll), or a device clear's reset of its status.
struct Work {
    enum class Kind { kLine, kOverrun, kStatusByte, kClear };
    std::string line;
    Kind kind = Kind::kLine;
};

// The client's end of the server: a socket, or a VXI-11 link. Called on the socket thread.
class Peer {
  public:
    virtual ~Peer() = default;
    // The answers of a line, ended by LF.
    virtual void deliver(const std::string& answer) = 0;
    // The worker took a line from a full queue: the client may send more.
    virtual void resume() = 0;
    virtual void deliverStatusByte(int) {}
    // The status was reset as a device clear asked.
    virtual void cleared() {}
};

// An answer the worker may hand to the client itself: it then leaves without waking the socket
// thread, which costs a thread switch a query.
class DirectAnswer {
  public:
    virtual ~DirectAnswer() = default;
    // Worker: how many bytes of `answer` the client was given; the rest goes the socket
    // thread's way, after them.
    virtual std::size_t give(const std::string& answer) = 0;
};

// A raw socket's: only while nothing of the client's is left for the socket thread to write,
// so that the answers keep their order; the socket thread closes the descriptor only with the
// mutex held, so the worker never writes to a number the system has given to another socket.
struct DirectSend final : DirectAnswer {
    std::size_t give(const std::string& answer) override;

    std::mutex mutex;
    int fd = -1;             // guarded; -1 once the connection closed
    std::size_t queued = 0;  // guarded; bytes handed to the socket thread, not yet written
    std::chrono::steady_clock::time_point lastSent{};  // guarded
};

// What the socket side and the worker share of one client; the fields marked are guarded by
// the server's mutex, the session belongs to the worker.
struct Client {
    Client(scpi::Session session, std::string peer)
        : session(std::move(session)), peer(std::move(peer)) {}
    scpi::Session session;
    const std::string peer;
    std::weak_ptr<Peer> connection;        // set before the client is listed
    std::shared_ptr<DirectAnswer> direct;  // set before its first line, if at all
    std::deque<Work> waiting;              // guarded
    std::size_t unsent = 0;                // guarded
    bool gone = false;                     // guarded
    bool inLine = false;                   // guarded; a line of it is part carried out
};

class Announcement;
class Connection;
class Vxi11;

class Server {
  public:
    Server(Context& ctx, ServeOptions options);
    ~Server();

    // Binds the sockets; false with the reason on stderr.
    bool listen();
    // Serves until a signal; the port is open. Returns 0.
    int serve();

    // Socket side.
    asio::io_context& io() { return io_; }
    const ServeOptions& options() const { return options_; }
    bool allowed(const asio::ip::address& address) const;
    // A new client, listed for its turns; null when --max-clients are there already (`why`
    // then says so).
    std::shared_ptr<Client> join(const std::shared_ptr<Peer>& peer, const std::string& who,
                                 std::string& why);
    // The client's connection or link ended; its complete lines are still carried out.
    void leave(Client& client);
    void add(const std::shared_ptr<Client>& client, Work work);
    bool mayRead(Client& client);
    void sent(Client& client, std::size_t bytes);
    // Takes back the lines a client sent that the worker has not begun (a device clear).
    void dropWaiting(Client& client);
    void disconnected(const Connection& connection, Client& client);
    std::chrono::seconds idleTimeout() const { return options_.idleTimeout; }
    void log(const std::string& line) { writeLine(ctx_.err, line); }

  private:
    void accept();
    // Announces the server on the network when others can reach it.
    void announce();
    void refuse(tcp::socket socket, const std::string& why);
    void checkSignals();
    void stop();
    void work();
    std::shared_ptr<Client> nextReady();
    // Drops the clients that are gone and have nothing left to carry out; mutex held.
    void forgetGone() {
        std::erase_if(clients_, [](const auto& each) {
            return each->gone && each->waiting.empty() && !each->inLine;
        });
    }
    // Worker thread: notices a port that went away, and opens it again when it is back.
    void watchLine();

    Context& ctx_;
    const ServeOptions options_;
    asio::io_context io_;
    tcp::acceptor acceptor_;
    asio::steady_timer signals_;
    asio::steady_timer acceptRetry_;
    // Every open connection, owned here: a connection whose reads wait for its queue to drain
    // has no operation of its own in flight, and must not end without freeing its slot.
    std::vector<std::shared_ptr<Connection>> connections_;
    int connected_ = 0;
    std::unique_ptr<Vxi11> vxi11_;
    std::unique_ptr<Announcement> announcement_;

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::shared_ptr<Client>> clients_;  // guarded; in the order they get their turn
    std::atomic<bool> stopping_{false};

    // The worker's own.
    scpi::LineState line_;
    std::string identification_;  // the device's, once read: a reopened port must lead to it
    std::string refused_;         // the other device's, last time the port was tried
    std::chrono::steady_clock::time_point lastReopen_{};
};

}  // namespace cli::serving
