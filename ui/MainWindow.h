#pragma once
// The main window's behaviour: every handler of the window and its controls, and the
// ScheduleView through which the shutdown schedule reads and writes the state those controls
// hold (deadline text, timer period, captions, visibility).
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/AppFrame.h"
#include "schedule/ShutdownSchedule.h"
#include "ui/WindowLayout.h"

class MainWindow : public WindowEvents, public ScheduleView {
 public:
  // The frame loads the windows; the clock gives the present to the schedule.
  MainWindow(AppFrame& frame, Clock& clock);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  ShutdownSchedule& schedule() { return schedule_; }
  // The live window while it exists, else nullptr.
  LoadedWindow* window() const { return window_; }

  // Where the window is now: Minimised, else Maximised, else Normal; never Centred.
  WindowPlacement placement() const;
  // Restores a visible minimised or maximised window and centres it on the primary screen;
  // does nothing to a hidden window and makes no call when it is already centred.
  void restoreCentred();

  // WindowEvents
  void onCreated(LoadedWindow& window) override;
  void onMoved(LoadedWindow& window) override;
  void onWillBeDestroyed(LoadedWindow& window) override;
  bool onPress(LoadedWindow& window, const ControlLayout& control, MouseButton button, int32_t x,
               int32_t y, int32_t keys) override;
  void onClicked(LoadedWindow& window, const ControlLayout& control) override;
  void onTimer(LoadedWindow& window, const ControlLayout& control) override;
  void onTray(LoadedWindow& window, TrayCode code) override;
  void onMenuItem(LoadedWindow& window, int32_t itemIndex) override;

  // ScheduleView
  std::string deadlineText() override;
  void setDeadlineText(const char* text) override;
  void setDeadlineDisabled(bool disabled) override;
  int32_t timerPeriod() override;
  void setTimerPeriod(int32_t milliseconds) override;
  void setStartCaption(const char* text) override;
  void setCountdownCaption(const char* text) override;
  bool isMainWindowVisible() override;
  void setMainWindowVisible(bool visible) override;
  void setMainWindowPosition(int32_t placement) override;
  int32_t confirm(const char* message, int32_t style, const char* title) override;
  void requestPowerOff(int32_t action, bool force) override;

 private:
  HWND control(const char* name) const;
  HWND handle() const;
  void onDeadlineLeftPress();
  void onDeadlineRightPress();

  AppFrame& frame_;
  ShutdownSchedule schedule_;
  LoadedWindow* window_ = nullptr;  // not owned: the frame owns its windows
};
