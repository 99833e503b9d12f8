#include "soak/page_edits.h"

#include <algorithm>
#include <string_view>

#include "app/routing.h"

namespace vandrel::soak {
namespace {

constexpr Page kEditedPages[] = {
    Page::kTabs,        Page::kMousePerformance, Page::kMouseLighting, Page::kKeyboardLighting,
    Page::kPadLighting, Page::kDpiColour,        Page::kMouseSlot};

// The notifications an edit of a control of `kind` raises; none for kinds not edited.
std::vector<std::string_view> NotificationsOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
      return {notify::kClick};
    case ControlKind::kOption:
    case ControlKind::kCheckBox:
      return {notify::kClick, notify::kSelectChanged};
    case ControlKind::kSlider:
      return {notify::kValueChanged};
    case ControlKind::kCombo:
      return {notify::kItemSelect};
    case ControlKind::kColourPalette:
      return {notify::kColorChanged};
    default:
      return {};
  }
}

bool RoutedToAnEditedPage(const Control& control) {
  for (std::string_view type : NotificationsOf(control.Kind())) {
    const std::optional<Page> page = RouteOf(control.Name(), type);
    if (page && std::find(std::begin(kEditedPages), std::end(kEditedPages), *page) !=
                    std::end(kEditedPages)) {
      return true;
    }
  }
  return false;
}

}  // namespace

PageEdits::PageEdits(WindowModel& window, std::uint32_t seed) : random_(seed) {
  for (Control* control : window.AllControls()) {
    if (RoutedToAnEditedPage(*control)) candidates_.push_back(control);
  }
}

Control* PageEdits::EditOnce() {
  std::vector<Control*> reachable;
  std::copy_if(candidates_.begin(), candidates_.end(), std::back_inserter(reachable),
               [](const Control* control) { return control->IsShown() && control->IsEnabled(); });
  if (reachable.empty()) return nullptr;
  Control* control =
      reachable[std::uniform_int_distribution<std::size_t>(0, reachable.size() - 1)(random_)];
  Edit(*control);
  ++edits_;
  return control;
}

void PageEdits::Edit(Control& control) {
  auto uniform = [this](int low, int high) {
    return std::uniform_int_distribution<int>(low, std::max(low, high))(random_);
  };
  switch (control.Kind()) {
    case ControlKind::kSlider:
      control.MoveSlider(uniform(control.Minimum(), control.Maximum()));
      control.ReleaseSlider(uniform(control.Minimum(), control.Maximum()));
      break;
    case ControlKind::kCombo:
      (void)control.SelectItem(uniform(0, control.ItemCount() - 1), Notify::kYes);
      break;
    case ControlKind::kColourPalette:
      control.PickColour(0xFF000000U |
                         std::uniform_int_distribution<std::uint32_t>(0, 0xFFFFFF)(random_));
      break;
    default:
      control.Click();
      break;
  }
}

}  // namespace vandrel::soak
