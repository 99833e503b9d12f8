// Feeds arbitrary bytes to the INI reader and writer: no input may crash, hang or read out of
// bounds, and what the reader understood must survive a write of another key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/ini_document.h"

namespace {

constexpr std::string_view kProbe = "fuzz-probe";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
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
      const bool probe_is_key = EqualsIgnoringAsciiCase(key, kProbe);
      if (!probe_is_key && changed.Set(section, kProbe, "1") &&
          changed.Get(section, key) != before) {
        std::abort();
      }
    }
  }
  if (document.Set("S", "k", "v") && document.Get("S", "k") != "v") std::abort();
  document.RemoveSection("S");
  return 0;
}
