// Takes the contents of a layout's pages out of it, so that a page's widgets can be made when the
// page is first shown rather than with the window. The pages are the tab pages, and the panels the
// layout hides: Qt polishes every widget under a widget it shows, hidden or not, and the style
// sheet's bookkeeping for a polished widget costs kilobytes (a combo box's, its whole popup).
// Plain C++ on the .ui XML; any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// The dynamic property a page whose contents were taken out carries: their number in the split.
inline constexpr std::string_view kSetAsidePage = "setasidepage";

struct SplitLayout {
  std::string layout;              // the layout with its pages emptied
  std::vector<std::string> pages;  // each page's contents, as a layout of an unnamed QWidget
};

// Splits `ui_xml`. A page is a widget that has widgets or a layout, is not a placeholder (no
// "tag"), and either sits directly inside a QStackedWidget (a tab page) or is a named plain
// QWidget that the layout hides ("visible" false) and places itself, outside any layout (a hidden
// panel). Each page keeps its own properties, gets kSetAsidePage = first_number + n, and its
// contents become pages[n], a layout whose top widget holds them. Pages within pages stay in their
// page's contents, to be split when those are loaded. nullopt when the text is not XML.
[[nodiscard]] std::optional<SplitLayout> SplitPages(std::string_view ui_xml,
                                                    std::size_t first_number);

}  // namespace vandrel
