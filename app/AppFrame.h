#pragma once
// The application frame: the hidden owner window, the windows loaded from their layouts, the
// message loop with its nested loops, and the end of the program. One frame per GUI thread;
// all its state lives in this object, so a frame can be made, used and dropped again.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "app/LoadedWindow.h"
#include "app/WindowEvents.h"
#include "ui/WindowLayout.h"

// The calls the frame makes that tests need to make fail.
struct FrameSystemCalls {
  // Creates a top-level window loaded from a layout.
  HWND(WINAPI* createWindow)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU,
                             HINSTANCE, LPVOID);
};
FrameSystemCalls& frameSystemCalls();

class AppFrame {
 public:
  // Records the GUI thread and creates the hidden owner window.
  AppFrame();
  AppFrame(const AppFrame&) = delete;
  AppFrame& operator=(const AppFrame&) = delete;
  // Destroys the windows still open (raising no event) and the owner window.
  ~AppFrame();

  // Windows loaded from layout raise their events on events from now on.
  void bind(const WindowLayout& layout, WindowEvents& events);

  // Loads the main window and runs the message loop until WM_QUIT; the exit code. When the
  // main window cannot be created, shows an error box and returns -1.
  int run(const WindowLayout& mainLayout);

  // Builds and shows the window of layout, or brings it forward when it is already open. A
  // modal window disables the frame's other top-level windows and returns only once it has
  // been destroyed (or WM_QUIT arrived). False when the window could not be created.
  bool loadWindow(const WindowLayout& layout, bool modal);

  // Dispatches the messages already queued, up to (not including) a WM_QUIT.
  void processPendingEvents();

  // Destroys the windows (their tray icons go with them) without raising any event, then ends
  // the process with code.
  [[noreturn]] void exit(int32_t code);

  // One step of the frame's message pump: a press on a control raises its press event and the
  // window's navigation keys are handled before the message is dispatched.
  void dispatch(MSG& message);

  // The open window of layout, or nullptr.
  LoadedWindow* window(const WindowLayout& layout) const;
  HWND ownerWindow() const { return owner_; }
  DWORD guiThread() const { return guiThread_; }
  bool exiting() const { return exiting_; }

 private:
  friend class LoadedWindow;

  WindowEvents* eventsFor(const WindowLayout& layout) const;
  LoadedWindow* windowOwning(HWND window) const;
  // Called from a window's WM_NCDESTROY: forgets (and frees) it; the last one gone after the
  // loop started ends the loop.
  void windowGone(LoadedWindow* window);
  void runModalLoop(HWND window);
  int runMainLoop();
  void destroyWindows();

  DWORD guiThread_;
  HWND owner_ = nullptr;  // owned: destroyed with the frame
  bool loopStarted_ = false;
  bool exiting_ = false;
  std::vector<std::unique_ptr<LoadedWindow>> windows_;
  std::vector<std::pair<const WindowLayout*, WindowEvents*>> bindings_;
};
