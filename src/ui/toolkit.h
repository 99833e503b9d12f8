// The user-interface toolkit as the rest of the program sees it: the control model. Pages, the
// main window hub and the dialogs are written against this header and never include Qt; the Qt
// view (ui/qt/) draws the model and feeds the user's input back into it.
//
// WINDOWS AND CONTROLS
//   A WindowModel is one window: a tree of named Controls under Root() ("root"), built from a
//   skin layout with BuildWindow(skin, "XML_MAIN", texts). Look controls up by exact name with
//   Find (the first in document order) or FindAll; a Control* stays valid for the window's life.
//   Kinds (ControlKind): container, button, option, check box, label, edit, combo, slider,
//   progress, tab layout, list, colour palette, device key button, circle progress, hosted
//   window, chart. Every control has text, tooltip, visibility, enabled state, user data,
//   background colour and image, border, normal and hot image, tint colour and alpha, a
//   resource-text flag and skin attributes ("style" …); see ControlState for the kind-specific
//   state. Operations that do not fit a control's kind do nothing.
//
// NOTIFICATIONS
//   The window's handler (SetNotifyHandler) receives Notification{type, sender, index,
//   previous}, with the types in notify:: ("click", "selectchanged", "valuechanged",
//   "movevaluechanged", "itemselect", "itemclick", "killfocus", "setfocus", "textchanged",
//   "colorchanged", "msenter", "msleave", "windowinit", "windowsize"). Operations a user could
//   perform come in two forms where it matters:
//     with the user's notification       without
//     Click()                            —
//     SetSelected(on, Notify::kYes)      SetSelected(on, Notify::kNo)
//     SelectItem(i, Notify::kYes)        SelectItem(i, Notify::kNo)
//     ClickItem(i)                       —
//     MoveSlider(v) / ReleaseSlider(v)   SetValue(v)
//     Type(text)                         SetText(text)
//     PickColour(argb)                   SetSelectedColour(argb)
//     SetFocus(Notify::kYes)             SetFocus(Notify::kNo)
//     MouseEnter() / MouseLeave()        —
//   Selection notifications are raised only when the state changes; "click", "textchanged",
//   "valuechanged" and "colorchanged" every time. Options sharing a group (attribute "group")
//   exclude each other; the ones unselected are not notified. A tab layout shows the child page
//   SelectPage chose, silently. Lists and combos hold ListItems (one cell of text, or several
//   cells for a row of elements, with user data, height and style); the selection follows its
//   row when rows are inserted or removed. The palette's colour is 0xAARRGGBB.
//
// THREADS
//   Every Control and WindowModel member may be called from any thread (the presence monitors
//   change tabs from their own threads). Each call is atomic under the window's lock; a series
//   of calls is not. Notifications raised on the window's user-interface thread are handled
//   before the call returns; those raised on another thread wait for the user-interface thread
//   (the view delivers them, in order; tests call DeliverPendingNotifications). Change events
//   (TakeChanges) reach the view in the order of the changes.
//
// TEXTS
//   TextResources holds the loaded language ("lan_en.xml", "lan_cn.xml", "lan_sn.xml"),
//   shared by all windows. A control in resource-text mode shows the language's text of its
//   identifier (the identifier itself when the language lacks it); loading another language
//   re-texts every such control, row and tooltip at once. FormatMessageText resolves an
//   identifier through the hidden label "str_test" and puts a number in place of its "%d".
//
// DIALOGS
//   Dialogs::ShowMessage(owner, text, is_identifier) → 1 only for "confirm_btn";
//   ShowNoDeviceMessage closes itself after 500 ms; ShowFormattedMessage for messages with a
//   number. RunPalette → {1, colour} only for "okbtn"; OpenSkinWindow and OpenAbout open windows
//   that are not modal; ChooseFileToOpen → nullopt when cancelled. Their behaviour is Qt-free
//   (CPalletDialog, CSkinFrame, Ccopyright); QtDialogs shows real windows; tests use
//   testing::FakeDialogs.
#pragma once

#include "ui/control.h"         // IWYU pragma: export
#include "ui/dialogs.h"         // IWYU pragma: export
#include "ui/notification.h"    // IWYU pragma: export
#include "ui/skin.h"            // IWYU pragma: export
#include "ui/text_resources.h"  // IWYU pragma: export
#include "ui/window_model.h"    // IWYU pragma: export
