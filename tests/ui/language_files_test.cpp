// The shipped language files: the three define the same identifiers, and every identifier the
// program and the skin use has a text in each.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "core/file_io.h"
#include "ui/control.h"
#include "ui/skin.h"
#include "ui/text_resources.h"

namespace vandrel {
namespace {

const std::filesystem::path kSourceDir(VANDREL_SOURCE_DIR);
const std::filesystem::path kSkinFolder = kSourceDir / "skin";
constexpr std::array kLanguageFiles = {"lan_en.xml", "lan_cn.xml", "lan_sn.xml"};

LanguageTexts Load(const char* file) {
  const FileContents contents = ReadWholeFile(kSkinFolder / file);
  EXPECT_EQ(contents.status, ReadStatus::kOk) << file;
  std::optional<LanguageTexts> texts = ParseLanguageFile(contents.bytes);
  EXPECT_TRUE(texts.has_value()) << file;
  return texts.value_or(LanguageTexts{});
}

// The identifiers that the device pages, the macro editor and the recoil page pass to the
// language files, as the program's contract with them lists them.
std::set<std::string> ContractIdentifiers() {
  std::set<std::string> ids;
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 20}) {
    ids.insert("message_text_" + std::to_string(n));
  }
  // The macro editors' and the profile operations' own messages about names, files and import.
  for (const char* message : {"macro_name_invalid", "macro_name_long", "macro_file_exists",
                              "macro_write_failed", "macro_import_large", "macro_import_text",
                              "macro_import_failed", "macro_export_failed", "profile_name_invalid",
                              "profile_name_long", "profile_file_exists", "profile_write_failed"}) {
    ids.insert(std::string("message_text_") + message);
  }
  std::vector<std::string> keys = {"LCtrl", "LShift", "LAlt", "LWin",
                                   "RCtrl", "RShift", "RAlt", "RWin"};
  for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
  for (char c : std::string("1234567890")) keys.emplace_back(1, c);
  for (const char* key : {"Enter",
                          "Esc",
                          "BackSpace",
                          "Tab",
                          "Space",
                          "-",
                          "=",
                          "[",
                          "]",
                          "xiegang",
                          ";",
                          "'",
                          "`",
                          "<",
                          ".",
                          "/",
                          "Caplk",
                          "Print Scr",
                          "Scroll Lock",
                          "Pause",
                          "Insert",
                          "Home",
                          "Page Up",
                          "Delete",
                          "End",
                          "Page Down",
                          "Right",
                          "Left",
                          "Down",
                          "Up",
                          "Num Lock",
                          "Num /",
                          "Num *",
                          "Num -",
                          "Num +",
                          "Num Enter",
                          "Decimal",
                          "App",
                          "Launch App2",
                          "Browaer Home",
                          "Media Play Pause",
                          "Browser Search",
                          "Launch Mail",
                          "Volume Up",
                          "Volume Mute",
                          "Media Stop",
                          "Volume Down",
                          "Browser Favorites",
                          "Browser ForWard",
                          "Browser Back",
                          "Media Prev Track",
                          "Media Next Track",
                          "Computer",
                          "Browser Refresh",
                          "Launch Media Select",
                          "Power",
                          "Sleep",
                          "Wakeup"}) {
    keys.emplace_back(key);
  }
  for (int n = 1; n <= 12; ++n) keys.push_back("F" + std::to_string(n));
  for (int n = 0; n <= 9; ++n) keys.push_back("Num " + std::to_string(n));
  for (int n = 1; n <= 5; ++n) keys.push_back("G" + std::to_string(n));
  for (const std::string& key : keys) ids.insert("keyboard_key_" + key);
  for (const char* id : {"mouse_key_left",
                         "mouse_key_middle",
                         "mouse_key_right",
                         "mouse_key_forward",
                         "mouse_key_back",
                         "mouse_key_DPI_add",
                         "mouse_key_DPI_sub",
                         "mouse_key_DPI_loop",
                         "mouse_key_left_Swing",
                         "mouse_key_right_Swing",
                         "mouse_key_up_Swing",
                         "mouse_key_down_Swing",
                         "mouse_key_fire_key",
                         "mouse_move_to_left_text",
                         "mouse_move_to_right_text",
                         "mouse_move_to_up_text",
                         "mouse_move_to_down_text",
                         "mouse_cursor_text",
                         "mouse_text",
                         "media_text",
                         "media_play",
                         "media_stop",
                         "media_prev",
                         "media_next",
                         "media_vol_sub",
                         "media_vol_add",
                         "media_mute",
                         "web_text",
                         "web_refresh",
                         "wed_stop",
                         "wed_back",
                         "wed_forward",
                         "wed_favorite",
                         "web_search",
                         "media_mypc",
                         "media_calc",
                         "media_mail",
                         "system_power",
                         "system_sleep",
                         "system_wake_up",
                         "combo_open",
                         "combo_new",
                         "combo_revocation",
                         "combo_save",
                         "combo_copy",
                         "combo_cut",
                         "combo_paste",
                         "combo_finde",
                         "combo_all",
                         "combo_narrow",
                         "combo_magnify",
                         "GUN_1",
                         "GUN_2",
                         "GUN_3",
                         "GUN_4",
                         "Deng_FXL_text",
                         "Deng_FXR_text",
                         "Deng_FXU_text",
                         "Deng_FXD_text",
                         "Deng_FXJ_text",
                         "Deng_FXK_text",
                         "Deng_FXSPEAD_text",
                         "Deng_FXGATHER_text",
                         "macro_btn_star_redio_text",
                         "macro_btn_stop_redio_text",
                         "Key_Set",
                         "close_text",
                         "show_window"}) {
    ids.insert(id);
  }
  return ids;
}

// Resource texts of every control, tooltip and row of every layout in the skin.
std::set<std::string> SkinIdentifiers() {
  Skin skin(kSkinFolder);
  EXPECT_TRUE(skin.LoadIndex());
  std::set<std::string> ids;
  for (const auto& [resource, file] : skin.Index()) {
    const auto window = BuildWindow(skin, resource, std::make_shared<TextResources>());
    if (!window) continue;
    for (const Control* control : window->AllControls()) {
      const ControlState state = control->State();
      if (state.resource_text) {
        for (const std::string& text : {state.text, state.tooltip}) {
          if (!text.empty()) ids.insert(text);
        }
      }
      for (const ListItem& item : state.items) {
        for (const ListCell& cell : item.cells) {
          if (cell.resource_text) ids.insert(cell.text);
        }
      }
    }
  }
  return ids;
}

// String literals in the program's sources that name language texts.
std::set<std::string> CodeIdentifiers() {
  static const std::regex kLiteral(
      "\"((message_text|keyboard_key|mouse_key|mouse_move|media|web|wed|system|combo|GUN|Deng_FX)_"
      "[^\"]+|macro_btn_[^\"]+_text|Key_Set|close_text|show_window)\"");
  std::set<std::string> ids;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kSourceDir / "src")) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".cpp" && extension != ".h") continue;
    const std::string text = ReadWholeFile(entry.path()).bytes;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kLiteral);
         it != std::sregex_iterator(); ++it) {
      const std::string id = (*it)[1];
      if (!id.ends_with('_')) ids.insert(id);  // a prefix the code completes with a number
    }
  }
  return ids;
}

TEST(LanguageFilesTest, TheThreeLanguagesDefineTheSameIdentifiers) {
  const LanguageTexts english = Load("lan_en.xml");
  ASSERT_GT(english.size(), 200u);
  for (const char* file : kLanguageFiles) {
    const LanguageTexts texts = Load(file);
    for (const auto& [id, text] : english) {
      EXPECT_TRUE(texts.contains(id)) << file << " lacks " << id;
    }
    for (const auto& [id, text] : texts) {
      EXPECT_TRUE(english.contains(id)) << file << " has an extra " << id;
      EXPECT_FALSE(text.empty()) << file << " " << id;
    }
  }
}

TEST(LanguageFilesTest, EveryIdentifierInUseHasATextInEachLanguage) {
  std::set<std::string> used = ContractIdentifiers();
  used.merge(SkinIdentifiers());
  used.merge(CodeIdentifiers());
  for (const char* file : kLanguageFiles) {
    const LanguageTexts texts = Load(file);
    for (const std::string& id : used) EXPECT_TRUE(texts.contains(id)) << file << " lacks " << id;
  }
}

TEST(LanguageFilesTest, FormattedMessagesCarryOneNumberAndOthersNone) {
  for (const char* file : kLanguageFiles) {
    for (const auto& [id, text] : Load(file)) {
      std::size_t conversions = 0;
      for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2)) {
        ++conversions;
        EXPECT_EQ(text.substr(at, 2), "%d") << file << " " << id;
      }
      const bool formatted = id == "message_text_16" || id == "message_text_17" ||
                             id == "message_text_recoil_too_long";
      EXPECT_EQ(conversions, formatted ? 1u : 0u) << file << " " << id;
    }
  }
}

}  // namespace
}  // namespace vandrel
