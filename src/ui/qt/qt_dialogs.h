// QtDialogs: the dialogs seam with real windows, built from the skin into the control model and
// shown through QtWindowView:
// - the message box ("XML_MSG"), a frameless modal dialog centred on its owner;
// - the colour palette ("XML_PALLET"), a frameless modal dialog 20 pixels left of and below the
//   cursor;
// - the skin window ("XML_SKIN"), a borderless pop-up under its anchor that closes when the user
//   clicks elsewhere or it loses the focus;
// - About windows ("XML_COPYRIGHT"), frameless, not modal, dragged by their caption;
// - the program link dialog ("XML_LINK"), a frameless modal dialog centred on its owner;
// - Qt's open-file dialog.
// Windows are kept on the screen and freed when closed; windows still open when QtDialogs goes
// are freed with it. User-interface thread only.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/about_window.h"
#include "ui/dialogs.h"
#include "ui/skin.h"
#include "ui/skin_frame.h"
#include "ui/skin_observer.h"
#include "ui/text_resources.h"

class QDialog;
class QObject;
class QWidget;

namespace vandrel {

class QtWindowView;

// What the skin window and the About window need beyond the skin.
struct QtDialogsServices {
  // Where the skin window broadcasts the user's choice; null: GetSkinObserver().
  SkinObserver* skin_observer = nullptr;
  // Remembers picture skins in "main.ini"; empty: nothing is remembered.
  RememberSkinPicture remember_skin_picture;
  // What the About window's link opens and says; no URL: the link opens nothing.
  AboutLink about_link;
  // Opens the link; empty: the desktop's program for the address (QDesktopServices).
  std::function<void(const std::string& url)> open_url;
  // The program's version, shown in the About window.
  std::string version;
};

class QtDialogs final : public Dialogs {
 public:
  // The widget that shows a window of the model (null when none does), to own the boxes.
  using OwnerWidget = std::function<QWidget*(WindowModel* owner)>;

  QtDialogs(const Skin& skin, std::shared_ptr<TextResources> texts, OwnerWidget owner_widget,
            QtDialogsServices services = {});
  ~QtDialogs() override;

  // 0 without showing anything when the skin has no usable message box.
  int ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) override;
  void ShowNoDeviceMessage(WindowModel* owner) override;
  // {2, initial} without showing anything when the skin has no usable palette dialog.
  PaletteChoice RunPalette(WindowModel* owner, std::uint32_t initial) override;
  // Placed under the widget named like `anchor` in `owner`'s widget (under the cursor when there
  // is none).
  void OpenSkinWindow(WindowModel& owner, const Control& anchor) override;
  // Centred on the screen when `owner` has no widget.
  void OpenAbout(WindowModel* owner) override;
  // An open pop-up is closed first: it would keep the mouse from the dialog.
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFileToOpen(
      WindowModel* owner, const FileDialogRequest& request) override;
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFileToSave(
      WindowModel* owner, const FileDialogRequest& request) override;
  // Cancelled without showing anything when the skin has no usable link dialog.
  [[nodiscard]] ProgramChoice ChooseProgramToLink(
      WindowModel* owner, const std::vector<std::string>& programs) override;

 private:
  // A skin window shown as a frameless modal dialog; `dialog` is null when the skin gives none.
  struct ModalWindow {
    std::unique_ptr<WindowModel> model;
    std::unique_ptr<QtWindowView> view;
    QDialog* dialog = nullptr;
    ModalWindow();
    ModalWindow(ModalWindow&&) noexcept;
    ~ModalWindow();
  };
  // Builds the skin's `resource` over `owner`; says in the trace what is not shown when it cannot.
  [[nodiscard]] ModalWindow BuildModal(std::string_view resource, WindowModel* owner,
                                       std::string_view what) const;
  int RunMessageBox(WindowModel* owner, std::string_view text, bool is_identifier,
                    std::optional<std::chrono::milliseconds> close_after);
  [[nodiscard]] QWidget* OwnerWidgetOf(WindowModel* owner) const;
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFile(WindowModel* owner,
                                                                const FileDialogRequest& request,
                                                                bool save);

  const Skin& skin_;
  std::shared_ptr<TextResources> texts_;
  OwnerWidget owner_widget_;
  QtDialogsServices services_;
  // Parent of the skin and About windows while they are open.
  std::unique_ptr<QObject> open_windows_;
};

}  // namespace vandrel
