#include "app/language.h"

#include "core/decimal.h"

namespace vandrel {

int LanguageSettingFromStored(std::string_view stored) {
  return ParseDecimalPrefix(stored) == 2020 ? 1 : 0;
}

}  // namespace vandrel
