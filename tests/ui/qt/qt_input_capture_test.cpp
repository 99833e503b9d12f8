// The input capture on the desktop: key and mouse events reaching the active main window become
// the capture's messages, keys other than the lock keys never reach a widget or fire a
// shortcut, and once the window has lost the activation nothing more is taken.
#include "ui/qt/qt_input_capture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <tuple>
#include <vector>

#include "core/manual_clock.h"
#include "macro/key_table.h"
#include "macro/macro_editor.h"
#include "platform/native_key_map.h"
#include "support/fake_dialogs.h"
#include "support/post_recorder.h"
#include "support/temp_dir.h"
#include "ui/qt/qt_key_places.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::vandrel::testing::FakeDialogs;
using ::vandrel::testing::Posted;
using ::vandrel::testing::PostRecorder;

// The focused widget inside the main window: what reaches it was not swallowed.
class InputLog final : public QWidget {
 public:
  explicit InputLog(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
  std::vector<int> keys;
  int mouse_events = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
  void mousePressEvent(QMouseEvent*) override { ++mouse_events; }
  void mouseReleaseEvent(QMouseEvent*) override { ++mouse_events; }
};

constexpr std::uint32_t kKeycodeA = 30 + 8;  // X11 and Wayland keycodes count from 8
constexpr std::uint32_t kKeycodeY = 21 + 8;  // where a German keyboard has its Z
constexpr std::uint32_t kKeycodeCapsLock = 58 + 8;
constexpr std::uint32_t kKeycodeKeypadEnter = 96 + 8;

class QtInputCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.resize(200, 100);
    log_ = new InputLog(&window_);
    log_->resize(200, 100);
    other_.resize(100, 100);
    Activate(window_);
    log_->setFocus();
  }

  static void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  void Key(QEvent::Type type, int key, std::uint32_t keycode,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false) {
    QKeyEvent event(type, key, modifiers, keycode, 0, 0, QString(), repeat);
    QCoreApplication::sendEvent(window_.windowHandle(), &event);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button) {
    const QPointF at(50, 50);
    QMouseEvent event(type, at, at, window_.mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.windowHandle(), &event);
  }
  void Wheel(QPoint angle) {
    const QPointF at(50, 50);
    QWheelEvent event(at, window_.mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window_.windowHandle(), &event);
  }

  QWidget window_;
  QWidget other_;
  InputLog* log_ = nullptr;
  PostRecorder ui_;
  QtInputCapture capture_{window_, ui_};
};

TEST_F(QtInputCaptureTest, KeysBecomeMessagesAndOnlyTheLockKeysReachTheWindow) {
  ASSERT_TRUE(capture_.Install(CaptureMode::kMouseSingleKey, true, false));
  Key(QEvent::KeyPress, Qt::Key_A, kKeycodeA);
  Key(QEvent::KeyPress, Qt::Key_A, kKeycodeA, Qt::NoModifier, true);
  Key(QEvent::KeyRelease, Qt::Key_A, kKeycodeA, Qt::NoModifier, true);  // the desktop's repeat
  Key(QEvent::KeyRelease, Qt::Key_A, kKeycodeA);
  Key(QEvent::KeyPress, Qt::Key_Enter, kKeycodeKeypadEnter, Qt::KeypadModifier);
  Key(QEvent::KeyPress, Qt::Key_A, kKeycodeA, Qt::AltModifier);
  Key(QEvent::KeyPress, Qt::Key_CapsLock, kKeycodeCapsLock);
  Key(QEvent::KeyPress, Qt::Key_Z, kKeycodeY);  // the place counts, not the layout's letter
  Key(QEvent::KeyPress, Qt::Key_Launch0, 0);    // no place at all: swallowed, not taken
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_THAT(ui_.posted,
              ElementsAre(Posted(0x0810, 0x100, 'A'), Posted(0x0810, 0x100, 'A'),
                          Posted(0x0810, 0x101, 0x800041), Posted(0x0810, 0x100, 0x1000D),
                          Posted(0x0810, 0x104, 0x200041), Posted(0x0810, 0x100, 0x14),
                          Posted(0x0810, 0x100, 'Y')));
  EXPECT_THAT(log_->keys, ElementsAre(Qt::Key_CapsLock));
  EXPECT_EQ(log_->mouse_events, 1) << "the mouse is not captured and goes on";

  QAction save(&window_);
  save.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  window_.addAction(&save);
  int saves = 0;
  QObject::connect(&save, &QAction::triggered, [&saves] { ++saves; });
  ui_.posted.clear();
  // Events without a keycode, found by Qt's key.
  QTest::keyClick(window_.windowHandle(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saves, 0) << "a swallowed key fires no shortcut";
  EXPECT_THAT(ui_.posted,
              ElementsAre(Posted(0x0810, 0x100, 0xA2), Posted(0x0810, 0x100, 'S'),
                          Posted(0x0810, 0x101, 0x800053), Posted(0x0810, 0x101, 0x8000A2)));
  capture_.RemoveAll();
  QTest::keyClick(window_.windowHandle(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saves, 1) << "the shortcut works again without the capture";
  EXPECT_EQ(ui_.posted.size(), 4U);
}

TEST(QtKeyPlaces, KeysWithoutAKeycodeAreFoundByQtsKeyOnAUsKeyboard) {
  struct Case {
    int key;
    bool keypad;
    std::uint16_t virtual_key;  // 0: no place
  } const cases[] = {
      {Qt::Key_A, false, 'A'},           {Qt::Key_Z, false, 'Z'},
      {Qt::Key_0, false, '0'},           {Qt::Key_Exclam, false, '1'},
      {Qt::Key_Question, false, 0xBF},   {Qt::Key_Return, false, 0x0D},
      {Qt::Key_Enter, true, 0x101},      {Qt::Key_0, true, 0x60},
      {Qt::Key_Insert, true, 0x60},      {Qt::Key_Insert, false, 0x2D},
      {Qt::Key_Clear, true, 0x65},       {Qt::Key_Asterisk, true, 0x6A},
      {Qt::Key_Asterisk, false, '8'},    {Qt::Key_Slash, true, 0x6F},
      {Qt::Key_Shift, false, 0xA0},      {Qt::Key_AltGr, false, 0xA5},
      {Qt::Key_Meta, false, 0x5B},       {Qt::Key_F12, false, 0x7B},
      {Qt::Key_ScrollLock, false, 0x91}, {Qt::Key_Launch0, false, 0},
      {Qt::Key_unknown, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key).toString().toStdString() + (c.keypad ? " on the keypad" : ""));
    const auto mapped =
        MapNativeKey({.evdev_code = EvdevCodeOfQtKey(c.key, c.keypad), .pressed = true});
    if (c.virtual_key == 0) {
      EXPECT_FALSE(mapped.has_value());
      continue;
    }
    ASSERT_TRUE(mapped.has_value());
    EXPECT_EQ(HookedVirtualKey(mapped->key.virtual_key, mapped->key.flags), c.virtual_key);
  }
}

TEST_F(QtInputCaptureTest, RecordingTakesEveryMouseEventAndLetsItGoOn) {
  struct Case {
    CaptureMode mode;
    bool mouse;
    std::vector<Posted> expected;
  } const cases[] = {
      {CaptureMode::kMouseMacro,
       true,
       {{0x0813, 0x204, 0},
        {0x0813, 0x205, 0},
        {0x0813, 0x201, 0},
        {0x0813, 0x207, 0},
        {0x0813, 0x20B, 0},
        {0x0813, 0x200, 0},
        {0x0813, 0x20A, 0},
        {0x0813, 0x20E, 0}}},
      {CaptureMode::kKeyboardMacro,
       true,
       {{0x0804, 0x204, 0},
        {0x0804, 0x205, 0},
        {0x0804, 0x201, 0},
        {0x0804, 0x207, 0},
        {0x0804, 0x20B, 0},
        {0x0804, 0x200, 0},
        {0x0804, 0x20A, 0},
        {0x0804, 0x20E, 0}}},
      {CaptureMode::kKeyboardMacro, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    ui_.posted.clear();
    log_->mouse_events = 0;
    ASSERT_TRUE(capture_.Install(c.mode, true, c.mouse));
    Mouse(QEvent::MouseButtonPress, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton);
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
    Mouse(QEvent::MouseButtonPress, Qt::MiddleButton);
    Mouse(QEvent::MouseButtonPress, Qt::BackButton);
    Mouse(QEvent::MouseMove, Qt::NoButton);
    Wheel({0, 120});
    Wheel({-120, 0});
    EXPECT_EQ(ui_.posted, c.expected);
    EXPECT_GE(log_->mouse_events, 4) << "mouse events go on to the window";
  }
}

TEST_F(QtInputCaptureTest, LosingTheActivationRemovesTheCaptureForGood) {
  ASSERT_TRUE(capture_.Install(CaptureMode::kKeyboardMacro, true, true));
  Key(QEvent::KeyPress, Qt::Key_A, kKeycodeA);
  ASSERT_EQ(ui_.posted.size(), 1U);
  Activate(other_);
  EXPECT_FALSE(capture_.IsInstalled());
  Activate(window_);
  log_->setFocus();
  Key(QEvent::KeyPress, Qt::Key_A, kKeycodeA);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_EQ(ui_.posted.size(), 1U) << "nothing taken after the deactivation";
  EXPECT_THAT(log_->keys, ElementsAre(Qt::Key_A));
  ASSERT_TRUE(capture_.Install(CaptureMode::kKeyboardSingleKey, true, false));
  Key(QEvent::KeyRelease, Qt::Key_A, kKeycodeA);
  EXPECT_EQ(ui_.posted.back(), Posted(0x0801, 0x101, 0x800041)) << "installed again, it takes";
  EXPECT_THAT(log_->keys, ElementsAre(Qt::Key_A));
}

// The keyboard page's recorder on the shipped skin, fed what the capture posts as the hub does.
TEST_F(QtInputCaptureTest, KeysTypedIntoTheWindowReachTheRecorderAsStepsAndAreSwallowed) {
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  const std::unique_ptr<WindowModel> model =
      BuildWindow(skin, "XML_MAIN", std::make_shared<TextResources>());
  ASSERT_NE(model, nullptr);
  testing::TempDir dir;
  MacroStore store(DeviceKind::kKeyboard, dir.path());
  ASSERT_TRUE(store.WriteMacro("m", "m", std::vector<std::string>{}));
  ASSERT_TRUE(store.RewriteCatalogue(std::vector<std::string>{"m"}));
  FakeDialogs dialogs;
  ManualClock clock;
  MacroEditor editor(store, *model, dialogs, capture_, clock, dir.path());
  editor.InitEditor();
  editor.ToggleRecording();
  ASSERT_TRUE(capture_.IsInstalled());

  Key(QEvent::KeyPress, Qt::Key_Enter, kKeycodeKeypadEnter, Qt::KeypadModifier);
  Key(QEvent::KeyPress, Qt::Key_Enter, kKeycodeKeypadEnter, Qt::KeypadModifier, true);
  Key(QEvent::KeyRelease, Qt::Key_Enter, kKeycodeKeypadEnter, Qt::KeypadModifier);
  Key(QEvent::KeyPress, Qt::Key_CapsLock, kKeycodeCapsLock);
  for (const auto& [message, wparam, lparam] : ui_.posted) {
    ASSERT_EQ(message, kMessageKeyboardMacroKey);
    editor.OnKeyMessage(static_cast<int>(wparam), CapturedKey::FromParam(lparam));
  }
  std::vector<std::string> steps;
  for (const ListItem& row : model->Find("kb_Macro_list")->Items()) steps.push_back(row.user_data);
  EXPECT_THAT(steps,
              ElementsAre("0,0,138,88,1,keyboard_key_Num Enter",
                          "0,0,10,88,0,keyboard_key_Num Enter", "0,0,138,57,1,keyboard_key_Caplk"));
  EXPECT_THAT(log_->keys, ElementsAre(Qt::Key_CapsLock)) << "only the lock key reached the window";
  editor.ToggleRecording();
  EXPECT_FALSE(capture_.IsInstalled());
}

}  // namespace
}  // namespace vandrel
