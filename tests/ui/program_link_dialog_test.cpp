// The program link dialog's behaviour on the shipped skin: the programs offered, each once and in
// path order; "link_btn" only with a row selected; which control closes the dialog with what.
#include "ui/program_link_dialog.h"

#include <gtest/gtest.h>

#include <variant>

#include "ui/control.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using Answer = ProgramChoice::Answer;

TEST(ProgramLinkDialogTest, OffersEachProgramOnceAndClosesWithWhatTheUserDid) {
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  struct Case {
    const char* what;
    std::vector<std::variant<int, std::string_view>> clicks;  // on a row of the list, or a control
    std::optional<Answer> closes_with;  // nullopt: the dialog is still open after the last click
    std::string program;                // the program picked
    bool link_enabled;                  // after the last click
  };
  const std::vector<Case> cases = {
      {"nothing done", {}, std::nullopt, "", false},
      {"link with no row selected", {kProgramLinkButton}, std::nullopt, "", false},
      {"a row selected", {2}, std::nullopt, "", true},
      {"a row linked", {1, kProgramLinkButton}, Answer::kPicked, "/usr/bin/steam", true},
      {"the last row linked",
       {0, 2, kProgramLinkButton},
       Answer::kPicked,
       "C:\\Games\\Foo\\Foo.exe",
       true},
      {"browse", {0, kProgramBrowseButton}, Answer::kBrowse, "", true},
      {"cancel", {0, kCancelButton}, Answer::kCancelled, "", true},
      {"close", {kMessageCloseButton}, Answer::kCancelled, "", false},
      {"the title clicked", {"link_title"}, std::nullopt, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::unique_ptr<WindowModel> window =
        BuildWindow(skin, kProgramLinkResource, std::make_shared<TextResources>());
    ASSERT_NE(window, nullptr);
    ProgramLinkDialog dialog(
        *window, {"/usr/bin/steam", "C:\\Games\\Foo\\Foo.exe", "/opt/game/run", "/usr/bin/steam"});
    std::optional<ProgramChoice> closed;
    window->SetNotifyHandler([&](const Notification& n) {
      if (std::optional<ProgramChoice> choice = dialog.Handle(n)) closed = choice;
    });
    Control* list = window->Find(kProgramListControl);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->ItemCount(), 3);
    EXPECT_EQ(
        (std::vector{list->ItemText(0), list->ItemText(1), list->ItemText(2)}),
        (std::vector<std::string>{"/opt/game/run", "/usr/bin/steam", "C:\\Games\\Foo\\Foo.exe"}));
    for (const auto& click : c.clicks) {
      if (const int* row = std::get_if<int>(&click)) {
        EXPECT_TRUE(list->ClickItem(*row));
      } else {
        window->Find(std::get<std::string_view>(click))->Click();
      }
    }
    EXPECT_EQ(window->Find(kProgramLinkButton)->IsEnabled(), c.link_enabled);
    ASSERT_EQ(closed.has_value(), c.closes_with.has_value());
    if (!closed) continue;
    EXPECT_EQ(closed->answer, *c.closes_with);
    EXPECT_EQ(closed->program, c.program);
  }
}

}  // namespace
}  // namespace vandrel
