#include "ui/qt/widget_apply.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSlider>
#include <QStackedWidget>
#include <array>
#include <optional>

#include "core/decimal.h"
#include "core/file_io.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_palette.h"
#include "ui/qt/colour_swatch.h"
#include "ui/qt/device_key_button.h"
#include "ui/qt/label_picture.h"
#include "ui/qt/picture_reading.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

QString CssColour(std::uint32_t argb) {
  const QColor colour = QColor::fromRgba(argb);
  return QStringLiteral("rgba(%1,%2,%3,%4)")
      .arg(colour.red())
      .arg(colour.green())
      .arg(colour.blue())
      .arg(colour.alpha());
}

// A path as a quoted style-sheet string. Image names come from files a user can edit (main.ini's
// IMAGE), so a quote or a backslash in them must stay part of the name instead of ending the
// string and adding rules. Qt decodes hexadecimal escapes before it reads strings, so a backslash
// of the name is doubled too: what follows it is then always read as a plain character. Line
// breaks cannot be written inside a string at all: such a name has no image.
std::optional<QString> QuotedPath(const QString& path) {
  QString quoted = QStringLiteral("\"");
  for (const QChar character : path) {
    if (character.category() == QChar::Other_Control) return std::nullopt;
    if (character == u'"' || character == u'\\') quoted += u'\\';
    quoted += character;
  }
  return quoted + u'"';
}

// A style sheet names its pictures, and Qt opens them itself: only a regular file is named.
QString ImageUrl(const std::string& image, const std::filesystem::path& skin_folder) {
  const std::string file = SkinImageFile(image);
  if (file.empty() || CheckReadableFile(skin_folder / file) != ReadStatus::kOk) return {};
  const std::optional<QString> quoted = QuotedPath(ToQt((skin_folder / file).string()));
  return quoted ? QStringLiteral("url(%1)").arg(*quoted) : QString();
}

QImage SkinImage(const std::string& image, const std::filesystem::path& skin_folder) {
  const std::string file = SkinImageFile(image);
  return file.empty() ? QImage() : SharedPixmap(skin_folder / file, 1).toImage();
}

// A face picture named by the skin, with its "name@2x" file beside it if there is one, as a style
// sheet would take for a screen above 100 %.
DeviceKeyButton::FacePicture SkinFacePicture(const std::string& image,
                                             const std::filesystem::path& skin_folder) {
  const std::string file = SkinImageFile(image);
  if (file.empty()) return {};
  const std::filesystem::path one = skin_folder / file;
  DeviceKeyButton::FacePicture picture{SharedPixmap(one, 1), {}};
  if (!picture.one.isNull()) picture.two = SharedPixmap(SharperPictureFile(one), 2);
  return picture;
}

// A label draws its background picture itself, unless its look has face pictures too: a style
// sheet draws those over the background, and the hot one under the mouse.
bool DrawsOwnBackground(const QWidget& widget, const ControlState& state) {
  return qobject_cast<const QLabel*>(&widget) != nullptr && state.normal_image.empty() &&
         state.hot_image.empty();
}

// The looks the skin or the code gave this control, over the skin's style sheet. Nothing given,
// nothing overridden. A key draws its face's pictures itself, a label its background picture, a
// swatch its colour.
QString LookStyleSheet(const QWidget& widget, const ControlState& state,
                       const std::filesystem::path& skin_folder) {
  const bool with_images = qobject_cast<const DeviceKeyButton*>(&widget) == nullptr;
  QString rules;
  if (state.background_colour != 0 && qobject_cast<const ColourSwatch*>(&widget) == nullptr) {
    rules += QStringLiteral("background-color:%1;").arg(CssColour(state.background_colour));
  }
  const QString background = with_images && !DrawsOwnBackground(widget, state)
                                 ? ImageUrl(state.background_image, skin_folder)
                                 : "";
  const QString normal = with_images ? ImageUrl(state.normal_image, skin_folder) : "";
  if (!background.isEmpty()) rules += QStringLiteral("border-image:%1;").arg(background);
  if (!normal.isEmpty()) rules += QStringLiteral("border-image:%1;").arg(normal);
  if (state.border_size > 0) {
    rules += QStringLiteral("border:%1px solid %2;")
                 .arg(state.border_size)
                 .arg(CssColour(state.border_colour));
  }
  if (state.fore_colour != 0)
    rules += QStringLiteral("color:%1;").arg(CssColour(state.fore_colour));
  const QString hot = with_images ? ImageUrl(state.hot_image, skin_folder) : "";
  if (rules.isEmpty() && hot.isEmpty()) return {};
  const QString selector = QStringLiteral("#") + widget.objectName();
  QString sheet = selector + "{" + rules + "}";
  if (!hot.isEmpty()) sheet += selector + QStringLiteral(":hover{border-image:%1;}").arg(hot);
  return sheet;
}

QString CellText(const Control& control, const ListCell& cell) {
  return ToQt(cell.resource_text ? control.Window().Texts().Lookup(cell.text) : cell.text);
}

// A row of several cells, or a row with a style, becomes a row widget of labels; the row is named
// after its style and each label after its cell's, so that the style sheet can draw them.
QWidget* RowWidget(const Control& control, const ListItem& item) {
  auto* row = new QWidget;
  row->setObjectName(ToQt(item.style));
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(4, 0, 4, 0);
  for (const ListCell& cell : item.cells) {
    auto* label = new QLabel(CellText(control, cell), row);
    label->setObjectName(ToQt(cell.style));
    layout->addWidget(label, 1);
  }
  return row;
}

void ApplyItems(QWidget& widget, const Control& control) {
  const std::vector<ListItem> items = control.Items();
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    combo->clear();
    for (const ListItem& item : items) {
      combo->addItem(item.cells.empty() ? QString() : CellText(control, item.cells.front()));
    }
  } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
    list->clear();
    for (const ListItem& item : items) {
      auto* row = new QListWidgetItem(list);
      if (item.height > 0) row->setSizeHint(QSize(0, item.height));
      if (item.cells.size() > 1 || (!item.cells.empty() && !item.style.empty())) {
        list->setItemWidget(row, RowWidget(control, item));
      } else if (item.cells.size() == 1) {
        row->setText(CellText(control, item.cells.front()));
      }
    }
  }
  ApplyProperty(widget, control, Property::kCurrent, {});
}

void ApplyCurrent(QWidget& widget, const Control& control) {
  const int current = control.CurrentIndex();
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) combo->setCurrentIndex(current);
  if (auto* list = qobject_cast<QListWidget*>(&widget)) list->setCurrentRow(current);
  if (auto* stack = qobject_cast<QStackedWidget*>(&widget); stack != nullptr && current >= 0) {
    stack->setCurrentIndex(current);
  }
}

void ApplyText(QWidget& widget, const Control& control) {
  const QString text = ToQt(control.Text());
  widget.setToolTip(ToQt(control.Tooltip()));
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) button->setText(text);
  if (auto* label = qobject_cast<QLabel*>(&widget)) label->setText(text);
  if (auto* edit = qobject_cast<QLineEdit*>(&widget); edit != nullptr && edit->text() != text) {
    edit->setText(text);
  }
}

void ApplyRange(QWidget& widget, const Control& control) {
  const ControlState state = control.State();
  if (auto* slider = qobject_cast<QSlider*>(&widget)) {
    slider->setRange(state.minimum, state.maximum);
    slider->setValue(state.value);
  } else if (auto* bar = qobject_cast<QProgressBar*>(&widget)) {
    bar->setRange(state.minimum, state.maximum);
    bar->setValue(state.value);
  } else if (auto* circle = qobject_cast<CircleProgress*>(&widget)) {
    circle->SetRange(state.minimum, state.maximum, state.value);
  }
}

void ApplySelection(QWidget& widget, const Control& control) {
  auto* edit = qobject_cast<QLineEdit*>(&widget);
  if (edit == nullptr) return;
  const auto [start, end] = control.Selection();
  if (start < 0 || end < 0) {
    edit->end(false);
  } else {
    edit->setSelection(start, end - start);
  }
}

void ApplyLook(QWidget& widget, const Control& control, const std::filesystem::path& skin_folder) {
  const ControlState state = control.State();
  auto* key = qobject_cast<DeviceKeyButton*>(&widget);
  widget.setStyleSheet(LookStyleSheet(widget, state, skin_folder));
  if (auto* circle = qobject_cast<CircleProgress*>(&widget)) {
    circle->SetColours(QColor::fromRgba(state.background_colour),
                       QColor::fromRgba(state.fore_colour));
  }
  if (auto* swatch = qobject_cast<ColourSwatch*>(&widget)) {
    swatch->SetColour(QColor::fromRgba(state.background_colour));
  }
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    const std::string file =
        DrawsOwnBackground(widget, state) ? SkinImageFile(state.background_image) : "";
    LabelPicture::Set(*label, file.empty() ? std::filesystem::path() : skin_folder / file);
  }
  if (key != nullptr) {
    // The normal picture over the background's, as in a style sheet.
    DeviceKeyButton::FacePicture normal = SkinFacePicture(state.normal_image, skin_folder);
    if (normal.one.isNull()) normal = SkinFacePicture(state.background_image, skin_folder);
    key->SetFaceImages(std::move(normal), SkinFacePicture(state.hot_image, skin_folder));
    // Shared, so that keys of one size share their light's shape.
    key->SetLightImage(SkinImage(state.light_image, skin_folder));
  }
}

void ApplyChart(QWidget& widget, const Control& control, const std::filesystem::path& skin_folder) {
  auto* chart = qobject_cast<ChartView*>(&widget);
  if (chart == nullptr) return;
  std::vector<ChartView::Item> items;
  for (const ChartItem& item : control.ChartItems())
    items.push_back({ToQt(item.label), item.value, item.y, item.marked});
  chart->SetItems(std::move(items));
  const std::string view = control.Attribute("view");
  chart->SetView(view == "histpgram" ? ChartView::View::kBar
                 : view == "path"    ? ChartView::View::kPath
                                     : ChartView::View::kPie);
  chart->SetShowText(control.Attribute("showtext") == "true");
  chart->SetShadow(SkinImage(control.Attribute("shadowimage"), skin_folder),
                   ParseDecimalPrefix(control.Attribute("shadowimageheight")));
  chart->SetPillar(SkinImage(control.Attribute("pillarimage"), skin_folder),
                   std::max(1, ParseDecimalPrefix(control.Attribute("pillarimagewidth"))));
}

}  // namespace

void ApplyProperty(QWidget& widget, const Control& control, Property property,
                   const std::filesystem::path& skin_folder) {
  switch (property) {
    case Property::kText:
      ApplyText(widget, control);
      break;
    case Property::kVisible:
      // The top window is shown by its owner, and the pages of a tab layout by the layout.
      if (widget.parentWidget() == nullptr) break;
      if (qobject_cast<QStackedWidget*>(widget.parentWidget()) != nullptr) break;
      widget.setVisible(control.IsVisible());
      break;
    case Property::kEnabled:
      widget.setEnabled(control.IsEnabled());
      widget.setAttribute(Qt::WA_TransparentForMouseEvents, !control.IsInputEnabled());
      break;
    case Property::kUserData:
      break;
    case Property::kLook:
      ApplyLook(widget, control, skin_folder);
      ApplyChart(widget, control, skin_folder);  // a chart's attributes are part of its look
      break;
    case Property::kSelected:
      if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setCheckable(control.Kind() == ControlKind::kOption ||
                             control.Kind() == ControlKind::kCheckBox);
        button->setChecked(control.IsSelected());
      }
      break;
    case Property::kSelection:
      ApplySelection(widget, control);
      break;
    case Property::kRange:
      ApplyRange(widget, control);
      break;
    case Property::kItems:
      ApplyItems(widget, control);
      break;
    case Property::kCurrent:
      ApplyCurrent(widget, control);
      break;
    case Property::kColour:
      if (auto* palette = qobject_cast<ColourPalette*>(&widget)) {
        palette->SetColour(QColor::fromRgba(control.SelectedColour()));
      }
      break;
    case Property::kLight:
      if (auto* key = qobject_cast<DeviceKeyButton*>(&widget)) {
        const Control::Light light = control.LightNow();
        key->SetLight(light.on, light.colour, light.alpha);
      }
      break;
    case Property::kChart:
      ApplyChart(widget, control, skin_folder);
      break;
    case Property::kFocus:
      if (control.HasFocus() && !widget.hasFocus()) widget.setFocus(Qt::OtherFocusReason);
      break;
    case Property::kScroll:
      if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        if (QListWidgetItem* row = list->item(control.ScrolledTo())) list->scrollToItem(row);
      }
      break;
  }
}

void ApplyAllProperties(QWidget& widget, const Control& control,
                        const std::filesystem::path& skin_folder) {
  constexpr std::array kOrder = {Property::kLook,    Property::kText,     Property::kItems,
                                 Property::kRange,   Property::kSelected, Property::kColour,
                                 Property::kLight,   Property::kChart,    Property::kCurrent,
                                 Property::kEnabled, Property::kVisible,  Property::kSelection};
  for (Property property : kOrder) ApplyProperty(widget, control, property, skin_folder);
}

}  // namespace vandrel
