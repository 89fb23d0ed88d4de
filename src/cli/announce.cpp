#include "cli/announce.h"

#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#ifndef _WIN32
#include <arpa/inet.h>
#include <dlfcn.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

namespace cli::serving {

std::string announcedName(int port, char address, const std::string& host) {
    std::string name = "TKV-9D COM" + std::to_string(port) + "/" + std::string(1, address);
    if (host.empty()) return name;
    // A DNS label holds 63 bytes; a host name cut there may end inside a UTF-8 character.
    constexpr std::size_t kLongest = 63;
    name += " on ";
    std::size_t room = kLongest - name.size();
    if (host.size() <= room) return name + host;
    while (room > 0 && (static_cast<unsigned char>(host[room]) & 0xC0) == 0x80) --room;
    return name + host.substr(0, room);
}

#ifdef _WIN32

struct Announcement::State {};

Announcement::Announcement(std::string, std::vector<AnnouncedService>, const std::string&, Log) {}
Announcement::~Announcement() = default;

#else

namespace {

// Avahi's C interface as far as it is used here, with its documented values. The library is
// opened at run time, so these stand in for its headers.
struct AvahiPoll;
struct AvahiThreadedPoll;
struct AvahiClient;
struct AvahiEntryGroup;

constexpr int kIfUnspec = -1;
constexpr int kProtoInet = 0;
constexpr int kProtoInet6 = 1;
constexpr int kProtoUnspec = -1;
constexpr int kClientRegistering = 1;
constexpr int kClientRunning = 2;
constexpr int kClientCollision = 3;
constexpr int kClientFailure = 100;
constexpr int kGroupEstablished = 2;
constexpr int kGroupCollision = 3;
constexpr int kGroupFailure = 4;

using ClientCallback = void (*)(AvahiClient*, int state, void* user);
using GroupCallback = void (*)(AvahiEntryGroup*, int state, void* user);

struct Avahi {
    void* common = nullptr;
    void* client = nullptr;
    AvahiThreadedPoll* (*pollNew)();
    void (*pollFree)(AvahiThreadedPoll*);
    const AvahiPoll* (*pollGet)(AvahiThreadedPoll*);
    int (*pollStart)(AvahiThreadedPoll*);
    int (*pollStop)(AvahiThreadedPoll*);
    void (*pollLock)(AvahiThreadedPoll*);
    void (*pollUnlock)(AvahiThreadedPoll*);
    const char* (*strerror)(int);
    char* (*alternativeName)(const char*);
    void (*free)(void*);
    AvahiClient* (*clientNew)(const AvahiPoll*, int flags, ClientCallback, void*, int* error);
    void (*clientFree)(AvahiClient*);
    int (*clientErrno)(AvahiClient*);
    AvahiEntryGroup* (*groupNew)(AvahiClient*, GroupCallback, void*);
    int (*groupAddService)(AvahiEntryGroup*, int interface, int protocol, int flags,
                           const char* name, const char* type, const char* domain, const char* host,
                           std::uint16_t port, ...);
    int (*groupCommit)(AvahiEntryGroup*);
    int (*groupReset)(AvahiEntryGroup*);
    int (*groupIsEmpty)(AvahiEntryGroup*);

    // Empty when every function was found; else what is missing.
    std::string load() {
        common = ::dlopen("libavahi-common.so.3", RTLD_NOW | RTLD_LOCAL);
        client = common ? ::dlopen("libavahi-client.so.3", RTLD_NOW | RTLD_LOCAL) : nullptr;
        if (!client) return "libavahi-client.so.3 is not installed";
        bool found = true;
        const auto get = [&found](void* library, auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)> >(
                ::dlsym(library, name));
            found = found && function != nullptr;
        };
        get(common, pollNew, "avahi_threaded_poll_new");
        get(common, pollFree, "avahi_threaded_poll_free");
        get(common, pollGet, "avahi_threaded_poll_get");
        get(common, pollStart, "avahi_threaded_poll_start");
        get(common, pollStop, "avahi_threaded_poll_stop");
        get(common, pollLock, "avahi_threaded_poll_lock");
        get(common, pollUnlock, "avahi_threaded_poll_unlock");
        get(common, strerror, "avahi_strerror");
        get(common, alternativeName, "avahi_alternative_service_name");
        get(common, free, "avahi_free");
        get(client, clientNew, "avahi_client_new");
        get(client, clientFree, "avahi_client_free");
        get(client, clientErrno, "avahi_client_errno");
        get(client, groupNew, "avahi_entry_group_new");
        get(client, groupAddService, "avahi_entry_group_add_service");
        get(client, groupCommit, "avahi_entry_group_commit");
        get(client, groupReset, "avahi_entry_group_reset");
        get(client, groupIsEmpty, "avahi_entry_group_is_empty");
        return found ? std::string() : "libavahi-client.so.3 lacks a function this program needs";
    }
    // The libraries stay loaded: libdbus under them keeps process-wide state that does not
    // survive being unloaded.
};

// The interface and protocol to announce on: where the server listens.
std::pair<int, int> placeOf(const std::string& address) {
    if (address == "0.0.0.0") return {kIfUnspec, kProtoInet};
    if (address == "::") return {kIfUnspec, kProtoUnspec};
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return {kIfUnspec, kProtoUnspec};
    std::pair<int, int> place{kIfUnspec, kProtoUnspec};
    for (const ifaddrs* each = list; each; each = each->ifa_next) {
        if (!each->ifa_addr) continue;
        char text[INET6_ADDRSTRLEN] = {};
        const int family = each->ifa_addr->sa_family;
        const void* bytes = nullptr;
        if (family == AF_INET)
            bytes = &reinterpret_cast<const sockaddr_in*>(each->ifa_addr)->sin_addr;
        else if (family == AF_INET6)
            bytes = &reinterpret_cast<const sockaddr_in6*>(each->ifa_addr)->sin6_addr;
        if (!bytes || !::inet_ntop(family, bytes, text, sizeof text) || address != text) continue;
        place = {static_cast<int>(::if_nametoindex(each->ifa_name)),
                 family == AF_INET ? kProtoInet : kProtoInet6};
        break;
    }
    ::freeifaddrs(list);
    return place;
}

}  // namespace

struct Announcement::State {
    Avahi avahi;
    AvahiThreadedPoll* poll = nullptr;
    AvahiClient* client = nullptr;
    AvahiEntryGroup* group = nullptr;
    std::string name;
    std::vector<AnnouncedService> services;
    int interface = kIfUnspec;
    int protocol = kProtoUnspec;
    Log log;

    std::string error(int code) const { return avahi.strerror(code); }

    // Avahi's thread, or the constructor's before that thread runs.
    void announce(AvahiClient* c) {
        if (!group) group = avahi.groupNew(c, groupChanged, this);
        if (!group) return log("mDNS: not announced: " + error(avahi.clientErrno(c)));
        if (!avahi.groupIsEmpty(group)) return;
        for (const AnnouncedService& service : services) {
            if (const int failed =
                    avahi.groupAddService(group, interface, protocol, 0, name.c_str(), service.type,
                                          nullptr, nullptr, service.port, nullptr);
                failed < 0) {
                avahi.groupReset(group);
                return log("mDNS: " + std::string(service.type) +
                           " not announced: " + error(failed));
            }
        }
        if (const int failed = avahi.groupCommit(group); failed < 0)
            log("mDNS: not announced: " + error(failed));
    }

    static void clientChanged(AvahiClient* c, int state, void* user) {
        auto& self = *static_cast<State*>(user);
        if (state == kClientRunning) {
            self.announce(c);
        } else if (state == kClientCollision || state == kClientRegistering) {
            // The daemon renames its host: the entries go, and come back once it runs again.
            if (self.group) self.avahi.groupReset(self.group);
        } else if (state == kClientFailure && self.client) {
            self.log("mDNS: the announcement ended: " + self.error(self.avahi.clientErrno(c)));
        }
    }

    static void groupChanged(AvahiEntryGroup* g, int state, void* user) {
        auto& self = *static_cast<State*>(user);
        self.group = g;
        if (state == kGroupEstablished) {
            std::string types;
            for (const AnnouncedService& service : self.services)
                types += (types.empty() ? "" : ", ") + std::string(service.type);
            self.log("mDNS: announced as \"" + self.name + "\" (" + types + ")");
        } else if (state == kGroupCollision) {
            // Another host took the name: the next free one ("… #2").
            char* other = self.avahi.alternativeName(self.name.c_str());
            self.log("mDNS: \"" + self.name + "\" is taken on the network; trying \"" + other +
                     "\"");
            self.name = other;
            self.avahi.free(other);
            self.avahi.groupReset(g);
            if (self.client) self.announce(self.client);
        } else if (state == kGroupFailure) {
            self.log("mDNS: not announced: " +
                     self.error(self.client ? self.avahi.clientErrno(self.client) : -1));
        }
    }
};

Announcement::Announcement(std::string name, std::vector<AnnouncedService> services,
                           const std::string& address, Log log)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.name = std::move(name);
    s.services = std::move(services);
    s.log = std::move(log);
    std::tie(s.interface, s.protocol) = placeOf(address);
    if (const std::string missing = s.avahi.load(); !missing.empty()) {
        s.log("mDNS: not announced: " + missing);
        return;
    }
    s.poll = s.avahi.pollNew();
    if (!s.poll) {
        s.log("mDNS: not announced: Avahi could not start");
        return;
    }
    int error = 0;
    // Without a running daemon this fails at once, rather than waiting for one to appear.
    s.client = s.avahi.clientNew(s.avahi.pollGet(s.poll), 0, State::clientChanged, &s, &error);
    if (!s.client) {
        s.log("mDNS: not announced: " + s.error(error) + " (is avahi-daemon running?)");
        s.avahi.pollFree(s.poll);
        s.poll = nullptr;
        return;
    }
    s.avahi.pollStart(s.poll);
}

Announcement::~Announcement() {
    State& s = *state_;
    if (!s.poll) return;
    s.avahi.pollStop(s.poll);
    // Frees the entry group with it, which takes the announcement back.
    AvahiClient* client = std::exchange(s.client, nullptr);
    s.avahi.clientFree(client);
    s.avahi.pollFree(s.poll);
}

#endif

}  // namespace cli::serving
