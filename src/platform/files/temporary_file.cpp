#include "platform/files/temporary_file.h"

#include <random>
#include <string_view>

namespace files {

namespace {

constexpr int kRandomNames = 100;  // tries before every random name counts as taken

CreateTemporary gCreateTemporary = createExclusive;

}  // namespace

int createTemporary(const std::string& path) {
    return gCreateTemporary(path);
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
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name = ".tkv9d-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    return name;
}

}  // namespace files
