// The dialogs that are not modal: the skin window and the About window.
#include <QCursor>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include "core/trace.h"
#include "ui/about_window.h"
#include "ui/control.h"
#include "ui/qt/caption_drag.h"
#include "ui/qt/modeless_window.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/window_placement.h"

namespace vandrel {
namespace {

// Closes the pop-up when another window takes the focus (a click elsewhere closes a Qt pop-up
// by itself).
class CloseOnDeactivate final : public QObject {
 public:
  explicit CloseOnDeactivate(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowDeactivate) static_cast<QWidget*>(watched)->close();
    return QObject::eventFilter(watched, event);
  }
};

// The anchor's rectangle on the screen: the widget named like it in the owner's widget, or
// the cursor's position when there is none.
QRect AnchorOnScreen(QWidget* owner, const Control& anchor) {
  const QWidget* widget = owner != nullptr
                              ? owner->findChild<QWidget*>(QString::fromStdString(anchor.Name()))
                              : nullptr;
  if (widget == nullptr) return {QCursor::pos(), QSize(0, 0)};
  return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

void OpenInBrowser(const std::string& address) {
  const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
  if (!url.isValid() || !QDesktopServices::openUrl(url)) Trace("link not opened: " + address);
}

QPoint CentredOnScreen(QSize size) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {0, 0};
  const QRect area = screen->availableGeometry();
  return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

}  // namespace

void QtDialogs::OpenSkinWindow(WindowModel& owner, const Control& anchor) {
  ModelessWindow* window =
      ModelessWindow::Open(skin_, kSkinWindowResource, texts_, nullptr, *open_windows_);
  if (window == nullptr) {
    Trace("skin window not shown: the skin cannot build it");
    return;
  }
  SkinObserver& observer =
      services_.skin_observer != nullptr ? *services_.skin_observer : GetSkinObserver();
  CSkinFrame frame(window->Model(), &owner, *this, observer, services_.remember_skin_picture);
  window->SetHandler([frame](const Notification& notification) mutable {
    frame.Handle(notification);
    return std::optional<int>();
  });
  QWidget& widget = *window->Widget();
  widget.setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  new CloseOnDeactivate(widget);
  const QPoint at =
      SkinPopupPosition(AnchorOnScreen(OwnerWidgetOf(&owner), anchor), widget.width());
  widget.move(KeepOnScreen(QRect(at, widget.size())));
  widget.show();
}

void QtDialogs::OpenAbout(WindowModel* owner) {
  QWidget* main_window = OwnerWidgetOf(owner);
  ModelessWindow* window =
      ModelessWindow::Open(skin_, kAboutResource, texts_, main_window, *open_windows_);
  if (window == nullptr) {
    Trace("About window not shown: the skin cannot build it");
    return;
  }
  ShowRelease(window->Model(), services_.version);
  ShowLink(window->Model(), services_.about_link);
  Ccopyright about(services_.about_link.url,
                   services_.open_url ? services_.open_url : Ccopyright::OpenUrl(OpenInBrowser));
  window->SetHandler(
      [about](const Notification& notification) mutable { return about.Handle(notification); });
  QWidget& widget = *window->Widget();
  widget.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  CaptionDrag::Install(widget);
  const QPoint at = main_window != nullptr ? AboutPosition(main_window->frameGeometry())
                                           : CentredOnScreen(widget.size());
  widget.move(KeepOnScreen(QRect(at, widget.size())));
  widget.show();
}

}  // namespace vandrel
