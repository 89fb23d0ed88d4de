// Not a test: queries a second through `tkv9d serve`'s raw socket and through its VXI-11 core
// channel, from one client written as a VISA library in C is: no interpreter between the
// calls, so that what the two transports cost the server is what differs. `bench/scpi` runs it
// beside its own Python client, whose second call per VXI-11 query costs the client as much
// as the server.
//
// usage: instr_rate RAW_PORT CORE_PORT [COUNT] [ROUNDS]   (defaults 10000 and 3)
//   prints per round "raw R/s VXI-11 V/s", the two in turns so that a load that comes and goes
//   hits them alike.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kQuery = "PAR? \"strom1\"\n";

[[noreturn]] void die(const char* what) {
    std::perror(what);
    std::exit(1);
}

int connectTo(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        die("connect");
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

void sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) die("send");
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

// Reads until `complete` says the bytes so far hold the whole reply.
template <typename Complete>
std::string receive(int fd, Complete complete) {
    std::string reply;
    char buffer[4096];
    while (!complete(reply)) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) die("recv");
        reply.append(buffer, static_cast<std::size_t>(got));
    }
    return reply;
}

class Xdr {
  public:
    Xdr& u32(std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes_ += static_cast<char>(value >> shift);
        return *this;
    }
    Xdr& opaque(std::string_view data) {
        u32(static_cast<std::uint32_t>(data.size()));
        bytes_ += data;
        bytes_.append((4 - data.size() % 4) % 4, '\0');
        return *this;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

std::uint32_t word(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

class Instr {
  public:
    explicit Instr(int core) : fd_(connectTo(core)) {
        const std::string results = call(10, Xdr().u32(1).u32(0).u32(0).opaque("inst0").bytes());
        link_ = word(results, 4);
    }
    ~Instr() { close(fd_); }

    void query() {
        call(11, Xdr().u32(link_).u32(5000).u32(0).u32(8).opaque(kQuery).bytes());
        call(12, Xdr().u32(link_).u32(4096).u32(5000).u32(0).u32(0).u32(0).bytes());
    }

  private:
    // One record each way; the results behind the 24 bytes of an accepted reply's header.
    std::string call(std::uint32_t procedure, const std::string& arguments) {
        Xdr message;
        message.u32(++xid_).u32(0).u32(2).u32(0x0607AF).u32(1).u32(procedure);
        message.u32(0).u32(0).u32(0).u32(0);
        const std::string body = message.bytes() + arguments;
        sendAll(fd_,
                Xdr().u32(0x80000000u | static_cast<std::uint32_t>(body.size())).bytes() + body);
        const std::string reply = receive(fd_, [](const std::string& bytes) {
            return bytes.size() >= 4 && bytes.size() >= 4 + (word(bytes, 0) & 0x7FFFFFFFu);
        });
        return reply.substr(4 + 24);
    }

    int fd_;
    std::uint32_t xid_ = 0;
    std::uint32_t link_ = 0;
};

template <typename Query>
double rate(int count, Query query) {
    query();  // the first one opens whatever opens lazily
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) query();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    return count / took.count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: instr_rate RAW_PORT CORE_PORT [COUNT] [ROUNDS]\n");
        return 2;
    }
    const int rawPort = std::atoi(argv[1]);
    const int corePort = std::atoi(argv[2]);
    const int count = argc > 3 ? std::atoi(argv[3]) : 10000;
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 3;
    for (int round = 0; round < rounds; ++round) {
        const int raw = connectTo(rawPort);
        const double rawRate = rate(count, [raw] {
            sendAll(raw, kQuery);
            receive(raw, [](const std::string& bytes) {
                return !bytes.empty() && bytes.back() == '\n';
            });
        });
        close(raw);
        Instr instr(corePort);
        const double instrRate = rate(count, [&instr] { instr.query(); });
        std::printf("raw %.0f/s VXI-11 %.0f/s\n", rawRate, instrRate);
        std::fflush(stdout);
    }
    return 0;
}
