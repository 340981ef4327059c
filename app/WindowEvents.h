#pragma once
// The events a loaded window raises, bound per window layout with AppFrame::bind. Every handler
// is optional; the defaults do nothing. Events are raised synchronously on the GUI thread,
// never while the window is being built and never once the program's exit has begun.
#include <cstdint>

#include "ui/TrayIcon.h"
#include "ui/WindowLayout.h"

class LoadedWindow;

enum class MouseButton { Left, Right };

// Bits of the key mask passed with a press.
inline constexpr int32_t kKeyCtrl = 1;
inline constexpr int32_t kKeyShift = 2;
inline constexpr int32_t kKeyAlt = 4;

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // Once, after the window and its controls exist and before the window is first shown.
  virtual void onCreated(LoadedWindow&) {}
  // After WM_MOVE and WM_SIZE (and once each right after created).
  virtual void onMoved(LoadedWindow&) {}
  virtual void onResized(LoadedWindow&) {}
  // On WM_DESTROY, after default processing, while the controls still exist.
  virtual void onWillBeDestroyed(LoadedWindow&) {}
  // A mouse press aimed at a control, taken from the message pump before it is dispatched;
  // x and y are the press's client coordinates in the control. Returning false keeps the
  // press from the control.
  virtual bool onPress(LoadedWindow&, const ControlLayout&, MouseButton, int32_t /*x*/,
                       int32_t /*y*/, int32_t /*keys*/) {
    return true;
  }
  // BN_CLICKED of a button.
  virtual void onClicked(LoadedWindow&, const ControlLayout&) {}
  // A tick of a timer control.
  virtual void onTimer(LoadedWindow&, const ControlLayout&) {}
  // A mouse action on the window's tray icon.
  virtual void onTray(LoadedWindow&, TrayCode) {}
  // The item at this position of the window's menu list was chosen.
  virtual void onMenuItem(LoadedWindow&, int32_t /*itemIndex*/) {}
};
