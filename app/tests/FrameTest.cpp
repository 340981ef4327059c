// The frame with real windows under Wine: loading, styles and sizes, controls, modal loading
// and keyboard navigation, the order and timing of events, tray and menu routing, the loop's
// end, the start-up failure and the exit (in a child process).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "app/AppFrame.h"
#include "app/tests/FrameTestSupport.h"
#include "schedule/Texts.h"
#include "ui/Layouts.h"
#include "ui/MenuPopup.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayIcon.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

std::string windowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT clientRectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }
LONG_PTR exStyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_.bind(kMainWindowLayout, mainEvents_);
    frame_.bind(kDateEntryWindowLayout, dateEvents_);
    mainEvents_.created = [](LoadedWindow& window) {
      TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
    };
  }

  LoadedWindow& loadMain() {
    EXPECT_TRUE(frame_.loadWindow(kMainWindowLayout, false));
    LoadedWindow* window = frame_.window(kMainWindowLayout);
    EXPECT_NE(window, nullptr);
    return *window;
  }

  // Brings the window to the front and waits until it is active, so real input reaches it.
  void activate(HWND window) {
    SetForegroundWindow(window);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == window; }, &frame_))
        << "the window did not become the foreground window";
  }

  ShellRecorder shell_;  // declared first: outlives the frame, whose windows remove icons
  Inbox inbox_;
  RecordingEvents mainEvents_;
  RecordingEvents dateEvents_;
  AppFrame frame_;
};

TEST_F(FrameTest, MainWindowIsShownCentredWithItsExactFrame) {
  HWND window = loadMain().handle();
  EXPECT_TRUE(IsWindowVisible(window));
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 246);
  EXPECT_EQ(rect.bottom - rect.top, 97);
  EXPECT_EQ(rect.left, (kScreenWidth - 246) / 2);
  EXPECT_EQ(rect.top, (kScreenHeight - 97) / 2);

  const LONG_PTR frameBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                             WS_THICKFRAME | WS_POPUP | WS_CHILD | WS_CLIPCHILDREN;
  EXPECT_EQ(styleOf(window) & frameBits, WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(exStyleOf(window) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW), 0);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "the main window has its own taskbar button";
  EXPECT_EQ(windowText(window), texts::kMainWindowTitle);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(FrameTest, TrayIconIsAddedBeforeTheWindowIsFirstShown) {
  bool visibleWhenAdded = true;
  shell_.onCall = [&](const ShellCall& call) {
    if (call.message == NIM_ADD) visibleWhenAdded = IsWindowVisible(call.data.hWnd) != FALSE;
  };
  HWND window = loadMain().handle();
  ASSERT_FALSE(shell_.calls.empty());
  EXPECT_EQ(shell_.calls[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell_.calls[0].data.hWnd, window);
  EXPECT_TRUE(shell_.calls[0].result) << "the virtual desktop has a notification area";
  EXPECT_FALSE(visibleWhenAdded);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(FrameTest, ControlsHaveTheirLayoutsRectanglesTextsAndStyles) {
  LoadedWindow& main = loadMain();
  for (size_t i = 0; i < kMainWindowLayout.controlCount; ++i) {
    const ControlLayout& layout = kMainWindowLayout.controls[i];
    SCOPED_TRACE(layout.name);
    HWND control = main.control(layout.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), main.handle());
    EXPECT_TRUE(styleOf(control) & WS_CLIPSIBLINGS);
    EXPECT_EQ((styleOf(control) & WS_TABSTOP) != 0, layout.tabStop);
    if (layout.kind == ControlKind::Timer) {
      EXPECT_FALSE(IsWindowVisible(control));
      continue;
    }
    EXPECT_TRUE(IsWindowVisible(control));
    RECT rect = clientRectInParent(control);
    EXPECT_EQ(rect.left, layout.left);
    EXPECT_EQ(rect.top, layout.top);
    EXPECT_EQ(rect.right - rect.left, layout.width);
    EXPECT_EQ(rect.bottom - rect.top, layout.height);
    EXPECT_EQ(windowText(control), layout.text);
  }

  HWND start = main.control("启动按钮");
  EXPECT_EQ(_stricmp(className(start).c_str(), "Button"), 0);
  const LONG_PTR buttonBits = BS_TYPEMASK | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  EXPECT_EQ(styleOf(start) & buttonBits, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(start, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));

  HWND deadline = main.control("编辑框1");
  EXPECT_EQ(_stricmp(className(deadline).c_str(), "Edit"), 0);
  EXPECT_TRUE(exStyleOf(deadline) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(styleOf(deadline) & (ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | ES_MULTILINE | ES_NOHIDESEL),
            ES_CENTER | ES_AUTOHSCROLL);
  EXPECT_GE(SendMessageA(deadline, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "no length limit";
  DWORD start0 = 1, end0 = 1;
  SendMessageA(deadline, EM_GETSEL, reinterpret_cast<WPARAM>(&start0), reinterpret_cast<LPARAM>(&end0));
  EXPECT_EQ(start0, 0u);
  EXPECT_EQ(end0, 0u);

  LOGFONTA font{};
  HFONT deadlineFont = reinterpret_cast<HFONT>(SendMessageA(deadline, WM_GETFONT, 0, 0));
  ASSERT_NE(deadlineFont, nullptr);
  ASSERT_NE(GetObjectA(deadlineFont, sizeof font, &font), 0);
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_STREQ(font.lfFaceName, "宋体");
  EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
  EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  // The font really has the 16-pixel character height.
  HDC dc = GetDC(deadline);
  HGDIOBJ previous = SelectObject(dc, deadlineFont);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(deadline, dc);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 16);

  // The edit box is drawn black on white with a brush the window keeps.
  HDC screen = GetDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(main.handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(screen),
                   reinterpret_cast<LPARAM>(deadline)));
  EXPECT_EQ(GetTextColor(screen), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(screen), RGB(255, 255, 255));
  ReleaseDC(nullptr, screen);
  LOGBRUSH brushInfo{};
  ASSERT_NE(GetObjectA(brush, sizeof brushInfo, &brushInfo), 0);
  EXPECT_EQ(brushInfo.lbColor, RGB(255, 255, 255));
}

TEST_F(FrameTest, EventsAreCreatedMovedResizedBeforeTheFirstShowAndNoneWhileBuilding) {
  bool controlsExistedAtCreation = false;
  mainEvents_.created = [&](LoadedWindow& window) {
    controlsExistedAtCreation = window.control("显示按钮") != nullptr;
  };
  loadMain();
  ASSERT_GE(mainEvents_.log.size(), 3u);
  EXPECT_EQ(mainEvents_.log[0], "created");
  EXPECT_EQ(mainEvents_.log[1], "moved");
  EXPECT_EQ(mainEvents_.log[2], "resized");
  EXPECT_TRUE(controlsExistedAtCreation);
}

TEST_F(FrameTest, MovedIsRaisedSynchronouslyByTheProgramsOwnWindowCalls) {
  HWND window = loadMain().handle();
  mainEvents_.log.clear();
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_GE(mainEvents_.count("moved visible"), 1u) << "no moved event inside ShowWindow";
  mainEvents_.log.clear();
  ShowWindow(window, SW_RESTORE);
  SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GE(mainEvents_.count("moved visible"), 2u);
}

// The edit box's window procedure, replaced to see when the press reaches it.
struct EditSpy {
  static std::vector<std::string>* log;
  static WNDPROC original;
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) log->push_back("edit saw press");
    return CallWindowProcA(original, window, message, wParam, lParam);
  }
};
std::vector<std::string>* EditSpy::log = nullptr;
WNDPROC EditSpy::original = nullptr;

TEST_F(FrameTest, PressEventsReachTheirHandlersBeforeTheEditBox) {
  LoadedWindow& main = loadMain();
  HWND deadline = main.control("编辑框1");
  EditSpy::log = &mainEvents_.log;
  EditSpy::original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(deadline, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSpy::proc)));
  mainEvents_.log.clear();

  PostMessageA(deadline, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
  ASSERT_TRUE(waitFor([&] { return mainEvents_.count("edit saw press") == 1; }, &frame_));
  EXPECT_EQ(mainEvents_.log[0], "left press 编辑框1 5,7 keys 0");
  EXPECT_EQ(mainEvents_.log[1], "edit saw press");

  // A handler that says no keeps the press from the control.
  mainEvents_.log.clear();
  mainEvents_.press = [](LoadedWindow&, const ControlLayout&, MouseButton, int32_t, int32_t, int32_t) {
    return false;
  };
  PostMessageA(deadline, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 30));
  ASSERT_TRUE(waitFor([&] { return !mainEvents_.log.empty(); }, &frame_));
  frame_.processPendingEvents();
  EXPECT_EQ(mainEvents_.log, std::vector<std::string>{"right press 编辑框1 200,30 keys 0"});
  SetWindowLongPtrA(deadline, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSpy::original));
}

TEST_F(FrameTest, RealClickWithCtrlGivesClientCoordinatesAndTheKeyMask) {
  LoadedWindow& main = loadMain();
  activate(main.handle());
  HWND start = main.control("启动按钮");
  POINT point{12, 9};
  ClientToScreen(start, &point);
  mainEvents_.log.clear();
  clickAt(point.x, point.y, false, true);
  ASSERT_TRUE(waitFor([&] { return mainEvents_.count("clicked 启动按钮") == 1; }, &frame_))
      << "the click did not arrive";
  EXPECT_EQ(mainEvents_.count("left press 启动按钮 12,9 keys 1"), 1u);
}

TEST_F(FrameTest, ButtonClicksAndTimerTicksRaiseTheirEvents) {
  LoadedWindow& main = loadMain();
  SendMessageA(main.control("显示按钮"), BM_CLICK, 0, 0);
  EXPECT_EQ(mainEvents_.count("clicked 显示按钮"), 1u);

  TimerControl* timer = main.timer("时钟1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->period(), 0);
  EXPECT_FALSE(timer->running());
  timer->setPeriod(20);
  EXPECT_TRUE(timer->running());
  ASSERT_TRUE(waitFor([&] { return mainEvents_.count("timer 时钟1") >= 2; }, &frame_));
  timer->setPeriod(-5);
  EXPECT_EQ(timer->period(), 0);
  EXPECT_FALSE(timer->running());
  frame_.processPendingEvents();
  size_t ticks = mainEvents_.count("timer 时钟1");
  // A stopped timer stays quiet: wait (bounded) for a tick that must not come.
  EXPECT_FALSE(waitFor([&] { return mainEvents_.count("timer 时钟1") > ticks; }, &frame_, 300));
}

TEST_F(FrameTest, TrayMessagesBecomeTrayCodes) {
  HWND window = loadMain().handle();
  struct Case {
    UINT mouseMessage;
    const char* expected;  // nullptr: no event
  };
  const Case cases[] = {
      {WM_LBUTTONUP, "tray 1"},   {WM_LBUTTONDBLCLK, "tray 2"}, {WM_RBUTTONUP, "tray 3"},
      {WM_CONTEXTMENU, "tray 3"}, {WM_MOUSEMOVE, nullptr},      {WM_LBUTTONDOWN, nullptr},
      {WM_RBUTTONDOWN, nullptr},  {WM_MBUTTONDOWN, nullptr},    {WM_MBUTTONUP, nullptr},
      {WM_MBUTTONDBLCLK, nullptr}, {WM_RBUTTONDBLCLK, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mouseMessage);
    mainEvents_.log.clear();
    SendMessageA(window, kTrayMessage, kTrayIconId, c.mouseMessage);
    if (c.expected) {
      EXPECT_EQ(mainEvents_.log, std::vector<std::string>{c.expected});
    } else {
      EXPECT_TRUE(mainEvents_.log.empty());
    }
  }
  // What the shell sends for a double click.
  mainEvents_.log.clear();
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    SendMessageA(window, kTrayMessage, kTrayIconId, message);
  }
  EXPECT_EQ(mainEvents_.log, (std::vector<std::string>{"tray 1", "tray 2", "tray 1"}));
}

TEST_F(FrameTest, CommandsAreRoutedToMenuItems) {
  HWND window = loadMain().handle();
  struct Case {
    UINT id;
    const char* expected;
  };
  const Case cases[] = {
      {kFirstMenuCommandId + 0, "menu 0"},
      {kFirstMenuCommandId + 3, "menu 3"},
      {kFirstMenuCommandId + 8, "menu 8"},
      {kFirstMenuCommandId + 9, nullptr},  // beyond the list
      {kFirstSystemCommandId, nullptr},
      {kFirstSystemCommandId + 5, nullptr},
      {kFirstMenuCommandId - 1, nullptr},
      {1, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    mainEvents_.log.clear();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
    if (c.expected) {
      EXPECT_EQ(mainEvents_.log, std::vector<std::string>{c.expected});
    } else {
      EXPECT_TRUE(mainEvents_.log.empty());
    }
  }
}

// The popup window Windows shows for a tracked menu.
HWND trackedMenuWindow() { return FindWindowA("#32768", nullptr); }

struct TrackedMenu {
  RECT rect{};
  std::vector<std::string> items;
};

TrackedMenu readTrackedMenu() {
  TrackedMenu result;
  HWND popup = trackedMenuWindow();
  if (!popup) return result;
  GetWindowRect(popup, &result.rect);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char caption[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
    result.items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + caption);
  }
  return result;
}

TEST_F(FrameTest, TimeMenuOpensBesideTheCursorAndDeliversTheChosenItem) {
  LoadedWindow& main = loadMain();
  activate(main.handle());
  ASSERT_TRUE(moveCursorTo(300, 200));
  TrackedMenu seen;
  bool menuFound = false;
  // Runs inside the menu's own loop: look at the menu, then choose its second item.
  inbox_.post([&] {
    menuFound = waitFor([] { return trackedMenuWindow() != nullptr; }, nullptr, 3000);
    seen = readTrackedMenu();
    pressKey(VK_DOWN);
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
  });
  MenuPopup::showAtCursor(main.handle(), main.layout(), menuItemIndex(main.layout(), texts::kTimeMenu));
  ASSERT_TRUE(menuFound) << "no popup menu window appeared";
  EXPECT_EQ(seen.rect.left, 303);
  EXPECT_EQ(seen.rect.top, 203);
  const std::vector<std::string> expected = {
      "20005 预设时间", "20006 倒计时60分", "20007 倒计时120分", "20008 倒计时180分"};
  EXPECT_EQ(seen.items, expected);
  ASSERT_TRUE(waitFor([&] { return mainEvents_.count("menu 6") == 1; }, &frame_))
      << "the chosen item did not arrive";
}

TEST_F(FrameTest, TrayMenuOpensLeftOfAndAboveTheCursorAndDeliversTheChosenItem) {
  LoadedWindow& main = loadMain();
  ASSERT_TRUE(moveCursorTo(700, 600));
  TrackedMenu seen;
  bool menuFound = false;
  inbox_.post([&] {
    menuFound = waitFor([] { return trackedMenuWindow() != nullptr; }, nullptr, 3000);
    seen = readTrackedMenu();
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
  });
  MenuPopup::showForTray(main.handle(), main.layout(), menuItemIndex(main.layout(), texts::kTrayMenu));
  ASSERT_TRUE(menuFound) << "no popup menu window appeared";
  EXPECT_EQ(seen.rect.right, 695);
  EXPECT_EQ(seen.rect.top, 595);
  const std::vector<std::string> expected = {"20001 启动", "20002 停止", "20003 关闭"};
  EXPECT_EQ(seen.items, expected);
  ASSERT_TRUE(waitFor([&] { return mainEvents_.count("menu 1") == 1; }, &frame_))
      << "the chosen item did not arrive";
}

TEST_F(FrameTest, DateEntryWindowIsModalOwnedAndWalkedByTab) {
  LoadedWindow& main = loadMain();
  HWND mainWindow = main.handle();
  activate(mainWindow);
  bool stepRan = false;
  inbox_.post([&] {
    stepRan = true;
    LoadedWindow* entry = frame_.window(kDateEntryWindowLayout);
    ASSERT_NE(entry, nullptr);
    HWND window = entry->handle();
    EXPECT_TRUE(IsWindowVisible(window));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 270);
    EXPECT_EQ(rect.bottom - rect.top, 47);
    EXPECT_EQ(rect.left, (kScreenWidth - 270) / 2);
    EXPECT_EQ(rect.top, (kScreenHeight - 47) / 2);
    const LONG_PTR frameBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                               WS_THICKFRAME | WS_POPUP | WS_CHILD | WS_CLIPCHILDREN;
    EXPECT_EQ(styleOf(window) & frameBits, WS_CLIPCHILDREN | WS_DLGFRAME) << "no title bar";
    EXPECT_EQ(GetWindow(window, GW_OWNER), frame_.ownerWindow());
    EXPECT_FALSE(IsWindowEnabled(mainWindow));
    // The pseudo title bar and the close button.
    EXPECT_EQ(windowText(entry->control("标签7")), texts::kDateEntryTitle);
    EXPECT_EQ(windowText(entry->control("按钮1")), texts::kDateEntryClose);
    EXPECT_FALSE(styleOf(entry->control("编辑框1")) & ES_CENTER);

    ASSERT_TRUE(waitFor([&] { return GetFocus() == entry->control("编辑框1"); }, &frame_))
        << "the focus did not start in the year box";
    const char* order[] = {"编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框6", "按钮1", "编辑框1"};
    for (const char* name : order) {
      pressKey(VK_TAB);
      EXPECT_TRUE(waitFor([&] { return GetFocus() == entry->control(name); }, &frame_))
          << "Tab did not reach " << name;
    }
    for (const char* name : {"按钮1", "编辑框6", "编辑框5"}) {
      pressKey(VK_TAB, true);
      EXPECT_TRUE(waitFor([&] { return GetFocus() == entry->control(name); }, &frame_))
          << "Shift+Tab did not reach " << name;
    }
    pressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(frame_.loadWindow(kDateEntryWindowLayout, true));
  EXPECT_TRUE(stepRan);
  EXPECT_EQ(frame_.window(kDateEntryWindowLayout), nullptr) << "Esc closed the window";
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  EXPECT_EQ(dateEvents_.count("will be destroyed"), 1u);
  EXPECT_EQ(dateEvents_.log[0], "created");
}

TEST_F(FrameTest, MainWindowStartsWithTheFocusOnTheStartButtonAndTabSkipsDisabledControls) {
  LoadedWindow& main = loadMain();
  activate(main.handle());
  ASSERT_TRUE(waitFor([&] { return GetFocus() == main.control("启动按钮"); }, &frame_));
  EnableWindow(main.control("编辑框1"), FALSE);
  pressKey(VK_TAB);
  EXPECT_TRUE(waitFor([&] { return GetFocus() == main.control("显示按钮"); }, &frame_));
  pressKey(VK_TAB);
  EXPECT_TRUE(waitFor([&] { return GetFocus() == main.control("启动按钮"); }, &frame_));
  // Esc and Enter do nothing here.
  pressKey(VK_ESCAPE);
  pressKey(VK_RETURN);
  waitFor([] { return false; }, &frame_, 200);
  EXPECT_TRUE(IsWindow(main.handle()));
  EXPECT_EQ(mainEvents_.count("clicked 启动按钮"), 0u);
}

TEST_F(FrameTest, ModalWindowClosedByADestroyRequestRestoresTheDisabledWindows) {
  HWND mainWindow = loadMain().handle();
  EnableWindow(mainWindow, TRUE);
  dateEvents_.created = [](LoadedWindow& window) { window.requestDestroy(); };
  EXPECT_TRUE(frame_.loadWindow(kDateEntryWindowLayout, true));
  EXPECT_EQ(frame_.window(kDateEntryWindowLayout), nullptr);
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  ASSERT_GE(dateEvents_.log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(dateEvents_.log.begin(), dateEvents_.log.begin() + 3),
            (std::vector<std::string>{"created", "moved", "resized"}));
  EXPECT_EQ(dateEvents_.log.back(), "will be destroyed");
}

TEST_F(FrameTest, QuitArrivingInAModalLoopEndsItAndStaysForTheMainLoop) {
  loadMain();
  dateEvents_.created = [](LoadedWindow&) { PostQuitMessage(5); };
  EXPECT_TRUE(frame_.loadWindow(kDateEntryWindowLayout, true));
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 5u);
}

TEST_F(FrameTest, ProcessPendingEventsDispatchesWhatIsQueuedAndLeavesTheQuit) {
  frame_.processPendingEvents();  // empty queue: returns
  int ran = 0;
  inbox_.post([&] { ++ran; });
  inbox_.post([&] { ++ran; });
  PostQuitMessage(9);
  frame_.processPendingEvents();
  EXPECT_EQ(ran, 2);
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "the quit was consumed";
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 9u);
}

TEST_F(FrameTest, LoadingAnOpenWindowBringsItForwardInsteadOfASecondOne) {
  HWND window = loadMain().handle();
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_TRUE(frame_.loadWindow(kMainWindowLayout, false));
  EXPECT_EQ(frame_.window(kMainWindowLayout)->handle(), window);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(mainEvents_.count("created"), 1u);
}

TEST(FrameRun, ClosingTheMainWindowEndsTheLoopWithZeroAndRemovesTheTrayIconOnce) {
  ShellRecorder shell;
  Inbox inbox;
  AppFrame frame;
  RecordingEvents events;
  events.created = [&](LoadedWindow& window) {
    TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
    HWND handle = window.handle();
    inbox.post([handle] { SendMessageA(handle, WM_CLOSE, 0, 0); });
  };
  frame.bind(kMainWindowLayout, events);
  EXPECT_EQ(frame.run(kMainWindowLayout), 0);
  EXPECT_EQ(events.log.back(), "will be destroyed");
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_DELETE));
}

TEST(FrameRun, AMainWindowClosingItselfWhileCreatedSkipsTheLoop) {
  AppFrame frame;
  RecordingEvents events;
  events.created = [](LoadedWindow& window) { DestroyWindow(window.handle()); };
  frame.bind(kMainWindowLayout, events);
  EXPECT_EQ(frame.run(kMainWindowLayout), 0);
  EXPECT_EQ(events.log, (std::vector<std::string>{"created", "will be destroyed"}));
}

HWND WINAPI failToCreate(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                         LPVOID) {
  return nullptr;
}

TEST(FrameRun, AMainWindowThatCannotBeCreatedGivesAnErrorBoxAndMinusOne) {
  FrameSystemCalls saved = frameSystemCalls();
  frameSystemCalls().createWindow = &failToCreate;
  std::string boxText;
  bool boxFound = false;
  std::thread dismisser([&] {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetTickCount64() < deadline) {
      if (HWND box = findOwnWindow("#32770", texts::kStartFailedTitle)) {
        boxFound = true;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        boxText = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
  AppFrame frame;
  RecordingEvents events;
  frame.bind(kMainWindowLayout, events);
  int code = frame.run(kMainWindowLayout);
  dismisser.join();
  frameSystemCalls() = saved;
  EXPECT_EQ(code, -1);
  EXPECT_TRUE(boxFound) << "no error box appeared";
  EXPECT_EQ(boxText, texts::kStartFailedMessage);
  EXPECT_TRUE(events.log.empty());
}

TEST(FrameRun, FramesCanBeMadeAgainInTheSameProcess) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    AppFrame frame;
    ASSERT_NE(frame.ownerWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(frame.ownerWindow()));
    EXPECT_TRUE(GetWindowLongPtrA(frame.ownerWindow(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT rect;
    GetWindowRect(frame.ownerWindow(), &rect);
    EXPECT_TRUE(IsRectEmpty(&rect));
    ASSERT_TRUE(frame.loadWindow(kMainWindowLayout, false));
    HWND window = frame.window(kMainWindowLayout)->handle();
    DestroyWindow(window);
    EXPECT_EQ(frame.window(kMainWindowLayout), nullptr);
    frame.processPendingEvents();
  }
}

// ---- AppFrame::exit, in a child process: this program started again with the child's test ----

constexpr char kChildLogVariable[] = "DUSKLOCK_EXIT_CHILD_LOG";
constexpr char kChildCodeVariable[] = "DUSKLOCK_EXIT_CHILD_CODE";

void appendLine(const std::string& path, const std::string& line) {
  std::ofstream(path, std::ios::app) << line << "\n";
}

class LoggingEvents : public WindowEvents {
 public:
  LoggingEvents(std::string path, int32_t code) : path_(std::move(path)), code_(code) {}
  void onCreated(LoadedWindow& window) override {
    appendLine(path_, "created");
    TrayIcon::set(window.handle(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
    PostMessageA(window.handle(), kTrayMessage, kTrayIconId, WM_LBUTTONUP);
  }
  void onMoved(LoadedWindow&) override { appendLine(path_, "moved"); }
  void onResized(LoadedWindow&) override { appendLine(path_, "resized"); }
  void onWillBeDestroyed(LoadedWindow&) override { appendLine(path_, "will be destroyed"); }
  void onTray(LoadedWindow& window, TrayCode) override {
    appendLine(path_, "exit");
    window.frame().exit(code_);
    appendLine(path_, "after exit");
  }

 private:
  std::string path_;
  int32_t code_;
};

TEST(ExitChild, EndsFromAHandler) {
  const char* path = std::getenv(kChildLogVariable);
  if (!path) GTEST_SKIP() << "runs only as the child of FrameExit tests";
  ShellRecorder shell;
  shell.onCall = [&](const ShellCall& call) {
    appendLine(path, call.message == NIM_ADD ? "shell add" : call.message == NIM_DELETE ? "shell delete" : "shell modify");
  };
  AppFrame frame;
  LoggingEvents events(path, std::atoi(std::getenv(kChildCodeVariable)));
  frame.bind(kMainWindowLayout, events);
  frame.run(kMainWindowLayout);
  appendLine(path, "run returned");
}

DWORD runChild(const std::string& logPath, int code) {
  return runSelfAsChild("ExitChild.EndsFromAHandler",
                        {{kChildLogVariable, logPath}, {kChildCodeVariable, std::to_string(code)}});
}

std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(FrameExit, ExitEndsTheProcessWithItsCodeAfterTheTrayIconIsGoneAndRaisesNothingMore) {
  for (int code : {0, 7}) {
    SCOPED_TRACE(code);
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    std::string logPath = std::string(directory) + "dusklock-exit-child-" +
                          std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(logPath.c_str());
    EXPECT_EQ(runChild(logPath, code), static_cast<DWORD>(code));
    // Showing the window may add moves and size changes of its own before the handler runs;
    // after "exit" only the tray icon's removal may follow: no event, no return.
    std::vector<std::string> lines = readLines(logPath);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"created", "shell add", "moved", "resized"}));
    auto exitLine = std::find(lines.begin(), lines.end(), "exit");
    ASSERT_NE(exitLine, lines.end());
    EXPECT_EQ(std::vector<std::string>(exitLine, lines.end()),
              (std::vector<std::string>{"exit", "shell delete"}));
    DeleteFileA(logPath.c_str());
  }
}

}  // namespace

namespace {

// The place of this process's tray icon in the virtual desktop's taskbar: Wine's explorer
// draws icons from the right end of its notification area, so a lone icon sits at the right.
bool trayIconCentre(POINT* centre) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (!taskbar) return false;
  RECT rect;
  GetWindowRect(taskbar, &rect);
  const int iconSize = GetSystemMetrics(SM_CXSMICON);
  centre->x = rect.right - 2 - iconSize / 2 - 1;
  centre->y = (rect.top + rect.bottom) / 2;
  return true;
}

TEST_F(FrameTest, RealClicksOnTheTrayIconRaiseTheirCodes) {
  loadMain();
  POINT icon{};
  ASSERT_TRUE(trayIconCentre(&icon)) << "the virtual desktop has no taskbar";
  mainEvents_.log.clear();
  ASSERT_TRUE(moveCursorTo(icon.x, icon.y));
  clickAt(icon.x, icon.y);
  clickAt(icon.x, icon.y);
  ASSERT_TRUE(waitFor([&] { return mainEvents_.log.size() >= 3; }, &frame_))
      << "clicks on the tray icon did not arrive";
  EXPECT_EQ(mainEvents_.log, (std::vector<std::string>{"tray 1", "tray 2", "tray 1"}));
  mainEvents_.log.clear();
  waitFor([] { return false; }, &frame_, 600);  // past the double-click time
  clickAt(icon.x, icon.y, true);
  EXPECT_TRUE(waitFor([&] { return mainEvents_.count("tray 3") == 1; }, &frame_));
}

}  // namespace
