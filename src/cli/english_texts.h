// The English texts of the skin's language file, for names vandrelctl prints (key functions,
// messages). Without the file an identifier stands for itself.
#pragma once

#include <string>
#include <string_view>

#include "ui/text_resources.h"

namespace vandrel::cli {

class EnglishTexts {
 public:
  // Reads "skin/lan_en.xml" in the program folder.
  [[nodiscard]] static EnglishTexts Load();
  explicit EnglishTexts(LanguageTexts texts) : texts_(std::move(texts)) {}

  // The text of `id`, or `id` itself when the file has none.
  [[nodiscard]] std::string Text(std::string_view id) const;

 private:
  LanguageTexts texts_;
};

}  // namespace vandrel::cli
