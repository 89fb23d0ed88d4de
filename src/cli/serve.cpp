// tkv9d serve: the device as a SCPI instrument on a raw TCP socket. The sockets run on this
// thread with Asio; one worker thread owns the serial line and carries out one client's line at
// a time, taking the clients in turn, so that no client waits while another one is typing and
// no two transactions ever overlap on the line.

#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include <asio.hpp>

#include "cli/cli.h"
#include "cli/interrupt.h"
#include "cli/scpi.h"
#include "driver/vrltkv9d.h"

namespace cli {

namespace {

using asio::ip::tcp;
using namespace std::chrono_literals;

// A longer line is refused (-363) and thrown away up to its end.
constexpr std::size_t kLongestLine = 4096;
// Lines waiting per client; beyond it the client's socket is not read until the worker has
// taken one, so TCP holds the client back instead of our memory growing.
constexpr std::size_t kWaitingLines = 32;
// Answers not yet taken by a client; beyond it no further line of that client is begun.
constexpr std::size_t kUnsentBytes = 64 * 1024;
// How long the server waits before it accepts again after a failed accept.
constexpr auto kAcceptRetry = 100ms;
// How soon the server notices SIGINT or SIGTERM.
constexpr auto kSignalCheck = 50ms;

struct Network {
    asio::ip::address address;
    int bits;
};

struct ServeOptions {
    tcp::endpoint listen{asio::ip::make_address("127.0.0.1"), 5025};
    std::vector<Network> allowed;  // empty: every client
    bool readOnly = false;
    int maxClients = 8;
};

tcp::endpoint parseListen(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    unsigned port = 0;
    const char* first = text.data() + (colon == std::string::npos ? text.size() : colon + 1);
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, port);
    asio::error_code bad;
    const auto address = asio::ip::make_address(host, bad);
    if (colon == std::string::npos || first == last || ec != std::errc() || end != last ||
        port > 65535 || bad)
        throw UsageError{"--listen needs ADDRESS:PORT, as 127.0.0.1:5025 or [::1]:5025, got '" +
                         text + "'"};
    return {address, static_cast<unsigned short>(port)};
}

Network parseNetwork(const std::string& text) {
    const std::size_t slash = text.find('/');
    asio::error_code bad;
    Network network{asio::ip::make_address(text.substr(0, slash), bad), 0};
    const int widest = network.address.is_v4() ? 32 : 128;
    network.bits = widest;
    if (!bad && slash != std::string::npos) {
        const char* first = text.data() + slash + 1;
        const char* last = text.data() + text.size();
        const auto [end, ec] = std::from_chars(first, last, network.bits);
        if (first == last || ec != std::errc() || end != last || network.bits < 0 ||
            network.bits > widest)
            bad = asio::error::invalid_argument;
    }
    if (bad)
        throw UsageError{"--allow needs ADDRESS or ADDRESS/BITS, as 192.168.1.0/24, got '" + text +
                         "'"};
    return network;
}

// An IPv4 client on an IPv6 socket comes as ::ffff:a.b.c.d; it is matched as a.b.c.d.
asio::ip::address plain(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped())
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
    return address;
}

bool inNetwork(const Network& network, const asio::ip::address& client) {
    const asio::ip::address address = plain(client);
    if (address.is_v4() != network.address.is_v4()) return false;
    auto bytes = [](const asio::ip::address& a) {
        std::array<unsigned char, 16> all{};
        if (a.is_v4()) {
            const auto v4 = a.to_v4().to_bytes();
            std::copy(v4.begin(), v4.end(), all.begin());
        } else {
            all = a.to_v6().to_bytes();
        }
        return all;
    };
    const auto a = bytes(address);
    const auto b = bytes(network.address);
    for (int bit = 0; bit < network.bits; ++bit) {
        const int mask = 0x80 >> (bit % 8);
        if ((a[bit / 8] & mask) != (b[bit / 8] & mask)) return false;
    }
    return true;
}

ServeOptions parseOptions(const Context& ctx) {
    ServeOptions options;
    if (auto it = ctx.options.find("--listen"); it != ctx.options.end())
        options.listen = parseListen(it->second);
    if (auto it = ctx.options.find("--allow"); it != ctx.options.end()) {
        std::istringstream lines(it->second);
        for (std::string line; std::getline(lines, line);)
            options.allowed.push_back(parseNetwork(line));
    }
    options.readOnly = ctx.options.count("--read-only") != 0;
    if (auto it = ctx.options.find("--max-clients"); it != ctx.options.end()) {
        const long long count = parseInteger(it->second, "--max-clients");
        if (count < 1 || count > 1000) throw UsageError{"--max-clients must be 1..1000"};
        options.maxClients = static_cast<int>(count);
    }
    return options;
}

std::string endpointText(const tcp::endpoint& endpoint) {
    const std::string address = endpoint.address().to_string();
    return (endpoint.address().is_v6() ? "[" + address + "]" : address) + ':' +
           std::to_string(endpoint.port());
}

// A complete line of a client, or the mark of one that was too long.
struct Work {
    std::string line;
    bool overrun = false;
};

class Connection;

// What the socket side and the worker share of one client; the fields marked are guarded by
// the server's mutex, the session belongs to the worker.
struct Client {
    Client(scpi::Session session, std::string peer)
        : session(std::move(session)), peer(std::move(peer)) {}
    scpi::Session session;
    const std::string peer;
    std::weak_ptr<Connection> connection;  // set before the client is listed
    std::deque<Work> waiting;              // guarded
    std::size_t unsent = 0;                // guarded
    bool gone = false;                     // guarded
};

class Server {
  public:
    Server(Context& ctx, ServeOptions options)
        : ctx_(ctx),
          options_(std::move(options)),
          acceptor_(io_),
          signals_(io_),
          acceptRetry_(io_) {}

    // Binds the socket; false with the reason on stderr.
    bool listen();
    // Serves until a signal; the port is open. Returns 0.
    int serve();

    // Socket side.
    void add(const std::shared_ptr<Client>& client, Work work);
    bool mayRead(Client& client);
    void sent(Client& client, std::size_t bytes);
    void disconnected(Client& client);

  private:
    void accept();
    void checkSignals();
    void stop();
    void work();
    std::shared_ptr<Client> nextReady();
    // Drops the clients that are gone and have nothing left to carry out; mutex held.
    void forgetGone() {
        std::erase_if(clients_,
                      [](const auto& each) { return each->gone && each->waiting.empty(); });
    }
    void log(const std::string& line) { ctx_.err << line << '\n' << std::flush; }

    Context& ctx_;
    const ServeOptions options_;
    asio::io_context io_;
    tcp::acceptor acceptor_;
    asio::steady_timer signals_;
    asio::steady_timer acceptRetry_;
    std::vector<std::weak_ptr<Connection>> connections_;
    int connected_ = 0;

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::shared_ptr<Client>> clients_;  // guarded; in the order they get their turn
    std::atomic<bool> stopping_{false};
};

// One client's socket, on the socket thread only.
class Connection : public std::enable_shared_from_this<Connection> {
  public:
    Connection(Server& server, tcp::socket socket, std::shared_ptr<Client> client)
        : server_(server), socket_(std::move(socket)), client_(std::move(client)) {}

    void read() {
        paused_ = false;
        socket_.async_read_some(asio::buffer(buffer_),
                                [self = shared_from_this()](asio::error_code ec, std::size_t n) {
                                    self->received(ec, n);
                                });
    }
    // The worker took a line; a paused socket is read again.
    void resume() {
        if (paused_ && !closed_ && server_.mayRead(*client_)) read();
    }
    void send(const std::string& answer) {
        if (closed_) return server_.sent(*client_, answer.size());
        outgoing_ += answer;
        if (writing_.empty()) writeNext();
    }
    void close() {
        if (closed_) return;
        closed_ = true;
        asio::error_code ignored;
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
        // A line without its end is never carried out.
        partial_.clear();
        server_.sent(*client_, outgoing_.size());
        outgoing_.clear();
        server_.disconnected(*client_);
    }

  private:
    void received(asio::error_code ec, std::size_t count) {
        if (ec) return close();
        for (std::size_t i = 0; i < count; ++i) {
            const char c = buffer_[i];
            if (c == '\n') {
                if (!discarding_ && !partial_.empty() && partial_.back() == '\r')
                    partial_.pop_back();
                if (!discarding_ && !partial_.empty()) server_.add(client_, {partial_, false});
                discarding_ = false;
                partial_.clear();
            } else if (!discarding_) {
                if (partial_.size() < kLongestLine) {
                    partial_ += c;
                } else {
                    server_.add(client_, {{}, true});
                    partial_.clear();
                    discarding_ = true;
                }
            }
        }
        if (closed_) return;
        if (server_.mayRead(*client_))
            read();
        else
            paused_ = true;
    }
    void writeNext() {
        writing_.swap(outgoing_);
        asio::async_write(socket_, asio::buffer(writing_),
                          [self = shared_from_this()](asio::error_code ec, std::size_t) {
                              self->server_.sent(*self->client_, self->writing_.size());
                              self->writing_.clear();
                              if (ec) return self->close();
                              if (!self->outgoing_.empty()) self->writeNext();
                          });
    }

    Server& server_;
    tcp::socket socket_;
    std::shared_ptr<Client> client_;
    std::array<char, 1024> buffer_{};
    std::string partial_;
    bool discarding_ = false;  // the rest of an over-long line
    bool paused_ = false;
    bool closed_ = false;
    std::string outgoing_;
    std::string writing_;
};

bool Server::listen() {
    asio::error_code ec;
    acceptor_.open(options_.listen.protocol(), ec);
    if (!ec) acceptor_.set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec) acceptor_.bind(options_.listen, ec);
    if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        log("tkv9d serve: cannot listen on " + endpointText(options_.listen) + ": " + ec.message());
        return false;
    }
    return true;
}

int Server::serve() {
    log("listening on " + endpointText(acceptor_.local_endpoint()));
    accept();
    checkSignals();
    std::thread worker([this] { work(); });
    io_.run();
    stopping_ = true;
    ready_.notify_all();
    // The worker finishes the command in hand; the port is closed after it.
    worker.join();
    return 0;
}

void Server::accept() {
    acceptor_.async_accept([this](asio::error_code ec, tcp::socket socket) {
        if (ec) {
            if (ec == asio::error::operation_aborted) return;
            // Out of descriptors (a flood of clients) fails every accept at once: try again
            // a little later instead of spinning.
            acceptRetry_.expires_after(kAcceptRetry);
            acceptRetry_.async_wait([this](asio::error_code waited) {
                if (!waited) accept();
            });
            return;
        }
        asio::error_code ignored;
        const tcp::endpoint peer = socket.remote_endpoint(ignored);
        const std::string who = endpointText(peer);
        bool allowed = options_.allowed.empty();
        for (const Network& network : options_.allowed)
            allowed = allowed || inNetwork(network, peer.address());
        if (!allowed) {
            log("refused " + who + ": not in --allow");
        } else if (connected_ >= options_.maxClients) {
            log("refused " + who + ": already " + std::to_string(connected_) +
                " clients (--max-clients)");
        } else {
            auto client = std::make_shared<Client>(
                scpi::Session(ctx_.port, ctx_.address, options_.readOnly), who);
            auto connection = std::make_shared<Connection>(*this, std::move(socket), client);
            client->connection = connection;
            {
                const std::lock_guard lock(mutex_);
                clients_.push_back(client);
            }
            // Only the open ones are kept: a client that comes and goes leaves nothing behind.
            std::erase_if(connections_, [](const auto& weak) { return weak.expired(); });
            connections_.push_back(connection);
            ++connected_;
            log("connected " + who);
            connection->read();
        }
        socket.close(ignored);
        accept();
    });
}

void Server::checkSignals() {
    if (StopSignals::requested()) return stop();
    signals_.expires_after(kSignalCheck);
    signals_.async_wait([this](asio::error_code ec) {
        if (!ec) checkSignals();
    });
}

void Server::stop() {
    log("stopping");
    asio::error_code ignored;
    acceptor_.close(ignored);
    acceptRetry_.cancel();
    for (auto& weak : connections_)
        if (auto connection = weak.lock()) connection->close();
    stopping_ = true;
    ready_.notify_all();
    io_.stop();
}

void Server::add(const std::shared_ptr<Client>& client, Work work) {
    {
        const std::lock_guard lock(mutex_);
        client->waiting.push_back(std::move(work));
    }
    ready_.notify_one();
}

bool Server::mayRead(Client& client) {
    const std::lock_guard lock(mutex_);
    return client.waiting.size() < kWaitingLines;
}

void Server::sent(Client& client, std::size_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        client.unsent -= std::min(client.unsent, bytes);
    }
    ready_.notify_one();
}

void Server::disconnected(Client& client) {
    --connected_;
    log("disconnected " + client.peer);
    {
        // Its complete lines are still carried out: a client that sends "OUTP OFF" and closes
        // at once means it.
        const std::lock_guard lock(mutex_);
        client.gone = true;
        forgetGone();
    }
    ready_.notify_one();
}

// The first client in turn with a line to carry out whose answers are being taken; it goes to
// the back of the turn. Called with the mutex held.
std::shared_ptr<Client> Server::nextReady() {
    for (auto it = clients_.begin(); it != clients_.end(); ++it) {
        Client& client = **it;
        if (client.waiting.empty() || (!client.gone && client.unsent >= kUnsentBytes)) continue;
        auto chosen = *it;
        clients_.erase(it);
        clients_.push_back(chosen);
        return chosen;
    }
    return nullptr;
}

void Server::work() {
    while (true) {
        std::shared_ptr<Client> client;
        Work work;
        {
            std::unique_lock lock(mutex_);
            ready_.wait(lock, [&] { return stopping_ || (client = nextReady()) != nullptr; });
            if (stopping_) return;
            work = std::move(client->waiting.front());
            client->waiting.pop_front();
            // Only a full queue has paused its socket; waking the socket thread for every line
            // would cost each query a thread switch.
            if (client->waiting.size() + 1 == kWaitingLines)
                asio::post(io_, [connection = client->connection] {
                    if (auto open = connection.lock()) open->resume();
                });
        }
        std::string answer;
        if (work.overrun)
            client->session.inputOverrun();
        else
            answer = client->session.executeLine(work.line, &stopping_);
        {
            const std::lock_guard lock(mutex_);
            client->unsent += answer.size();
            forgetGone();
        }
        if (!answer.empty())
            asio::post(io_, [connection = client->connection, answer = std::move(answer)] {
                if (auto open = connection.lock()) open->send(answer);
            });
    }
}

Server* gServer = nullptr;  // the one server of this process, for the port's body

int serve(Context& ctx, const std::vector<std::string>&) {
    Server server(ctx, parseOptions(ctx));
    StopSignals signals;
    // Not an error code of the program: our own line said why, and the exit status is 1.
    constexpr int kNotListening = 1;
    if (!server.listen()) return kNotListening;
    gServer = &server;
    // The port is opened as every command opens it, and closed after the last transaction.
    const int code = withOpenPort(
        ctx, [](Context&, const std::vector<std::string>&) { return gServer->serve(); }, {});
    gServer = nullptr;
    return code;
}

constexpr CommandOption kOptions[] = {
    {"--listen", true},
    {"--allow", true},
    {"--read-only", false},
    {"--max-clients", true},
};

}  // namespace

std::span<const Command> serveCommands() {
    static const Command commands[] = {
        {"serve",
         "[--listen ADDRESS:PORT] [--allow ADDRESS[/BITS]]... [--read-only] [--max-clients N]", 0,
         serve, true, kOptions},
    };
    return commands;
}

}  // namespace cli
