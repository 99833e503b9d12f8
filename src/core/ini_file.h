// IniFile: one private-profile INI file on disk, read and written per call like the Windows
// profile functions (see IniDocument for the rules). Reading a missing or unreadable file gives
// the defaults. Every write is a read-change-replace of the whole file under one process-wide
// lock, replaced atomically, so concurrent writers in the process never lose each other's keys
// and a crash or a full disk never leaves a half-written file. A write never replaces a file that
// exists but cannot be read. The file is created when missing; its folder is not. Any thread.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/ini_document.h"

namespace vandrel {

class IniFile {
 public:
  explicit IniFile(std::filesystem::path path);

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
  std::filesystem::path path_;
};

}  // namespace vandrel
