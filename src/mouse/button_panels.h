// The function panels of the mouse's button page as data: what each category of the category
// combo stores and which list it picks from, which category shows an assignment, and the
// corrections the panels' number edits get on every text change. Constant data; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mouse/function_lists.h"
#include "mouse/key_assignment.h"

namespace vandrel {

inline constexpr int kButtonCategoryCount = 12;
inline constexpr int kCategoryDefault = 0;
inline constexpr int kCategoryTilt = 2;
inline constexpr int kCategoryWheel = 3;
inline constexpr int kCategoryFire = 5;
inline constexpr int kCategoryCapturedKey = 6;
inline constexpr int kCategoryMacro = 9;
inline constexpr int kCategoryKeyCombination = 11;
// The repeat choice that plays a macro a counted number of times (type 0x71).
inline constexpr int kRepeatCounted = 4;

struct ButtonCategory {
  std::uint8_t type;                    // stored type; 0 for the default function
  std::string_view list;                // the combo the function is picked from; empty: none
  std::span<const FunctionItem> items;  // that combo's items, in its order
  bool by_param1;                       // an assignment finds its item by param1 alone
};

// Item `item` (0 … kButtonCategoryCount − 1) of the category combo.
[[nodiscard]] const ButtonCategory& ButtonCategoryAt(int item);

// The category that shows `assignment` (which is not the button's default); nullopt for types
// the page has no panel for.
[[nodiscard]] std::optional<int> CategoryShowing(const KeyAssignment& assignment);

// The item of `category`'s list that holds `assignment`; nullopt when none does.
[[nodiscard]] std::optional<int> ListItemOf(const ButtonCategory& category,
                                            const KeyAssignment& assignment);

// A tilt or wheel step: `value` (0-127) in param2 with bit 7 for the second direction, the two
// nibbles in param1.
[[nodiscard]] KeyAssignment ScrollAssignment(std::uint8_t type, int direction, int value, int high,
                                             int low);

// The corrected text of the number edit `edit` ("ms_key_fct_edit_NN" or "kb_key_fct_edit_NN")
// after the user typed `text`; nullopt when the text stands (or the edit is not one the pages
// correct).
[[nodiscard]] std::optional<std::string> CorrectedEditText(std::string_view edit,
                                                           std::string_view text);

}  // namespace vandrel
