#include "mouse/recoil_page.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/window_messages.h"
#include "core/decimal.h"
#include "mouse/recoil_path.h"
#include "ui/control_names.h"

namespace vandrel {
namespace {

constexpr std::string_view kTablePrefix = "ms_gun_op_";
constexpr std::string_view kShotPrefix = "ms_bullet_op_";
constexpr std::string_view kEditLayout = "cursor_edit_layout";
constexpr std::string_view kShotIndex = "bullet_select_index";
constexpr std::string_view kDelayEdit = "ms_cursor_delay_eidt";
constexpr std::string_view kChart = "ms_recoil_chart";
constexpr std::string_view kDownloadButton = "ms_bulletdate_save_btn";
constexpr int kMostDelay = 65535;
constexpr int kMostDistance = 255;

// A movement's edit and direction option, and the option's texts when selected (leftward,
// upward) and not.
struct MoveControls {
  std::string_view edit, check, toward_text, away_text;
};
constexpr MoveControls kHorizontal = {"ms_cursor_x_eidt", "ms_cursor_x_check",
                                      "mouse_move_to_left_text", "mouse_move_to_right_text"};
constexpr MoveControls kVertical = {"ms_cursor_y_eidt", "ms_cursor_y_check",
                                    "mouse_move_to_up_text", "mouse_move_to_down_text"};

const MoveControls* MoveOf(std::string_view name) {
  if (name == kHorizontal.edit || name == kHorizontal.check) return &kHorizontal;
  if (name == kVertical.edit || name == kVertical.check) return &kVertical;
  return nullptr;
}

// The file dialogs' request for recoil tables.
const FileDialogRequest kCurFiles = {"cur", "*.cur", "(*.cur) (*.cur)"};

}  // namespace

MouseRecoilPage::MouseRecoilPage(WindowModel& window, Dialogs& dialogs, RecoilPageLinks links)
    : window_(window), dialogs_(dialogs), links_(std::move(links)) {}

void MouseRecoilPage::Start() { SelectTable(table_); }

bool MouseRecoilPage::Handle(const Notification& n) {
  Control& sender = *n.sender;
  const std::string& name = sender.Name();
  if (n.type == notify::kSelectChanged) {
    if (const std::optional<int> table = NumberInName(name, kTablePrefix)) {
      if (sender.IsSelected()) SelectTable(*table);
    } else if (const std::optional<int> shot = NumberInName(name, kShotPrefix)) {
      if (sender.IsSelected()) SelectShot(*shot);
    } else if (const MoveControls* move = MoveOf(name); move != nullptr && name == move->check) {
      ShowDirection(name);
      StoreShot();
    } else {
      return false;
    }
    return true;
  }
  if (n.type == notify::kTextChanged) {
    if (name == kDelayEdit) {
      CorrectAndStore(sender, kMostDelay);
    } else if (const MoveControls* move = MoveOf(name); move != nullptr && name == move->edit) {
      CorrectAndStore(sender, kMostDistance);
    } else {
      return false;
    }
    return true;
  }
  if (n.type != notify::kClick) return false;
  // A click on the selected shot unselects it (a click on another is followed by its selection).
  if (const std::optional<int> shot = NumberInName(name, kShotPrefix)) {
    if (shot_selected_ && *shot == shot_) UnselectShot();
  } else if (name == "bullet_selected_prev") {
    Step(-1);
  } else if (name == "bullet_selected_next") {
    Step(1);
  } else if (name == kDownloadButton) {
    Download();
  } else if (name == "ms_bulletdate_reset_btn") {
    Restore();
  } else if (name == "ms_bulletdate_import_btn") {
    Import();
  } else if (name == "ms_bulletdate_export_btn") {
    Export();
  } else {
    return false;
  }
  return true;
}

void MouseRecoilPage::SelectTable(int table) {
  if (table < 0 || table >= kRecoilTableCount) return;
  table_ = table;
  SelectShot(0);
}

void MouseRecoilPage::SelectShot(int shot) {
  if (shot < 0 || shot >= kRecoilShotCount) return;
  shot_ = shot;
  shot_selected_ = true;
  if (Control* option = window_.Find(std::string(kShotPrefix) + std::to_string(shot))) {
    (void)option->SetSelected(true, Notify::kNo);
  }
  LoadShot();
  if (Control* layout = window_.Find(kEditLayout)) layout->SetEnabled(true);
  if (Control* index = window_.Find(kShotIndex)) index->SetText(std::to_string(shot + 1));
}

void MouseRecoilPage::UnselectShot() {
  shot_selected_ = false;
  if (Control* option = window_.Find(std::string(kShotPrefix) + std::to_string(shot_))) {
    (void)option->SetSelected(false, Notify::kNo);
  }
  if (Control* layout = window_.Find(kEditLayout)) layout->SetEnabled(false);
  ShowPath();
}

void MouseRecoilPage::Step(int delta) {
  const int next = shot_ + delta;
  if (next < 0 || next >= kRecoilShotCount) return;
  SelectShot(next);
}

void MouseRecoilPage::LoadShot() {
  if (links_.tables == nullptr) return;
  const RecoilShot shot = links_.tables->ReadShot(table_, shot_);
  filling_ = true;
  if (Control* delay = window_.Find(kDelayEdit)) delay->SetText(std::to_string(shot.delay));
  for (const auto& [move, controls] :
       {std::pair{shot.horizontal, &kHorizontal}, std::pair{shot.vertical, &kVertical}}) {
    // A movement no line gives leaves its controls as they were.
    if (!move) continue;
    if (Control* edit = window_.Find(controls->edit)) edit->SetText(std::to_string(move->distance));
    if (Control* check = window_.Find(controls->check)) {
      (void)check->SetSelected(move->toward_flag, Notify::kNo);
    }
    ShowDirection(controls->check);
  }
  filling_ = false;
  ShowPath();
}

void MouseRecoilPage::StoreShot() {
  if (filling_ || !shot_selected_ || links_.tables == nullptr) return;
  const auto value = [this](std::string_view edit, int most) {
    const Control* control = window_.Find(edit);
    return std::clamp(control != nullptr ? ParseDecimalPrefix(control->Text()) : 0, 0, most);
  };
  const auto move = [&](const MoveControls& controls) {
    const Control* check = window_.Find(controls.check);
    return RecoilMove{static_cast<std::uint8_t>(value(controls.edit, kMostDistance)),
                      check != nullptr && check->IsSelected()};
  };
  const RecoilShot shot{static_cast<std::uint16_t>(value(kDelayEdit, kMostDelay)),
                        move(kHorizontal), move(kVertical)};
  if (!links_.tables->WriteShot(table_, shot_, shot)) Say("message_text_recoil_write_failed");
  ShowPath();
}

void MouseRecoilPage::ShowPath() {
  Control* chart = window_.Find(kChart);
  if (chart == nullptr || links_.tables == nullptr) return;
  std::vector<RecoilShot> shots;
  shots.reserve(kRecoilShotCount);
  for (int shot = 0; shot < kRecoilShotCount; ++shot) {
    shots.push_back(links_.tables->ReadShot(table_, shot));
  }
  chart->SetChartItems(RecoilPath(shots, shot_selected_ ? std::optional(shot_) : std::nullopt));
}

void MouseRecoilPage::CorrectAndStore(Control& edit, int most) {
  // The edits take digits only up to the field's width; what is above is replaced by the most.
  const int value = ParseDecimalPrefix(edit.Text());
  if (value > most || value < 0) {
    edit.SetText(std::to_string(value > most ? most : 0));
    edit.SetSelection(-1, -1);
  }
  StoreShot();
}

void MouseRecoilPage::ShowDirection(std::string_view check) {
  const MoveControls* controls = MoveOf(check);
  Control* option = window_.Find(check);
  if (controls == nullptr || option == nullptr) return;
  option->SetText(option->IsSelected() ? controls->toward_text : controls->away_text);
}

void MouseRecoilPage::Restore() {
  if (links_.tables == nullptr) return;
  if (!links_.tables->Restore(table_)) {
    Say("message_text_recoil_restore_failed");
    return;
  }
  SelectShot(0);
}

void MouseRecoilPage::Import() {
  if (links_.tables == nullptr) return;
  const std::optional<std::filesystem::path> source =
      dialogs_.ChooseFileToOpen(&window_, kCurFiles);
  if (!source) return;
  switch (links_.tables->Import(*source, table_)) {
    case RecoilImportResult::kImported:
      LoadShot();
      return;
    case RecoilImportResult::kTooManyLines:
      Say("message_text_18");
      return;
    case RecoilImportResult::kTooLarge:
      Say("message_text_recoil_import_large");
      return;
    case RecoilImportResult::kNotText:
      Say("message_text_recoil_import_text");
      return;
    case RecoilImportResult::kUnreadable:
    case RecoilImportResult::kNoSuchTable:
    case RecoilImportResult::kWriteFailed:
      Say("message_text_recoil_import_failed");
      return;
  }
}

void MouseRecoilPage::Export() {
  if (links_.tables == nullptr) return;
  const std::optional<std::filesystem::path> target =
      dialogs_.ChooseFileToSave(&window_, kCurFiles);
  if (!target) return;
  if (!links_.tables->Export(table_, *target)) Say("message_text_recoil_export_failed");
}

// The indicator shows from the start of the job to a moment after its end.
void MouseRecoilPage::Download() {
  if (!links_.download) return;
  const bool started = links_.download([this](const RecoilDownloadResult& result) {
    if (links_.post) links_.post(kMessageHideProgressLater);
    ReportDownload(result);
  });
  if (started && links_.post) links_.post(kMessageShowProgress);
}

void MouseRecoilPage::ShowDownloadRunning(bool running) {
  if (Control* button = window_.Find(kDownloadButton)) button->SetEnabled(!running);
}

void MouseRecoilPage::ReportDownload(const RecoilDownloadResult& result) {
  switch (result.outcome) {
    case RecoilDownloadOutcome::kDone:
    case RecoilDownloadOutcome::kNoTables:
      return;
    case RecoilDownloadOutcome::kTooLong:
      (void)ShowFormattedMessage(dialogs_, window_, "message_text_recoil_too_long",
                                 static_cast<int>(result.length));
      return;
    case RecoilDownloadOutcome::kFailed:
      Say("message_text_recoil_download_failed");
      return;
  }
}

void MouseRecoilPage::Say(std::string_view message) {
  (void)dialogs_.ShowMessage(&window_, message, true);
}

}  // namespace vandrel
