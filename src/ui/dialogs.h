// Dialogs: the seam through which pages show the message box (and, as later pages need them, the
// other modal windows). The Qt implementation is in ui/qt/qt_dialogs.h; tests use a fake that
// records what was shown and answers as scripted, so page tests never open a window.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

class Control;
class WindowModel;

// The result of the colour palette: 1 when the user confirmed with "okbtn" (`colour` is the
// chosen colour, 0xAARRGGBB), 2 otherwise (`colour` is the initial one).
struct PaletteChoice {
  int result = 2;
  std::uint32_t colour = 0;
};

// What the standard open-file and save-file dialogs offer.
struct FileDialogRequest {
  std::string default_extension;  // "png"
  std::string initial_name;       // "*.png"
  std::string filter;  // Qt name filters, ";;" between them: "(*.png) (*.png);;(*.*) (*)"
};

// What the user did in the dialog that offers the programs running now to link a profile to.
struct ProgramChoice {
  enum class Answer {
    kCancelled,  // nothing is to be linked
    kPicked,     // `program` is the entry picked, named as it was offered
    kBrowse,     // the user asked for the file dialog instead
  };
  Answer answer = Answer::kCancelled;
  std::string program;
};

// The message box window's skin resource and controls.
inline constexpr std::string_view kMessageBoxResource = "XML_MSG";
inline constexpr std::string_view kMessageTextControl = "MessageText";
inline constexpr std::string_view kConfirmButton = "confirm_btn";
inline constexpr std::string_view kCancelButton = "cancel_btn";
inline constexpr std::string_view kMessageCloseButton = "closebtn";
inline constexpr std::string_view kNoDeviceMessage = "message_text_20";
inline constexpr std::chrono::milliseconds kNoDeviceMessageTime{500};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Shows the message box modally over `owner` (null: no owner) and returns 1 when the user
  // closed it with "confirm_btn", 0 otherwise; callers asking a question go on only on 1.
  // `text` is a language identifier when `is_identifier` is set and literal text otherwise; an
  // empty text leaves the box's text as the skin has it. User-interface thread only.
  virtual int ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) = 0;
  // Shows "message_text_20" in a box that closes itself after kNoDeviceMessageTime.
  // User-interface thread only.
  virtual void ShowNoDeviceMessage(WindowModel* owner) = 0;

  // Runs the colour palette dialog modally, starting from `initial`. User-interface thread only.
  virtual PaletteChoice RunPalette(WindowModel* owner, std::uint32_t initial) = 0;
  // Opens the skin window under `anchor` (the main window's "skinbtn"); it is not modal and
  // closes itself when it loses the focus. User-interface thread only.
  virtual void OpenSkinWindow(WindowModel& owner, const Control& anchor) = 0;
  // Opens an About window beside `owner`; it is not modal, and several may be open at once.
  // User-interface thread only.
  virtual void OpenAbout(WindowModel* owner) = 0;
  // The standard open-file dialog; nullopt when the user cancels. User-interface thread only.
  [[nodiscard]] virtual std::optional<std::filesystem::path> ChooseFileToOpen(
      WindowModel* owner, const FileDialogRequest& request) = 0;
  // Offers `programs` (the programs running now with a window, as the foreground source names
  // them) to link a profile to, and a way to the file dialog for any other program. Modal.
  // User-interface thread only.
  [[nodiscard]] virtual ProgramChoice ChooseProgramToLink(
      WindowModel* owner, const std::vector<std::string>& programs) = 0;
  // The standard save-file dialog, which asks before an existing file is replaced; nullopt when
  // the user cancels. User-interface thread only.
  [[nodiscard]] virtual std::optional<std::filesystem::path> ChooseFileToSave(
      WindowModel* owner, const FileDialogRequest& request) = 0;
};

// A formatted message: sets the hidden label "str_test" of `main_window` to the identifier `id`
// (as a resource text), reads back the language's text and puts `number` in place of its "%d".
// Only "%d" is replaced (every one, with the same number) and "%%" becomes "%"; any other "%"
// sequence is shown as it stands, so a language file can never make the program read arguments
// that were not given. Without "str_test" the language is asked directly. Any thread.
[[nodiscard]] std::string FormatMessageText(WindowModel& main_window, std::string_view id,
                                            int number);
// Shows FormatMessageText(main_window, id, number) as literal text over `main_window`.
int ShowFormattedMessage(Dialogs& dialogs, WindowModel& main_window, std::string_view id,
                         int number);

}  // namespace vandrel
