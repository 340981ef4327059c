#pragma once
// Popup menus built from a window's menu list. The item at list position k carries the command
// identifier kFirstMenuCommandId + k in every menu built from the list; a chosen item's command
// reaches the window afterwards as WM_COMMAND.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/WindowLayout.h"

inline constexpr UINT kFirstMenuCommandId = 20000;
// Commands from here up belong to the system and are ignored.
inline constexpr UINT kFirstSystemCommandId = 0xE100;

namespace MenuPopup {

// The popup of the root item at rootIndex: its visible children in order (hidden ones are
// skipped but keep their identifiers). nullptr when rootIndex is no item with children. The
// caller owns the menu (DestroyMenu).
HMENU build(const MenuItemLayout* items, size_t count, int32_t rootIndex);

// Tracks the root's popup with its top-left corner 3 pixels right of and below the cursor;
// either mouse button selects. Returns when the menu has closed.
void showAtCursor(HWND window, const WindowLayout& layout, int32_t rootIndex);

// Tracks the root's popup the way a tray menu must be: the window is brought to the
// foreground first (so a click elsewhere closes the menu), the menu's right edge 5 pixels left
// of the cursor and its top 5 pixels above it, only the left button selects, and a WM_NULL is
// posted afterwards.
void showForTray(HWND window, const WindowLayout& layout, int32_t rootIndex);

}  // namespace MenuPopup
