// The page's link controls: linking the profile shown to a program (by the check box or the
// button), unlinking it, and showing a profile's link.
#include <filesystem>
#include <system_error>
#include <utility>

#include "profile/profile_links.h"
#include "profile/profile_page.h"

namespace vandrel {
namespace {

// Any file may be a program: the dialog filters nothing (a Windows ".exe" is as good as a Linux
// executable).
const FileDialogRequest kProgramRequest{"", "", "(*) (*)"};
constexpr std::string_view kNoLink = " ";

}  // namespace

void ProfilePage::LinkByCheck(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  Control* check = Find(row, ProfileControl::kLinkCheck);
  if (!number || check == nullptr) return;
  const ProfileCatalogue& catalogue = profiles_.catalogue(row.device);
  const std::optional<std::string> program = check->IsSelected() ? ChooseProgram() : std::nullopt;
  if (!program) {
    SetLinkControls(row, kNoLink, false);
    (void)UnlinkProfile(catalogue, row.kind, *number);
    return LinksChanged(row);
  }
  const LinkChange change = LinkProfile(catalogue, row.kind, *number, *program, true);
  if (change != LinkChange::kDone) {
    check->SetSelected(false, Notify::kNo);
    if (change == LinkChange::kTaken) (void)dialogs_.ShowMessage(&window_, kLinkTakenMessage, true);
    return;
  }
  SetLinkControls(row, LinkDisplayName(*program), true);
  LinksChanged(row);
}

// A program linked to another profile of the row is refused here too: two profiles linked to one
// program would leave the watcher to pick one of them.
void ProfilePage::LinkByButton(const Row& row) {
  const std::optional<std::size_t> number = Shown(row);
  if (!number) return;
  const std::optional<std::string> program = ChooseProgram();
  if (!program) return;
  const ProfileCatalogue& catalogue = profiles_.catalogue(row.device);
  const std::optional<std::size_t> holder =
      LinkedProfileOf(ReadLinks(catalogue, row.kind), *program);
  if (holder && *holder != *number) {
    (void)dialogs_.ShowMessage(&window_, kLinkTakenMessage, true);
    return;
  }
  if (LinkProfile(catalogue, row.kind, *number, *program, false) != LinkChange::kDone) return;
  SetLinkControls(row, LinkDisplayName(*program), true);
  LinksChanged(row);
}

void ProfilePage::CancelLink(const Row& row) {
  if (Control* check = Find(row, ProfileControl::kLinkCheck))
    check->SetSelected(false, Notify::kNo);
  LinkByCheck(row);
  if (Control* link_row = Find(row, ProfileControl::kLinkRow)) link_row->SetVisible(true);
}

void ProfilePage::ShowLink(const Row& row, std::size_t number) {
  const std::vector<std::optional<std::string>> links =
      ReadLinks(profiles_.catalogue(row.device), row.kind);
  const bool linked = number < links.size() && links[number].has_value();
  SetLinkControls(row, linked ? LinkDisplayName(*links[number]) : std::string(kNoLink), linked);
}

void ProfilePage::SetLinkControls(const Row& row, std::string_view name, bool linked) {
  if (Control* edit = Find(row, ProfileControl::kLinkEdit)) edit->SetText(name);
  if (Control* check = Find(row, ProfileControl::kLinkCheck)) {
    check->SetSelected(linked, Notify::kNo);
  }
  Control* link_row = Find(row, ProfileControl::kLinkRow);
  if (linked && link_row != nullptr) link_row->SetVisible(true);
}

// A program picked from the list is linked as it was offered: the foreground source names it as
// it will name it in the foreground (resolved, or by its Windows path under Wine).
std::optional<std::string> ProfilePage::ChooseProgram() {
  const std::vector<std::string> running =
      running_programs_ ? running_programs_() : std::vector<std::string>();
  if (running.empty()) return ChooseProgramFile();
  ProgramChoice choice = dialogs_.ChooseProgramToLink(&window_, running);
  switch (choice.answer) {
    case ProgramChoice::Answer::kPicked:
      if (choice.program.empty()) return std::nullopt;
      return std::move(choice.program);
    case ProgramChoice::Answer::kBrowse:
      return ChooseProgramFile();
    case ProgramChoice::Answer::kCancelled:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> ProfilePage::ChooseProgramFile() {
  const std::optional<std::filesystem::path> file =
      dialogs_.ChooseFileToOpen(&window_, kProgramRequest);
  if (!file || file->empty()) return std::nullopt;
  // The kernel names a running program by its resolved path: a program chosen through a symbolic
  // link ("/usr/bin/game" → "/opt/game/run") is linked by the file it leads to.
  std::error_code failed;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(*file, failed);
  return ProgramPathOf((failed ? *file : resolved).string());
}

void ProfilePage::SetRunningPrograms(std::function<std::vector<std::string>()> running_programs) {
  running_programs_ = std::move(running_programs);
}

void ProfilePage::LinksChanged(const Row& row) {
  if (links_changed_) links_changed_(row.device, row.kind);
}

}  // namespace vandrel
