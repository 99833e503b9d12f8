#include "ui/qt/qt_window_host.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include "app/window_messages.h"
#include "ui/control.h"
#include "ui/qt/post_lock.h"

namespace vandrel {
namespace {

constexpr QSize kMainWindowSize(800, 572);

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtWindowHost::QtWindowHost(std::unique_ptr<QtWindowView> view, UiThread& ui, const QString& title,
                           const QIcon& icon, TrayWatch tray_watch)
    : view_(std::move(view)), ui_(ui), icon_(icon), tray_watch_(std::move(tray_watch)) {
  QWidget* top = Widget();
  // The window is not made yet, so its flags are simply recorded for when it is; setWindowFlags
  // would re-parent it and re-apply the style sheet to every one of its thousands of widgets.
  top->overrideWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  top->setWindowTitle(title);
  top->setWindowIcon(icon_);
  // The layouts do not grow: the window keeps one size, and the desktop offers no maximising.
  top->setFixedSize(kMainWindowSize);
  top->installEventFilter(this);
  CentreOnScreen();
  tray_retry_.setInterval(tray_watch_.period);
  connect(&tray_retry_, &QTimer::timeout, this, [this] {
    if (ShowTrayIcon()) tray_retry_.stop();
  });
}

QtWindowHost::~QtWindowHost() = default;

void QtWindowHost::Show() { Widget()->show(); }
void QtWindowHost::Hide() { Widget()->hide(); }

bool QtWindowHost::IsShownNormally() const {
  return Widget()->isVisible() && !Widget()->isMinimized();
}

void QtWindowHost::Minimise() { Widget()->showMinimized(); }
void QtWindowHost::Restore() { Widget()->showNormal(); }

void QtWindowHost::BringToFront() {
  QWidget* top = Widget();
  top->showNormal();
  top->raise();
  top->activateWindow();
}

// The view applies the model's changes as they come and Qt repaints only the widgets that
// changed; forcing a whole-window repaint here cost 7 % of a core at the 50 ms repaint timer.
void QtWindowHost::Repaint() {
  if (Widget()->isVisible()) view_->Sync();
}

// exit, unlike quit, cannot be refused by a window and also ends a nested loop (an open box).
void QtWindowHost::Quit() { QCoreApplication::exit(0); }

bool QtWindowHost::CreateTrayIcon(std::string_view tip) {
  tray_tip_ = FromUtf8(tip);
  if (ShowTrayIcon()) return true;
  tray_retry_.start();
  return false;
}

bool QtWindowHost::ShowTrayIcon() {
  if (!tray_watch_.available()) return false;
  tray_ = std::make_unique<QSystemTrayIcon>(icon_);
  tray_->setToolTip(tray_tip_);
  connect(tray_.get(), &QSystemTrayIcon::activated, this, &QtWindowHost::OnTrayActivated);
  tray_->show();
  return true;
}

void QtWindowHost::RemoveTrayIcon() {
  tray_retry_.stop();
  tray_.reset();
}

void QtWindowHost::AddShortcut(std::string_view keys, std::function<void()> action) {
  auto* shortcut = new QShortcut(QKeySequence(FromUtf8(keys)), Widget());
  connect(shortcut, &QShortcut::activated, this, std::move(action));
}

void QtWindowHost::PopupMenu(const WindowModel& menu, int lift,
                             std::function<void(MenuCommand)> on_pick) {
  if (open_menu_) open_menu_->close();
  auto* popup = new QMenu(Widget());
  popup->setAttribute(Qt::WA_DeleteOnClose);
  for (const Control* item : menu.AllControls()) {
    if (item->Kind() != ControlKind::kButton || !item->IsVisible()) continue;
    MenuCommand command{item->Name(), item->UserData(), item->Text()};
    QAction* action = popup->addAction(FromUtf8(command.text));
    // Shown beside the text; the window's own shortcut answers the keys while the menu is closed.
    action->setShortcut(QKeySequence(FromUtf8(item->Attribute("shortcut"))));
    connect(action, &QAction::triggered, this, [this, command, on_pick] {
      // Later, once the menu has closed, as the original delivered picks by a posted message.
      PostCall(this, [command, on_pick] { on_pick(command); });
    });
  }
  if (extend_menu_) extend_menu_(*popup);
  open_menu_ = popup;
  popup->popup(QCursor::pos() - QPoint(0, lift));
}

bool QtWindowHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Widget()) return false;
  if (event->type() == QEvent::Close) {
    // The main window decides, as for its own close button: hide to the tray or end the program.
    event->ignore();
    ui_.Post(kMessageCloseRequest, 0, 0);
    return true;
  }
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
    // Losing the activation ends a macro recording, as the original's hooks did.
    ui_.Post(kMessageActivateChanged, event->type() == QEvent::WindowActivate ? 1 : 0, 0);
    return false;
  }
  return FilterMouse(*event);
}

bool QtWindowHost::FilterMouse(QEvent& event) {
  const QEvent::Type type = event.type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease)
    return false;
  const auto& mouse = static_cast<const QMouseEvent&>(event);
  const QPoint global = mouse.globalPosition().toPoint();
  if (type == QEvent::MouseButtonPress) {
    if (mouse.button() != Qt::LeftButton || mouse.position().y() >= kDragStripHeight) return false;
    // The window manager moves the window where it can; elsewhere the window follows the mouse.
    QWindow* window = Widget()->windowHandle();
    dragging_ = window == nullptr || !window->startSystemMove();
    drag_offset_ = global - Widget()->frameGeometry().topLeft();
    return true;
  }
  if (!dragging_) return false;
  if (type == QEvent::MouseMove) Widget()->move(global - drag_offset_);
  if (type == QEvent::MouseButtonRelease) dragging_ = false;
  return true;
}

void QtWindowHost::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) ui_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  if (reason == QSystemTrayIcon::Context) ui_.Post(kMessageTrayIcon, 0, kTrayRightButtonUp);
}

void QtWindowHost::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QWidget* top = Widget();
  top->move(screen->availableGeometry().center() - top->rect().center());
}

}  // namespace vandrel
