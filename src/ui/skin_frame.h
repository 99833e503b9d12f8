// CSkinFrame: the skin window's behaviour without its drawing. The user picks the main window's
// background in a small pop-up: a plain colour, one of the skin's pictures, any PNG file or the
// default picture. The choice is broadcast through the skin-change observer (the pop-up never
// touches the main window); picture thumbnails and the reset are also remembered for the next
// start, colours and custom files are not. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/skin_observer.h"
#include "ui/window_model.h"

namespace vandrel {

inline constexpr std::string_view kSkinWindowResource = "XML_SKIN";
inline constexpr std::string_view kSkinTab = "skin_tab";
inline constexpr std::string_view kSkinPicturesTab = "skin_image";
inline constexpr std::string_view kSkinColoursTab = "skin_color";
inline constexpr std::string_view kSkinPictureButton = "skin_image_btn";
inline constexpr std::string_view kSkinColourButton = "skin_color_btn";
inline constexpr std::string_view kSkinResetButton = "skin_reset";
inline constexpr std::string_view kSkinCustomButton = "skin_Custom";
inline constexpr std::string_view kDefaultSkinPicture = "common/background.png";

// Stores the picture skin to restore at start ("main.ini", section "SKINIMAGE": "FLAGS" and
// "IMAGE"): flags 1 for a chosen thumbnail, 0 after a reset to the default picture.
using RememberSkinPicture = std::function<void(int flags, std::string_view image)>;

// The open-file request for a custom picture: PNG files first, then all files.
[[nodiscard]] FileDialogRequest CustomPictureRequest();

class CSkinFrame {
 public:
  // `frame` is the pop-up's window (built from kSkinWindowResource); `main_window` owns the
  // file dialog of a custom picture. Everything given must outlive the frame; `remember` may be
  // empty (nothing is remembered).
  CSkinFrame(WindowModel& frame, WindowModel* main_window, Dialogs& dialogs, SkinObserver& observer,
             RememberSkinPicture remember);

  // Acts on one of the pop-up's notifications (clicks; everything else is ignored).
  void Handle(const Notification& notification);

 private:
  void ShowPage(int page);
  void UsePicture(const std::string& image, std::optional<int> remember_flags);
  void UseColour(std::uint32_t colour);
  void ChooseCustomPicture();

  WindowModel& frame_;
  WindowModel* main_window_;
  Dialogs& dialogs_;
  SkinObserver& observer_;
  RememberSkinPicture remember_;
};

}  // namespace vandrel
