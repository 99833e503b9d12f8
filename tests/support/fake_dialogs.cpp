#include "support/fake_dialogs.h"

#include "ui/control.h"

namespace vandrel::testing {

void FakeDialogs::Answer(std::vector<int> results) {
  answers_.insert(answers_.end(), results.begin(), results.end());
}

int FakeDialogs::ShowMessage(WindowModel* owner, std::string_view text, bool is_identifier) {
  shown_.push_back({std::string(text), is_identifier, owner});
  if (answers_.empty()) return 0;
  const int result = answers_.front();
  answers_.pop_front();
  return result;
}

void FakeDialogs::ShowNoDeviceMessage(WindowModel* owner) {
  ++no_device_messages_;
  shown_.push_back({std::string(kNoDeviceMessage), true, owner});
}

void FakeDialogs::AnswerPalette(std::vector<PaletteChoice> choices) {
  palette_answers_.insert(palette_answers_.end(), choices.begin(), choices.end());
}

PaletteChoice FakeDialogs::RunPalette(WindowModel*, std::uint32_t initial) {
  palette_initials_.push_back(initial);
  if (palette_answers_.empty()) return {2, initial};
  const PaletteChoice choice = palette_answers_.front();
  palette_answers_.pop_front();
  return choice;
}

void FakeDialogs::OpenSkinWindow(WindowModel&, const Control& anchor) {
  skin_windows_.push_back(anchor.Name());
}

void FakeDialogs::OpenAbout(WindowModel*) { ++about_windows_; }

void FakeDialogs::AnswerFiles(std::vector<std::optional<std::filesystem::path>> files) {
  file_answers_.insert(file_answers_.end(), files.begin(), files.end());
}

std::optional<std::filesystem::path> FakeDialogs::ChooseFileToOpen(
    WindowModel*, const FileDialogRequest& request) {
  file_requests_.push_back(request);
  if (file_answers_.empty()) return std::nullopt;
  std::optional<std::filesystem::path> file = file_answers_.front();
  file_answers_.pop_front();
  return file;
}

std::optional<std::filesystem::path> FakeDialogs::ChooseFileToSave(
    WindowModel* owner, const FileDialogRequest& request) {
  return ChooseFileToOpen(owner, request);
}

void FakeDialogs::AnswerPrograms(std::vector<ProgramAnswer> answers) {
  program_answers_.insert(program_answers_.end(), answers.begin(), answers.end());
}

ProgramChoice FakeDialogs::ChooseProgramToLink(WindowModel*,
                                               const std::vector<std::string>& programs) {
  program_lists_.push_back(programs);
  if (program_answers_.empty()) return {};
  const ProgramAnswer answer = program_answers_.front();
  program_answers_.pop_front();
  if (answer.answer != ProgramChoice::Answer::kPicked) return {answer.answer, {}};
  // A row the list does not have cannot be clicked: nothing is linked.
  if (answer.row >= programs.size()) return {};
  return {answer.answer, programs[answer.row]};
}

std::vector<std::string> FakeDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const Shown& shown : shown_) texts.push_back(shown.text);
  return texts;
}

}  // namespace vandrel::testing
