#include "mouse/mouse_components.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/decimal.h"

namespace vandrel {

MouseComponents::MouseComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs,
                                 PointerSettings& pointer, ProfileSaver& profiles,
                                 SameMode& same_mode)
    : hub_(hub),
      window_(window),
      jobs_(hub.jobs()),
      device_(hub.channels().mouse, state_, pointer, profiles,
              [&hub] { return hub.mouse_page_ready(); }),
      performance_(window, device_, dialogs, profiles),
      lighting_(window, device_, same_mode),
      // The busy messages come from the click and from the job's completion, both on this
      // thread, so they are handled at once.
      buttons_(window, state_, dialogs,
               {.macro_name = {},
                .download = {},
                .post = [&hub](int message) { hub.link().SendMessage(message); }}),
      recoil_(window, dialogs),
      part_(device_) {
  part_.SetRefresh([this] { RefreshPages(); });
  hub.SetDevicePart(DeviceKind::kMouse, part_);
  jobs_.AddBusyListener([this](bool busy) {
    buttons_.ShowDownloadRunning(busy);
    recoil_.ShowDownloadRunning(busy);
  });
  hub.SetPageHandler(Page::kMousePerformance,
                     [this](const Notification& n) { (void)performance_.Handle(n); });
  hub.SetPageHandler(Page::kDpiColour,
                     [this](const Notification& n) { (void)performance_.HandleDpiColour(n); });
  hub.SetPageHandler(Page::kMouseLighting,
                     [this](const Notification& n) { (void)lighting_.Handle(n); });
  hub.SetPageHandler(Page::kMouseButtons,
                     [this](const Notification& n) { (void)buttons_.Handle(n); });
  hub.SetPageHandler(Page::kRecoil, [this](const Notification& n) { (void)recoil_.Handle(n); });
  hub.SetPageHandler(Page::kMouseSlot, [this](const Notification& n) { SwitchSlot(*n.sender); });
  same_mode.SetAdopter(DeviceKind::kMouse,
                       [this](const LightingBlock& block) { lighting_.AdoptLighting(block); });
}

void MouseComponents::ConnectMacros(const MacroStore& store, InputCapture& capture,
                                    const std::filesystem::path& program_folder) {
  buttons_.SetCapture(capture);
  buttons_.SetLinks(
      [&store](int macro) -> std::optional<std::string> {
        const std::vector<std::string> names = store.ReadCatalogue();
        if (macro < 0 || macro >= static_cast<int>(names.size())) return std::nullopt;
        return names[static_cast<std::size_t>(macro)];
      },
      [this, &store](DownloadDone done) {
        if (jobs_.busy()) return false;
        return StartDownload(
            jobs_, device_.channel(),
            TakeDownloadSnapshot(store, state_.info.macro_memory_units(), device_.TakeKeyPage()),
            [this] { device_.KeyPageWritten(); }, std::move(done));
      });
  const RecoilTables& tables = recoil_tables_.emplace(store, program_folder);
  recoil_.SetLinks({.tables = &tables,
                    .download =
                        [this, &tables](RecoilDone done) {
                          if (jobs_.busy()) return false;
                          return StartRecoilDownload(jobs_, device_.channel(),
                                                     BuildRecoilBlock(tables), std::move(done));
                        },
                    .post = [this](int message) { hub_.link().SendMessage(message); }});
  // The catalogue names the tables once the store is set up; the macro editor's start-up usually
  // did so already (a second call changes nothing), and reports a failure itself.
  hub_.AddStartupStep([this, &store, program_folder] {
    (void)store.InitialiseRecoil(program_folder);
    recoil_.Start();
  });
}

void MouseComponents::RefreshPages() {
  performance_.Refresh();
  lighting_.Refresh();
  buttons_.Refresh();
}

// "ms_profile_" and the slot number.
void MouseComponents::SwitchSlot(const Control& button) {
  const std::string& name = button.Name();
  const std::string_view number = std::string_view(name).substr(name.rfind('_') + 1);
  // The routing table passes only names ending in a number.
  if (!device_.SwitchSlot(ParseDecimalPrefix(number))) return;
  if (Control* function = window_.Find("ms_tab_function")) function->SetVisible(false);
  RefreshPages();
}

}  // namespace vandrel
