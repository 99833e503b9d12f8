// The main window's frame on the desktop: it opens centred and hidden, the desktop's close request
// goes to the main window, the top strip drags it, a pop-up menu lists the menu layout's buttons
// with their shortcuts and reports a pick later, on the user-interface thread, the window answers
// its shortcuts, and a tray icon comes once a notification area does.
#include "ui/qt/qt_window_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <optional>

#include "support/temp_dir.h"
#include "ui/qt/qt_ui_thread.h"
#include "ui/qt/wait_until.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using testing::WaitUntil;
using namespace std::chrono_literals;

constexpr std::string_view kMainLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="root">
 <property name="geometry"><rect><x>0</x><y>0</y><width>800</width><height>572</height></rect></property>
 <widget class="QPushButton" name="closebtn"/>
</widget></ui>)";

constexpr std::string_view kMenuLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="tray_menu">
 <widget class="QPushButton" name="lan_en"><property name="text"><string>menu_english</string></property>
  <property name="resourcetext" stdset="0"><bool>true</bool></property>
  <property name="userdata" stdset="0"><string>0</string></property></widget>
 <widget class="QLabel" name="separator"><property name="text"><string>-</string></property></widget>
 <widget class="QPushButton" name="hidden_item"><property name="visible"><bool>false</bool></property></widget>
 <widget class="QPushButton" name="About_setting"><property name="text"><string>About</string></property></widget>
 <widget class="QPushButton" name="exit"><property name="text"><string>Quit</string></property>
  <property name="shortcut" stdset="0"><string>Ctrl+Q</string></property></widget>
</widget></ui>)";

struct RecordingTarget final : MessageTarget {
  void HandleMessage(int message, std::intptr_t wparam, std::intptr_t) override {
    messages.emplace_back(message, wparam);
  }
  void HandleTimer(int) override {}
  std::vector<std::pair<int, std::intptr_t>> messages;
};

class QtWindowHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteFile(dir_.path() / "res.xml",
                       "<resources><file name='XML_MAIN' path='main.ui'/></resources>");
    testing::WriteFile(dir_.path() / "main.ui", kMainLayout);
    testing::WriteFile(dir_.path() / "menu1.xml", kMenuLayout);
    ASSERT_TRUE(skin_.LoadIndex());
    texts_->SetLanguage("en", {{"menu_english", "English"}});
    model_ = BuildWindow(skin_, "XML_MAIN", texts_);
    ASSERT_NE(model_, nullptr);
    ui_.SetTarget(&target_);
    host_.emplace(QtWindowView::Create(*model_, skin_), ui_, "Vandrel Gaming mouse", QIcon(),
                  TrayWatch{[this] { return tray_available_; }, 10ms});
  }

  QWidget& Top() { return *host_->Widget(); }
  void SendMouse(QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, Top().mapToGlobal(local), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&Top(), &event);
  }

  testing::TempDir dir_;
  Skin skin_{dir_.path()};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  std::unique_ptr<WindowModel> model_;
  RecordingTarget target_;
  QtUiThread ui_;
  bool tray_available_ = false;
  std::optional<QtWindowHost> host_;
};

TEST_F(QtWindowHostTest, TheWindowOpensHiddenCentredWithTitleAndSize) {
  EXPECT_FALSE(Top().isVisible());
  EXPECT_EQ(Top().windowTitle(), "Vandrel Gaming mouse");
  EXPECT_EQ(Top().size(), QSize(800, 572));
  EXPECT_EQ(Top().minimumSize(), Top().maximumSize()) << "one size: it cannot be maximised";
  EXPECT_TRUE(Top().windowFlags() & Qt::FramelessWindowHint);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((Top().geometry().center() - screen.center()).manhattanLength(), 2);
}

TEST_F(QtWindowHostTest, ShowHideMinimiseAndBringToFront) {
  host_->Show();
  EXPECT_TRUE(host_->IsShownNormally());
  host_->Minimise();
  EXPECT_FALSE(host_->IsShownNormally());
  host_->BringToFront();
  EXPECT_TRUE(host_->IsShownNormally());
  host_->Hide();
  EXPECT_FALSE(host_->IsShownNormally());
}

TEST_F(QtWindowHostTest, TheDesktopsCloseRequestGoesToTheMainWindow) {
  host_->Show();
  EXPECT_FALSE(Top().close());
  EXPECT_TRUE(Top().isVisible()) << "whether to hide or to end is the main window's choice";
  const std::pair<int, std::intptr_t> close_request(0x0010, 0);
  EXPECT_TRUE(WaitUntil([&] { return std::ranges::count(target_.messages, close_request) == 1; }));
}

TEST_F(QtWindowHostTest, TheTrayIconComesOnceANotificationAreaDoesAndGoesWhenRemoved) {
  EXPECT_FALSE(host_->CreateTrayIcon("Vandrel Gaming mouse"));
  EXPECT_FALSE(host_->HasTrayIcon());
  tray_available_ = true;
  ASSERT_TRUE(WaitUntil([&] { return host_->HasTrayIcon(); }));
  host_->RemoveTrayIcon();
  EXPECT_FALSE(host_->HasTrayIcon());
  EXPECT_TRUE(host_->CreateTrayIcon("Vandrel Gaming mouse")) << "at once while there is one";
}

TEST_F(QtWindowHostTest, TheWindowAnswersItsShortcutsWhileActive) {
  int presses = 0;
  host_->AddShortcut("Ctrl+Q", [&] { ++presses; });
  host_->Show();
  Top().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Top()));
  QTest::keyClick(&Top(), Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(&Top(), Qt::Key_Q);
  QTest::keyClick(&Top(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(presses, 1);
}

TEST_F(QtWindowHostTest, LosingTheActivationIsPostedToTheMainWindow) {
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(&Top(), &deactivate);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&Top(), &activate);
  ASSERT_TRUE(WaitUntil([&] { return target_.messages.size() == 2; }));
  EXPECT_THAT(target_.messages, ElementsAre(std::pair<int, std::intptr_t>(0x0006, 0),
                                            std::pair<int, std::intptr_t>(0x0006, 1)));
}

TEST_F(QtWindowHostTest, TheTopStripDragsTheWindowAndTheRestDoesNot) {
  host_->Show();
  const QPoint start = Top().pos();
  SendMouse(QEvent::MouseButtonPress, {300, 10}, Qt::LeftButton);
  SendMouse(QEvent::MouseMove, {330, 50}, Qt::LeftButton);
  SendMouse(QEvent::MouseButtonRelease, {330, 50}, Qt::NoButton);
  EXPECT_EQ(Top().pos(), start + QPoint(30, 40));
  const QPoint dragged = Top().pos();
  SendMouse(QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton);
  SendMouse(QEvent::MouseMove, {330, 250}, Qt::LeftButton);
  SendMouse(QEvent::MouseButtonRelease, {330, 250}, Qt::NoButton);
  EXPECT_EQ(Top().pos(), dragged);
}

TEST_F(QtWindowHostTest, APopupMenuListsTheVisibleButtonsAboveTheCursor) {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, "menu1.xml", texts_);
  ASSERT_NE(menu, nullptr);
  menu->AddControl(menu->Root(), ControlKind::kButton, "exit").SetText("Close");
  QCursor::setPos(400, 300);
  host_->PopupMenu(*menu, 25, [](MenuCommand) {});
  QMenu* open = host_->OpenMenu();
  ASSERT_NE(open, nullptr);
  std::vector<QString> texts;
  std::vector<QKeySequence> shortcuts;
  for (const QAction* action : open->actions()) {
    texts.push_back(action->text());
    shortcuts.push_back(action->shortcut());
  }
  EXPECT_THAT(texts, ElementsAre("English", "About", "Quit", "Close"));
  EXPECT_THAT(shortcuts,
              ElementsAre(QKeySequence(), QKeySequence(), QKeySequence("Ctrl+Q"), QKeySequence()));
  EXPECT_EQ(open->pos(), QPoint(400, 275));
}

// The skin's theme reaches the menus: a dark opaque panel under light texts, never the desktop's
// light default under the theme's light texts.
TEST_F(QtWindowHostTest, AMenuUnderTheSkinsStyleIsDarkAndOpaqueWithLightTexts) {
  const Skin real_skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  const std::optional<std::string> style = real_skin.Read("style.qss");
  ASSERT_TRUE(style);
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, "menu1.xml", texts_);
  ASSERT_NE(menu, nullptr);
  host_->PopupMenu(*menu, 25, [](MenuCommand) {});
  QMenu& open = *host_->OpenMenu();
  open.setStyleSheet(QString::fromStdString(*style));
  const QImage picture = open.grab().toImage();
  ASSERT_FALSE(picture.isNull());
  int darkest = 255;
  int lightest = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor pixel = picture.pixelColor(x, y);
      ASSERT_EQ(pixel.alpha(), 255) << x << "," << y;
      darkest = std::min(darkest, pixel.lightness());
      lightest = std::max(lightest, pixel.lightness());
    }
  }
  const QColor panel = picture.pixelColor(picture.width() - 4, picture.height() / 2);
  EXPECT_LT(panel.lightness(), 64) << "the panel beside the texts";
  EXPECT_GT(lightest - darkest, 128) << "texts stand out from the panel";
}

TEST_F(QtWindowHostTest, APickIsReportedLaterWithNameUserDataAndText) {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, "menu1.xml", texts_);
  ASSERT_NE(menu, nullptr);
  std::vector<MenuCommand> picks;
  host_->PopupMenu(*menu, 25, [&](MenuCommand command) { picks.push_back(std::move(command)); });
  host_->OpenMenu()->actions().front()->trigger();
  EXPECT_TRUE(picks.empty()) << "the pick arrives once the menu has closed";
  ASSERT_TRUE(WaitUntil([&] { return !picks.empty(); }));
  EXPECT_EQ(picks.front().name, "lan_en");
  EXPECT_EQ(picks.front().user_data, "0");
  EXPECT_EQ(picks.front().text, "English");
}

TEST_F(QtWindowHostTest, ANewMenuReplacesTheOpenOneAndTheExtensionAddsItsItems) {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, "menu1.xml", texts_);
  ASSERT_NE(menu, nullptr);
  host_->SetMenuExtension([](QMenu& popup) { popup.addMenu("Simulator"); });
  host_->PopupMenu(*menu, 25, [](MenuCommand) {});
  QPointer<QMenu> first = host_->OpenMenu();
  host_->PopupMenu(*menu, 25, [](MenuCommand) {});
  ASSERT_TRUE(WaitUntil([&] { return first.isNull(); }));
  ASSERT_NE(host_->OpenMenu(), nullptr);
  EXPECT_EQ(host_->OpenMenu()->actions().back()->text(), "Simulator");
}

}  // namespace
}  // namespace vandrel
