#include "ui/qt/window_view.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/qt/colour_palette.h"
#include "ui/qt/device_key_button.h"
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

// The file of the page the model built into a placeholder; empty for other controls.
std::string PageFile(const Control& control) { return control.Attribute("layout"); }

}  // namespace

// The widgets of a scope by name, each handed out once, in document order.
class QtWindowView::Candidates {
 public:
  explicit Candidates(const QWidget& scope) {
    for (QWidget* widget : scope.findChildren<QWidget*>()) {
      if (!widget->objectName().isEmpty())
        by_name_[widget->objectName().toStdString()].push_back(widget);
    }
  }

  QWidget* Take(const std::string& name) {
    const auto found = by_name_.find(name);
    if (found == by_name_.end()) return nullptr;
    std::size_t& next = used_[name];
    return next < found->second.size() ? found->second[next++] : nullptr;
  }

 private:
  std::map<std::string, std::vector<QWidget*>> by_name_;
  std::map<std::string, std::size_t> used_;
};

std::unique_ptr<QtWindowView> QtWindowView::Create(WindowModel& model, const Skin& skin,
                                                   QWidget* parent) {
  auto loader = std::make_unique<SkinUiLoader>(skin);
  QWidget* top = loader->LoadFile(model.Resource(), parent);
  if (top == nullptr) return nullptr;
  return std::unique_ptr<QtWindowView>(
      new QtWindowView(model, std::move(loader), skin.Folder(), top));
}

QtWindowView::QtWindowView(WindowModel& model, std::unique_ptr<SkinUiLoader> loader,
                           const std::filesystem::path& skin_folder, QWidget* top)
    : model_(model), loader_(std::move(loader)), skin_folder_(skin_folder), top_(top) {
  BindOne(model_.Root(), *top_);
  (void)Bind(model_.Root(), *top_);
  (void)model_.TakeChanges();  // the binding applied everything already
  model_.SetChangeListener([this] { ScheduleSync(); });
}

QtWindowView::~QtWindowView() {
  model_.SetChangeListener({});
  // What the widgets go through while they are destroyed (losing focus, say) is not the user's.
  controls_.clear();
  unbuilt_.clear();
  delete top_.data();
}

const QtWindowView::Bound* QtWindowView::BoundTo(const Control& control) const {
  const std::size_t index = control.Index();
  return index < bound_.size() && bound_[index].widget != nullptr ? &bound_[index] : nullptr;
}

QWidget* QtWindowView::WidgetOf(const Control& control) const {
  const Bound* bound = BoundTo(control);
  return bound == nullptr ? nullptr : bound->widget;
}

void QtWindowView::BuildPagesOf(const Control& control) {
  std::vector<const Control*> outward;
  for (const Control* holder = control.Parent(); holder != nullptr; holder = holder->Parent())
    outward.push_back(holder);
  // From the outermost in: building a page binds the placeholders of the pages within it.
  for (auto holder = outward.rbegin(); holder != outward.rend(); ++holder) {
    if (QWidget* widget = WidgetOf(**holder)) BuildPage(*widget);
  }
}

std::vector<Control*> QtWindowView::Bind(const Control& parent, const QWidget& scope) {
  Candidates candidates(scope);
  std::vector<Control*> bound;
  BindUnder(parent, candidates, bound);
  return bound;
}

// In document order, each control before its children, as the widgets were made.
void QtWindowView::BindUnder(const Control& parent, Candidates& candidates,
                             std::vector<Control*>& bound) {
  for (Control* child : parent.Children()) {
    QWidget* widget = candidates.Take(child->Name());
    if (widget != nullptr) {
      BindOne(*child, *widget);
      bound.push_back(child);
      // The controls of a page not built yet are bound with it.
      if (unbuilt_.contains(widget)) continue;
    }
    BindUnder(*child, candidates, bound);
  }
}

void QtWindowView::BindOne(Control& control, QWidget& widget) {
  if (bound_.size() <= control.Index()) bound_.resize(control.Index() + 1);
  bound_[control.Index()] = {&widget, qobject_cast<DeviceKeyButton*>(&widget)};
  controls_[&widget] = &control;
  // Connected first: an option stops being exclusive on its own, which would keep the skin's
  // checked option checked against the model.
  Connect(control, widget);
  ApplyAll(control, widget);
  if (!PageFile(control).empty() || loader_->HoldsSetAside(widget))
    unbuilt_.emplace(&widget, &control);
}

void QtWindowView::BuildPage(QWidget& holder) {
  const auto found = unbuilt_.find(&holder);
  if (found == unbuilt_.end()) return;
  const Control& owner = *found->second;
  unbuilt_.erase(found);
  const std::string file = PageFile(owner);
  QWidget* page = file.empty() ? loader_->FillPage(holder) : loader_->FillPlaceholder(holder, file);
  if (page == nullptr) return;
  const std::vector<Control*> bound = Bind(owner, holder);
  // Shown, the page's own placeholders and tab pages that are visible build in turn.
  page->show();
  holder.layout()->activate();
  // What the model did to these controls before they had widgets, beyond their state: a list
  // brought to a row, the focus. Lists need their geometry for the first.
  for (Control* control : bound) {
    QWidget& widget = *WidgetOf(*control);
    Apply(*control, widget, Property::kScroll);
    Apply(*control, widget, Property::kFocus);
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
  if (event->type() == QEvent::Show && !unbuilt_.empty() && watched->isWidgetType())
    BuildPage(*static_cast<QWidget*>(watched));
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

// Applying may show a placeholder, whose page is then built and applied within.
void QtWindowView::Apply(const Control& control, QWidget& widget, Property property) {
  const QSignalBlocker blocker(&widget);
  const bool outer = std::exchange(applying_, true);
  ApplyProperty(widget, control, property, skin_folder_);
  applying_ = outer;
}

void QtWindowView::ApplyAll(const Control& control, QWidget& widget) {
  const QSignalBlocker blocker(&widget);
  const bool outer = std::exchange(applying_, true);
  ApplyAllProperties(widget, control, skin_folder_);
  applying_ = outer;
}

void QtWindowView::ScheduleSync() {
  // Any thread. One queued call at a time; it takes everything waiting when it runs.
  if (sync_scheduled_.exchange(true)) return;
  PostCall(this, [this] {
    sync_scheduled_ = false;
    Sync();
  });
}

// A preview brings a hundred light changes a frame: they reuse one vector, and since a light
// raises no signal and shows no page, they go to their keys straight, without a blocker.
void QtWindowView::Sync() {
  model_.DeliverPendingNotifications();
  std::vector<ControlChange> changes = std::move(changes_);
  model_.TakeChanges(changes);
  for (const ControlChange& change : changes) {
    const Bound* bound = BoundTo(*change.control);
    if (bound == nullptr) continue;
    if (change.property != Property::kLight) {
      Apply(*change.control, *bound->widget, change.property);
    } else if (bound->key != nullptr) {
      const Control::Light light = change.control->LightNow();
      bound->key->SetLight(light.on, light.colour, light.alpha);
    }
  }
  changes_ = std::move(changes);
}

}  // namespace vandrel
