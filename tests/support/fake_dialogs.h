// FakeDialogs: the dialogs seam for page tests. It records every message shown and answers with
// scripted results, so that a test can check which identifiers a page showed and drive both
// answers of a question without opening a window.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace vandrel::testing {

class FakeDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string text;
    bool is_identifier;
    WindowModel* owner;
  };

  // The results of the next ShowMessage calls, in order; once used up, boxes answer 0 (as if the
  // user closed them).
  void Answer(std::vector<int> results);

  int ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) override;
  void ShowNoDeviceMessage(WindowModel* owner) override;
  // The palette answers with the next scripted choice; once used up, as if closed (2, the
  // initial colour).
  void AnswerPalette(std::vector<PaletteChoice> choices);
  PaletteChoice RunPalette(WindowModel* owner, std::uint32_t initial) override;
  void OpenSkinWindow(WindowModel& owner, const Control& anchor) override;
  void OpenAbout(WindowModel* owner) override;
  // The open-file and save-file dialogs answer with the next scripted path; once used up,
  // cancelled.
  void AnswerFiles(std::vector<std::optional<std::filesystem::path>> files);
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFileToOpen(
      WindowModel* owner, const FileDialogRequest& request) override;
  [[nodiscard]] std::optional<std::filesystem::path> ChooseFileToSave(
      WindowModel* owner, const FileDialogRequest& request) override;
  // The link dialog answers with the next scripted choice; once used up, cancelled. A pick by
  // `row` names the row of the list offered (in the order given), as a user's click would.
  struct ProgramAnswer {
    ProgramChoice::Answer answer = ProgramChoice::Answer::kCancelled;
    std::size_t row = 0;
  };
  void AnswerPrograms(std::vector<ProgramAnswer> answers);
  [[nodiscard]] ProgramChoice ChooseProgramToLink(
      WindowModel* owner, const std::vector<std::string>& programs) override;

  [[nodiscard]] const std::vector<Shown>& shown() const { return shown_; }
  // The texts shown, in order (identifiers and literal texts alike).
  [[nodiscard]] std::vector<std::string> Texts() const;
  [[nodiscard]] int no_device_messages() const { return no_device_messages_; }
  [[nodiscard]] const std::vector<std::uint32_t>& palette_initials() const {
    return palette_initials_;
  }
  // The names of the anchors the skin window was opened under, in order.
  [[nodiscard]] const std::vector<std::string>& skin_windows() const { return skin_windows_; }
  [[nodiscard]] int about_windows() const { return about_windows_; }
  [[nodiscard]] const std::vector<FileDialogRequest>& file_requests() const {
    return file_requests_;
  }
  // The lists the link dialog offered, in order.
  [[nodiscard]] const std::vector<std::vector<std::string>>& program_lists() const {
    return program_lists_;
  }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
  int no_device_messages_ = 0;
  std::deque<PaletteChoice> palette_answers_;
  std::vector<std::uint32_t> palette_initials_;
  std::vector<std::string> skin_windows_;
  int about_windows_ = 0;
  std::deque<std::optional<std::filesystem::path>> file_answers_;
  std::vector<FileDialogRequest> file_requests_;
  std::deque<ProgramAnswer> program_answers_;
  std::vector<std::vector<std::string>> program_lists_;
};

}  // namespace vandrel::testing
