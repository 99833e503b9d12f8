#include "ui/qt/window_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <map>
#include <string>
#include <vector>

#include "ui/qt/colour_palette.h"
#include "ui/qt/post_lock.h"
#include "ui/qt/skin_ui_loader.h"
#include "ui/qt/widget_apply.h"

namespace vandrel {
namespace {

// Every event of every bound widget passes the view's filter, paints above all: only these few
// become model operations.
bool BecomesModelOperation(QEvent::Type type) {
  return type == QEvent::FocusIn || type == QEvent::FocusOut || type == QEvent::Enter ||
         type == QEvent::Leave || type == QEvent::Resize;
}

}  // namespace

std::unique_ptr<QtWindowView> QtWindowView::Create(WindowModel& model, const Skin& skin,
                                                   QWidget* parent) {
  SkinUiLoader loader(skin);
  QWidget* top = loader.LoadLayout(model.Resource(), parent);
  if (top == nullptr) return nullptr;
  return std::unique_ptr<QtWindowView>(new QtWindowView(model, skin, top));
}

QtWindowView::QtWindowView(WindowModel& model, const Skin& skin, QWidget* top)
    : model_(model), skin_folder_(skin.Folder()), top_(top) {
  Bind();
  (void)model_.TakeChanges();  // the binding applied everything already
  model_.SetChangeListener([this] { ScheduleSync(); });
}

QtWindowView::~QtWindowView() {
  model_.SetChangeListener({});
  // What the widgets go through while they are destroyed (losing focus, say) is not the user's.
  controls_.clear();
  delete top_.data();
}

QWidget* QtWindowView::WidgetOf(const Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

void QtWindowView::Bind() {
  std::map<std::string, std::vector<QWidget*>> by_name;
  for (QWidget* widget : top_->findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty())
      by_name[widget->objectName().toStdString()].push_back(widget);
  }
  std::map<std::string, std::size_t> used;
  for (Control* control : model_.AllControls()) {
    QWidget* widget = nullptr;
    if (control == &model_.Root()) {
      widget = top_;
    } else {
      std::vector<QWidget*>& candidates = by_name[control->Name()];
      std::size_t& next = used[control->Name()];
      if (next < candidates.size()) widget = candidates[next++];
    }
    if (widget == nullptr) continue;
    widgets_[control] = widget;
    controls_[widget] = control;
    ApplyAll(*control, *widget);
    Connect(*control, *widget);
  }
}

void QtWindowView::Connect(Control& control, QWidget& widget) {
  widget.installEventFilter(this);
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setAutoExclusive(false);  // groups are the model's business
    connect(button, &QAbstractButton::clicked, this, [this, &control, &widget] {
      control.Click();
      // The button toggled itself; the model decides whether it really is checked.
      Apply(control, widget, Property::kSelected);
    });
  }
  ConnectValueInput(control, widget);
}

void QtWindowView::ConnectValueInput(Control& control, QWidget& widget) {
  if (auto* slider = qobject_cast<QSlider*>(&widget)) {
    connect(slider, &QSlider::valueChanged, this, [&control, slider](int value) {
      if (slider->isSliderDown()) {
        control.MoveSlider(value);
      } else {
        control.ReleaseSlider(value);
      }
    });
    connect(slider, &QSlider::sliderReleased, this,
            [&control, slider] { control.ReleaseSlider(slider->value()); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    connect(edit, &QLineEdit::textEdited, this,
            [&control](const QString& text) { control.Type(text.toStdString()); });
  } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    connect(combo, &QComboBox::activated, this,
            [&control](int index) { (void)control.SelectItem(index, Notify::kYes); });
  } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
    connect(list, &QListWidget::itemClicked, this,
            [&control, list](QListWidgetItem* item) { (void)control.ClickItem(list->row(item)); });
  } else if (auto* palette = qobject_cast<ColourPalette*>(&widget)) {
    connect(palette, &ColourPalette::ColourPicked, this,
            [&control](const QColor& colour) { control.PickColour(colour.rgba()); });
  }
}

bool QtWindowView::eventFilter(QObject* watched, QEvent* event) {
  if (applying_ || !BecomesModelOperation(event->type())) {
    return QObject::eventFilter(watched, event);
  }
  const auto found = controls_.find(watched);
  if (found == controls_.end()) return QObject::eventFilter(watched, event);
  Control& control = *found->second;
  switch (event->type()) {
    case QEvent::FocusIn:
      control.SetFocus(Notify::kYes);
      break;
    case QEvent::FocusOut:
      if (control.HasFocus()) model_.ClearFocus(Notify::kYes);
      break;
    case QEvent::Enter:
      control.MouseEnter();
      break;
    case QEvent::Leave:
      control.MouseLeave();
      break;
    case QEvent::Resize:
      if (watched == top_) model_.RaiseWindowSize();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void QtWindowView::Apply(const Control& control, QWidget& widget, Property property) {
  const QSignalBlocker blocker(&widget);
  applying_ = true;
  ApplyProperty(widget, control, property, skin_folder_);
  applying_ = false;
}

void QtWindowView::ApplyAll(const Control& control, QWidget& widget) {
  const QSignalBlocker blocker(&widget);
  applying_ = true;
  ApplyAllProperties(widget, control, skin_folder_);
  applying_ = false;
}

void QtWindowView::ScheduleSync() {
  // Any thread. One queued call at a time; it takes everything waiting when it runs.
  if (sync_scheduled_.exchange(true)) return;
  PostCall(this, [this] {
    sync_scheduled_ = false;
    Sync();
  });
}

void QtWindowView::Sync() {
  model_.DeliverPendingNotifications();
  for (const ControlChange& change : model_.TakeChanges()) {
    const auto found = widgets_.find(change.control);
    if (found != widgets_.end()) Apply(*change.control, *found->second, change.property);
  }
}

}  // namespace vandrel
