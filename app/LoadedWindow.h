#pragma once
// A window built from its layout: the window, its controls and everything they own, kept on
// the window itself (GWLP_USERDATA) and owned by the AppFrame that loaded it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "app/WindowEvents.h"
#include "system/GdiScoped.h"
#include "ui/WindowLayout.h"

class AppFrame;
class LoadedWindow;

// The Win32 timer identifier a timer control uses on its own hidden window.
inline constexpr UINT_PTR kTickTimerId = 1000;
// Posted to a window to have it destroyed once the current event has been handled.
inline constexpr UINT kDestroyRequestMessage = WM_APP + 1;

// A timer control: a hidden child window owning one Win32 timer.
class TimerControl {
 public:
  TimerControl(LoadedWindow& window, const ControlLayout& layout) : window_(window), layout_(layout) {}
  TimerControl(const TimerControl&) = delete;
  TimerControl& operator=(const TimerControl&) = delete;

  // The stored period in milliseconds (never a query of the system).
  int32_t period() const { return period_; }
  bool running() const { return running_; }
  HWND handle() const { return handle_; }

  // Negative periods count as 0; the same period again changes nothing, so a running timer
  // keeps its phase; a positive period (re)starts the timer, 0 stops it.
  void setPeriod(int32_t milliseconds);

 private:
  friend class LoadedWindow;
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);

  LoadedWindow& window_;
  const ControlLayout& layout_;
  HWND handle_ = nullptr;  // a child of the window, destroyed with it
  int32_t period_ = 0;
  bool running_ = false;
};

class LoadedWindow {
 public:
  LoadedWindow(AppFrame& frame, const WindowLayout& layout, WindowEvents* events);
  LoadedWindow(const LoadedWindow&) = delete;
  LoadedWindow& operator=(const LoadedWindow&) = delete;
  ~LoadedWindow();

  HWND handle() const { return handle_; }
  const WindowLayout& layout() const { return layout_; }
  AppFrame& frame() const { return frame_; }
  bool modal() const { return modal_; }

  // The control called name (as in the layout), or nullptr.
  HWND control(const char* name) const;
  // The timer control called name, or nullptr.
  TimerControl* timer(const char* name) const;
  // Posts a request to destroy this window, handled after the current event: windows the
  // modal loading disabled are enabled again first, then the window is destroyed.
  void requestDestroy() const;

 private:
  friend class AppFrame;
  friend class TimerControl;

  struct Control {
    HWND handle = nullptr;  // a child of the window, destroyed with it
    gdi::ScopedFont font;
    gdi::ScopedBrush background;
    std::unique_ptr<TimerControl> timer;
  };

  // Registers the window classes of loaded windows, labels and timers (once per process).
  static void registerClasses();
  // Creates the window (owned by owner, may be null) and its controls, raising no event.
  bool build(HWND owner);
  void createControls();
  void createButton(size_t index);
  void createEditBox(size_t index);
  void createLabel(size_t index);
  void createTimer(size_t index);
  void setIcons();
  // Disables the frame's other top-level windows, remembering their states.
  void disableOtherWindows(const std::vector<HWND>& others);
  void restoreDisabledWindows();
  void raiseCreated();
  void raiseMoved();
  void raiseResized();

  // The frame's pump step for messages aimed at this window or its controls; true when the
  // message has been handled and must not be dispatched.
  bool preTranslate(const MSG& message);
  bool handleKeyDown(const MSG& message);
  bool handlePress(const MSG& message);
  void moveFocus(bool backwards);
  void restoreFocus();
  bool canFocus(HWND control) const;

  int32_t controlIndexOf(HWND control) const;
  bool eventsAllowed() const;

  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMove(WPARAM, LPARAM);
  LRESULT onSize(WPARAM, LPARAM);
  LRESULT onCommand(WPARAM, LPARAM);
  LRESULT onControlColourEdit(WPARAM, LPARAM);
  LRESULT onEraseBackground(WPARAM);
  LRESULT onActivate(WPARAM, LPARAM);
  LRESULT onSetFocus(WPARAM, LPARAM);
  LRESULT onNcActivate(WPARAM, LPARAM);
  LRESULT onTrayMessage(LPARAM);
  LRESULT onClose();
  LRESULT onDestroyRequest();
  LRESULT onDestroy(WPARAM, LPARAM);
  LRESULT onNcDestroy(WPARAM, LPARAM);
  void onTimerTick(const TimerControl& timer);

  AppFrame& frame_;
  const WindowLayout& layout_;
  WindowEvents* events_;  // not owned; bound to the layout by whoever set up the frame
  HWND handle_ = nullptr;
  bool building_ = true;
  bool modal_ = false;
  std::vector<Control> controls_;  // parallel to layout_.controls
  gdi::ScopedIcon largeIcon_;
  gdi::ScopedIcon smallIcon_;
  gdi::ScopedBrush background_;  // only for a background that is not a system colour
  HWND focusBeforeDeactivation_ = nullptr;  // one of controls_, not owned
  std::vector<std::pair<HWND, bool>> disabledWindows_;  // not owned: the frame's other windows
};
