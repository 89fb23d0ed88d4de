#pragma once

// The temporary file a save writes first, the same on every system but for the call that
// creates it (createExclusive, one per system).

#include <string>

#include "platform/files/replace_file.h"

namespace files {

// The system's exclusive create: the descriptor, or -1 with errno set.
int createExclusive(const std::string& path);

// Creates the temporary through createExclusive, or what a CreateTemporaryGuard put in its
// place.
int createTemporary(const std::string& path);

}  // namespace files
