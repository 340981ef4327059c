#include "ui/tests/ShellRecorder.h"

namespace {
ShellRecorder* activeRecorder = nullptr;  // the one recorder installed in the tray seam
}

ShellRecorder::ShellRecorder() : previous_(trayShell()) {
  activeRecorder = this;
  trayShell().notifyIcon = &ShellRecorder::record;
}

ShellRecorder::~ShellRecorder() {
  trayShell() = previous_;
  activeRecorder = nullptr;
}

BOOL WINAPI ShellRecorder::record(DWORD message, PNOTIFYICONDATAA data) {
  ShellCall call{message, *data, FALSE};
  call.result = activeRecorder->previous_.notifyIcon(message, data);
  activeRecorder->calls.push_back(call);
  if (activeRecorder->onCall) activeRecorder->onCall(call);
  return call.result;
}
