// TextResources: the loaded language's texts by identifier, shared by every window. Loading
// another language file re-resolves every resource text of every window at once.
//
// Language file format (UTF-8 XML):
//   <texts language="en">
//     <text id="message_text_1">No device is connected.</text>
//   </texts>
// Every member may be called from any thread.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

using LanguageTexts = std::map<std::string, std::string, std::less<>>;

// Reads a language file's contents; nullopt when it is not well-formed XML with a <texts> root.
// An identifier given twice keeps its first text; <text> elements without an id are skipped.
[[nodiscard]] std::optional<LanguageTexts> ParseLanguageFile(std::string_view bytes);

class TextResources {
 public:
  // Told after another language was loaded. Runs on the loading thread, outside the resources'
  // lock; it may call Lookup.
  class Observer {
   public:
    virtual void OnTextsChanged() = 0;

   protected:
    ~Observer() = default;
  };

  // Consulted for an identifier the language file lacks (the main window answers a few
  // language-independent ones); nullopt when it has no text either.
  using TextQuery = std::function<std::optional<std::string>(std::string_view id)>;

  TextResources() = default;
  TextResources(const TextResources&) = delete;
  TextResources& operator=(const TextResources&) = delete;

  // Replaces the texts with those of `file` and names the language `name` ("en", "cn_zh",
  // "cn_tw"). A file that is missing or cannot be read keeps the texts and the name as they
  // were and returns false (with a trace line).
  [[nodiscard]] bool LoadLanguage(std::string_view name, const std::filesystem::path& file);
  // The same with texts already in memory.
  void SetLanguage(std::string_view name, LanguageTexts texts);

  [[nodiscard]] std::string LanguageName() const;
  // The text of `id`: the language's, else the text query's, else `id` itself.
  [[nodiscard]] std::string Lookup(std::string_view id) const;
  // The language file's own text of `id`, if it has one.
  [[nodiscard]] std::optional<std::string> Find(std::string_view id) const;
  void SetTextQuery(TextQuery query);

  void AddObserver(Observer* observer);
  void RemoveObserver(Observer* observer);

 private:
  void NotifyObservers();

  mutable std::mutex mutex_;  // guards name_, texts_, query_
  std::string name_;
  LanguageTexts texts_;
  TextQuery query_;

  std::mutex observers_mutex_;  // guards observers_ and is held while they are told
  std::vector<Observer*> observers_;
};

}  // namespace vandrel
