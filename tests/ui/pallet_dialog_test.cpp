// The colour palette dialog on the shipped skin: what it shows when it opens, which clicks
// close it with which result and colour, and which swatch names it ignores.
#include "ui/pallet_dialog.h"

#include <gtest/gtest.h>

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/preset_colours.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

constexpr std::uint32_t kInitial = 0xFF123456;

class PalletDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
    ASSERT_TRUE(skin.LoadIndex());
    window_ = BuildWindow(skin, kPaletteResource, std::make_shared<TextResources>());
    ASSERT_NE(window_, nullptr);
    palette_ = window_->Find(kPaletteControl);
    show_ = window_->Find(kPaletteShowButton);
    ASSERT_NE(palette_, nullptr);
    ASSERT_NE(show_, nullptr);
    dialog_.emplace(*window_, kInitial);
    window_->SetNotifyHandler([this](const Notification& n) {
      if (auto closing = dialog_->Handle(n)) result_ = closing;
    });
  }

  void Click(std::string_view name) {
    Control* control = window_->Find(name);
    ASSERT_NE(control, nullptr) << name;
    control->Click();
  }

  std::unique_ptr<WindowModel> window_;
  Control* palette_ = nullptr;
  Control* show_ = nullptr;
  std::optional<CPalletDialog> dialog_;
  std::optional<int> result_;
};

TEST_F(PalletDialogTest, OpensShowingTheInitialColourInBothPlaces) {
  EXPECT_EQ(palette_->SelectedColour(), kInitial);
  EXPECT_EQ(show_->BackgroundColour(), kInitial);
  EXPECT_EQ(show_->BackgroundImage(), "");
  EXPECT_EQ(dialog_->Colour(), kInitial);
}

TEST_F(PalletDialogTest, APresetThenOkConfirmsThePresetColour) {
  Click("ms_dpi_color_png_13");
  EXPECT_FALSE(result_.has_value());
  EXPECT_EQ(palette_->SelectedColour(), 0xFFFF0000u);
  EXPECT_EQ(show_->BackgroundColour(), 0xFFFF0000u);
  Click(kPaletteOkButton);
  EXPECT_EQ(result_, kPaletteConfirmed);
  EXPECT_EQ(dialog_->Colour(), 0xFFFF0000u);
}

TEST_F(PalletDialogTest, CloseButtonClosesWithTwoAndKeepsTheInitialColour) {
  Click("ms_dpi_color_png_4");
  Click(kPaletteCloseButton);
  EXPECT_EQ(result_, kPaletteClosed);
  EXPECT_EQ(dialog_->Colour(), kInitial);
}

TEST_F(PalletDialogTest, ThePaletteColourIsShownAndConfirmed) {
  palette_->PickColour(0xFF00FF7F);
  EXPECT_EQ(show_->BackgroundColour(), 0xFF00FF7Fu);
  Click(kPaletteOkButton);
  EXPECT_EQ(dialog_->Colour(), 0xFF00FF7Fu);
}

TEST_F(PalletDialogTest, SwatchNumbersOutsideTheTableOrNotNumbersAreIgnored) {
  for (const char* name : {"ms_dpi_color_png_30", "ms_dpi_color_png_-1", "ms_dpi_color_png_x",
                           "ms_dpi_color_png_", "ms_dpi_color_png_3x", "my_dpi_color_png_3"}) {
    Control& swatch = window_->AddControl(window_->Root(), ControlKind::kButton, name);
    swatch.Click();
    EXPECT_EQ(show_->BackgroundColour(), kInitial) << name;
    EXPECT_EQ(palette_->SelectedColour(), kInitial) << name;
  }
  EXPECT_FALSE(result_.has_value());
}

TEST_F(PalletDialogTest, WithoutAPaletteOkOnlyCloses) {
  auto bare = std::make_unique<WindowModel>("XML_TEST", std::make_shared<TextResources>());
  Control& ok = bare->AddControl(bare->Root(), ControlKind::kButton, std::string(kPaletteOkButton));
  CPalletDialog dialog(*bare, kInitial);
  EXPECT_EQ(dialog.Handle({notify::kClick, &ok}), kPaletteClosed);
  EXPECT_EQ(dialog.Colour(), kInitial);
}

TEST_F(PalletDialogTest, TheSkinsSwatchesShowThePresetColours) {
  for (int n = 0; n < kPresetColourCount; ++n) {
    const Control* swatch = window_->Find("ms_dpi_color_png_" + std::to_string(n));
    ASSERT_NE(swatch, nullptr) << n;
    EXPECT_EQ(FormatColour(swatch->BackgroundColour()), FormatColour(*PresetColour(n))) << n;
  }
  EXPECT_EQ(PresetColour(kPresetColourCount), std::nullopt);
}

}  // namespace
}  // namespace vandrel
