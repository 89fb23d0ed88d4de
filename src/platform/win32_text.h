#pragma once

// Windows takes paths and device names as UTF-16; this program keeps them as UTF-8.

#include <windows.h>

#include <string>

namespace platform {

inline std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
    return result;
}

}  // namespace platform
