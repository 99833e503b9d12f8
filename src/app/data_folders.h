// DataFolders: the per-user data folder "Vandrel Gaming mouse" in the user's Documents folder and
// its device subfolders "ms", "kb" and "mp". Each folder is created (with the Documents folder if
// needed) the first time its path is asked for. A folder that cannot be created is not an error
// here: later file operations in it fail and are reported by their callers. Every path ends with
// "/", so callers append a file name directly. Any thread.
#pragma once

#include <string>

#include "app/user_folders.h"

namespace vandrel {

class DataFolders {
 public:
  // `user_folders` must outlive this object.
  explicit DataFolders(const UserFolders& user_folders);

  [[nodiscard]] std::string GetDataFolder() const;
  [[nodiscard]] std::string GetMouseFolder() const;
  [[nodiscard]] std::string GetKeyboardFolder() const;
  [[nodiscard]] std::string GetPadFolder() const;
  // The program folder (not created).
  [[nodiscard]] std::string GetProgramFolder() const;

 private:
  [[nodiscard]] std::string GetDeviceFolder(const char* name) const;

  const UserFolders& user_folders_;
};

}  // namespace vandrel
