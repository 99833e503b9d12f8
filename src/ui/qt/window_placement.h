// Where the shell's own windows appear on the screen. User-interface thread only.
#pragma once

#include <QPoint>
#include <QRect>

namespace vandrel {

// The position nearest to `window`'s that puts the whole window inside `area` (its top-left
// corner inside `area` when the window is larger).
[[nodiscard]] QPoint ClampIntoArea(const QRect& window, const QRect& area);
// ClampIntoArea with the available area of the screen that holds the window's top-left corner
// (the primary screen when none does).
[[nodiscard]] QPoint KeepOnScreen(const QRect& window);

// The colour palette: 20 pixels left of and 20 pixels below the cursor.
[[nodiscard]] QPoint PalettePosition(const QPoint& cursor);
// The skin pop-up: under the anchor, right edges aligned (`anchor` in screen coordinates).
[[nodiscard]] QPoint SkinPopupPosition(const QRect& anchor, int popup_width);
// The About window: x twice the main window's left edge, y half its bottom edge less 80 (screen
// coordinates; edges as the window's outer frame, bottom exclusive; division toward zero).
[[nodiscard]] QPoint AboutPosition(const QRect& main_window);

}  // namespace vandrel
