#include "ui/qt/skin_ui_loader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <utility>

#include "core/trace.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_palette.h"
#include "ui/qt/device_key_button.h"
#include "ui/qt/page_split.h"
#include "ui/qt/wnd_host.h"

namespace vandrel {
namespace {

QWidget* CreateCustom(const QString& class_name, QWidget* parent) {
  if (class_name == "DeviceKeyButton") return new DeviceKeyButton(parent);
  if (class_name == "CircleProgress") return new CircleProgress(parent);
  if (class_name == "ColourPalette") return new ColourPalette(parent);
  if (class_name == "WndHost") return new WndHost(parent);
  if (class_name == "ChartView") return new ChartView(parent);
  return nullptr;
}

// QUiLoader loads every Qt Designer widget plugin as it is made; QQuickWidget's brings QtQuick
// and QtQml, megabytes the skin never uses (its own widgets are made above). While one of these
// lives, Qt's library folders are hidden, so the base finds no plugin to load.
class LibraryPathsHidden {
 public:
  LibraryPathsHidden() : saved_(QCoreApplication::libraryPaths()) {
    QCoreApplication::setLibraryPaths({});
  }
  ~LibraryPathsHidden() { QCoreApplication::setLibraryPaths(saved_); }
  LibraryPathsHidden(const LibraryPathsHidden&) = delete;
  LibraryPathsHidden& operator=(const LibraryPathsHidden&) = delete;

  // Hands the parent through, so that the base is made within this object's life.
  QObject* Pass(QObject* parent) const { return parent; }

 private:
  const QStringList saved_;
};

// Lays `contents` over the whole of `holder`, hidden until its controls are bound: the caller
// shows it.
void PutInto(QWidget& holder, QWidget& contents) {
  contents.hide();
  auto* layout = new QVBoxLayout(&holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(&contents);
}

}  // namespace

// The temporary lives until the base's constructor has returned.
SkinUiLoader::SkinUiLoader(Skin skin, QObject* parent)
    : QUiLoader(LibraryPathsHidden().Pass(parent)), skin_(std::move(skin)) {
  setWorkingDirectory(QDir(QString::fromStdString(skin_.Folder().string())));
}

QWidget* SkinUiLoader::createWidget(const QString& class_name, QWidget* parent,
                                    const QString& name) {
  QWidget* widget = CreateCustom(class_name, parent);
  if (widget == nullptr) return QUiLoader::createWidget(class_name, parent, name);
  widget->setObjectName(name);
  return widget;
}

QWidget* SkinUiLoader::LoadFile(std::string_view resource, QWidget* parent) {
  const std::optional<std::string> text = skin_.Read(resource);
  QWidget* top = text ? LoadText(*text, parent) : nullptr;
  if (text && top == nullptr) Trace("skin layout not loaded by the view: " + std::string(resource));
  return top;
}

QWidget* SkinUiLoader::LoadText(std::string_view ui_xml, QWidget* parent) {
  std::optional<SplitLayout> split = SplitPages(ui_xml, set_aside_.size());
  if (!split) return nullptr;
  for (std::string& page : split->pages) set_aside_.push_back(std::move(page));
  QByteArray bytes = QByteArray::fromStdString(split->layout);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return load(&buffer, parent);
}

QWidget* SkinUiLoader::FillPlaceholder(QWidget& placeholder, std::string_view file) {
  QWidget* page = LoadFile(file, &placeholder);
  if (page != nullptr) PutInto(placeholder, *page);
  return page;
}

std::optional<std::size_t> SkinUiLoader::SetAsideNumber(const QWidget& page) const {
  bool valid = false;
  const qulonglong number = page.property(kSetAsidePage.data()).toULongLong(&valid);
  if (!valid || number >= set_aside_.size() || set_aside_[number].empty()) return std::nullopt;
  return static_cast<std::size_t>(number);
}

bool SkinUiLoader::HoldsSetAside(const QWidget& page) const {
  return SetAsideNumber(page).has_value();
}

QWidget* SkinUiLoader::FillPage(QWidget& page) {
  const std::optional<std::size_t> number = SetAsideNumber(page);
  if (!number) return nullptr;
  const std::string contents = std::exchange(set_aside_[*number], {});
  QWidget* top = LoadText(contents, &page);
  if (top != nullptr) PutInto(page, *top);
  return top;
}

}  // namespace vandrel
