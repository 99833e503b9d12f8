#include "ui/qt/qt_dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QTimer>
#include <utility>

#include "core/trace.h"
#include "ui/message_box.h"
#include "ui/pallet_dialog.h"
#include "ui/qt/window_placement.h"
#include "ui/qt/window_view.h"

namespace vandrel {
namespace {

// A frameless modal dialog of the skin; null when the skin gives none.
QDialog* ModalDialogOf(const QtWindowView* view) {
  auto* dialog = view != nullptr ? qobject_cast<QDialog*>(view->Widget()) : nullptr;
  if (dialog == nullptr) return nullptr;
  dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  dialog->setWindowModality(Qt::ApplicationModal);
  return dialog;
}

}  // namespace

QtDialogs::QtDialogs(const Skin& skin, std::shared_ptr<TextResources> texts,
                     OwnerWidget owner_widget, QtDialogsServices services)
    : skin_(skin),
      texts_(std::move(texts)),
      owner_widget_(std::move(owner_widget)),
      services_(std::move(services)),
      open_windows_(std::make_unique<QObject>()) {}

QtDialogs::~QtDialogs() = default;

int QtDialogs::ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) {
  return RunMessageBox(owner, text, is_identifier, std::nullopt);
}

void QtDialogs::ShowNoDeviceMessage(WindowModel* owner) {
  (void)RunMessageBox(owner, kNoDeviceMessage, true, kNoDeviceMessageTime);
}

int QtDialogs::RunMessageBox(WindowModel* owner, std::string_view text, bool is_identifier,
                             std::optional<std::chrono::milliseconds> close_after) {
  const std::unique_ptr<WindowModel> box = BuildWindow(skin_, kMessageBoxResource, texts_);
  const std::unique_ptr<QtWindowView> view =
      box ? QtWindowView::Create(*box, skin_, OwnerWidgetOf(owner)) : nullptr;
  QDialog* dialog = ModalDialogOf(view.get());
  if (dialog == nullptr) {
    Trace("message box not shown: the skin has no dialog for it");
    return 0;
  }
  PrepareMessageBox(*box, text, is_identifier);
  view->Sync();
  box->SetNotifyHandler([dialog](const Notification& notification) {
    if (const std::optional<int> result = MessageBoxResult(notification)) dialog->done(*result);
  });
  if (close_after) QTimer::singleShot(*close_after, dialog, [dialog] { dialog->done(0); });
  return dialog->exec();
}

PaletteChoice QtDialogs::RunPalette(WindowModel* owner, std::uint32_t initial) {
  const std::unique_ptr<WindowModel> window = BuildWindow(skin_, kPaletteResource, texts_);
  const std::unique_ptr<QtWindowView> view =
      window ? QtWindowView::Create(*window, skin_, OwnerWidgetOf(owner)) : nullptr;
  QDialog* dialog = ModalDialogOf(view.get());
  if (dialog == nullptr) {
    Trace("colour palette not shown: the skin has no dialog for it");
    return {kPaletteClosed, initial};
  }
  CPalletDialog palette(*window, initial);
  view->Sync();
  window->SetNotifyHandler([dialog, &palette](const Notification& notification) {
    if (const std::optional<int> result = palette.Handle(notification)) dialog->done(*result);
  });
  dialog->move(KeepOnScreen(QRect(PalettePosition(QCursor::pos()), dialog->size())));
  const int result = dialog->exec();
  // Only "okbtn" confirms; closing the window any other way is a close.
  if (result != kPaletteConfirmed) return {kPaletteClosed, initial};
  return {kPaletteConfirmed, palette.Colour()};
}

std::optional<std::filesystem::path> QtDialogs::ChooseFileToOpen(WindowModel* owner,
                                                                 const FileDialogRequest& request) {
  return ChooseFile(owner, request, false);
}

std::optional<std::filesystem::path> QtDialogs::ChooseFileToSave(WindowModel* owner,
                                                                 const FileDialogRequest& request) {
  return ChooseFile(owner, request, true);
}

std::optional<std::filesystem::path> QtDialogs::ChooseFile(WindowModel* owner,
                                                           const FileDialogRequest& request,
                                                           bool save) {
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  QFileDialog dialog(OwnerWidgetOf(owner));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  dialog.setNameFilters(QString::fromStdString(request.filter).split(";;", Qt::SkipEmptyParts));
  dialog.selectFile(QString::fromStdString(request.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

QWidget* QtDialogs::OwnerWidgetOf(WindowModel* owner) const {
  return owner_widget_ ? owner_widget_(owner) : nullptr;
}

}  // namespace vandrel
