#include "cli/vxi11.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#endif

#include <asio.hpp>

#include "cli/rpc.h"
#include "cli/serve_server.h"

namespace cli::serving {

namespace {

using asio::ip::udp;

constexpr std::uint32_t kCoreVersion = 1;
constexpr std::uint32_t kPortMapperVersion = 2;
constexpr unsigned short kPortMapperPort = 111;

// The core channel's procedures, and the abort channel's one.
enum Procedure : std::uint32_t {
    kCreateLink = 10,
    kDeviceWrite = 11,
    kDeviceRead = 12,
    kDeviceReadStb = 13,
    kDeviceTrigger = 14,
    kDeviceClear = 15,
    kDeviceRemote = 16,
    kDeviceLocal = 17,
    kDeviceLock = 18,
    kDeviceUnlock = 19,
    kDeviceEnableSrq = 20,
    kDeviceDoCmd = 22,
    kDestroyLink = 23,
    kCreateIntrChan = 25,
    kDestroyIntrChan = 26,
    kDeviceAbort = 1,
};

enum PortMapperProcedure : std::uint32_t {
    kPmapNull = 0,
    kPmapSet = 1,
    kPmapUnset = 2,
    kPmapGetPort = 3,
    kPmapDump = 4,
};

// Device_ErrorCode.
enum ErrorCode : std::uint32_t {
    kNoError = 0,
    kDeviceNotAccessible = 3,
    kInvalidLink = 4,
    kParameterError = 5,
    kNotSupported = 8,
    kOutOfResources = 9,
    kLockedByAnother = 11,
    kNoLockHeld = 12,
    kIoTimeout = 15,
    kAborted = 23,
};

// Device_Flags and the reasons a read ended.
constexpr std::uint32_t kWaitLock = 0x01;
constexpr std::uint32_t kEnd = 0x08;
constexpr std::uint32_t kTermCharSet = 0x80;
constexpr std::uint32_t kReasonRequestCount = 0x01;
constexpr std::uint32_t kReasonChar = 0x02;
constexpr std::uint32_t kReasonEnd = 0x04;

// Status byte bit: an answer waits to be read.
constexpr int kMessageAvailable = 0x10;

// The largest device_write we take, announced as maxRecvSize; a longer message comes in several
// writes and is joined. Not larger: some clients (pyvisa-py) mark a message's END only on a
// last piece of at most 1 KiB, and would never end one between 1 and maxRecvSize bytes long.
constexpr std::size_t kMaxReceive = 1024;
// A record holds a call's header, credential and arguments besides the data.
constexpr std::size_t kLongestRecord = kMaxReceive + 1024;
// A message that grows beyond this before its END is thrown away and reported (-363), as an
// over-long line is.
constexpr std::size_t kLongestMessage = kLongestLine + 2;
constexpr std::size_t kLongestDeviceName = 256;

// How long the server waits for rpcbind to take or drop its registration.
constexpr auto kRpcbindWait = std::chrono::milliseconds(500);

std::string deviceError(std::uint32_t code) {
    rpc::Writer w;
    w.u32(code);
    return w.bytes();
}

// "inst0" in any case: the one device this instrument has.
bool isDeviceName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "inst0";
}

enum class ChannelKind { kCore, kAbort, kPortMapper };

// Where a device_read of `requestSize` bytes, ended early by a termination character when
// `flags` ask for one, ends in `output`: the bytes it takes, and why it ended.
struct ReadEnd {
    std::size_t count;
    std::uint32_t reason;
};

ReadEnd readEnd(std::string_view output, std::uint32_t requestSize, std::uint32_t flags,
                std::uint32_t termChar) {
    std::size_t count = std::min<std::size_t>(requestSize, output.size());
    std::uint32_t reason = 0;
    if ((flags & kTermCharSet) != 0) {
        const std::size_t at = output.find(static_cast<char>(termChar & 0xFF));
        if (at != std::string_view::npos && at < count) {
            count = at + 1;
            reason |= kReasonChar;
        }
    }
    // Every answer ends with LF: a read that took one took a whole message.
    if (count > 0 && output[count - 1] == '\n') reason |= kReasonEnd;
    if (count == requestSize && (reason & kReasonEnd) == 0) reason |= kReasonRequestCount;
    return {count, reason};
}

std::string readResults(std::string_view data, std::uint32_t reason) {
    return rpc::Writer().u32(kNoError).u32(reason).opaque(data).bytes();
}

}  // namespace

class Channel;
class Link;

// A device_read the worker may answer itself when the answer it has just made is all the read
// takes: the socket thread then wakes only for the client's next call. The socket thread arms
// it while the read waits on its own channel with nothing else to write there; the worker's
// reply and the socket thread's time-out, abort or close decide under the mutex which of them
// answers the read.
class DirectRead final : public DirectAnswer {
  public:
    DirectRead(asio::io_context& io, std::weak_ptr<Link> link) : io_(io), link_(std::move(link)) {}
    std::size_t give(const std::string& answer) override;

    std::mutex mutex;
    int fd = -1;  // guarded; the channel's socket while a read is armed, else -1
    std::uint32_t xid = 0, requestSize = 0, flags = 0, termChar = 0;  // guarded; that read's
    bool answered = false;  // guarded; the worker replied, the socket thread has not yet settled
    std::string rest;       // guarded; what of that reply the socket did not take
    int handedOver = 0;     // guarded; answers left to the socket thread, not yet delivered

  private:
    asio::io_context& io_;
    const std::weak_ptr<Link> link_;
};

// A link of the core channel: one client of the server. At most one of its calls waits at a
// time (its channel runs no further call meanwhile): a read for an answer, a write for room
// in the client's queue, a serial poll for the worker, a call for the lock.
class Link : public Peer, public std::enable_shared_from_this<Link> {
  public:
    Link(Vxi11::State& owner, std::uint32_t id, std::weak_ptr<Channel> channel);

    std::uint32_t id() const { return id_; }
    const std::weak_ptr<Channel>& channel() const { return channel_; }
    std::shared_ptr<Client> client;

    void deliver(const std::string& answer) override;
    void resume() override;
    void deliverStatusByte(int status) override;
    void cleared() override { discarding_ = false; }

    // Each answers the call `xid` at once or when what it waits for has come; a failure's
    // results are the error code followed by `tail`.
    void answerNow(std::uint32_t xid, std::string results);
    void write(std::uint32_t xid, std::uint32_t flags, std::uint32_t ioTimeout, std::string data);
    // `caller` is the channel the call came on, only compared.
    void read(std::uint32_t xid, std::uint32_t requestSize, std::uint32_t flags,
              std::uint32_t termChar, std::uint32_t ioTimeout, const Channel* caller);
    void readStatusByte(std::uint32_t xid, std::uint32_t ioTimeout);
    void clear();
    // Waits in turn for the lock to be free, up to `timeoutMs`, then runs `then`, which
    // answers the call; a time-out answers kLockedByAnother and runs `failed`.
    void awaitLock(std::uint32_t xid, std::uint32_t timeoutMs, std::string tail,
                   std::function<void()> then, std::function<void()> failed = {});
    bool awaitsLock() const { return pending_ && pending_->then != nullptr; }
    // The lock is free: the call that waited for it goes on.
    void proceed();
    void abort();
    // The link ends: nothing waits any longer, nothing of an unfinished message runs.
    void close();
    // Lets the worker answer this link's reads; before its first line.
    void answerDirectly();
    // A read the worker answered is settled: it waits no longer, and what of its reply the
    // socket did not take is written before anything else. Unless `keepArmed`, the worker may
    // no longer answer a read that still waits. True when the worker had answered.
    bool settleRead(bool keepArmed = false);

  private:
    struct Pending {
        enum class What { kRead, kWrite, kStatusByte, kLock };
        Pending(What what, std::uint32_t xid, std::string tail = {})
            : what(what), xid(xid), tail(std::move(tail)) {}
        What what;
        std::uint32_t xid;
        std::string tail;  // a failure's results after the error code
        std::uint32_t requestSize = 0;
        std::uint32_t flags = 0;
        std::uint32_t termChar = 0;
        std::string data;  // a write's, until there is room for it
        std::function<void()> then;
        std::function<void()> failed;
    };

    void wait(Pending pending, std::uint32_t timeoutMs, std::uint32_t timeoutError);
    void reply(const std::string& results);
    void fail(std::uint32_t error);
    void take(std::string data, std::uint32_t flags);
    std::string readResults();
    void arm(const Channel* caller);

    Vxi11::State& owner_;
    const std::uint32_t id_;
    std::weak_ptr<Channel> channel_;
    asio::steady_timer timer_;
    std::optional<Pending> pending_;
    std::string message_;      // a device_write's data until its END
    bool overrun_ = false;     // the message outgrew kLongestMessage; thrown away at its END
    std::string output_;       // answers not yet read
    bool discarding_ = false;  // answers of lines from before a device clear
    bool closed_ = false;
    std::shared_ptr<DirectRead> direct_;  // none on Windows
};

class Vxi11::State {
  public:
    explicit State(Server& server)
        : server(server),
          core(server.io()),
          abort(server.io()),
          mapper(server.io()),
          mapperUdp(server.io()) {}

    Server& server;
    tcp::acceptor core;
    tcp::acceptor abort;
    tcp::acceptor mapper;
    udp::socket mapperUdp;
    bool ownMapper = false;
    bool registered = false;
    std::map<std::uint32_t, std::shared_ptr<Link>> links;
    std::vector<std::shared_ptr<Channel>> channels;
    std::uint32_t nextLink = 1;
    // The link that holds the lock, 0 for none, and the links waiting for it in turn.
    std::uint32_t lockHolder = 0;
    std::deque<std::uint32_t> lockWaiters;

    unsigned short corePort() const { return core.local_endpoint().port(); }
    void accept(tcp::acceptor& acceptor, ChannelKind kind);
    void receiveMapperDatagram();
    bool rpcbind(std::uint32_t procedure);
    // The reply to one call on a channel of `kind`; empty when it waits (the link answers
    // later) or when there is nothing to answer.
    std::optional<std::string> answer(const std::shared_ptr<Channel>& channel, ChannelKind kind,
                                      const rpc::Call& call);
    std::string portMapper(const rpc::Call& call, rpc::Reader& r, bool& garbage);
    // Empty with `waits` when the link answers later, with `garbage` for arguments that break
    // their type, else for an unknown procedure.
    std::optional<std::string> coreCall(const std::shared_ptr<Channel>& channel,
                                        const rpc::Call& call, rpc::Reader& r, bool& garbage,
                                        bool& waits);
    std::shared_ptr<Link> link(std::uint32_t id) {
        const auto it = links.find(id);
        return it == links.end() ? nullptr : it->second;
    }
    // Whether `id` may act now: the lock is free or its own.
    bool mayAct(std::uint32_t id) const { return lockHolder == 0 || lockHolder == id; }
    void release(std::uint32_t id);
    void destroy(std::uint32_t id);
    void closed(Channel& channel);
    std::array<char, 2048> datagram{};
    udp::endpoint sender;
};

// One TCP connection of the core, abort or port mapper channel: calls are answered one after
// the other; while a call waits (a read for its answer, a lock), nothing further is read.
class Channel : public std::enable_shared_from_this<Channel> {
  public:
    Channel(Vxi11::State& owner, tcp::socket socket, ChannelKind kind)
        : owner_(owner), socket_(std::move(socket)), kind_(kind), records_(kLongestRecord) {}

    void start() { read(); }
    void reply(const std::string& message) {
        settleArmed();
        send(rpc::recordMark(message));
    }
    // Bytes of replies, already marked.
    void send(std::string bytes) {
        outgoing_.push_back(std::move(bytes));
        if (outgoing_.size() == 1) writeNext();
    }
    // Nothing of ours is being written, and no call waits to run after the one in hand: the
    // worker may write that call's reply itself, as no other reply can come before it.
    bool quiet() const { return outgoing_.empty() && calls_.empty() && !closed_; }
    int nativeHandle() { return static_cast<int>(socket_.native_handle()); }
    std::uint32_t armed = 0;  // the link whose read the worker may answer here, 0 for none
    // The call that waited was answered: the next one may run.
    void resumeCalls() {
        waiting_ = false;
        // A call answered while it is being dispatched: the loop there goes on.
        if (!dispatching_) runCalls();
    }
    void close() {
        if (closed_) return;
        closed_ = true;
        // The worker writes no more to the socket once it is closed.
        settleArmed();
        asio::error_code ignored;
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
        owner_.closed(*this);
    }
    std::vector<std::uint32_t> links;  // created through this channel

  private:
    void read() {
        socket_.async_read_some(asio::buffer(buffer_),
                                [self = shared_from_this()](asio::error_code ec, std::size_t n) {
                                    if (ec || self->closed_) return self->close();
                                    self->records_.feed({self->buffer_.data(), n}, self->calls_);
                                    self->reading_ = false;
                                    // Mostly the client's next call, after the worker answered
                                    // the read before it. A call that comes while the read
                                    // still waits leaves the answer to this thread, which alone
                                    // runs that call once the read is answered.
                                    if (self->armed != 0)
                                        if (auto link = self->owner_.link(self->armed))
                                            link->settleRead(self->calls_.empty());
                                    self->runCalls();
                                });
        reading_ = true;
    }
    void runCalls() {
        while (!closed_ && !waiting_ && !calls_.empty()) {
            const rpc::Record record = std::move(calls_.front());
            calls_.erase(calls_.begin());
            rpc::Call call;
            rpc::CallCheck check = rpc::parseCall(record.message, call);
            // Too long for any call here: its head says whom to tell.
            if (record.tooLong && check != rpc::CallCheck::kIgnore)
                check = rpc::CallCheck::kGarbage;
            if (check != rpc::CallCheck::kCall) {
                if (const std::string refusal = rpc::refusal(call.xid, check); !refusal.empty())
                    reply(refusal);
                continue;
            }
            // Until the link answers, unless it does so at once.
            waiting_ = true;
            dispatching_ = true;
            const auto answer = owner_.answer(shared_from_this(), kind_, call);
            dispatching_ = false;
            if (answer) {
                waiting_ = false;
                reply(*answer);
            }
        }
        // Read on while a call waits, but no further than one call ahead: the next call is
        // what tells that the worker has answered a read.
        if (!closed_ && calls_.empty() && !reading_) read();
    }
    void settleArmed() {
        if (armed == 0) return;
        if (auto link = owner_.link(armed)) link->settleRead();
        armed = 0;
    }
    void writeNext() {
        asio::async_write(socket_, asio::buffer(outgoing_.front()),
                          [self = shared_from_this()](asio::error_code ec, std::size_t) {
                              if (ec) return self->close();
                              self->outgoing_.pop_front();
                              if (!self->outgoing_.empty()) self->writeNext();
                          });
    }

    Vxi11::State& owner_;
    tcp::socket socket_;
    const ChannelKind kind_;
    rpc::RecordAssembler records_;
    std::array<char, 8192> buffer_{};
    std::vector<rpc::Record> calls_;
    std::deque<std::string> outgoing_;
    bool reading_ = false;
    bool waiting_ = false;
    bool dispatching_ = false;
    bool closed_ = false;
};

// --- Link ---

Link::Link(Vxi11::State& owner, std::uint32_t id, std::weak_ptr<Channel> channel)
    : owner_(owner), id_(id), channel_(std::move(channel)), timer_(owner.server.io()) {}

void Link::reply(const std::string& results) {
    const std::uint32_t xid = pending_->xid;
    pending_.reset();
    timer_.cancel();
    if (auto channel = channel_.lock()) {
        channel->reply(rpc::acceptedReply(xid, rpc::AcceptStatus::kSuccess, results));
        channel->resumeCalls();
    }
}

void Link::fail(std::uint32_t error) {
    std::erase(owner_.lockWaiters, id_);
    if (pending_->failed) pending_->failed();
    reply(rpc::Writer().u32(error).bytes() + pending_->tail);
}

void Link::answerNow(std::uint32_t xid, std::string results) {
    settleRead();
    pending_.emplace(Pending::What::kLock, xid);
    reply(results);
}

void Link::wait(Pending pending, std::uint32_t timeoutMs, std::uint32_t timeoutError) {
    settleRead();
    pending_ = std::move(pending);
    timer_.expires_after(std::chrono::milliseconds(timeoutMs));
    timer_.async_wait([self = weak_from_this(), timeoutError](asio::error_code ec) {
        auto link = self.lock();
        if (!ec && link && !link->settleRead() && link->pending_) link->fail(timeoutError);
    });
}

void Link::awaitLock(std::uint32_t xid, std::uint32_t timeoutMs, std::string tail,
                     std::function<void()> then, std::function<void()> failed) {
    owner_.lockWaiters.push_back(id_);
    Pending pending(Pending::What::kLock, xid, std::move(tail));
    pending.then = std::move(then);
    pending.failed = std::move(failed);
    wait(std::move(pending), timeoutMs, kLockedByAnother);
}

void Link::proceed() {
    auto then = std::move(pending_->then);
    pending_.reset();
    timer_.cancel();
    then();
}

void Link::abort() {
    if (!settleRead() && pending_) fail(kAborted);
}

void Link::take(std::string data, std::uint32_t flags) {
    if (!overrun_ && message_.size() + data.size() <= kLongestMessage) {
        message_ += data;
    } else {
        overrun_ = true;
        message_.clear();
    }
    if ((flags & kEnd) == 0) return;
    // The message is complete: its lines run, each as a line of the raw socket would.
    if (overrun_) owner_.server.add(client, {{}, Work::Kind::kOverrun});
    for (std::size_t begin = 0; !overrun_ && begin < message_.size();) {
        std::size_t end = message_.find('\n', begin);
        if (end == std::string::npos) end = message_.size();
        std::string line = message_.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) owner_.server.add(client, {std::move(line)});
        begin = end + 1;
    }
    message_.clear();
    overrun_ = false;
}

void Link::write(std::uint32_t xid, std::uint32_t flags, std::uint32_t ioTimeout,
                 std::string data) {
    const std::string done = rpc::Writer().u32(kNoError).u32(std::uint32_t(data.size())).bytes();
    // A client that writes faster than its lines are carried out waits for its reply, as a
    // raw socket's client waits for TCP; what it wrote is taken when there is room.
    if (owner_.server.mayRead(*client)) {
        take(std::move(data), flags);
        return answerNow(xid, done);
    }
    Pending pending(Pending::What::kWrite, xid, rpc::Writer().u32(0).bytes());
    pending.flags = flags;
    pending.data = std::move(data);
    wait(std::move(pending), ioTimeout, kIoTimeout);
}

void Link::resume() {
    if (!pending_ || pending_->what != Pending::What::kWrite || !owner_.server.mayRead(*client))
        return;
    const auto size = static_cast<std::uint32_t>(pending_->data.size());
    take(std::move(pending_->data), pending_->flags);
    reply(rpc::Writer().u32(kNoError).u32(size).bytes());
}

std::string Link::readResults() {
    const ReadEnd end =
        readEnd(output_, pending_->requestSize, pending_->flags, pending_->termChar);
    const std::string results = cli::serving::readResults({output_.data(), end.count}, end.reason);
    output_.erase(0, end.count);
    owner_.server.sent(*client, end.count);
    return results;
}

void Link::read(std::uint32_t xid, std::uint32_t requestSize, std::uint32_t flags,
                std::uint32_t termChar, std::uint32_t ioTimeout, const Channel* caller) {
    Pending pending(Pending::What::kRead, xid, rpc::Writer().u32(0).opaque({}).bytes());
    pending.requestSize = requestSize;
    pending.flags = flags;
    pending.termChar = termChar;
    if (output_.empty()) {
        wait(std::move(pending), ioTimeout, kIoTimeout);
        return arm(caller);
    }
    pending_ = std::move(pending);
    reply(readResults());
}

void Link::answerDirectly() {
#ifndef _WIN32
    // Windows' sockets stay with the socket thread, as a raw socket's do there.
    direct_ = std::make_shared<DirectRead>(owner_.server.io(), weak_from_this());
    client->direct = direct_;
#endif
}

void Link::arm(const Channel* caller) {
    const auto channel = channel_.lock();
    // On the read's own channel no other call runs until it is answered, so nothing else is
    // written there meanwhile.
    if (!direct_ || discarding_ || !channel || channel.get() != caller || !channel->quiet()) return;
    const std::lock_guard lock(direct_->mutex);
    direct_->fd = channel->nativeHandle();
    direct_->xid = pending_->xid;
    direct_->requestSize = pending_->requestSize;
    direct_->flags = pending_->flags;
    direct_->termChar = pending_->termChar;
    channel->armed = id_;
}

bool Link::settleRead(bool keepArmed) {
    if (!direct_) return false;
    std::string rest;
    bool answered = false;
    {
        const std::lock_guard lock(direct_->mutex);
        answered = direct_->answered;
        if (!answered && keepArmed) return false;
        direct_->fd = -1;
        direct_->answered = false;
        rest.swap(direct_->rest);
    }
    const auto channel = channel_.lock();
    if (channel && channel->armed == id_) channel->armed = 0;
    if (!answered) return false;
    pending_.reset();
    timer_.cancel();
    if (channel) {
        if (!rest.empty()) channel->send(std::move(rest));
        channel->resumeCalls();
    }
    return true;
}

std::size_t DirectRead::give(const std::string& answer) {
#ifdef _WIN32
    (void)answer;
    return 0;
#else
    bool partly = false;
    {
        const std::lock_guard lock(mutex);
        const auto handOver = [this] {
            ++handedOver;
            return 0;
        };
        // An earlier answer the socket thread has not yet delivered comes first.
        if (fd < 0 || handedOver > 0) return handOver();
        const ReadEnd end = readEnd(answer, requestSize, flags, termChar);
        // A read that ends inside the answer leaves the rest for the next read, which the
        // socket thread keeps.
        if (end.count != answer.size()) return handOver();
        const std::string record = rpc::recordMark(
            rpc::acceptedReply(xid, rpc::AcceptStatus::kSuccess, readResults(answer, end.reason)));
        // Never blocks: a socket that takes nothing leaves the answer to the socket thread.
        const ssize_t sent = ::send(fd, record.data(), record.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent <= 0) return handOver();
        fd = -1;
        answered = true;
        rest = record.substr(static_cast<std::size_t>(sent));
        partly = !rest.empty();
    }
    // The socket thread writes the rest at once, not when the client's next call comes: the
    // client waits for it.
    if (partly)
        asio::post(io_, [link = link_] {
            if (auto open = link.lock()) open->settleRead();
        });
    return answer.size();
#endif
}

void Link::deliver(const std::string& answer) {
    if (direct_) {
        const std::lock_guard lock(direct_->mutex);
        --direct_->handedOver;
    }
    settleRead();
    if (closed_ || discarding_) {
        owner_.server.sent(*client, answer.size());
        return;
    }
    output_ += answer;
    if (pending_ && pending_->what == Pending::What::kRead) reply(readResults());
}

void Link::readStatusByte(std::uint32_t xid, std::uint32_t ioTimeout) {
    owner_.server.add(client, {{}, Work::Kind::kStatusByte});
    wait(Pending(Pending::What::kStatusByte, xid, rpc::Writer().u32(0).bytes()), ioTimeout,
         kIoTimeout);
}

void Link::deliverStatusByte(int status) {
    if (!pending_ || pending_->what != Pending::What::kStatusByte) return;
    if (!output_.empty()) status |= kMessageAvailable;
    reply(rpc::Writer().u32(kNoError).u32(static_cast<std::uint32_t>(status)).bytes());
}

void Link::clear() {
    settleRead();
    message_.clear();
    overrun_ = false;
    owner_.server.dropWaiting(*client);
    owner_.server.sent(*client, output_.size());
    output_.clear();
    // A line under way finishes, but its answer is not for the client any more.
    discarding_ = true;
    owner_.server.add(client, {{}, Work::Kind::kClear});
}

void Link::close() {
    if (closed_) return;
    settleRead();
    closed_ = true;
    timer_.cancel();
    pending_.reset();
    message_.clear();
    owner_.server.sent(*client, output_.size());
    output_.clear();
    owner_.server.leave(*client);
}

// --- State ---

void Vxi11::State::accept(tcp::acceptor& acceptor, ChannelKind kind) {
    acceptor.async_accept([this, &acceptor, kind](asio::error_code ec, tcp::socket socket) {
        if (ec == asio::error::operation_aborted) return;
        asio::error_code unknown;
        const tcp::endpoint peer = socket.remote_endpoint(unknown);
        if (!ec && !unknown && server.allowed(peer.address())) {
            socket.set_option(asio::socket_base::keep_alive(true), unknown);
            socket.set_option(tcp::no_delay(true), unknown);
            auto channel = std::make_shared<Channel>(*this, std::move(socket), kind);
            channels.push_back(channel);
            channel->start();
        } else if (!ec && !unknown) {
            server.log("refused " + endpointText(peer) + ": not in --allow (VXI-11)");
        }
        accept(acceptor, kind);
    });
}

void Vxi11::State::closed(Channel& channel) {
    for (const std::uint32_t id : std::vector(channel.links)) destroy(id);
    std::erase_if(channels, [&](const auto& each) { return each.get() == &channel; });
}

void Vxi11::State::release(std::uint32_t id) {
    if (lockHolder != id) return;
    lockHolder = 0;
    // The links waiting go on in turn: a lock call takes the lock, and the others wait on;
    // any other call is carried out.
    while (lockHolder == 0 && !lockWaiters.empty()) {
        const auto waiter = link(lockWaiters.front());
        lockWaiters.pop_front();
        if (waiter && waiter->awaitsLock()) waiter->proceed();
    }
}

void Vxi11::State::destroy(std::uint32_t id) {
    const auto found = link(id);
    if (!found) return;
    links.erase(id);
    std::erase(lockWaiters, id);
    if (auto channel = found->channel().lock()) std::erase(channel->links, id);
    found->close();
    release(id);
}

std::optional<std::string> Vxi11::State::answer(const std::shared_ptr<Channel>& channel,
                                                ChannelKind kind, const rpc::Call& call) {
    const std::uint32_t program = kind == ChannelKind::kCore    ? rpc::kVxi11Core
                                  : kind == ChannelKind::kAbort ? rpc::kVxi11Abort
                                                                : rpc::kPortMapper;
    const std::uint32_t version = kind == ChannelKind::kPortMapper ? kPortMapperVersion : 1;
    if (call.program != program)
        return rpc::acceptedReply(call.xid, rpc::AcceptStatus::kProgramUnavailable);
    if (call.version != version) return rpc::programMismatchReply(call.xid, version, version);
    rpc::Reader r(call.arguments);
    bool garbage = false;
    std::optional<std::string> results;
    if (kind == ChannelKind::kPortMapper) {
        results = portMapper(call, r, garbage);
    } else if (kind == ChannelKind::kAbort) {
        std::uint32_t id = 0;
        if (call.procedure != kDeviceAbort)
            return rpc::acceptedReply(call.xid, rpc::AcceptStatus::kProcedureUnavailable);
        garbage = !r.u32(id) || !r.finished();
        const auto found = garbage ? nullptr : link(id);
        if (found) found->abort();
        results = deviceError(found ? kNoError : kInvalidLink);
    } else {
        bool waits = false;
        results = coreCall(channel, call, r, garbage, waits);
        // The link answers when it can.
        if (waits) return std::nullopt;
    }
    if (garbage) return rpc::acceptedReply(call.xid, rpc::AcceptStatus::kGarbageArguments);
    if (!results) return rpc::acceptedReply(call.xid, rpc::AcceptStatus::kProcedureUnavailable);
    return rpc::acceptedReply(call.xid, rpc::AcceptStatus::kSuccess, *results);
}

std::string Vxi11::State::portMapper(const rpc::Call& call, rpc::Reader& r, bool& garbage) {
    rpc::Writer w;
    switch (call.procedure) {
        case kPmapNull:
            garbage = !r.finished();
            return {};
        case kPmapSet:
        case kPmapUnset: {
            // Nobody registers with us: the one program here is our own.
            std::uint32_t mapping[4];
            for (std::uint32_t& field : mapping) r.u32(field);
            garbage = !r.finished();
            return w.u32(0).bytes();
        }
        case kPmapGetPort: {
            std::uint32_t program = 0, version = 0, protocol = 0, port = 0;
            garbage = !r.u32(program) || !r.u32(version) || !r.u32(protocol) || !r.u32(port) ||
                      !r.finished();
            const bool core = program == rpc::kVxi11Core && version == kCoreVersion &&
                              protocol == rpc::kProtocolTcp;
            const bool mapper = program == rpc::kPortMapper && version == kPortMapperVersion;
            return w.u32(core ? corePort() : mapper ? kPortMapperPort : 0).bytes();
        }
        case kPmapDump: {
            garbage = !r.finished();
            const std::uint32_t rows[][4] = {
                {rpc::kPortMapper, kPortMapperVersion, rpc::kProtocolTcp, kPortMapperPort},
                {rpc::kPortMapper, kPortMapperVersion, rpc::kProtocolUdp, kPortMapperPort},
                {rpc::kVxi11Core, kCoreVersion, rpc::kProtocolTcp, corePort()},
            };
            for (const auto& row : rows) w.u32(1).u32(row[0]).u32(row[1]).u32(row[2]).u32(row[3]);
            return w.u32(0).bytes();
        }
        default:
            garbage = false;
            return {};
    }
}

std::optional<std::string> Vxi11::State::coreCall(const std::shared_ptr<Channel>& channel,
                                                  const rpc::Call& call, rpc::Reader& r,
                                                  bool& garbage, bool& waits) {
    const std::uint32_t xid = call.xid;
    switch (call.procedure) {
        case kCreateLink: {
            std::int32_t clientId = 0;
            bool lockDevice = false;
            std::uint32_t lockTimeout = 0;
            std::string device;
            garbage = !r.i32(clientId) || !r.boolean(lockDevice) || !r.u32(lockTimeout) ||
                      !r.opaque(device, kLongestDeviceName) || !r.finished();
            const std::string failure = rpc::Writer().u32(0).u32(0).u32(0).bytes();
            if (garbage) return std::nullopt;
            if (!isDeviceName(device)) return deviceError(kDeviceNotAccessible) + failure;
            std::string why;
            const std::uint32_t id = nextLink++;
            auto made = std::make_shared<Link>(*this, id, channel);
            made->client = server.join(made, "VXI-11 link " + std::to_string(id), why);
            if (!made->client) {
                server.log("refused a VXI-11 link: " + why);
                return deviceError(kOutOfResources) + failure;
            }
            made->answerDirectly();
            links[id] = made;
            channel->links.push_back(id);
            const std::string created = rpc::Writer()
                                            .u32(kNoError)
                                            .u32(id)
                                            .u32(abort.local_endpoint().port())
                                            .u32(std::uint32_t(kMaxReceive))
                                            .bytes();
            if (!lockDevice || mayAct(id)) {
                if (lockDevice) lockHolder = id;
                made->answerNow(xid, created);
                waits = true;
                return std::nullopt;
            }
            made->awaitLock(
                xid, lockTimeout, failure,
                [this, made, xid, created] {
                    lockHolder = made->id();
                    made->answerNow(xid, created);
                },
                [this, id] { destroy(id); });
            waits = true;
            return std::nullopt;
        }
        case kCreateIntrChan:
        case kDestroyIntrChan:
        case kDeviceEnableSrq:
            // No interrupt channel: service requests are read with device_readstb.
            return deviceError(kNotSupported);
        default:
            break;
    }

    // Every other call names its link first.
    static constexpr std::uint32_t kWithLink[] = {
        kDeviceWrite, kDeviceRead, kDeviceReadStb, kDeviceTrigger, kDeviceClear, kDeviceRemote,
        kDeviceLocal, kDeviceLock, kDeviceUnlock,  kDeviceDoCmd,   kDestroyLink};
    if (std::find(std::begin(kWithLink), std::end(kWithLink), call.procedure) ==
        std::end(kWithLink))
        return std::nullopt;  // PROC_UNAVAIL
    std::uint32_t id = 0;
    if (!r.u32(id)) {
        garbage = true;
        return std::nullopt;
    }
    std::uint32_t ioTimeout = 0, lockTimeout = 0, flags = 0, requestSize = 0, termChar = 0;
    std::string data;
    std::string tail;  // a failure's results after the error code
    switch (call.procedure) {
        case kDeviceWrite:
            garbage = !r.u32(ioTimeout) || !r.u32(lockTimeout) || !r.u32(flags) ||
                      !r.opaque(data, kMaxReceive) || !r.finished();
            tail = rpc::Writer().u32(0).bytes();
            break;
        case kDeviceRead:
            garbage = !r.u32(requestSize) || !r.u32(ioTimeout) || !r.u32(lockTimeout) ||
                      !r.u32(flags) || !r.u32(termChar) || !r.finished();
            tail = rpc::Writer().u32(0).opaque({}).bytes();
            break;
        case kDeviceReadStb:
        case kDeviceTrigger:
        case kDeviceClear:
        case kDeviceRemote:
        case kDeviceLocal:
            garbage = !r.u32(flags) || !r.u32(lockTimeout) || !r.u32(ioTimeout) || !r.finished();
            if (call.procedure == kDeviceReadStb) tail = rpc::Writer().u32(0).bytes();
            break;
        case kDeviceLock:
            garbage = !r.u32(flags) || !r.u32(lockTimeout) || !r.finished();
            break;
        case kDeviceUnlock:
        case kDestroyLink:
            garbage = !r.finished();
            break;
        case kDeviceDoCmd:
            return rpc::Writer().u32(kNotSupported).opaque({}).bytes();
        default:
            return std::nullopt;  // PROC_UNAVAIL
    }
    if (garbage) return std::nullopt;
    const auto found = link(id);
    if (!found) return deviceError(kInvalidLink) + tail;

    switch (call.procedure) {
        case kDestroyLink:
            destroy(id);
            return deviceError(kNoError);
        case kDeviceUnlock:
            if (lockHolder != id) return deviceError(kNoLockHeld);
            release(id);
            return deviceError(kNoError);
        case kDeviceTrigger:
            return deviceError(kNotSupported);
        default:
            break;
    }
    // The call proper, once the lock lets this link act.
    std::function<void()> act;
    switch (call.procedure) {
        case kDeviceWrite:
            act = [found, xid, flags, ioTimeout, data] {
                found->write(xid, flags, ioTimeout, data);
            };
            break;
        case kDeviceRead:
            act = [found, xid, requestSize, flags, termChar, ioTimeout, caller = channel.get()] {
                found->read(xid, requestSize, flags, termChar, ioTimeout, caller);
            };
            break;
        case kDeviceReadStb:
            act = [found, xid, ioTimeout] { found->readStatusByte(xid, ioTimeout); };
            break;
        case kDeviceClear:
            act = [found, xid] {
                found->clear();
                found->answerNow(xid, deviceError(kNoError));
            };
            break;
        case kDeviceLock:
            act = [this, found, xid] {
                lockHolder = found->id();
                found->answerNow(xid, deviceError(kNoError));
            };
            break;
        default:  // remote, local: accepted, there is no front panel to lock out
            act = [found, xid] { found->answerNow(xid, deviceError(kNoError)); };
            break;
    }
    if (mayAct(id))
        act();
    else if ((flags & kWaitLock) != 0)
        found->awaitLock(xid, lockTimeout, tail, std::move(act));
    else
        return deviceError(kLockedByAnother) + tail;
    waits = true;
    return std::nullopt;
}

void Vxi11::State::receiveMapperDatagram() {
    mapperUdp.async_receive_from(
        asio::buffer(datagram), sender, [this](asio::error_code ec, std::size_t size) {
            if (ec == asio::error::operation_aborted) return;
            rpc::Call call;
            const std::string message(datagram.data(), ec ? 0 : size);
            // A broadcast from a host beyond --allow (discovery) is not answered.
            if (!ec && server.allowed(sender.address())) {
                const rpc::CallCheck check = rpc::parseCall(message, call);
                std::optional<std::string> reply = rpc::refusal(call.xid, check);
                if (check == rpc::CallCheck::kCall)
                    reply = answer(nullptr, ChannelKind::kPortMapper, call);
                if (reply && !reply->empty()) {
                    auto shared = std::make_shared<std::string>(std::move(*reply));
                    mapperUdp.async_send_to(asio::buffer(*shared), sender,
                                            [shared](asio::error_code, std::size_t) {});
                }
            }
            receiveMapperDatagram();
        });
}

// Asks the rpcbind on this host to SET or UNSET the core channel's port; true when it agreed.
bool Vxi11::State::rpcbind(std::uint32_t procedure) {
    asio::io_context io;
    udp::socket socket(io);
    asio::error_code ec;
    socket.open(udp::v4(), ec);
    if (ec) return false;
    const std::uint32_t xid = 0x76786931;  // any: one call, one socket
    const std::string arguments = rpc::Writer()
                                      .u32(rpc::kVxi11Core)
                                      .u32(kCoreVersion)
                                      .u32(rpc::kProtocolTcp)
                                      .u32(corePort())
                                      .bytes();
    const std::string call =
        rpc::callMessage(xid, rpc::kPortMapper, kPortMapperVersion, procedure, arguments);
    const udp::endpoint rpcbind(asio::ip::make_address_v4("127.0.0.1"), kPortMapperPort);
    socket.send_to(asio::buffer(call), rpcbind, 0, ec);
    if (ec) return false;
    std::array<char, 512> buffer{};
    bool agreed = false;
    udp::endpoint from;
    socket.async_receive_from(
        asio::buffer(buffer), from, [&](asio::error_code received, std::size_t size) {
            std::string_view results;
            rpc::Reader r({});
            std::uint32_t value = 0;
            if (!received && rpc::parseReply({buffer.data(), size}, xid, results)) {
                r = rpc::Reader(results);
                agreed = r.u32(value) && value == 1;
            }
        });
    io.run_for(kRpcbindWait);
    return agreed;
}

Vxi11::Vxi11(Server& server) : state_(std::make_unique<State>(server)) {}

Vxi11::~Vxi11() = default;

bool Vxi11::listen() {
    State& s = *state_;
    const auto address = s.server.options().listen.address();
    for (tcp::acceptor* acceptor : {&s.core, &s.abort}) {
        asio::error_code ec;
        acceptor->open(s.server.options().listen.protocol(), ec);
        if (!ec) acceptor->bind({address, 0}, ec);
        if (!ec) acceptor->listen(asio::socket_base::max_listen_connections, ec);
        if (ec) {
            s.server.log("tkv9d serve: cannot listen for VXI-11 on " + address.to_string() + ": " +
                         ec.message());
            return false;
        }
    }
    return true;
}

void Vxi11::start() {
    State& s = *state_;
    const auto address = s.server.options().listen.address();
    const std::string host =
        address.is_v6() ? "[" + address.to_string() + "]" : address.to_string();
    s.server.log("VXI-11 core channel on " + endpointText(s.core.local_endpoint()) +
                 ", abort channel on port " + std::to_string(s.abort.local_endpoint().port()) +
                 " (VISA: TCPIP0::" + host + "::inst0::INSTR)");
    s.accept(s.core, ChannelKind::kCore);
    s.accept(s.abort, ChannelKind::kAbort);

    asio::error_code ec;
    const tcp::endpoint mapperAt(address, kPortMapperPort);
    s.mapper.open(mapperAt.protocol(), ec);
    if (!ec) s.mapper.set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec) s.mapper.bind(mapperAt, ec);
    if (!ec) s.mapper.listen(asio::socket_base::max_listen_connections, ec);
    if (!ec) s.mapperUdp.open(mapperAt.protocol() == tcp::v4() ? udp::v4() : udp::v6(), ec);
    if (!ec) s.mapperUdp.bind({address, kPortMapperPort}, ec);
    if (!ec) {
        s.ownMapper = true;
        s.server.log("port mapper on " + endpointText(mapperAt) + " (TCP and UDP)");
        s.accept(s.mapper, ChannelKind::kPortMapper);
        s.receiveMapperDatagram();
        return;
    }
    asio::error_code ignored;
    s.mapper.close(ignored);
    s.mapperUdp.close(ignored);
    if (s.rpcbind(kPmapSet)) {
        s.registered = true;
        s.server.log("registered the core channel with rpcbind on this host");
        return;
    }
    s.server.log("port mapper: cannot listen on " + endpointText(mapperAt) + ": " + ec.message() +
                 ", and no rpcbind took the core channel; INSTR clients cannot find this "
                 "instrument (run as root, give tkv9d CAP_NET_BIND_SERVICE, or start rpcbind); "
                 "the raw socket serves on");
}

bool Vxi11::findable() const {
    return state_->ownMapper || state_->registered;
}

void Vxi11::stop() {
    State& s = *state_;
    asio::error_code ignored;
    for (tcp::acceptor* acceptor : {&s.core, &s.abort, &s.mapper}) acceptor->close(ignored);
    s.mapperUdp.close(ignored);
    for (const auto& channel : std::vector(s.channels)) channel->close();
    if (s.registered) s.rpcbind(kPmapUnset);
}

}  // namespace cli::serving
