// QtWindowView: the Qt face of one window of the control model. It builds the window's widgets
// from the same skin files as the model, binds each named widget to the control of the same name
// (the n-th widget of a name to the n-th control of that name, both in document order), and then
// keeps the two in step. The page of a placeholder, and the contents of a tab layout's page or of
// a panel the skin hides, are built and bound only when first shown (most pages never are in a
// session, and every widget costs memory and start-up time): their widgets then take what the model
// holds at that moment, and follow it from then on. Names repeat from page to page, so a page binds
// to its own controls alone. In step means:
// - user input becomes the model operation with notification that the user's action stands for
//   (a click, a slider moved or released, text typed, a row or colour chosen, focus, hover);
// - the model's change events are applied to the widgets with their signals blocked, so a change
//   made by code never comes back as a notification.
// The view delivers the notifications that worker threads raised and applies their changes on
// the user-interface thread, in order, as soon as its event loop runs (or when Sync is called).
//
// Create, use and destroy on the user-interface thread; the model may be touched from any thread
// meanwhile. The view owns its top widget; the model must outlive the view.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/skin.h"
#include "ui/window_model.h"

namespace vandrel {

class DeviceKeyButton;
class SkinUiLoader;

class QtWindowView final : public QObject {
  Q_OBJECT

 public:
  // The view of `model`, built from the skin layout named by the model's resource; nullptr when
  // the layout cannot be loaded. `parent` becomes the top widget's parent.
  [[nodiscard]] static std::unique_ptr<QtWindowView> Create(WindowModel& model, const Skin& skin,
                                                            QWidget* parent = nullptr);
  ~QtWindowView() override;

  [[nodiscard]] QWidget* Widget() const { return top_; }
  // The widget bound to `control`; nullptr when the skin gave it none, or while the page that
  // holds it has not been built.
  [[nodiscard]] QWidget* WidgetOf(const Control& control) const;
  // Builds now, as if they were shown, the pages that hold `control`, so that it has its widget.
  void BuildPagesOf(const Control& control);
  // Delivers pending notifications, then applies pending change events.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Candidates;

  QtWindowView(WindowModel& model, std::unique_ptr<SkinUiLoader> loader,
               const std::filesystem::path& skin_folder, QWidget* top);
  // Binds the controls under `parent` that are not yet on an unbuilt page to the widgets in
  // `scope`; the controls bound.
  std::vector<Control*> Bind(const Control& parent, const QWidget& scope);
  void BindUnder(const Control& parent, Candidates& candidates, std::vector<Control*>& bound);
  void BindOne(Control& control, QWidget& widget);
  void BuildPage(QWidget& holder);
  void Connect(Control& control, QWidget& widget);
  void ConnectValueInput(Control& control, QWidget& widget);
  void Apply(const Control& control, QWidget& widget, Property property);
  void ApplyAll(const Control& control, QWidget& widget);
  void ScheduleSync();

  WindowModel& model_;
  const std::unique_ptr<SkinUiLoader> loader_;
  const std::filesystem::path skin_folder_;
  QPointer<QWidget> top_;
  // What each control is bound to, by the control's index: a preview relights a hundred keys a
  // frame, each found here without a hash or a cast.
  struct Bound {
    QWidget* widget = nullptr;
    DeviceKeyButton* key = nullptr;  // the widget, when it is a device key
  };
  [[nodiscard]] const Bound* BoundTo(const Control& control) const;
  std::vector<Bound> bound_;
  std::unordered_map<const QObject*, Control*> controls_;
  // The placeholders and pages (tab pages, hidden panels) not built yet, by widget.
  std::unordered_map<const QObject*, Control*> unbuilt_;
  std::vector<ControlChange> changes_;  // kept between syncs for its storage
  bool applying_ = false;
  std::atomic<bool> sync_scheduled_ = false;
};

}  // namespace vandrel
