// The five watchers on the main window's worker slots, as the program runs them: started with the
// other workers, following one shared foreground source, each asking for its own row's linked
// profile, and all ended by the workers' stop with their exit lines.
#include "profile/profile_watchers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <tuple>
#include <vector>

#include "core/trace.h"
#include "profile/profile_links.h"
#include "support/deadline.h"
#include "support/fake_foreground_program.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::FakeForegroundProgram;
using testing::PollUntil;
using testing::TempDir;
using Asked = std::tuple<int, std::intptr_t, std::intptr_t>;  // message, row, profile

class SharedPosts final : public UiThread {
 public:
  void SetTarget(MessageTarget*) override {}
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override {
    std::lock_guard lock(mutex_);
    posted_.emplace_back(message, wparam, lparam);
  }
  bool Send(int, std::intptr_t, std::intptr_t) override { return false; }
  void StopSending() override {}
  void SetTimer(int, Clock::Duration) override {}
  void KillTimer(int) override {}
  std::vector<Asked> Take() {
    std::lock_guard lock(mutex_);
    std::vector<Asked> taken = std::exchange(posted_, {});
    std::sort(taken.begin(), taken.end());
    return taken;
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return posted_.size();
  }

 private:
  std::mutex mutex_;  // guards posted_
  std::vector<Asked> posted_;
};

// One profile per kind of each device; `game` linked to profile 0 of every watched row but the
// mouse key row, and of the mouse light row, which no watcher follows.
void WriteCatalogue(const ProfileCatalogue& catalogue, std::string_view game) {
  ASSERT_TRUE(catalogue.file().Update([&](IniDocument& document) {
    for (const ProfileKind kind : KindsOf(catalogue.device())) {
      const CatalogueSections& sections = SectionsOf(kind);
      if (!document.Set(sections.count, "count", "1") ||
          !document.Set(sections.name, "0", "profile1")) {
        return false;
      }
    }
    return true;
  }));
  for (const ProfileKind kind : KindsOf(catalogue.device())) {
    if (catalogue.device() == DeviceKind::kMouse && kind == ProfileKind::kKey) continue;
    if (catalogue.device() == DeviceKind::kKeyboard && kind == ProfileKind::kLight) continue;
    ASSERT_EQ(LinkProfile(catalogue, kind, 0, game, true), LinkChange::kDone);
  }
}

TEST(ProfileWatchersTest, TheWorkersStartTheFiveWatchersOnOneSourceAndTheirStopEndsThem) {
  constexpr std::string_view kGame = "/opt/game/bin/game";
  TempDir temp;
  const std::array<ProfileCatalogue, 3> catalogues = {
      ProfileCatalogue(DeviceKind::kKeyboard, temp.path() / "kb", temp.path()),
      ProfileCatalogue(DeviceKind::kMouse, temp.path() / "ms", temp.path()),
      ProfileCatalogue(DeviceKind::kPad, temp.path() / "mp", temp.path())};
  for (const ProfileCatalogue& catalogue : catalogues) {
    std::filesystem::create_directories(catalogue.file().path().parent_path());
    WriteCatalogue(catalogue, kGame);
  }
  FakeForegroundProgram source;
  SteadyClock clock;
  SharedPosts posts;
  ProfileWatchers watchers(
      [&](DeviceKind device) -> const ProfileCatalogue& {
        return catalogues[static_cast<std::size_t>(device)];
      },
      source, clock, posts);
  TraceCapture trace;
  WorkerThreads threads(clock);
  watchers.AttachTo(threads);
  for (const WatchedRowTraits& row : WatchedRows()) EXPECT_TRUE(threads.HasBody(row.slot));
  threads.Start();

  const auto row = [](WatchedRow watched) { return static_cast<std::intptr_t>(watched); };
  const std::vector<std::tuple<std::optional<std::string>, std::vector<Asked>>> steps = {
      {std::string(kGame),
       {{kMessageLinkedProfile, row(WatchedRow::kKeyboardDevice), 0},
        {kMessageLinkedProfile, row(WatchedRow::kKeyboardKey), 0},
        {kMessageLinkedProfile, row(WatchedRow::kMouseDevice), 0},
        {kMessageLinkedProfile, row(WatchedRow::kPadLight), 0}}},
      {std::nullopt,
       {{kMessageLinkedProfile, row(WatchedRow::kKeyboardDevice), kBackToChoice},
        {kMessageLinkedProfile, row(WatchedRow::kKeyboardKey), kBackToChoice},
        {kMessageLinkedProfile, row(WatchedRow::kMouseDevice), kBackToChoice},
        {kMessageLinkedProfile, row(WatchedRow::kPadLight), kBackToChoice}}},
  };
  for (const auto& [program, expected] : steps) {
    source.Bring(program);
    EXPECT_TRUE(PollUntil([&] { return posts.Count() >= expected.size(); }));
    EXPECT_EQ(posts.Take(), expected);
  }

  EXPECT_EQ(threads.Stop(), StopOutcome::kAllEnded);
  for (const WatchedRowTraits& watched : WatchedRows()) {
    EXPECT_TRUE(trace.Contains(watched.exit_line)) << watched.exit_line;
  }
  EXPECT_EQ(posts.Count(), 0U);
}

}  // namespace
}  // namespace vandrel
