#include "cli/rpc.h"

namespace cli::rpc {

namespace {

constexpr std::uint32_t kRpcVersion = 2;
constexpr std::uint32_t kCallType = 0;
constexpr std::uint32_t kReplyType = 1;
constexpr std::uint32_t kAccepted = 0;
constexpr std::uint32_t kDenied = 1;
constexpr std::uint32_t kRpcMismatchReason = 0;
constexpr std::uint32_t kAuthError = 1;
constexpr std::uint32_t kAuthBadCredential = 1;
constexpr std::uint32_t kAuthNone = 0;
// RFC 5531: the body of a credential or verifier holds at most 400 bytes.
constexpr std::size_t kLongestAuthBody = 400;
constexpr std::uint32_t kLastFragment = 0x80000000u;

// The xid, REPLY and an empty AUTH_NONE verifier where the reply has one.
Writer replyHead(std::uint32_t xid, std::uint32_t state) {
    Writer w;
    w.u32(xid).u32(kReplyType).u32(state);
    return w;
}

bool skipAuth(Reader& r) {
    std::uint32_t flavor = 0;
    std::string body;
    return r.u32(flavor) && r.opaque(body, kLongestAuthBody);
}

}  // namespace

bool Reader::take(std::size_t count, std::string_view& taken) {
    if (!ok_ || bytes_.size() - position_ < count) return ok_ = false;
    taken = bytes_.substr(position_, count);
    position_ += count;
    return true;
}

bool Reader::u32(std::uint32_t& value) {
    std::string_view b;
    if (!take(4, b)) return false;
    value = static_cast<std::uint32_t>(static_cast<unsigned char>(b[0])) << 24 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[1])) << 16 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[2])) << 8 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[3]));
    return true;
}

bool Reader::i32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!u32(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool Reader::boolean(bool& value) {
    std::uint32_t raw = 0;
    if (!u32(raw)) return false;
    if (raw > 1) return ok_ = false;
    value = raw == 1;
    return true;
}

bool Reader::opaque(std::string& value, std::size_t longest) {
    std::uint32_t length = 0;
    if (!u32(length)) return false;
    if (length > longest) return ok_ = false;
    std::string_view b;
    const std::size_t padded = (static_cast<std::size_t>(length) + 3) & ~std::size_t{3};
    if (!take(padded, b)) return false;
    value.assign(b.substr(0, length));
    return true;
}

Writer& Writer::u32(std::uint32_t value) {
    bytes_ += static_cast<char>(value >> 24);
    bytes_ += static_cast<char>(value >> 16);
    bytes_ += static_cast<char>(value >> 8);
    bytes_ += static_cast<char>(value);
    return *this;
}

Writer& Writer::opaque(std::string_view value) {
    u32(static_cast<std::uint32_t>(value.size()));
    bytes_ += value;
    bytes_.append((4 - value.size() % 4) % 4, '\0');
    return *this;
}

CallCheck parseCall(std::string_view message, Call& call) {
    Reader r(message);
    std::uint32_t type = 0;
    std::uint32_t version = 0;
    if (!r.u32(call.xid) || !r.u32(type) || type != kCallType) return CallCheck::kIgnore;
    if (!r.u32(version)) return CallCheck::kGarbage;
    if (version != kRpcVersion) return CallCheck::kRpcMismatch;
    if (!r.u32(call.program) || !r.u32(call.version) || !r.u32(call.procedure))
        return CallCheck::kGarbage;
    if (!skipAuth(r) || !skipAuth(r)) return CallCheck::kBadCredential;
    call.arguments = r.rest();
    return CallCheck::kCall;
}

std::string acceptedReply(std::uint32_t xid, AcceptStatus status, std::string_view results) {
    Writer w = replyHead(xid, kAccepted);
    w.u32(kAuthNone).opaque({}).u32(static_cast<std::uint32_t>(status));
    std::string reply = w.bytes();
    if (status == AcceptStatus::kSuccess) reply += results;
    return reply;
}

std::string programMismatchReply(std::uint32_t xid, std::uint32_t low, std::uint32_t high) {
    Writer w = replyHead(xid, kAccepted);
    w.u32(kAuthNone).opaque({});
    w.u32(static_cast<std::uint32_t>(AcceptStatus::kProgramMismatch)).u32(low).u32(high);
    return w.bytes();
}

std::string deniedReply(std::uint32_t xid, CallCheck why) {
    Writer w = replyHead(xid, kDenied);
    if (why == CallCheck::kRpcMismatch)
        w.u32(kRpcMismatchReason).u32(kRpcVersion).u32(kRpcVersion);
    else
        w.u32(kAuthError).u32(kAuthBadCredential);
    return w.bytes();
}

std::string refusal(std::uint32_t xid, CallCheck check) {
    if (check == CallCheck::kIgnore || check == CallCheck::kCall) return {};
    if (check == CallCheck::kGarbage) return acceptedReply(xid, AcceptStatus::kGarbageArguments);
    return deniedReply(xid, check);
}

std::string callMessage(std::uint32_t xid, std::uint32_t program, std::uint32_t version,
                        std::uint32_t procedure, std::string_view arguments) {
    Writer w;
    w.u32(xid).u32(kCallType).u32(kRpcVersion).u32(program).u32(version).u32(procedure);
    w.u32(kAuthNone).opaque({}).u32(kAuthNone).opaque({});
    return w.bytes() + std::string(arguments);
}

bool parseReply(std::string_view message, std::uint32_t xid, std::string_view& results) {
    Reader r(message);
    std::uint32_t got = 0, type = 0, state = 0, status = 0;
    if (!r.u32(got) || got != xid || !r.u32(type) || type != kReplyType || !r.u32(state) ||
        state != kAccepted || !skipAuth(r) || !r.u32(status) ||
        status != static_cast<std::uint32_t>(AcceptStatus::kSuccess))
        return false;
    results = r.rest();
    return true;
}

std::string recordMark(std::string_view message) {
    Writer w;
    w.u32(kLastFragment | static_cast<std::uint32_t>(message.size()));
    return w.bytes() + std::string(message);
}

void RecordAssembler::feed(std::string_view bytes, std::vector<Record>& records) {
    while (!bytes.empty() || (mark_.size() == 4 && fragment_ == 0)) {
        if (mark_.size() < 4) {
            const std::size_t wanted = std::min(4 - mark_.size(), bytes.size());
            mark_ += bytes.substr(0, wanted);
            bytes.remove_prefix(wanted);
            if (mark_.size() < 4) return;
            std::uint32_t mark = 0;
            Reader(mark_).u32(mark);
            last_ = (mark & kLastFragment) != 0;
            fragment_ = mark & ~kLastFragment;
            // From here on only the head is kept, and the rest read and dropped.
            if (message_.size() + fragment_ > longest_) {
                tooLong_ = true;
                message_.resize(std::min(message_.size(), kHeadKept));
            }
        }
        const std::size_t taken = std::min(fragment_, bytes.size());
        const std::size_t room = kHeadKept - std::min(kHeadKept, message_.size());
        message_ += bytes.substr(0, tooLong_ ? std::min(taken, room) : taken);
        bytes.remove_prefix(taken);
        fragment_ -= taken;
        if (fragment_ > 0) return;
        // The fragment is complete: the next bytes are a new mark.
        mark_.clear();
        if (last_) {
            records.push_back({std::move(message_), tooLong_});
            message_.clear();
            tooLong_ = false;
        }
    }
}

}  // namespace cli::rpc
