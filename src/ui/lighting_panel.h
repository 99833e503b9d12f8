// LightingPanel: what the mouse's and the pad's lighting pages do alike — the fixed colour from the
// palette, a preset button or the typed red, green and blue, the seven-colour check, the direction
// options, the brightness and speed sliders and the same-mode button. Each change reaches the
// page's device as a LightingEdit of its live block; the fields the page names are mirrored into
// the common block of the synchronised animation as well. The modes and everything else stay the
// pages' own. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "device/device_kind.h"
#include "device/lighting_block.h"
#include "device/lighting_sync.h"
#include "ui/lighting_controls.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

// Fields of a LightingBlock, bit n for byte n.
using LightingFields = unsigned;
inline constexpr LightingFields kBrightnessField = 1U << 1;
inline constexpr LightingFields kSpeedField = 1U << 2;
inline constexpr LightingFields kDirectionField = 1U << 3;
inline constexpr LightingFields kSevenColourField = 1U << 4;
inline constexpr LightingFields kRedField = 1U << 5;
inline constexpr LightingFields kGreenField = 1U << 6;
inline constexpr LightingFields kBlueField = 1U << 7;
// The colour with the seven-colour flag: a fixed colour ends the cycling.
inline constexpr LightingFields kFixedColourFields =
    kSevenColourField | kRedField | kGreenField | kBlueField;

// A change of some fields of a LightingBlock.
struct LightingEdit {
  LightingFields fields = 0;  // which fields change
  LightingBlock values{};     // their new values; the other fields are not used

  // Copies the changing fields of `values` into `block`.
  void ApplyTo(LightingBlock& block) const;
};

// What tells one device's panel from another's.
struct LightingPanelSetup {
  std::string_view prefix;  // of the device's control names: "ms_", "mp_"
  bool direction_buttons;   // "…_Deng_FXL_btn" and "…_Deng_FXR_btn" act like the options
  DeviceKind device;        // the source of a same mode started here
  LightingFields mirrored;  // the fields whose edits the common block takes too
};

// How the page reaches its device's lighting.
struct LightingStore {
  std::function<LightingBlock()> live;              // the live record's LightingBlock
  std::function<void(const LightingEdit&)> change;  // applies an edit to it and marks it dirty
};

class LightingPanel {
 public:
  // `window` and `sync` must outlive the panel.
  LightingPanel(WindowModel& window, const LightingPanelSetup& setup, LightingSync& sync,
                LightingStore store);

  // Shows everything of `block` but its mode; nothing is stored.
  void Show(const LightingBlock& block) const { controls_.ShowSettings(block); }

  // The shared controls' notifications; false for any other, and for a direction option
  // unselected by its partner.
  bool Handle(const Notification& notification);

  // Shows `argb` (0xAARRGGBB) in the preview and the three edits; with `store` it also becomes
  // the fixed colour, ending seven-colour cycling.
  void SetFixedColour(std::uint32_t argb, bool store);

 private:
  bool HandleClick(const Control& sender);
  bool HandleSelectChanged(const Control& sender);
  bool HandleValueChanged(const Control& sender);
  bool HandleTextChanged(Control& sender);
  void SetDirection(std::uint8_t direction);
  void Store(const LightingEdit& edit);
  [[nodiscard]] const LightingControlNames& Names() const { return controls_.names(); }

  bool direction_buttons_;
  DeviceKind device_;
  LightingFields mirrored_;
  LightingSync& sync_;
  LightingStore store_;
  LightingControls controls_;
};

}  // namespace vandrel
