// The profile watchers on a fake foreground program and the manual clock: which profile each
// foreground program asks for, that the stored selection and the catalogue are never written,
// that a reporting source is never polled and a silent one every two seconds, that a link change
// is seen at once, and that a stop ends a watcher at once whatever it waits for.
#include "profile/profile_watcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/manual_clock.h"
#include "core/trace.h"
#include "profile/profile_links.h"
#include "support/deadline.h"
#include "support/fake_foreground_program.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using testing::FakeForegroundProgram;
using testing::JoinWithin;
using testing::kWaitDeadline;
using testing::TempDir;
using testing::WriteFile;
using Request = ManualClock::Request;

constexpr std::string_view kGame = "C:\\Games\\Foo\\foo.exe";

// Records the posts of a watcher thread; the test reads them from its own thread.
class Posts final : public UiThread {
 public:
  void SetTarget(MessageTarget*) override {}
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override {
    std::lock_guard lock(mutex_);
    posted_.push_back({message, wparam, lparam});
  }
  bool Send(int, std::intptr_t, std::intptr_t) override { return false; }
  void StopSending() override {}
  void SetTimer(int, Clock::Duration) override {}
  void KillTimer(int) override {}

  // The lparams posted so far (each post checked to be the row's message).
  std::vector<std::intptr_t> Asked(WatchedRow row) const {
    std::lock_guard lock(mutex_);
    std::vector<std::intptr_t> asked;
    for (const auto& [message, wparam, lparam] : posted_) {
      EXPECT_EQ(message, kMessageLinkedProfile);
      EXPECT_EQ(wparam, static_cast<std::intptr_t>(row));
      asked.push_back(lparam);
    }
    return asked;
  }

 private:
  mutable std::mutex mutex_;  // guards posted_
  std::vector<std::tuple<int, std::intptr_t, std::intptr_t>> posted_;
};

ino_t InodeOf(const std::filesystem::path& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_ino;
}

// One watcher of the mouse device row running on its own thread: profiles a, b, c, the user's
// choice 0, b linked to the Wine game and c to a Linux program.
class WatcherTest : public ::testing::Test {
 protected:
  explicit WatcherTest(bool reports_changes = true) : source_(reports_changes) {
    WriteFile(data_.path() / "msProfile.ini",
              "[PROFILEDEVICECOUNT]\r\ncount=3\r\n[PROFILEDEVICENAME]\r\n0=a\r\n1=b\r\n2=c\r\n"
              "[PROFILEDEVICESELECT]\r\nselect=0\r\n[PROFILELIKEDEVICEEXE]\r\n0=0\r\n1=1\r\n"
              "2=1\r\n[DEVICEPROCESS]\r\n0= \r\n1=" +
                  std::string(kGame) + "\r\n2=/usr/games/tux\r\n");
    inode_ = InodeOf(CataloguePath());
  }
  ~WatcherTest() override { Stop(); }

  void Start(WatchedRow row = WatchedRow::kMouseDevice) {
    watcher_.emplace(row, mouse_, source_, clock_, posts_);
    thread_ = std::thread([this] { watcher_->Run(stop_); });
    Await(1);
  }
  void Stop() {
    if (!thread_.joinable()) return;
    stop_.Set();
    JoinWithin(thread_, "the watcher ending on its stop event");
  }
  // Waits until the watcher has gone back to waiting for the `count`th time.
  void Await(std::size_t count) {
    ASSERT_TRUE(clock_.AwaitRequests(count, kWaitDeadline)) << "wait number " << count;
    ASSERT_TRUE(testing::PollUntil([&] { return clock_.BlockedCount() == 1; }));
  }
  std::filesystem::path CataloguePath() const { return data_.path() / "msProfile.ini"; }
  // The catalogue was never rewritten.
  void ExpectCatalogueUntouched() const {
    EXPECT_EQ(InodeOf(CataloguePath()), inode_);
    EXPECT_EQ(mouse_.Selected(ProfileKind::kDevice), 0u);
  }

  TempDir data_;
  TempDir program_;
  const ProfileCatalogue mouse_{DeviceKind::kMouse, data_.path(), program_.path()};
  FakeForegroundProgram source_;
  ManualClock clock_;
  Posts posts_;
  Event stop_;
  std::optional<ProfileWatcher> watcher_;
  std::thread thread_;
  ino_t inode_ = 0;
};

TEST_F(WatcherTest, ALinkedProgramAsksForItsProfileAndLeavingItForTheChoiceSelectNeverWritten) {
  struct Step {
    std::optional<std::string> foreground;
    std::vector<std::intptr_t> asked;  // everything asked so far
  };
  const Step steps[] = {
      {"/usr/bin/editor", {}},              // not linked: the choice stays, nothing asked
      {std::string(kGame), {1}},            // the game: its profile
      {"c:\\games\\foo\\FOO.EXE", {1}},     // the same game (Windows case): nothing new
      {"/usr/games/tux", {1, 2}},           // another linked program: its profile
      {"/usr/games/TUX", {1, 2, -1}},       // a Linux path keeps its case: not linked
      {std::nullopt, {1, 2, -1}},           // unknown: the choice, already in use
      {std::string(kGame), {1, 2, -1, 1}},  // back to the game
      {std::nullopt, {1, 2, -1, 1, -1}},    // unknown is never taken for the game
  };
  Start();
  std::size_t waits = 1;
  for (const Step& step : steps) {
    source_.Bring(step.foreground);
    Await(++waits);
    EXPECT_EQ(posts_.Asked(WatchedRow::kMouseDevice), step.asked)
        << step.foreground.value_or("unknown");
    ExpectCatalogueUntouched();
  }
  // A source that reports its changes is never polled: every wait is endless.
  for (const Request& request : clock_.Requests()) {
    EXPECT_EQ(request, (Request{Request::Kind::kWait, Clock::Duration::max()}));
  }
  EXPECT_EQ(clock_.Now(), Clock::Duration::zero());
}

TEST_F(WatcherTest, ALinkMadeWhileTheProgramIsInFrontIsSeenOnRecheck) {
  source_.Bring("/usr/bin/editor");
  Start();
  ASSERT_EQ(LinkProfile(mouse_, ProfileKind::kDevice, 0, "/usr/bin/editor", true),
            LinkChange::kDone);
  watcher_->Recheck();
  Await(2);
  EXPECT_EQ(posts_.Asked(WatchedRow::kMouseDevice), (std::vector<std::intptr_t>{0}));
  ASSERT_EQ(UnlinkProfile(mouse_, ProfileKind::kDevice, 0), LinkChange::kDone);
  watcher_->Recheck();
  Await(3);
  EXPECT_EQ(posts_.Asked(WatchedRow::kMouseDevice), (std::vector<std::intptr_t>{0, -1}));
  EXPECT_EQ(mouse_.Selected(ProfileKind::kDevice), 0u);
}

TEST_F(WatcherTest, ARowWithNoProfilesAsksForNothing) {
  source_.Bring(std::string(kGame));
  Start(WatchedRow::kMouseKey);  // the catalogue has no key profiles
  source_.Bring("/usr/games/tux");
  Await(2);
  EXPECT_TRUE(posts_.Asked(WatchedRow::kMouseKey).empty());
  ExpectCatalogueUntouched();
}

class PolledWatcherTest : public WatcherTest {
 protected:
  PolledWatcherTest() : WatcherTest(false) {}
};

TEST_F(PolledWatcherTest, ASilentSourceIsAskedEveryTwoSecondsAndSwitchesWithinOnePoll) {
  Start();
  source_.Bring(std::string(kGame));  // no report: the watcher learns of it at the next poll
  clock_.Advance(ProfileWatcher::kPollInterval);
  Await(2);
  EXPECT_EQ(posts_.Asked(WatchedRow::kMouseDevice), (std::vector<std::intptr_t>{1}));
  source_.Leave();
  clock_.Advance(ProfileWatcher::kPollInterval);
  Await(3);
  EXPECT_EQ(posts_.Asked(WatchedRow::kMouseDevice), (std::vector<std::intptr_t>{1, -1}));
  EXPECT_EQ(source_.Asked(), 3);
  for (const Request& request : clock_.Requests()) {
    EXPECT_EQ(request, (Request{Request::Kind::kWait, ProfileWatcher::kPollInterval}));
  }
  ExpectCatalogueUntouched();
}

TEST(WatcherStop, EveryRowEndsAtOnceOnItsStopWithItsLineWhateverItWaitsFor) {
  const TempDir data;
  const TempDir program;
  for (const WatchedRowTraits& traits : WatchedRows()) {
    for (const bool reports_changes : {true, false}) {
      const ProfileCatalogue catalogue(traits.device, data.path(), program.path());
      FakeForegroundProgram source(reports_changes);
      ManualClock clock;
      Posts posts;
      Event stop;
      const TraceCapture trace;
      ProfileWatcher watcher(traits.row, catalogue, source, clock, posts);
      std::thread thread([&] { watcher.Run(stop); });
      ASSERT_TRUE(clock.AwaitRequests(1, kWaitDeadline));
      stop.Set();  // the clock never moves: only the stop can end the wait
      JoinWithin(thread, std::string(traits.exit_line));
      EXPECT_TRUE(trace.Contains(traits.exit_line)) << traits.exit_line;
      EXPECT_EQ(TraitsOf(traits.row).slot, traits.slot);
      EXPECT_EQ(WatchedRowOf(traits.device, traits.kind), traits.row);
      watcher.Recheck();  // after the end: nothing to wake, no harm
    }
  }
  EXPECT_EQ(WatchedRowOf(DeviceKind::kMouse, ProfileKind::kLight), std::nullopt);
  EXPECT_EQ(WatchedRowOf(DeviceKind::kKeyboard, ProfileKind::kLight), std::nullopt);
}

TEST(WatcherStop, AStopSetBeforeTheStartEndsTheWatcherWithoutLooking) {
  const TempDir data;
  const ProfileCatalogue catalogue(DeviceKind::kPad, data.path(), data.path());
  FakeForegroundProgram source;
  ManualClock clock;
  Posts posts;
  Event stop;
  stop.Set();
  ProfileWatcher(WatchedRow::kPadLight, catalogue, source, clock, posts).Run(stop);
  EXPECT_EQ(source.Asked(), 0);
  EXPECT_TRUE(clock.Requests().empty());
}

}  // namespace
}  // namespace vandrel
