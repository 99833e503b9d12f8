// Control: one named control of a window of the control model. See toolkit.h for the model as a
// whole.
//
// Threads: every member may be called from any thread. Each call takes its window's lock, so a
// call sees and leaves the control consistent; a sequence of calls is not atomic. Notifications
// raised by a call made on the window's user-interface thread reach the window's handler before
// the call returns; those raised on another thread are queued for the user-interface thread (see
// WindowModel::DeliverPendingNotifications).
//
// Members that do not apply to the control's kind do nothing and return false or the initial
// value, so that a misspelt or misplaced name in the skin degrades instead of crashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_state.h"
#include "ui/notification.h"

namespace vandrel {

class WindowModel;

class Control {
 public:
  Control(WindowModel& window, Control* parent, ControlKind kind, std::string name);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] ControlKind Kind() const { return kind_; }
  [[nodiscard]] Control* Parent() const { return parent_; }
  [[nodiscard]] WindowModel& Window() const { return window_; }
  // The control's place among its window's controls in the order they were made, the root's 0:
  // a view keeps what it binds to the controls in a table by this number.
  [[nodiscard]] std::size_t Index() const { return index_; }
  [[nodiscard]] std::vector<Control*> Children() const;
  // A copy of the whole state, consistent at one moment.
  [[nodiscard]] ControlState State() const;

  // Text. Text() is what the user sees: the loaded language's text for an identifier when the
  // control is in resource-text mode (the identifier itself when the language lacks it).
  [[nodiscard]] std::string Text() const;
  [[nodiscard]] std::string RawText() const;
  void SetText(std::string_view text);
  [[nodiscard]] bool IsResourceText() const;
  void SetResourceText(bool on);
  [[nodiscard]] std::string Tooltip() const;  // resolved like Text()
  void SetTooltip(std::string_view tooltip);

  // Visibility. IsVisible is the control's own flag; IsShown also needs every ancestor visible
  // and, inside a tab layout, the page holding the control selected.
  [[nodiscard]] bool IsVisible() const;
  [[nodiscard]] bool IsShown() const;
  void SetVisible(bool visible);
  [[nodiscard]] bool IsEnabled() const;
  void SetEnabled(bool enabled);
  [[nodiscard]] bool IsInputEnabled() const;
  void SetInputEnabled(bool enabled);

  [[nodiscard]] std::string UserData() const;
  void SetUserData(std::string_view data);

  // Looks (colours are 0xAARRGGBB; images are skin image strings).
  [[nodiscard]] std::uint32_t BackgroundColour() const;
  void SetBackgroundColour(std::uint32_t argb);
  [[nodiscard]] std::string BackgroundImage() const;
  void SetBackgroundImage(std::string_view image);
  [[nodiscard]] std::uint32_t BorderColour() const;
  void SetBorderColour(std::uint32_t argb);
  [[nodiscard]] int BorderSize() const;
  void SetBorderSize(int pixels);
  [[nodiscard]] std::string NormalImage() const;
  void SetNormalImage(std::string_view image);
  [[nodiscard]] std::string HotImage() const;
  void SetHotImage(std::string_view image);
  [[nodiscard]] std::uint32_t TintColour() const;
  void SetTintColour(std::uint32_t argb);
  [[nodiscard]] int TintAlpha() const;
  void SetTintAlpha(int alpha);  // clamped to 0-255
  [[nodiscard]] std::uint32_t ForeColour() const;
  void SetForeColour(std::uint32_t argb);

  // Skin attributes by name (names without regard to case). Names with a field of their own
  // ("text", "tooltip", "userdata", "bkcolor", "bkimage", "normalimage", "hotimage", "group",
  // "lightimage", "keysetimage", "resourcetext", …; see control.cpp) set that field; any other
  // is kept as it is and read back by Attribute().
  void SetAttribute(std::string_view name, std::string_view value);
  [[nodiscard]] std::string Attribute(std::string_view name) const;

  // The user's click: "click"; then an option of a group is selected and a check box or an
  // option without a group toggles, each with "selectchanged". A control that is disabled, or
  // whose input is disabled, ignores clicks (as its widget would).
  void Click();
  // Mouse over the control: "msenter" / "msleave".
  void MouseEnter();
  void MouseLeave();
  // Gives the window's focus to this control; with Notify::kYes the control that had it gets
  // "killfocus" and this one "setfocus".
  void SetFocus(Notify notify);
  [[nodiscard]] bool HasFocus() const;

  // kOption, kCheckBox. Selecting an option unselects the other options of its group without
  // notifying them. "selectchanged" is raised only when the state changes.
  [[nodiscard]] bool IsSelected() const;
  bool SetSelected(bool selected, Notify notify);
  [[nodiscard]] std::string Group() const;

  // kEdit. Type is the user typing: it sets the text and raises "textchanged" even when the
  // text stays the same. SetText never notifies.
  void Type(std::string_view text);
  void SetSelection(int start, int end);  // -1, -1 puts the caret at the end
  [[nodiscard]] std::pair<int, int> Selection() const;

  // kSlider, kProgress, kCircleProgress. Values are clamped to the range.
  [[nodiscard]] int Minimum() const;
  [[nodiscard]] int Maximum() const;
  [[nodiscard]] int Value() const;
  void SetRange(int minimum, int maximum);  // a reversed range is put in order
  void SetValue(int value);
  // The user dragging the thumb ("movevaluechanged") and letting go ("valuechanged").
  void MoveSlider(int value);
  void ReleaseSlider(int value);

  // kCombo, kList: rows.
  [[nodiscard]] int ItemCount() const;
  [[nodiscard]] std::vector<ListItem> Items() const;
  [[nodiscard]] ListItem Item(int index) const;  // an empty row when out of range
  // Row text: the first cell, resolved like Text(); empty when out of range.
  [[nodiscard]] std::string ItemText(int index) const;
  void AddItem(ListItem item);
  bool InsertItem(int index, ListItem item);
  bool SetItem(int index, ListItem item);
  bool RemoveItem(int index);  // the selection follows its row, or becomes -1
  void RemoveAllItems();
  [[nodiscard]] int CurrentIndex() const;  // -1: none
  // Selects row `index` (-1: none); false when out of range. "itemselect" only on a change.
  bool SelectItem(int index, Notify notify);
  // The user clicking row `index`: selects it (with "itemselect") and raises "itemclick".
  // Ignored, like Click, while the control or its input is disabled.
  bool ClickItem(int index);
  // Brings the last row into view. ScrolledTo is the row last brought into view (-1: none, or
  // the rows were removed since).
  void ScrollToEnd();
  [[nodiscard]] int ScrolledTo() const;

  // kTabLayout: the pages are the children; never notifies.
  [[nodiscard]] int CurrentPage() const;
  bool SelectPage(int index);

  // kColourPalette. PickColour is the user's choice and raises "colorchanged".
  [[nodiscard]] std::uint32_t SelectedColour() const;
  void SetSelectedColour(std::uint32_t argb);
  void PickColour(std::uint32_t argb);

  // kDeviceKeyButton.
  [[nodiscard]] bool IsLightOn() const;
  void SetLightOn(bool on);
  [[nodiscard]] std::uint32_t LightColour() const;
  void SetLightColour(std::uint32_t colour);
  [[nodiscard]] int LightAlpha() const;
  void SetLightAlpha(int alpha);  // clamped to 0-255
  // All three at once, as one change: a preview frame relights many keys many times a second.
  void SetLight(bool on, std::uint32_t colour, int alpha);
  struct Light {
    bool on;
    std::uint32_t colour;
    int alpha;
  };
  [[nodiscard]] Light LightNow() const;  // all three at one moment
  [[nodiscard]] std::string LightImage() const;
  [[nodiscard]] std::string KeySetImage() const;

  // kChart.
  [[nodiscard]] std::vector<ChartItem> ChartItems() const;
  void AddChartItem(ChartItem item);
  void RemoveAllChartItems();
  // Replaces every item in one change.
  void SetChartItems(std::vector<ChartItem> items);

 private:
  friend class WindowModel;

  template <typename T>
  [[nodiscard]] T Read(T ControlState::*field) const;
  // Sets `field`; queues a change event for `property` when the value differs.
  template <typename T>
  void Write(T ControlState::*field, T value, Property property);
  [[nodiscard]] std::string Resolve(const std::string& text, bool resource_text) const;

  const ControlKind kind_;
  const std::string name_;
  WindowModel& window_;
  Control* const parent_;
  std::size_t index_ = 0;  // set by the window once, when it adds the control
  // Guarded by the window's lock.
  std::vector<Control*> children_;
  ControlState state_;
};

[[nodiscard]] bool IsButtonKind(ControlKind kind);  // raises "click" when clicked
[[nodiscard]] bool HasRange(ControlKind kind);      // minimum, maximum, value
[[nodiscard]] bool HasItems(ControlKind kind);      // rows and a selected row

}  // namespace vandrel
