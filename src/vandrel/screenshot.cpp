#include "vandrel/screenshot.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>
#include <cstdio>
#include <system_error>

#include "app/window_messages.h"
#include "vandrel/program_options.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;

constexpr auto kPollPeriod = 100ms;
// Without simulated devices there is nothing to wait for but the start itself.
constexpr int kPollsWithoutDevices = 20;
constexpr int kPollsBeforeGivingUp = 300;
// After the last attach: its handler's own pauses, the first frames and a repaint.
constexpr auto kSettle = 800ms;
constexpr auto kWindowOpening = 700ms;
constexpr std::uint32_t kPaletteColour = 0xFF0199CB;
// What the link dialog offers in the picture: programs of both kinds, a long path among them.
const std::vector<std::string> kLinkablePrograms = {
    "/usr/lib/firefox-esr/firefox-esr", "/usr/bin/steam",
    "C:\\Games\\Hollow Ridge\\HollowRidge.exe",
    "/home/user/.local/share/Steam/steamapps/common/Long Road Home/bin/linux64/longroadhome",
    "/usr/bin/konsole"};

DeviceKind KindOfTag(const std::string& tag) {
  if (tag == "kb") return DeviceKind::kKeyboard;
  return tag == "ms" ? DeviceKind::kMouse : DeviceKind::kPad;
}

// The option of the device page a view shows by itself; empty for other views.
std::string PageOfView(const std::string& view) {
  if (view == "kb-macro" || view == "ms-macro") return view.substr(0, 2) + "_macro_Op";
  if (view == "kb-lighting") return "kb_deng_Op";
  if (view == "ms-performance") return "ms_rich_Op";
  return {};
}

// The window a request opened: the modal one, else a visible top-level window that is new.
QWidget* OpenedWindow(const QWidgetList& before) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && !before.contains(widget) && qobject_cast<QMenu*>(widget) == nullptr)
      return widget;
  }
  return nullptr;
}

}  // namespace

Screenshot::Screenshot(Request request, CMainWnd& hub, WindowModel& window, QtWindowHost& host,
                       UiThread& ui, Dialogs& dialogs)
    : request_(std::move(request)),
      hub_(hub),
      window_(window),
      host_(host),
      ui_(ui),
      dialogs_(dialogs) {
  connect(&poll_, &QTimer::timeout, this, &Screenshot::Poll);
}

void Screenshot::Start() { poll_.start(kPollPeriod); }

bool Screenshot::WindowFilled() const {
  if (request_.devices.empty()) return polls_ >= kPollsWithoutDevices;
  for (const std::string& tag : request_.devices) {
    if (!hub_.channels().Of(KindOfTag(tag)).connected()) return false;
    if (tag == "ms" && !hub_.mouse_page_ready()) return false;
    // The pad's lighting thread starts some seconds after the window: until its first frame the
    // pad's page would show the pad dark.
    if (tag == "mp" && request_.view.starts_with("mp") && request_.pad_lit && !request_.pad_lit())
      return false;
  }
  return true;
}

void Screenshot::Poll() {
  ++polls_;
  const bool filled = WindowFilled();
  if (!filled && polls_ < kPollsBeforeGivingUp) return;
  if (!filled)
    std::fputs("vandrel: not every device connected and lit; picturing it anyway\n", stderr);
  poll_.stop();
  QTimer::singleShot(kSettle, this, &Screenshot::TakeView);
}

void Screenshot::TakeView() {
  const std::string& view = request_.view;
  if (view == kHiddenView) {
    host_.Hide();
    SaveOrStay(nullptr);
    return;
  }
  // Only the keyboard's attach shows the window by itself.
  if (!host_.Widget()->isVisible()) host_.BringToFront();
  if (view == "kb" || view == "ms" || view == "mp") {
    SelectTab(view);
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (const std::string page = PageOfView(view); !page.empty()) {
    SelectTab(view.substr(0, 2));
    SelectTab(page);
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "kb-paint") {
    SelectTab("kb");
    SelectTab("kb_deng_Op");
    ShowPaintedKeys();
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "kb-record" || view == "ms-record") {
    ShowRecording(view.substr(0, 2));
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "ms-keys") {
    SelectTab("ms");
    SelectTab("ms_key_Op");
    ShowFireKeyButton();
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "ms-recoil") {
    SelectTab("ms");
    SelectTab("ms_cursor_Op");
    // A shot past the first, so that the path shows where it stands.
    if (Control* shot = window_.Find("ms_bullet_op_9")) shot->Click();
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "kb-profiles" || view == "ms-profiles" || view == "mp-profiles") {
    SelectTab(view.substr(0, 2));
    ShowProfilePanel(view.substr(0, 2));
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "kb-keys") {
    SelectTab("kb");
    ShowReassignedKey();
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.Widget()); });
  } else if (view == "tray-menu") {
    ui_.Post(kMessageTrayIcon, 0, kTrayRightButtonUp);
    QTimer::singleShot(kWindowOpening, this, [this] { SaveOrStay(host_.OpenMenu()); });
  } else if (view == "about") {
    OpenAndTake([this] { hub_.RunMenuCommand({"About_setting", "", ""}); });
  } else if (view == "palette") {
    OpenAndTake([this] { (void)dialogs_.RunPalette(&window_, kPaletteColour); });
  } else if (view == "message") {
    OpenAndTake([this] { (void)dialogs_.ShowMessage(&window_, "message_text_1", true); });
  } else if (view == "link") {
    OpenAndTake([this] { (void)dialogs_.ChooseProgramToLink(&window_, kLinkablePrograms); });
  } else if (view == "skin") {
    OpenAndTake([this] {
      if (const Control* button = window_.Find("skinbtn"))
        dialogs_.OpenSkinWindow(window_, *button);
    });
  } else {
    SaveOrStay(host_.Widget());
  }
}

// The key page with a key picked and given a key combination, so that its panel, tooltip and hot
// image show.
void Screenshot::ShowReassignedKey() {
  Control* key = window_.Find("kb_key_87");
  Control* category = window_.Find("kb_key_fct_combo");
  Control* combination = window_.Find("kb_key_fct_combo_26");
  if (key == nullptr || category == nullptr || combination == nullptr) return;
  key->Click();
  (void)category->ClickItem(10);
  (void)combination->ClickItem(4);
}

// The Lighting tab in the per-key keyboard's custom mode with its set cleared and four keys
// painted, so that the colour set's tools and the paint colour show.
void Screenshot::ShowPaintedKeys() {
  Control* modes = window_.Find("kb_deng_combo_modeSelect");
  Control* all_off = window_.Find("kb_Deng_all_kill_check");
  Control* palette = window_.Find("kb_deng_Color_Pallet");
  if (modes == nullptr || all_off == nullptr || palette == nullptr) return;
  (void)modes->ClickItem(18);
  all_off->Click();
  palette->PickColour(0xFFFE5400);
  for (const char* key : {"kb_key_44", "kb_key_64", "kb_key_65", "kb_key_66"}) {
    if (Control* button = window_.Find(key)) button->Click();
  }
}

// The Buttons tab with the right button picked and made a fire key, so that a panel with values
// to fill shows (the left button's panel is locked while it holds the only left click).
void Screenshot::ShowProfilePanel(const std::string& device) {
  if (Control* spread = window_.Find(device + "_profile_fun_spread_btn")) spread->Click();
  for (const std::string kind : {"_deng", "_key"}) {
    if (Control* edit = window_.Find(device + "_pro" + kind + "_edit_btn")) edit->Click();
  }
}

void Screenshot::ShowFireKeyButton() {
  Control* button = window_.Find("ms_key_2");
  Control* category = window_.Find("ms_key_fct_combo");
  Control* clicks = window_.Find("ms_key_fct_edit_11");
  if (button == nullptr || category == nullptr || clicks == nullptr) return;
  button->Click();
  (void)category->ClickItem(5);
  clicks->Type("3");
}

// `open` may run a modal loop; the picture is taken inside it, and closing the window ends it.
void Screenshot::OpenAndTake(const std::function<void()>& open) {
  const QWidgetList before = QApplication::topLevelWidgets();
  QTimer::singleShot(kWindowOpening, this, [this, before] {
    QWidget* opened = OpenedWindow(before);
    SaveOrStay(opened);
    if (opened != nullptr && !request_.file.empty()) opened->close();
  });
  open();
}

// The keys go through the window as typed ones would, so the picture shows what the capture and
// the recorder made of them.
void Screenshot::ShowRecording(const std::string& device) {
  SelectTab(device);
  SelectTab(device + "_macro_Op");
  Control* names = window_.Find(device + "_MacroName_list");
  Control* add = window_.Find(device + "_macro_btn_name_add");
  Control* record = window_.Find(device + "_macro_btn_redio");
  if (names == nullptr || add == nullptr || record == nullptr) return;
  if (names->ItemCount() == 0) add->Click();
  record->Click();
  QWindow* window = host_.Widget()->windowHandle();
  if (window == nullptr) return;
  const auto type = [window](QEvent::Type event_type, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(event_type, key, modifiers);
    QCoreApplication::sendEvent(window, &event);
  };
  type(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  for (const int key : {Qt::Key_C, Qt::Key_V}) {
    type(QEvent::KeyPress, key, Qt::ControlModifier);
    type(QEvent::KeyRelease, key, Qt::ControlModifier);
  }
  type(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  type(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
  type(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier);
}

void Screenshot::SelectTab(const std::string& tag) {
  if (Control* tab = window_.Find(tag + "_tab")) tab->SetSelected(true, Notify::kYes);
}

void Screenshot::SaveOrStay(QWidget* widget) {
  if (!request_.file.empty()) {
    Save(widget);
    return;
  }
  std::fprintf(stderr, "vandrel: showing view \"%s\"\n", request_.view.c_str());
}

void Screenshot::Save(QWidget* widget) {
  const std::string file = request_.file.string();
  if (widget == nullptr) {
    std::fprintf(stderr, "vandrel: nothing to picture for view \"%s\"\n", request_.view.c_str());
  } else {
    std::error_code ignored;
    std::filesystem::create_directories(request_.file.parent_path(), ignored);
    written_ = widget->grab().save(QString::fromStdString(file), "PNG");
    if (!written_) std::fprintf(stderr, "vandrel: cannot write %s\n", file.c_str());
  }
  if (written_) std::fprintf(stderr, "vandrel: screenshot written to %s\n", file.c_str());
  ui_.Post(kMessageDestroy);
}

}  // namespace vandrel
