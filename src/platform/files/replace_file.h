#pragma once

// Reading a whole file, and saving one so that a failed or interrupted save never damages the file
// that was there. The new bytes go to a temporary file beside the target, are synced to the disk
// and then take the target's place in one rename. A symbolic link is followed: its final target is
// replaced and the link stays. Where the folder refuses a new file (no write permission, no
// space), the target itself is overwritten instead and the result says whether that failed
// part-way.
//
// The parameter file and the settings file both save through here; each turns the outcome into
// its own error code.

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace files {

enum class SaveFailure {
    None,
    Unresolvable,         // the links cannot be followed (a loop, an unreadable link)
    NoTemporaryName,      // every temporary name offered is taken
    TemporaryNotCreated,  // the temporary file cannot be made, for a reason other than a refusal
    NotReplaced,          // writing, syncing or renaming the temporary failed
    NotOpened,            // in place: the target cannot be opened for writing
    PartlyWritten,        // in place: writing failed part-way; the target may be incomplete
};

struct SaveResult {
    SaveFailure failure = SaveFailure::None;
    int error = 0;         // errno of the call that failed
    bool inPlace = false;  // the target itself was overwritten
    explicit operator bool() const { return failure == SaveFailure::None; }
};

struct SaveOptions {
    // The name of the temporary file for the n-th try (n from 0), without its folder; "" when
    // there are no more names to try. A name that exists is never touched.
    std::function<std::string(int attempt)> temporaryName;
};

// Creates a temporary file exclusively: its descriptor, or -1 with errno set.
using CreateTemporary = int (*)(const std::string& path);

// While it lives, every save creates its temporary file through the given function. Tests make
// a folder refuse new files so; the superuser passes every permission check of a real one.
class CreateTemporaryGuard {
  public:
    explicit CreateTemporaryGuard(CreateTemporary replacement);
    ~CreateTemporaryGuard();
    CreateTemporaryGuard(const CreateTemporaryGuard&) = delete;
    CreateTemporaryGuard& operator=(const CreateTemporaryGuard&) = delete;

  private:
    CreateTemporary previous_;
};

// ".tkv9d-" and six random letters and digits: short whatever the target's name, and hidden.
std::string randomTemporaryName(int attempt);

// The path a path leads to once every symbolic link at its end is followed, relative links
// taken from the link's own folder. A link to nothing leads to what it names, which a save then
// creates. false with errno's value in error for a loop or an unreadable link.
bool followLinks(std::string& path, int& error);

// Puts bytes in place of the file at path (created when missing). A regular file whose mode
// has no write bit is write-protected and never replaced, not even by the superuser (EACCES). The
// replacement keeps the old file's permission bits and, where the process may, its owner; a new
// file gets what the umask allows. On every failure before the rename the old file is left byte for
// byte as it was.
SaveResult replaceFile(const std::string& path, std::string_view bytes,
                       const SaveOptions& options = {});

// Whether a save can put a file at path: an existing file opens for reading and writing, a
// missing one can be created (the probe is removed again).
bool targetWritable(const std::string& path);

// Opens a file for reading bytes, and only a regular file: a pipe would block and a device might
// never end. nullptr with errno otherwise; notRegular tells that refusal apart.
std::FILE* openRegular(const std::string& path, bool& notRegular);

enum class ReadFailure { None, NotFound, NotOpened, ReadFailed };

// Hands the whole file to take, a chunk of at most chunkSize bytes at a time. Only a regular
// file is read (NotOpened otherwise), so a pipe or device neither blocks nor runs on forever. What
// take throws passes through; the file is closed either way.
ReadFailure readChunks(const std::string& path, std::size_t chunkSize,
                       const std::function<void(std::string_view)>& take);

}  // namespace files
