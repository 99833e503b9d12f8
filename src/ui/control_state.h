// The data of one control of the control model: the kinds, the state every control has, the
// kind-specific state, list and combo rows, and the properties a view is told have changed.
// Plain values with no behaviour; Control (control.h) reads and writes them under its window's
// lock.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vandrel {

enum class ControlKind {
  kContainer,        // a layout holding other controls
  kButton,           // raises "click"
  kOption,           // a tab button: selected state, a group in which one is selected
  kCheckBox,         // selected state toggled by a click, no group
  kLabel,            // text only
  kEdit,             // text the user types, with a selection
  kCombo,            // rows and one selected row
  kSlider,           // minimum, maximum, value; moved and released by the user
  kProgress,         // minimum, maximum, value
  kTabLayout,        // shows one of its children (pages) by index
  kList,             // rows (of text or of several cells) and one selected row
  kColourPalette,    // a selected colour 0xAARRGGBB the user picks
  kDeviceKeyButton,  // a button drawn on a device picture, with a light overlay
  kCircleProgress,   // a progress drawn as a ring
  kHostedWindow,     // a place holding a window of another kind
  kChart,            // a pie or bar chart of labelled values
};

// One cell of a list or combo row: a text (a language identifier when resource_text is set) and
// the skin style it is drawn with.
struct ListCell {
  std::string text;
  bool resource_text = false;
  std::string style;

  bool operator==(const ListCell&) const = default;
};

// One row of a list or one item of a combo. A row of text has one cell; a row made of a
// container of elements has one cell per element.
struct ListItem {
  std::vector<ListCell> cells;
  std::string user_data;
  int height = 0;     // pixels; 0 lets the view choose
  std::string style;  // a skin style name such as "listex_item_style"

  // A one-cell row.
  static ListItem OfText(std::string text, bool resource_text = false);
  bool operator==(const ListItem&) const = default;
};

// One slice or pillar (label and value), or one point of a path chart: `value` across (right
// positive), `y` down (down positive), `marked` drawn larger.
struct ChartItem {
  std::string label;
  double value = 0;
  double y = 0;
  bool marked = false;

  bool operator==(const ChartItem&) const = default;
};

// Everything a control holds. Fields that a kind does not use keep their initial values.
struct ControlState {
  // Every kind.
  std::string text;            // as set; an identifier when resource_text is set
  bool resource_text = false;  // text and tooltip are language identifiers
  std::string tooltip;
  bool visible = true;  // the control's own flag; a hidden parent hides it too
  bool enabled = true;
  bool input_enabled = true;  // mouse, keyboard and child input (lists during recording)
  std::string user_data;
  std::uint32_t background_colour = 0;  // 0xAARRGGBB; 0 draws nothing
  std::string background_image;         // skin image string, such as "file='ms/x.png'"
  std::uint32_t border_colour = 0;
  int border_size = 0;
  std::string normal_image;
  std::string hot_image;
  std::uint32_t tint_colour = 0;                  // a colour laid over the control's images
  int tint_alpha = 255;                           // opacity of the tint, 0-255
  std::uint32_t fore_colour = 0;                  // text colour; the ring of a circle progress
  std::map<std::string, std::string> attributes;  // skin attributes without a field of their own

  // kOption, kCheckBox.
  bool selected = false;
  std::string group;  // options of one window sharing a group name exclude each other

  // kEdit: the selected characters [selection_start, selection_end); both -1 means "at the end".
  int selection_start = 0;
  int selection_end = 0;

  // kSlider, kProgress, kCircleProgress.
  int minimum = 0;
  int maximum = 100;
  int value = 0;

  // kCombo, kList: the rows and the selected one (-1: none). kTabLayout: the page shown.
  std::vector<ListItem> items;
  int current = -1;
  int scrolled_to = -1;  // kList: the row last brought into view

  // kColourPalette.
  std::uint32_t selected_colour = 0;

  // kDeviceKeyButton: an image drawn over the key, tinted, while the light is on.
  std::string light_image;
  std::string key_set_image;  // kept for the skin, never drawn
  bool light_on = false;
  std::uint32_t light_colour = 255;
  int light_alpha = 200;

  // kChart.
  std::vector<ChartItem> chart_items;
};

// What a change event says has changed; the view reads the new value from the model.
enum class Property {
  kText,  // text, tooltip or resource-text flag, or the loaded language
  kVisible,
  kEnabled,
  kUserData,
  kLook,  // colours, images, border, tint, attributes
  kSelected,
  kSelection,
  kRange,  // minimum, maximum, value
  kItems,
  kCurrent,
  kColour,
  kLight,  // a device key's light: on, colour and alpha, nothing else
  kChart,
  kFocus,
  kScroll,  // a request to bring a row into view, not part of what a new view shows
};

}  // namespace vandrel
