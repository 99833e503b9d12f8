#include "cli/assign_targets.h"

#include <charconv>
#include <vector>

#include "cli/device_names.h"
#include "keyboard/keyboard_slots.h"
#include "mouse/assignment_rules.h"
#include "mouse/assignment_texts.h"
#include "mouse/name_text.h"

namespace vandrel::cli {
namespace {

// `word` as a number below `count`; nullopt for anything else.
std::optional<std::size_t> NumberBelow(std::string_view word, std::size_t count) {
  std::size_t number = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, number);
  if (word.empty() || error != std::errc{} || stop != end || number >= count) return std::nullopt;
  return number;
}

std::string Label(std::string_view what, std::size_t number, std::string_view name) {
  std::string label = std::string(what) + " " + std::to_string(number);
  if (!name.empty()) label += " (" + std::string(name) + ")";
  return label;
}

std::string ButtonChoices() {
  std::string choices;
  for (const std::string_view name : kMouseButtonNames) choices += std::string(name) + ", ";
  return choices + "or 0-8";
}

// The English name info shows for device key `key`; empty when it has none.
std::string KeyName(const KeyboardState& state, std::size_t key, const EnglishTexts& texts) {
  const std::optional<std::string_view> id = KeyOwnName(state.defaults.Assignment(key));
  return id ? texts.Text(*id) : std::string();
}

std::optional<std::size_t> SlotOfKey(const KeyboardState& state, std::size_t key) {
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    if (DeviceIndexOfSlot(state, slot) == key) return slot;
  }
  return std::nullopt;
}

// Names come first: "1" is the key 1, not key number 1.
std::optional<std::size_t> KeyCalled(const KeyboardState& state, std::string_view word,
                                     const EnglishTexts& texts, std::string& error) {
  const std::size_t count = std::min<std::size_t>(state.info.key_count(), kMaxKeyboardKeys);
  std::vector<std::size_t> named;
  for (std::size_t key = 0; key < count; ++key) {
    if (SameName(KeyName(state, key, texts), word)) named.push_back(key);
  }
  if (named.size() == 1) return named.front();
  if (named.empty()) {
    if (const std::optional<std::size_t> number = NumberBelow(word, count)) return number;
    error = "the keyboard has no key \"" + std::string(word) +
            "\" (keys by the names or numbers info keyboard shows, 0-" +
            std::to_string(count == 0 ? 0 : count - 1) + ")";
  } else {
    error = std::to_string(named.size()) + " keys are called \"" + std::string(word) +
            "\": give the key's number (info keyboard shows it)";
  }
  return std::nullopt;
}

}  // namespace

std::optional<AssignTarget> MouseButtonTarget(const MouseState& state, std::string_view word,
                                              std::string& error) {
  const MouseKeyTable& keys = state.ActiveKeys();
  for (std::size_t button = 0; button < kMouseButtonNames.size(); ++button) {
    if (NumberBelow(word, kMouseButtonNames.size()) != button &&
        !SameName(kMouseButtonNames[button], word)) {
      continue;
    }
    const int index = static_cast<int>(button);
    return AssignTarget{button, Label("button", button, kMouseButtonNames[button]),
                        keys.Assignment(index), state.defaults.Assignment(index), 0};
  }
  error = "the mouse has no button \"" + std::string(word) + "\" (" + ButtonChoices() + ")";
  return std::nullopt;
}

std::optional<AssignTarget> KeyboardKeyTarget(const KeyboardState& state, std::string_view word,
                                              const EnglishTexts& texts, std::string& error) {
  const std::optional<std::size_t> key = KeyCalled(state, word, texts, error);
  if (!key) return std::nullopt;
  const std::string label = Label("key", *key, KeyName(state, *key, texts));
  const std::optional<std::size_t> slot = SlotOfKey(state, *key);
  if (!slot || !KeyPageOffersSlot(*slot)) {
    error = label + " cannot be given a function: the key page leaves it as it is";
    return std::nullopt;
  }
  return AssignTarget{*key, label, *AssignmentOfSlot(state, *slot), state.defaults.Assignment(*key),
                      *slot};
}

}  // namespace vandrel::cli
