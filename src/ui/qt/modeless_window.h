// ModelessWindow: a window of the skin that is not modal and lives until it is closed, then
// frees itself with its control model, view and behaviour. A close that happens while the window
// is handling one of its own notifications (which may run a nested modal dialog, during which a
// pop-up loses the focus and closes) takes effect only once that handler has returned, so the
// behaviour is never destroyed under its own feet. User-interface thread only.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "ui/notification.h"
#include "ui/skin.h"
#include "ui/window_model.h"

class QWidget;

namespace vandrel {

class QtWindowView;

class ModelessWindow final : public QObject {
 public:
  // The window's behaviour: a result closes the window.
  using Handler = std::function<std::optional<int>(const Notification&)>;

  // The window of `resource`, its widget a child of `parent` (null: none), itself a child of
  // `owner` (which frees the windows still open when it goes). nullptr when the skin cannot
  // build it. The widget is not shown yet.
  [[nodiscard]] static ModelessWindow* Open(const Skin& skin, std::string_view resource,
                                            std::shared_ptr<TextResources> texts, QWidget* parent,
                                            QObject& owner);
  ~ModelessWindow() override;

  [[nodiscard]] WindowModel& Model() const { return *model_; }
  // Null once the widget has been destroyed with its parent.
  [[nodiscard]] QWidget* Widget() const;
  void SetHandler(Handler handler) { handler_ = std::move(handler); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ModelessWindow(std::unique_ptr<WindowModel> model, QObject& owner);
  void Deliver(const Notification& notification);
  void FreeWhenIdle();

  // Destroyed in reverse order: the view first, the model last.
  std::unique_ptr<WindowModel> model_;
  Handler handler_;
  std::unique_ptr<QtWindowView> view_;
  int handling_ = 0;  // depth of Deliver calls running
  bool closed_ = false;
};

}  // namespace vandrel
