// SettingsStore: the small per-user store that carries the language between runs (a registry key
// on the original platform). The store as a whole may be absent: then every read fails and every
// write is refused, because the program opens the store but never creates it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// The value that holds the language: "2020" Simplified Chinese, anything else English.
inline constexpr std::string_view kLanguageValueName = "LANGUAGE";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The value; nullopt when the store or the value does not exist. Any thread.
  [[nodiscard]] virtual std::optional<std::string> ReadValue(std::string_view name) const = 0;
  // Stores the value; false (and nothing created) when the store does not exist. Any thread.
  [[nodiscard]] virtual bool WriteValue(std::string_view name, std::string_view value) = 0;
};

}  // namespace vandrel
