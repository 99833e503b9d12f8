// Bindings to macros after a deletion, on every button of every mouse key page and every key the
// keyboard reports.
#include "macro/macro_bindings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/device_bindings.h"
#include "mouse/key_assignment.h"

namespace vandrel {
namespace {

using assignment_type::kKey;
using assignment_type::kMacro;
using assignment_type::kMacroCount;

constexpr int kKeyCount = 160;

struct Place {
  bool keyboard;
  int page;   // the mouse's key page
  int index;  // button or key
};

KeyAssignment At(const std::array<std::uint8_t, 512>& bytes, int index) {
  const auto at = static_cast<std::size_t>(index) * 3;
  return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

void Put(std::array<std::uint8_t, 512>& bytes, int index, KeyAssignment assignment) {
  const auto at = static_cast<std::size_t>(index) * 3;
  bytes[at] = assignment.type;
  bytes[at + 1] = assignment.param1;
  bytes[at + 2] = assignment.param2;
}

// Every assignment the factory gives is a key: (0x20, 0, 100 + index % 100).
KeyAssignment Factory(int index) { return {kKey, 0, static_cast<std::uint8_t>(100 + index % 100)}; }

struct Devices {
  MouseState mouse;
  KeyboardState keyboard;

  Devices() {
    for (int i = 0; i < 170; ++i) {
      Put(mouse.defaults.bytes, i, Factory(i));
      Put(keyboard.defaults.bytes, i, Factory(i));
    }
    keyboard.info.bytes[5] = kKeyCount;
  }
  std::array<std::uint8_t, 512>& Table(const Place& place) {
    return place.keyboard ? keyboard.keys[0].bytes
                          : mouse.keys[static_cast<std::size_t>(place.page)].bytes;
  }
  std::vector<BindingTable> Tables() {
    std::vector<BindingTable> tables = MouseBindingTables(mouse);
    const std::vector<BindingTable> keys = KeyboardBindingTables(keyboard);
    tables.insert(tables.end(), keys.begin(), keys.end());
    return tables;
  }
};

TEST(MacroBindingsTest, DeletingAMacroRenumbersEveryBindingAndRestoresThoseToIt) {
  struct Binding {
    Place place;
    KeyAssignment before;
  };
  const std::vector<Binding> bindings = {
      {{false, 0, 0}, {kMacro, 0, 1}},       // the first button of the first page
      {{false, 2, 8}, {kMacroCount, 2, 5}},  // the ninth button
      {{false, 4, 6}, {kMacro, 1, 3}},       // the last page
      {{false, 1, 3}, {kKey, 1, 4}},         // a key, whose param1 is no macro number
      {{false, 3, 9}, {kMacro, 1, 0}},       // past the nine buttons: not a button
      {{true, 0, 150}, {kMacro, 1, 0}},      // a key far beyond the sixth
      {{true, 0, 10}, {kMacroCount, 3, 255}},
      {{true, 0, kKeyCount}, {kMacro, 1, 0}},  // past the keys the keyboard reports
  };
  struct Case {
    int deleted;
    bool bound;
    std::vector<KeyAssignment> after;  // per binding above
  };
  const Case cases[] = {
      {1,
       true,
       {{kMacro, 0, 1},
        {kMacroCount, 1, 5},
        Factory(6),
        {kKey, 1, 4},
        {kMacro, 1, 0},
        Factory(150),
        {kMacroCount, 2, 255},
        {kMacro, 1, 0}}},
      {0,
       true,
       {Factory(0),
        {kMacroCount, 1, 5},
        {kMacro, 0, 3},
        {kKey, 1, 4},
        {kMacro, 1, 0},
        {kMacro, 0, 0},
        {kMacroCount, 2, 255},
        {kMacro, 1, 0}}},
      {3,
       true,
       {{kMacro, 0, 1},
        {kMacroCount, 2, 5},
        {kMacro, 1, 3},
        {kKey, 1, 4},
        {kMacro, 1, 0},
        {kMacro, 1, 0},
        Factory(10),
        {kMacro, 1, 0}}},
      {4,
       false,
       {{kMacro, 0, 1},
        {kMacroCount, 2, 5},
        {kMacro, 1, 3},
        {kKey, 1, 4},
        {kMacro, 1, 0},
        {kMacro, 1, 0},
        {kMacroCount, 3, 255},
        {kMacro, 1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("deleting macro " + std::to_string(c.deleted));
    Devices devices;
    for (const Binding& binding : bindings) {
      Put(devices.Table(binding.place), binding.place.index, binding.before);
    }

    EXPECT_EQ(BindsMacro(devices.Tables(), c.deleted), c.bound);
    RenumberBindingsOnDelete(devices.Tables(), c.deleted);

    for (std::size_t i = 0; i < bindings.size(); ++i) {
      SCOPED_TRACE("binding " + std::to_string(i));
      EXPECT_EQ(At(devices.Table(bindings[i].place), bindings[i].place.index), c.after[i]);
    }
  }
}

}  // namespace
}  // namespace vandrel
