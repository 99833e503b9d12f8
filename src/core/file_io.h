// Whole-file reading and crash-safe whole-file replacement, for every file the system writes
// (INI files, profile, macro and recoil files).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// Files larger than this are refused rather than read into memory; no file of the system's comes
// near it.
inline constexpr std::size_t kMaxReadableFileSize = 16 * 1024 * 1024;

enum class ReadStatus { kOk, kMissing, kUnreadable };

struct FileContents {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;  // empty unless status is kOk
};

// Reads the whole file. kMissing when nothing exists at `path`; kUnreadable when something exists
// but cannot be read as a file of at most kMaxReadableFileSize bytes.
[[nodiscard]] FileContents ReadWholeFile(const std::filesystem::path& path);

// Replaces the file at `path` (following a symbolic link) with `bytes`: a temporary file in the
// same folder is written, flushed to disk and renamed over the old one, so a crash or a full disk
// leaves either the old file or the new one, never a mix. The folder is not created. On failure
// the old file is untouched, no temporary file is left, and false is returned. An existing file
// keeps its permission bits; a new one gets 0666 less the umask. Any thread.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vandrel
