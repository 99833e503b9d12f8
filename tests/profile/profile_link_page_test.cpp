// Linked profiles on the profile rows: a watcher's switch applies the linked profile and then the
// user's choice again without the catalogue changing, edits made meanwhile land in the linked
// profile, and the link controls link, refuse a program linked elsewhere in the row and unlink
// only the profile shown.
#include <gmock/gmock.h>

#include <array>

#include "profile/profile_links.h"
#include "profile/profile_page_fixture.h"
#include "profile/profile_watchers.h"

namespace vandrel::testing {
namespace {

std::string CatalogueText(const ProfileCatalogue& catalogue) {
  return ReadFile(catalogue.file().path());
}

class LinkPageTest : public ProfilePageTest {
 protected:
  // Changes the state as an edit on the row's page would: the brightness, or the first key.
  void Edit(DeviceKind device, ProfileKind kind) {
    const auto edit_keys = [](auto& table) { table.SetAssignment(1, table.Assignment(3)); };
    if (kind == ProfileKind::kKey && device == DeviceKind::kMouse) {
      return edit_keys(mouse_state_.keys[0]);
    }
    if (kind == ProfileKind::kKey) return edit_keys(keyboard_state_.keys[0]);
    LightingBlock& lighting = device == DeviceKind::kMouse      ? mouse_state_.live.lighting
                              : device == DeviceKind::kKeyboard ? keyboard_state_.live.lighting
                                                                : pad_state_.live.lighting;
    lighting.brightness = static_cast<std::uint8_t>(lighting.brightness == 1 ? 2 : 1);
  }
  std::vector<std::string> LinkTexts(DeviceKind device, ProfileKind kind) {
    return {std::to_string(C(device, kind, ProfileControl::kLinkCheck).IsSelected()),
            C(device, kind, ProfileControl::kLinkEdit).Text()};
  }
};

struct SwitchCase {
  WatchedRow row;
  unsigned bits;  // the writer's bit of the row's kind
};

constexpr std::array<SwitchCase, 4> kLoadedRows = {{
    {WatchedRow::kKeyboardDevice, kDeviceProfile},
    {WatchedRow::kKeyboardKey, kKeyProfile},
    {WatchedRow::kMouseDevice, kDeviceProfile},
    {WatchedRow::kPadLight, kLightProfile},
}};

TEST_F(LinkPageTest, ASwitchAppliesTheLinkedProfileEditsLandThereAndBackLeavesTheChoiceStored) {
  for (const SwitchCase& c : kLoadedRows) {
    const WatchedRowTraits& row = TraitsOf(c.row);
    SCOPED_TRACE(ProfileControlName(row.device, row.kind, ProfileControl::kCombo).value());
    const ProfileCatalogue& catalogue = Catalogue(row.device);
    const std::vector<std::uint8_t> varied = ListVaried(row.device, row.kind);
    const std::size_t linked = catalogue.Names(row.kind).size() - 1;
    const std::string own = catalogue.Names(row.kind)[0];
    const std::vector<std::uint8_t> own_payload = Stored(row.device, row.kind, own);
    const std::string stored = CatalogueText(catalogue);

    CarryLinkedProfile(*page_, static_cast<std::intptr_t>(c.row),
                       static_cast<std::intptr_t>(linked), true);
    EXPECT_EQ(StatePayload(row.device, row.kind), varied);
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kCombo).CurrentIndex(),
              static_cast<int>(linked));
    EXPECT_EQ(CatalogueText(catalogue), stored);

    Edit(row.device, row.kind);
    const std::vector<std::uint8_t> edited = StatePayload(row.device, row.kind);
    ASSERT_NE(edited, varied);
    writer_.SaveSelected(row.device, c.bits);
    CarryLinkedProfile(*page_, static_cast<std::intptr_t>(c.row), kBackToChoice, true);
    EXPECT_EQ(Stored(row.device, row.kind, "varied"), edited) << "the edit was flushed there";
    EXPECT_EQ(Stored(row.device, row.kind, own), own_payload);
    EXPECT_EQ(StatePayload(row.device, row.kind), own_payload);
    EXPECT_EQ(C(row.device, row.kind, ProfileControl::kCombo).CurrentIndex(), 0);
    EXPECT_EQ(CatalogueText(catalogue), stored);
    EXPECT_EQ(dialogs_.Texts(), std::vector<std::string>{});
  }
}

TEST_F(LinkPageTest, BackToTheChoiceReachesTheKeyboardOnlyWhileItIsConnected) {
  const std::vector<std::uint8_t> varied = ListVaried(DeviceKind::kKeyboard, ProfileKind::kDevice);
  const auto row = static_cast<std::intptr_t>(WatchedRow::kKeyboardDevice);
  for (const bool connected : {false, true}) {
    CarryLinkedProfile(*page_, row, 1, true);
    const int requests = Requests(DeviceKind::kKeyboard);
    CarryLinkedProfile(*page_, row, kBackToChoice, connected);
    EXPECT_EQ(C("kb_device_profile_combo").CurrentIndex(), 0) << connected;
    EXPECT_EQ(profiles_->InUse(DeviceKind::kKeyboard, ProfileKind::kDevice), 0U);
    EXPECT_EQ(StatePayload(DeviceKind::kKeyboard, ProfileKind::kDevice) == varied, !connected);
    EXPECT_EQ(Requests(DeviceKind::kKeyboard) > requests, connected);
  }
  // Requests for a row or profile that is not there change nothing.
  const std::string stored = CatalogueText(Catalogue(DeviceKind::kKeyboard));
  for (const auto& [bad_row, number] :
       std::vector<std::pair<std::intptr_t, std::intptr_t>>{{5, 1}, {-1, 1}, {row, 9}, {row, -2}}) {
    CarryLinkedProfile(*page_, bad_row, number, true);
    EXPECT_EQ(C("kb_device_profile_combo").CurrentIndex(), 0) << bad_row << " " << number;
  }
  EXPECT_EQ(CatalogueText(Catalogue(DeviceKind::kKeyboard)), stored);
}

TEST_F(LinkPageTest, TheLinkControlsLinkRefuseATakenProgramAndUnlinkTheShownProfileOnly) {
  const DeviceKind device = DeviceKind::kMouse;
  const ProfileKind kind = ProfileKind::kDevice;
  (void)ListVaried(device, kind);
  const ProfileCatalogue& catalogue = Catalogue(device);
  const auto links = [&] { return ReadLinks(catalogue, kind); };
  using Links = std::vector<std::optional<std::string>>;
  std::vector<std::pair<DeviceKind, ProfileKind>> rechecked;
  page_->SetLinksChanged([&](DeviceKind d, ProfileKind k) { rechecked.emplace_back(d, k); });

  // Profile 0 by the check box, profile 1 by the button; a Wine prefix's program by its Windows
  // path.
  dialogs_.AnswerFiles({std::filesystem::path("/opt/game/bin/game"),
                        std::filesystem::path("/home/u/.wine/drive_c/Games/Foo/Foo.EXE")});
  C(device, kind, ProfileControl::kLinkCheck).Click();
  EXPECT_EQ(LinkTexts(device, kind), (std::vector<std::string>{"1", "game"}));
  C(device, kind, ProfileControl::kCombo).SelectItem(1, Notify::kYes);
  EXPECT_EQ(LinkTexts(device, kind), (std::vector<std::string>{"0", " "}));
  C(device, kind, ProfileControl::kLinkButton).Click();
  EXPECT_EQ(LinkTexts(device, kind), (std::vector<std::string>{"1", "Foo.EXE"}));
  EXPECT_EQ(links(), (Links{"/opt/game/bin/game", "C:\\Games\\Foo\\Foo.EXE"}));
  EXPECT_EQ(dialogs_.file_requests().back().filter, "(*) (*)");

  // The same program for another profile of the row: refused by both controls, nothing written.
  C(device, kind, ProfileControl::kCombo).SelectItem(0, Notify::kYes);
  const std::string stored = CatalogueText(catalogue);
  dialogs_.AnswerFiles({std::filesystem::path("/home/u/.wine/drive_c/games/foo/foo.exe"),
                        std::filesystem::path("/home/u/.wine/drive_c/Games/Foo/Foo.exe")});
  C(device, kind, ProfileControl::kLinkButton).Click();
  C(device, kind, ProfileControl::kLinkCheck).SetSelected(false, Notify::kNo);
  C(device, kind, ProfileControl::kLinkCheck).Click();
  EXPECT_EQ(dialogs_.Texts(), (std::vector<std::string>{std::string(kLinkTakenMessage),
                                                        std::string(kLinkTakenMessage)}));
  EXPECT_FALSE(C(device, kind, ProfileControl::kLinkCheck).IsSelected());
  EXPECT_EQ(CatalogueText(catalogue), stored);

  // The same program in another row is allowed; one chosen through a symbolic link is linked by
  // the file it leads to, as the running program is named.
  dialogs_.AnswerFiles({std::filesystem::path("/opt/game/bin/game")});
  C(DeviceKind::kMouse, ProfileKind::kLight, ProfileControl::kLinkButton).Click();
  EXPECT_EQ(ReadLinks(catalogue, ProfileKind::kLight)[0], "/opt/game/bin/game");
  const std::filesystem::path program = temp_.path() / "run";
  WriteFile(program, "");
  std::filesystem::create_symlink(program, temp_.path() / "game");
  dialogs_.AnswerFiles({temp_.path() / "game"});
  C(DeviceKind::kKeyboard, ProfileKind::kLight, ProfileControl::kLinkButton).Click();
  EXPECT_EQ(ReadLinks(Catalogue(DeviceKind::kKeyboard), ProfileKind::kLight)[0],
            std::filesystem::canonical(program).string());

  // Cancelling the dialog of the check box, and the cancel-link button, unlink the profile shown.
  C(device, kind, ProfileControl::kCombo).SelectItem(1, Notify::kYes);
  C(device, kind, ProfileControl::kCancelLink).Click();
  EXPECT_EQ(links(), (Links{"/opt/game/bin/game", std::nullopt}));
  EXPECT_THAT(CatalogueText(catalogue),
              ::testing::HasSubstr("[PROFILELIKEDEVICEEXE]\r\n0=1\r\n1=0\r\n"));
  EXPECT_THAT(CatalogueText(catalogue),
              ::testing::HasSubstr("[DEVICEPROCESS]\r\n0=/opt/game/bin/game\r\n1= \r\n"));
  C(device, kind, ProfileControl::kCombo).SelectItem(0, Notify::kYes);
  dialogs_.AnswerFiles({std::nullopt});
  C(device, kind, ProfileControl::kLinkCheck).SetSelected(false, Notify::kNo);
  C(device, kind, ProfileControl::kLinkCheck).Click();
  EXPECT_EQ(links(), (Links{std::nullopt, std::nullopt}));
  EXPECT_EQ(LinkTexts(device, kind), (std::vector<std::string>{"0", " "}));
  EXPECT_EQ(rechecked.size(), 6U);
}

// One click on a link control of the mouse's device row, with profile 1 shown and profile 0 linked
// to kTaken: what the user answers in the dialogs it opens, and what profile 1 is linked to then.
// The file dialog opens for browse, and at once when no program with a window is known.
TEST_F(LinkPageTest, ARunningProgramPickedIsLinkedAsAFileChosenWouldBe) {
  constexpr auto kButton = ProfileControl::kLinkButton;
  constexpr auto kCheck = ProfileControl::kLinkCheck;
  constexpr auto kPicked = ProgramChoice::Answer::kPicked;
  constexpr auto kBrowse = ProgramChoice::Answer::kBrowse;
  constexpr auto kCancelled = ProgramChoice::Answer::kCancelled;
  constexpr const char* kTaken = "/opt/game/bin/game";
  constexpr const char* kFoo = "C:\\Games\\Foo\\Foo.exe";
  const std::vector<std::string> kRunning = {"/usr/bin/steam", kFoo, kTaken};
  constexpr auto kNone = std::nullopt;
  struct Case {
    const char* what;
    ProfileControl control;
    bool running;  // kRunning have a window; otherwise none is known
    ProgramChoice::Answer answer;
    std::size_t row;                            // of kRunning, when picked
    std::optional<std::filesystem::path> file;  // the file dialog's answer, when it opens
    std::optional<std::string> linked;
    std::string shown;  // in the link edit
    bool refused;       // with the message that the program is taken
  };
  const std::vector<Case> cases = {
      {"a Wine program picked: its Windows path", kButton, true, kPicked, 1, kNone, kFoo, "Foo.exe",
       false},
      {"picked by the check box", kCheck, true, kPicked, 0, kNone, "/usr/bin/steam", "steam",
       false},
      {"browse", kButton, true, kBrowse, 0, "/home/u/.wine/drive_c/Games/Bar/bar.exe",
       "C:\\Games\\Bar\\bar.exe", "bar.exe", false},
      {"browse, the file dialog cancelled", kButton, true, kBrowse, 0, kNone, kNone, " ", false},
      {"cancelled by the button", kButton, true, kCancelled, 0, kNone, kNone, " ", false},
      {"cancelled by the check box", kCheck, true, kCancelled, 0, kNone, kNone, " ", false},
      {"profile 0's program, by the button", kButton, true, kPicked, 2, kNone, kNone, " ", true},
      {"profile 0's program, by the check box", kCheck, true, kPicked, 2, kNone, kNone, " ", true},
      {"none running", kButton, false, kPicked, 0, "/usr/games/chess", "/usr/games/chess", "chess",
       false},
  };
  const DeviceKind device = DeviceKind::kMouse;
  const ProfileKind kind = ProfileKind::kDevice;
  (void)ListVaried(device, kind);
  const ProfileCatalogue& catalogue = Catalogue(device);
  ASSERT_EQ(LinkProfile(catalogue, kind, 0, kTaken, true), LinkChange::kDone);
  std::vector<std::string> running;
  page_->SetRunningPrograms([&] { return running; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(UnlinkProfile(catalogue, kind, 1), LinkChange::kDone);
    C(device, kind, ProfileControl::kCombo).SelectItem(0, Notify::kYes);
    C(device, kind, ProfileControl::kCombo).SelectItem(1, Notify::kYes);
    const std::string stored = CatalogueText(catalogue);
    dialogs_ = FakeDialogs();
    running = c.running ? kRunning : std::vector<std::string>{};
    const bool file_dialog = !c.running || c.answer == kBrowse;
    if (c.running) dialogs_.AnswerPrograms({{c.answer, c.row}});
    if (file_dialog) dialogs_.AnswerFiles({c.file});

    C(device, kind, c.control).Click();
    EXPECT_EQ(ReadLinks(catalogue, kind),
              (std::vector<std::optional<std::string>>{kTaken, c.linked}));
    EXPECT_EQ(LinkTexts(device, kind), (std::vector<std::string>{c.linked ? "1" : "0", c.shown}));
    if (!c.linked) {
      EXPECT_EQ(CatalogueText(catalogue), stored);
    }
    using Lists = std::vector<std::vector<std::string>>;
    EXPECT_EQ(dialogs_.Texts(),
              c.refused ? std::vector{std::string(kLinkTakenMessage)} : std::vector<std::string>{});
    EXPECT_EQ(dialogs_.file_requests().size(), file_dialog ? 1U : 0U);
    EXPECT_EQ(dialogs_.program_lists(), c.running ? Lists{kRunning} : Lists{});
  }
}

}  // namespace
}  // namespace vandrel::testing
