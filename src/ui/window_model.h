// WindowModel: the controls of one window as a tree, with lookup by name, the window's
// notification handler, and the queue of change events its view applies. See toolkit.h for the
// model as a whole.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "ui/control.h"
#include "ui/notification.h"
#include "ui/text_resources.h"

namespace vandrel {

// One change event: `property` of `control` has a new value, to be read from the model.
struct ControlChange {
  const Control* control;
  Property property;

  bool operator==(const ControlChange&) const = default;
};

class WindowModel final : private TextResources::Observer {
 public:
  using NotifyHandler = std::function<void(const Notification&)>;

  // `resource` names the window's skin resource ("XML_MAIN", "XML_MSG" …). The window starts
  // with an empty root container named "root" and treats the constructing thread as its
  // user-interface thread. `texts` resolves resource texts and tells the window when another
  // language is loaded.
  WindowModel(std::string resource, std::shared_ptr<TextResources> texts);
  ~WindowModel();
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  [[nodiscard]] const std::string& Resource() const { return resource_; }
  [[nodiscard]] Control& Root() const { return *root_; }
  [[nodiscard]] TextResources& Texts() const { return *texts_; }
  [[nodiscard]] std::shared_ptr<TextResources> SharedTexts() const { return texts_; }

  // Lookup by exact name, in document order. Any thread.
  [[nodiscard]] Control* Find(std::string_view name) const;
  [[nodiscard]] std::vector<Control*> FindAll(std::string_view name) const;
  // Every control, root first, in document order. Any thread.
  [[nodiscard]] std::vector<Control*> AllControls() const;

  // Adds a control as the last child of `parent` (a control of this window). Controls are never
  // removed, so a Control* stays valid for the window's life. Any thread.
  Control& AddControl(Control& parent, ControlKind kind, std::string name);

  // The handler that receives the window's notifications, always on the user-interface thread.
  // Call before notifications can happen (before worker threads start).
  void SetNotifyHandler(NotifyHandler handler);
  // Makes `id` the user-interface thread (by default the thread that built the window).
  void SetUiThread(std::thread::id id);
  [[nodiscard]] bool OnUiThread() const;
  // User-interface thread: hands the notifications raised on other threads to the handler, in
  // the order they were raised.
  void DeliverPendingNotifications();

  // Window-level notifications, sent by the root control.
  void RaiseWindowInit();
  void RaiseWindowSize();

  [[nodiscard]] Control* FocusedControl() const;
  // Takes the focus from whichever control has it ("killfocus" with Notify::kYes), as when the
  // user moves it outside the window's controls.
  void ClearFocus(Notify notify);

  // View side. `listener` is called (from any thread, outside the window's lock) when a change
  // event or a notification from another thread is waiting; it must only arrange for the
  // user-interface thread to call DeliverPendingNotifications and TakeChanges, and must not call
  // SetChangeListener. An empty function removes it; once that call returns, the old listener is
  // never called again.
  void SetChangeListener(std::function<void()> listener);
  // The change events since the last call, in the order the changes were made.
  [[nodiscard]] std::vector<ControlChange> TakeChanges();
  // The same into `into` (its old contents dropped), which hands its storage to the next changes:
  // a view that keeps one vector allocates nothing once both have grown.
  void TakeChanges(std::vector<ControlChange>& into);

 private:
  friend class Control;
  class Transaction;

  void OnTextsChanged() override;
  void Dispatch(std::vector<Notification> notifications);
  void WakeListener();
  void QueueChangeLocked(const Control& control, Property property);
  [[nodiscard]] std::vector<Control*> PreorderLocked() const;
  [[nodiscard]] bool IsLastInDocumentLocked(const Control& control) const;
  [[nodiscard]] bool IsShownLocked(const Control& control) const;
  void UnselectGroupLocked(const Control& selected, Transaction& transaction);
  void MoveFocusLocked(Control* to, Notify notify, Transaction& transaction);

  const std::string resource_;
  const std::shared_ptr<TextResources> texts_;

  mutable std::mutex mutex_;  // guards everything below and every control's state and children
  std::vector<std::unique_ptr<Control>> controls_;
  std::unordered_map<std::string, std::vector<Control*>> by_name_;
  Control* root_ = nullptr;
  Control* focused_ = nullptr;
  NotifyHandler handler_;
  std::thread::id ui_thread_;
  std::vector<ControlChange> changes_;
  std::vector<Notification> pending_;

  std::mutex listener_mutex_;  // guards listener_ and is held while it runs
  std::function<void()> listener_;
};

}  // namespace vandrel
