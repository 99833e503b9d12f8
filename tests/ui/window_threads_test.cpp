// The model touched from worker threads: change events reach the view in the order of the
// changes, notifications raised on a worker thread reach the handler on the user-interface
// thread, and concurrent use is free of data races (run under ThreadSanitizer in CI).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "ui/control.h"
#include "ui/test_window.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestWindow;

TEST(WindowThreadsTest, ChangesFromAWorkerArriveInOrder) {
  TestWindow test;
  Control& tab = test.Add(ControlKind::kOption, "ms_tab");
  Control& tabs = test.Add(ControlKind::kTabLayout, "tab_switch");
  test.Add(ControlKind::kContainer, "p0", &tabs);
  test.Add(ControlKind::kContainer, "p1", &tabs);
  std::atomic<int> wakes = 0;
  test.window().SetChangeListener([&] { ++wakes; });

  std::thread worker([&] {
    tab.SetVisible(true);  // unchanged: no event
    tab.SetVisible(false);
    tabs.SelectPage(1);
    tab.SetFocus(Notify::kNo);
    tab.SetText("x");
  });
  worker.join();

  EXPECT_THAT(
      test.window().TakeChanges(),
      ElementsAre(ControlChange{&tab, Property::kVisible}, ControlChange{&tabs, Property::kCurrent},
                  ControlChange{&tab, Property::kFocus}, ControlChange{&tab, Property::kText}));
  EXPECT_GE(wakes.load(), 1);
  EXPECT_THAT(test.window().TakeChanges(), IsEmpty());
}

TEST(WindowThreadsTest, NotificationsFromAWorkerWaitForTheUserInterfaceThread) {
  TestWindow test;
  Control& kb = test.Option("kb_tab", "device");
  Control& ms = test.Option("ms_tab", "device");
  std::vector<std::thread::id> handler_threads;
  std::vector<std::string> senders;
  test.window().SetNotifyHandler([&](const Notification& n) {
    handler_threads.push_back(std::this_thread::get_id());
    senders.push_back(n.sender->Name());
  });
  std::atomic<int> wakes = 0;
  test.window().SetChangeListener([&] { ++wakes; });

  std::thread worker([&] {
    kb.SetSelected(true, Notify::kYes);
    ms.SetSelected(true, Notify::kYes);
    test.window().DeliverPendingNotifications();  // not the UI thread: does nothing
  });
  worker.join();
  EXPECT_TRUE(senders.empty());
  EXPECT_TRUE(ms.IsSelected()) << "the state changes at once";
  EXPECT_GE(wakes.load(), 1);

  test.window().DeliverPendingNotifications();
  EXPECT_THAT(senders, ElementsAre("kb_tab", "ms_tab"));
  EXPECT_THAT(handler_threads, ElementsAre(std::this_thread::get_id(), std::this_thread::get_id()));
}

TEST(WindowThreadsTest, ARemovedListenerIsNeverCalledAgain) {
  TestWindow test;
  Control& label = test.Add(ControlKind::kLabel, "l");
  std::atomic<int> wakes = 0;
  test.window().SetChangeListener([&] { ++wakes; });
  label.SetText("a");
  test.window().SetChangeListener({});
  (void)test.window().TakeChanges();
  label.SetText("b");
  EXPECT_EQ(wakes.load(), 1);
}

TEST(WindowThreadsTest, ConcurrentWritersReadersAndAViewStayConsistent) {
  TestWindow test;
  constexpr int kThreads = 3;
  constexpr int kSteps = 400;
  std::vector<Control*> sliders;
  for (int i = 0; i < kThreads; ++i) {
    Control& slider = test.Add(ControlKind::kSlider, "slider_" + std::to_string(i));
    slider.SetRange(0, kSteps);
    sliders.push_back(&slider);
  }
  Control& list = test.Add(ControlKind::kList, "list");
  (void)test.window().TakeChanges();
  test.texts().SetLanguage("en", {});

  std::atomic<bool> done = false;
  std::map<const Control*, int> range_changes;
  std::thread view([&] {
    // Stands in for the view: drains and reads while the writers run.
    while (!done.load()) {
      for (const ControlChange& change : test.window().TakeChanges()) {
        if (change.property == Property::kRange) ++range_changes[change.control];
        (void)change.control->State();
      }
    }
  });
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&, t] {
      for (int step = 1; step <= kSteps; ++step) {
        sliders[static_cast<std::size_t>(t)]->SetValue(step);
        list.AddItem(ListItem::OfText("row", true));
        (void)list.ItemText(0);
        if (step % 100 == 0) test.texts().SetLanguage("en", {{"row", "Row"}});
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  done = true;
  view.join();
  for (const ControlChange& change : test.window().TakeChanges()) {
    if (change.property == Property::kRange) ++range_changes[change.control];
  }

  EXPECT_EQ(list.ItemCount(), kThreads * kSteps);
  for (const Control* slider : sliders) {
    EXPECT_EQ(slider->Value(), kSteps);
    EXPECT_EQ(range_changes[slider], kSteps) << "one event per change, none lost";
  }
}

}  // namespace
}  // namespace vandrel
