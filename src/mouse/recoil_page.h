// MouseRecoilPage: the mouse's Recoil tab on the main window's controls — the four tables, the
// thirty shots of the selected one with previous/next, the shot's delay and its two movements
// with their directions, the path the table makes, restore, import, export and the download. Each
// change is written at once to the table's file; nothing reaches the mouse but through the
// download, which runs as a device job: the page stays usable meanwhile, and edits made then are
// the next download's, since the running one sends the block the click built. User-interface
// thread only.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "macro/recoil_job.h"
#include "macro/recoil_tables.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

struct RecoilPageLinks {
  const RecoilTables* tables = nullptr;   // the files the page edits
  RecoilDownloadStarter download;         // every table to the mouse
  std::function<void(int message)> post;  // the main window's busy messages
};

class MouseRecoilPage {
 public:
  // `window` (the main window, with "Mouse_cursor.xml" included) and `dialogs` must outlive the
  // page. Until the links give tables, the page shows nothing and its buttons do nothing.
  MouseRecoilPage(WindowModel& window, Dialogs& dialogs, RecoilPageLinks links = {});

  // The tables and the download, once the mouse's macro store exists; the tables must outlive
  // the page.
  void SetLinks(RecoilPageLinks links) { links_ = std::move(links); }

  // Shows the selected table from its first shot, as choosing it does.
  void Start();

  // The notifications of the page's controls; false when the page does not act on one.
  bool Handle(const Notification& notification);
  // While a device job (this page's download or another's) runs, the download button is
  // disabled.
  void ShowDownloadRunning(bool running);

 private:
  void SelectTable(int table);
  void SelectShot(int shot);
  void UnselectShot();
  void Step(int delta);
  void LoadShot();
  void StoreShot();
  void ShowPath();
  void CorrectAndStore(Control& edit, int most);
  void ShowDirection(std::string_view check);
  void Restore();
  void Import();
  void Export();
  void Download();
  void ReportDownload(const RecoilDownloadResult& result);
  void Say(std::string_view message);

  WindowModel& window_;
  Dialogs& dialogs_;
  RecoilPageLinks links_;
  int table_ = 0;
  int shot_ = 0;
  bool shot_selected_ = true;  // the shot's option is selected and its controls enabled
  bool filling_ = false;       // controls are being set from the file: nothing is stored
};

}  // namespace vandrel
