// PageEdits: what a restless user does to the device pages of the main window: moves sliders,
// picks modes, colours and options, clicks buttons and switches tabs, each through the control
// model with the user's notification, as the view would. Only controls shown and enabled at the
// time are touched, and only those the hub routes to the device tabs, the device lighting pages,
// the mouse's performance page, its DPI colours and its slots. User-interface thread.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "ui/toolkit.h"

namespace vandrel::soak {

class PageEdits {
 public:
  // `window` is the main window; it must outlive this.
  PageEdits(WindowModel& window, std::uint32_t seed);

  // Makes one edit and returns the control edited; nullptr when none can be reached now.
  Control* EditOnce();
  [[nodiscard]] int edits() const { return edits_; }

 private:
  void Edit(Control& control);

  std::vector<Control*> candidates_;
  std::mt19937 random_;
  int edits_ = 0;
};

}  // namespace vandrel::soak
