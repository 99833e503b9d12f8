// main.ini in the data folder: the picture skin to restore at start and the interface language.
// Missing file, section or key read as "0". Any thread.
#pragma once

#include <string>
#include <string_view>

#include "app/data_folders.h"
#include "core/ini_file.h"

namespace vandrel {

class MainIni {
 public:
  explicit MainIni(const DataFolders& folders);

  // 1 when a picture skin was chosen and is to be restored at start.
  [[nodiscard]] int ReadSkinFlags() const;
  // The chosen picture skin, as the skin window stored it.
  [[nodiscard]] std::string ReadSkinImage() const;
  // 0 English, 1 Simplified Chinese, any other number Traditional Chinese.
  [[nodiscard]] int ReadLanguage() const;

  [[nodiscard]] bool WriteSkinFlags(int flags) const;
  [[nodiscard]] bool WriteSkinImage(std::string_view image) const;
  [[nodiscard]] bool WriteLanguage(int language) const;

 private:
  IniFile file_;
};

}  // namespace vandrel
