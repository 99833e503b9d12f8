// The page's dispatch, the selection of a profile and the combos; the edits of the lists are in
// profile_page_edits.cpp.
#include "profile/profile_page.h"

#include <string>
#include <utility>
#include <vector>

#include "core/trace.h"

namespace vandrel {
namespace {

constexpr int kEntryHeight = 25;
constexpr std::string_view kEntryStyle = "listex_item_style";

ListItem Entry(const std::string& name) {
  ListItem entry = ListItem::OfText(name);
  entry.user_data = name;
  entry.height = kEntryHeight;
  entry.style = kEntryStyle;
  return entry;
}

}  // namespace

ProfilePage::ProfilePage(WindowModel& window, Dialogs& dialogs, DeviceProfiles& profiles,
                         ProfileSaver& saver, std::function<int()> keyboard_model,
                         std::function<void(DeviceKind)> refresh_pages)
    : window_(window),
      dialogs_(dialogs),
      profiles_(profiles),
      saver_(saver),
      keyboard_model_(std::move(keyboard_model)),
      refresh_pages_(std::move(refresh_pages)) {}

void ProfilePage::Start() {
  profiles_.LoadCatalogues();
  for (const DeviceKind device : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    ShowCatalogue(device);
  }
}

bool ProfilePage::RestoreSelection(DeviceKind device) {
  const bool restored = profiles_.RestoreSelection(device);
  ShowCatalogue(device);
  return restored;
}

void ProfilePage::ShowCatalogue(DeviceKind device) {
  for (const ProfileKind kind : KindsOf(device))
    Fill({device, kind}, profiles_.InUse(device, kind));
}

bool ProfilePage::Handle(const Notification& notification) {
  const std::optional<ProfileControlId> id = FindProfileControl(notification.sender->Name());
  if (!id) return false;
  if (!id->kind) {
    if (notification.type != notify::kClick) return false;
    Toggle(ProfilePanel(id->device));
    return true;
  }
  const Row row{id->device, *id->kind};
  if (id->control == ProfileControl::kCombo) {
    if (notification.type != notify::kItemSelect || notification.index < 0) return false;
    Activate(row, static_cast<std::size_t>(notification.index));
    return true;
  }
  if (id->control == ProfileControl::kLinkCheck) {
    if (notification.type != notify::kSelectChanged) return false;
    LinkByCheck(row);
    return true;
  }
  if (notification.type != notify::kClick) return false;
  Click(row, *id->control);
  return true;
}

void ProfilePage::Click(const Row& row, ProfileControl control) {
  switch (control) {
    case ProfileControl::kAdd:
      return Add(row);
    case ProfileControl::kSub:
      return Delete(row);
    case ProfileControl::kCopy:
      return Copy(row);
    case ProfileControl::kImport:
      return Import(row);
    case ProfileControl::kExport:
      return Export(row);
    case ProfileControl::kReset:
      return Reset(row);
    case ProfileControl::kEdit:
      return Toggle(ProfileControlName(row.device, row.kind, ProfileControl::kRenamePanel));
    case ProfileControl::kSave:
      return Rename(row);
    case ProfileControl::kLinkButton:
      return LinkByButton(row);
    case ProfileControl::kCancelLink:
      return CancelLink(row);
    case ProfileControl::kCombo:
    case ProfileControl::kRenamePanel:
    case ProfileControl::kNameEdit:
    case ProfileControl::kLinkCheck:
    case ProfileControl::kLinkEdit:
    case ProfileControl::kLinkRow:
      return;
  }
}

// The user's choice: it becomes the stored selection and the profile in use, whatever program is
// in the foreground.
void ProfilePage::Activate(const Row& row, std::size_t number) {
  profiles_.UseInstead(row.device, row.kind, std::nullopt);
  const ProfileOutcome outcome = Operations(row.device).ActivateProfile(row.kind, number);
  if (!Succeeded(outcome)) return;
  Show(row, number, outcome.name);
  // A profile whose file cannot be read leaves the device as it is; a mouse key profile is not
  // loaded when chosen.
  if (outcome.payload.empty()) {
    Trace("profile: " + outcome.name + " was chosen and not loaded");
    return;
  }
  Apply(row, outcome.payload);
}

void ProfilePage::UseProfile(DeviceKind device, ProfileKind kind, std::optional<std::size_t> linked,
                             bool load) {
  const Row row{device, kind};
  const std::vector<std::string> names = profiles_.catalogue(device).Names(kind);
  if (linked && *linked >= names.size()) return;
  const std::optional<std::size_t> before = profiles_.InUse(device, kind);
  profiles_.UseInstead(device, kind, linked);
  const std::optional<std::size_t> now = profiles_.InUse(device, kind);
  if (!now || *now >= names.size()) return;
  Show(row, *now, names[*now]);
  if (!load || now == before) return;
  const ProfileOutcome outcome = Operations(device).LoadProfile(kind, *now);
  if (!Succeeded(outcome) || outcome.payload.empty()) return;
  Apply(row, outcome.payload);
}

void ProfilePage::SetLinksChanged(std::function<void(DeviceKind, ProfileKind)> links_changed) {
  links_changed_ = std::move(links_changed);
}

void ProfilePage::Show(const Row& row, std::size_t number, const std::string& name) {
  if (Control* combo = Find(row, ProfileControl::kCombo)) {
    combo->SelectItem(static_cast<int>(number), Notify::kNo);
  }
  if (Control* edit = Find(row, ProfileControl::kNameEdit)) edit->SetText(name);
  ShowLink(row, number);
}

void ProfilePage::Apply(const Row& row, std::span<const std::uint8_t> payload) {
  if (const std::optional<FieldProblem> problem = profiles_.Apply(row.device, row.kind, payload)) {
    Trace("profile: " + problem->field + " cannot be taken; not applied");
    (void)dialogs_.ShowMessage(&window_, kProfileNotAppliedMessage, true);
    return;
  }
  if (refresh_pages_) refresh_pages_(row.device);
}

bool ProfilePage::Succeeded(const ProfileOutcome& outcome) {
  if (outcome.change == ProfileChange::kDone) return true;
  const std::string_view message = MessageOf(outcome.change);
  if (!message.empty()) (void)dialogs_.ShowMessage(&window_, message, true);
  return false;
}

std::optional<std::size_t> ProfilePage::Shown(const Row& row) const {
  const Control* combo = Find(row, ProfileControl::kCombo);
  const int index = combo != nullptr ? combo->CurrentIndex() : -1;
  if (index < 0) return std::nullopt;
  return static_cast<std::size_t>(index);
}

void ProfilePage::Fill(const Row& row, std::optional<std::size_t> number) {
  const std::vector<std::string> names = profiles_.catalogue(row.device).Names(row.kind);
  const int shown = number && *number < names.size() ? static_cast<int>(*number) : -1;
  if (Control* combo = Find(row, ProfileControl::kCombo)) {
    combo->RemoveAllItems();
    for (const std::string& name : names) combo->AddItem(Entry(name));
    combo->SelectItem(shown, Notify::kNo);
  }
  if (Control* edit = Find(row, ProfileControl::kNameEdit)) {
    edit->SetText(shown >= 0 ? names[static_cast<std::size_t>(shown)] : std::string());
  }
  if (shown >= 0) ShowLink(row, static_cast<std::size_t>(shown));
}

void ProfilePage::Toggle(const std::optional<std::string>& name) {
  Control* control = name ? window_.Find(*name) : nullptr;
  if (control != nullptr) control->SetVisible(!control->IsVisible());
}

Control* ProfilePage::Find(const Row& row, ProfileControl control) const {
  const std::optional<std::string> name = ProfileControlName(row.device, row.kind, control);
  return name ? window_.Find(*name) : nullptr;
}

ProfileOperations ProfilePage::Operations(DeviceKind device) {
  return ProfileOperations(profiles_.catalogue(device), saver_,
                           keyboard_model_ ? keyboard_model_() : 3);
}

}  // namespace vandrel
