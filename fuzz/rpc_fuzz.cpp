// Arbitrary bytes from a network client as the VXI-11 channels and the port mapper take them:
// record marking, the call's header and XDR arguments. Besides the sanitizers, the checks below
// hold the decoder to what the server relies on.
//
// Input: the first byte chooses how the stream is cut into reads (as TCP may deliver it); the
// rest is the stream.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/rpc.h"

namespace {

constexpr std::size_t kLongest = 2048;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<cli::rpc::Record> assemble(std::string_view stream, std::size_t cut) {
    cli::rpc::RecordAssembler assembler(kLongest);
    std::vector<cli::rpc::Record> records;
    while (!stream.empty()) {
        const std::size_t piece = std::min(stream.size(), cut);
        assembler.feed(stream.substr(0, piece), records);
        stream.remove_prefix(piece);
    }
    return records;
}

// Reads the arguments as device_write's and create_link's are read, whatever they are.
void decode(std::string_view arguments) {
    cli::rpc::Reader write(arguments);
    std::uint32_t value = 0;
    std::string data;
    for (int i = 0; i < 4; ++i) write.u32(value);
    write.opaque(data, 1024);
    require(!write.ok() || data.size() <= 1024);

    cli::rpc::Reader link(arguments);
    std::int32_t id = 0;
    bool flag = false;
    std::string name;
    link.i32(id);
    link.boolean(flag);
    link.u32(value);
    link.opaque(name, 256);
    require(!link.ok() || name.size() <= 256);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view stream(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    const std::size_t cut = 1 + bytes[0] % 64;
    const auto whole = assemble(stream, stream.size() + 1);
    const auto pieces = assemble(stream, cut);
    // However TCP cuts the stream, the same messages come out, each bounded.
    require(whole.size() == pieces.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        require(whole[i].message == pieces[i].message && whole[i].tooLong == pieces[i].tooLong);
        require(whole[i].tooLong ? whole[i].message.size() <= 8
                                 : whole[i].message.size() <= kLongest);
        cli::rpc::Call call;
        const auto check = cli::rpc::parseCall(whole[i].message, call);
        // A call that is answered carries its own transaction id back.
        const std::string reply =
            check == cli::rpc::CallCheck::kCall
                ? cli::rpc::acceptedReply(call.xid, cli::rpc::AcceptStatus::kSuccess)
                : cli::rpc::refusal(call.xid, check);
        require(reply.empty() == (check == cli::rpc::CallCheck::kIgnore));
        if (!reply.empty()) require(reply.compare(0, 4, whole[i].message, 0, 4) == 0);
        if (check == cli::rpc::CallCheck::kCall) decode(call.arguments);
    }
    return 0;
}
