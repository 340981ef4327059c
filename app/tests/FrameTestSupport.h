#pragma once
// Helpers for tests that drive real windows under Wine: bounded waits that pump messages,
// steps posted to run later inside whatever loop is running, and an event recorder.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/AppFrame.h"
#include "ui/tests/ShellRecorder.h"

// Pumps messages (through the frame's pump when one is given) until condition holds or
// timeoutMs passes; true when it held.
bool waitFor(const std::function<bool()>& condition, AppFrame* frame, DWORD timeoutMs = 5000);

// Runs functions posted to it when their message is dispatched, so a test can act from inside
// a nested loop (a modal window's, a popup menu's, a message box's).
class Inbox {
 public:
  Inbox();
  Inbox(const Inbox&) = delete;
  Inbox& operator=(const Inbox&) = delete;
  ~Inbox();
  void post(std::function<void()> step);

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  HWND window_;
  std::vector<std::function<void()>> steps_;
};

// Records every event as a line of text; a test can add behaviour through the hooks.
class RecordingEvents : public WindowEvents {
 public:
  std::vector<std::string> log;
  std::function<void(LoadedWindow&)> created;
  std::function<bool(LoadedWindow&, const ControlLayout&, MouseButton, int32_t, int32_t, int32_t)> press;

  void onCreated(LoadedWindow& window) override;
  void onMoved(LoadedWindow& window) override;
  void onResized(LoadedWindow& window) override;
  void onWillBeDestroyed(LoadedWindow& window) override;
  bool onPress(LoadedWindow& window, const ControlLayout& control, MouseButton button, int32_t x,
               int32_t y, int32_t keys) override;
  void onClicked(LoadedWindow& window, const ControlLayout& control) override;
  void onTimer(LoadedWindow& window, const ControlLayout& control) override;
  void onTray(LoadedWindow& window, TrayCode code) override;
  void onMenuItem(LoadedWindow& window, int32_t itemIndex) override;

  size_t count(const std::string& line) const;
};

// Real keyboard and mouse input through SendInput.
void pressKey(WORD key, bool withShift = false);
void clickAt(int x, int y, bool right = false, bool withCtrl = false);
// Puts the mouse cursor at x, y and waits until it stays there; false when it would not.
bool moveCursorTo(int x, int y);

// Runs this test program again as a child process, only the tests matching filter, with the
// given environment variables set for it; the child's exit code, or 0xBAD when it did not end
// within timeoutMs (it is then terminated) and 0xDEAD when it could not be started.
DWORD runSelfAsChild(const char* filter,
                     const std::vector<std::pair<const char*, std::string>>& environment,
                     DWORD timeoutMs = 60000);

// The top-level window of class and title belonging to this process, or nullptr.
HWND findOwnWindow(const char* className, const char* title);

