#include "core/ini_file.h"

#include <mutex>

#include "core/file_io.h"

namespace vandrel {
namespace {

std::mutex write_mutex;  // serialises every read-change-replace of every INI file

enum class Change { kWrite, kNothing, kRefused };

// Reads the file, lets `edit` change it and writes it back. A missing file reads as empty, or
// needs no change at all when `missing_needs_nothing` (nothing to delete from).
bool Rewrite(const std::filesystem::path& path, bool missing_needs_nothing,
             const std::function<Change(IniDocument&)>& edit) {
  std::lock_guard lock(write_mutex);
  const FileContents contents = ReadWholeFile(path);
  const bool missing = contents.status == ReadStatus::kMissing;
  if (contents.status != ReadStatus::kOk && !missing) return false;
  if (missing && missing_needs_nothing) return true;
  IniDocument document = IniDocument::Parse(contents.bytes);
  switch (edit(document)) {
    case Change::kWrite:
      return WriteFileAtomically(path, document.Serialize());
    case Change::kNothing:
      return true;
    case Change::kRefused:
      return false;
  }
  return false;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  return Load().Get(section, key, default_value);
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int default_value) const {
  return Load().GetInt(section, key, default_value);
}

IniDocument IniFile::Load() const {
  const FileContents contents = ReadWholeFile(path_);
  return IniDocument::Parse(contents.bytes);
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  return Update([&](IniDocument& document) { return document.Set(section, key, value); });
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) const {
  return Rewrite(path_, true, [&](IniDocument& document) {
    return document.RemoveKey(section, key) ? Change::kWrite : Change::kNothing;
  });
}

bool IniFile::DeleteSection(std::string_view section) const {
  return Rewrite(path_, true, [&](IniDocument& document) {
    return document.RemoveSection(section) ? Change::kWrite : Change::kNothing;
  });
}

bool IniFile::Update(const std::function<bool(IniDocument&)>& edit) const {
  return Rewrite(path_, false, [&](IniDocument& document) {
    return edit(document) ? Change::kWrite : Change::kRefused;
  });
}

}  // namespace vandrel
