#include "ui/pallet_dialog.h"

#include <charconv>
#include <string>

#include "ui/control.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

// The swatch number of a control named "ms_dpi_color_png_N": the whole part after the last
// underscore must be a decimal number. nullopt for any other name.
std::optional<int> SwatchNumber(std::string_view name) {
  const std::size_t last = name.rfind('_');
  if (last == std::string_view::npos || name.substr(0, last + 1) != kPaletteSwatchPrefix) {
    return std::nullopt;
  }
  const std::string_view digits = name.substr(last + 1);
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

CPalletDialog::CPalletDialog(WindowModel& window, std::uint32_t initial)
    : window_(window), palette_(window.Find(kPaletteControl)), colour_(initial) {
  if (palette_ != nullptr) palette_->SetSelectedColour(initial);
  if (Control* show = window_.Find(kPaletteShowButton)) show->SetBackgroundImage("");
  Show(initial);
}

std::optional<int> CPalletDialog::Handle(const Notification& notification) {
  if (notification.type == notify::kClick) return HandleClick(*notification.sender);
  if (notification.type == notify::kColorChanged && notification.sender == palette_) {
    Show(palette_->SelectedColour());
  }
  return std::nullopt;
}

std::optional<int> CPalletDialog::HandleClick(const Control& sender) {
  const std::string& name = sender.Name();
  if (name == kPaletteCloseButton) return kPaletteClosed;
  if (name == kPaletteOkButton) {
    if (palette_ == nullptr) return kPaletteClosed;
    const Control* show = window_.Find(kPaletteShowButton);
    colour_ = show != nullptr ? show->BackgroundColour() : 0;
    return kPaletteConfirmed;
  }
  const std::optional<int> number = SwatchNumber(name);
  const std::optional<std::uint32_t> preset = number ? PresetColour(*number) : std::nullopt;
  if (preset) {
    Show(*preset);
    if (palette_ != nullptr) palette_->SetSelectedColour(*preset);
  }
  return std::nullopt;
}

void CPalletDialog::Show(std::uint32_t colour) {
  if (Control* show = window_.Find(kPaletteShowButton)) show->SetBackgroundColour(colour);
}

}  // namespace vandrel
