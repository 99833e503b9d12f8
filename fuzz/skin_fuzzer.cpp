// Feeds arbitrary bytes to the readers of the skin's outside input: the language file, the
// resource index and the .ui layout builder (with the bytes also standing for every included
// layout). No input may crash, hang or read out of bounds; what the builder made must be a
// well-formed tree that the model's operations accept.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/skin.h"
#include "ui/text_resources.h"
#include "ui/window_model.h"

namespace {

void CheckLanguage(std::string_view bytes, vandrel::TextResources& texts) {
  std::optional<vandrel::LanguageTexts> parsed = vandrel::ParseLanguageFile(bytes);
  if (!parsed) return;
  for (const auto& [id, text] : *parsed) {
    if (id.empty()) std::abort();
  }
  texts.SetLanguage("fuzz", *std::move(parsed));
}

// A kept path stays inside the skin folder: not absolute, no ".." part ("..x.xml" is a name).
bool LeavesTheFolder(const std::string& path) {
  const std::filesystem::path parts(path);
  return parts.is_absolute() ||
         std::any_of(parts.begin(), parts.end(), [](const auto& part) { return part == ".."; });
}

void CheckIndex(std::string_view bytes) {
  const std::optional<vandrel::SkinIndex> index = vandrel::ParseSkinIndex(bytes);
  if (!index) return;
  for (const auto& [name, path] : *index) {
    if (name.empty() || path.empty() || LeavesTheFolder(path)) std::abort();
  }
}

void CheckLayout(std::string_view bytes, std::shared_ptr<vandrel::TextResources> texts) {
  vandrel::WindowModel window("XML_FUZZ", std::move(texts));
  const vandrel::LayoutContext context{
      .read_file = [bytes](std::string_view) { return std::optional<std::string>(bytes); },
      .resolve_tag = [](std::string_view tag) { return std::optional<std::string>(tag); },
  };
  (void)vandrel::BuildLayout(bytes, window.Root(), context, true);
  for (vandrel::Control* control : window.AllControls()) {
    if (control != &window.Root() && control->Parent() == nullptr) std::abort();
    (void)control->Text();
    control->Click();
    (void)control->SelectItem(0, vandrel::Notify::kYes);
    (void)control->SelectPage(0);
    (void)control->IsShown();
  }
  (void)window.TakeChanges();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto texts = std::make_shared<vandrel::TextResources>();
  CheckLanguage(bytes, *texts);
  CheckIndex(bytes);
  CheckLayout(bytes, texts);
  return 0;
}
