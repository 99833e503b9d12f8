// The program link dialog's behaviour on the shipped skin: the programs offered, each once and in
// path order; "link_btn" only with a row selected; which control closes the dialog with what.
#include "ui/program_link_dialog.h"

#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using Answer = ProgramChoice::Answer;

// One user action: a click on the control named, or on row `row` of the list when `name` is
// empty.
struct Step {
  std::string_view name;
  int row = -1;
};

struct Case {
  const char* what;
  std::vector<Step> steps;
  std::optional<Answer> closes_with;  // nullopt: the dialog is still open after the last step
  std::string program;                // the program picked
  bool link_enabled;                  // after the last step
};

const std::vector<std::string> kOffered = {"/usr/bin/steam", "C:\\Games\\Foo\\Foo.exe",
                                           "/opt/game/run", "/usr/bin/steam"};

TEST(ProgramLinkDialogTest, OffersEachProgramOnceAndClosesWithWhatTheUserDid) {
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  const std::vector<Case> cases = {
      {"nothing done", {}, std::nullopt, "", false},
      {"link with no row selected", {{kProgramLinkButton}}, std::nullopt, "", false},
      {"a row selected", {{"", 2}}, std::nullopt, "", true},
      {"a row linked", {{"", 1}, {kProgramLinkButton}}, Answer::kPicked, "/usr/bin/steam", true},
      {"the last row linked",
       {{"", 0}, {"", 2}, {kProgramLinkButton}},
       Answer::kPicked,
       "C:\\Games\\Foo\\Foo.exe",
       true},
      {"browse", {{"", 0}, {kProgramBrowseButton}}, Answer::kBrowse, "", true},
      {"cancel", {{"", 0}, {kCancelButton}}, Answer::kCancelled, "", true},
      {"close", {{kMessageCloseButton}}, Answer::kCancelled, "", false},
      {"the title clicked", {{"link_title"}}, std::nullopt, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::unique_ptr<WindowModel> window =
        BuildWindow(skin, kProgramLinkResource, std::make_shared<TextResources>());
    ASSERT_NE(window, nullptr);
    ProgramLinkDialog dialog(*window, kOffered);
    std::optional<ProgramChoice> closed;
    window->SetNotifyHandler([&](const Notification& n) {
      if (std::optional<ProgramChoice> choice = dialog.Handle(n)) closed = choice;
    });
    Control* list = window->Find(kProgramListControl);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ItemCount(), 3);
    EXPECT_EQ(list->ItemText(0), "/opt/game/run");
    EXPECT_EQ(list->ItemText(1), "/usr/bin/steam");
    EXPECT_EQ(list->ItemText(2), "C:\\Games\\Foo\\Foo.exe");
    for (const Step& step : c.steps) {
      if (step.name.empty()) {
        EXPECT_TRUE(list->ClickItem(step.row));
      } else {
        window->Find(step.name)->Click();
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
