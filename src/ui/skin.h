// The skin: a folder "skin/" beside the program with the resource index "res.xml", the layout
// files (Qt Designer .ui XML, whatever their extension), the language files and the style sheet.
// This reads the index and builds a window's controls into the control model from a layout.
//
// Layout conventions (the view reads the same files with Qt's own loader):
// - A widget's object name is the control's name; its class gives the kind (skin.cpp's table:
//   QPushButton button, QRadioButton option, QCheckBox check box, QLabel label, QLineEdit edit,
//   QComboBox combo, QSlider slider, QProgressBar progress, QStackedWidget tab layout,
//   QListWidget list, ColourPalette, DeviceKeyButton, CircleProgress, WndHost, ChartView; other
//   classes are containers).
// - Standard properties text, toolTip, enabled, visible, checked, minimum, maximum, value and
//   currentIndex set the matching state; every dynamic property (stdset="0") is a skin attribute
//   (Control::SetAttribute), such as "resourcetext", "userdata", "group", "bkcolor" or
//   "lightimage". "itemresourcetext" makes the items of a combo or list language identifiers.
// - A container with the attribute "tag" is a placeholder: the layout file that the tag names
//   (SubLayoutForTag) is built into it, and the attribute "layout" records that file.
// Any thread; the functions share no state.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/text_resources.h"
#include "ui/window_model.h"

namespace vandrel {

// res.xml: <resources><file name="XML_MAIN" path="main.xml"/>…</resources>.
using SkinIndex = std::map<std::string, std::string, std::less<>>;
// nullopt when the index is not well-formed; entries without a name or with an unsafe path
// (absolute, or leaving the skin folder) are skipped.
[[nodiscard]] std::optional<SkinIndex> ParseSkinIndex(std::string_view bytes);

// The layout file for one of the main window's placeholder tags ("MS_DPI_UI" → "Mouse_DPI.xml"),
// compared without regard to case; nullopt for any other tag.
[[nodiscard]] std::optional<std::string_view> SubLayoutForTag(std::string_view tag);

// The file of a skin image string: "file='ms/key_left_normal.png' corner='2,2,2,2'" and
// "ms/key_left_normal.png" both give "ms/key_left_normal.png"; empty when there is none.
[[nodiscard]] std::string SkinImageFile(std::string_view image);

class Skin {
 public:
  explicit Skin(std::filesystem::path folder);

  // Reads "res.xml"; false (and an empty index) when it is missing or malformed.
  [[nodiscard]] bool LoadIndex();
  [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }
  [[nodiscard]] const SkinIndex& Index() const { return index_; }
  // The file of a resource name, or the name itself when the index does not have it; nullopt for
  // an unsafe file name.
  [[nodiscard]] std::optional<std::filesystem::path> PathOf(std::string_view resource) const;
  // The contents of that file; nullopt when it cannot be read.
  [[nodiscard]] std::optional<std::string> Read(std::string_view resource) const;

 private:
  std::filesystem::path folder_;
  SkinIndex index_;
};

struct LayoutContext {
  // Reads an included layout file by its file name; nullopt when it cannot be read.
  std::function<std::optional<std::string>(std::string_view file)> read_file;
  // The layout file of a placeholder tag; by default SubLayoutForTag.
  std::function<std::optional<std::string>(std::string_view tag)> resolve_tag;
};

// Builds the controls of a layout's top widget under `parent`: the top widget's children become
// children of `parent`, its own properties apply to `parent` when `apply_top` is set. False when
// the text is not a Qt Designer layout. Placeholders whose layout is missing stay empty (with a
// trace line); includes nest at most 8 deep, widgets at most 64, and one layout with its
// includes makes at most 20000 controls.
[[nodiscard]] bool BuildLayout(std::string_view ui_xml, Control& parent,
                               const LayoutContext& context, bool apply_top = false);

// A new window for the skin resource `resource` ("XML_MSG") or layout file ("menu.xml"), its
// root taking the layout's top widget. nullptr (with a trace line) when the layout cannot be
// read or is not a layout.
[[nodiscard]] std::unique_ptr<WindowModel> BuildWindow(const Skin& skin, std::string_view resource,
                                                       std::shared_ptr<TextResources> texts);

}  // namespace vandrel
