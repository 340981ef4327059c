#pragma once
// The program's two windows as constant layouts.
#include "ui/WindowLayout.h"

// The main window: deadline box, start button, countdown button and the tick timer, with the
// tray menu and the time-choice menu as hidden top-level menus of its menu list.
extern const WindowLayout kMainWindowLayout;
// The six-field date-entry window opened by a left press on the deadline box.
extern const WindowLayout kDateEntryWindowLayout;

// The main window's menu list; the command of the item at position k is 20000 + k.
extern const MenuItemLayout kMainWindowMenu[];
extern const size_t kMainWindowMenuCount;
