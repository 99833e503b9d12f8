// The crash-safe writer's temporary files: short names of their own (so that a target of any
// length can be saved), each locked by the writer while it lives, so that the temporary files of
// a writer that crashed can be told from those of one still at work and removed. Internal to the
// writer. Any thread.
#pragma once

#include <optional>
#include <string>

#include "core/unique_fd.h"

namespace vandrel {

struct TemporaryFile {
  UniqueFd fd;       // open for writing; holds the lock while it stays open
  std::string name;  // in the folder it was created in
};

// A new empty temporary file in the folder, with permission bits 0666 less the umask.
[[nodiscard]] std::optional<TemporaryFile> CreateTemporaryFile(int folder_fd);

// Removes the temporary files in the folder whose writer has ended without renaming or removing
// them (a crash); those of live writers, in this process or another, stay.
void RemoveStaleTemporaryFiles(int folder_fd);

}  // namespace vandrel
