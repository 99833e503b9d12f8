#include "ui/qt/skin_ui_loader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "core/trace.h"
#include "ui/qt/chart_view.h"
#include "ui/qt/circle_progress.h"
#include "ui/qt/colour_palette.h"
#include "ui/qt/device_key_button.h"
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
  if (!text) return nullptr;
  QByteArray bytes = QByteArray::fromStdString(*text);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QWidget* top = load(&buffer, parent);
  if (top == nullptr) Trace("skin layout not loaded by the view: " + std::string(resource));
  return top;
}

QWidget* SkinUiLoader::FillPlaceholder(QWidget& placeholder, std::string_view file) {
  QWidget* page = LoadFile(file, &placeholder);
  if (page == nullptr) return nullptr;
  page->hide();  // until its controls are bound: the caller shows it
  auto* layout = new QVBoxLayout(&placeholder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page);
  return page;
}

}  // namespace vandrel
