// UserFolders: where the desktop keeps the user's folders and where the program's own files lie.
// The Linux implementation is XdgUserFolders (platform/); tests give temporary folders.
#pragma once

#include <filesystem>

namespace vandrel {

class UserFolders {
 public:
  virtual ~UserFolders() = default;

  // The user's Documents folder; it may not exist yet. Any thread.
  [[nodiscard]] virtual std::filesystem::path DocumentsFolder() const = 0;
  // The folder for per-user configuration; it may not exist yet. Any thread.
  [[nodiscard]] virtual std::filesystem::path ConfigFolder() const = 0;
  // The program folder, holding "skin/" and the factory default files. Any thread.
  [[nodiscard]] virtual std::filesystem::path ProgramFolder() const = 0;
};

}  // namespace vandrel
