#pragma once

// Paths are UTF-8 throughout the program. The system's own file functions take them in their
// form here: UTF-16 on Windows, where a narrow path would be read in the ANSI code page and an
// umlaut would name another file.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace files {

// nullopt for a path that is not valid UTF-8.
std::optional<std::filesystem::path> systemPath(const std::string& path);

// fopen for a UTF-8 path: nullptr with errno set when it cannot be opened.
std::FILE* openFile(const std::string& path, const char* mode);

}  // namespace files
