// The routing table: which page receives which notification from which control.
#include "app/routing.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

struct Case {
  std::string_view name;
  std::string_view type;
  std::optional<Page> page;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name << " " << c.type; }

class RoutingTest : public ::testing::TestWithParam<Case> {};

TEST_P(RoutingTest, GoesToItsPage) {
  EXPECT_EQ(RouteOf(GetParam().name, GetParam().type), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Families, RoutingTest,
    ::testing::Values(Case{"closebtn", "click", Page::kWindowButtons},
                      Case{"skinbtn", "click", Page::kSkinWindow},
                      Case{"menubtn", "click", Page::kMainMenu},
                      Case{"ms_tab", "selectchanged", Page::kTabs},
                      Case{"kb_deng_Op_tab", "setfocus", Page::kTabs},
                      Case{"ms_cursor_Op_tab", "selectchanged", Page::kTabs},
                      // Mouse buttons take hover; the keyboard's keys do not.
                      Case{"ms_key_3", "msenter", Page::kMouseButtons},
                      Case{"kb_key_3", "msenter", std::nullopt},
                      Case{"kb_key_110", "click", Page::kKeyboardKeys},
                      Case{"kb_key_butt_prosave", "click", Page::kKeyboardKeys},
                      Case{"ms_mouse_left", "itemselect", Page::kMouseButtons},
                      Case{"ms_DPI3_slider", "movevaluechanged", Page::kMousePerformance},
                      Case{"ms_gunlun_speed_up", "click", Page::kMousePerformance},
                      Case{"ms_deng_speed_slider", "movevaluechanged", Page::kMouseLighting},
                      // The keyboard's lighting sliders are taken when released only.
                      Case{"kb_deng_speed_slider", "movevaluechanged", std::nullopt},
                      Case{"kb_deng_speed_slider", "valuechanged", Page::kKeyboardLighting},
                      Case{"mp_deng_Color_Pallet", "colorchanged", Page::kPadLighting},
                      // The pad's slot list is no profile combo, though its name is alike.
                      Case{"mp_deng_combo_profile", "itemselect", Page::kPadLighting},
                      Case{"mp_Deng_color_btn_3", "click", Page::kPadLighting},
                      Case{"ms_bullet_list", "click", Page::kRecoil},
                      Case{"bullet_selected_next", "click", Page::kRecoil},
                      Case{"ms_bulletdate_export_btn", "click", Page::kRecoil},
                      Case{"ms_gun_op_2", "selectchanged", Page::kRecoil},
                      Case{"ms_cursor_x_check", "selectchanged", Page::kRecoil},
                      Case{"ms_cursor_delay_eidt", "textchanged", Page::kRecoil},
                      Case{"ms_macro_add", "itemclick", Page::kMacroEditor},
                      Case{"kb__macro_edit_delay", "killfocus", Page::kMacroEditor},
                      Case{"kb_pro_import", "click", Page::kProfiles}));

INSTANTIATE_TEST_SUITE_P(
    ExactNamesBeforeFamilies, RoutingTest,
    ::testing::Values(Case{"ms_key_butt_prosave", "click", Page::kMouseButtons},
                      Case{"ms_macro_btn_redio", "click", Page::kMacroRecording},
                      Case{"kb_macro_btn_export", "click", Page::kMacroImportExport},
                      // Each device's restore button goes to the page that restores it.
                      Case{"ms_one_profile_default", "click", Page::kMousePerformance},
                      Case{"mp_one_profile_default", "click", Page::kPadLighting},
                      Case{"dpi_btn", "click", Page::kDisplayDpi},
                      // The macro editors' move distances, though named like button controls.
                      Case{"ms_mouse_x_left_edit", "textchanged", Page::kMacroEditor},
                      Case{"kb_mouse_y_down_edit", "textchanged", Page::kMacroEditor},
                      Case{"ms_mouse_key_left", "click", Page::kMouseButtons},
                      Case{"qqgroup_btn", "click", Page::kTraceOnly}));

// A profile control also begins like its page's family; its ending decides.
INSTANTIATE_TEST_SUITE_P(
    ProfileEndings, RoutingTest,
    ::testing::Values(Case{"kb_deng_profile_combo", "itemselect", Page::kProfiles},
                      Case{"ms_key_profile_edit", "click", Page::kProfiles},
                      Case{"mp_deng_profile_link_btn", "click", Page::kProfiles},
                      Case{"ms_profile_fun_spread_btn", "click", Page::kProfiles}));

INSTANTIATE_TEST_SUITE_P(NumberedFamilies, RoutingTest,
                         ::testing::Values(Case{"ms_DPIcolor_btn_4", "click", Page::kDpiColour},
                                           Case{"ms_DPIcolor_btn_6", "msenter", Page::kDpiColour},
                                           Case{"ms_profile_3", "click", Page::kMouseSlot},
                                           Case{"ms_profile_", "click", std::nullopt},
                                           Case{"ms_profile_x", "click", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(NamesWithoutRegardToCase, RoutingTest,
                         ::testing::Values(Case{"KB_DENG_mode_1", "click", Page::kKeyboardLighting},
                                           Case{"ms_Deng_mode_1", "click", Page::kMouseLighting},
                                           Case{"ms_dpi1_slider", "valuechanged",
                                                Page::kMousePerformance},
                                           Case{"CloseBtn", "click", Page::kWindowButtons}));

INSTANTIATE_TEST_SUITE_P(Nowhere, RoutingTest,
                         ::testing::Values(Case{"title_label", "click", std::nullopt},
                                           Case{"closebtn", "selectchanged", std::nullopt},
                                           Case{"mp_tab_caption", "selectchanged", std::nullopt},
                                           Case{"kb_key_1", "windowsize", std::nullopt},
                                           Case{"", "click", std::nullopt}));

}  // namespace
}  // namespace vandrel
