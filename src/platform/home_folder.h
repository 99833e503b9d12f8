// The user's home folder and the XDG base folders, by the XDG rule: a folder that HOME or an
// XDG_* variable names is used only when it is an absolute path; relative ones are ignored. The
// environment is read on every call, so tests can change it. Any thread.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// $HOME, or the password database's home folder when HOME is not set at all. nullopt, with
// `problem` (when given) saying why in a sentence for the user, when that is empty, relative or
// not an existing folder: the programs refuse to run then, rather than keep their files in
// whatever folder they were started in.
[[nodiscard]] std::optional<std::filesystem::path> FindHomeFolder(std::string* problem = nullptr);

// $`variable` when it is an absolute path, else `under_home` in the home folder; empty when
// neither is usable.
[[nodiscard]] std::filesystem::path XdgBaseFolder(const char* variable,
                                                  std::string_view under_home);

}  // namespace vandrel
