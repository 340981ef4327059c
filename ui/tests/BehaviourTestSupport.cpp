#include "ui/tests/BehaviourTestSupport.h"

#include <gtest/gtest.h>

#include "schedule/Texts.h"
#include "ui/ControlNames.h"
#include "ui/MenuPopup.h"
#include "ui/TrayIcon.h"

std::string windowText(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

namespace {

std::mutex gRequestsMutex;
std::vector<UINT> gRequests;

BOOL WINAPI fakeOpenProcessToken(HANDLE, DWORD, PHANDLE token) {
  *token = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234));
  return TRUE;
}
BOOL WINAPI fakeLookupPrivilegeValue(LPCSTR, LPCSTR, PLUID luid) {
  luid->LowPart = 19;
  luid->HighPart = 0;
  return TRUE;
}
BOOL WINAPI fakeAdjustTokenPrivileges(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES,
                                      PDWORD) {
  return TRUE;
}
DWORD WINAPI fakeGetLastError() { return ERROR_SUCCESS; }
BOOL WINAPI fakeGetVersionEx(LPOSVERSIONINFOA info) {
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  return TRUE;
}
BOOL WINAPI recordExitWindowsEx(UINT flags, DWORD) {
  std::lock_guard<std::mutex> lock(gRequestsMutex);
  gRequests.push_back(flags);
  return TRUE;
}
BOOL WINAPI refuseSetSystemPowerState(BOOL, BOOL) { return FALSE; }
BOOL WINAPI fakeCloseHandle(HANDLE) { return TRUE; }

const SystemPowerCalls kRecordingCalls = {
    fakeOpenProcessToken, fakeLookupPrivilegeValue, fakeAdjustTokenPrivileges, fakeGetLastError,
    fakeGetVersionEx,     recordExitWindowsEx,      refuseSetSystemPowerState, fakeCloseHandle,
};

BOOL CALLBACK collectDialogs(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

// The box's message: its one static with text that is not the icon.
BOOL CALLBACK findMessageText(HWND child, LPARAM result) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) {
    std::string text = windowText(child);
    if (!text.empty()) {
      *reinterpret_cast<std::string*>(result) = text;
      return FALSE;
    }
  }
  return TRUE;
}

std::string messageOf(HWND box) {
  std::string text;
  EnumChildWindows(box, findMessageText, reinterpret_cast<LPARAM>(&text));
  return text;
}

}  // namespace

PowerOffRecorder::PowerOffRecorder() : calls_(kRecordingCalls) {
  std::lock_guard<std::mutex> lock(gRequestsMutex);
  gRequests.clear();
}

PowerOffRecorder::~PowerOffRecorder() = default;

std::vector<UINT> PowerOffRecorder::requests() const {
  std::lock_guard<std::mutex> lock(gRequestsMutex);
  return gRequests;
}

BoxAnswerer::BoxAnswerer(DWORD guiThread, int button)
    : guiThread_(guiThread), button_(button), thread_([this] { run(); }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

std::vector<BoxAnswerer::Box> BoxAnswerer::seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void BoxAnswerer::run() {
  while (!stop_) {
    std::vector<HWND> boxes;
    EnumThreadWindows(guiThread_, collectDialogs, reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes) {
      HWND button = GetDlgItem(box, button_);
      if (!button) continue;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back({windowText(box), messageOf(box)});
      }
      PostMessageA(button, BM_CLICK, 0, 0);
      // Wait for this box to go before looking for the next one.
      for (int i = 0; i < 500 && IsWindow(box) && !stop_; ++i) Sleep(10);
    }
    Sleep(20);
  }
}

void BehaviourTest::SetUp() {
  frame_.bind(kMainWindowLayout, mainWindow_);
  frame_.bind(kDateEntryWindowLayout, dateEntry_);
  ASSERT_TRUE(frame_.loadWindow(kMainWindowLayout, false));
  ASSERT_NE(main(), nullptr);
}

void BehaviourTest::TearDown() {
  // Leave nothing armed or open for the next test.
  if (main()) mainWindow_.setTimerPeriod(0);
}

std::string BehaviourTest::deadline() const {
  return windowText(mainControl(mainwindow::kDeadlineBox));
}

void BehaviourTest::typeDeadline(const char* text) {
  SetWindowTextA(mainControl(mainwindow::kDeadlineBox), text);
}

void BehaviourTest::chooseMenuItem(const char* caption) {
  const int32_t index = menuItemIndex(kMainWindowLayout, caption);
  ASSERT_GE(index, 0) << caption;
  SendMessageA(main(), WM_COMMAND, kFirstMenuCommandId + index, 0);
}

void BehaviourTest::clickButton(const char* name) {
  SendMessageA(mainControl(name), BM_CLICK, 0, 0);
}

void BehaviourTest::trayEvent(UINT mouseMessage) {
  SendMessageA(main(), kTrayMessage, kTrayIconId, mouseMessage);
}
