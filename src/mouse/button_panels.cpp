#include "mouse/button_panels.h"

#include <array>

#include "core/decimal.h"

namespace vandrel {
namespace {

namespace type = assignment_type;

const std::array<ButtonCategory, kButtonCategoryCount>& Categories() {
  static const std::array<ButtonCategory, kButtonCategoryCount> categories = {{
      {0, "", {}, false},
      {type::kMouseButton, "ms_key_fct_combo_11", MouseButtonFunctions(), true},
      {type::kTilt, "", {}, false},
      {type::kWheel, "", {}, false},
      {type::kDpi, "ms_key_fct_combo_14", DpiFunctions(), true},
      {type::kFire, "", {}, false},
      {type::kKey, "", {}, false},
      {type::kMultimediaAlt, "ms_key_fct_combo_21", MultimediaFunctions(), false},
      {type::kSystem, "ms_key_fct_combo_22", SystemFunctions(), false},
      {type::kMacro, "", {}, false},
      {type::kRecoil, "ms_key_fct_combo_25", RecoilTableFunctions(), true},
      {type::kKey, "ms_key_fct_combo_26", KeyCombinations(), false},
  }};
  return categories;
}

// An edit's bounds: values above `most` become `most`; with `least`, values below it (an empty
// text counts as 0) become `least`.
struct EditBounds {
  std::string_view edit;
  int most;
  std::optional<int> least;
};

constexpr std::array<EditBounds, 8> kEditBounds = {{
    {"key_fct_edit_12", 255, std::nullopt},
    {"key_fct_edit_15", 127, std::nullopt},
    {"key_fct_edit_16", 127, std::nullopt},
    {"key_fct_edit_17", 15, std::nullopt},
    {"key_fct_edit_18", 15, std::nullopt},
    {"key_fct_edit_19", 15, std::nullopt},
    {"key_fct_edit_20", 15, std::nullopt},
    // A macro played zero times would be no binding at all.
    {"key_fct_edit_25", 255, 1},
}};

// The fire key's first value: never empty or zero, no leading zeros, at most three digits.
std::optional<std::string> CorrectFireCount(std::string_view text) {
  const std::size_t first = text.find_first_not_of('0');
  if (first == std::string_view::npos) return "1";
  const std::string_view digits = text.substr(first);
  if (digits.size() > 3 || ParseDecimalPrefix(digits) > 255) return "255";
  if (first == 0) return std::nullopt;
  return std::string(digits);
}

}  // namespace

const ButtonCategory& ButtonCategoryAt(int item) {
  return Categories()[static_cast<std::size_t>(item)];
}

std::optional<int> CategoryShowing(const KeyAssignment& assignment) {
  switch (assignment.type) {
    case type::kKey:
      return assignment.param1 != 0 && assignment.param2 != 0 ? kCategoryKeyCombination
                                                              : kCategoryCapturedKey;
    case type::kMacro:
    case type::kMacroCount:
      return kCategoryMacro;
    default:
      break;
  }
  for (int item = 1; item < kButtonCategoryCount; ++item) {
    if (item != kCategoryCapturedKey && ButtonCategoryAt(item).type == assignment.type) return item;
  }
  return std::nullopt;
}

std::optional<int> ListItemOf(const ButtonCategory& category, const KeyAssignment& assignment) {
  const FunctionItem* item = category.by_param1 ? FindByParam1(category.items, assignment.param1)
                                                : FindByParams(category.items, assignment);
  if (item == nullptr) return std::nullopt;
  return static_cast<int>(item - category.items.data());
}

KeyAssignment ScrollAssignment(std::uint8_t type, int direction, int value, int high, int low) {
  const int param2 = (value & 0x7F) | (direction == 1 ? 0x80 : 0);
  const int param1 = ((high & 0x0F) << 4) | (low & 0x0F);
  return {type, static_cast<std::uint8_t>(param1), static_cast<std::uint8_t>(param2)};
}

std::optional<std::string> CorrectedEditText(std::string_view edit, std::string_view text) {
  // The mouse's and the keyboard's panels hold the same edits under their device prefix.
  if (edit.starts_with("ms_") || edit.starts_with("kb_")) edit.remove_prefix(3);
  if (edit == "key_fct_edit_11") return CorrectFireCount(text);
  for (const EditBounds& bounds : kEditBounds) {
    if (bounds.edit != edit) continue;
    const int value = ParseDecimalPrefix(text);
    if (value > bounds.most) return std::to_string(bounds.most);
    if (bounds.least && value < *bounds.least) return std::to_string(*bounds.least);
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace vandrel
