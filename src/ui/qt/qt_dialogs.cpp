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
#include "ui/program_link_dialog.h"
#include "ui/qt/window_placement.h"
#include "ui/qt/window_view.h"

namespace vandrel {
namespace {}  // namespace

QtDialogs::ModalWindow::ModalWindow() = default;
QtDialogs::ModalWindow::ModalWindow(ModalWindow&&) noexcept = default;
QtDialogs::ModalWindow::~ModalWindow() = default;

QtDialogs::ModalWindow QtDialogs::BuildModal(std::string_view resource, WindowModel* owner,
                                             std::string_view what) const {
  ModalWindow modal;
  modal.model = BuildWindow(skin_, resource, texts_);
  if (modal.model) modal.view = QtWindowView::Create(*modal.model, skin_, OwnerWidgetOf(owner));
  modal.dialog = modal.view ? qobject_cast<QDialog*>(modal.view->Widget()) : nullptr;
  if (modal.dialog == nullptr) {
    Trace(std::string(what) + " not shown: the skin has no dialog for it");
    return modal;
  }
  modal.dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  modal.dialog->setWindowModality(Qt::ApplicationModal);
  return modal;
}

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
  const ModalWindow box = BuildModal(kMessageBoxResource, owner, "message box");
  QDialog* dialog = box.dialog;
  if (dialog == nullptr) return 0;
  PrepareMessageBox(*box.model, text, is_identifier);
  box.view->Sync();
  box.model->SetNotifyHandler([dialog](const Notification& notification) {
    if (const std::optional<int> result = MessageBoxResult(notification)) dialog->done(*result);
  });
  if (close_after) QTimer::singleShot(*close_after, dialog, [dialog] { dialog->done(0); });
  return dialog->exec();
}

PaletteChoice QtDialogs::RunPalette(WindowModel* owner, std::uint32_t initial) {
  const ModalWindow window = BuildModal(kPaletteResource, owner, "colour palette");
  QDialog* dialog = window.dialog;
  if (dialog == nullptr) return {kPaletteClosed, initial};
  CPalletDialog palette(*window.model, initial);
  window.view->Sync();
  window.model->SetNotifyHandler([dialog, &palette](const Notification& notification) {
    if (const std::optional<int> result = palette.Handle(notification)) dialog->done(*result);
  });
  dialog->move(KeepOnScreen(QRect(PalettePosition(QCursor::pos()), dialog->size())));
  const int result = dialog->exec();
  // Only "okbtn" confirms; closing the window any other way is a close.
  if (result != kPaletteConfirmed) return {kPaletteClosed, initial};
  return {kPaletteConfirmed, palette.Colour()};
}

ProgramChoice QtDialogs::ChooseProgramToLink(WindowModel* owner,
                                             const std::vector<std::string>& programs) {
  const ModalWindow window = BuildModal(kProgramLinkResource, owner, "program link dialog");
  QDialog* dialog = window.dialog;
  if (dialog == nullptr) return {};
  ProgramLinkDialog links(*window.model, programs);
  window.view->Sync();
  // Escape and the window manager close the dialog without a choice: nothing is linked.
  ProgramChoice choice;
  window.model->SetNotifyHandler([dialog, &links, &choice](const Notification& notification) {
    if (std::optional<ProgramChoice> closing = links.Handle(notification)) {
      choice = std::move(*closing);
      dialog->done(QDialog::Accepted);
    }
  });
  (void)dialog->exec();
  return choice;
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
