// XdgUserFolders: the user's folders as a freedesktop.org desktop defines them.
//   Documents: XDG_DOCUMENTS_DIR from "$XDG_CONFIG_HOME/user-dirs.dirs", else "$HOME/Documents".
//   Configuration: $XDG_CONFIG_HOME when it is an absolute path, else "$HOME/.config".
// The home folder is the one FindHomeFolder (home_folder.h) accepts; without one, the folders under
// it are empty paths.
//   Program folder: $VANDREL_PROGRAM_DIR when set; else the executable's folder, unless that has no
//   "skin" folder and an installed layout "../share/vandrel" exists beside it.
// The environment is read on every call, so tests can point HOME at a temporary folder.
#pragma once

#include "app/user_folders.h"

namespace vandrel {

class XdgUserFolders final : public UserFolders {
 public:
  [[nodiscard]] std::filesystem::path DocumentsFolder() const override;
  [[nodiscard]] std::filesystem::path ConfigFolder() const override;
  [[nodiscard]] std::filesystem::path ProgramFolder() const override;
};

}  // namespace vandrel
