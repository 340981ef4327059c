#pragma once
// What the main-window and date-entry tests share: a settable clock, a recording power-off
// table, a thread that answers the program's message boxes, and the program's windows loaded
// in a frame of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/AppFrame.h"
#include "app/tests/FrameTestSupport.h"
#include "schedule/DateTime.h"
#include "system/SystemPower.h"
#include "ui/DateEntryWindow.h"
#include "ui/Layouts.h"
#include "ui/MainWindow.h"

class FakeClock : public Clock {
 public:
  DateTime value = DateTime::fromParts(2026, 12, 11, 12, 0, 0);
  DateTime now() override { return value; }
  void advanceSeconds(int32_t seconds) { value = DateTime::add(value, 8, seconds); }
};

// Replaces the power-off calls: the privilege step succeeds on the NT family and every
// ExitWindowsEx is recorded instead of made.
class PowerOffRecorder {
 public:
  PowerOffRecorder();
  ~PowerOffRecorder();
  PowerOffRecorder(const PowerOffRecorder&) = delete;
  PowerOffRecorder& operator=(const PowerOffRecorder&) = delete;
  // The flags of each ExitWindowsEx call so far, in order.
  std::vector<UINT> requests() const;

 private:
  ScopedSystemPowerCalls calls_;
};

// Answers every message box of a thread, from a thread of its own, by pressing one button;
// remembers each box's title and text.
class BoxAnswerer {
 public:
  struct Box {
    std::string title;
    std::string text;
  };
  BoxAnswerer(DWORD guiThread, int button);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  void setButton(int button) { button_ = button; }
  std::vector<Box> seen() const;

 private:
  void run();
  DWORD guiThread_;
  std::atomic<int> button_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Box> seen_;
  std::thread thread_;
};

std::string windowText(HWND window);

// The program's two windows in a frame of the test's own, the power-off recorded, the boxes
// answered Yes unless a test says otherwise.
class BehaviourTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND main() const { return mainWindow_.window() ? mainWindow_.window()->handle() : nullptr; }
  HWND mainControl(const char* name) const { return mainWindow_.window()->control(name); }
  std::string deadline() const;
  void typeDeadline(const char* text);
  // Chooses the main window's menu item with this caption, as the menus deliver it.
  void chooseMenuItem(const char* caption);
  void clickButton(const char* name);
  void trayEvent(UINT mouseMessage);
  bool armed() { return mainWindow_.timerPeriod() == 1000; }
  bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
    return waitFor(condition, &frame_, timeoutMs);
  }

  PowerOffRecorder power_;
  FakeClock clock_;
  BoxAnswerer answerer_{GetCurrentThreadId(), IDYES};
  Inbox inbox_;
  AppFrame frame_;
  MainWindow mainWindow_{frame_, clock_};
  DateEntryWindow dateEntry_{mainWindow_, clock_};
};
