// Dusklock: powers the computer off at a chosen date and time. The program starts the frame
// with its main window and runs until the main window is closed or "关闭" ends it.
#include <windows.h>

#include "app/AppFrame.h"
#include "schedule/Texts.h"
#include "ui/Layouts.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayIcon.h"

namespace {

// The main window's events as far as the frame goes: the tray icon is there before the
// window is first shown and goes with it.
class MainWindowEvents : public WindowEvents {
 public:
  void onCreated(LoadedWindow& window) override {
    TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
  }
  void onWillBeDestroyed(LoadedWindow& window) override { TrayIcon::remove(window.handle()); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppFrame frame;
  MainWindowEvents mainWindowEvents;
  frame.bind(kMainWindowLayout, mainWindowEvents);
  return frame.run(kMainWindowLayout);
}
