#include "ui/qt/qt_dialogs.h"

#include <QDialog>
#include <QTimer>
#include <utility>

#include "core/trace.h"
#include "ui/message_box.h"
#include "ui/qt/window_view.h"

namespace vandrel {

QtDialogs::QtDialogs(const Skin& skin, std::shared_ptr<TextResources> texts,
                     OwnerWidget owner_widget)
    : skin_(skin), texts_(std::move(texts)), owner_widget_(std::move(owner_widget)) {}

int QtDialogs::ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) {
  return RunMessageBox(owner, text, is_identifier, std::nullopt);
}

void QtDialogs::ShowNoDeviceMessage(WindowModel* owner) {
  (void)RunMessageBox(owner, kNoDeviceMessage, true, kNoDeviceMessageTime);
}

// FIXME: the palette, skin window, About window and file dialog are being written.
PaletteChoice QtDialogs::RunPalette(WindowModel*, std::uint32_t initial) { return {2, initial}; }
void QtDialogs::OpenSkinWindow(WindowModel&, const Control&) {}
void QtDialogs::OpenAbout(WindowModel*) {}
std::optional<std::filesystem::path> QtDialogs::ChooseFileToOpen(WindowModel*,
                                                                 const OpenFileRequest&) {
  return std::nullopt;
}

int QtDialogs::RunMessageBox(WindowModel* owner, std::string_view text, bool is_identifier,
                             std::optional<std::chrono::milliseconds> close_after) {
  const std::unique_ptr<WindowModel> box = BuildWindow(skin_, kMessageBoxResource, texts_);
  QWidget* owner_widget = owner_widget_ ? owner_widget_(owner) : nullptr;
  const std::unique_ptr<QtWindowView> view =
      box ? QtWindowView::Create(*box, skin_, owner_widget) : nullptr;
  auto* dialog = view ? qobject_cast<QDialog*>(view->Widget()) : nullptr;
  if (dialog == nullptr) {
    Trace("message box not shown: the skin has no dialog for it");
    return 0;
  }
  PrepareMessageBox(*box, text, is_identifier);
  view->Sync();
  box->SetNotifyHandler([dialog](const Notification& notification) {
    if (const std::optional<int> result = MessageBoxResult(notification)) dialog->done(*result);
  });
  dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  dialog->setWindowModality(Qt::ApplicationModal);
  if (close_after) QTimer::singleShot(*close_after, dialog, [dialog] { dialog->done(0); });
  return dialog->exec();
}

}  // namespace vandrel
