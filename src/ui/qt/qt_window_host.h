// QtWindowHost: the main window's frame, tray icon, pop-up menus and shortcuts on a Qt desktop. It
// owns the main window's view; the top widget becomes a frameless window (the skin draws its own
// title bar buttons) that can be dragged by its top strip. The desktop's close request (Alt+F4)
// is posted to the main window as message 0x0010 and decides nothing itself. Tray clicks reach
// the main window as message 0x0401 and the window's activation changes as message 0x0006, all
// posted through the UiThread. Without a notification area at the start, the host looks for one
// every few seconds and shows the tray icon once it is there. User-interface thread only.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "app/ui_thread.h"
#include "app/window_host.h"
#include "ui/qt/window_view.h"

namespace vandrel {

// Whether the desktop has a notification area now, and how often to ask while it has none.
struct TrayWatch {
  std::function<bool()> available = &QSystemTrayIcon::isSystemTrayAvailable;
  std::chrono::milliseconds period = std::chrono::seconds(5);
};

class QtWindowHost final : public QObject, public WindowHost {
  Q_OBJECT

 public:
  // The height of the strip at the top of the window by which it is dragged.
  static constexpr int kDragStripHeight = 40;

  // `view` is the main window's view; its top widget gets `title` and `icon`, the size of its
  // layout, and is centred on the screen (hidden until Show).
  QtWindowHost(std::unique_ptr<QtWindowView> view, UiThread& ui, const QString& title,
               const QIcon& icon, TrayWatch tray_watch = {});
  ~QtWindowHost() override;
  QtWindowHost(const QtWindowHost&) = delete;
  QtWindowHost& operator=(const QtWindowHost&) = delete;

  [[nodiscard]] QWidget* Widget() const { return view_->Widget(); }
  [[nodiscard]] QtWindowView& View() const { return *view_; }
  // The pop-up menu that is open now; null when none is.
  [[nodiscard]] QMenu* OpenMenu() const { return open_menu_; }
  // Called with every pop-up menu once its items are in, to add items of the caller's own.
  void SetMenuExtension(std::function<void(QMenu&)> extend) { extend_menu_ = std::move(extend); }

  void Show() override;
  void Hide() override;
  [[nodiscard]] bool IsShownNormally() const override;
  void Minimise() override;
  void Restore() override;
  void BringToFront() override;
  void Repaint() override;
  void Quit() override;

  [[nodiscard]] bool CreateTrayIcon(std::string_view tip) override;
  [[nodiscard]] bool HasTrayIcon() const override { return tray_ != nullptr; }
  void RemoveTrayIcon() override;
  void AddShortcut(std::string_view keys, std::function<void()> action) override;

  void PopupMenu(const WindowModel& menu, int lift,
                 std::function<void(MenuCommand)> on_pick) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CentreOnScreen();
  bool ShowTrayIcon();
  bool FilterMouse(QEvent& event);
  void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);

  std::unique_ptr<QtWindowView> view_;
  UiThread& ui_;
  const QIcon icon_;
  const TrayWatch tray_watch_;
  QString tray_tip_;
  QTimer tray_retry_;  // runs while the tray icon is wanted and there is no notification area
  std::unique_ptr<QSystemTrayIcon> tray_;
  QPointer<QMenu> open_menu_;
  std::function<void(QMenu&)> extend_menu_;
  QPoint drag_offset_;
  bool dragging_ = false;
};

}  // namespace vandrel
