#include "platform/files/system_path.h"

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

}  // namespace files
