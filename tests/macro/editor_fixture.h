// The macro editors on the main window built from the shipped skin, with each device's store in a
// temporary folder and the dialogs faked. Notifications reach the editors through the main
// window's routing table, as in the program.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/routing.h"
#include "core/manual_clock.h"
#include "macro/macro_editor.h"
#include "macro/macro_store.h"
#include "support/fake_dialogs.h"
#include "support/fake_input_capture.h"
#include "support/post_recorder.h"
#include "support/temp_dir.h"
#include "ui/skin.h"

namespace vandrel::testing {

// Steps as the stores hold them.
inline const std::string kPressA = "10,1,138,4,1,keyboard_key_A";
inline const std::string kReleaseA = "0,0,10,4,0,keyboard_key_A";
inline const std::string kLeftDown = "50,0,129,1,1,mouse_key_left";
inline const std::string kMoveLeft = "50,0,132,30,1,mouse_move_to_left_text";
inline const std::string kPressCtrl = "5,0,137,1,1,keyboard_key_LCtrl";

using Lines = std::vector<std::string>;
struct StoredMacro {
  std::string name;
  Lines lines;
};

class EditorFixture : public ::testing::Test {
 protected:
  EditorFixture() {
    EXPECT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, "XML_MAIN", std::make_shared<TextResources>());
    if (window_ == nullptr) std::abort();
    EXPECT_TRUE(window_->Texts().LoadLanguage("en", skin_.Folder() / "lan_en.xml"));
    for (const char* folder : {"program", "ms", "kb"}) {
      std::filesystem::create_directories(dir_.path() / folder);
    }
    window_->SetNotifyHandler([this](const Notification& n) { Route(n); });
  }

  static std::size_t Slot(DeviceKind kind) { return kind == DeviceKind::kMouse ? 0 : 1; }
  static std::string Prefix(DeviceKind kind) { return kind == DeviceKind::kMouse ? "ms_" : "kb_"; }
  MacroStore& Store(DeviceKind kind) {
    return kind == DeviceKind::kMouse ? mouse_store_ : kb_store_;
  }

  // Writes the catalogue and the macro files as they are before the page is built.
  void Seed(DeviceKind kind, const std::vector<StoredMacro>& macros) {
    std::vector<std::string> names;
    for (const StoredMacro& macro : macros) {
      names.push_back(macro.name);
      ASSERT_TRUE(Store(kind).WriteMacro(macro.name, macro.name, macro.lines));
    }
    ASSERT_TRUE(Store(kind).RewriteCatalogue(names));
  }
  // Builds the page's editor, as the main window does at start.
  MacroEditor& Open(DeviceKind kind) {
    auto& editor = editors_[Slot(kind)];
    editor =
        std::make_unique<MacroEditor>(Store(kind), *window_, dialogs_, capture_, clock_, program_);
    editor->InitEditor();
    return *editor;
  }
  MacroEditor& Editor(DeviceKind kind) { return *editors_[Slot(kind)]; }

  Control& C(DeviceKind kind, std::string_view name) {
    Control* control = window_->Find(Prefix(kind) + std::string(name));
    if (control == nullptr) {
      ADD_FAILURE() << "no control " << Prefix(kind) << name;
      std::abort();
    }
    return *control;
  }
  // The user data of a list's rows: names or action lines.
  Lines RowData(DeviceKind kind, std::string_view list) {
    Lines data;
    for (const ListItem& row : C(kind, list).Items()) data.push_back(row.user_data);
    return data;
  }
  Lines Steps(DeviceKind kind) { return RowData(kind, "Macro_list"); }
  Lines NameRows(DeviceKind kind) { return RowData(kind, "MacroName_list"); }
  Lines PickerTexts(DeviceKind kind) {
    Lines texts;
    const Control& picker = C(kind, "key_fct_combo_23");
    for (int i = 0; i < picker.ItemCount(); ++i) texts.push_back(picker.ItemText(i));
    return texts;
  }
  std::string MacroText(DeviceKind kind, std::string_view name) {
    return ReadFile(Store(kind).MacroPath(name));
  }
  bool MacroFileExists(DeviceKind kind, std::string_view name) {
    return std::filesystem::exists(Store(kind).MacroPath(name));
  }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::unique_ptr<WindowModel> window_;
  TempDir dir_;
  std::filesystem::path program_ = dir_.path() / "program";
  MacroStore mouse_store_{DeviceKind::kMouse, dir_.path() / "ms"};
  MacroStore kb_store_{DeviceKind::kKeyboard, dir_.path() / "kb"};
  FakeDialogs dialogs_;
  PostRecorder posted_;  // what the capture posts, for the recording tests to hand on
  FakeInputCapture capture_{posted_};
  ManualClock clock_;
  std::array<std::unique_ptr<MacroEditor>, 2> editors_;

 private:
  void Route(const Notification& n) {
    const std::string& name = n.sender->Name();
    MacroEditor* editor = editors_[name.starts_with("ms_") ? 0 : 1].get();
    if (editor == nullptr) return;
    const std::optional<Page> page = RouteOf(name, n.type);
    if (page == Page::kMacroEditor) (void)editor->Handle(n);
    if (page == Page::kMacroImportExport) (void)editor->HandleImportExport(n);
    if (page == Page::kMacroRecording && n.type == notify::kClick) editor->ToggleRecording();
  }
};

// The tests that hold for both pages run once for each.
class BothPages : public EditorFixture, public ::testing::WithParamInterface<DeviceKind> {
 protected:
  DeviceKind kind() const { return GetParam(); }
  Control& C(std::string_view name) { return EditorFixture::C(kind(), name); }
};

inline std::string PageName(const ::testing::TestParamInfo<DeviceKind>& info) {
  return info.param == DeviceKind::kMouse ? "Mouse" : "Keyboard";
}

}  // namespace vandrel::testing
