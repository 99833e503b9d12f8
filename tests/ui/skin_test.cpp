// The skin: the resource index, the .ui layout reader, and every shipped layout file loaded with
// the controls that the code looks up by name.
#include "ui/skin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ui/control.h"
#include "ui/preset_colours.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;

const std::filesystem::path kSkinFolder = std::filesystem::path(VANDREL_SOURCE_DIR) / "skin";

std::string Ui(std::string_view widgets) {
  return "<ui version=\"4.0\"><widget class=\"QWidget\" name=\"top\">" + std::string(widgets) +
         "</widget></ui>";
}

std::unique_ptr<WindowModel> FromText(std::string_view ui, LayoutContext context = {}) {
  auto window = std::make_unique<WindowModel>("XML_TEST", std::make_shared<TextResources>());
  EXPECT_TRUE(BuildLayout(ui, window->Root(), context, true));
  return window;
}

TEST(SkinIndexTest, MapsNamesToSafeFiles) {
  const auto index = ParseSkinIndex(
      "<resources><file name='XML_MAIN' path='main.xml'/><file name='XML_MSG' path='msg/m.xml'/>"
      "<file name='UP' path='../outside.xml'/><file name='ABS' path='/etc/passwd'/>"
      "<file path='x.xml'/><file name='EMPTY' path=''/></resources>");
  ASSERT_TRUE(index.has_value());
  EXPECT_THAT(*index,
              ElementsAre(std::pair<const std::string, std::string>("XML_MAIN", "main.xml"),
                          std::pair<const std::string, std::string>("XML_MSG", "msg/m.xml")));
  EXPECT_FALSE(ParseSkinIndex("<other/>").has_value());
  EXPECT_FALSE(ParseSkinIndex("<resources>").has_value());
}

TEST(SkinIndexTest, ResourcesFallBackToFileNamesButNeverLeaveTheFolder) {
  Skin skin(kSkinFolder);
  ASSERT_TRUE(skin.LoadIndex());
  EXPECT_EQ(skin.PathOf("XML_MSG"), kSkinFolder / "MsgWnd.xml");
  EXPECT_EQ(skin.PathOf("Mouse_DPI.xml"), kSkinFolder / "Mouse_DPI.xml");
  EXPECT_FALSE(skin.PathOf("../CMakeLists.txt").has_value());
  EXPECT_FALSE(skin.Read("no_such_layout.xml").has_value());
  Skin missing(kSkinFolder / "nothing-here");
  EXPECT_FALSE(missing.LoadIndex());
}

TEST(SkinImageTest, TakesTheFileOfAnImageString) {
  EXPECT_EQ(SkinImageFile("file='ms/key_left_normal.png'"), "ms/key_left_normal.png");
  EXPECT_EQ(SkinImageFile("file='a.png' corner='2,2,2,2'"), "a.png");
  EXPECT_EQ(SkinImageFile("common/background.png"), "common/background.png");
  EXPECT_EQ(SkinImageFile("file='unterminated"), "");
  EXPECT_EQ(SkinImageFile("corner='1'"), "");
  EXPECT_EQ(SkinImageFile(""), "");
}

TEST(LayoutBuilderTest, ClassesGiveKindsAndPropertiesGiveState) {
  const auto window = FromText(Ui(
      "<property name='toolTip'><string>tip</string></property>"
      "<layout class='QVBoxLayout'><item><widget class='QSlider' name='s'>"
      "<property name='maximum'><number>14</number></property>"
      "<property name='value'><number>20</number></property>"
      "<property name='enabled'><bool>false</bool></property></widget></item>"
      "<item><spacer name='gap'/></item></layout>"
      "<widget class='QRadioButton' name='o'><property name='checked'><bool>true</bool></property>"
      "<property name='group' stdset='0'><string>g</string></property>"
      "<property name='text'><string>tab_mouse</string></property>"
      "<property name='resourcetext' stdset='0'><bool>true</bool></property></widget>"
      "<widget class='SomethingElse' name='c'><widget class='DeviceKeyButton' name='k'>"
      "<property name='lightimage' stdset='0'><string>file='l.png'</string></property>"
      "</widget></widget>"));
  EXPECT_EQ(window->Root().Tooltip(), "tip");
  const Control* slider = window->Find("s");
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->Kind(), ControlKind::kSlider);
  EXPECT_EQ(slider->Maximum(), 14);
  EXPECT_EQ(slider->Value(), 14);
  EXPECT_FALSE(slider->IsEnabled());
  const Control* option = window->Find("o");
  EXPECT_EQ(option->Kind(), ControlKind::kOption);
  EXPECT_TRUE(option->IsSelected());
  EXPECT_EQ(option->Group(), "g");
  EXPECT_TRUE(option->IsResourceText());
  EXPECT_EQ(window->Find("c")->Kind(), ControlKind::kContainer);
  EXPECT_EQ(window->Find("k")->Kind(), ControlKind::kDeviceKeyButton);
  EXPECT_EQ(window->Find("k")->LightImage(), "file='l.png'");
  EXPECT_EQ(window->Find("gap"), nullptr);
}

TEST(LayoutBuilderTest, ItemsAndPagesAreFilledBeforeTheirIndexApplies) {
  const auto window = FromText(
      Ui("<widget class='QComboBox' name='combo'>"
         "<property name='currentIndex'><number>1</number></property>"
         "<property name='itemresourcetext' stdset='0'><bool>true</bool></property>"
         "<item><property name='text'><string>system_power</string></property></item>"
         "<item><property name='text'><string>system_sleep</string></property></item></widget>"
         "<widget class='QStackedWidget' name='tabs'>"
         "<property name='currentIndex'><number>2</number></property>"
         "<widget class='QWidget' name='p0'/><widget class='QWidget' name='p1'/>"
         "<widget class='QWidget' name='p2'/></widget>"));
  const Control* combo = window->Find("combo");
  EXPECT_EQ(combo->ItemCount(), 2);
  EXPECT_EQ(combo->CurrentIndex(), 1);
  EXPECT_TRUE(combo->Item(1).cells.front().resource_text);
  EXPECT_EQ(window->Find("tabs")->CurrentPage(), 2);
}

TEST(LayoutBuilderTest, PlaceholdersTakeTheLayoutOfTheirTag) {
  std::map<std::string, std::string, std::less<>> files = {
      {"inner.xml", Ui("<widget class='QLabel' name='inner_label'/>")},
      {"loop.xml", Ui("<widget class='QWidget' name='again'>"
                      "<property name='tag' stdset='0'><string>LOOP</string></property>"
                      "</widget>")}};
  LayoutContext context{.read_file = [&](std::string_view file) -> std::optional<std::string> {
                          const auto found = files.find(file);
                          if (found == files.end()) return std::nullopt;
                          return found->second;
                        },
                        .resolve_tag = [](std::string_view tag) -> std::optional<std::string> {
                          if (tag == "INNER") return "inner.xml";
                          if (tag == "LOOP") return "loop.xml";
                          if (tag == "GONE") return "gone.xml";
                          return std::nullopt;
                        }};
  const auto window =
      FromText(Ui("<widget class='QWidget' name='slot'><property name='tag' stdset='0'>"
                  "<string>INNER</string></property></widget>"
                  "<widget class='QWidget' name='loop'><property name='tag' stdset='0'>"
                  "<string>LOOP</string></property></widget>"
                  "<widget class='QWidget' name='gone'><property name='tag' stdset='0'>"
                  "<string>GONE</string></property></widget>"),
               context);
  EXPECT_EQ(window->Find("inner_label")->Parent(), window->Find("slot"));
  EXPECT_EQ(window->Find("slot")->Attribute("layout"), "inner.xml");
  EXPECT_EQ(window->FindAll("again").size(), 8u) << "a layout including itself stops";
  EXPECT_EQ(window->Find("gone")->Attribute("layout"), "");
}

TEST(LayoutBuilderTest, IncludesThatMultiplyAreCapped) {
  std::string fan;
  for (int i = 0; i < 10; ++i) {
    fan +=
        "<widget class='QWidget' name='f'><property name='tag' stdset='0'>"
        "<string>FAN</string></property></widget>";
  }
  const std::string layout = Ui(fan);
  LayoutContext context{
      .read_file = [&](std::string_view) -> std::optional<std::string> { return layout; },
      .resolve_tag = [](std::string_view) -> std::optional<std::string> { return "fan.xml"; }};
  const auto window = FromText(layout, context);
  EXPECT_EQ(window->FindAll("f").size(), 20000u);
}

TEST(LayoutBuilderTest, DeepNestingIsCutInsteadOfExhaustingTheStack) {
  std::string ui;
  for (int i = 0; i < 5000; ++i) ui += "<widget class='QWidget' name='n'>";
  for (int i = 0; i < 5000; ++i) ui += "</widget>";
  const auto window = FromText(Ui(ui));
  EXPECT_LE(window->FindAll("n").size(), 64u);
  auto other = std::make_unique<WindowModel>("X", std::make_shared<TextResources>());
  EXPECT_FALSE(BuildLayout("not xml", other->Root(), {}));
  EXPECT_FALSE(BuildLayout("<ui/>", other->Root(), {}));
}

class ShippedSkinTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(skin_.LoadIndex()); }
  std::unique_ptr<WindowModel> Build(std::string_view resource) {
    auto window = BuildWindow(skin_, resource, texts_);
    EXPECT_NE(window, nullptr) << resource;
    return window;
  }

  Skin skin_{kSkinFolder};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
};

TEST_F(ShippedSkinTest, EveryIndexedLayoutAndEverySubLayoutLoads) {
  for (const auto& [resource, file] : skin_.Index()) Build(resource);
  for (const char* tag : {"kb_Key_UI", "kb_Deng_UI", "kb_Macro_UI", "MS_Deng_UI", "MS_Macro_UI",
                          "MS_Key_UI", "MP_deng_UI", "MS_DPI_UI", "MS_CURSOR_UI", "kb_CURSOR_UI"}) {
    const std::optional<std::string_view> file = SubLayoutForTag(tag);
    ASSERT_TRUE(file.has_value()) << tag;
    EXPECT_NE(Build(*file), nullptr) << *file;
  }
  EXPECT_EQ(SubLayoutForTag("ms_dpi_ui"), "Mouse_DPI.xml");
}

TEST_F(ShippedSkinTest, MainWindowIncludesItsPagesWithoutDuplicateNames) {
  const auto main = Build("XML_MAIN");
  std::set<std::string> layouts;
  std::map<std::string, int> names;
  for (const Control* control : main->AllControls()) {
    if (!control->Attribute("tag").empty()) {
      EXPECT_NE(control->Attribute("layout"), "") << control->Name();
      layouts.insert(control->Attribute("layout"));
    }
    if (!control->Name().empty()) ++names[control->Name()];
  }
  EXPECT_EQ(layouts.size(), 9u);
  for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name;
}

struct Expected {
  std::string_view resource;
  std::string_view name;
  ControlKind kind;
};

TEST_F(ShippedSkinTest, ControlsTheCodeLooksUpExistWithTheirKinds) {
  std::vector<Expected> expected = {
      {"XML_MSG", "MessageTitle", ControlKind::kLabel},
      {"XML_MSG", "MessageText", ControlKind::kLabel},
      {"XML_MSG", "confirm_btn", ControlKind::kButton},
      {"XML_MSG", "cancel_btn", ControlKind::kButton},
      {"XML_MSG", "closebtn", ControlKind::kButton},
      {"XML_MAIN", "root", ControlKind::kContainer},
      {"XML_MAIN", "tab_switch", ControlKind::kTabLayout},
      {"XML_MAIN", "kb_tab_switch", ControlKind::kTabLayout},
      {"XML_MAIN", "ms_tab_switch", ControlKind::kTabLayout},
      {"XML_MAIN", "setting_progress", ControlKind::kCircleProgress},
      {"XML_MAIN", "str_test", ControlKind::kLabel},
      {"XML_MAIN", "kb_device_profile_combo", ControlKind::kCombo},
      {"XML_MAIN", "ms_device_profile_combo", ControlKind::kCombo},
      {"XML_MAIN", "mp_deng_profile_combo", ControlKind::kCombo},
      {"XML_MAIN", "ms_deng_Color_Pallet", ControlKind::kColourPalette},
      {"XML_MAIN", "mp_deng_Color_Pallet", ControlKind::kColourPalette},
      {"XML_MAIN", "kb_deng_Color_Pallet", ControlKind::kColourPalette},
      {"XML_PALLET", "Pallet", ControlKind::kColourPalette},
      {"XML_PALLET", "color_show_btn", ControlKind::kButton},
      {"XML_PALLET", "okbtn", ControlKind::kButton},
      {"XML_PALLET", "closebtn", ControlKind::kButton},
      {"XML_SKIN", "skin_tab", ControlKind::kTabLayout},
      {"XML_SKIN", "skin_image", ControlKind::kOption},
      {"XML_SKIN", "skin_color", ControlKind::kOption},
      {"XML_SKIN", "skin_image_btn", ControlKind::kButton},
      {"XML_SKIN", "skin_color_btn", ControlKind::kButton},
      {"XML_SKIN", "skin_reset", ControlKind::kButton},
      {"XML_SKIN", "skin_Custom", ControlKind::kButton},
      {"XML_COPYRIGHT", "NetText", ControlKind::kButton},
      {"XML_COPYRIGHT", "closebtn", ControlKind::kButton},
      {"XML_LINK", "program_list", ControlKind::kList},
      {"XML_LINK", "link_btn", ControlKind::kButton},
      {"XML_LINK", "browse_btn", ControlKind::kButton},
      {"XML_LINK", "cancel_btn", ControlKind::kButton},
      {"XML_LINK", "closebtn", ControlKind::kButton},
  };
  for (std::string_view name :
       {"closebtn", "minbtn", "skinbtn", "menubtn", "kb_profile_fun_spread_btn"}) {
    expected.push_back({"XML_MAIN", name, ControlKind::kButton});
  }
  for (std::string_view name :
       {"kb_tab", "ms_tab", "mp_tab", "ani_tab", "split_tab", "kb_key_Op_tab", "kb_deng_Op_tab",
        "kb_macro_Op_tab", "kb_cursor_Op_tab", "ms_deng_Op_tab", "ms_macro_Op_tab", "ms_key_Op_tab",
        "ms_rich_Op_tab", "ms_cursor_Op_tab", "mp_deng_Op_tab"}) {
    expected.push_back({"XML_MAIN", name, ControlKind::kOption});
  }
  for (std::string_view name :
       {"kb_tab_panel", "ms_tab_panel", "kb_deng_layout", "kb_tab_key_seting", "kb_tab_function",
        "kb_profile_select_tab", "kb_profile_fun_spead_tab", "ms_profile_fun_spead_tab",
        "kb_key_profile_edit", "kb_deng_profile_edit", "kb_device_profile_edit"}) {
    expected.push_back({"XML_MAIN", name, ControlKind::kContainer});
  }
  for (std::string_view name : {"lan_en", "lan_cn", "About_setting"}) {
    expected.push_back({"XML_MENU", name, ControlKind::kButton});
    expected.push_back({"XML_TRAY_MENU", name, ControlKind::kButton});
  }
  std::vector<std::string> families;
  for (int n = 0; n < 126; ++n) families.push_back("kb_key_" + std::to_string(n));
  for (int n = 0; n < 15; ++n) families.push_back("mp_dkey_" + std::to_string(n));
  for (const std::string& name : families) {
    expected.push_back({"XML_MAIN", name, ControlKind::kDeviceKeyButton});
  }
  std::vector<std::string> swatches;
  for (int n = 0; n < 30; ++n) swatches.push_back("ms_dpi_color_png_" + std::to_string(n));
  for (const std::string& name : swatches) {
    expected.push_back({"XML_PALLET", name, ControlKind::kButton});
  }

  std::map<std::string, std::unique_ptr<WindowModel>, std::less<>> windows;
  for (const Expected& entry : expected) {
    auto& window = windows[std::string(entry.resource)];
    if (!window) window = Build(entry.resource);
    const Control* control = window->Find(entry.name);
    ASSERT_NE(control, nullptr) << entry.resource << " " << entry.name;
    EXPECT_EQ(control->Kind(), entry.kind) << entry.resource << " " << entry.name;
  }
}

TEST_F(ShippedSkinTest, PagesAndHiddenControlsStartAsTheCodeExpects) {
  const auto main = Build("XML_MAIN");
  EXPECT_EQ(main->Find("tab_switch")->Children().size(), 5u);
  EXPECT_EQ(main->Find("ms_tab_switch")->Children().size(), 5u);
  EXPECT_EQ(main->Find("kb_tab_switch")->Children().size(), 4u);
  EXPECT_FALSE(main->Find("str_test")->IsVisible());
  EXPECT_TRUE(main->Find("str_test")->IsResourceText());
  EXPECT_FALSE(main->Find("setting_progress")->IsVisible());
  const auto skin_window = Build("XML_SKIN");
  EXPECT_EQ(skin_window->Find("skin_tab")->Children().size(), 2u);
  for (const Control* thumbnail : skin_window->FindAll("skin_image_btn")) {
    EXPECT_NE(thumbnail->UserData(), "");
  }
  for (const Control* swatch : skin_window->FindAll("skin_color_btn")) {
    EXPECT_NE(swatch->BackgroundColour(), 0u);
  }
}

// The mouse performance and lighting pages: every name their code looks up, with its kind, and the
// starting state the pages rely on.
TEST_F(ShippedSkinTest, MousePerformanceAndLightingPagesHaveTheirControls) {
  const auto main = Build("XML_MAIN");
  std::vector<std::pair<std::string, ControlKind>> expected = {
      {"ms_report_fct_combo", ControlKind::kCombo},
      {"ms_point_speed_slider", ControlKind::kSlider},
      {"ms_sensor_height_slider", ControlKind::kSlider},
      {"ms_gunlun_speed_edit", ControlKind::kEdit},
      {"ms_gunlun_speed_up_btn", ControlKind::kButton},
      {"ms_gunlun_speed_down_btn", ControlKind::kButton},
      {"ms_one_profile_default", ControlKind::kButton},
      {"ms_deng_combo_modeSelect0", ControlKind::kCombo},
      {"ms_deng_combo_modeSelect1", ControlKind::kCombo},
      {"ms_deng_combo_modeSelect2", ControlKind::kCombo},
      {"ms_deng_mode_switch", ControlKind::kTabLayout},
      {"ms_deng_fx_layout", ControlKind::kContainer},
      {"ms_deng_color_layout", ControlKind::kContainer},
      {"ms_deng_7colorselect_layout", ControlKind::kContainer},
      {"ms_deng_speed_layout", ControlKind::kContainer},
      {"ms_deng_light_layout", ControlKind::kContainer},
      {"ms_deng_same_mode", ControlKind::kButton},
      {"ms_deng_light_slider", ControlKind::kSlider},
      {"ms_deng_speed_slider", ControlKind::kSlider},
      {"ms_Deng_FXL_check", ControlKind::kOption},
      {"ms_Deng_FXR_check", ControlKind::kOption},
      {"ms_Deng_7color_check", ControlKind::kCheckBox},
      {"ms_Deng_edit_R", ControlKind::kEdit},
      {"ms_Deng_edit_G", ControlKind::kEdit},
      {"ms_Deng_edit_B", ControlKind::kEdit},
      {"ms_Deng_colordp_btn", ControlKind::kButton},
  };
  for (int level = 1; level <= 6; ++level) {
    const std::string prefix = "ms_DPI" + std::to_string(level);
    expected.emplace_back(prefix + "_slider", ControlKind::kSlider);
    for (const char* label : {"_label_rank", "_label_value", "_min", "_max"}) {
      expected.emplace_back(prefix + label, ControlKind::kLabel);
    }
    expected.emplace_back("ms_DPIcolor_btn_" + std::to_string(level), ControlKind::kButton);
  }
  for (int n = 0; n < 30; ++n) {
    expected.emplace_back("ms_Deng_color_btn_" + std::to_string(n), ControlKind::kButton);
  }
  for (const auto& [name, kind] : expected) {
    const Control* control = main->Find(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->Kind(), kind) << name;
  }
  for (int n = 0; n < 30; ++n) {
    const Control* swatch = main->Find("ms_Deng_color_btn_" + std::to_string(n));
    EXPECT_EQ(swatch->BackgroundColour(), PresetColours[static_cast<std::size_t>(n)]) << n;
  }
}

TEST_F(ShippedSkinTest, MousePagesSitOnTheirTabPagesAndOfferOneModeList) {
  const auto main = Build("XML_MAIN");
  Control* pages = main->Find("ms_tab_switch");
  const auto on_page = [&](std::string_view name, int page) {
    for (const Control* up = main->Find(name); up != nullptr; up = up->Parent()) {
      if (up->Parent() == pages) return up == pages->Children()[static_cast<std::size_t>(page)];
    }
    return false;
  };
  EXPECT_TRUE(on_page("ms_deng_combo_modeSelect0", 0));
  EXPECT_TRUE(on_page("ms_deng_Color_Pallet", 0));
  EXPECT_TRUE(on_page("ms_DPI1_slider", 3));
  EXPECT_TRUE(on_page("ms_one_profile_default", 3));
  EXPECT_TRUE(main->Find("ms_deng_combo_modeSelect0")->IsVisible());
  EXPECT_FALSE(main->Find("ms_deng_combo_modeSelect1")->IsVisible());
  EXPECT_FALSE(main->Find("ms_deng_combo_modeSelect2")->IsVisible());
  EXPECT_EQ(main->Find("ms_deng_combo_modeSelect0")->ItemCount(), 6);
  EXPECT_EQ(main->Find("ms_deng_combo_modeSelect1")->ItemCount(), 8);
  EXPECT_EQ(main->Find("ms_deng_combo_modeSelect2")->ItemCount(), 7);
  EXPECT_EQ(main->Find("ms_Deng_FXL_check")->Group(), main->Find("ms_Deng_FXR_check")->Group());
  EXPECT_EQ(main->Find("ms_deng_speed_slider")->Maximum(), 14);
  EXPECT_EQ(main->Find("ms_deng_light_slider")->Maximum(), 14);
  EXPECT_EQ(main->Find("ms_point_speed_slider")->Maximum(), 9);
  EXPECT_GT(main->Find("ms_report_fct_combo")->ItemCount(), 0);
}

// The pages that set up the mouse itself show the whole mouse, as the keyboard's pages show the
// keyboard; and no page of the mouse has a button that says nothing: no text, picture or colour.
TEST_F(ShippedSkinTest, MouseSettingPagesShowTheMouseAndNoBlankButtons) {
  const auto main = Build("XML_MAIN");
  const Control* pages = main->Find("ms_tab_switch");
  ASSERT_NE(pages, nullptr);
  const std::vector<Control*> tabs = pages->Children();
  const auto shows_mouse = [](const Control* page) {
    for (const Control* control : page->Window().AllControls()) {
      bool inside = false;
      for (const Control* up = control; up != nullptr && !inside; up = up->Parent()) {
        inside = up == page;
      }
      const std::string image = SkinImageFile(control->BackgroundImage());
      if (inside && control->IsVisible() && image.starts_with("ms/mouse")) return true;
    }
    return false;
  };
  const std::pair<std::size_t, std::string_view> mouse_pages[] = {
      {0, "lighting"}, {2, "buttons"}, {3, "performance"}};
  for (const auto& [page, name] : mouse_pages) {
    ASSERT_LT(page, tabs.size());
    EXPECT_TRUE(shows_mouse(tabs[page])) << name;
  }
  for (const Control* control : main->AllControls()) {
    const bool button =
        control->Kind() == ControlKind::kButton || control->Kind() == ControlKind::kDeviceKeyButton;
    if (!button || !control->Name().starts_with("ms_")) continue;
    const bool says_something = !control->RawText().empty() ||
                                !control->BackgroundImage().empty() ||
                                !control->NormalImage().empty() || control->BackgroundColour() != 0;
    EXPECT_TRUE(says_something) << control->Name();
  }
}

// The mouse's recoil page: every name its code looks up, with its kind, on page 4 of the mouse's
// tab layout; the tables and the shots each make one group, the first of each selected.
TEST_F(ShippedSkinTest, RecoilPageHasItsControlsOnItsTabPage) {
  const auto main = Build("XML_MAIN");
  std::vector<std::pair<std::string, ControlKind>> expected = {
      {"bullet_selected_prev", ControlKind::kButton},
      {"bullet_selected_next", ControlKind::kButton},
      {"bullet_select_index", ControlKind::kLabel},
      {"cursor_edit_layout", ControlKind::kContainer},
      {"ms_cursor_delay_eidt", ControlKind::kEdit},
      {"ms_cursor_x_eidt", ControlKind::kEdit},
      {"ms_cursor_y_eidt", ControlKind::kEdit},
      {"ms_cursor_x_check", ControlKind::kCheckBox},
      {"ms_cursor_y_check", ControlKind::kCheckBox},
      {"ms_recoil_chart", ControlKind::kChart},
  };
  for (const char* action : {"save", "reset", "import", "export"}) {
    expected.emplace_back(std::string("ms_bulletdate_") + action + "_btn", ControlKind::kButton);
  }
  for (int g = 0; g < 4; ++g)
    expected.emplace_back("ms_gun_op_" + std::to_string(g), ControlKind::kOption);
  for (int b = 0; b < 30; ++b)
    expected.emplace_back("ms_bullet_op_" + std::to_string(b), ControlKind::kOption);
  const Control* page = main->Find("ms_tab_switch")->Children()[4];
  for (const auto& [name, kind] : expected) {
    const Control* control = main->Find(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->Kind(), kind) << name;
    const Control* up = control;
    while (up != nullptr && up != page) up = up->Parent();
    EXPECT_EQ(up, page) << name;
    if (kind != ControlKind::kOption) continue;
    const bool shot = name.starts_with("ms_bullet_op_");
    EXPECT_EQ(control->Group(), shot ? "ms_bullet_group" : "ms_gun_group") << name;
    EXPECT_EQ(control->IsSelected(), name.ends_with("_op_0")) << name;
  }
}

// The pad's page: every name its code looks up, with its kind, on the pad's page of "tab_switch",
// and the starting state the page relies on.
TEST_F(ShippedSkinTest, PadLightingPageHasItsControlsOnThePadsPage) {
  const auto main = Build("XML_MAIN");
  std::vector<std::pair<std::string, ControlKind>> expected = {
      {"mp_deng_combo_modeSelect", ControlKind::kCombo},
      {"mp_deng_combo_profile", ControlKind::kCombo},
      {"mp_deng_fx_layout", ControlKind::kContainer},
      {"mp_deng_color_layout", ControlKind::kContainer},
      {"mp_deng_7colorselect_layout", ControlKind::kContainer},
      {"mp_deng_speed_layout", ControlKind::kContainer},
      {"mp_deng_same_mode", ControlKind::kButton},
      {"mp_deng_light_slider", ControlKind::kSlider},
      {"mp_deng_speed_slider", ControlKind::kSlider},
      {"mp_Deng_FXL_check", ControlKind::kOption},
      {"mp_Deng_FXR_check", ControlKind::kOption},
      {"mp_Deng_7color_check", ControlKind::kCheckBox},
      {"mp_Deng_edit_R", ControlKind::kEdit},
      {"mp_Deng_edit_G", ControlKind::kEdit},
      {"mp_Deng_edit_B", ControlKind::kEdit},
      {"mp_Deng_colordp_btn", ControlKind::kButton},
      {"mp_one_profile_default", ControlKind::kButton},
  };
  for (int n = 0; n < 30; ++n) {
    expected.emplace_back("mp_Deng_color_btn_" + std::to_string(n), ControlKind::kButton);
  }
  Control* pages = main->Find("tab_switch");
  Control* pad_page = pages->Children()[2];
  const auto on_pad_page = [&](const Control* control) {
    for (const Control* up = control; up != nullptr; up = up->Parent()) {
      if (up == pad_page) return true;
    }
    return false;
  };
  for (const auto& [name, kind] : expected) {
    const Control* control = main->Find(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->Kind(), kind) << name;
    EXPECT_TRUE(on_pad_page(control)) << name;
  }
  for (int n = 0; n < 30; ++n) {
    const Control* swatch = main->Find("mp_Deng_color_btn_" + std::to_string(n));
    EXPECT_EQ(swatch->BackgroundColour(), PresetColours[static_cast<std::size_t>(n)]) << n;
  }
  EXPECT_EQ(main->Find("mp_deng_combo_modeSelect")->ItemCount(), 10);
  EXPECT_EQ(main->Find("mp_deng_combo_profile")->ItemCount(), 5);
  EXPECT_EQ(main->Find("mp_Deng_FXL_check")->Group(), main->Find("mp_Deng_FXR_check")->Group());
  EXPECT_FALSE(main->Find("mp_Deng_FXL_check")->Group().empty());
  EXPECT_EQ(main->Find("mp_deng_speed_slider")->Maximum(), 14);
  EXPECT_EQ(main->Find("mp_deng_light_slider")->Maximum(), 14);
  EXPECT_TRUE(main->Find("mp_deng_Op_tab")->IsSelected());
  EXPECT_TRUE(on_pad_page(main->Find("mp_deng_Op_tab")));
  EXPECT_FALSE(main->Find("mp_deng_same_mode")->IsVisible()) << "shown once another device is";
}

bool IsInside(const Control* control, const Control* holder) {
  for (const Control* up = control; up != nullptr; up = up->Parent()) {
    if (up == holder) return true;
  }
  return false;
}

// One control of a macro editor: its name after the device prefix, its kind, and the control it
// must sit in ("" for the editor's page itself), also named after the prefix.
struct MacroControl {
  std::string name;
  ControlKind kind;
  std::string holder;
};

std::vector<MacroControl> MacroEditorControls() {
  using enum ControlKind;
  std::vector<MacroControl> controls = {
      {"_MacroName", kContainer, ""},
      {"_MacroMouseEvent", kContainer, ""},
      {"_macro_btn_shubiao", kOption, ""},
      {"_MacroName_list", kList, "_MacroName"},
      {"_macro_btn_name_add", kButton, "_MacroName"},
      {"_macro_btn_name_sub", kButton, "_MacroName"},
      {"_macro_btn_import", kButton, "_MacroName"},
      {"_macro_btn_export", kButton, "_MacroName"},
      {"_Macro_list", kList, ""},
      {"_macro_edit_macroname", kEdit, ""},
      {"_macro_btn_savemacroname", kButton, ""},
      {"_macro_tab_saveorcancel", kContainer, ""},
      {"_macro_btn_save", kButton, "_macro_tab_saveorcancel"},
      {"_macro_btn_cancel", kButton, "_macro_tab_saveorcancel"},
      {"_tab_macro_edit", kTabLayout, ""},
      {"_macro_combo_keyselect", kCombo, "_macro_edit_page_1"},
      {"_macro_combo_upordown", kCombo, "_macro_edit_page_1"},
      {"__macro_edit_ActionDelay", kEdit, "_macro_edit_page_1"},
      {"_macro_combo_mouselect", kCombo, "_macro_edit_page_2"},
      {"_macro_tab_mou_pointer_skewing", kContainer, "_macro_edit_page_2"},
      {"_macro_edit_mou_pointer_skewing", kEdit, "_macro_tab_mou_pointer_skewing"},
      {"__macro_edit_mou_action_delay", kEdit, "_macro_edit_page_2"},
      {"_macro_btn_redio", kButton, ""},
  };
  for (const char* step : {"up", "down", "uptop", "downbottom", "delete", "deleteall"}) {
    controls.push_back({std::string("_macro_btn_") + step, kButton, ""});
  }
  for (const char* option : {"_macro_check_time", "_macro_keyboard_event", "_macro_mouse_click",
                             "_macro_mouse_roller", "_macro_mouse_move"}) {
    controls.push_back({option, kOption, ""});
  }
  for (const std::string button : {"leftkey", "moudlekey", "rightkey", "forwardkey", "backkey"}) {
    const std::string panel = "_macro_inset_" + button + "_tab";
    controls.push_back({"_macro_inset_" + button + "_btn", kButton, "_MacroMouseEvent"});
    controls.push_back({panel, kContainer, "_MacroMouseEvent"});
    controls.push_back({"_macro_inset_" + button + "down_btn", kButton, panel});
    controls.push_back({"_macro_inset_" + button + "up_btn", kButton, panel});
  }
  for (const char* move : {"moveleftkey", "moverightkey", "moveupkey", "movedownkey"}) {
    controls.push_back({std::string("_macro_inset_") + move + "_btn", kButton, "_MacroMouseEvent"});
  }
  for (const char* distance : {"x_left", "x_right", "y_up", "y_down"}) {
    controls.push_back({std::string("_mouse_") + distance + "_edit", kEdit, "_MacroMouseEvent"});
  }
  return controls;
}

// The mouse's and the keyboard's macro editors: every name their code looks up, with its kind, in
// the place that shows or hides it, and the starting state the editors rely on.
TEST_F(ShippedSkinTest, MacroEditorsHaveEveryControlInItsPlace) {
  const auto main = Build("XML_MAIN");
  const std::vector<MacroControl> controls = MacroEditorControls();
  for (const auto& [prefix, area] : {std::pair{"ms", "ms_area_1"}, {"kb", "kb_macro_area"}}) {
    const auto find = [&](const std::string& name) {
      return main->Find(name.empty() ? std::string(area) : prefix + name);
    };
    for (const MacroControl& entry : controls) {
      const Control* control = find(entry.name);
      ASSERT_NE(control, nullptr) << prefix << entry.name;
      EXPECT_EQ(control->Kind(), entry.kind) << prefix << entry.name;
      EXPECT_TRUE(IsInside(control, find(entry.holder))) << prefix << entry.name;
    }
    const Control* tabs = find("_tab_macro_edit");
    ASSERT_EQ(tabs->Children().size(), 3u) << prefix;
    EXPECT_EQ(tabs->CurrentPage(), 0) << prefix;
    for (int page : {1, 2}) {
      EXPECT_EQ(tabs->Children()[static_cast<std::size_t>(page)],
                find("_macro_edit_page_" + std::to_string(page)))
          << prefix;
    }
    for (const char* hidden :
         {"_macro_tab_saveorcancel", "_MacroMouseEvent", "_macro_tab_mou_pointer_skewing",
          "_macro_inset_leftkey_tab", "_macro_inset_moudlekey_tab", "_macro_inset_rightkey_tab",
          "_macro_inset_forwardkey_tab", "_macro_inset_backkey_tab"}) {
      EXPECT_FALSE(find(hidden)->IsVisible()) << prefix << hidden;
    }
    EXPECT_TRUE(find("_MacroName")->IsVisible()) << prefix;
    // The toggles toggle: an option of a group could never be unselected again.
    for (const char* toggle : {"_macro_btn_shubiao", "_macro_check_time", "_macro_keyboard_event",
                               "_macro_mouse_click", "_macro_mouse_roller", "_macro_mouse_move"}) {
      EXPECT_EQ(find(toggle)->Group(), "") << prefix << toggle;
    }
    EXPECT_FALSE(find("_macro_btn_shubiao")->IsSelected()) << prefix;
  }
}

// The entries the editors choose by index: release and press, and the fourteen mouse steps, each
// with a text of its own so that a press and a release are told apart.
TEST_F(ShippedSkinTest, MacroStepCombosListTheirEntriesInOrder) {
  const auto main = Build("XML_MAIN");
  for (const char* prefix : {"ms", "kb"}) {
    const Control* up_or_down = main->Find(std::string(prefix) + "_macro_combo_upordown");
    ASSERT_EQ(up_or_down->ItemCount(), 2) << prefix;
    EXPECT_EQ(up_or_down->Item(0).cells.front().text, "macro_step_release");
    EXPECT_EQ(up_or_down->Item(1).cells.front().text, "macro_step_press");
    const Control* mouse = main->Find(std::string(prefix) + "_macro_combo_mouselect");
    ASSERT_EQ(mouse->ItemCount(), 14) << prefix;
    std::set<std::string> texts;
    for (int row = 0; row < mouse->ItemCount(); ++row) {
      const ListCell cell = mouse->Item(row).cells.front();
      EXPECT_TRUE(cell.resource_text) << prefix << " " << row;
      texts.insert(cell.text);
    }
    EXPECT_EQ(texts.size(), 14u) << prefix;
    for (int row = 10; row < 14; ++row) {
      EXPECT_TRUE(mouse->Item(row).cells.front().text.starts_with("mouse_move_to_")) << row;
    }
  }
  // The assignment pages' macro pickers, which the editors keep in step with their lists.
  for (const auto& [picker, page] : {std::pair{"ms_key_fct_combo_23", "ms_area_2"},
                                     {"kb_key_fct_combo_23", "kb_tab_function"}}) {
    ASSERT_NE(main->Find(picker), nullptr) << picker;
    EXPECT_EQ(main->Find(picker)->Kind(), ControlKind::kCombo) << picker;
    EXPECT_TRUE(IsInside(main->Find(picker), main->Find(page))) << picker;
  }
}

}  // namespace
}  // namespace vandrel
