// The profile rows through their controls: choosing a profile applies it to its device, the list
// edits change the combo, the catalogue and the files together, refusals show their message and
// change nothing, files come and go through the file dialogs, and the lists follow the
// catalogue at start and after a device was read.
#include <gmock/gmock.h>

#include <algorithm>
#include <array>

#include "profile/profile_page_fixture.h"

namespace vandrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct RowCase {
  DeviceKind device;
  ProfileKind kind;
};

constexpr std::array<RowCase, 7> kRows = {{
    {DeviceKind::kMouse, ProfileKind::kDevice},
    {DeviceKind::kMouse, ProfileKind::kLight},
    {DeviceKind::kMouse, ProfileKind::kKey},
    {DeviceKind::kKeyboard, ProfileKind::kDevice},
    {DeviceKind::kKeyboard, ProfileKind::kLight},
    {DeviceKind::kKeyboard, ProfileKind::kKey},
    {DeviceKind::kPad, ProfileKind::kLight},
}};

std::string Describe(const RowCase& row) {
  return ProfileControlName(row.device, row.kind, ProfileControl::kCombo).value();
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(ProfilePageTest, EveryRowControlIsInTheSkinAndRoutedToThePage) {
  for (const RowCase& row : kRows) {
    for (int c = 0; c <= static_cast<int>(ProfileControl::kCancelLink); ++c) {
      const auto control = static_cast<ProfileControl>(c);
      const std::optional<std::string> name = ProfileControlName(row.device, row.kind, control);
      const bool device_row = row.kind == ProfileKind::kDevice;
      const bool cancels = (row.device == DeviceKind::kMouse && device_row) ||
                           (row.device == DeviceKind::kKeyboard && row.kind != ProfileKind::kKey);
      const bool absent = (device_row && control == ProfileControl::kEdit) ||
                          (device_row && row.device == DeviceKind::kMouse &&
                           control == ProfileControl::kRenamePanel) ||
                          (control == ProfileControl::kCancelLink && !cancels);
      ASSERT_EQ(name.has_value(), !absent) << Describe(row) << " " << c;
      if (!name) continue;
      EXPECT_NE(window_->Find(*name), nullptr) << *name;
      const std::optional<ProfileControlId> id = FindProfileControl(*name);
      ASSERT_TRUE(id.has_value()) << *name;
      EXPECT_EQ(id->device, row.device);
      EXPECT_EQ(id->kind, row.kind);
      EXPECT_EQ(id->control, control);
      const bool combo = control == ProfileControl::kCombo;
      const bool check = control == ProfileControl::kLinkCheck;
      const bool no_click = combo || control == ProfileControl::kNameEdit ||
                            control == ProfileControl::kRenamePanel ||
                            control == ProfileControl::kLinkRow;
      const std::string_view type = combo ? "itemselect" : check ? "selectchanged" : "click";
      if (combo || !no_click) {
        EXPECT_EQ(RouteOf(*name, type), Page::kProfiles) << *name;
      }
    }
  }
  for (const DeviceKind device : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    EXPECT_EQ(RouteOf(ProfileSpreadButton(device), "click"), Page::kProfiles);
    ASSERT_NE(window_->Find(ProfilePanel(device)), nullptr);
    EXPECT_FALSE(C(ProfilePanel(device)).IsVisible());
    C(ProfileSpreadButton(device)).Click();
    EXPECT_TRUE(C(ProfilePanel(device)).IsVisible());
    C(ProfileSpreadButton(device)).Click();
    EXPECT_FALSE(C(ProfilePanel(device)).IsVisible());
  }
  EXPECT_EQ(FindProfileControl("ms_deng_profile_caption"), std::nullopt);
  EXPECT_EQ(FindProfileControl("ms_pro_device_edit_btn"), std::nullopt);
}

// After start and attach every list holds the first profile, chosen, its name in the row's edit.
TEST_F(ProfilePageTest, TheListsShowTheCataloguesFirstProfiles) {
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    EXPECT_THAT(ComboNames(row.device, row.kind), ElementsAre("profile1"));
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kCombo).CurrentIndex(), 0);
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kNameEdit).Text(), "profile1");
    const std::vector<ListItem> items = C(row.device, row.kind, ProfileControl::kCombo).Items();
    EXPECT_EQ(items[0].height, 25);
    EXPECT_EQ(items[0].style, "listex_item_style");
    EXPECT_TRUE(std::filesystem::exists(FileOf(row.device, row.kind, "profile1")));
  }
}

// Choosing a profile loads it into the device's state, sends it, stores the choice and refreshes
// the pages; choosing a mouse key profile does nothing at all.
TEST_F(ProfilePageTest, ChoosingAProfileAppliesItToItsDevice) {
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const std::vector<std::uint8_t> before = StatePayload(row.device, row.kind);
    const std::vector<std::uint8_t> varied = ListVaried(row.device, row.kind);
    ASSERT_NE(varied, before);
    refreshed_.clear();
    ApplyPending();
    const int requests = Requests(row.device);

    C(row.device, row.kind, ProfileControl::kCombo).SelectItem(1, Notify::kYes);
    ApplyPending();

    const bool applied = !(row.device == DeviceKind::kMouse && row.kind == ProfileKind::kKey);
    EXPECT_EQ(StatePayload(row.device, row.kind), applied ? varied : before);
    EXPECT_EQ(Catalogue(row.device).Selected(row.kind), applied ? 1U : 0U);
    EXPECT_EQ(Requests(row.device) > requests, applied);
    EXPECT_EQ(refreshed_, applied ? std::vector{row.device} : std::vector<DeviceKind>{});
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kNameEdit).Text(), "varied");

    // And back: the first profile's settings (the mouse's desktop settings too, which the
    // state had from the desktop).
    C(row.device, row.kind, ProfileControl::kCombo).SelectItem(0, Notify::kYes);
    EXPECT_EQ(StatePayload(row.device, row.kind),
              applied ? Stored(row.device, row.kind, "profile1") : before);
  }
  EXPECT_THAT(dialogs_.Texts(), ElementsAre());
}

// Add, copy, rename and delete through the buttons, on every row: after each step the combo,
// the catalogue and the folder's files agree, and the profile the step ends on is chosen.
TEST_F(ProfilePageTest, ListEditsKeepComboCatalogueAndFilesTogether) {
  struct Step {
    ProfileControl button;
    std::string typed;  // the name edit's text before a rename
    std::vector<int> answers;
    std::vector<std::string> names;
    int shown;
    std::vector<std::string> messages;
  };
  const std::vector<Step> steps = {
      {ProfileControl::kAdd, "", {}, {"profile1", "profile2"}, 1, {}},
      {ProfileControl::kCopy, "", {}, {"profile1", "profile2", "profile2 copy"}, 2, {}},
      {ProfileControl::kCopy,
       "",
       {},
       {"profile1", "profile2", "profile2 copy", "profile2 copy copy"},
       3,
       {}},
      {ProfileControl::kSave, "game", {}, {"profile1", "profile2", "profile2 copy", "game"}, 3, {}},
      {ProfileControl::kSub,
       "",
       {0},
       {"profile1", "profile2", "profile2 copy", "game"},
       3,
       {"message_text_12"}},
      {ProfileControl::kSub,
       "",
       {1},
       {"profile1", "profile2", "profile2 copy"},
       2,
       {"message_text_12"}},
      {ProfileControl::kAdd, "", {}, {"profile1", "profile2", "profile2 copy", "profile3"}, 3, {}},
  };
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const ProfileRow& kind_row = *FindProfileRow(row.device, row.kind);
    for (const Step& step : steps) {
      SCOPED_TRACE(step.names.back());
      const std::size_t shown_before = dialogs_.shown().size();
      dialogs_.Answer(step.answers);
      if (step.button == ProfileControl::kSave) {
        C(row.device, row.kind, ProfileControl::kNameEdit).SetText(step.typed);
      }
      C(row.device, row.kind, step.button).Click();
      std::vector<std::string> messages;
      for (std::size_t i = shown_before; i < dialogs_.shown().size(); ++i) {
        messages.push_back(dialogs_.shown()[i].text);
      }
      EXPECT_EQ(messages, step.messages);
      EXPECT_EQ(ComboNames(row.device, row.kind), step.names);
      EXPECT_EQ(Catalogue(row.device).Names(row.kind), step.names);
      EXPECT_EQ(C(row.device, row.kind, ProfileControl::kCombo).CurrentIndex(), step.shown);
      EXPECT_EQ(C(row.device, row.kind, ProfileControl::kNameEdit).Text(),
                step.names[static_cast<std::size_t>(step.shown)]);
      std::vector<std::string> files;
      for (const std::string& name : step.names)
        files.push_back(name + std::string(kind_row.extension));
      std::vector<std::string> present;
      for (const std::string& file :
           FilesIn(Catalogue(row.device).ProfilePath(row.kind, "x")->parent_path())) {
        if (file.ends_with(kind_row.extension)) present.push_back(file);
      }
      std::sort(files.begin(), files.end());
      EXPECT_EQ(present, files);
    }
  }
}

// Names the folder cannot hold, names taken (case ignored, the profile's own included) and the
// last profile's deletion are refused with their message, and nothing changes.
TEST_F(ProfilePageTest, RefusalsShowTheirMessageAndChangeNothing) {
  struct Refusal {
    ProfileControl button;
    std::string typed;
    std::string message;
  };
  const std::vector<Refusal> refusals = {
      {ProfileControl::kSave, "", "message_text_14"},
      {ProfileControl::kSave, "profile1", "message_text_15"},
      {ProfileControl::kSave, "PROFILE1", "message_text_15"},
      {ProfileControl::kSave, "a/b", "message_text_profile_name_invalid"},
      {ProfileControl::kSave, "..", "message_text_profile_name_invalid"},
      {ProfileControl::kSave, "tab\there", "message_text_profile_name_invalid"},
      {ProfileControl::kSave, std::string(300, 'x'), "message_text_profile_name_long"},
      {ProfileControl::kSub, "", "message_text_11"},
  };
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const std::filesystem::path folder =
        Catalogue(row.device).ProfilePath(row.kind, "x")->parent_path();
    const std::vector<std::string> files = FilesIn(folder);
    const std::string catalogue = ReadFile(Catalogue(row.device).file().path());
    const std::vector<std::uint8_t> state = StatePayload(row.device, row.kind);
    for (const Refusal& refusal : refusals) {
      SCOPED_TRACE(refusal.typed);
      const std::size_t shown_before = dialogs_.shown().size();
      C(row.device, row.kind, ProfileControl::kNameEdit).SetText(refusal.typed);
      C(row.device, row.kind, refusal.button).Click();
      ASSERT_EQ(dialogs_.shown().size(), shown_before + 1);
      EXPECT_EQ(dialogs_.shown().back().text, refusal.message);
      EXPECT_EQ(FilesIn(folder), files);
      EXPECT_EQ(ReadFile(Catalogue(row.device).file().path()), catalogue);
      EXPECT_THAT(ComboNames(row.device, row.kind), ElementsAre("profile1"));
      EXPECT_EQ(StatePayload(row.device, row.kind), state);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(Catalogue(DeviceKind::kMouse)
                                           .ProfilePath(ProfileKind::kKey, "x")
                                           ->parent_path()
                                           .parent_path() /
                                       "b.pro"));
}

// Import and export through the file dialogs: the kind's extension is asked for, a device profile
// comes in as a new profile, the other kinds replace the one shown (a mouse key profile without
// touching the mouse), an export writes the header and the row's payload, and a cancelled
// dialog changes nothing. The device rows' and the pad's file buttons are usable again after.
TEST_F(ProfilePageTest, ImportAndExportGoThroughTheFileDialogs) {
  const std::filesystem::path outside = temp_.path() / "outside";
  std::filesystem::create_directories(outside);
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const ProfileRow& kind_row = *FindProfileRow(row.device, row.kind);
    const std::string extension(kind_row.extension);
    const std::filesystem::path exported = outside / ("exported" + extension);
    const std::filesystem::path imported = outside / ("imported" + extension);
    const std::vector<std::uint8_t> varied = VariedPayload(row.device, row.kind);
    ASSERT_TRUE(WriteProfileFile(imported, kind_row.header_kind, varied));
    const std::vector<std::uint8_t> state = StatePayload(row.device, row.kind);
    const std::vector<std::uint8_t> stored = Stored(row.device, row.kind, "profile1");

    dialogs_.AnswerFiles({exported, std::nullopt, imported});
    C(row.device, row.kind, ProfileControl::kExport).Click();
    C(row.device, row.kind, ProfileControl::kImport).Click();  // cancelled
    EXPECT_THAT(ComboNames(row.device, row.kind), ElementsAre("profile1"));
    C(row.device, row.kind, ProfileControl::kImport).Click();

    ASSERT_EQ(dialogs_.file_requests().size() % 3, 0U);
    const FileDialogRequest& request = dialogs_.file_requests().back();
    EXPECT_EQ("." + request.default_extension, extension);
    EXPECT_EQ(request.initial_name, "*" + extension);
    EXPECT_EQ(ReadFile(exported).size(), kProfileHeaderSize + kind_row.payload_size);
    EXPECT_EQ(ReadFile(exported), EncodeProfileFile(kind_row.header_kind, stored));

    const bool added = row.kind == ProfileKind::kDevice;
    const bool applied = !(row.device == DeviceKind::kMouse && row.kind == ProfileKind::kKey);
    const std::vector<std::string> listed = added ? std::vector<std::string>{"profile1", "profile2"}
                                                  : std::vector<std::string>{"profile1"};
    EXPECT_EQ(ComboNames(row.device, row.kind), listed);
    const std::string target = added ? "profile2" : "profile1";
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kNameEdit).Text(), target);
    EXPECT_EQ(Stored(row.device, row.kind, target), varied);
    EXPECT_EQ(StatePayload(row.device, row.kind), applied ? varied : state);
    EXPECT_TRUE(C(row.device, row.kind, ProfileControl::kImport).IsEnabled());
    EXPECT_TRUE(C(row.device, row.kind, ProfileControl::kExport).IsEnabled());
  }
  EXPECT_THAT(dialogs_.Texts(), ElementsAre());
}

// A file of a header and no payload, or one with a wrong magic: the zero payload comes in, the
// wrong file is refused with message_text_9 and a missing one with message_text_8.
TEST_F(ProfilePageTest, ImportedFilesAreReadAsTheyAre) {
  const std::filesystem::path empty = temp_.path() / "empty.led";
  const std::filesystem::path wrong = temp_.path() / "wrong.led";
  WriteFile(empty, EncodeProfileFile(3, {}));
  WriteFile(wrong, std::string(80, '\x01'));
  dialogs_.AnswerFiles({wrong, temp_.path() / "missing.led", empty});
  for (int i = 0; i < 3; ++i)
    C(DeviceKind::kPad, ProfileKind::kLight, ProfileControl::kImport).Click();
  EXPECT_EQ(Stored(DeviceKind::kPad, ProfileKind::kLight, "profile1"),
            std::vector<std::uint8_t>(kPadLightProfileSize, 0));
  const std::vector<std::string> texts = dialogs_.Texts();
  ASSERT_GE(texts.size(), 2U);
  EXPECT_EQ(texts[0], "message_text_9");
  EXPECT_EQ(texts[1], "message_text_8");
}

// Reset makes the shown profile from the default file again and gives its settings to the device;
// for the mouse's key profiles too, whose choice alone loads nothing.
TEST_F(ProfilePageTest, ResetGivesTheDeviceTheDefaultAgain) {
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const std::vector<std::uint8_t> factory = Stored(row.device, row.kind, "profile1");
    const std::vector<std::uint8_t> varied = VariedPayload(row.device, row.kind);
    dialogs_.AnswerFiles({[&] {
      const std::filesystem::path file =
          temp_.path() / ("v" + std::string(FindProfileRow(row.device, row.kind)->extension));
      EXPECT_TRUE(
          WriteProfileFile(file, FindProfileRow(row.device, row.kind)->header_kind, varied));
      return file;
    }()});
    C(row.device, row.kind, ProfileControl::kImport).Click();
    const std::string shown = C(row.device, row.kind, ProfileControl::kNameEdit).Text();
    ASSERT_EQ(Stored(row.device, row.kind, shown), varied);
    refreshed_.clear();

    C(row.device, row.kind, ProfileControl::kReset).Click();
    writer_.FlushAll();

    EXPECT_EQ(Stored(row.device, row.kind, shown), factory);
    EXPECT_EQ(StatePayload(row.device, row.kind), factory);
    EXPECT_EQ(refreshed_, std::vector{row.device});
  }
  EXPECT_THAT(dialogs_.Texts(), ElementsAre());
}

// A list changed while the program did not run (as vandrelctl changes it) is shown at the next
// start, on its stored choice, and applied when the device is read.
TEST_F(ProfilePageTest, TheListsFollowACatalogueChangedBetweenRuns) {
  const std::vector<std::uint8_t> varied = ListVaried(DeviceKind::kKeyboard, ProfileKind::kDevice);
  ASSERT_TRUE(Catalogue(DeviceKind::kKeyboard)
                  .file()
                  .WriteString(SectionsOf(ProfileKind::kDevice).select, "select", "1"));
  ProfilePage next(
      *window_, dialogs_, *profiles_, writer_, [this] { return keyboard_model_; },
      [this](DeviceKind device) { refreshed_.push_back(device); });
  C(DeviceKind::kKeyboard, ProfileKind::kDevice, ProfileControl::kCombo).RemoveAllItems();
  next.Start();
  EXPECT_THAT(ComboNames(DeviceKind::kKeyboard, ProfileKind::kDevice),
              ElementsAre("profile1", "varied"));
  EXPECT_EQ(C(DeviceKind::kKeyboard, ProfileKind::kDevice, ProfileControl::kCombo).CurrentIndex(),
            1);
  const int requests = Requests(DeviceKind::kKeyboard);
  EXPECT_TRUE(next.RestoreSelection(DeviceKind::kKeyboard));
  EXPECT_EQ(StatePayload(DeviceKind::kKeyboard, ProfileKind::kDevice), varied);
  EXPECT_GT(Requests(DeviceKind::kKeyboard), requests);
  EXPECT_EQ(C("kb_device_profile_name_edit").Text(), "varied");
}

// The edit button of a light or key row shows and hides its rename panel; the device rows keep
// their name edit in sight.
TEST_F(ProfilePageTest, TheEditButtonsToggleTheRenamePanels) {
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(Describe(row));
    const std::optional<std::string> panel =
        ProfileControlName(row.device, row.kind, ProfileControl::kRenamePanel);
    if (row.kind == ProfileKind::kDevice) {
      EXPECT_TRUE(C(row.device, row.kind, ProfileControl::kNameEdit).IsVisible());
      if (panel) {
        EXPECT_TRUE(C(*panel).IsVisible());
      }
      continue;
    }
    ASSERT_TRUE(panel.has_value());
    EXPECT_FALSE(C(*panel).IsVisible());
    C(row.device, row.kind, ProfileControl::kEdit).Click();
    EXPECT_TRUE(C(*panel).IsVisible());
    C(row.device, row.kind, ProfileControl::kEdit).Click();
    EXPECT_FALSE(C(*panel).IsVisible());
  }
}

}  // namespace
}  // namespace vandrel::testing
