// tkv9d serve: the device as a SCPI instrument on a raw TCP socket. The sockets run on this
// thread with Asio; one worker thread owns the serial line and carries out one command at a
// time, taking the clients in turn command by command, so that no client waits while another
// one is typing or sends a long line, and no two transactions ever overlap on the line. The
// worker also reopens a port that went away (adapter unplugged) once it is back.

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#endif

#include <asio.hpp>

#include "cli/announce.h"
#include "cli/cli.h"
#include "cli/scpi.h"
#include "cli/serve_server.h"
#include "cli/vxi11.h"
#include "connection/vrlcom.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "platform/console/stop_signals.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli::serving {

namespace {

using namespace std::chrono_literals;

// How long the server waits before it accepts again after a failed accept.
constexpr auto kAcceptRetry = 100ms;
// How soon the server notices SIGINT or SIGTERM.
constexpr auto kSignalCheck = 50ms;
// How often a port that went away is tried again.
constexpr auto kReopenPeriod = 1s;
// How long a refused client is given to take the line that says why before it is closed.
constexpr auto kRefusalLinger = 1s;

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
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d serve",
                   "--listen braucht ADDRESS:PORT, wie 127.0.0.1:5025 oder [::1]:5025, nicht '%1'"),
            {text})};
    return {address, static_cast<unsigned short>(port)};
}

// IPv4 addresses are compared as IPv6 ones, ::ffff:a.b.c.d, so that a client is matched the
// same whether it came over an IPv4 or an IPv6 socket and whichever form --allow names it in.
asio::ip::address_v6 asV6(const asio::ip::address& address) {
    return address.is_v4() ? asio::ip::make_address_v6(asio::ip::v4_mapped, address.to_v4())
                           : address.to_v6();
}

Network parseNetwork(const std::string& text) {
    const std::size_t slash = text.find('/');
    asio::error_code bad;
    Network network{asio::ip::make_address(text.substr(0, slash), bad), 0};
    const bool v4 = network.address.is_v4();
    const int widest = v4 ? 32 : 128;
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
        throw UsageError{vrl::text::fill(
            VRL_TR("tkv9d serve",
                   "--allow braucht ADDRESS oder ADDRESS/BITS, wie 192.168.1.0/24, nicht '%1'"),
            {text})};
    if (v4) network.bits += 96;
    network.address = asV6(network.address);
    return network;
}

bool inNetwork(const Network& network, const asio::ip::address& client) {
    const auto a = asV6(client).to_bytes();
    const auto b = network.address.to_v6().to_bytes();
    for (int bit = 0; bit < network.bits; ++bit) {
        const int mask = 0x80 >> (bit % 8);
        if ((a[bit / 8] & mask) != (b[bit / 8] & mask)) return false;
    }
    return true;
}

ServeOptions parseOptions(const Context& ctx) {
    ServeOptions options;
    if (const auto listen = ctx.options.value("--listen")) options.listen = parseListen(*listen);
    for (const std::string& network : ctx.options.values("--allow"))
        options.allowed.push_back(parseNetwork(network));
    options.readOnly = ctx.options.has("--read-only");
    options.vxi11 = ctx.options.has("--vxi11");
    if (const auto clients = ctx.options.value("--max-clients")) {
        const long long count = parseInteger(*clients, "--max-clients");
        if (count < 1 || count > 1000)
            throw UsageError{VRL_TR("tkv9d serve", "--max-clients muss 1..1000 sein")};
        options.maxClients = static_cast<int>(count);
    }
    if (const auto timeout = ctx.options.value("--idle-timeout")) {
        const long long seconds = parseInteger(*timeout, "--idle-timeout");
        if (seconds < 0 || seconds > 86400)
            throw UsageError{VRL_TR("tkv9d serve", "--idle-timeout muss 0..86400 Sekunden sein")};
        options.idleTimeout = std::chrono::seconds(seconds);
    }
    return options;
}

}  // namespace

std::string endpointText(const tcp::endpoint& endpoint) {
    const std::string address = endpoint.address().to_string();
    return (endpoint.address().is_v6() ? "[" + address + "]" : address) + ':' +
           std::to_string(endpoint.port());
}

// One client's socket, on the socket thread only.
class Connection : public Peer, public std::enable_shared_from_this<Connection> {
  public:
    Connection(Server& server, tcp::socket socket)
        : server_(server), socket_(std::move(socket)), idle_(socket_.get_executor()) {}

    void start(std::shared_ptr<Client> client) {
        client_ = std::move(client);
#ifndef _WIN32
        // Windows' sockets stay with the socket thread: a send there from another thread
        // would block or bypass the completion port.
        direct_ = std::make_shared<DirectSend>();
        direct_->fd = socket_.native_handle();
        client_->direct = direct_;
#endif
        if (server_.idleTimeout().count() > 0) {
            lastActive_ = std::chrono::steady_clock::now();
            watchIdle(server_.idleTimeout());
        }
        read();
    }

    void read() {
        paused_ = false;
        socket_.async_read_some(asio::buffer(buffer_),
                                [self = shared_from_this()](asio::error_code ec, std::size_t n) {
                                    self->received(ec, n);
                                });
    }
    // The worker took a line; a paused socket is read again.
    void resume() override {
        if (paused_ && !closed_ && server_.mayRead(*client_)) read();
    }
    void deliver(const std::string& answer) override {
        if (closed_) {
            written(answer.size());
            return server_.sent(*client_, answer.size());
        }
        lastActive_ = std::chrono::steady_clock::now();
        outgoing_ += answer;
        if (writing_.empty()) writeNext();
    }
    void close() {
        if (closed_) return;
        closed_ = true;
        idle_.cancel();
        if (direct_) {
            const std::lock_guard lock(direct_->mutex);
            direct_->fd = -1;
        }
        asio::error_code ignored;
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
        // A line without its end is never carried out.
        partial_.clear();
        server_.sent(*client_, outgoing_.size());
        outgoing_.clear();
        server_.disconnected(*this, *client_);
    }

  private:
    void received(asio::error_code ec, std::size_t count) {
        if (ec) return close();
        lastActive_ = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < count; ++i) {
            const char c = buffer_[i];
            if (c == '\n') {
                if (!discarding_ && !partial_.empty()) server_.add(client_, {partial_});
                discarding_ = false;
                carriageReturn_ = false;
                partial_.clear();
                continue;
            }
            // A CR is held back until the next byte shows whether it ends the line: the line
            // is counted without its terminator, whichever the client sends.
            if (carriageReturn_) take('\r');
            carriageReturn_ = c == '\r';
            if (!carriageReturn_) take(c);
        }
        if (closed_) return;
        if (server_.mayRead(*client_))
            read();
        else
            paused_ = true;
    }
    void take(char c) {
        if (discarding_) return;
        if (partial_.size() < kLongestLine) {
            partial_ += c;
            return;
        }
        server_.add(client_, {{}, Work::Kind::kOverrun});
        partial_.clear();
        discarding_ = true;
    }
    // A client that sent nothing and was sent nothing for the idle time-out is closed.
    void watchIdle(std::chrono::steady_clock::duration wait) {
        idle_.expires_after(wait);
        idle_.async_wait([self = shared_from_this()](asio::error_code ec) {
            if (ec || self->closed_) return;
            auto last = self->lastActive_;
            if (self->direct_) {
                const std::lock_guard lock(self->direct_->mutex);
                last = std::max(last, self->direct_->lastSent);
            }
            const auto quiet = std::chrono::steady_clock::now() - last;
            const auto timeout = self->server_.idleTimeout();
            if (quiet < timeout) return self->watchIdle(timeout - quiet);
            self->server_.log("idle " + self->client_->peer + ": nothing for " +
                              std::to_string(timeout.count()) + " s (--idle-timeout)");
            self->close();
        });
    }
    void writeNext() {
        writing_.swap(outgoing_);
        asio::async_write(socket_, asio::buffer(writing_),
                          [self = shared_from_this()](asio::error_code ec, std::size_t) {
                              self->written(self->writing_.size());
                              self->server_.sent(*self->client_, self->writing_.size());
                              self->writing_.clear();
                              if (ec) return self->close();
                              if (!self->outgoing_.empty()) self->writeNext();
                          });
    }

    // Bytes the worker handed over are out of our hands; once none are left, the worker may
    // write the next answer itself.
    void written(std::size_t bytes) {
        if (!direct_) return;
        const std::lock_guard lock(direct_->mutex);
        direct_->queued -= std::min(direct_->queued, bytes);
    }

    Server& server_;
    tcp::socket socket_;
    std::shared_ptr<Client> client_;
    std::shared_ptr<DirectSend> direct_;
    std::array<char, 1024> buffer_{};
    std::string partial_;
    bool discarding_ = false;      // the rest of an over-long line
    bool carriageReturn_ = false;  // a CR came last, not yet taken into the line
    bool paused_ = false;
    bool closed_ = false;
    std::string outgoing_;
    std::string writing_;
    asio::steady_timer idle_;
    std::chrono::steady_clock::time_point lastActive_{};
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
    return !vxi11_ || vxi11_->listen();
}

int Server::serve() {
    log("listening on " + endpointText(acceptor_.local_endpoint()));
    if (options_.allowed.empty() && !options_.listen.address().is_loopback())
        log("warning: every host that reaches " + endpointText(options_.listen) +
            " may drive the device; name the bench's hosts with --allow");
    accept();
    if (vxi11_) vxi11_->start();
    announce();
    checkSignals();
    std::thread worker([this] { work(); });
    io_.run();
    // Off the network before the port closes.
    announcement_.reset();
    stopping_ = true;
    ready_.notify_all();
    // The worker finishes the command in hand; the port is closed after it.
    worker.join();
    return 0;
}

// A server on the loopback is for this host alone: announcing it would list an instrument that
// nobody else can open.
void Server::announce() {
    if (options_.listen.address().is_loopback()) return;
    std::vector<AnnouncedService> services{{"_scpi-raw._tcp", acceptor_.local_endpoint().port()}};
    // VXI-11 is found through the port mapper, so its port is the one announced.
    if (vxi11_ && vxi11_->findable()) services.push_back({"_vxi-11._tcp", 111});
    asio::error_code unknown;
    announcement_ = std::make_unique<Announcement>(
        announcedName(ctx_.port, ctx_.address, asio::ip::host_name(unknown)), std::move(services),
        options_.listen.address().to_string(), [this](const std::string& line) { log(line); });
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
        asio::error_code unknown;
        const tcp::endpoint peer = socket.remote_endpoint(unknown);
        const std::string who = endpointText(peer);
        std::string why;
        if (unknown) {
            // Reset before it was taken: there is nobody to serve, nor an address to log.
        } else if (!allowed(peer.address())) {
            log("refused " + who + ": not in --allow");
        } else if (connected_ >= options_.maxClients) {
            why = "already " + std::to_string(connected_) + " clients (--max-clients)";
            log("refused " + who + ": " + why);
            refuse(std::move(socket), "tkv9d serve: refused: " + why + "\n");
        } else {
            // A client whose host crashed or whose cable was pulled is noticed in the end.
            socket.set_option(asio::socket_base::keep_alive(true), unknown);
            // An answer goes out at once, not held back until the client acknowledged the last
            // one: a pipelining client would otherwise wait for its delayed acknowledgements.
            socket.set_option(tcp::no_delay(true), unknown);
            auto connection = std::make_shared<Connection>(*this, std::move(socket));
            connection->start(join(connection, who, why));
            connections_.push_back(connection);
        }
        asio::error_code ignored;
        socket.close(ignored);
        accept();
    });
}

// The line goes out, then the connection is shut down; what the client sent meanwhile is read
// and dropped, since closing a socket with unread bytes resets it and could lose the line.
void Server::refuse(tcp::socket socket, const std::string& why) {
    struct Refusal {
        Refusal(tcp::socket s, std::string line)
            : socket(std::move(s)), line(std::move(line)), linger(socket.get_executor()) {}
        tcp::socket socket;
        std::string line;
        asio::steady_timer linger;
        std::array<char, 256> dropped{};
        void drain(std::shared_ptr<Refusal> self) {
            socket.async_read_some(asio::buffer(dropped), [self](asio::error_code ec, std::size_t) {
                if (ec) {
                    self->linger.cancel();
                    return;
                }
                self->drain(self);
            });
        }
    };
    auto refusal = std::make_shared<Refusal>(std::move(socket), why);
    refusal->linger.expires_after(kRefusalLinger);
    refusal->linger.async_wait([refusal](asio::error_code) {
        asio::error_code ignored;
        refusal->socket.close(ignored);
    });
    asio::async_write(refusal->socket, asio::buffer(refusal->line),
                      [refusal](asio::error_code ec, std::size_t) {
                          asio::error_code ignored;
                          refusal->socket.shutdown(tcp::socket::shutdown_send, ignored);
                          if (ec) {
                              refusal->linger.cancel();
                              return;
                          }
                          refusal->drain(refusal);
                      });
}

void Server::checkSignals() {
    if (console::StopSignals::received() != 0) return stop();
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
    // Each close takes its connection off the list.
    for (const auto& connection : std::vector(connections_)) connection->close();
    if (vxi11_) vxi11_->stop();
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
    bool heldBack = false;
    {
        const std::lock_guard lock(mutex_);
        heldBack = client.unsent >= kUnsentBytes;
        client.unsent -= std::min(client.unsent, bytes);
    }
    // Only a client held back by its unread answers can have become ready; waking the worker
    // for every answer would cost each query a futex call.
    if (heldBack) ready_.notify_one();
}

Server::Server(Context& ctx, ServeOptions options)
    : ctx_(ctx), options_(std::move(options)), acceptor_(io_), signals_(io_), acceptRetry_(io_) {
    if (options_.vxi11) vxi11_ = std::make_unique<Vxi11>(*this);
}

Server::~Server() = default;

bool Server::allowed(const asio::ip::address& address) const {
    bool allowed = options_.allowed.empty();
    for (const Network& network : options_.allowed)
        allowed = allowed || inNetwork(network, address);
    return allowed;
}

std::shared_ptr<Client> Server::join(const std::shared_ptr<Peer>& peer, const std::string& who,
                                     std::string& why) {
    if (connected_ >= options_.maxClients) {
        why = "already " + std::to_string(connected_) + " clients (--max-clients)";
        return nullptr;
    }
    auto client = std::make_shared<Client>(
        scpi::Session(ctx_.port, ctx_.address, options_.readOnly, &line_), who);
    client->connection = peer;
    {
        const std::lock_guard lock(mutex_);
        clients_.push_back(client);
    }
    ++connected_;
    log("connected " + who);
    return client;
}

void Server::leave(Client& client) {
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

void Server::dropWaiting(Client& client) {
    const std::lock_guard lock(mutex_);
    client.waiting.clear();
}

void Server::disconnected(const Connection& connection, Client& client) {
    std::erase_if(connections_, [&](const auto& each) { return each.get() == &connection; });
    leave(client);
}

// The first client in turn with a command to carry out (the next of a line under way, or a new
// line) whose answers are being taken; it goes to the back of the turn. Called with the mutex
// held.
std::shared_ptr<Client> Server::nextReady() {
    for (auto it = clients_.begin(); it != clients_.end(); ++it) {
        Client& client = **it;
        if (!client.inLine &&
            (client.waiting.empty() || (!client.gone && client.unsent >= kUnsentBytes)))
            continue;
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
        std::optional<Work> work;
        {
            std::unique_lock lock(mutex_);
            auto ready = [&] { return stopping_ || (client = nextReady()) != nullptr; };
            // While the port is away it is tried again about once a second, clients or not.
            if (line_.missing)
                ready_.wait_for(lock, kReopenPeriod, ready);
            else
                ready_.wait(lock, ready);
            if (stopping_) return;
            if (client != nullptr && !client->inLine) {
                work = std::move(client->waiting.front());
                client->waiting.pop_front();
                client->inLine = work->kind == Work::Kind::kLine;
                // Only a full queue has paused its socket; waking the socket thread for every
                // line would cost each query a thread switch.
                if (client->waiting.size() + 1 == kWaitingLines)
                    asio::post(io_, [connection = client->connection] {
                        if (auto open = connection.lock()) open->resume();
                    });
            }
        }
        if (client == nullptr) {
            watchLine();
            continue;
        }
        scpi::Session& session = client->session;
        const Work::Kind kind = work ? work->kind : Work::Kind::kLine;
        if (work && kind == Work::Kind::kOverrun)
            session.inputOverrun();
        else if (work && kind == Work::Kind::kLine)
            session.beginLine(work->line);
        else if (kind == Work::Kind::kClear)
            session.clearStatus();
        const int status = kind == Work::Kind::kStatusByte ? session.statusByte() : 0;
        // One command, then the next client's turn; the rest of the line waits for this
        // client's next turn, in order.
        const bool more = session.inLine() && session.step(&stopping_);
        std::string answer;
        if (!more && session.inLine()) answer = session.finishLine();
        if (!answer.empty() && client->direct) answer.erase(0, client->direct->give(answer));
        {
            const std::lock_guard lock(mutex_);
            client->inLine = more;
            client->unsent += answer.size();
            forgetGone();
        }
        if (!answer.empty())
            asio::post(io_, [connection = client->connection, answer = std::move(answer)] {
                if (auto open = connection.lock()) open->deliver(answer);
            });
        if (kind == Work::Kind::kStatusByte || kind == Work::Kind::kClear)
            asio::post(io_, [connection = client->connection, kind, status] {
                auto open = connection.lock();
                if (open && kind == Work::Kind::kStatusByte) open->deliverStatusByte(status);
                if (open && kind == Work::Kind::kClear) open->cleared();
            });
        watchLine();
    }
}

std::size_t DirectSend::give(const std::string& answer) {
#ifdef _WIN32
    (void)answer;
    return 0;
#else
    const std::lock_guard lock(mutex);
    std::size_t taken = 0;
    if (fd >= 0 && queued == 0) {
        // Never blocks: what the socket's buffer does not take goes the socket thread's way.
        const ssize_t sent = ::send(fd, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent > 0) {
            taken = static_cast<std::size_t>(sent);
            lastSent = std::chrono::steady_clock::now();
        }
    }
    queued += answer.size() - taken;
    return taken;
#endif
}

void Server::watchLine() {
    const int port = ctx_.port;
    if (!line_.missing) {
        if (!vrl::driver::portGone(port)) return;
        VRLTKV9D_Close(port);
        line_.missing = true;
        lastReopen_ = std::chrono::steady_clock::now();
        log("COM " + std::to_string(port) +
            " is gone (device unplugged?); serve tries it again every second");
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastReopen_ < kReopenPeriod) return;
    lastReopen_ = now;
    std::string id;
    if (reopenPort(ctx_, id) != 0) return;
    // Another device on the path the port had (a different adapter plugged in) is not driven.
    if (id.rfind(vrl::com::kDeviceIdPrefix, 0) != 0 ||
        (!identification_.empty() && id != identification_)) {
        VRLTKV9D_Close(port);
        // Said once, not at every try while it stays plugged in.
        if (id != refused_)
            log("COM " + std::to_string(port) + " is back, but leads to another device (" + id +
                "); not used");
        refused_ = id;
        return;
    }
    refused_.clear();
    identification_ = id;
    line_.missing = false;
    log("COM " + std::to_string(port) + " is back: " + id);
}

}  // namespace cli::serving

namespace cli {

namespace {

using serving::Server;

Server* gServer = nullptr;  // the one server of this process, for the port's body

int serve(Context& ctx, const std::vector<std::string>&) {
    Server server(ctx, serving::parseOptions(ctx));
    console::StopSignals signals;
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
    {"--listen", true},      {"--allow", true},        {"--read-only", false},
    {"--max-clients", true}, {"--idle-timeout", true}, {"--vxi11", false},
};

std::string help() {
    return VRL_TR(
        "tkv9d serve",
        "Das Gerät als SCPI-Instrument an einem rohen TCP-Socket (VISA:\n"
        "TCPIP0::HOST::5025::SOCKET), eine Zeile je Nachricht, LF an ihrem Ende. Protokolliert\n"
        "auf stderr; SIGINT oder SIGTERM beenden es mit 0.\n"
        "Optionen:\n"
        "  --listen ADDRESS:PORT  wo gelauscht wird (Vorgabe 127.0.0.1:5025; [::1]:5025 für IPv6)\n"
        "  --allow ADDRESS[/BITS] nur diese Rechner bedienen; wiederholbar (Vorgabe: jeden\n"
        "                         Rechner, der die Adresse erreicht; eine Warnung, außer beim\n"
        "                         Loopback)\n"
        "  --read-only            jeden Befehl ablehnen, der das Gerät ändert (-203)\n"
        "  --max-clients N        Clients zugleich, 1..1000 (Vorgabe 8); ein weiterer erfährt\n"
        "                         den Grund und wird geschlossen\n"
        "  --idle-timeout SECONDS einen Client schließen, der so lange nichts sandte (Vorgabe 0:\n"
        "                         nie)\n"
        "  --vxi11                auch ein VXI-11-Instrument (VISA: TCPIP0::HOST::inst0::INSTR),\n"
        "                         gefunden über den Port-Mapper an Port 111\n"
        "Eine Schnittstelle, die verschwindet (Adapter abgezogen), wird jede Sekunde neu\n"
        "versucht; solange sie fort ist, antworten Abfragen -241, und nichts wird gesendet.\n");
}

}  // namespace

std::span<const Command> serveCommands() {
    static const Command commands[] = {
        {"serve",
         "[--listen ADDRESS:PORT] [--allow ADDRESS[/BITS]]... [--read-only] [--max-clients N] "
         "[--idle-timeout SECONDS] [--vxi11]",
         0, serve, true, kOptions, help},
    };
    return commands;
}

}  // namespace cli
