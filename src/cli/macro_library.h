// A device's macro library as the macro commands see it: the store in the user's data folder and
// the names its catalogue lists, read once per command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_store.h"

namespace vandrel::cli {

struct MacroLibrary {
  std::string device;  // "mouse" or "keyboard"
  MacroStore store;
  std::vector<std::string> names;  // in catalogue order: a macro's position is its number

  // The macro called `name`: the one spelt exactly so, else the one that differs only in ASCII
  // case (names are unique without regard to case).
  [[nodiscard]] std::optional<std::size_t> Find(std::string_view name) const;
  // The macro other than `except` whose name is `name` without regard to case.
  [[nodiscard]] std::optional<std::size_t> FindOther(std::string_view name,
                                                     std::optional<std::size_t> except) const;
};

// The library of the device `word` names ("mouse" or "keyboard"), its data folder created on the
// way; nullopt with `error` set for another word.
[[nodiscard]] std::optional<MacroLibrary> OpenMacroLibrary(std::string_view word,
                                                           std::string& error);

}  // namespace vandrel::cli
