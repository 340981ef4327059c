#pragma once
// The six-field date-entry window: opened with the present in its boxes; when it closes,
// however that happens, the fields become the main window's deadline text.
#include <cstdint>

#include "app/AppFrame.h"
#include "schedule/ShutdownSchedule.h"

// Compares two texts byte by byte as unsigned values, an absent text counting as empty:
// -1, 0 or 1.
int32_t compareTexts(const char* a, const char* b);

class DateEntryWindow : public WindowEvents {
 public:
  // deadline receives the composed text (its setDeadlineText); clock gives the present.
  DateEntryWindow(ScheduleView& deadline, Clock& clock) : deadline_(deadline), clock_(clock) {}
  DateEntryWindow(const DateEntryWindow&) = delete;
  DateEntryWindow& operator=(const DateEntryWindow&) = delete;

  void onCreated(LoadedWindow& window) override;
  void onClicked(LoadedWindow& window, const ControlLayout& control) override;
  void onWillBeDestroyed(LoadedWindow& window) override;

  // The close button: the window goes once the click has been handled.
  void onCloseClicked(LoadedWindow& window);

 private:
  ScheduleView& deadline_;  // not owned: the main window
  Clock& clock_;            // not owned
};
