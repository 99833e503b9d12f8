// The soak's edits reach only what a user could reach on the device pages: shown, enabled
// controls that the hub routes to a device tab or page, never the window's own buttons.
#include "soak/page_edits.h"

#include <gmock/gmock.h>

#include <set>
#include <sstream>

#include "ui/test_window.h"

namespace vandrel::soak {
namespace {

using ::testing::ElementsAre;
using testing::TestWindow;

TEST(PageEditsTest, EditsOnlyShownEnabledControlsOfTheDevicePagesAndEachOfThemInTime) {
  TestWindow test;
  test.Add(ControlKind::kSlider, "ms_DPI1_slider").SetRange(0, 10);
  test.Add(ControlKind::kColourPalette, "mp_deng_Color_Pallet");
  test.Option("kb_tab", "device");
  Control& combo = test.Add(ControlKind::kCombo, "ms_report_fct_combo");
  for (const char* rate : {"125", "500", "1000"}) combo.AddItem(ListItem::OfText(rate));
  Control& slot = test.Add(ControlKind::kButton, "ms_profile_2");
  test.Add(ControlKind::kButton, "closebtn");          // the window's own
  test.Add(ControlKind::kButton, "ms_macro_btn_new");  // not a device page
  test.Add(ControlKind::kButton, "kb_deng_off").SetVisible(false);
  test.Add(ControlKind::kButton, "mp_deng_off").SetEnabled(false);
  PageEdits edits(test.window(), 17);

  std::set<std::string> senders;
  for (int i = 0; i < 200; ++i) ASSERT_NE(edits.EditOnce(), nullptr);
  for (const std::string& seen : test.Seen()) {
    std::istringstream words(seen);
    std::string type;
    std::string sender;
    words >> type >> sender;
    senders.insert(sender);
  }
  EXPECT_THAT(senders, ElementsAre("kb_tab", "mp_deng_Color_Pallet", "ms_DPI1_slider",
                                   "ms_profile_2", "ms_report_fct_combo"));
  EXPECT_EQ(edits.edits(), 200);

  for (const char* name :
       {"ms_DPI1_slider", "mp_deng_Color_Pallet", "kb_tab", "ms_report_fct_combo"}) {
    test.window().Find(name)->SetVisible(false);
  }
  slot.SetEnabled(false);
  EXPECT_EQ(edits.EditOnce(), nullptr);
}

}  // namespace
}  // namespace vandrel::soak
