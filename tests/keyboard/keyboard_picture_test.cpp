// The keyboard picture of the shipped skin: every key slot has a button, and the buttons lie as
// the keyboard's LEDs do — a matrix row's keys side by side on that row, left to right by column —
// so that the animation's preview on them looks like the keyboard.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <string>

#include "core/file_io.h"
#include "keyboard/key_slot_identity.h"

namespace vandrel::testing {
namespace {

constexpr int kNone = 126;
// The LED matrix: 23 columns of six rows of key slots, top row first.
constexpr std::array<std::array<int, 6>, 23> kLedMatrix = {{
    {kNone, 16, 17, 18, 19, 20},
    {kNone, 21, 42, 63, 84, 105},
    {0, 22, 43, 64, 85, 106},
    {1, 23, 44, 65, 86, 107},
    {2, 24, 45, 66, 87, kNone},
    {3, 25, 46, 67, 88, kNone},
    {4, 26, 47, 68, 89, 108},
    {kNone, 27, 48, 69, 90, kNone},
    {5, 28, 49, 70, 91, kNone},
    {6, 29, 50, 71, 92, 109},
    {7, 30, 51, 72, 93, kNone},
    {8, 31, 52, 73, 94, 110},
    {9, 32, 53, 74, kNone, kNone},
    {10, 33, 54, kNone, kNone, 111},
    {11, 34, 55, 75, 95, kNone},
    {12, kNone, kNone, kNone, kNone, 112},
    {13, 35, 56, kNone, kNone, 113},
    {14, 36, 57, kNone, 96, 114},
    {15, 37, 58, kNone, kNone, 115},
    {kNone, 38, 59, 76, 97, 116},
    {kNone, 39, 60, 77, 98, kNone},
    {kNone, 40, 61, 78, 99, 117},
    {kNone, 41, kNone, 119, 118, kNone},
}};

struct Rect {
  int x, y, width, height;
  [[nodiscard]] int centre_x() const { return x + width / 2; }
  [[nodiscard]] int centre_y() const { return y + height / 2; }
};

std::map<int, Rect> KeyButtons() {
  const FileContents file =
      ReadWholeFile(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin" / "keyboard_key.xml");
  EXPECT_EQ(file.status, ReadStatus::kOk);
  const std::string& text = file.bytes;
  const std::regex button(
      R"re(class="DeviceKeyButton" name="kb_key_(\d+)">\s*<property name="geometry"><rect><x>(\d+)</x><y>(\d+)</y><width>(\d+)</width><height>(\d+)</height>)re");
  std::map<int, Rect> buttons;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), button);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    buttons[std::stoi(m[1])] = {std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])};
  }
  return buttons;
}

TEST(KeyboardPictureTest, EverySlotHasOneButton) {
  const std::map<int, Rect> buttons = KeyButtons();
  ASSERT_EQ(buttons.size(), kKeySlotCount);
  EXPECT_EQ(buttons.begin()->first, 0);
  EXPECT_EQ(buttons.rbegin()->first, 125);
}

TEST(KeyboardPictureTest, KeysLieOnTheirMatrixRowLeftToRightByColumn) {
  const std::map<int, Rect> buttons = KeyButtons();
  std::array<int, 6> row_centres{};
  for (std::size_t row = 0; row < 6; ++row)
    row_centres[row] = buttons.at(kLedMatrix[2][row]).centre_y();
  for (std::size_t row = 0; row < 6; ++row) {
    int previous_x = -1;
    for (std::size_t column = 0; column < 23; ++column) {
      const int slot = kLedMatrix[column][row];
      if (slot == kNone) continue;
      const Rect key = buttons.at(slot);
      EXPECT_LE(key.y, row_centres[row]) << slot;
      EXPECT_GE(key.y + key.height, row_centres[row]) << slot;
      EXPECT_GT(key.centre_x(), previous_x) << slot;
      previous_x = key.centre_x();
    }
  }
}

TEST(KeyboardPictureTest, NoTwoButtonsOverlap) {
  const std::map<int, Rect> buttons = KeyButtons();
  for (const auto& [a, ra] : buttons) {
    for (const auto& [b, rb] : buttons) {
      if (a >= b) continue;
      const bool apart = ra.x + ra.width <= rb.x || rb.x + rb.width <= ra.x ||
                         ra.y + ra.height <= rb.y || rb.y + rb.height <= ra.y;
      EXPECT_TRUE(apart) << a << " " << b;
    }
  }
}

}  // namespace
}  // namespace vandrel::testing
