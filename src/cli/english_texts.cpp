#include "cli/english_texts.h"

#include "core/file_io.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {

EnglishTexts EnglishTexts::Load() {
  const FileContents file = ReadWholeFile(XdgUserFolders().ProgramFolder() / "skin/lan_en.xml");
  std::optional<LanguageTexts> texts;
  if (file.status == ReadStatus::kOk) texts = ParseLanguageFile(file.bytes);
  return EnglishTexts(texts.value_or(LanguageTexts{}));
}

std::string EnglishTexts::Text(std::string_view id) const {
  const auto found = texts_.find(id);
  return found != texts_.end() ? found->second : std::string(id);
}

}  // namespace vandrel::cli
