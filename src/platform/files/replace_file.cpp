#include "platform/files/replace_file.h"
#include "platform/files/file_steps.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <ctime>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

constexpr int kLinkLimit = 40;                // links followed before giving up, as the kernel does
constexpr std::size_t kWriteChunk = 1 << 20;  // [bytes] handed to one write()
constexpr std::time_t kStaleAfter = 60;       // [s] since a leftover temporary file was written

// The folder part with its trailing '/', "" for a bare file name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Creating a file here is refused outright; writing into an existing one may still work.
bool folderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC ||
           error == EDQUOT;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// So that the rename itself survives a power cut; a folder that cannot be synced is no failure.
void syncFolder(const std::string& target) {
    const std::string folder = folderOf(target).empty() ? "." : folderOf(target);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

SaveResult failed(SaveFailure failure, int error, bool inPlace = false) {
    return SaveResult{failure, error, inPlace};
}

// Overwrites the target from its first byte and cuts it to the new length only afterwards: an
// open that fails leaves it untouched, a write that fails leaves it incomplete, and the result
// says which. A device or pipe as target takes the bytes as they are.
SaveResult writeInPlace(const std::string& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failed(SaveFailure::NotOpened, errno, true);
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    bool done = writeAll(fd, bytes);
    if (done && regular) done = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    if (done && regular) done = ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 && done) return failed(SaveFailure::PartlyWritten, errno, true);
    if (!done) return failed(SaveFailure::PartlyWritten, error, true);
    return SaveResult{SaveFailure::None, 0, true};
}

// Bytes synced to the disk, the old file's mode and owner taken over, file closed; only then
// does the rename put it over the target, so at every moment the old or the new file is there.
SaveResult fillAndRename(int fd, const std::string& temporary, const std::string& target,
                         const struct stat* old, std::string_view bytes) {
    if (old) {
        // Only the superuser may give the file away; everyone else keeps it as theirs.
        [[maybe_unused]] const int owned = ::fchown(fd, old->st_uid, old->st_gid);
    }
    bool done = ::fchmod(fd, old ? old->st_mode & 07777 : newFileMode()) == 0;
    done = done && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && std::rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        return failed(SaveFailure::NotReplaced, error);
    }
    syncFolder(target);
    return {};
}

// A save killed between creating its temporary file and the rename leaves the file for good.
// The next save into the folder removes such leftovers of our own naming once they are older
// than a minute and no save holds them (each holds its own locked while it writes).
void removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name)) continue;
        const std::string path = folder + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
            now - status.st_mtime > kStaleAfter && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace

int createExclusive(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    // Held until the file is closed: a save under way is never taken for a stale leftover.
    if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

long writeSome(int fd, std::string_view bytes) {
    for (;;) {
        const ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), kWriteChunk));
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

bool followLinks(std::string& path, int& error) {
    for (int links = 0; links <= kLinkLimit; ++links) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return true;  // a new file, or where a dangling link points
            error = errno;
            return false;
        }
        if (!S_ISLNK(status.st_mode)) return true;
        std::vector<char> text(static_cast<std::size_t>(status.st_size) + 1);
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        // A link that grew since the lstat is read again on the next round.
        if (n < 0 || static_cast<std::size_t>(n) >= text.size()) {
            if (n < 0) {
                error = errno;
                return false;
            }
            continue;
        }
        std::string next(text.data(), static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : folderOf(path) + next;
    }
    error = ELOOP;
    return false;
}

SaveResult replaceFile(const std::string& path, std::string_view bytes,
                       const SaveOptions& options) {
    std::string target = path;
    if (int error = 0; !followLinks(target, error)) return failed(SaveFailure::Unresolvable, error);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return failed(SaveFailure::NotOpened, EISDIR);
    // The owner took the write bits away to keep the file; the superuser's pass through every
    // permission check must not undo that.
    if (exists && S_ISREG(old.st_mode) && (old.st_mode & 0222) == 0)
        return failed(SaveFailure::NotOpened, EACCES);
    // Renaming over a device or a pipe would put a plain file in its place.
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(target, bytes);

    removeStaleTemporaries(folderOf(target));
    const Temporary temporary = makeTemporary(folderOf(target), options);
    if (temporary.fd >= 0)
        return fillAndRename(temporary.fd, temporary.path, target, exists ? &old : nullptr, bytes);
    if (temporary.namesRanOut) return failed(SaveFailure::NoTemporaryName, temporary.error);
    if (exists && folderRefuses(temporary.error)) return writeInPlace(target, bytes);
    return failed(SaveFailure::TemporaryNotCreated, temporary.error);
}

bool targetWritable(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != ENOENT) return false;
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(path.c_str());
    return true;
}

namespace {

// O_NONBLOCK so that opening a pipe does not wait for a writer; cleared for the reads.
int openRegularDescriptor(const std::string& path, bool& notRegular) {
    notRegular = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        notRegular = true;
        ::close(fd);
        errno = error;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

std::FILE* openRegular(const std::string& path, bool& notRegular) {
    const int fd = openRegularDescriptor(path, notRegular);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

int openForReading(const std::string& path) {
    bool notRegular = false;
    return openRegularDescriptor(path, notRegular);
}

long readSome(int fd, std::span<char> buffer) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

void closeFile(int fd) {
    ::close(fd);
}

}  // namespace files
