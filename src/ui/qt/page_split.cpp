#include "ui/qt/page_split.h"

#include <pugixml.hpp>
#include <sstream>

namespace vandrel {
namespace {

bool IsPlaceholder(const pugi::xml_node widget) {
  return widget.find_child_by_attribute("property", "name", "tag") != nullptr;
}

bool HasContents(const pugi::xml_node widget) {
  return widget.child("widget") != nullptr || widget.child("layout") != nullptr;
}

// A plain named container the layout hides, placed by its geometry: its size does not depend on
// its contents, so it looks the same filled late.
bool IsHiddenPanel(const pugi::xml_node widget) {
  const pugi::xml_node visible = widget.find_child_by_attribute("property", "name", "visible");
  return std::string_view(widget.attribute("class").as_string()) == "QWidget" &&
         *widget.attribute("name").as_string() != '\0' &&
         std::string_view(visible.child("bool").text().as_string()) == "false";
}

std::string Text(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, "", pugi::format_raw);
  return out.str();
}

class Splitter {
 public:
  Splitter(const pugi::xml_node custom_widgets, std::size_t first_number)
      : custom_widgets_(custom_widgets), first_number_(first_number) {}

  // Visits the widgets under `node` in document order; the pages found are not entered.
  void Visit(const pugi::xml_node node) {
    const std::string_view kind = node.name();
    const bool stack = std::string_view(node.attribute("class").as_string()) == "QStackedWidget";
    for (pugi::xml_node child : node.children()) {
      const std::string_view name = child.name();
      const bool page = stack || (kind == "widget" && IsHiddenPanel(child));
      if (page && name == "widget" && !IsPlaceholder(child) && HasContents(child)) {
        SetAside(child);
      } else if (name == "widget" || name == "layout" || name == "item") {
        Visit(child);
      }
    }
  }

  std::vector<std::string> TakePages() { return std::move(pages_); }

 private:
  void SetAside(pugi::xml_node page) {
    pugi::xml_document contents;
    pugi::xml_node ui = contents.append_child("ui");
    ui.append_attribute("version") = "4.0";
    pugi::xml_node top = ui.append_child("widget");
    top.append_attribute("class") = "QWidget";
    for (pugi::xml_node child = page.first_child(); child != nullptr;) {
      const pugi::xml_node next = child.next_sibling();
      const std::string_view name = child.name();
      if (name == "widget" || name == "layout") {
        top.append_copy(child);
        page.remove_child(child);
      }
      child = next;
    }
    if (custom_widgets_ != nullptr) ui.append_copy(custom_widgets_);
    pugi::xml_node mark = page.append_child("property");
    mark.append_attribute("name") = std::string(kSetAsidePage).c_str();
    mark.append_attribute("stdset") = "0";
    mark.append_child("number").text() =
        static_cast<unsigned long long>(first_number_ + pages_.size());
    pages_.push_back(Text(contents));
  }

  const pugi::xml_node custom_widgets_;
  const std::size_t first_number_;
  std::vector<std::string> pages_;
};

}  // namespace

std::optional<SplitLayout> SplitPages(std::string_view ui_xml, std::size_t first_number) {
  pugi::xml_document document;
  if (!document.load_buffer(ui_xml.data(), ui_xml.size(), pugi::parse_default,
                            pugi::encoding_utf8)) {
    return std::nullopt;
  }
  const pugi::xml_node ui = document.child("ui");
  Splitter splitter(ui.child("customwidgets"), first_number);
  splitter.Visit(ui.child("widget"));
  std::vector<std::string> pages = splitter.TakePages();
  if (pages.empty()) return SplitLayout{std::string(ui_xml), {}};
  return SplitLayout{Text(document), std::move(pages)};
}

}  // namespace vandrel
