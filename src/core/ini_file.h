// IniFile: one private-profile INI file on disk, read and written per call like the Windows
// profile functions (see IniDocument for the rules). Reading a missing or unreadable file gives
// the defaults. Every write is a read-change-replace of the whole file under one process-wide
// lock, replaced atomically, so concurrent writers in the process never lose each other's keys
// and a crash or a full disk never leaves a half-written file. A write never replaces a file that
// exists but cannot be read. The file is created when missing; its folder is not. A file larger
// than the limit of its kind is neither read (it gives the defaults) nor written, and the person
// running the program is told so (Warn). Any thread.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "core/ini_document.h"

namespace vandrel {

// The largest INI file read: a macro or recoil file of the longest macro stays below it.
inline constexpr std::size_t kMaxIniFileSize = 4 * 1024 * 1024;
// Settings files (main.ini, the settings store) hold a handful of keys.
inline constexpr std::size_t kMaxSettingsIniSize = 64 * 1024;

class IniFile {
 public:
  explicit IniFile(std::filesystem::path path, std::size_t max_bytes = kMaxIniFileSize);

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                       std::string_view default_value = "0") const;
  [[nodiscard]] int ReadInt(std::string_view section, std::string_view key,
                            int default_value = 0) const;
  // The whole file for many reads at once; empty when missing or unreadable.
  [[nodiscard]] IniDocument Load() const;

  [[nodiscard]] bool WriteString(std::string_view section, std::string_view key,
                                 std::string_view value) const;
  // Deleting from a missing file succeeds and creates nothing.
  [[nodiscard]] bool DeleteKey(std::string_view section, std::string_view key) const;
  [[nodiscard]] bool DeleteSection(std::string_view section) const;
  // Applies `edit` to the current contents and writes the result; `edit` returns false to refuse
  // the change, which leaves the file alone and makes Update return false.
  [[nodiscard]] bool Update(const std::function<bool(IniDocument&)>& edit) const;

 private:
  // The file's contents; a file over the limit is reported and reads as unreadable.
  [[nodiscard]] FileContents Read() const;

  std::filesystem::path path_;
  std::size_t max_bytes_;
};

}  // namespace vandrel
