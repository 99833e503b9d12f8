#include "core/ini_file.h"

#include <mutex>

#include "core/trace.h"

namespace vandrel {
namespace {

std::mutex write_mutex;  // serialises every read-change-replace of every INI file

enum class Change { kWrite, kNothing, kRefused };

// Lets `edit` change the file's contents and writes them back; the caller holds write_mutex. A
// missing file reads as empty, or needs no change at all when `missing_needs_nothing` (nothing to
// delete from).
bool Rewrite(const FileContents& contents, const std::filesystem::path& path,
             bool missing_needs_nothing, const std::function<Change(IniDocument&)>& edit) {
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

IniFile::IniFile(std::filesystem::path path, std::size_t max_bytes)
    : path_(std::move(path)), max_bytes_(max_bytes) {}

FileContents IniFile::Read() const {
  FileContents contents = ReadWholeFile(path_, max_bytes_);
  if (contents.status == ReadStatus::kTooLarge) {
    Warn(path_.string() + " is larger than " + std::to_string(max_bytes_) +
         " bytes, the most this file may have: it is ignored and left unchanged");
  }
  return contents;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  return Load().Get(section, key, default_value);
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int default_value) const {
  return Load().GetInt(section, key, default_value);
}

IniDocument IniFile::Load() const { return IniDocument::Parse(Read().bytes); }

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  return Update([&](IniDocument& document) { return document.Set(section, key, value); });
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) const {
  std::lock_guard lock(write_mutex);
  return Rewrite(Read(), path_, true, [&](IniDocument& document) {
    return document.RemoveKey(section, key) ? Change::kWrite : Change::kNothing;
  });
}

bool IniFile::DeleteSection(std::string_view section) const {
  std::lock_guard lock(write_mutex);
  return Rewrite(Read(), path_, true, [&](IniDocument& document) {
    return document.RemoveSection(section) ? Change::kWrite : Change::kNothing;
  });
}

bool IniFile::Update(const std::function<bool(IniDocument&)>& edit) const {
  std::lock_guard lock(write_mutex);
  return Rewrite(Read(), path_, false, [&](IniDocument& document) {
    return edit(document) ? Change::kWrite : Change::kRefused;
  });
}

}  // namespace vandrel
