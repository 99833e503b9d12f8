// What the mouse's and the pad's lighting pages do alike with their shared controls, written once
// and run on each page: each page's test instantiates LightingPanelTest with a fixture of its own
// that derives from its page fixture and gives
//   kPrefix      the prefix of the page's control names, "ms_" or "mp_"
//   kDevice      the device the page belongs to
//   kMirrored    the fields whose edits the synchronised animation's common block takes too
//   kProfiles    the profile kinds an edit has rewritten
//   Lighting()   the live record's LightingBlock
//   RefreshPage()
// beside the page fixture's C(name), state_, sync_ and profiles_.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "device/lighting_block.h"
#include "ui/lighting_panel.h"
#include "ui/preset_colours.h"

namespace vandrel::testing {

// A block from its bytes: mode, brightness, speed, direction, seven-colour, red, green, blue.
inline LightingBlock Block(const std::array<std::uint8_t, LightingBlock::kSize>& bytes) {
  return DecodeLightingBlock(bytes);
}

template <typename Page>
class LightingPanelTest : public Page {
 protected:
  Control& Named(std::string_view rest) {
    return this->C(std::string(Page::kPrefix) + std::string(rest));
  }
};

TYPED_TEST_SUITE_P(LightingPanelTest);

TYPED_TEST_P(LightingPanelTest, RefreshShowsEverySettingButTheModeAndStoresNothing) {
  const LightingBlock block = Block({2, 9, 3, 0, 1, 0x10, 0x20, 0x30});
  this->Lighting() = block;
  this->RefreshPage();
  EXPECT_EQ(this->Named("deng_light_slider").Value(), 9);
  EXPECT_EQ(this->Named("deng_speed_slider").Value(), 11) << "the slider counts from the right";
  EXPECT_EQ(this->Named("deng_Color_Pallet").SelectedColour(), 0xFF102030U);
  EXPECT_EQ(this->Named("Deng_colordp_btn").BackgroundColour(), 0xFF102030U);
  EXPECT_EQ(this->Named("Deng_edit_R").Text(), "16");
  EXPECT_EQ(this->Named("Deng_edit_G").Text(), "32");
  EXPECT_EQ(this->Named("Deng_edit_B").Text(), "48");
  EXPECT_TRUE(this->Named("Deng_7color_check").IsSelected());
  EXPECT_TRUE(this->Named("Deng_FXR_check").IsSelected());
  EXPECT_FALSE(this->Named("Deng_FXL_check").IsSelected());
  EXPECT_EQ(this->Lighting(), block) << "showing the settings stores nothing";

  this->Lighting().direction = 1;
  this->RefreshPage();
  EXPECT_TRUE(this->Named("Deng_FXL_check").IsSelected());
  EXPECT_FALSE(this->Named("Deng_FXR_check").IsSelected());
}

// Every edit from the same start: the live block takes exactly the edited fields, the common
// block those of them the page mirrors, the preview and the seven-colour check show the result,
// and the record is marked dirty with its profiles rewritten.
TYPED_TEST_P(LightingPanelTest, EachEditStoresItsFieldsAndMirrorsOnlyThePagesOwn) {
  const LightingBlock start = Block({2, 1, 1, 0, 1, 0x11, 0x22, 0x33});
  // Different from what every edit below stores, so that each mirrored field shows.
  const LightingBlock common_start = Block({7, 7, 7, 0, 1, 7, 7, 7});
  struct Edit {
    const char* what;
    std::function<void()> act;
    LightingFields fields;                      // the fields the edit touches
    std::function<void(LightingBlock&)> store;  // what it stores in them
  };
  const Edit edits[] = {
      {"brightness moved", [this] { this->Named("deng_light_slider").MoveSlider(5); }, 0,
       [](LightingBlock&) {}},
      {"brightness released", [this] { this->Named("deng_light_slider").ReleaseSlider(12); },
       kBrightnessField, [](LightingBlock& b) { b.brightness = 12; }},
      {"speed released at 14", [this] { this->Named("deng_speed_slider").ReleaseSlider(14); },
       kSpeedField, [](LightingBlock& b) { b.speed = 0; }},
      {"speed released at 0", [this] { this->Named("deng_speed_slider").ReleaseSlider(0); },
       kSpeedField, [](LightingBlock& b) { b.speed = 14; }},
      {"seven colours unchecked", [this] { this->Named("Deng_7color_check").Click(); },
       kSevenColourField, [](LightingBlock& b) { b.seven_colour = 0; }},
      {"left option", [this] { this->Named("Deng_FXL_check").Click(); }, kDirectionField,
       [](LightingBlock& b) { b.direction = 1; }},
      {"right option after the left",
       [this] {
         this->Named("Deng_FXL_check").Click();
         this->Named("Deng_FXR_check").Click();
       },
       kDirectionField, [](LightingBlock& b) { b.direction = 0; }},
      {"palette", [this] { this->Named("deng_Color_Pallet").PickColour(0xFF0A0B0C); },
       kFixedColourFields,
       [](LightingBlock& b) {
         b.seven_colour = 0;
         b.red = 0x0A;
         b.green = 0x0B;
         b.blue = 0x0C;
       }},
      {"preset 21, black", [this] { this->Named("Deng_color_btn_21").Click(); }, kFixedColourFields,
       [](LightingBlock& b) {
         b.seven_colour = 0;
         b.red = b.green = b.blue = 0;
       }},
      {"green typed above 255", [this] { this->Named("Deng_edit_G").Type("300"); },
       kGreenField | kSevenColourField,
       [](LightingBlock& b) {
         b.seven_colour = 0;
         b.green = 255;
       }},
      {"blue typed below 0", [this] { this->Named("Deng_edit_B").Type("-7"); },
       kBlueField | kSevenColourField,
       [](LightingBlock& b) {
         b.seven_colour = 0;
         b.blue = 0;
       }},
  };
  for (const Edit& edit : edits) {
    this->Lighting() = start;
    this->sync_.common.Store(common_start);
    this->RefreshPage();
    this->state_.dirty = false;
    this->profiles_.saves.clear();

    edit.act();
    LightingBlock expected = start;
    edit.store(expected);
    EXPECT_EQ(this->Lighting(), expected) << edit.what;
    // The touched fields the page mirrors follow the edit; the rest of the common block stays.
    auto expected_common = Encode(common_start);
    const auto live = Encode(expected);
    for (std::size_t field = 0; field < expected_common.size(); ++field) {
      if ((edit.fields & TypeParam::kMirrored & (1U << field)) != 0)
        expected_common[field] = live[field];
    }
    EXPECT_EQ(Encode(this->sync_.common.Load()), expected_common) << edit.what;
    EXPECT_EQ(this->Named("Deng_colordp_btn").BackgroundColour(), FixedColourArgb(expected))
        << edit.what;
    EXPECT_EQ(this->Named("Deng_7color_check").IsSelected(), expected.seven_colour != 0)
        << edit.what;
    EXPECT_EQ(this->state_.dirty, edit.fields != 0) << edit.what;
    if (edit.fields == 0) continue;
    ASSERT_FALSE(this->profiles_.saves.empty()) << edit.what;
    EXPECT_EQ(this->profiles_.saves.back(),
              std::make_pair(TypeParam::kDevice, unsigned{TypeParam::kProfiles}))
        << edit.what;
  }
}

TYPED_TEST_P(LightingPanelTest, TheEditsShowTheFixedColourAndATypedOneReachesThePalette) {
  this->Named("Deng_color_btn_21").Click();
  for (const char* edit : {"Deng_edit_R", "Deng_edit_G", "Deng_edit_B"}) {
    EXPECT_EQ(this->Named(edit).Text(), "0") << edit;
  }
  this->Named("Deng_color_btn_16").Click();
  EXPECT_EQ(this->Named("Deng_colordp_btn").BackgroundColour(), PresetColours[16]);
  this->Named("deng_Color_Pallet").PickColour(0xFF0A0B0C);
  EXPECT_EQ(this->Named("Deng_edit_G").Text(), "11");

  this->Named("Deng_edit_G").Type("300");
  EXPECT_EQ(this->Named("Deng_edit_G").Text(), "255");
  EXPECT_EQ(this->Named("Deng_colordp_btn").BackgroundColour(), 0xFF0AFF0CU);
  EXPECT_EQ(this->Named("deng_Color_Pallet").SelectedColour(), 0xFF0AFF0CU);
}

TYPED_TEST_P(LightingPanelTest, SameModeSpreadsThePagesBlockByteForByte) {
  this->Lighting() = Block({4, 7, 2, 1, 0, 1, 2, 3});
  this->Named("deng_same_mode").SetVisible(true);
  this->Named("deng_same_mode").Click();
  ASSERT_EQ(this->sync_.spreads.size(), 1U);
  EXPECT_EQ(this->sync_.spreads[0].first, TypeParam::kDevice);
  EXPECT_EQ(Encode(this->sync_.spreads[0].second), Encode(this->Lighting()));
}

REGISTER_TYPED_TEST_SUITE_P(LightingPanelTest, RefreshShowsEverySettingButTheModeAndStoresNothing,
                            EachEditStoresItsFieldsAndMirrorsOnlyThePagesOwn,
                            TheEditsShowTheFixedColourAndATypedOneReachesThePalette,
                            SameModeSpreadsThePagesBlockByteForByte);

}  // namespace vandrel::testing
