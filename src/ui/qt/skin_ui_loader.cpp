#include "ui/qt/skin_ui_loader.h"

#include <QVBoxLayout>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>

#include "core/trace.h"
#include "ui/qt/page_split.h"

namespace vandrel {
namespace {

// Lays `contents` over the whole of `holder`, hidden until its controls are bound: the caller
// shows it.
void PutInto(QWidget& holder, QWidget& contents) {
  contents.hide();
  auto* layout = new QVBoxLayout(&holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(&contents);
}

}  // namespace

SkinUiLoader::SkinUiLoader(Skin skin) : skin_(std::move(skin)) {}

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
  return builder_.Build(split->layout, parent);
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
