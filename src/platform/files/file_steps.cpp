#include "platform/files/file_steps.h"

#include <cerrno>
#include <random>
#include <string_view>
#include <vector>

namespace files {

namespace {

constexpr int kRandomNames = 100;  // tries before every random name counts as taken
constexpr std::string_view kTemporaryPrefix = ".tkv9d-";
constexpr std::size_t kRandomLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

CreateTemporary gCreateTemporary = createExclusive;

}  // namespace

int createTemporary(const std::string& path) {
    return gCreateTemporary(path);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const long n = writeSome(fd, bytes);
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

ReadFailure readChunks(const std::string& path, std::size_t chunkSize,
                       const std::function<void(std::string_view)>& take) {
    const int fd = openForReading(path);
    if (fd < 0) return errno == ENOENT ? ReadFailure::NotFound : ReadFailure::NotOpened;
    struct Closer {
        int fd;
        ~Closer() { closeFile(fd); }
    } closer{fd};
    std::vector<char> buffer(chunkSize);
    for (;;) {
        const long n = readSome(fd, buffer);
        if (n < 0) return ReadFailure::ReadFailed;
        if (n == 0) return ReadFailure::None;
        take(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
}

Temporary makeTemporary(const std::string& folder, const SaveOptions& options) {
    const std::function<std::string(int)> nameFor =
        options.temporaryName ? options.temporaryName : randomTemporaryName;
    Temporary temporary;
    for (int attempt = 0;; ++attempt) {
        const std::string name = nameFor(attempt);
        if (name.empty()) {
            temporary.namesRanOut = true;
            temporary.error = EEXIST;
            return temporary;
        }
        temporary.path = folder + name;
        temporary.fd = createTemporary(temporary.path);
        if (temporary.fd >= 0 || errno != EEXIST) {
            temporary.error = temporary.fd >= 0 ? 0 : errno;
            return temporary;
        }
    }
}

CreateTemporaryGuard::CreateTemporaryGuard(CreateTemporary replacement)
    : previous_(gCreateTemporary) {
    gCreateTemporary = replacement;
}

CreateTemporaryGuard::~CreateTemporaryGuard() {
    gCreateTemporary = previous_;
}

std::string randomTemporaryName(int attempt) {
    if (attempt >= kRandomNames) return {};
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kRandomLetters; ++i) name += kLetters[pick(random)];
    return name;
}

bool isTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kRandomLetters &&
           name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix &&
           name.find_first_not_of(kLetters, kTemporaryPrefix.size()) == std::string_view::npos;
}

}  // namespace files
