// ProgramLinkDialog: the behaviour of the dialog that offers the programs running now to link a
// profile to, without its drawing. The programs are listed in "program_list" in path order;
// "link_btn" links the one selected (it is disabled until a row is), "browse_btn" asks for the
// file dialog instead, and "cancel_btn" and "closebtn" link nothing. The Qt dialog
// (QtDialogs::ChooseProgramToLink) and tests drive it through the window's notifications.
// User-interface thread only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

inline constexpr std::string_view kProgramLinkResource = "XML_LINK";
inline constexpr std::string_view kProgramListControl = "program_list";
inline constexpr std::string_view kProgramLinkButton = "link_btn";
inline constexpr std::string_view kProgramBrowseButton = "browse_btn";

class ProgramLinkDialog {
 public:
  // Lists `programs` (each once) in "program_list", none selected. `window` (built from
  // kProgramLinkResource) must outlive the dialog.
  ProgramLinkDialog(WindowModel& window, std::vector<std::string> programs);

  // Acts on one of the window's notifications; returns what the dialog closes with, or nullopt
  // while it stays open.
  [[nodiscard]] std::optional<ProgramChoice> Handle(const Notification& notification);

 private:
  [[nodiscard]] std::optional<ProgramChoice> HandleClick(const Control& sender) const;
  // The program of the selected row; nullopt when none is.
  [[nodiscard]] std::optional<std::string> Selected() const;
  void EnableLink();

  WindowModel& window_;
  Control* list_;
  std::vector<std::string> programs_;  // in the list's row order
};

}  // namespace vandrel
