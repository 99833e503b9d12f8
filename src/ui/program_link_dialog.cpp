#include "ui/program_link_dialog.h"

#include <algorithm>

#include "ui/control.h"

namespace vandrel {

ProgramLinkDialog::ProgramLinkDialog(WindowModel& window, std::vector<std::string> programs)
    : window_(window), list_(window.Find(kProgramListControl)), programs_(std::move(programs)) {
  std::sort(programs_.begin(), programs_.end());
  programs_.erase(std::unique(programs_.begin(), programs_.end()), programs_.end());
  if (list_ != nullptr) {
    list_->RemoveAllItems();
    for (const std::string& program : programs_) list_->AddItem(ListItem::OfText(program));
    (void)list_->SelectItem(-1, Notify::kNo);
  }
  EnableLink();
}

std::optional<ProgramChoice> ProgramLinkDialog::Handle(const Notification& notification) {
  if (notification.type == notify::kClick) return HandleClick(*notification.sender);
  if (notification.type == notify::kItemSelect && notification.sender == list_) EnableLink();
  return std::nullopt;
}

std::optional<ProgramChoice> ProgramLinkDialog::HandleClick(const Control& sender) const {
  const std::string& name = sender.Name();
  if (name == kCancelButton || name == kMessageCloseButton) return ProgramChoice{};
  if (name == kProgramBrowseButton) return ProgramChoice{ProgramChoice::Answer::kBrowse, {}};
  if (name != kProgramLinkButton) return std::nullopt;
  // The button is disabled without a selection; a click that comes anyway keeps the dialog open.
  std::optional<std::string> program = Selected();
  if (!program) return std::nullopt;
  return ProgramChoice{ProgramChoice::Answer::kPicked, std::move(*program)};
}

std::optional<std::string> ProgramLinkDialog::Selected() const {
  const int row = list_ != nullptr ? list_->CurrentIndex() : -1;
  if (row < 0 || static_cast<std::size_t>(row) >= programs_.size()) return std::nullopt;
  return programs_[static_cast<std::size_t>(row)];
}

void ProgramLinkDialog::EnableLink() {
  if (Control* link = window_.Find(kProgramLinkButton)) link->SetEnabled(Selected().has_value());
}

}  // namespace vandrel
