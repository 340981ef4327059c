// Dusklock: powers the computer off at a chosen date and time. The program starts the frame
// with its main window and runs until the main window is closed or "关闭" ends it.
#include <windows.h>

#include "app/AppFrame.h"
#include "schedule/ShutdownSchedule.h"
#include "ui/DateEntryWindow.h"
#include "ui/Layouts.h"
#include "ui/MainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppFrame frame;
  SystemClock clock;
  MainWindow mainWindow(frame, clock);
  DateEntryWindow dateEntryWindow(mainWindow, clock);
  frame.bind(kMainWindowLayout, mainWindow);
  frame.bind(kDateEntryWindowLayout, dateEntryWindow);
  return frame.run(kMainWindowLayout);
}
