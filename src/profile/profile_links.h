// Program links: a profile may be linked to one program, and while that program is in the
// foreground its device uses the linked profile. The catalogue keeps, per profile number, "1" in
// the kind's like section and the executable's full path in its path section when linked, "0" and
// " " when not. Paths are Linux paths, or Windows paths ("C:\Games\foo.exe") for programs run by
// Wine or Proton. Writes touch the catalogue only when a value differs. Reads are safe from any
// thread; the changes are made on the user-interface thread (or by the command line, with the
// desktop program not running).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_catalogue.h"

namespace vandrel {

// Shown when the program is linked to another profile of the same row already.
inline constexpr std::string_view kLinkTakenMessage = "message_text_13";

// Whether two executable paths name the same program: a Windows path (one with a backslash)
// ignores ASCII letter case, as Windows does; a Linux path is compared as it is.
[[nodiscard]] bool SameProgram(std::string_view a, std::string_view b);
// What the link edit shows of `path`: the part after its last backslash for a Windows path, after
// its last "/" otherwise.
[[nodiscard]] std::string LinkDisplayName(std::string_view path);

// The program path a profile is linked to for the file at `file`, as the foreground program will
// name it: a Windows program inside a Wine prefix (".../drive_c/Games/foo.exe") by its Windows
// path ("C:\Games\foo.exe"), since that is how a program run by Wine or Proton is seen; any
// other file by its own path.
[[nodiscard]] std::string ProgramPathOf(std::string_view file);

// The program each profile of the kind is linked to (nullopt: not linked), by number.
[[nodiscard]] std::vector<std::optional<std::string>> ReadLinks(const ProfileCatalogue& catalogue,
                                                                ProfileKind kind);
// The first profile linked to `program`, if any.
[[nodiscard]] std::optional<std::size_t> LinkedProfileOf(
    const std::vector<std::optional<std::string>>& links, std::string_view program);

enum class LinkChange {
  kDone,
  kNoSuchProfile,  // the number is not one of the kind's profiles
  kTaken,          // another profile of the row (or this one) is linked to the program already
  kNotWritten,     // the catalogue could not be written
};

// Links profile `number` to `program`. With `refuse_taken`, a program linked to any profile of
// the row already (this one included) is refused and nothing is written.
[[nodiscard]] LinkChange LinkProfile(const ProfileCatalogue& catalogue, ProfileKind kind,
                                     std::size_t number, std::string_view program,
                                     bool refuse_taken);
// Removes profile `number`'s link (like "0", path " "); other profiles keep theirs.
[[nodiscard]] LinkChange UnlinkProfile(const ProfileCatalogue& catalogue, ProfileKind kind,
                                       std::size_t number);

}  // namespace vandrel
