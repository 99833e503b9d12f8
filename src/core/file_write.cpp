#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/file_io.h"
#include "core/file_write_calls.h"
#include "core/temporary_file.h"
#include "core/write_target.h"

namespace vandrel {
namespace {

bool WriteAll(FileWriteCalls& calls, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = calls.Write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The owner first: changing it clears the set-user and set-group bits that the mode restores.
bool TakeOverOwnerAndMode(int fd, const struct stat& old_file) {
  struct stat created {};
  if (fstat(fd, &created) != 0) return false;
  if ((created.st_uid != old_file.st_uid || created.st_gid != old_file.st_gid) &&
      fchown(fd, old_file.st_uid, old_file.st_gid) != 0) {
    return false;
  }
  return fchmod(fd, old_file.st_mode & 07777) == 0;
}

// Writes and flushes the new contents, then renames them over the target. The temporary file
// stays open (and locked) until it has its final name, so no sweep takes it for a crashed one.
bool ReplaceWith(FileWriteCalls& calls, const WriteTarget& target, const TemporaryFile& temporary,
                 std::string_view bytes) {
  if (target.existing && !TakeOverOwnerAndMode(temporary.fd.get(), *target.existing)) return false;
  return WriteAll(calls, temporary.fd.get(), bytes) && calls.Flush(temporary.fd.get()) == 0 &&
         calls.Rename(target.folder.get(), temporary.name.c_str(), target.name.c_str()) == 0;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  return WriteFileAtomically(path, bytes, SystemFileWriteCalls());
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         FileWriteCalls& calls) {
  const std::optional<WriteTarget> target = FindWriteTarget(path);
  if (!target) return false;
  RemoveStaleTemporaryFiles(target->folder.get());
  std::optional<TemporaryFile> temporary = CreateTemporaryFile(target->folder.get());
  if (!temporary) return false;
  if (!ReplaceWith(calls, *target, *temporary, bytes)) {
    unlinkat(target->folder.get(), temporary->name.c_str(), 0);
    return false;
  }
  temporary->fd.Reset();
  // A folder that cannot be flushed does not undo the write: the new file is in place.
  calls.FlushFolder(target->folder.get());
  return true;
}

}  // namespace vandrel
