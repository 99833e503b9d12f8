// The file the crash-safe writer replaces: the regular file a path names, found as the kernel
// would follow it, and checked to be one we may replace. Internal to the writer. Any thread.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "core/unique_fd.h"

namespace vandrel {

struct WriteTarget {
  UniqueFd folder;                      // the folder holding the file, open for the *at calls
  std::string name;                     // the file's name in it, never a symbolic link
  std::optional<struct stat> existing;  // the file as it is now; nullopt when it is new
};

// Follows symbolic links at `path` (at most 40, as the kernel does) to the file they name. Each
// link is checked by the kernel's protected-symlinks rule: in a sticky world-writable folder only
// a link owned by us or by the folder's owner is followed. nullopt when a link may not be
// followed, the folder cannot be opened, the path names no file (it ends in a slash), or the file
// exists but is not a regular file we may write (no write permission for us, or none at all).
[[nodiscard]] std::optional<WriteTarget> FindWriteTarget(const std::filesystem::path& path);

}  // namespace vandrel
