#pragma once
// A test seam for the tray icon's shell calls.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <vector>

#include "ui/TrayIcon.h"

// Records the tray icon's shell calls (and passes them on to the real shell) while it lives.
struct ShellCall {
  DWORD message;
  NOTIFYICONDATAA data;
  BOOL result;
};
class ShellRecorder {
 public:
  ShellRecorder();
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;
  ~ShellRecorder();
  std::vector<ShellCall> calls;
  // Called with each call as it happens (the child process writes them to its log).
  std::function<void(const ShellCall&)> onCall;

 private:
  static BOOL WINAPI record(DWORD message, PNOTIFYICONDATAA data);
  TrayShell previous_;
};
