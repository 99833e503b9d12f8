// Feeds arbitrary bytes to the INI reader and writer: no input may crash, hang or read out of
// bounds, and what the reader understood must survive a write of another key.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/ini_document.h"

namespace {

// Keys match without regard to ASCII case, so any spelling of the probe is the probe.
bool IsProbe(std::string_view key) {
  constexpr std::string_view kProbe = "fuzz-probe";
  return std::ranges::equal(
      key, kProbe, [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vandrel::IniDocument document = vandrel::IniDocument::Parse(bytes);
  if (document.Serialize() != bytes) std::abort();

  for (const std::string& section : document.SectionNames()) {
    for (const std::string& key : document.KeyNames(section)) {
      const std::string before = document.Get(section, key);
      (void)document.GetInt(section, key);
      vandrel::IniDocument changed = vandrel::IniDocument::Parse(document.Serialize());
      const bool probe_is_key = IsProbe(key);
      if (!probe_is_key && changed.Set(section, "fuzz-probe", "1") &&
          changed.Get(section, key) != before) {
        std::abort();
      }
    }
  }
  if (document.Set("S", "k", "v") && document.Get("S", "k") != "v") std::abort();
  document.RemoveSection("S");
  return 0;
}
