#pragma once

// The steps of saving and reading a file that are the same on every system: the temporary file a
// save writes first, writing all bytes, reading in chunks. Each system gives the calls they are
// made of (createExclusive, writeSome, openForReading, readSome, closeFile).

#include <span>
#include <string>
#include <string_view>

#include "platform/files/replace_file.h"

namespace files {

// The system's exclusive create: the descriptor, or -1 with errno set.
int createExclusive(const std::string& path);

// The system's write: places some of the bytes and returns how many, or -1 with errno set.
long writeSome(int fd, std::string_view bytes);

// The system's open for reading a regular file: the descriptor, or -1 with errno set (EISDIR for
// a folder).
int openForReading(const std::string& path);

// The system's read: how many bytes it put in the buffer, 0 at the end, or -1 with errno set.
long readSome(int fd, std::span<char> buffer);

void closeFile(int fd);

// Writes every byte from the descriptor's position; false with errno set when a write fails or
// places nothing.
bool writeAll(int fd, std::string_view bytes);

// A temporary file made in a folder: its descriptor and path, or why none could be made.
struct Temporary {
    int fd = -1;
    std::string path;
    int error = 0;             // errno of the last create, when fd is -1
    bool namesRanOut = false;  // every name offered was taken
};

// Tries the names the options give (random ones without), the next one while a name is taken.
Temporary makeTemporary(const std::string& folder, const SaveOptions& options);

// A name randomTemporaryName gives: ".tkv9d-" and six letters or digits.
bool isTemporaryName(std::string_view name);

// Creates the temporary through createExclusive, or what a CreateTemporaryGuard put in its
// place.
int createTemporary(const std::string& path);

}  // namespace files
