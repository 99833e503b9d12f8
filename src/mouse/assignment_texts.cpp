#include "mouse/assignment_texts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>

#include "macro/key_table.h"
#include "mouse/function_lists.h"

namespace vandrel {
namespace {

namespace type = assignment_type;

constexpr std::uint8_t kDirectionBit = 0x80;  // tilt: right, wheel: down
constexpr std::array<std::string_view, 5> kExtraKeyIds = {
    "keyboard_key_G1", "keyboard_key_G2", "keyboard_key_G3", "keyboard_key_G4", "keyboard_key_G5"};
// Win+D, which a mouse button shows as "show_window".
constexpr std::uint8_t kLeftWin = 0x08;
constexpr std::uint8_t kUsageD = 0x07;

struct Query {
  const KeyAssignment& assignment;
  const MacroNameLookup& macro_name;
  AssignmentHolder holder;
};

AssignmentLabel Named(std::string_view id) { return {std::string(id), true}; }
AssignmentLabel Unchanged() { return {std::nullopt, true}; }
AssignmentLabel Named(const FunctionItem* item) {
  return item == nullptr ? Unchanged() : Named(item->id);
}

AssignmentLabel SingleKey(const Query& query) {
  const KeyAssignment& a = query.assignment;
  AssignmentLabel label = Unchanged();
  if (const KeyRow* row = FindDisplayRow(a.param1, a.param2)) {
    label = Named(row->id);
  } else if (query.holder == AssignmentHolder::kMouseButton && a.param1 == kLeftWin &&
             a.param2 == kUsageD) {
    label = Named("show_window");
  }
  // Ctrl+C is a combination, not the plain key of its usage.
  if (const FunctionItem* combination = FindByParams(KeyCombinations(), a)) {
    label = Named(combination->id);
  }
  return label;
}

AssignmentLabel MouseButton(const Query& query) {
  return Named(FindByParam1(MouseButtonFunctions(), query.assignment.param1));
}

AssignmentLabel Dpi(const Query& query) {
  return Named(FindByParam1(DpiFunctions(), query.assignment.param1));
}

AssignmentLabel Multimedia(const Query& query) {
  return Named(FindByParams(MultimediaFunctions(), query.assignment));
}

AssignmentLabel System(const Query& query) {
  return Named(FindByParams(SystemFunctions(), query.assignment));
}

AssignmentLabel Tilt(const Query& query) {
  const bool right = (query.assignment.param2 & kDirectionBit) != 0;
  return Named(right ? "mouse_key_right_Swing" : "mouse_key_left_Swing");
}

AssignmentLabel Wheel(const Query& query) {
  const bool down = (query.assignment.param2 & kDirectionBit) != 0;
  return Named(down ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
}

AssignmentLabel Fire(const Query&) { return Named("mouse_key_fire_key"); }

AssignmentLabel Macro(const Query& query) {
  std::optional<std::string> name;
  if (query.macro_name) name = query.macro_name(query.assignment.param1);
  return {std::move(name), false};
}

AssignmentLabel Recoil(const Query& query) {
  return Named(FindByParam1(RecoilTableFunctions(), query.assignment.param1));
}

std::optional<std::string_view> ExtraKeyName(const KeyAssignment& a) {
  if (a.param1 != kExtraKeyMark || a.param2 < 1 || a.param2 > kExtraKeyIds.size()) {
    return std::nullopt;
  }
  return kExtraKeyIds[a.param2 - 1U];
}

AssignmentLabel ExtraKey(const Query& query) {
  const std::optional<std::string_view> id = ExtraKeyName(query.assignment);
  return id ? Named(*id) : Unchanged();
}

using Namer = AssignmentLabel (*)(const Query&);

struct TypeRule {
  std::uint8_t type;
  Namer name;
};

// Types every holder names alike. Types without a rule here or in the holder's own table are
// shown as "close_text".
constexpr TypeRule kSharedRules[] = {
    {type::kKeySingle, SingleKey},
    {type::kKey, SingleKey},
    {type::kMouseButton, MouseButton},
    {type::kTilt, Tilt},
    {type::kWheel, Wheel},
    {type::kDpi, Dpi},
    {type::kFire, Fire},
    {type::kMultimedia, Multimedia},
    {type::kMultimediaAlt, Multimedia},
    {type::kSystem, System},
    {type::kMacro, Macro},
    {type::kMacroCount, Macro},
};

constexpr TypeRule kMouseRules[] = {{type::kRecoil, Recoil}};
constexpr TypeRule kKeyboardRules[] = {{type::kExtraKey, ExtraKey}};

// Types that have no name: the text shown stays as it was.
constexpr std::uint8_t kNamelessTypes[] = {0x15, 0x50, 0x60, type::kFunctionKey, 0xB0, 0xC0};

const TypeRule* FindRule(std::span<const TypeRule> rules, std::uint8_t type_code) {
  const auto it = std::ranges::find(rules, type_code, &TypeRule::type);
  return it == rules.end() ? nullptr : &*it;
}

std::span<const TypeRule> OwnRules(AssignmentHolder holder) {
  if (holder == AssignmentHolder::kMouseButton) return kMouseRules;
  return kKeyboardRules;
}

}  // namespace

AssignmentLabel AssignmentText(const KeyAssignment& assignment, const MacroNameLookup& macro_name,
                               AssignmentHolder holder) {
  const TypeRule* rule = FindRule(kSharedRules, assignment.type);
  if (rule == nullptr) rule = FindRule(OwnRules(holder), assignment.type);
  if (rule != nullptr) return rule->name(Query{assignment, macro_name, holder});
  if (std::ranges::find(kNamelessTypes, assignment.type) != std::end(kNamelessTypes)) {
    return Unchanged();
  }
  return Named("close_text");
}

std::optional<std::string_view> KeyOwnName(const KeyAssignment& factory) {
  if (const KeyRow* row = FindDisplayRow(factory.param1, factory.param2)) return row->id;
  if (factory.type == type::kExtraKey) return ExtraKeyName(factory);
  return std::nullopt;
}

}  // namespace vandrel
