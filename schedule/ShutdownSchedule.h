#pragma once
// Arms and disarms the automatic power-off, keeps the ten-second lead, fills in the preset
// deadlines and, once a second, shows the time left and asks for the power-off once the
// deadline has passed. It owns no state: the deadline text, the armed flag (the timer period)
// and the captions live in the main window, reached through ScheduleView.

#include "schedule/DateTime.h"

#include <cstdint>
#include <string>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() = 0;
};

// The running program's clock: the local wall-clock time.
class SystemClock : public Clock {
 public:
  DateTime now() override { return DateTime::now(); }
};

class ScheduleView {
 public:
  virtual ~ScheduleView() = default;
  virtual std::string deadlineText() = 0;  // absent text -> ""
  virtual void setDeadlineText(const char* text) = 0;
  virtual void setDeadlineDisabled(bool disabled) = 0;
  virtual int32_t timerPeriod() = 0;
  virtual void setTimerPeriod(int32_t milliseconds) = 0;
  virtual void setStartCaption(const char* text) = 0;
  virtual void setCountdownCaption(const char* text) = 0;
  virtual bool isMainWindowVisible() = 0;
  virtual void setMainWindowVisible(bool visible) = 0;
  virtual void setMainWindowPosition(int32_t placement) = 0;  // the schedule only writes 1
  virtual int32_t confirm(const char* message, int32_t style, const char* title) = 0;
  virtual void requestPowerOff(int32_t action, bool force) = 0;  // action 1 = power off
};

class ShutdownSchedule {
 public:
  static constexpr int32_t kArmedTimerPeriod = 1000;  // milliseconds
  static constexpr int32_t kIdleTimerPeriod = 0;
  static constexpr int32_t kMinimumLeadSeconds = 10;
  static constexpr int32_t kConfirmStyle = 20;  // Yes and No buttons with the stop icon
  static constexpr int32_t kAnswerYes = 5;
  static constexpr int32_t kPlacementCentred = 1;
  static constexpr int32_t kPowerOffAction = 1;

  ShutdownSchedule(ScheduleView& view, Clock& clock);

  // Disarms when armed; otherwise asks for confirmation and arms, replacing a deadline that is
  // unreadable or less than ten seconds ahead by now plus ten seconds.
  void toggle();
  // Shows the time left, or requests the power-off once the deadline is two seconds past.
  void tick();
  // Writes now plus the given minutes as the deadline, then toggles.
  void presetFromNow(int32_t minutes);
  // Writes today at 23:59:30 as the deadline, then toggles.
  void presetTonight();

 private:
  void disarm();
  void arm();
  void writeDeadline(DateTime deadline);

  ScheduleView& view_;  // not owned: the main window outlives the schedule
  Clock& clock_;        // not owned
};
