// The palette, skin, About and file dialogs as real windows, offscreen: results, placement,
// dragging, and that every window is freed once closed (also when a nested file dialog closes
// the skin pop-up under its own handler).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <fstream>

#include "support/temp_dir.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/wait_until.h"
#include "ui/qt/window_placement.h"

namespace vandrel {
namespace {

class Receiver final : public SkinReceiver {
 public:
  int Receive(const SkinChangedParam& param) override {
    received.push_back(param);
    return 1;
  }
  std::vector<SkinChangedParam> received;
};

// Top-level widgets of one skin layout, by the layout's top object name.
std::vector<QWidget*> Windows(const QString& name) {
  std::vector<QWidget*> found;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name) found.push_back(widget);
  }
  return found;
}

void FreeClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void Click(QWidget& window, const char* name, int nth = 0) {
  const QList<QPushButton*> buttons = window.findChildren<QPushButton*>(name);
  ASSERT_GT(buttons.size(), nth) << name;
  buttons[nth]->click();
}

// Runs `act` on the modal dialog of class T once it is open.
template <typename T>
void WhenOpen(std::function<void(T&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

class QtShellWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(skin_.LoadIndex());
    observer_.AddReceiver(receiver_);
    main_widget_.setGeometry(100, 300, 400, 200);
    skin_button_->setGeometry(300, 10, 40, 20);
    main_widget_.show();
  }
  void TearDown() override { FreeClosedWindows(); }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  WindowModel main_window_{"XML_MAIN", texts_};
  Control& skin_button_control_ =
      main_window_.AddControl(main_window_.Root(), ControlKind::kButton, "skinbtn");
  QWidget main_widget_;
  QPushButton* skin_button_ = [this] {
    auto* button = new QPushButton(&main_widget_);
    button->setObjectName("skinbtn");
    return button;
  }();
  SkinObserver observer_;
  Receiver receiver_;
  std::vector<std::pair<int, std::string>> remembered_;
  std::vector<std::string> opened_;
  QtDialogs dialogs_{
      skin_, texts_,
      [this](WindowModel* w) -> QWidget* { return w == &main_window_ ? &main_widget_ : nullptr; },
      QtDialogsServices{
          .skin_observer = &observer_,
          .remember_skin_picture =
              [this](int flags, std::string_view image) { remembered_.emplace_back(flags, image); },
          .about_link = {"file:///usr/share/doc/vandrel/README.md", "about_readme"},
          .open_url = [this](const std::string& url) { opened_.push_back(url); },
          .version = "2.4.1"}};
};

TEST_F(QtShellWindowsTest, PaletteConfirmsAPresetOrClosesWithTheInitialColour) {
  WhenOpen<QDialog>([](QDialog& dialog) {
    Click(dialog, "ms_dpi_color_png_13");
    Click(dialog, "okbtn");
  });
  const PaletteChoice confirmed = dialogs_.RunPalette(&main_window_, 0xFF00FF00);
  EXPECT_EQ(confirmed.result, 1);
  EXPECT_EQ(confirmed.colour, 0xFFFF0000u);

  WhenOpen<QDialog>([](QDialog& dialog) {
    Click(dialog, "ms_dpi_color_png_13");
    Click(dialog, "closebtn");
  });
  const PaletteChoice closed = dialogs_.RunPalette(&main_window_, 0xFF00FF00);
  EXPECT_EQ(closed.result, 2);
  EXPECT_EQ(closed.colour, 0xFF00FF00u);
}

TEST_F(QtShellWindowsTest, SkinPopupOpensUnderItsButtonAndIsFreedWhenClosed) {
  dialogs_.OpenSkinWindow(main_window_, skin_button_control_);
  ASSERT_EQ(Windows("skin_frame").size(), 1u);
  QWidget& popup = *Windows("skin_frame")[0];
  const QPoint button_corner = skin_button_->mapToGlobal(QPoint(40, 20));
  EXPECT_EQ(popup.pos(),
            KeepOnScreen(QRect(button_corner - QPoint(popup.width(), 0), popup.size())));
  // The colours' buttons are made when their page is first shown, as the user opens it.
  popup.findChild<QRadioButton*>("skin_color")->click();
  QCoreApplication::sendPostedEvents();
  Click(popup, "skin_color_btn", 2);
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_TRUE(receiver_.received[0].is_colour);
  Click(popup, "skin_image_btn", 1);
  ASSERT_EQ(remembered_.size(), 1u);
  EXPECT_EQ(remembered_[0].first, 1);

  popup.close();
  FreeClosedWindows();
  EXPECT_TRUE(Windows("skin_frame").empty());
}

TEST_F(QtShellWindowsTest, CustomPictureClosesThePopupAndBroadcastsTheFile) {
  testing::TempDir folder;
  const std::filesystem::path picture = folder.path() / "sea.png";
  std::ofstream(picture) << "not really a picture";
  dialogs_.OpenSkinWindow(main_window_, skin_button_control_);
  ASSERT_EQ(Windows("skin_frame").size(), 1u);
  bool popup_open_under_dialog = true;
  WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
    popup_open_under_dialog = QApplication::activePopupWidget() != nullptr;
    dialog.selectFile(QString::fromStdString(picture.string()));
    static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept checks the file
  });
  Click(*Windows("skin_frame")[0], "skin_Custom");
  EXPECT_FALSE(popup_open_under_dialog);
  ASSERT_EQ(receiver_.received.size(), 1u);
  EXPECT_EQ(receiver_.received[0].image, picture.string());
  EXPECT_TRUE(remembered_.empty());
  FreeClosedWindows();
  EXPECT_TRUE(Windows("skin_frame").empty());
}

TEST_F(QtShellWindowsTest, FileDialogCancelledGivesNothing) {
  WhenOpen<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(dialogs_.ChooseFileToOpen(&main_window_, {"png", "*.png", "(*.png) (*.png)"}),
            std::nullopt);
}

TEST_F(QtShellWindowsTest, SeveralAboutWindowsOpenBesideTheMainWindowAndCloseOneByOne) {
  dialogs_.OpenAbout(&main_window_);
  dialogs_.OpenAbout(&main_window_);
  std::vector<QWidget*> windows = Windows("CopyRight");
  ASSERT_EQ(windows.size(), 2u);
  const QRect main = main_widget_.frameGeometry();
  const QPoint expected(2 * main.x(), (main.y() + main.height()) / 2 - 80);
  EXPECT_EQ(windows[0]->pos(), KeepOnScreen(QRect(expected, windows[0]->size())));
  EXPECT_FALSE(windows[0]->isModal());
  const auto* release = windows[0]->findChild<QLabel*>("about_release_label");
  ASSERT_NE(release, nullptr);
  EXPECT_TRUE(testing::WaitUntil([&] { return release->text().endsWith(" 2.4.1"); }));

  Click(*windows[0], "closebtn");
  FreeClosedWindows();
  EXPECT_EQ(Windows("CopyRight").size(), 1u);
}

TEST_F(QtShellWindowsTest, AboutLinkOpensTheLinkTheProgramWasBuiltWith) {
  ASSERT_TRUE(texts_->LoadLanguage("lan_en.xml", skin_.Folder() / "lan_en.xml"));
  dialogs_.OpenAbout(&main_window_);
  ASSERT_EQ(Windows("CopyRight").size(), 1u);
  QWidget& about = *Windows("CopyRight")[0];
  const auto* link = about.findChild<QPushButton*>("NetText");
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(testing::WaitUntil([&] { return link->text() == "Read the guide"; }));
  Click(about, "NetText");
  EXPECT_THAT(opened_, ::testing::ElementsAre("file:///usr/share/doc/vandrel/README.md"));
  about.close();
}

TEST_F(QtShellWindowsTest, AboutWindowIsDraggedByItsCaptionOnly) {
  dialogs_.OpenAbout(nullptr);
  ASSERT_EQ(Windows("CopyRight").size(), 1u);
  QWidget& about = *Windows("CopyRight")[0];
  about.move(50, 60);
  // Each event is sent before the next is made: events of one pointing device share their point.
  const auto send = [&about](QEvent::Type type, QPoint at, Qt::MouseButton button,
                             Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, about.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&about, &event);
  };
  const auto drag = [&send](QPoint from, QPoint by) {
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
  };
  drag(QPoint(200, 40), QPoint(30, 20));
  EXPECT_EQ(about.pos(), QPoint(80, 80));
  drag(QPoint(200, 120), QPoint(30, 20));
  EXPECT_EQ(about.pos(), QPoint(80, 80)) << "below the caption";
  about.close();
}

TEST(WindowPlacementTest, WindowsAreMovedIntoTheArea) {
  const QRect area(0, 0, 800, 600);
  EXPECT_EQ(ClampIntoArea(QRect(10, 20, 100, 50), area), QPoint(10, 20));
  EXPECT_EQ(ClampIntoArea(QRect(750, 580, 100, 50), area), QPoint(700, 550));
  EXPECT_EQ(ClampIntoArea(QRect(-30, -5, 100, 50), area), QPoint(0, 0));
  EXPECT_EQ(ClampIntoArea(QRect(500, 100, 1000, 700), area), QPoint(0, 0)) << "too large";
}

}  // namespace
}  // namespace vandrel
