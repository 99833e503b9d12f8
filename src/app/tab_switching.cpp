// Tab switching: the device tabs choose the page of "tab_switch", the page tabs the sub-page of
// "kb_tab_switch" or "ms_tab_switch"; an open macro edit keeps its tabs.
#include <algorithm>
#include <string>

#include "app/main_window.h"

namespace vandrel {
namespace {

constexpr std::string_view kMacroEditMessage = "message_text_3";

struct TabPage {
  std::string_view tab;
  int page;
};

constexpr TabPage kDeviceTabs[] = {
    {"kb_tab", 0}, {"ms_tab", 1}, {"mp_tab", 2}, {"ani_tab", 3}, {"split_tab", 4}};
constexpr std::string_view kMouseTabs[] = {"ms_deng_Op_tab", "ms_macro_Op_tab", "ms_key_Op_tab",
                                           "ms_rich_Op_tab", "ms_cursor_Op_tab"};
constexpr std::string_view kKeyboardTabs[] = {"kb_key_Op_tab", "kb_deng_Op_tab", "kb_macro_Op_tab",
                                              "kb_cursor_Op_tab"};
constexpr std::string_view kKeyboardProfileControls[] = {
    "kb_profile_fun_spread_btn", "kb_profile_select_tab", "kb_profile_fun_spead_tab",
    "kb_key_profile_edit",       "kb_deng_profile_edit",  "kb_device_profile_edit"};

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::string_view (&names)[N]) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool IsTab(std::string_view name) {
  return std::any_of(std::begin(kDeviceTabs), std::end(kDeviceTabs),
                     [name](const TabPage& tab) { return tab.tab == name; }) ||
         IsOneOf(name, kMouseTabs) || IsOneOf(name, kKeyboardTabs);
}

}  // namespace

// While a macro edit is open, only its own tabs may be chosen: the others are turned back.
// Only the tabs are guarded, so that the options inside the macro page stay usable.
bool CMainWnd::GuardMacroEdit(const Control& sender) {
  const std::string& name = sender.Name();
  if (!IsTab(name)) return false;
  struct Edit {
    DeviceKind kind;
    std::string_view page_tab, device_tab;
  };
  for (const Edit& edit : {Edit{DeviceKind::kMouse, "ms_macro_Op_tab", "ms_tab"},
                           Edit{DeviceKind::kKeyboard, "kb_macro_Op_tab", "kb_tab"}}) {
    if (!Macros().IsEditOpen(edit.kind)) continue;
    if (name == edit.page_tab || name == edit.device_tab) continue;
    if (Control* device_tab = window_.Find(edit.device_tab)) device_tab->SetVisible(true);
    for (std::string_view tab : {edit.page_tab, edit.device_tab}) {
      if (Control* control = window_.Find(tab)) (void)control->SetSelected(true, Notify::kYes);
    }
    (void)dialogs_.ShowMessage(&window_, kMacroEditMessage, true);
    return true;
  }
  return false;
}

void CMainWnd::SwitchTabs(const Control& sender) {
  const std::string& name = sender.Name();
  if (!IsTab(name) || !sender.IsSelected()) return;
  for (const TabPage& tab : kDeviceTabs) {
    if (tab.tab != name) continue;
    if (Control* pages = window_.Find("tab_switch")) (void)pages->SelectPage(tab.page);
    // The keyboard's page tabs share one page: its panels follow whichever tab is selected.
    if (name == "kb_tab") SwitchKeyboardPage(SelectedKeyboardTab());
    WakeFrameTimers();  // a preview brought on the screen follows at once
    return;
  }
  if (IsOneOf(name, kKeyboardTabs)) SwitchKeyboardPage(name);
  if (IsOneOf(name, kMouseTabs)) SwitchMousePage(name);
  WakeFrameTimers();
}

void CMainWnd::SwitchKeyboardPage(std::string_view name) {
  Control* pages = window_.Find("kb_tab_switch");
  const auto select = [pages](int page) {
    if (pages != nullptr) (void)pages->SelectPage(page);
  };
  const auto set_keys_enabled = [this](bool enabled) {
    for (std::size_t key : {110U, 111U}) {
      if (keyboard_keys_[key] != nullptr) keyboard_keys_[key]->SetEnabled(enabled);
    }
  };
  if (name == "kb_macro_Op_tab") {
    select(1);
    SetProfileControlsEnabled(false);
  } else if (name == "kb_deng_Op_tab") {
    select(2);
    SetShown("kb_deng_layout", true);
    SetShown("kb_tab_key_seting", false);
    SetProfileControlsEnabled(true);
    set_keys_enabled(true);
  } else if (name == "kb_key_Op_tab") {
    if (Control* function = window_.Find("kb_tab_function")) {
      function->SetVisible(true);
      function->SetEnabled(false);
    }
    if (pages != nullptr && pages->CurrentPage() != 2) select(2);
    SetShown("kb_deng_layout", false);
    SetShown("kb_tab_key_seting", true);
    SetProfileControlsEnabled(true);
    set_keys_enabled(false);
  } else if (name == "kb_cursor_Op_tab") {
    select(3);
  }
}

std::string_view CMainWnd::SelectedKeyboardTab() const {
  for (std::string_view tab : kKeyboardTabs) {
    const Control* control = window_.Find(tab);
    if (control != nullptr && control->IsSelected()) return tab;
  }
  return kKeyboardTabs[0];
}

void CMainWnd::SwitchMousePage(std::string_view name) {
  Control* pages = window_.Find("ms_tab_switch");
  if (pages == nullptr) return;
  const auto index = std::find(std::begin(kMouseTabs), std::end(kMouseTabs), name);
  const int page = static_cast<int>(index - std::begin(kMouseTabs));
  if (name == "ms_key_Op_tab" && pages->CurrentPage() != page) SetShown("ms_tab_function", true);
  (void)pages->SelectPage(page);
}

void CMainWnd::OnTabFocus(const Control& sender) {
  if (IsOneOf(sender.Name(), kMouseTabs)) SetShown("ms_profile_fun_spead_tab", false);
}

void CMainWnd::SetProfileControlsEnabled(bool enabled) {
  for (std::string_view name : kKeyboardProfileControls) {
    if (Control* control = window_.Find(name)) control->SetEnabled(enabled);
  }
}

void CMainWnd::SetShown(std::string_view control, bool shown) {
  if (Control* found = window_.Find(control)) found->SetVisible(shown);
}

}  // namespace vandrel
