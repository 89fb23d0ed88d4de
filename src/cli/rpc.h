#pragma once

// ONC RPC (version 2) messages in XDR, as VXI-11 and the port mapper use them, and the record
// marking of RPC over TCP. Everything a client sends is bounded here: a record longer than the
// server takes, or an opaque longer than its field allows, is refused before it is stored.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli::rpc {

inline constexpr std::uint32_t kPortMapper = 100000;  // version 2
inline constexpr std::uint32_t kVxi11Core = 0x0607AF;
inline constexpr std::uint32_t kVxi11Abort = 0x0607B0;
inline constexpr std::uint32_t kProtocolTcp = 6;
inline constexpr std::uint32_t kProtocolUdp = 17;

// Reads XDR's big-endian four-byte units. Every read fails, and leaves the reader failed, when
// the message ends early or a value breaks its type (a bool other than 0 or 1, an opaque longer
// than allowed); the caller then answers GARBAGE_ARGS.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool u32(std::uint32_t& value);
    bool i32(std::int32_t& value);
    bool boolean(bool& value);
    // Variable-length opaque or string: its length, its bytes, padding to four.
    bool opaque(std::string& value, std::size_t longest);
    bool ok() const { return ok_; }
    // Everything read and nothing left over: the arguments were exactly one value of their type.
    bool finished() const { return ok_ && position_ == bytes_.size(); }
    std::string_view rest() const { return bytes_.substr(position_); }

  private:
    bool take(std::size_t count, std::string_view& taken);

    std::string_view bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

class Writer {
  public:
    Writer& u32(std::uint32_t value);
    Writer& i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }
    Writer& opaque(std::string_view value);
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

enum class AcceptStatus : std::uint32_t {
    kSuccess = 0,
    kProgramUnavailable = 1,
    kProgramMismatch = 2,
    kProcedureUnavailable = 3,
    kGarbageArguments = 4,
};

struct Call {
    std::uint32_t xid = 0;
    std::uint32_t program = 0;
    std::uint32_t version = 0;
    std::uint32_t procedure = 0;
    std::string_view arguments;  // into the message
};

enum class CallCheck {
    kCall,           // a call to answer
    kIgnore,         // not a call (no transaction id, or a reply): nothing to answer
    kGarbage,        // a call whose header breaks off: GARBAGE_ARGS
    kRpcMismatch,    // RPC other than version 2: denied
    kBadCredential,  // credential or verifier malformed or too long: denied
};

CallCheck parseCall(std::string_view message, Call& call);

// Replies: accepted with a status and, for kSuccess, the results; PROG_MISMATCH naming the
// versions served; denied for an RPC version other than 2, or for a bad credential.
// refusal(): the reply to a check other than kCall; empty for kIgnore.
std::string refusal(std::uint32_t xid, CallCheck check);
std::string acceptedReply(std::uint32_t xid, AcceptStatus status, std::string_view results = {});
std::string programMismatchReply(std::uint32_t xid, std::uint32_t low, std::uint32_t high);
std::string deniedReply(std::uint32_t xid, CallCheck why);

// A call, for the few the server makes itself (registering with rpcbind).
std::string callMessage(std::uint32_t xid, std::uint32_t program, std::uint32_t version,
                        std::uint32_t procedure, std::string_view arguments);
// The results of an accepted, successful reply to `xid`; false for anything else.
bool parseReply(std::string_view message, std::uint32_t xid, std::string_view& results);

// RPC over TCP: a message is sent as fragments, each behind a four-byte mark holding its
// length and, in the top bit, whether it is the message's last.
std::string recordMark(std::string_view message);

struct Record {
    std::string message;
    // Longer than the assembler takes: `message` holds only its first eight bytes, enough
    // to answer the call with GARBAGE_ARGS; the rest was read and thrown away.
    bool tooLong = false;
};

class RecordAssembler {
  public:
    explicit RecordAssembler(std::size_t longest) : longest_(longest) {}

    // Takes bytes as they come; complete messages are appended to `records`.
    void feed(std::string_view bytes, std::vector<Record>& records);

  private:
    static constexpr std::size_t kHeadKept = 8;

    std::size_t longest_;
    std::string mark_;          // the bytes of a mark not yet complete
    std::size_t fragment_ = 0;  // bytes of the current fragment still to come
    bool last_ = false;         // the current fragment ends the message
    std::string message_;
    bool tooLong_ = false;
};

}  // namespace cli::rpc
