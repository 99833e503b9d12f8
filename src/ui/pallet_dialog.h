// CPalletDialog: the colour palette dialog's behaviour without its drawing. The user picks one
// colour on the palette "Pallet" or from the 30 preset swatches "ms_dpi_color_png_0" … "_29";
// "color_show_btn" shows the colour that "okbtn" confirms. The dialog only returns a colour and
// knows nothing of devices. The Qt dialog (QtDialogs::RunPalette) and tests drive it through the
// window's notifications. User-interface thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

inline constexpr std::string_view kPaletteResource = "XML_PALLET";
inline constexpr std::string_view kPaletteControl = "Pallet";
inline constexpr std::string_view kPaletteShowButton = "color_show_btn";
inline constexpr std::string_view kPaletteOkButton = "okbtn";
inline constexpr std::string_view kPaletteCloseButton = "closebtn";
inline constexpr std::string_view kPaletteSwatchPrefix = "ms_dpi_color_png_";

// Closing results of the dialog.
inline constexpr int kPaletteConfirmed = 1;
inline constexpr int kPaletteClosed = 2;

class CPalletDialog {
 public:
  // Shows `initial` in "Pallet" and in "color_show_btn" (whose background image is cleared so
  // that the colour shows). `window` (built from kPaletteResource) must outlive the dialog.
  CPalletDialog(WindowModel& window, std::uint32_t initial);

  // Acts on one of the window's notifications; returns the result the dialog closes with
  // (kPaletteConfirmed or kPaletteClosed), or nullopt while it stays open.
  [[nodiscard]] std::optional<int> Handle(const Notification& notification);

  // The initial colour, and after "okbtn" the chosen one (0xAARRGGBB).
  [[nodiscard]] std::uint32_t Colour() const { return colour_; }

 private:
  [[nodiscard]] std::optional<int> HandleClick(const Control& sender);
  void Show(std::uint32_t colour);

  WindowModel& window_;
  Control* palette_;
  std::uint32_t colour_;
};

}  // namespace vandrel
