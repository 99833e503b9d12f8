#include "ui/skin.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <pugixml.hpp>
#include <utility>

#include "core/file_io.h"
#include "core/trace.h"

namespace vandrel {
namespace {

// The main window's placeholder tags and the layout each one is built from.
struct SubLayout {
  std::string_view tag;
  std::string_view file;
};

constexpr std::array kSubLayouts = {
    SubLayout{"kb_Key_UI", "keyboard_key.xml"},     SubLayout{"kb_Deng_UI", "keyboard_deng.xml"},
    SubLayout{"kb_Macro_UI", "keyboard_macro.xml"}, SubLayout{"MS_Deng_UI", "Mouse_deng.xml"},
    SubLayout{"MS_Macro_UI", "Mouse_macro.xml"},    SubLayout{"MS_Key_UI", "Mouse_key.xml"},
    SubLayout{"MP_deng_UI", "MousePad_deng.xml"},   SubLayout{"MS_DPI_UI", "Mouse_DPI.xml"},
    SubLayout{"MS_CURSOR_UI", "Mouse_cursor.xml"},  SubLayout{"kb_CURSOR_UI", "Mouse_cursor.xml"},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Skin files are named relative to the skin folder and stay inside it.
bool IsSafeSkinPath(std::string_view file) {
  if (file.empty()) return false;
  const std::filesystem::path path(file);
  if (path.is_absolute() || path.has_root_name()) return false;
  return std::ranges::none_of(path, [](const std::filesystem::path& part) { return part == ".."; });
}

}  // namespace

std::optional<SkinIndex> ParseSkinIndex(std::string_view bytes) {
  pugi::xml_document document;
  if (!document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return std::nullopt;
  }
  const pugi::xml_node root = document.child("resources");
  if (!root) return std::nullopt;
  SkinIndex index;
  for (const pugi::xml_node file : root.children("file")) {
    const std::string_view name = file.attribute("name").as_string();
    const std::string_view path = file.attribute("path").as_string();
    if (name.empty() || !IsSafeSkinPath(path)) continue;
    index.emplace(std::string(name), std::string(path));
  }
  return index;
}

std::optional<std::string_view> SubLayoutForTag(std::string_view tag) {
  for (const SubLayout& entry : kSubLayouts) {
    if (EqualsIgnoringCase(entry.tag, tag)) return entry.file;
  }
  return std::nullopt;
}

std::string SkinImageFile(std::string_view image) {
  constexpr std::string_view kFile = "file='";
  const std::size_t start = image.find(kFile);
  if (start == std::string_view::npos) {
    return image.find('=') == std::string_view::npos ? std::string(image) : std::string();
  }
  const std::size_t begin = start + kFile.size();
  const std::size_t end = image.find('\'', begin);
  if (end == std::string_view::npos) return {};
  return std::string(image.substr(begin, end - begin));
}

Skin::Skin(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool Skin::LoadIndex() {
  index_.clear();
  const FileContents contents = ReadWholeFile(folder_ / "res.xml");
  std::optional<SkinIndex> index;
  if (contents.status == ReadStatus::kOk) index = ParseSkinIndex(contents.bytes);
  if (!index) {
    Trace("skin index not loaded: " + (folder_ / "res.xml").string());
    return false;
  }
  index_ = *std::move(index);
  return true;
}

std::optional<std::filesystem::path> Skin::PathOf(std::string_view resource) const {
  const auto found = index_.find(resource);
  const std::string_view file = found == index_.end() ? resource : std::string_view(found->second);
  if (!IsSafeSkinPath(file)) return std::nullopt;
  return folder_ / file;
}

std::optional<std::string> Skin::Read(std::string_view resource) const {
  const std::optional<std::filesystem::path> path = PathOf(resource);
  if (!path) return std::nullopt;
  FileContents contents = ReadWholeFile(*path);
  if (contents.status != ReadStatus::kOk) return std::nullopt;
  return std::move(contents.bytes);
}

std::unique_ptr<WindowModel> BuildWindow(const Skin& skin, std::string_view resource,
                                         std::shared_ptr<TextResources> texts) {
  const std::optional<std::string> layout = skin.Read(resource);
  if (!layout) {
    Trace("skin layout not found: " + std::string(resource));
    return nullptr;
  }
  auto window = std::make_unique<WindowModel>(std::string(resource), std::move(texts));
  const LayoutContext context{
      .read_file = [&skin](std::string_view file) { return skin.Read(file); },
      .resolve_tag = {},
  };
  if (!BuildLayout(*layout, window->Root(), context, /*apply_top=*/true)) {
    Trace("skin layout not readable: " + std::string(resource));
    return nullptr;
  }
  return window;
}

}  // namespace vandrel
