#include "ui/MainWindow.h"

#include <cstring>
#include <vector>

#include "schedule/Texts.h"
#include "system/Clipboard.h"
#include "system/MessagePrompt.h"
#include "system/SystemPower.h"
#include "system/VisualStyle.h"
#include "ui/ControlNames.h"
#include "ui/Layouts.h"
#include "ui/MenuPopup.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayIcon.h"

namespace {

constexpr int32_t kVisualScheme = 3;

bool named(const ControlLayout& control, const char* name) {
  return std::strcmp(control.name, name) == 0;
}

}  // namespace

MainWindow::MainWindow(AppFrame& frame, Clock& clock) : frame_(frame), schedule_(*this, clock) {}

HWND MainWindow::handle() const { return window_ ? window_->handle() : nullptr; }

HWND MainWindow::control(const char* name) const {
  return window_ ? window_->control(name) : nullptr;
}

// ---- placement ----

WindowPlacement MainWindow::placement() const {
  HWND window = handle();
  if (IsIconic(window)) return WindowPlacement::Minimised;
  if (IsZoomed(window)) return WindowPlacement::Maximised;
  return WindowPlacement::Normal;
}

void MainWindow::restoreCentred() {
  HWND window = handle();
  if (!IsWindowVisible(window)) return;
  if (IsIconic(window) || IsZoomed(window)) ShowWindow(window, SW_RESTORE);
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return;
  const int32_t width = bounds.right - bounds.left;
  const int32_t height = bounds.bottom - bounds.top;
  const int32_t x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int32_t y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (bounds.left == x && bounds.top == y) return;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- window events ----

void MainWindow::onCreated(LoadedWindow& window) {
  window_ = &window;
  TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
  VisualStyle::select(kVisualScheme);
}

void MainWindow::onMoved(LoadedWindow&) {
  // Windows moves a window to its minimised place while minimising it, so this hides the
  // window at once, whatever minimised it; only the tray icon remains.
  if (placement() == WindowPlacement::Minimised) setMainWindowVisible(false);
}

void MainWindow::onWillBeDestroyed(LoadedWindow& window) {
  TrayIcon::remove(window.handle());
  window_ = nullptr;
}

bool MainWindow::onPress(LoadedWindow&, const ControlLayout& control, MouseButton button,
                         int32_t, int32_t, int32_t) {
  if (named(control, mainwindow::kDeadlineBox)) {
    if (button == MouseButton::Left) {
      onDeadlineLeftPress();
    } else {
      onDeadlineRightPress();
    }
  }
  return true;
}

void MainWindow::onDeadlineLeftPress() {
  // The old deadline goes first, whatever the date-entry window then writes or not.
  setDeadlineText("");
  frame_.loadWindow(kDateEntryWindowLayout, true);
  // The press still reaches the edit box, which captures the mouse until the button goes up;
  // that release happened while the date-entry window was open, so give the box one of its
  // own, or the next click anywhere in the program would land on the box again.
  if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
    PostMessageA(control(mainwindow::kDeadlineBox), WM_LBUTTONUP, 0, 0);
  }
}

void MainWindow::onDeadlineRightPress() {
  MenuPopup::showAtCursor(handle(), kMainWindowLayout,
                          menuItemIndex(kMainWindowLayout, texts::kTimeMenu));
}

void MainWindow::onClicked(LoadedWindow&, const ControlLayout& control) {
  if (named(control, mainwindow::kStartButton)) {
    schedule_.toggle();
  } else if (named(control, mainwindow::kCountdownButton)) {
    Clipboard::setText(texts::kClipboardText);
  }
}

void MainWindow::onTimer(LoadedWindow&, const ControlLayout& control) {
  if (named(control, mainwindow::kTimer)) schedule_.tick();
}

void MainWindow::onTray(LoadedWindow&, TrayCode code) {
  switch (code) {
    case TrayCode::LeftButtonUp:
      setMainWindowVisible(!isMainWindowVisible());
      // Let the show or hide settle (its moved event may hide a minimised window again)
      // before deciding whether the window needs restoring.
      frame_.processPendingEvents();
      if (placement() == WindowPlacement::Minimised) {
        setMainWindowPosition(static_cast<int32_t>(WindowPlacement::Centred));
      }
      break;
    case TrayCode::RightButtonUp:
      MenuPopup::showForTray(handle(), kMainWindowLayout,
                             menuItemIndex(kMainWindowLayout, texts::kTrayMenu));
      break;
    case TrayCode::LeftDoubleClick:
      break;
  }
}

void MainWindow::onMenuItem(LoadedWindow&, int32_t itemIndex) {
  if (itemIndex < 0 || static_cast<size_t>(itemIndex) >= kMainWindowLayout.menuCount) return;
  const char* caption = kMainWindowLayout.menu[itemIndex].caption;
  auto is = [caption](const char* text) { return std::strcmp(caption, text) == 0; };
  if (is(texts::kMenuStart) || is(texts::kMenuStop)) {
    schedule_.toggle();
  } else if (is(texts::kMenuClose)) {
    frame_.exit(0);
  } else if (is(texts::kMenuTonight)) {
    schedule_.presetTonight();
  } else if (is(texts::kMenu60)) {
    schedule_.presetFromNow(60);
  } else if (is(texts::kMenu120)) {
    schedule_.presetFromNow(120);
  } else if (is(texts::kMenu180)) {
    schedule_.presetFromNow(180);
  }
}

// ---- ScheduleView ----

std::string MainWindow::deadlineText() {
  HWND box = control(mainwindow::kDeadlineBox);
  const int length = GetWindowTextLengthA(box);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextA(box, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void MainWindow::setDeadlineText(const char* text) {
  SetWindowTextA(control(mainwindow::kDeadlineBox), text ? text : "");
}

void MainWindow::setDeadlineDisabled(bool disabled) {
  EnableWindow(control(mainwindow::kDeadlineBox), disabled ? FALSE : TRUE);
}

int32_t MainWindow::timerPeriod() {
  TimerControl* timer = window_ ? window_->timer(mainwindow::kTimer) : nullptr;
  return timer ? timer->period() : 0;
}

void MainWindow::setTimerPeriod(int32_t milliseconds) {
  if (TimerControl* timer = window_ ? window_->timer(mainwindow::kTimer) : nullptr) {
    timer->setPeriod(milliseconds);
  }
}

void MainWindow::setStartCaption(const char* text) {
  SetWindowTextA(control(mainwindow::kStartButton), text);
}

void MainWindow::setCountdownCaption(const char* text) {
  SetWindowTextA(control(mainwindow::kCountdownButton), text);
}

bool MainWindow::isMainWindowVisible() { return IsWindowVisible(handle()) != FALSE; }

void MainWindow::setMainWindowVisible(bool visible) {
  ShowWindow(handle(), visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::setMainWindowPosition(int32_t placement) {
  if (placement == static_cast<int32_t>(WindowPlacement::Centred)) restoreCentred();
}

int32_t MainWindow::confirm(const char* message, int32_t style, const char* title) {
  return MessagePrompt::ask(message, style, title);
}

void MainWindow::requestPowerOff(int32_t action, bool force) {
  SystemPower::perform(action, force);
}
