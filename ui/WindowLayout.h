#pragma once
// The constant description of a window: its frame, size, place and settings, its controls and
// its menu list. AppFrame::loadWindow builds a live window from one of these; nothing here
// changes while the program runs.
#include <cstddef>
#include <cstdint>

// Where a window is put. Read from a live window it is Minimised, Maximised or Normal, never
// Centred; written as Centred it restores and centres a visible window.
enum class WindowPlacement : int32_t {
  Normal = 0,
  Centred = 1,
  Minimised = 2,
  Maximised = 3,
};

enum class WindowFrame {
  None,
  Fixed,
  Resizable,
  FixedToolWindow,
  ResizableToolWindow,
  FixedWithClientEdge,
  ResizableWithClientEdge,
};

enum class ControlKind { Button, EditBox, Label, Timer };

enum class HorizontalAlignment { Left, Centre };

enum class TextEffect { None, Engraved };

// A COLORREF, or one of the system colours when kSystemColourFlag is set (the low byte is then
// the GetSysColor index).
using LayoutColour = uint32_t;
inline constexpr LayoutColour kSystemColourFlag = 0x80000000u;
inline constexpr LayoutColour kSystemBackground = kSystemColourFlag | 15u;  // COLOR_BTNFACE
inline constexpr LayoutColour kBlack = 0x000000u;
inline constexpr LayoutColour kWhite = 0xFFFFFFu;

// A font of its own for a control; the loader turns it into a LOGFONT and replaces the
// character set, precisions, quality and pitch with the system defaults.
struct FontLayout {
  const char* face;
  int32_t height;  // negative: character height in pixels
  int32_t weight;  // 400 normal, 700 bold
  bool italic;
  bool underline;
  bool strikeOut;
};

struct ControlLayout {
  ControlKind kind;
  const char* name;  // unique within its window
  int32_t left, top, width, height;  // client coordinates of the window
  const char* text;  // caption or initial text; nullptr for none
  bool visible;
  bool disabled;
  bool tabStop;
  HorizontalAlignment alignment;
  TextEffect effect;
  const FontLayout* font;  // nullptr: DEFAULT_GUI_FONT
  LayoutColour textColour;
  LayoutColour backColour;
  int32_t timerPeriod;  // milliseconds, timers only
};

struct MenuItemLayout {
  const char* caption;  // "-" is a separator
  int32_t level;        // 0 top-level menu, 1 its item
  bool hidden;
  bool disabled;
  bool checked;
  const char* shortcut;  // nullptr for none
};

struct ByteSpan {
  const unsigned char* data;
  size_t size;
};

struct WindowLayout {
  const char* title;
  int32_t width, height;  // outer size
  WindowPlacement placement;
  WindowFrame frame;
  bool controlBox;
  bool minimiseButton;
  bool maximiseButton;
  bool visible;
  bool movable;
  bool shownInTaskbar;
  bool alwaysOnTop;
  bool keepTitleBarActive;
  bool escCloses;
  bool enterMovesFocus;
  LayoutColour background;
  const ByteSpan* icon;  // icon file bytes, nullptr for none
  const ControlLayout* controls;
  size_t controlCount;
  const MenuItemLayout* menu;
  size_t menuCount;
};

// The index of the control called name in layout, or -1.
int32_t controlIndex(const WindowLayout& layout, const char* name);
// The index of the menu-list item with the given caption, or -1.
int32_t menuItemIndex(const WindowLayout& layout, const char* caption);
