// Feeds arbitrary bytes to the macro readers: as an action line, as a macro file and as a macro
// name. No input may crash, hang or read out of bounds; a parsed line must format to a line that
// parses to the same step; a file's lines must be what looking up each key gives; a name taken
// as safe must be one that can name a file in the folder and read back from the catalogue.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ini_document.h"
#include "macro/macro_action.h"
#include "macro/macro_file.h"
#include "macro/macro_store.h"

namespace {

void CheckRoundTrip(std::string_view line) {
  const std::optional<vandrel::MacroAction> action = vandrel::ParseAction(line);
  if (!action) return;
  const std::string formatted = vandrel::FormatAction(*action);
  const std::optional<vandrel::MacroAction> again = vandrel::ParseAction(formatted);
  if (!again || *again != *action || vandrel::FormatAction(*again) != formatted) std::abort();
}

void CheckMacroFile(std::string_view bytes) {
  const vandrel::IniDocument file = vandrel::IniDocument::Parse(bytes);
  const std::vector<std::string> lines = vandrel::MacroFileLines(file);
  if (lines.size() > static_cast<std::size_t>(vandrel::kMaxMacroSteps)) std::abort();
  // Spot checks: the one-pass list reads what a lookup of each key reads.
  for (std::size_t i = 0; i < lines.size() && i < 64; ++i) {
    if (lines[i] != file.Get("MACROACTION", std::to_string(i))) std::abort();
    CheckRoundTrip(lines[i]);
  }
}

void CheckName(std::string_view name) {
  if (vandrel::CheckMacroName(name) != vandrel::MacroNameProblem::kNone) return;
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos ||
      name.size() + vandrel::kMacroFileExtension.size() > 255) {
    std::abort();
  }
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
  }
  vandrel::IniDocument catalogue;
  if (!catalogue.Set("MACRONAME", "0", name)) std::abort();
  if (vandrel::IniDocument::Parse(catalogue.Serialize()).Get("MACRONAME", "0") != name) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(bytes);
  CheckMacroFile(bytes);
  CheckName(bytes);
  return 0;
}
