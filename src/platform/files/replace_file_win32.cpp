// Saving a whole file on Windows: the same steps as on Linux. ReplaceFileW puts the new file in
// the old one's place in one step and keeps what a rename would lose: the old file's
// attributes, its access rights and its other streams; a new file is moved into place. Paths are
// UTF-8 and may use backslashes, forward slashes and drive letters.

#include "platform/files/file_steps.h"
#include "platform/files/replace_file.h"
#include "platform/win32_text.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string_view>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace files {

namespace {

constexpr unsigned kWriteChunk = 1u << 20;  // [bytes] handed to one _write()

using platform::wide;

// The folder part with its trailing separator or drive colon, "" for a bare file name.
std::string folderOf(const std::string& path) {
    const std::size_t end = path.find_last_of("/\\:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// The errno value closest to what Windows reports, so that callers see one kind of number.
int errnoFrom(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

// Creating a file here is refused outright; writing into an existing one may still work.
bool folderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC;
}

// The path with its folder: Wine's ReplaceFileW fails on a name without one ("a.ini"), and a
// relative path is the same file whichever way it is written. A path that does not convert
// stays as it is, and its save fails as it would have.
std::string fullPath(const std::string& path) {
    const std::wstring name = wide(path);
    if (name.empty()) return path;
    const DWORD length = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(name.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    // A device ("NUL", "COM1") keeps the name it was given: it is written as it stands.
    if (full.rfind(L"\\\\.\\", 0) == 0) return path;
    return platform::narrow(full).value_or(path);
}

SaveResult failed(SaveFailure failure, int error, bool inPlace = false) {
    return SaveResult{failure, error, inPlace};
}

SaveResult writeInPlace(const std::string& target, std::string_view bytes) {
    const int fd = ::_wopen(wide(target).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return failed(SaveFailure::NotOpened, errno, true);
    bool done = writeAll(fd, bytes);
    if (done) done = ::_chsize_s(fd, static_cast<long long>(bytes.size())) == 0;
    if (done) done = ::_commit(fd) == 0;
    const int error = errno;
    if (::_close(fd) != 0 && done) return failed(SaveFailure::PartlyWritten, errno, true);
    if (!done) return failed(SaveFailure::PartlyWritten, error, true);
    return SaveResult{SaveFailure::None, 0, true};
}

bool moveIntoPlace(const std::string& temporary, const std::string& target, bool exists) {
    const std::wstring from = wide(temporary);
    const std::wstring to = wide(target);
    if (!exists) return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (!ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr))
        return false;
    // Not every implementation keeps the attributes (Wine's does not); setting them again
    // costs nothing where they were kept.
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(to.c_str(), attributes);
    return true;
}

// Bytes on the disk and the file closed; only then does the move put it over the target, so at
// every moment the old or the new file is there.
SaveResult fillAndMove(int fd, const std::string& temporary, const std::string& target, bool exists,
                       std::string_view bytes) {
    bool done = writeAll(fd, bytes) && ::_commit(fd) == 0;
    int error = errno;
    if (::_close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && !moveIntoPlace(temporary, target, exists)) {
        done = false;
        error = errnoFrom(GetLastError());
    }
    if (!done) {
        DeleteFileW(wide(temporary).c_str());
        return failed(SaveFailure::NotReplaced, error);
    }
    return {};
}

// A save killed before the move leaves its temporary file for good. The next save into the
// folder removes such leftovers of our own naming once they are older than a minute; one that a
// save still has open cannot be deleted (its file is not shared for deletion) and stays.
void removeStaleTemporaries(const std::string& folder) {
    constexpr ULONGLONG kStaleAfter = 60ull * 10'000'000;  // [100 ns]
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wide(folder + ".tkv9d-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    do {
        // Our names are plain ASCII; anything else is somebody else's file.
        std::string name;
        for (const wchar_t c : std::wstring_view(found.cFileName))
            name += c < 0x80 ? static_cast<char>(c) : '\0';
        if (!isTemporaryName(name) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            ticks(found.ftLastWriteTime) + kStaleAfter >= ticks(now))
            continue;
        DeleteFileW(wide(folder + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

int createExclusive(const std::string& path) {
    return ::_wopen(wide(path).c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

long writeSome(int fd, std::string_view bytes) {
    return ::_write(fd, bytes.data(),
                    static_cast<unsigned>(std::min<std::size_t>(bytes.size(), kWriteChunk)));
}

bool followLinks(std::string&, int&) {
    return true;
}

SaveResult replaceFile(const std::string& path, std::string_view bytes,
                       const SaveOptions& options) {
    const std::string target = fullPath(path);
    const DWORD attributes = GetFileAttributesW(wide(target).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failed(SaveFailure::NotOpened, EISDIR);
    // The operator made the file read-only to keep it; a rename would replace it all the same.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return failed(SaveFailure::NotOpened, EACCES);
    // A device (COM1, NUL) takes the bytes as they are.
    if (exists && (attributes & FILE_ATTRIBUTE_DEVICE)) return writeInPlace(target, bytes);

    removeStaleTemporaries(folderOf(target));
    const Temporary temporary = makeTemporary(folderOf(target), options);
    if (temporary.fd >= 0) return fillAndMove(temporary.fd, temporary.path, target, exists, bytes);
    if (temporary.namesRanOut) return failed(SaveFailure::NoTemporaryName, temporary.error);
    if (exists && folderRefuses(temporary.error)) return writeInPlace(target, bytes);
    return failed(SaveFailure::TemporaryNotCreated, temporary.error);
}

bool targetWritable(const std::string& path) {
    const std::wstring name = wide(path);
    int fd = ::_wopen(name.c_str(), _O_RDWR | _O_BINARY | _O_NOINHERIT);
    if (fd >= 0) {
        ::_close(fd);
        return true;
    }
    if (errno != ENOENT) return false;
    fd = ::_wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
    if (fd < 0) return false;
    ::_close(fd);
    ::_wunlink(name.c_str());
    return true;
}

std::FILE* openRegular(const std::string& path, bool& notRegular) {
    notRegular = false;
    std::FILE* file = ::_wfopen(wide(path).c_str(), L"rb");
    if (!file) return nullptr;
    struct _stat64 status {};
    if (::_fstat64(::_fileno(file), &status) != 0 || (status.st_mode & _S_IFREG) == 0) {
        std::fclose(file);
        notRegular = true;
        errno = EINVAL;
        return nullptr;
    }
    return file;
}

int openForReading(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return -1;
    }
    return ::_wopen(wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

long readSome(int fd, std::span<char> buffer) {
    return ::_read(fd, buffer.data(), static_cast<unsigned>(buffer.size()));
}

void closeFile(int fd) {
    ::_close(fd);
}

}  // namespace files
