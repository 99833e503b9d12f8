#include "ui/text_resources.h"

#include <algorithm>
#include <pugixml.hpp>
#include <utility>

#include "core/file_io.h"
#include "core/trace.h"

namespace vandrel {

std::optional<LanguageTexts> ParseLanguageFile(std::string_view bytes) {
  pugi::xml_document document;
  if (!document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return std::nullopt;
  }
  const pugi::xml_node root = document.child("texts");
  if (!root) return std::nullopt;
  LanguageTexts texts;
  for (const pugi::xml_node text : root.children("text")) {
    const std::string_view id = text.attribute("id").as_string();
    if (id.empty()) continue;
    texts.emplace(std::string(id), text.text().as_string());
  }
  return texts;
}

bool TextResources::LoadLanguage(std::string_view name, const std::filesystem::path& file) {
  const FileContents contents = ReadWholeFile(file);
  std::optional<LanguageTexts> texts;
  if (contents.status == ReadStatus::kOk) texts = ParseLanguageFile(contents.bytes);
  if (!texts) {
    Trace("language file not loaded: " + file.string());
    return false;
  }
  SetLanguage(name, std::move(*texts));
  return true;
}

void TextResources::SetLanguage(std::string_view name, LanguageTexts texts) {
  {
    std::lock_guard lock(mutex_);
    name_ = name;
    texts_ = std::move(texts);
  }
  NotifyObservers();
}

std::string TextResources::LanguageName() const {
  std::lock_guard lock(mutex_);
  return name_;
}

std::string TextResources::Lookup(std::string_view id) const {
  TextQuery query;
  {
    std::lock_guard lock(mutex_);
    const auto found = texts_.find(id);
    if (found != texts_.end()) return found->second;
    query = query_;
  }
  // The query runs outside the lock: it belongs to the main window and may look up texts itself.
  if (query) {
    if (std::optional<std::string> text = query(id)) return *std::move(text);
  }
  return std::string(id);
}

std::optional<std::string> TextResources::Find(std::string_view id) const {
  std::lock_guard lock(mutex_);
  const auto found = texts_.find(id);
  if (found == texts_.end()) return std::nullopt;
  return found->second;
}

void TextResources::SetTextQuery(TextQuery query) {
  {
    std::lock_guard lock(mutex_);
    query_ = std::move(query);
  }
  NotifyObservers();
}

void TextResources::AddObserver(Observer* observer) {
  std::lock_guard lock(observers_mutex_);
  observers_.push_back(observer);
}

void TextResources::RemoveObserver(Observer* observer) {
  std::lock_guard lock(observers_mutex_);
  std::erase(observers_, observer);
}

void TextResources::NotifyObservers() {
  std::lock_guard lock(observers_mutex_);
  for (Observer* observer : observers_) observer->OnTextsChanged();
}

}  // namespace vandrel
