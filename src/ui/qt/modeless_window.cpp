#include "ui/qt/modeless_window.h"

#include <QEvent>
#include <QWidget>
#include <utility>

#include "ui/qt/window_view.h"

namespace vandrel {

ModelessWindow* ModelessWindow::Open(const Skin& skin, std::string_view resource,
                                     std::shared_ptr<TextResources> texts, QWidget* parent,
                                     QObject& owner) {
  std::unique_ptr<WindowModel> model = BuildWindow(skin, resource, std::move(texts));
  if (model == nullptr) return nullptr;
  std::unique_ptr<QtWindowView> view = QtWindowView::Create(*model, skin, parent);
  if (view == nullptr) return nullptr;
  auto* window = new ModelessWindow(std::move(model), owner);  // owned by `owner`
  window->view_ = std::move(view);
  window->view_->Widget()->installEventFilter(window);
  return window;
}

ModelessWindow::ModelessWindow(std::unique_ptr<WindowModel> model, QObject& owner)
    : QObject(&owner), model_(std::move(model)) {
  model_->SetNotifyHandler([this](const Notification& n) { Deliver(n); });
}

ModelessWindow::~ModelessWindow() = default;

QWidget* ModelessWindow::Widget() const { return view_->Widget(); }

void ModelessWindow::Deliver(const Notification& notification) {
  ++handling_;
  const std::optional<int> result = handler_ ? handler_(notification) : std::nullopt;
  --handling_;
  if (result && Widget() != nullptr) Widget()->close();
  if (closed_) FreeWhenIdle();
}

bool ModelessWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Widget() && event->type() == QEvent::Close) {
    closed_ = true;
    FreeWhenIdle();
  }
  return QObject::eventFilter(watched, event);
}

void ModelessWindow::FreeWhenIdle() {
  if (handling_ == 0) deleteLater();
}

}  // namespace vandrel
