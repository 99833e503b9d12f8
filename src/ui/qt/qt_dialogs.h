// QtDialogs: the dialogs seam with real windows. The message box is the skin's "XML_MSG" built
// into the control model and shown through QtWindowView as a frameless modal dialog centred on
// its owner. User-interface thread only.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "ui/dialogs.h"
#include "ui/skin.h"
#include "ui/text_resources.h"

class QWidget;

namespace vandrel {

class QtDialogs final : public Dialogs {
 public:
  // The widget that shows a window of the model (null when none does), to own the boxes.
  using OwnerWidget = std::function<QWidget*(WindowModel* owner)>;

  QtDialogs(const Skin& skin, std::shared_ptr<TextResources> texts, OwnerWidget owner_widget);

  // 0 without showing anything when the skin has no usable message box.
  int ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) override;
  void ShowNoDeviceMessage(WindowModel* owner) override;
  PaletteChoice RunPalette(WindowModel* owner, std::uint32_t initial) override;
  void OpenSkinWindow(WindowModel& owner, const Control& anchor) override;
  void OpenAbout(WindowModel* owner) override;
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFileToOpen(
      WindowModel* owner, const OpenFileRequest& request) override;

 private:
  int RunMessageBox(WindowModel* owner, std::string_view text, bool is_identifier,
                    std::optional<std::chrono::milliseconds> close_after);

  const Skin& skin_;
  std::shared_ptr<TextResources> texts_;
  OwnerWidget owner_widget_;
};

}  // namespace vandrel
