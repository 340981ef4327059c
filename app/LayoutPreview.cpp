// A developer's preview of both window layouts: the main window with its tray icon and, over
// it, the date-entry window loaded modally as the program will open it. Used for the
// screenshots under docs/ (scripts/run.sh --program build/win64/app/dusklock_layout_preview.exe).
#include <windows.h>

#include "app/AppFrame.h"
#include "schedule/Texts.h"
#include "ui/Layouts.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayIcon.h"

namespace {

class PreviewMainWindowEvents : public WindowEvents {
 public:
  void onCreated(LoadedWindow& window) override {
    TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
    // A left press on the deadline box opens the date-entry window; queue one for the loop.
    PostMessageA(window.control("编辑框1"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  }
  bool onPress(LoadedWindow& window, const ControlLayout&, MouseButton, int32_t, int32_t,
               int32_t) override {
    window.frame().loadWindow(kDateEntryWindowLayout, true);
    return true;
  }
};

class PreviewDateEntryEvents : public WindowEvents {
 public:
  void onCreated(LoadedWindow& window) override {
    const char* fields[][2] = {{"编辑框1", "2016"}, {"编辑框2", "5"}, {"编辑框3", "28"},
                               {"编辑框4", "23"},   {"编辑框5", "44"}, {"编辑框6", "29"}};
    for (const auto& field : fields) SetWindowTextA(window.control(field[0]), field[1]);
  }
  void onClicked(LoadedWindow& window, const ControlLayout&) override { window.requestDestroy(); }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppFrame frame;
  PreviewMainWindowEvents mainEvents;
  PreviewDateEntryEvents dateEvents;
  frame.bind(kMainWindowLayout, mainEvents);
  frame.bind(kDateEntryWindowLayout, dateEvents);
  return frame.run(kMainWindowLayout);
}
