#pragma once

// A folder of the fuzz target's own for the files it reads and writes, made on first use and
// removed with everything in it when the process ends normally.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace fuzz {

class ScratchFolder {
  public:
    ScratchFolder() {
        path_ = std::filesystem::exists("/dev/shm") ? "/dev/shm/tkv9d-fuzz-XXXXXX"
                                                    : "/tmp/tkv9d-fuzz-XXXXXX";
        if (!::mkdtemp(path_.data())) std::abort();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline const std::string& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path();
}

}  // namespace fuzz
