#include "platform/files/system_path.h"

#include <cerrno>

#ifdef _WIN32
#include "platform/win32_text.h"
#endif

namespace files {

std::optional<std::filesystem::path> systemPath(const std::string& path) {
#ifdef _WIN32
    std::wstring name = platform::wide(path);
    if (name.empty() && !path.empty()) return std::nullopt;
    return std::filesystem::path(std::move(name));
#else
    return std::filesystem::path(path);
#endif
}

std::FILE* openFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    const auto name = systemPath(path);
    if (!name) {
        errno = EINVAL;
        return nullptr;
    }
    return ::_wfopen(name->c_str(), platform::wide(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace files
