// Moving macro files: rename, delete, and the byte-for-byte copies in and out of the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/utf8.h"
#include "macro/macro_store.h"

namespace vandrel {
namespace {

bool IsSafe(std::string_view name) { return CheckMacroName(name) == MacroNameProblem::kNone; }

// Whether anything (a file, a folder, a dangling link) has this name.
bool NameTaken(const std::filesystem::path& path) {
  struct stat info {};
  return fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  return fstatat(AT_FDCWD, a.c_str(), &first, AT_SYMLINK_NOFOLLOW) == 0 &&
         fstatat(AT_FDCWD, b.c_str(), &second, AT_SYMLINK_NOFOLLOW) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Moves `from` to `to` unless `to` exists, without a moment in which a file there could be
// replaced. File systems without the no-replace rename get a hard link and an unlink; those
// without hard links either (FAT) get a check and a plain rename.
RenameResult MoveWithoutReplacing(const std::filesystem::path& from,
                                  const std::filesystem::path& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return RenameResult::kRenamed;
  }
  if (errno == EEXIST) return RenameResult::kTargetExists;
  if (errno != EINVAL && errno != ENOSYS) return RenameResult::kFailed;
  if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) {
    unlink(from.c_str());
    return RenameResult::kRenamed;
  }
  if (errno == EEXIST) return RenameResult::kTargetExists;
  if (errno != EPERM && errno != EOPNOTSUPP) return RenameResult::kFailed;
  if (NameTaken(to)) return RenameResult::kTargetExists;
  return std::rename(from.c_str(), to.c_str()) == 0 ? RenameResult::kRenamed
                                                    : RenameResult::kFailed;
}

}  // namespace

RenameResult MacroStore::RenameMacroFile(std::string_view old_name,
                                         std::string_view new_name) const {
  if (!IsSafe(old_name) || !IsSafe(new_name)) return RenameResult::kInvalidName;
  if (old_name == new_name) return RenameResult::kRenamed;
  const std::filesystem::path from = MacroPath(old_name);
  const std::filesystem::path to = MacroPath(new_name);
  // On a file system that ignores case, a change of case finds its own file under the new name.
  if (SameFile(from, to)) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? RenameResult::kRenamed
                                                      : RenameResult::kFailed;
  }
  // Checked before the missing file, so that a stray file never becomes this macro's steps.
  if (NameTaken(to)) return RenameResult::kTargetExists;
  if (!NameTaken(from)) return RenameResult::kRenamed;
  return MoveWithoutReplacing(from, to);
}

bool MacroStore::DeleteMacroFile(std::string_view name) const {
  if (!IsSafe(name)) return false;
  return unlink(MacroPath(name).c_str()) == 0 || errno == ENOENT;
}

bool MacroStore::MacroFileTaken(std::string_view name) const {
  return !IsSafe(name) || NameTaken(MacroPath(name));
}

bool MacroStore::ExportMacro(std::string_view name, const std::filesystem::path& target) const {
  if (!IsSafe(name)) return false;
  const FileContents contents = ReadWholeFile(MacroPath(name), kMaxIniFileSize);
  return contents.status == ReadStatus::kOk && WriteFileAtomically(target, contents.bytes);
}

ImportResult MacroStore::ImportMacro(const std::filesystem::path& source,
                                     std::string_view name) const {
  if (!IsSafe(name)) return ImportResult::kWriteFailed;
  const FileContents contents = ReadWholeFile(source, kMaxImportedMacroBytes);
  switch (contents.status) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kTooLarge:
      return ImportResult::kTooLarge;
    case ReadStatus::kMissing:
    case ReadStatus::kUnreadable:
      return ImportResult::kUnreadable;
  }
  const bool text = contents.bytes.find('\0') == std::string::npos && IsValidUtf8(contents.bytes);
  if (!text) return ImportResult::kNotText;
  return WriteFileAtomically(MacroPath(name), contents.bytes) ? ImportResult::kImported
                                                              : ImportResult::kWriteFailed;
}

}  // namespace vandrel
