#include "ui/skin_frame.h"

#include <optional>
#include <string>
#include <utility>

#include "ui/control.h"

namespace vandrel {
namespace {

constexpr int kPicturesPage = 0;
constexpr int kColoursPage = 1;
constexpr int kRememberChosenPicture = 1;
constexpr int kRememberDefaultPicture = 0;

}  // namespace

FileDialogRequest CustomPictureRequest() { return {"png", "*.png", "(*.png) (*.png);;(*.*) (*)"}; }

CSkinFrame::CSkinFrame(WindowModel& frame, WindowModel* main_window, Dialogs& dialogs,
                       SkinObserver& observer, RememberSkinPicture remember)
    : frame_(frame),
      main_window_(main_window),
      dialogs_(dialogs),
      observer_(observer),
      remember_(std::move(remember)) {}

void CSkinFrame::Handle(const Notification& notification) {
  if (notification.type != notify::kClick) return;
  const Control& sender = *notification.sender;
  const std::string& name = sender.Name();
  if (name == kSkinPicturesTab) {
    ShowPage(kPicturesPage);
  } else if (name == kSkinColoursTab) {
    ShowPage(kColoursPage);
  } else if (name == kSkinPictureButton) {
    UsePicture(sender.UserData(), kRememberChosenPicture);
  } else if (name == kSkinColourButton) {
    UseColour(sender.BackgroundColour());
  } else if (name == kSkinResetButton) {
    UsePicture(std::string(kDefaultSkinPicture), kRememberDefaultPicture);
  } else if (name == kSkinCustomButton) {
    ChooseCustomPicture();
  }
}

void CSkinFrame::ShowPage(int page) {
  if (Control* tab = frame_.Find(kSkinTab)) (void)tab->SelectPage(page);
}

void CSkinFrame::UsePicture(const std::string& image, std::optional<int> remember_flags) {
  observer_.Broadcast({.is_colour = false, .colour = 0, .image = image});
  if (remember_flags && remember_) remember_(*remember_flags, image);
}

void CSkinFrame::UseColour(std::uint32_t colour) {
  observer_.Broadcast({.is_colour = true, .colour = colour, .image = {}});
}

void CSkinFrame::ChooseCustomPicture() {
  const std::optional<std::filesystem::path> file =
      dialogs_.ChooseFileToOpen(main_window_, CustomPictureRequest());
  // A custom file is for this run only: it may be gone at the next start.
  if (file) UsePicture(file->string(), std::nullopt);
}

}  // namespace vandrel
