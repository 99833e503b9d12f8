// RecoilTables: the mouse's recoil tables (guns). Each is a ".cur" file in the mouse's data folder,
// in the form of a macro file, named by the mouse catalogue's CURSORNAME entries; shot b (0-29)
// owns action lines 6b … 6b+5, of which the last three are its delay, its horizontal and its
// vertical movement (the first three are carried as the default files give them). Every file
// operation goes by the catalogue's names, so a renamed table is edited, imported, exported,
// restored and downloaded as one file. Writes are atomic. Any thread; the caller serialises
// writes to one table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_action.h"
#include "macro/macro_store.h"

namespace vandrel {

inline constexpr int kRecoilShotCount = 30;
inline constexpr int kRecoilLinesPerShot = 6;
inline constexpr int kMaxRecoilLines = kRecoilShotCount * kRecoilLinesPerShot;  // 180

// One movement of a shot: a distance in pixels and its direction (leftward or upward when
// `toward_flag`, the code's bit 7).
struct RecoilMove {
  std::uint8_t distance = 0;
  bool toward_flag = false;

  bool operator==(const RecoilMove&) const = default;
};

// What a shot shows and stores. On reading, a movement is nullopt when neither of the shot's two
// movement lines is of its kind (the page then leaves its controls as they were).
struct RecoilShot {
  std::uint16_t delay = 0;  // milliseconds
  std::optional<RecoilMove> horizontal;
  std::optional<RecoilMove> vertical;

  bool operator==(const RecoilShot&) const = default;
};

// The action line of a shot's movement of `kind` (kMoveX or kMoveY): delay 0, the kind with the
// direction flag, the distance, pressed as the flag, and the direction's text identifier.
[[nodiscard]] MacroAction RecoilMoveLine(MacroKind kind, const RecoilMove& move);

enum class RecoilImportResult {
  kImported,
  kUnreadable,    // missing, not a regular file, or cannot be read
  kTooLarge,      // over kMaxImportedMacroBytes
  kNotText,       // not UTF-8 text
  kTooManyLines,  // MACROACTIONCOUNT above kMaxRecoilLines ("message_text_18")
  kNoSuchTable,   // the catalogue has no such table
  kWriteFailed,   // nothing stored
};

class RecoilTables {
 public:
  // `store` is the mouse's macro store; `program_folder` holds the default "name_1.cur" …
  // "name_4.cur". Both must outlive this object.
  RecoilTables(const MacroStore& store, std::filesystem::path program_folder);

  // CURSORCOUNT/count names from CURSORNAME/0 … count-1 (missing keys read as "0").
  [[nodiscard]] std::vector<std::string> Names() const;
  // The file of table `table` by its catalogue name; nullopt when the catalogue has no such
  // table or its name is not a safe file name.
  [[nodiscard]] std::optional<std::filesystem::path> TablePath(int table) const;
  // The file of a table the catalogue calls `name`; nullopt when it is not a safe file name.
  [[nodiscard]] std::optional<std::filesystem::path> PathOfName(std::string_view name) const;

  // Shot `shot`'s delay and movements; a missing file or line, and a line at or past
  // MACROACTIONCOUNT (which the download does not send), reads as zeros.
  [[nodiscard]] RecoilShot ReadShot(int table, int shot) const;
  // Writes the shot's three lines: the delay into line 6b+3 (its other fields kept), the
  // horizontal movement as line 6b+4 and the vertical as 6b+5. MACROACTIONCOUNT is raised to
  // 6b+6 when it is lower, so that the shot is downloaded as it is shown; it is never lowered.
  // Both movements must be given.
  [[nodiscard]] bool WriteShot(int table, int shot, const RecoilShot& values) const;
  // Every action line of the table, MACROACTIONCOUNT of them (a missing or unparsable line reads
  // as zeros).
  [[nodiscard]] std::vector<MacroAction> ReadActions(int table) const;
  // The same for the table file `file`.
  [[nodiscard]] static std::vector<MacroAction> ReadActionsOf(const std::filesystem::path& file);
  // How many action lines ReadActionsOf would give, without reading them.
  [[nodiscard]] static std::size_t ActionCountOf(const std::filesystem::path& file);

  // Copies the default file of table `table` (its position + 1) over the table's file.
  [[nodiscard]] bool Restore(int table) const;
  // Copies the table's file byte for byte to `target`, replacing it atomically.
  [[nodiscard]] bool Export(int table, const std::filesystem::path& target) const;
  // Takes the file at `source` as the table's file after checking it.
  [[nodiscard]] RecoilImportResult Import(const std::filesystem::path& source, int table) const;

 private:
  const MacroStore& store_;
  std::filesystem::path program_folder_;
};

// The block command 23 carries: 0x55AA, the total length, the table count, reserved bytes (zero),
// the tables' offsets, then per table its action count, two reserved bytes and 4 bytes per action
// (delay, code, value). When the block would exceed kRecoilBlockLimit there is none: `too_long` and
// `length` say why.
inline constexpr std::size_t kRecoilBlockLimit = 3072;
struct RecoilBlockResult {
  std::vector<std::uint8_t> block;  // empty when too long or when there are no tables
  std::size_t length = 0;           // the total length the tables need
  bool too_long = false;
};
[[nodiscard]] RecoilBlockResult BuildRecoilBlock(const RecoilTables& tables);

}  // namespace vandrel
