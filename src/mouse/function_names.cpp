#include "mouse/function_names.h"

#include <charconv>

#include "macro/key_table.h"
#include "macro/macro_store.h"
#include "mouse/function_lists.h"
#include "mouse/key_combination.h"
#include "mouse/name_text.h"

namespace vandrel {
namespace {

namespace type = assignment_type;

constexpr KeyAssignment kShowWindow{type::kKey, 0x08, 0x07};  // Win+D
constexpr std::uint8_t kDirectionBit = 0x80;                  // tilt: right, wheel: down
constexpr int kHighestRepeatMode = 3;
constexpr int kMostPlays = 255;
constexpr int kHighestSwingValue = 127;
constexpr int kHighestNibble = 15;
constexpr int kHighestByte = 255;

// Tilt and wheel: a direction, a value and two nibbles.
struct SwingForm {
  std::uint8_t type;
  std::string_view clear_direction;  // bit 7 of param2 clear
  std::string_view set_direction;    // bit 7 set
  std::string_view usage;
};
constexpr SwingForm kTilt{type::kTilt, "left", "right", "tilt:left|right:VALUE[:HIGH:LOW]"};
constexpr SwingForm kWheel{type::kWheel, "up", "down", "wheel:up|down:VALUE[:HIGH:LOW]"};
constexpr std::string_view kSwingRanges = " (VALUE 0-127, HIGH and LOW 0-15)";
constexpr std::string_view kFireUsage = "fire:FIRST:SECOND (FIRST 1-255, SECOND 0-255)";

// Shown names of functions that need values, with the form that gives them.
struct ValuedName {
  std::string_view id;
  std::string_view usage;
};
constexpr ValuedName kValuedNames[] = {{"mouse_key_left_Swing", kTilt.usage},
                                       {"mouse_key_right_Swing", kTilt.usage},
                                       {"mouse_key_up_Swing", kWheel.usage},
                                       {"mouse_key_down_Swing", kWheel.usage},
                                       {"mouse_key_fire_key", kFireUsage}};

FunctionNameResult Found(const KeyAssignment& assignment) { return {assignment, {}}; }
FunctionNameResult Refused(std::string problem) { return {std::nullopt, std::move(problem)}; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string_view HolderWord(AssignmentHolder holder) {
  return holder == AssignmentHolder::kMouseButton ? "mouse button" : "keyboard key";
}

std::string_view DeviceWord(AssignmentHolder holder) {
  return holder == AssignmentHolder::kMouseButton ? "mouse" : "keyboard";
}

std::optional<int> NumberIn(std::string_view text, int low, int high) {
  text = TrimmedName(text);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos;) {
    fields.push_back(text.substr(0, colon));
    text = text.substr(colon + 1);
  }
  fields.push_back(text);
  return fields;
}

std::optional<std::size_t> MacroNumber(std::string_view name, std::span<const std::string> macros) {
  for (std::size_t i = 0; i < macros.size(); ++i) {
    if (macros[i] == name) return i;
  }
  for (std::size_t i = 0; i < macros.size(); ++i) {
    if (SameMacroName(macros[i], name)) return i;
  }
  return std::nullopt;
}

FunctionNameResult Repeated(std::uint8_t macro, std::string_view repeat) {
  std::string_view plays;
  if (StartsWithName(TrimmedName(repeat), "x", plays)) {
    if (const std::optional<int> n = NumberIn(plays, 1, kMostPlays)) {
      return Found({type::kMacroCount, macro, static_cast<std::uint8_t>(*n)});
    }
  } else if (const std::optional<int> mode = NumberIn(repeat, 0, kHighestRepeatMode)) {
    return Found({type::kMacro, macro, static_cast<std::uint8_t>(*mode)});
  }
  return Refused("macro repeat " + Quoted(repeat) +
                 " is a repeat mode 0-3 or xN to play it N times (1-255)");
}

// The whole text is tried as a name first, so that a name may hold a colon.
FunctionNameResult MacroFunction(std::string_view rest, const FunctionNameContext& context) {
  std::string_view name = rest;
  std::optional<std::string_view> repeat;
  std::optional<std::size_t> number = MacroNumber(name, context.macros);
  const std::size_t colon = rest.rfind(':');
  if (!number && colon != std::string_view::npos) {
    name = rest.substr(0, colon);
    repeat = rest.substr(colon + 1);
    number = MacroNumber(name, context.macros);
  }
  if (!number || *number > kHighestByte) {
    return Refused("no macro called " + Quoted(name) + " in the " +
                   std::string(DeviceWord(context.holder)) + "'s macro library");
  }
  const auto macro = static_cast<std::uint8_t>(*number);
  return repeat ? Repeated(macro, *repeat) : Found({type::kMacro, macro, 0});
}

FunctionNameResult KeyFunction(std::string_view combo, const FunctionNameContext& context) {
  std::string problem;
  const std::optional<KeyAssignment> keys = ParseKeyCombination(combo, context.text, problem);
  return keys ? Found(*keys) : Refused(problem);
}

FunctionNameResult Swing(std::string_view rest, const SwingForm& form) {
  const std::vector<std::string_view> fields = Fields(rest);
  const auto refused = [&] { return Refused(std::string(form.usage) + std::string(kSwingRanges)); };
  if (fields.size() != 2 && fields.size() != 4) return refused();
  std::uint8_t direction = 0;
  if (SameName(TrimmedName(fields[0]), form.set_direction)) {
    direction = kDirectionBit;
  } else if (!SameName(TrimmedName(fields[0]), form.clear_direction)) {
    return refused();
  }
  const std::optional<int> value = NumberIn(fields[1], 0, kHighestSwingValue);
  const std::optional<int> high = fields.size() == 4 ? NumberIn(fields[2], 0, kHighestNibble) : 0;
  const std::optional<int> low = fields.size() == 4 ? NumberIn(fields[3], 0, kHighestNibble) : 0;
  if (!value || !high || !low) return refused();
  return Found({form.type, static_cast<std::uint8_t>(*high << 4 | *low),
                static_cast<std::uint8_t>(direction | *value)});
}

FunctionNameResult Fire(std::string_view rest) {
  const std::vector<std::string_view> fields = Fields(rest);
  if (fields.size() != 2) return Refused(std::string(kFireUsage));
  const std::optional<int> first = NumberIn(fields[0], 1, kHighestByte);
  const std::optional<int> second = NumberIn(fields[1], 0, kHighestByte);
  if (!first || !second) return Refused(std::string(kFireUsage));
  return Found(
      {type::kFire, static_cast<std::uint8_t>(*first), static_cast<std::uint8_t>(*second)});
}

const NamedFunction* FindNamed(std::span<const NamedFunction> names, std::string_view name) {
  for (const NamedFunction& named : names) {
    if (SameName(named.name, name)) return &named;
  }
  return nullptr;
}

AssignmentHolder OtherHolder(AssignmentHolder holder) {
  return holder == AssignmentHolder::kMouseButton ? AssignmentHolder::kKeyboardKey
                                                  : AssignmentHolder::kMouseButton;
}

FunctionNameResult Plain(std::string_view name, const FunctionNameContext& context) {
  const std::vector<NamedFunction> named = NamedFunctions(context.holder, context.text);
  if (const NamedFunction* found = FindNamed(named, name)) return Found(found->assignment);
  // Keys with modifiers that no list names, as info shows them ("Left Ctrl+Left Shift+A").
  std::string combination_problem;
  if (name.find('+') != std::string_view::npos) {
    if (auto keys = ParseKeyCombination(name, context.text, combination_problem))
      return Found(*keys);
  }
  for (const ValuedName& valued : kValuedNames) {
    if (SameName(context.text(valued.id), name)) {
      return Refused(Quoted(name) + " needs its values: " + std::string(valued.usage));
    }
  }
  const AssignmentHolder other = OtherHolder(context.holder);
  if (FindNamed(NamedFunctions(other, context.text), name) != nullptr) {
    return Refused("a " + std::string(HolderWord(context.holder)) + " cannot have " + Quoted(name) +
                   ", only a " + std::string(HolderWord(other)) + " can");
  }
  return Refused("unknown function " + Quoted(name) +
                 " (the names info shows, default, disabled, macro:NAME[:REPEAT], key:COMBO, "
                 "tilt:..., wheel:..., fire:...)");
}

void AddItems(std::vector<NamedFunction>& names, std::span<const FunctionItem> items,
              const TextOfId& text) {
  for (const FunctionItem& item : items) names.push_back({text(item.id), item.assignment});
}

}  // namespace

std::vector<NamedFunction> NamedFunctions(AssignmentHolder holder, const TextOfId& text) {
  std::vector<NamedFunction> names;
  AddItems(names, MouseButtonFunctions(), text);
  AddItems(names, DpiFunctions(), text);
  AddItems(names, MultimediaFunctions(), text);
  AddItems(names, SystemFunctions(), text);
  AddItems(names, KeyCombinations(), text);
  if (holder == AssignmentHolder::kMouseButton) {
    AddItems(names, RecoilTableFunctions(), text);
    names.push_back({text("show_window"), kShowWindow});
  }
  for (const KeyRow& row : KeyDisplayRows()) names.push_back({text(row.id), row.Assignment()});
  names.push_back({text("close_text"), {type::kDisabled, 0, 0}});
  return names;
}

FunctionNameResult FunctionByName(std::string_view name, const FunctionNameContext& context) {
  name = TrimmedName(name);
  std::string_view rest;
  if (SameName(name, "default")) return Found(context.factory);
  if (SameName(name, "disabled")) return Found({type::kDisabled, 0, 0});
  if (StartsWithName(name, "macro:", rest)) return MacroFunction(rest, context);
  if (StartsWithName(name, "key:", rest)) return KeyFunction(rest, context);
  if (StartsWithName(name, "tilt:", rest)) return Swing(rest, kTilt);
  if (StartsWithName(name, "wheel:", rest)) return Swing(rest, kWheel);
  if (StartsWithName(name, "fire:", rest)) return Fire(rest);
  return Plain(name, context);
}

}  // namespace vandrel
