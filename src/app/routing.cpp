#include "app/routing.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace vandrel {
namespace {

enum class Match { kExact, kBegins, kEnds, kBeginsWithNumber, kDeviceTab };

// The notification types a family's page takes, as bits.
enum TypeBit : unsigned {
  kClick = 1U << 0,
  kSelectChanged = 1U << 1,
  kValueChanged = 1U << 2,
  kMoveValueChanged = 1U << 3,
  kItemSelect = 1U << 4,
  kItemClick = 1U << 5,
  kKillFocus = 1U << 6,
  kSetFocus = 1U << 7,
  kTextChanged = 1U << 8,
  kColorChanged = 1U << 9,
  kMouseEnter = 1U << 10,
  kMouseLeave = 1U << 11,
};

struct TypeName {
  std::string_view name;
  unsigned bit;
};

constexpr TypeName kTypeNames[] = {
    {"click", kClick},
    {"selectchanged", kSelectChanged},
    {"valuechanged", kValueChanged},
    {"movevaluechanged", kMoveValueChanged},
    {"itemselect", kItemSelect},
    {"itemclick", kItemClick},
    {"killfocus", kKillFocus},
    {"setfocus", kSetFocus},
    {"textchanged", kTextChanged},
    {"colorchanged", kColorChanged},
    {"msenter", kMouseEnter},
    {"msleave", kMouseLeave},
};

struct Route {
  Match match;
  std::string_view text;
  unsigned types;
  Page page;
};

constexpr unsigned kLighting = kClick | kSelectChanged | kValueChanged | kMoveValueChanged |
                               kItemSelect | kTextChanged | kColorChanged;
constexpr unsigned kMacro =
    kClick | kSelectChanged | kItemSelect | kItemClick | kKillFocus | kTextChanged;
constexpr unsigned kProfile = kClick | kSelectChanged | kItemSelect;
constexpr unsigned kMouseButton =
    kClick | kSelectChanged | kItemSelect | kTextChanged | kMouseEnter | kMouseLeave;
constexpr unsigned kPerformance =
    kClick | kValueChanged | kMoveValueChanged | kItemSelect | kKillFocus | kTextChanged;

// Exact names first, then the endings of the profile controls (which also begin like a page's
// family), then the families from the most particular beginning to the most general.
constexpr Route kRoutes[] = {
    {Match::kExact, "closebtn", kClick, Page::kWindowButtons},
    {Match::kExact, "minbtn", kClick, Page::kWindowButtons},
    {Match::kExact, "skinbtn", kClick, Page::kSkinWindow},
    {Match::kExact, "menubtn", kClick, Page::kMainMenu},
    {Match::kExact, "dpi_btn", kClick, Page::kDisplayDpi},
    {Match::kExact, "renew_device", kClick, Page::kTraceOnly},
    {Match::kExact, "cmdbtn", kClick, Page::kTraceOnly},
    {Match::kExact, "popwnd_btn", kClick, Page::kTraceOnly},
    {Match::kExact, "modal_popwnd_btn", kClick, Page::kTraceOnly},
    {Match::kExact, "qq_btn", kClick, Page::kTraceOnly},
    {Match::kExact, "qqgroup_btn", kClick, Page::kTraceOnly},
    {Match::kExact, "kb_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kExact, "ms_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kExact, "mp_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kExact, "ani_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kExact, "split_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kDeviceTab, "_Op_tab", kSelectChanged | kSetFocus, Page::kTabs},
    {Match::kExact, "ms_key_butt_prosave", kClick, Page::kMouseButtons},
    {Match::kExact, "kb_key_butt_prosave", kClick, Page::kKeyboardKeys},
    {Match::kExact, "ms_macro_btn_redio", kMacro, Page::kMacroRecording},
    {Match::kExact, "kb_macro_btn_redio", kMacro, Page::kMacroRecording},
    {Match::kExact, "ms_macro_btn_import", kMacro, Page::kMacroImportExport},
    {Match::kExact, "ms_macro_btn_export", kMacro, Page::kMacroImportExport},
    {Match::kExact, "kb_macro_btn_import", kMacro, Page::kMacroImportExport},
    {Match::kExact, "kb_macro_btn_export", kMacro, Page::kMacroImportExport},
    {Match::kExact, "ms_one_profile_default", kClick, Page::kMousePerformance},
    {Match::kExact, "mp_one_profile_default", kClick, Page::kPadLighting},
    {Match::kEnds, "_profile_combo", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_edit", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_edit_save_btn", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_link_btn", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_link_check", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_link_edit", kProfile, Page::kProfiles},
    {Match::kEnds, "_cancle_link_btn", kProfile, Page::kProfiles},
    {Match::kEnds, "_profile_fun_spread_btn", kProfile, Page::kProfiles},
    {Match::kBegins, "ms_pro_", kProfile, Page::kProfiles},
    {Match::kBegins, "kb_pro_", kProfile, Page::kProfiles},
    {Match::kBegins, "mp_pro_", kProfile, Page::kProfiles},
    {Match::kBeginsWithNumber, "ms_DPIcolor_btn_", kClick | kMouseEnter | kMouseLeave,
     Page::kDpiColour},
    {Match::kBeginsWithNumber, "ms_profile_", kClick, Page::kMouseSlot},
    {Match::kBegins, "ms_DPI", kPerformance, Page::kMousePerformance},
    {Match::kExact, "ms_report_fct_combo", kPerformance, Page::kMousePerformance},
    {Match::kExact, "ms_point_speed_slider", kPerformance, Page::kMousePerformance},
    {Match::kBegins, "ms_gunlun_speed_", kPerformance, Page::kMousePerformance},
    {Match::kExact, "ms_sensor_height_slider", kPerformance, Page::kMousePerformance},
    {Match::kBegins, "ms_mouse_x_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "ms_mouse_y_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "kb_mouse_x_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "kb_mouse_y_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "ms_key_", kMouseButton, Page::kMouseButtons},
    {Match::kBegins, "ms_mouse_", kMouseButton, Page::kMouseButtons},
    {Match::kBegins, "ms_deng_", kLighting, Page::kMouseLighting},
    {Match::kBegins, "ms_bullet", kClick | kSelectChanged | kTextChanged, Page::kRecoil},
    {Match::kExact, "bullet_selected_prev", kClick | kSelectChanged | kTextChanged, Page::kRecoil},
    {Match::kExact, "bullet_selected_next", kClick | kSelectChanged | kTextChanged, Page::kRecoil},
    {Match::kBegins, "ms_gun_op_", kClick | kSelectChanged | kTextChanged, Page::kRecoil},
    {Match::kBegins, "ms_cursor_", kClick | kSelectChanged | kTextChanged, Page::kRecoil},
    {Match::kBegins, "kb_key_", kClick | kItemSelect | kTextChanged, Page::kKeyboardKeys},
    {Match::kBegins, "kb_mouse_", kClick | kItemSelect | kTextChanged, Page::kKeyboardKeys},
    {Match::kBegins, "kb_deng_", kLighting & ~kMoveValueChanged, Page::kKeyboardLighting},
    {Match::kBegins, "mp_deng_", kLighting, Page::kPadLighting},
    {Match::kBegins, "ms_macro_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "kb_macro_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "ms_Macro", kMacro, Page::kMacroEditor},
    {Match::kBegins, "kb_Macro", kMacro, Page::kMacroEditor},
    {Match::kBegins, "ms__macro_edit_", kMacro, Page::kMacroEditor},
    {Match::kBegins, "kb__macro_edit_", kMacro, Page::kMacroEditor},
};

bool EqualFolded(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool BeginsFolded(std::string_view name, std::string_view text) {
  return name.size() >= text.size() && EqualFolded(name.substr(0, text.size()), text);
}

bool EndsFolded(std::string_view name, std::string_view text) {
  return name.size() >= text.size() && EqualFolded(name.substr(name.size() - text.size()), text);
}

bool IsNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

bool Matches(const Route& route, std::string_view name) {
  switch (route.match) {
    case Match::kExact:
      return EqualFolded(name, route.text);
    case Match::kBegins:
      return BeginsFolded(name, route.text);
    case Match::kEnds:
      return EndsFolded(name, route.text);
    case Match::kBeginsWithNumber:
      return BeginsFolded(name, route.text) && IsNumber(name.substr(route.text.size()));
    case Match::kDeviceTab:
      return (BeginsFolded(name, "kb_") || BeginsFolded(name, "ms_")) &&
             EndsFolded(name, route.text);
  }
  return false;
}

unsigned BitOf(std::string_view type) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.name == type) return entry.bit;
  }
  return 0;
}

}  // namespace

std::optional<Page> RouteOf(std::string_view name, std::string_view type) {
  const unsigned bit = BitOf(type);
  for (const Route& route : kRoutes) {
    if (!Matches(route, name)) continue;
    if ((route.types & bit) == 0) return std::nullopt;
    return route.page;
  }
  return std::nullopt;
}

}  // namespace vandrel
