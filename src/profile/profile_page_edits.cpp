// The page's edits of the profile lists: add, delete, copy, rename, import, export and reset.
#include <filesystem>
#include <string>

#include "profile/profile_page.h"

namespace vandrel {
namespace {

constexpr std::string_view kConfirmDeleteMessage = "message_text_12";

// The open and save dialogs of a kind: its extension, as "(*.led)".
FileDialogRequest RequestOf(const ProfileRow& row) {
  const std::string extension(row.extension.substr(1));
  const std::string pattern = "*." + extension;
  return {extension, pattern, "(" + pattern + ") (" + pattern + ")"};
}

}  // namespace

void ProfilePage::Add(const Row& row) {
  const ProfileOutcome outcome = Operations(row.device).AddProfile(row.kind);
  if (!Succeeded(outcome)) return;
  Fill(row, outcome.number);
  Activate(row, outcome.number);
}

void ProfilePage::Delete(const Row& row) {
  if (profiles_.catalogue(row.device).Names(row.kind).size() <= 1) {
    (void)dialogs_.ShowMessage(&window_, MessageOf(ProfileChange::kOnlyProfile), true);
    return;
  }
  const std::optional<std::size_t> number = Shown(row);
  if (!number || dialogs_.ShowMessage(&window_, kConfirmDeleteMessage, true) != 1) return;
  const ProfileOutcome outcome = Operations(row.device).DeleteProfile(row.kind, *number);
  if (!Succeeded(outcome)) return;
  // The last profile is chosen and applied even when it was the one shown.
  Fill(row, outcome.number);
  Activate(row, outcome.number);
}

void ProfilePage::Copy(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  if (!number) return;
  const ProfileOutcome outcome = Operations(row.device).CopyProfile(row.kind, *number);
  if (!Succeeded(outcome)) return;
  Fill(row, outcome.number);
  Activate(row, outcome.number);
}

void ProfilePage::Rename(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  const Control* edit = Find(row, ProfileControl::kNameEdit);
  if (!number || edit == nullptr) return;
  const ProfileOutcome outcome =
      Operations(row.device).RenameProfile(row.kind, *number, edit->Text());
  if (Succeeded(outcome)) Fill(row, *number);
}

// A device profile comes in as a new profile; the other kinds replace the one shown, which is
// then loaded again (a mouse key profile is only stored, as choosing one does not load it).
void ProfilePage::Import(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  if (!number) return;
  EnableFileButtons(row, false);
  const std::optional<std::filesystem::path> file =
      dialogs_.ChooseFileToOpen(&window_, RequestOf(*FindProfileRow(row.device, row.kind)));
  const ProfileOutcome outcome =
      file ? Operations(row.device).ImportProfile(row.kind, *file, *number) : ProfileOutcome{};
  EnableFileButtons(row, true);
  if (!file || !Succeeded(outcome)) return;
  Fill(row, outcome.number);
  Activate(row, outcome.number);
}

void ProfilePage::Export(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  if (!number) return;
  EnableFileButtons(row, false);
  const std::optional<std::filesystem::path> file =
      dialogs_.ChooseFileToSave(&window_, RequestOf(*FindProfileRow(row.device, row.kind)));
  const ProfileOutcome outcome =
      file ? Operations(row.device).ExportProfile(row.kind, *number, *file) : ProfileOutcome{};
  EnableFileButtons(row, true);
  (void)Succeeded(outcome);
}

// The profile shown is made from the default file again, and its settings become the device's.
void ProfilePage::Reset(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  if (!number) return;
  const ProfileOutcome outcome = Operations(row.device).ResetProfile(row.kind, *number);
  if (Succeeded(outcome)) Apply(row, outcome.payload);
}

void ProfilePage::EnableFileButtons(const Row& row, bool enabled) {
  if (row.kind != ProfileKind::kDevice && row.device != DeviceKind::kPad) return;
  for (const ProfileControl control : {ProfileControl::kImport, ProfileControl::kExport}) {
    if (Control* button = Find(row, control)) button->SetEnabled(enabled);
  }
}

}  // namespace vandrel
