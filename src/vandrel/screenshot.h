// Screenshot: for review pictures and scripts. Once the main window is filled (every simulated
// device connected and its attach handler run), it pictures the chosen view — the main window,
// one device tab or one of its pages (the pad's once it has been sent its first frame), the tray
// menu, or a window the program opens (About, palette, message box, skin window, program link
// dialog) — writes a PNG and ends the program through the orderly stop (message 0x0002). Without a
// file it only shows the view, or hides the window for the view "hidden", says so and leaves the
// program running: the benchmarks measure it there. User-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "ui/qt/qt_window_host.h"

namespace vandrel {

class Screenshot final : public QObject {
  Q_OBJECT

 public:
  struct Request {
    std::filesystem::path file;        // empty: show the view and stay
    std::string view;                  // see kScreenshotViews; empty: the main window
    std::vector<std::string> devices;  // the simulated devices to wait for
    // Whether the lighting threads have sent the pad its first frame: the pad's views wait for
    // it, so that the pad shows lit. Any thread.
    std::function<bool()> pad_lit;
  };

  // Everything given must outlive this object.
  Screenshot(Request request, CMainWnd& hub, WindowModel& window, QtWindowHost& host, UiThread& ui,
             Dialogs& dialogs);

  // Starts waiting for the window to be filled.
  void Start();
  // After the loop: whether a picture was asked for and not written.
  [[nodiscard]] bool failed() const { return !request_.file.empty() && !written_; }

 private:
  [[nodiscard]] bool WindowFilled() const;
  void Poll();
  void TakeView();
  void OpenAndTake(const std::function<void()>& open);
  // Selects the option "<tag>_tab": a device tab ("ms") or one of its pages ("ms_macro_Op").
  void SelectTab(const std::string& tag);
  void ShowReassignedKey();
  void ShowPaintedKeys();
  void ShowFireKeyButton();
  // The device's Macros tab recording a few keys typed into the window (a macro added if none).
  void ShowRecording(const std::string& device);
  // The device's profile panel open, with the rename panels of its rows shown.
  void ShowProfilePanel(const std::string& device);
  void Save(QWidget* widget);
  void SaveOrStay(QWidget* widget);

  const Request request_;
  CMainWnd& hub_;
  WindowModel& window_;
  QtWindowHost& host_;
  UiThread& ui_;
  Dialogs& dialogs_;
  QTimer poll_;
  int polls_ = 0;
  bool written_ = false;
};

}  // namespace vandrel
