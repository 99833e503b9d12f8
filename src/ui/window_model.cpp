#include "ui/window_model.h"

#include <algorithm>
#include <utility>

#include "ui/transaction.h"

namespace vandrel {

WindowModel::WindowModel(std::string resource, std::shared_ptr<TextResources> texts)
    : resource_(std::move(resource)),
      texts_(std::move(texts)),
      ui_thread_(std::this_thread::get_id()) {
  controls_.push_back(std::make_unique<Control>(*this, nullptr, ControlKind::kContainer, "root"));
  root_ = controls_.back().get();
  by_name_["root"].push_back(root_);
  texts_->AddObserver(this);
}

WindowModel::~WindowModel() {
  texts_->RemoveObserver(this);
  SetChangeListener({});
}

Control* WindowModel::Find(std::string_view name) const {
  std::lock_guard lock(mutex_);
  const auto found = by_name_.find(std::string(name));
  return found == by_name_.end() ? nullptr : found->second.front();
}

std::vector<Control*> WindowModel::FindAll(std::string_view name) const {
  std::lock_guard lock(mutex_);
  const auto found = by_name_.find(std::string(name));
  return found == by_name_.end() ? std::vector<Control*>() : found->second;
}

std::vector<Control*> WindowModel::AllControls() const {
  std::lock_guard lock(mutex_);
  return PreorderLocked();
}

std::vector<Control*> WindowModel::PreorderLocked() const {
  std::vector<Control*> all;
  std::vector<Control*> stack{root_};
  while (!stack.empty()) {
    Control* control = stack.back();
    stack.pop_back();
    all.push_back(control);
    stack.insert(stack.end(), control->children_.rbegin(), control->children_.rend());
  }
  return all;
}

Control& WindowModel::AddControl(Control& parent, ControlKind kind, std::string name) {
  Transaction transaction(*this);
  controls_.push_back(std::make_unique<Control>(*this, &parent, kind, name));
  Control* control = controls_.back().get();
  control->index_ = controls_.size() - 1;
  parent.children_.push_back(control);
  if (name.empty()) return *control;
  std::vector<Control*>& named = by_name_[name];
  named.push_back(control);
  // Lookup is in document order. A control added under the last branch (as the skin loader adds
  // them) is last already; one added to an earlier parent has to be put in its place.
  if (named.size() > 1 && !IsLastInDocumentLocked(*control)) {
    named.clear();
    for (Control* each : PreorderLocked()) {
      if (each->name_ == name) named.push_back(each);
    }
  }
  return *control;
}

bool WindowModel::IsLastInDocumentLocked(const Control& control) const {
  for (const Control* child = &control; child->parent_ != nullptr; child = child->parent_) {
    if (child->parent_->children_.back() != child) return false;
  }
  return true;
}

void WindowModel::SetNotifyHandler(NotifyHandler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

void WindowModel::SetUiThread(std::thread::id id) {
  std::lock_guard lock(mutex_);
  ui_thread_ = id;
}

bool WindowModel::OnUiThread() const {
  std::lock_guard lock(mutex_);
  return std::this_thread::get_id() == ui_thread_;
}

void WindowModel::Dispatch(std::vector<Notification> notifications) {
  if (notifications.empty()) return;
  NotifyHandler handler;
  {
    std::lock_guard lock(mutex_);
    if (std::this_thread::get_id() != ui_thread_) {
      pending_.insert(pending_.end(), notifications.begin(), notifications.end());
      notifications.clear();
    } else {
      handler = handler_;
    }
  }
  if (notifications.empty()) {
    WakeListener();
    return;
  }
  if (!handler) return;
  for (const Notification& notification : notifications) handler(notification);
}

void WindowModel::DeliverPendingNotifications() {
  std::vector<Notification> pending;
  NotifyHandler handler;
  {
    std::lock_guard lock(mutex_);
    if (std::this_thread::get_id() != ui_thread_) return;
    pending.swap(pending_);
    handler = handler_;
  }
  if (!handler) return;
  for (const Notification& notification : pending) handler(notification);
}

void WindowModel::RaiseWindowInit() {
  Transaction transaction(*this);
  transaction.Raise({notify::kWindowInit, root_});
}

void WindowModel::RaiseWindowSize() {
  Transaction transaction(*this);
  transaction.Raise({notify::kWindowSize, root_});
}

Control* WindowModel::FocusedControl() const {
  std::lock_guard lock(mutex_);
  return focused_;
}

void WindowModel::ClearFocus(Notify notify) {
  Transaction transaction(*this);
  MoveFocusLocked(nullptr, notify, transaction);
}

void WindowModel::SetChangeListener(std::function<void()> listener) {
  std::lock_guard lock(listener_mutex_);
  listener_ = std::move(listener);
}

std::vector<ControlChange> WindowModel::TakeChanges() {
  std::lock_guard lock(mutex_);
  return std::exchange(changes_, {});
}

void WindowModel::TakeChanges(std::vector<ControlChange>& into) {
  into.clear();
  std::lock_guard lock(mutex_);
  changes_.swap(into);
}

void WindowModel::WakeListener() {
  std::lock_guard lock(listener_mutex_);
  if (listener_) listener_();
}

void WindowModel::OnTextsChanged() {
  Transaction transaction(*this);
  for (const std::unique_ptr<Control>& control : controls_) {
    const ControlState& state = control->state_;
    if (state.resource_text) transaction.Changed(*control, Property::kText);
    const bool resource_rows = std::ranges::any_of(state.items, [](const ListItem& item) {
      return std::ranges::any_of(item.cells,
                                 [](const ListCell& cell) { return cell.resource_text; });
    });
    if (resource_rows) transaction.Changed(*control, Property::kItems);
  }
}

bool WindowModel::IsShownLocked(const Control& control) const {
  const Control* child = &control;
  if (!child->state_.visible) return false;
  for (const Control* parent = child->parent_; parent != nullptr; parent = parent->parent_) {
    if (!parent->state_.visible) return false;
    if (parent->kind_ == ControlKind::kTabLayout) {
      const auto& pages = parent->children_;
      const auto page = std::find(pages.begin(), pages.end(), child);
      if (page - pages.begin() != parent->state_.current) return false;
    }
    child = parent;
  }
  return true;
}

void WindowModel::UnselectGroupLocked(const Control& selected, Transaction& transaction) {
  const std::string& group = selected.state_.group;
  if (selected.kind_ != ControlKind::kOption || group.empty()) return;
  for (const std::unique_ptr<Control>& control : controls_) {
    if (control.get() == &selected || control->kind_ != ControlKind::kOption) continue;
    if (control->state_.group != group || !control->state_.selected) continue;
    control->state_.selected = false;
    transaction.Changed(*control, Property::kSelected);
  }
}

void WindowModel::MoveFocusLocked(Control* to, Notify notify, Transaction& transaction) {
  Control* from = focused_;
  if (from == to) return;
  focused_ = to;
  if (from != nullptr) transaction.Changed(*from, Property::kFocus);
  if (to != nullptr) transaction.Changed(*to, Property::kFocus);
  if (notify == Notify::kNo) return;
  if (from != nullptr) transaction.Raise({notify::kKillFocus, from});
  if (to != nullptr) transaction.Raise({notify::kSetFocus, to});
}

}  // namespace vandrel
