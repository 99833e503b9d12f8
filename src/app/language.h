// The three interface languages: how main.ini and the settings store name them, and which
// language file and resource-manager name each one has.
#pragma once

#include <string_view>

namespace vandrel {

struct Language {
  std::string_view name;  // given to the resource manager
  std::string_view file;  // in the skin folder
};

// main.ini's LANGUAGE: 0 English, 1 Simplified Chinese, any other number Traditional Chinese.
[[nodiscard]] constexpr Language LanguageForSetting(int setting) {
  if (setting == 0) return {"en", "lan_en.xml"};
  if (setting == 1) return {"cn_zh", "lan_cn.xml"};
  return {"cn_tw", "lan_sn.xml"};
}

// The settings store's text for main.ini's setting 0 (English) or 1 (Simplified Chinese).
[[nodiscard]] constexpr std::string_view StoredLanguageText(int setting) {
  return setting == 1 ? "2020" : "1010";
}

// main.ini's setting for the settings store's text: "2020" is Simplified Chinese, anything else
// English (the text is read as a decimal number first).
[[nodiscard]] int LanguageSettingFromStored(std::string_view stored);

}  // namespace vandrel
