// Notifications: what a window's handler is told when the user (or code acting as the user) does
// something to one of its controls.
#pragma once

#include <string_view>

namespace vandrel {

class Control;

// The notification types, by the names the pages and the routing table compare.
namespace notify {
inline constexpr std::string_view kWindowInit = "windowinit";
inline constexpr std::string_view kWindowSize = "windowsize";
inline constexpr std::string_view kClick = "click";
inline constexpr std::string_view kSelectChanged = "selectchanged";
inline constexpr std::string_view kValueChanged = "valuechanged";          // slider released
inline constexpr std::string_view kMoveValueChanged = "movevaluechanged";  // slider moving
inline constexpr std::string_view kItemSelect = "itemselect";
inline constexpr std::string_view kItemClick = "itemclick";
inline constexpr std::string_view kKillFocus = "killfocus";
inline constexpr std::string_view kSetFocus = "setfocus";
inline constexpr std::string_view kTextChanged = "textchanged";
inline constexpr std::string_view kColorChanged = "colorchanged";
inline constexpr std::string_view kMouseEnter = "msenter";
inline constexpr std::string_view kMouseLeave = "msleave";
}  // namespace notify

// Whether a model operation raises the notification the same user action would raise.
enum class Notify { kYes, kNo };

struct Notification {
  std::string_view type;  // one of notify::k*
  Control* sender;        // never null; the window's root for "windowinit" and "windowsize"
  // "itemselect": the newly selected row and the row selected before (-1: none).
  // "itemclick": the row clicked. Otherwise both -1.
  int index = -1;
  int previous = -1;
};

}  // namespace vandrel
