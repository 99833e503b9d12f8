// vandrelctl profile link|unlink: a profile's link to a program, changed as the link controls of
// the profile rows change it. The caller holds the desktop program's lock, so that the program's
// watchers and rows are not reading the catalogue while it changes.
#pragma once

#include <cstddef>
#include <string>

#include "profile/profile_catalogue.h"

namespace vandrel::cli {

// Profile `number` of the catalogue's `kind`, called `label` in what is printed
// ("mouse key profile \"fps\"").
struct LinkTarget {
  const ProfileCatalogue& catalogue;
  ProfileKind kind;
  std::size_t number;
  std::string label;
};

// Links the profile to the program at `path`, named as the foreground program is: a Windows path
// ("C:\Games\foo.exe", as `vandrelctl foreground` prints a Wine or Proton program; "C:/…" too) as
// it is, a file inside a Wine prefix by its Windows path, any other file by its absolute path with
// symbolic links resolved. Refused (kExitBadUsage, nothing written) when another profile of the
// row is linked to that program. Linking a profile to its own program again writes nothing.
// Returns the exit status.
[[nodiscard]] int LinkToProgram(const LinkTarget& target, const std::string& path);
// Removes the profile's link (like "0", path " "); the other profiles keep theirs. Returns the
// exit status.
[[nodiscard]] int UnlinkFromProgram(const LinkTarget& target);

}  // namespace vandrel::cli
