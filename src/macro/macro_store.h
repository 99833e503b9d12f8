// MacroStore: one device's macro library in its data folder: the catalogue ("msMacro.ini" for the
// mouse, "kbMacro.ini" for the keyboard) that lists the macro names in order, where a macro's
// position is its macro number, and one ".mac" file per macro holding its action lines. The mouse's
// catalogue also names its four recoil tables. Files are written through IniFile (atomic, Windows
// rules), so a crash or a full disk never leaves a half-written file; every write says whether it
// happened. Any thread; two stores on one folder see each other's writes at the next read.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_kind.h"

namespace vandrel {

inline constexpr int kMaxMacros = 50;
inline constexpr int kRecoilTableCount = 4;
inline constexpr std::string_view kMouseMacroCatalogue = "msMacro.ini";
inline constexpr std::string_view kKeyboardMacroCatalogue = "kbMacro.ini";
inline constexpr std::string_view kMacroFileExtension = ".mac";
inline constexpr std::string_view kRecoilFileExtension = ".cur";
// The largest file taken in as a macro: a macro file is a small text file.
inline constexpr std::size_t kMaxImportedMacroBytes = 1024 * 1024;
// The recoil table count is sent in 16 bits; a larger count is a damaged catalogue.
inline constexpr int kMaxRecoilTables = 65535;

// "name_1" … : the catalogue's first name of recoil table `index` (0-3) and the name of its
// default file beside the program.
[[nodiscard]] std::string DefaultRecoilName(int index);

// Why a name cannot be a macro's (macro names are file names in the data folder).
enum class MacroNameProblem {
  kNone,
  kInvalid,  // empty, "." or "..", a "/", a control character, not UTF-8, or white space or
             // quotes around it that the catalogue would not keep
  kTooLong,  // the file name would be longer than the file system allows
};
[[nodiscard]] MacroNameProblem CheckMacroName(std::string_view name);

// The default name of a new macro: "name_%d" from the number of macros + 1 up, skipping names
// taken (compared without regard to ASCII case).
[[nodiscard]] std::string NextFreeName(std::span<const std::string> names);
// Whether two macro names are the same name (ASCII case ignored).
[[nodiscard]] bool SameMacroName(std::string_view a, std::string_view b);

enum class RenameResult {
  kRenamed,
  kTargetExists,  // a file of the new name is there already; nothing changed
  kInvalidName,   // CheckMacroName refuses the new name; nothing changed
  kFailed,        // the move itself failed; nothing changed
};

enum class ImportResult {
  kImported,
  kUnreadable,   // missing, not a regular file, or cannot be read
  kTooLarge,     // over kMaxImportedMacroBytes
  kNotText,      // not UTF-8 text (a NUL byte or an invalid sequence)
  kWriteFailed,  // nothing stored: the file could not be written, or `name` is not a safe name
};

class MacroStore {
 public:
  // `folder` is the device's data folder (mouse or keyboard).
  MacroStore(DeviceKind kind, std::filesystem::path folder);

  [[nodiscard]] DeviceKind kind() const { return kind_; }
  [[nodiscard]] std::filesystem::path CataloguePath() const;
  [[nodiscard]] std::filesystem::path MacroPath(std::string_view name) const;
  // The recoil table file "NAME.cur" in the store's folder.
  [[nodiscard]] std::filesystem::path RecoilPath(std::string_view name) const;

  // MACROCOUNT/count names, MACRONAME/0 … count-1 (missing keys read as "0").
  [[nodiscard]] std::vector<std::string> ReadCatalogue() const;
  // MACROCOUNT/count = `count` and MACRONAME/`index` = `name`.
  [[nodiscard]] bool WriteCatalogueEntry(int count, int index, std::string_view name) const;
  // Replaces the catalogue: the count, the mouse's recoil entries (those it has, else the four
  // default ones), then every name in order.
  [[nodiscard]] bool RewriteCatalogue(std::span<const std::string> names) const;
  // CURSORCOUNT/count (cut to 0 … kMaxRecoilTables) recoil table names, CURSORNAME/0 … count-1
  // (missing keys read as "0").
  [[nodiscard]] std::vector<std::string> ReadRecoilNames() const;
  // The mouse: when CURSORCOUNT/count reads 0, writes the four recoil names and copies
  // "name_1.cur" … "name_4.cur" from `program_folder` without replacing files that exist.
  // Nothing for the keyboard. False when a write failed.
  [[nodiscard]] bool InitialiseRecoil(const std::filesystem::path& program_folder) const;

  // The action lines of macro `name`; a missing or unreadable file gives none.
  [[nodiscard]] std::vector<std::string> ReadMacro(std::string_view name) const;
  // MACROACTIONCOUNT/count, the mouse's MACROSELECTNAME/name = `display_name`, MACROACTION/i.
  // Keys beyond the new count stay in the file. Refused for a name CheckMacroName refuses.
  [[nodiscard]] bool WriteMacro(std::string_view file_name, std::string_view display_name,
                                std::span<const std::string> lines) const;
  // Moves the macro's file to the new name; never replaces an existing file. A missing old file
  // is not an error (a macro with no steps has none): kRenamed with nothing moved.
  [[nodiscard]] RenameResult RenameMacroFile(std::string_view old_name,
                                             std::string_view new_name) const;
  // Deletes the macro's file; a missing file is not an error.
  [[nodiscard]] bool DeleteMacroFile(std::string_view name) const;
  // Whether anything (a file, a folder, a dangling link) has the macro's file name; true for a
  // name CheckMacroName refuses, which can name no new file.
  [[nodiscard]] bool MacroFileTaken(std::string_view name) const;

  // Copies the macro's file byte for byte to `target`, replacing it (atomically). False when the
  // macro has no readable file or the target cannot be written.
  [[nodiscard]] bool ExportMacro(std::string_view name, const std::filesystem::path& target) const;
  // Stores the file at `source` as it is as macro `name`'s file.
  [[nodiscard]] ImportResult ImportMacro(const std::filesystem::path& source,
                                         std::string_view name) const;

 private:
  DeviceKind kind_;
  std::filesystem::path folder_;
};

}  // namespace vandrel
