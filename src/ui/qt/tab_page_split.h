// Takes the contents of a layout's tab pages out of it, so that a page's widgets can be made when
// the page is first shown rather than with the window. Plain C++ on the .ui XML; any thread.
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

// Splits `ui_xml`: every page of a tab layout (a widget directly inside a QStackedWidget) that has
// widgets or a layout and is not a placeholder (no "tag") keeps its own properties, gets
// kSetAsidePage = first_number + n, and its contents become pages[n], a layout whose top widget
// holds them. Pages within pages stay in their page's contents, to be split when those are
// loaded. nullopt when the text is not XML.
[[nodiscard]] std::optional<SplitLayout> SplitTabPages(std::string_view ui_xml,
                                                       std::size_t first_number);

}  // namespace vandrel
