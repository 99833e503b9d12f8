// Whole-file reading and crash-safe whole-file replacement, for every file the system reads or
// writes (INI files, profile, macro and recoil files, skin and language files, descriptors).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// The largest file read when the caller names no smaller limit for its kind; no file of the
// system's comes near it.
inline constexpr std::size_t kMaxReadableFileSize = 16 * 1024 * 1024;

enum class ReadStatus {
  kOk,
  kMissing,     // nothing at the path
  kUnreadable,  // not a regular file, or it cannot be opened or read
  kTooLarge,    // a regular file longer than the limit
};

struct FileContents {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;  // empty unless status is kOk
};

// Reads the whole regular file at `path` (following symbolic links), of at most `max_bytes`
// bytes. The file is opened without blocking, so a FIFO or a device node named here can neither
// hang the caller nor feed it without end: anything but a regular file is kUnreadable. Any thread.
[[nodiscard]] FileContents ReadWholeFile(const std::filesystem::path& path,
                                         std::size_t max_bytes = kMaxReadableFileSize);

// What ReadWholeFile would find at `path`, without reading the contents: for files that another
// library opens itself (pictures a style sheet names), so that it is never handed a FIFO, a device
// or an oversized file. Any thread.
[[nodiscard]] ReadStatus CheckReadableFile(const std::filesystem::path& path,
                                           std::size_t max_bytes = kMaxReadableFileSize);

// Replaces the regular file at `path` with `bytes`: a temporary file in the same folder is
// written, flushed to disk and renamed over the old one, so a crash or a full disk leaves either
// the old file or the new one, never a mix. A symbolic link at `path` is followed (it stays a
// link), except one in a sticky world-writable folder (such as /tmp) that belongs to neither us
// nor the folder's owner, which the kernel would not follow either. Refused (false, nothing
// changed): a target that exists and is not a regular file, or that we may not write (a read-only
// file stays read-only, even for root), and a folder that does not exist (it is not created). An
// existing file keeps its owner, group and permission bits (one whose owner or group we cannot
// give the replacement is refused); a new one gets 0666 less the umask.
// On failure no temporary file is left; temporary files of a writer that crashed are removed by
// the next write in their folder. Any thread.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vandrel
