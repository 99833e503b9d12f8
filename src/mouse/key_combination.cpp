#include "mouse/key_combination.h"

#include <algorithm>
#include <array>

#include "macro/key_table.h"
#include "mouse/name_text.h"

namespace vandrel {
namespace {

constexpr std::string_view kLabelPrefix = "keyboard_key_";

struct Modifier {
  std::string_view name;
  std::uint8_t left_bit;  // of the HID modifier byte; the right one's is four places up
};
constexpr Modifier kModifiers[] = {{"ctrl", 0x01}, {"shift", 0x02}, {"alt", 0x04}, {"win", 0x08}};
constexpr int kRightModifierShift = 4;
constexpr std::array<std::string_view, 4> kLeftSides = {"", "l", "left", "left "};
constexpr std::array<std::string_view, 3> kRightSides = {"r", "right", "right "};

bool IsSideOf(std::string_view name, std::string_view side, std::string_view modifier) {
  std::string_view rest;
  return StartsWithName(name, side, rest) && SameName(rest, modifier);
}

std::optional<std::uint8_t> ModifierBit(std::string_view name) {
  for (const Modifier& modifier : kModifiers) {
    for (std::string_view side : kLeftSides) {
      if (IsSideOf(name, side, modifier.name)) return modifier.left_bit;
    }
    for (std::string_view side : kRightSides) {
      if (IsSideOf(name, side, modifier.name)) {
        return static_cast<std::uint8_t>(modifier.left_bit << kRightModifierShift);
      }
    }
  }
  return std::nullopt;
}

const KeyRow* KeyNamed(std::string_view name, const TextOfId& text) {
  for (const KeyRow& row : KeyTable()) {
    if (SameName(row.id.substr(kLabelPrefix.size()), name) || SameName(text(row.id), name)) {
      return &row;
    }
  }
  return nullptr;
}

struct KeyPart {
  std::uint8_t modifiers = 0;
  std::uint8_t usage = 0;  // 0 for a modifier
};

std::optional<KeyPart> PartNamed(std::string_view name, const TextOfId& text) {
  name = TrimmedName(name);
  if (name.empty()) return std::nullopt;
  if (const std::optional<std::uint8_t> bit = ModifierBit(name)) return KeyPart{*bit, 0};
  if (const KeyRow* row = KeyNamed(name, text)) return KeyPart{row->param1, row->param2};
  return std::nullopt;
}

std::string Unknown(std::string_view name) {
  return "no key called \"" + std::string(TrimmedName(name)) +
         "\" (keys by their labels, such as A, F5, Num Enter; modifiers ctrl, shift, alt, win, "
         "with r or right in front for the right-hand ones)";
}

}  // namespace

std::optional<KeyAssignment> ParseKeyCombination(std::string_view combo, const TextOfId& text,
                                                 std::string& problem) {
  if (TrimmedName(combo).empty()) {
    problem = "key: needs a key or a combination such as ctrl+shift+a";
    return std::nullopt;
  }
  KeyPart total;
  std::string_view rest = combo;
  for (bool more = true; more;) {
    // The rest as a whole first, so that a key whose name holds "+" ("Num +") is found.
    std::optional<KeyPart> part = PartNamed(rest, text);
    more = !part.has_value();
    if (more) {
      const std::size_t plus = rest.find('+');
      const std::string_view head = rest.substr(0, plus);
      part = PartNamed(head, text);
      if (!part || plus == std::string_view::npos) {
        problem = Unknown(head);
        return std::nullopt;
      }
      rest = rest.substr(plus + 1);
    }
    total.modifiers |= part->modifiers;
    if (part->usage == 0) continue;
    if (total.usage != 0) {
      problem = "a key combination holds one key besides its modifiers, not \"" +
                std::string(combo) + "\"";
      return std::nullopt;
    }
    total.usage = part->usage;
  }
  return KeyAssignment{assignment_type::kKey, total.modifiers, total.usage};
}

std::optional<std::string> KeyCombinationText(const KeyAssignment& keys, const TextOfId& text) {
  std::string combo;
  for (const KeyRow& row : KeyTable()) {
    const bool modifier = row.param1 != 0 && (keys.param1 & row.param1) != 0;
    if (modifier) combo += (combo.empty() ? "" : "+") + text(row.id);
  }
  if (keys.param2 != 0) {
    const auto key = std::ranges::find_if(KeyTable(), [&keys](const KeyRow& row) {
      return row.param1 == 0 && row.param2 == keys.param2;
    });
    if (key == KeyTable().end()) return std::nullopt;
    combo += (combo.empty() ? "" : "+") + text(key->id);
  }
  if (combo.empty()) return std::nullopt;
  return combo;
}

}  // namespace vandrel
