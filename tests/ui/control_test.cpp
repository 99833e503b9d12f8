// Which model operations raise which notifications, and what options, check boxes, sliders,
// edits, palettes, focus and tab layouts do to their state.
#include "ui/control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/test_window.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestWindow;

TEST(ControlClickTest, ButtonRaisesClickOnly) {
  TestWindow test;
  test.Add(ControlKind::kButton, "okbtn").Click();
  test.Add(ControlKind::kDeviceKeyButton, "kb_key_3").Click();
  test.Add(ControlKind::kLabel, "caption").Click();
  EXPECT_THAT(test.Seen(), ElementsAre("click okbtn", "click kb_key_3"));
}

TEST(ControlClickTest, OptionInGroupIsSelectedAndOthersUnselectedSilently) {
  TestWindow test;
  Control& kb = test.Option("kb_tab", "device");
  Control& ms = test.Option("ms_tab", "device");
  Control& other = test.Option("ms_key_Op_tab", "mouse_pages");
  other.SetSelected(true, Notify::kNo);
  kb.Click();
  EXPECT_THAT(test.Seen(), ElementsAre("click kb_tab", "selectchanged kb_tab"));
  ms.Click();
  EXPECT_THAT(test.Seen(), ElementsAre("click ms_tab", "selectchanged ms_tab"));
  EXPECT_FALSE(kb.IsSelected());
  EXPECT_TRUE(ms.IsSelected());
  EXPECT_TRUE(other.IsSelected()) << "another group is not touched";
  ms.Click();
  EXPECT_THAT(test.Seen(), ElementsAre("click ms_tab")) << "already selected: no change";
  EXPECT_TRUE(ms.IsSelected());
}

TEST(ControlClickTest, DisabledControlsIgnoreClicks) {
  TestWindow test;
  Control& panel_button = test.Add(ControlKind::kButton, "ms_key_butt_keysave");
  Control& list = test.Add(ControlKind::kList, "ms_Macro_list");
  list.AddItem(ListItem::OfText("step"));
  panel_button.SetEnabled(false);
  list.SetInputEnabled(false);
  panel_button.Click();
  EXPECT_FALSE(list.ClickItem(0));
  EXPECT_THAT(test.Seen(), IsEmpty());
  EXPECT_EQ(list.CurrentIndex(), -1);
  EXPECT_TRUE(list.SelectItem(0, Notify::kYes)) << "code may still select";
}

TEST(ControlClickTest, CheckBoxTogglesBothWays) {
  TestWindow test;
  Control& check = test.Add(ControlKind::kCheckBox, "ms_cursor_x_check");
  check.Click();
  EXPECT_TRUE(check.IsSelected());
  check.Click();
  EXPECT_FALSE(check.IsSelected());
  EXPECT_THAT(test.Seen(),
              ElementsAre("click ms_cursor_x_check", "selectchanged ms_cursor_x_check",
                          "click ms_cursor_x_check", "selectchanged ms_cursor_x_check"));
}

TEST(ControlSelectTest, WithAndWithoutNotification) {
  TestWindow test;
  Control& a = test.Option("ms_macro_Op_tab", "pages");
  Control& b = test.Option("ms_deng_Op_tab", "pages");
  EXPECT_TRUE(a.SetSelected(true, Notify::kNo));
  EXPECT_THAT(test.Seen(), IsEmpty());
  EXPECT_TRUE(b.SetSelected(true, Notify::kYes));
  EXPECT_THAT(test.Seen(), ElementsAre("selectchanged ms_deng_Op_tab"));
  EXPECT_FALSE(a.IsSelected());
  EXPECT_TRUE(b.SetSelected(true, Notify::kYes));
  EXPECT_THAT(test.Seen(), IsEmpty()) << "no change, no notification";
  EXPECT_FALSE(test.Add(ControlKind::kButton, "b").SetSelected(true, Notify::kYes));
}

TEST(ControlSelectTest, HandlerMayReselectDuringNotification) {
  // The tab guard re-selects the tabs it just lost from inside its own handler.
  TestWindow test;
  Control& kb = test.Option("kb_tab", "device");
  Control& ms = test.Option("ms_tab", "device");
  ms.SetSelected(true, Notify::kNo);
  std::vector<std::string> order;
  test.window().SetNotifyHandler([&](const Notification& n) {
    order.push_back(n.sender->Name());
    if (n.sender == &kb && n.type == notify::kSelectChanged) ms.SetSelected(true, Notify::kYes);
  });
  kb.Click();
  EXPECT_THAT(order, ElementsAre("kb_tab", "kb_tab", "ms_tab"));
  EXPECT_TRUE(ms.IsSelected());
  EXPECT_FALSE(kb.IsSelected());
}

TEST(ControlSliderTest, MoveAndReleaseNotifySetValueDoesNot) {
  TestWindow test;
  Control& slider = test.Add(ControlKind::kSlider, "ms_DPI3_slider");
  slider.SetRange(0, 15);
  slider.SetValue(4);
  EXPECT_THAT(test.Seen(), IsEmpty());
  slider.MoveSlider(6);
  slider.MoveSlider(7);
  slider.ReleaseSlider(7);
  EXPECT_THAT(test.Seen(),
              ElementsAre("movevaluechanged ms_DPI3_slider", "movevaluechanged ms_DPI3_slider",
                          "valuechanged ms_DPI3_slider"));
  EXPECT_EQ(slider.Value(), 7);
}

TEST(ControlSliderTest, ValuesStayInRange) {
  TestWindow test;
  Control& slider = test.Add(ControlKind::kSlider, "s");
  slider.SetRange(10, 0);
  EXPECT_EQ(slider.Minimum(), 0);
  EXPECT_EQ(slider.Maximum(), 10);
  slider.ReleaseSlider(99);
  EXPECT_EQ(slider.Value(), 10);
  slider.SetValue(-3);
  EXPECT_EQ(slider.Value(), 0);
  slider.SetValue(8);
  slider.SetRange(0, 5);
  EXPECT_EQ(slider.Value(), 5) << "a narrower range pulls the value in";
  Control& progress = test.Add(ControlKind::kCircleProgress, "setting_progress");
  progress.MoveSlider(30);
  EXPECT_EQ(progress.Value(), 30);
  EXPECT_THAT(test.Seen(), ElementsAre("valuechanged s")) << "only sliders are dragged";
}

TEST(ControlEditTest, TypingNotifiesSettingDoesNot) {
  TestWindow test;
  Control& edit = test.Add(ControlKind::kEdit, "ms_key_fct_edit_12");
  edit.SetText("12");
  EXPECT_THAT(test.Seen(), IsEmpty());
  edit.Type("300");
  edit.Type("300");
  EXPECT_THAT(test.Seen(),
              ElementsAre("textchanged ms_key_fct_edit_12", "textchanged ms_key_fct_edit_12"));
  EXPECT_EQ(edit.Text(), "300");
  edit.SetSelection(-1, -1);
  EXPECT_EQ(edit.Selection(), std::make_pair(-1, -1));
  test.Add(ControlKind::kLabel, "label").Type("x");
  EXPECT_THAT(test.Seen(), IsEmpty());
}

TEST(ControlPaletteTest, PickNotifiesSetDoesNot) {
  TestWindow test;
  Control& palette = test.Add(ControlKind::kColourPalette, "Pallet");
  palette.SetSelectedColour(0xFF0199CB);
  EXPECT_THAT(test.Seen(), IsEmpty());
  palette.PickColour(0xFFFF0000);
  EXPECT_THAT(test.Seen(), ElementsAre("colorchanged Pallet"));
  EXPECT_EQ(palette.SelectedColour(), 0xFFFF0000u);
  Control& label = test.Add(ControlKind::kLabel, "l");
  label.PickColour(1);
  EXPECT_EQ(label.SelectedColour(), 0u);
}

TEST(ControlFocusTest, MovingFocusKillsTheOldAndSetsTheNew) {
  TestWindow test;
  Control& a = test.Add(ControlKind::kEdit, "a");
  Control& b = test.Add(ControlKind::kOption, "ms_key_Op_tab");
  a.SetFocus(Notify::kYes);
  b.SetFocus(Notify::kYes);
  b.SetFocus(Notify::kYes);
  EXPECT_THAT(test.Seen(), ElementsAre("setfocus a", "killfocus a", "setfocus ms_key_Op_tab"));
  a.SetFocus(Notify::kNo);
  EXPECT_THAT(test.Seen(), IsEmpty());
  EXPECT_TRUE(a.HasFocus());
  EXPECT_EQ(test.window().FocusedControl(), &a);
}

TEST(ControlTabLayoutTest, ShowsOnePageWithoutNotification) {
  TestWindow test;
  Control& tabs = test.Add(ControlKind::kTabLayout, "tab_switch");
  Control& kb_page = test.Add(ControlKind::kContainer, "kb_page", &tabs);
  Control& ms_page = test.Add(ControlKind::kContainer, "ms_page", &tabs);
  Control& inner = test.Add(ControlKind::kButton, "ms_button", &ms_page);
  EXPECT_EQ(tabs.CurrentPage(), -1);
  EXPECT_TRUE(tabs.SelectPage(1));
  EXPECT_FALSE(tabs.SelectPage(2));
  EXPECT_EQ(tabs.CurrentPage(), 1);
  EXPECT_TRUE(inner.IsShown());
  EXPECT_FALSE(kb_page.IsShown());
  tabs.SetVisible(false);
  EXPECT_FALSE(inner.IsShown());
  EXPECT_TRUE(inner.IsVisible()) << "its own flag is unchanged";
  EXPECT_THAT(test.Seen(), IsEmpty());
}

TEST(ControlAttributeTest, KnownNamesSetFieldsOthersAreKept) {
  TestWindow test;
  Control& key = test.Add(ControlKind::kDeviceKeyButton, "kb_key_5");
  key.SetAttribute("LightImage", "file='kb/light.png'");
  key.SetAttribute("bkcolor", "#FF102030");
  key.SetAttribute("bkcolor", "not a colour");
  key.SetAttribute("UserData", "file='kb/key5.png'");
  key.SetAttribute("style", "listex_item_style");
  key.SetAttribute("tintalpha", "999");
  EXPECT_EQ(key.LightImage(), "file='kb/light.png'");
  EXPECT_EQ(key.BackgroundColour(), 0xFF102030u);
  EXPECT_EQ(key.UserData(), "file='kb/key5.png'");
  EXPECT_EQ(key.Attribute("STYLE"), "listex_item_style");
  EXPECT_EQ(key.TintAlpha(), 255);
  EXPECT_FALSE(key.IsLightOn()) << "an image alone does not switch the light on";
  EXPECT_EQ(key.LightColour(), 255u);
  EXPECT_EQ(key.LightAlpha(), 200);
}

// A preview relights a key many times a second: the view must learn of each relighting as one
// light change, of nothing when the light stays the same, and of a new picture as a look change.
TEST(ControlLightTest, ALightChangesInOneEventOnlyWhenItDiffers) {
  TestWindow test;
  Control& key = test.Add(ControlKind::kDeviceKeyButton, "kb_key_5");
  struct Step {
    bool on;
    std::uint32_t colour;
    int alpha;
    int kept_alpha;  // after clamping
    bool changed;
  };
  const Step steps[] = {{true, 0x00FF00, 128, 128, true},  {true, 0x00FF00, 128, 128, false},
                        {true, 0x00FF01, 128, 128, true},  {true, 0x00FF01, 300, 255, true},
                        {true, 0x00FF01, 999, 255, false}, {true, 0x00FF01, -4, 0, true},
                        {false, 0x00FF01, 0, 0, true},     {false, 0x00FF01, 0, 0, false}};
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << step.on << " " << step.colour << " " << step.alpha);
    key.SetLight(step.on, step.colour, step.alpha);
    EXPECT_EQ(key.IsLightOn(), step.on);
    EXPECT_EQ(key.LightColour(), step.colour);
    EXPECT_EQ(key.LightAlpha(), step.kept_alpha);
    const std::vector<ControlChange> changes = test.window().TakeChanges();
    if (step.changed) {
      EXPECT_THAT(changes, ElementsAre(ControlChange{&key, Property::kLight}));
    } else {
      EXPECT_THAT(changes, IsEmpty());
    }
  }
  key.SetAttribute("lightimage", "file='kb/light.png'");
  key.SetAttribute("keysetimage", "file='kb/set.png'");
  EXPECT_THAT(test.window().TakeChanges(), ElementsAre(ControlChange{&key, Property::kLook},
                                                       ControlChange{&key, Property::kLook}));
  EXPECT_THAT(test.Seen(), IsEmpty());
}

TEST(WindowLookupTest, FindsByExactNameInDocumentOrder) {
  TestWindow test;
  Control& first_parent = test.Add(ControlKind::kContainer, "pictures");
  Control& second_parent = test.Add(ControlKind::kContainer, "colours");
  Control& later = test.Add(ControlKind::kButton, "skin_image_btn", &second_parent);
  Control& earlier = test.Add(ControlKind::kButton, "skin_image_btn", &first_parent);
  EXPECT_EQ(test.window().Find("skin_image_btn"), &earlier);
  EXPECT_THAT(test.window().FindAll("skin_image_btn"), ElementsAre(&earlier, &later));
  EXPECT_EQ(test.window().Find("Skin_Image_Btn"), nullptr);
  EXPECT_EQ(test.window().Find("root"), &test.window().Root());
  EXPECT_EQ(later.Parent(), &second_parent);
}

}  // namespace
}  // namespace vandrel
