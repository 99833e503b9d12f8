// The macro image built from a library on disk, byte for byte, and the capacity check.
#include "macro/macro_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

struct LibraryMacro {
  std::string name;
  std::optional<Lines> lines;  // nullopt: listed, but no file
};

// `count` copies of a step of 10 ms pressing the left button.
Lines LeftPresses(int count) { return Lines(static_cast<std::size_t>(count), "10,0,129,1,1,x"); }

TEST(MacroImageTest, ImageOfALibraryIsLaidOutAsTheDeviceReadsIt) {
  struct Case {
    std::string what;
    std::vector<LibraryMacro> library;
    std::uint8_t units;
    Bytes image;                    // expected when it fits
    std::optional<int> steps_over;  // expected when it does not
  };
  const Bytes kEmptyHeader = {0xAA, 0x55, 0x10, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const Case cases[] = {
      {"no macros", {}, 2, kEmptyHeader, std::nullopt},
      {"one macro without steps",
       {{"empty", std::nullopt}},
       2,
       {0xAA, 0x55, 22, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0, 0, 0, 0, 0},
       std::nullopt},
      {"macros of three steps and one",
       {{"three",
         Lines{"44,1,138,4,1,keyboard_key_A", "5,0,10,4,0,keyboard_key_A", "0,0,132,7,1,move"}},
        {"one", Lines{"255,255,9,2,1,keyboard_key_LSHIFT"}}},
       1,
       {0xAA, 0x55, 44, 0, 2,    0,    0,    0, 0, 0, 0,  0, 0, 0, 0,    0,  // header
        20,   0,    36, 0,                                                   // directory
        3,    0,    0,  0, 0x2C, 0x01, 0x8A, 4, 5, 0, 10, 4, 0, 0, 0x84, 7,
        1,    0,    0,  0, 0xFF, 0xFF, 9,    2},
       std::nullopt},
      {"a line that is no step is sent as a step of zeros",
       {{"odd", Lines{"not a step"}}},
       1,
       {0xAA, 0x55, 26, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0, 1, 0, 0, 0, 0, 0, 0, 0},
       std::nullopt},
      {"exactly full (256 bytes in 2 units)",
       {{"a", LeftPresses(50)}, {"b", LeftPresses(7)}},
       2,
       {},
       std::nullopt},
      {"one byte over counts as one step to remove",
       {{"a", LeftPresses(51)}, {"b", LeftPresses(7)}},
       2,
       {},
       2},
      {"300 bytes in 256", {{"a", LeftPresses(60)}, {"b", LeftPresses(8)}}, 2, {}, 12},
      {"no memory at all", {}, 0, {}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDir dir;
    MacroStore store(DeviceKind::kKeyboard, dir.path());
    Lines names;
    for (const LibraryMacro& macro : c.library) names.push_back(macro.name);
    ASSERT_TRUE(store.RewriteCatalogue(names));
    for (const LibraryMacro& macro : c.library) {
      if (macro.lines) {
        ASSERT_TRUE(store.WriteMacro(macro.name, macro.name, *macro.lines));
      }
    }

    const MacroImageResult result = BuildMacroImage(store, c.units);

    EXPECT_EQ(result.steps_over, c.steps_over);
    if (c.steps_over) {
      EXPECT_TRUE(result.image.empty());
    } else if (!c.image.empty()) {
      EXPECT_EQ(result.image, c.image);
    } else {
      EXPECT_EQ(result.image.size(), std::size_t{c.units} * kMacroMemoryUnit);
    }
  }
}

}  // namespace
}  // namespace vandrel
