// The main window's behaviour on real windows under Wine: the real message loop, real message
// boxes answered by a second thread, real timer ticks; only the power-off is recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "schedule/Texts.h"
#include "ui/ControlNames.h"
#include "ui/MenuPopup.h"
#include "ui/TrayIcon.h"
#include "ui/tests/BehaviourTestSupport.h"

namespace {

using mainwindow::kCountdownButton;
using mainwindow::kDeadlineBox;
using mainwindow::kStartButton;

constexpr int kCentreX = (1024 - 246) / 2;
constexpr int kCentreY = (768 - 97) / 2;

POINT topLeft(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {rect.left, rect.top};
}

std::string clipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class MainWindowTest : public BehaviourTest {
 protected:
  // Arms with a deadline the given number of seconds after the clock, answering Yes.
  void armInSeconds(int32_t seconds) {
    typeDeadline(DateTime::toText(DateTime::add(clock_.value, 8, seconds)).c_str());
    clickButton(kStartButton);
    ASSERT_TRUE(armed());
  }
  std::string countdown() { return windowText(mainControl(kCountdownButton)); }
};

// ---- created ----

// Records, at the first moved event (raised after created and before the first show), what
// the created handling had already done.
class ObservingMainWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void onMoved(LoadedWindow& window) override {
    if (!observed) {
      observed = true;
      visibleAtFirstMove = IsWindowVisible(window.handle()) != FALSE;
      trayIconAtFirstMove = TrayIcon::current(window.handle()) != nullptr;
      HWND button = window.control(kStartButton);
      styledAtFirstMove = GetWindowLongPtrA(button, GWLP_WNDPROC) !=
                          static_cast<LONG_PTR>(GetClassLongPtrA(button, GCLP_WNDPROC));
    }
    ++moves;
    MainWindow::onMoved(window);
  }
  bool observed = false;
  bool visibleAtFirstMove = true;
  bool trayIconAtFirstMove = false;
  bool styledAtFirstMove = false;
  int moves = 0;
};

TEST(MainWindowCreated, AddsTheTrayIconAndTheVisualStyleBeforeTheFirstShow) {
  FakeClock clock;
  AppFrame frame;
  ObservingMainWindow window(frame, clock);
  frame.bind(kMainWindowLayout, window);
  ASSERT_TRUE(frame.loadWindow(kMainWindowLayout, false));
  ASSERT_TRUE(window.observed);
  EXPECT_FALSE(window.visibleAtFirstMove);
  EXPECT_TRUE(window.trayIconAtFirstMove);
  EXPECT_TRUE(window.styledAtFirstMove) << "the start button is not drawn by the style layer";
  EXPECT_TRUE(IsWindowVisible(window.window()->handle()));
  // The window's destruction removes the icon through the will-be-destroyed handling.
  HWND handle = window.window()->handle();
  DestroyWindow(handle);
  EXPECT_EQ(TrayIcon::current(handle), nullptr);
  EXPECT_EQ(window.window(), nullptr);
}

// ---- arming and disarming ----

TEST_F(MainWindowTest, StartButtonAsksAndArmsOnYesKeepingTheTypedDeadline) {
  typeDeadline("2026/12/11 13:00:00");
  clickButton(kStartButton);
  ASSERT_EQ(answerer_.seen().size(), 1u);
  EXPECT_EQ(answerer_.seen()[0].title, texts::kConfirmTitle);
  EXPECT_EQ(answerer_.seen()[0].text, texts::kConfirmMessage);
  EXPECT_TRUE(armed());
  EXPECT_EQ(windowText(mainControl(kStartButton)), texts::kStartCaptionArmed);
  EXPECT_FALSE(IsWindowEnabled(mainControl(kDeadlineBox)));
  EXPECT_EQ(deadline(), "2026/12/11 13:00:00");
  EXPECT_EQ(countdown(), texts::kCountdownCaptionIdle);
}

TEST_F(MainWindowTest, EveryArmingRouteAsksAndOnlyYesArms) {
  const char* const routes[] = {"button", texts::kMenuStart, texts::kMenuStop};
  for (const char* route : routes) {
    for (int answer : {IDNO, IDYES}) {
      SCOPED_TRACE(std::string(route) + (answer == IDYES ? " yes" : " no"));
      answerer_.setButton(answer);
      const size_t asked = answerer_.seen().size();
      typeDeadline("2026年12月11日13时");
      if (std::string(route) == "button") {
        clickButton(kStartButton);
      } else {
        chooseMenuItem(route);
      }
      EXPECT_EQ(answerer_.seen().size(), asked + 1);
      EXPECT_EQ(armed(), answer == IDYES);
      EXPECT_EQ(windowText(mainControl(kStartButton)),
                answer == IDYES ? texts::kStartCaptionArmed : texts::kStartCaptionIdle);
      EXPECT_EQ(IsWindowEnabled(mainControl(kDeadlineBox)) != FALSE, answer != IDYES);
      if (armed()) clickButton(kStartButton);
    }
  }
}

TEST_F(MainWindowTest, EveryRouteDisarmsWithoutAsking) {
  const char* const routes[] = {"button", texts::kMenuStart, texts::kMenuStop};
  for (const char* route : routes) {
    SCOPED_TRACE(route);
    armInSeconds(60);
    ASSERT_TRUE(waitUntil([&] { return countdown() != texts::kCountdownCaptionIdle; }));
    const size_t asked = answerer_.seen().size();
    if (std::string(route) == "button") {
      clickButton(kStartButton);
    } else {
      chooseMenuItem(route);
    }
    EXPECT_EQ(answerer_.seen().size(), asked);
    EXPECT_FALSE(armed());
    EXPECT_EQ(windowText(mainControl(kStartButton)), texts::kStartCaptionIdle);
    EXPECT_EQ(countdown(), texts::kCountdownCaptionIdle);
    EXPECT_TRUE(IsWindowEnabled(mainControl(kDeadlineBox)));
    // No tick comes any more to write a countdown.
    waitUntil([] { return false; }, 1500);
    EXPECT_EQ(countdown(), texts::kCountdownCaptionIdle);
  }
}

TEST_F(MainWindowTest, ADeadlineLessThanTenSecondsAheadIsReplacedByNowPlusTen) {
  struct Case {
    std::string typed;
    std::string expected;
  } const cases[] = {
      {"2026-12-11 12:00:10", "2026-12-11 12:00:10"},
      {"2026-12-11 12:00:09", "2026年12月11日12时0分10秒"},
      {"2026年12月11日11时", "2026年12月11日12时0分10秒"},
      {texts::kDeadlineInstruction, "2026年12月11日12时0分10秒"},
      {"", "2026年12月11日12时0分10秒"},
      {"2016年13月40日", "2026年12月11日12时0分10秒"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    typeDeadline(c.typed.c_str());
    clickButton(kStartButton);
    EXPECT_TRUE(armed());
    EXPECT_EQ(deadline(), c.expected);
    clickButton(kStartButton);
  }
}

// ---- ticks ----

TEST_F(MainWindowTest, TheCountdownFollowsTheClockOnceASecond) {
  armInSeconds(3725);
  ASSERT_TRUE(waitUntil([&] { return countdown() == "1小时2分钟5秒"; }, 3000)) << countdown();
  clock_.advanceSeconds(1);
  ASSERT_TRUE(waitUntil([&] { return countdown() == "1小时2分钟4秒"; }, 3000)) << countdown();
  clock_.advanceSeconds(3724 - (25 * 3600 + 61));  // 25 h 1 min 1 s before
  ASSERT_TRUE(waitUntil([&] { return countdown() == "25小时1分钟1秒"; }, 3000)) << countdown();
  EXPECT_TRUE(power_.requests().empty());
}

TEST_F(MainWindowTest, PowerOffIsRequestedFromTwoSecondsPastTheDeadlineOnEveryTick) {
  armInSeconds(10);
  clock_.advanceSeconds(11);  // one second past: the caption still reads zero
  ASSERT_TRUE(waitUntil([&] { return countdown() == "0小时0分钟0秒"; }, 3000)) << countdown();
  waitUntil([] { return false; }, 1500);  // at least one more tick
  EXPECT_TRUE(power_.requests().empty());

  clock_.advanceSeconds(1);  // two seconds past
  ASSERT_TRUE(waitUntil([&] { return !power_.requests().empty(); }, 3000));
  EXPECT_EQ(power_.requests()[0], static_cast<UINT>(EWX_POWEROFF | EWX_FORCE));
  ASSERT_TRUE(waitUntil([&] { return power_.requests().size() >= 3; }, 4000))
      << "the request is not repeated on later ticks";
  EXPECT_TRUE(armed());
  EXPECT_EQ(countdown(), "0小时0分钟0秒");

  // Disarming stops the requests.
  clickButton(kStartButton);
  const size_t made = power_.requests().size();
  waitUntil([] { return false; }, 1500);
  EXPECT_EQ(power_.requests().size(), made);
}

TEST_F(MainWindowTest, ADeadlineInTheNextCenturyCountsDownInsteadOfPoweringOff) {
  typeDeadline("2100年1月1日");
  clickButton(kStartButton);
  ASSERT_TRUE(armed());
  ASSERT_TRUE(waitUntil([&] { return countdown() == "596523小时14分钟7秒"; }, 3000))
      << countdown();
  EXPECT_TRUE(power_.requests().empty());
}

// ---- presets ----

TEST_F(MainWindowTest, PresetsWriteTheirDeadlineThenArmWhenIdleAndDisarmWhenArmed) {
  struct Case {
    const char* item;
    const char* deadline;
    bool armedAfter;
  } const cases[] = {
      {texts::kMenu60, "2026年12月11日13时", true},
      {texts::kMenu120, "2026年12月11日14时", false},
      {texts::kMenu180, "2026年12月11日15时", true},
      {texts::kMenuTonight, "2026年12月11日23时59分30秒", false},
      {texts::kMenuTonight, "2026年12月11日23时59分30秒", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const size_t asked = answerer_.seen().size();
    chooseMenuItem(c.item);
    EXPECT_EQ(deadline(), c.deadline);
    EXPECT_EQ(armed(), c.armedAfter);
    EXPECT_EQ(answerer_.seen().size(), asked + (c.armedAfter ? 1 : 0));
  }
}

TEST_F(MainWindowTest, TheTonightPresetPastItsTimeIsReplacedByNowPlusTen) {
  clock_.value = DateTime::fromParts(2026, 12, 11, 23, 59, 25);
  chooseMenuItem(texts::kMenuTonight);
  EXPECT_TRUE(armed());
  EXPECT_EQ(deadline(), "2026年12月11日23时59分35秒");
}

// ---- showing and hiding ----

TEST_F(MainWindowTest, MinimisingHidesTheWindowAtOnce) {
  for (bool bySystemCommand : {false, true}) {
    SCOPED_TRACE(bySystemCommand ? "system command" : "ShowWindow");
    if (bySystemCommand) {
      SendMessageA(main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
      ShowWindow(main(), SW_MINIMIZE);
    }
    EXPECT_FALSE(IsWindowVisible(main()));
    EXPECT_TRUE(IsIconic(main()));
    EXPECT_EQ(mainWindow_.placement(), WindowPlacement::Minimised);
    EXPECT_NE(TrayIcon::current(main()), nullptr);
    trayEvent(WM_LBUTTONUP);
    ASSERT_TRUE(IsWindowVisible(main()));
  }
}

TEST_F(MainWindowTest, TrayLeftClickInEachWindowState) {
  // shown: hidden in place.
  SetWindowPos(main(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  trayEvent(WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(main()));
  EXPECT_EQ(topLeft(main()).x, 10);

  // hidden: shown where it was.
  trayEvent(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_FALSE(IsIconic(main()));
  EXPECT_EQ(topLeft(main()).x, 10);
  EXPECT_EQ(topLeft(main()).y, 20);

  // hidden-minimised: shown restored and centred.
  ShowWindow(main(), SW_MINIMIZE);
  ASSERT_FALSE(IsWindowVisible(main()));
  trayEvent(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_FALSE(IsIconic(main()));
  EXPECT_EQ(topLeft(main()).x, kCentreX);
  EXPECT_EQ(topLeft(main()).y, kCentreY);

  // shown-minimised (shown again without a move): hidden and still minimised; the next
  // click restores and centres it.
  SetWindowPos(main(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(main(), SW_MINIMIZE);
  ShowWindow(main(), SW_SHOWNA);
  ASSERT_TRUE(IsWindowVisible(main()) && IsIconic(main()))
      << "could not produce a shown minimised window";
  trayEvent(WM_LBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(main()));
  EXPECT_TRUE(IsIconic(main()));
  trayEvent(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_FALSE(IsIconic(main()));
  EXPECT_EQ(topLeft(main()).x, kCentreX);
}

TEST_F(MainWindowTest, ADoubleClickFlipsTheWindowTwiceAndItsOwnCodeDoesNothing) {
  SetWindowPos(main(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  trayEvent(WM_LBUTTONUP);
  trayEvent(WM_LBUTTONDBLCLK);
  EXPECT_FALSE(IsWindowVisible(main()));
  trayEvent(WM_LBUTTONUP);
  EXPECT_TRUE(IsWindowVisible(main()));
  EXPECT_EQ(topLeft(main()).x, 30);
  EXPECT_EQ(topLeft(main()).y, 40);
}

TEST_F(MainWindowTest, ToggleShowsAHiddenWindowAndCentresItEvenWhenDeclined) {
  answerer_.setButton(IDNO);
  for (bool minimised : {false, true}) {
    SCOPED_TRACE(minimised ? "hidden-minimised" : "hidden");
    SetWindowPos(main(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (minimised) {
      ShowWindow(main(), SW_MINIMIZE);
    } else {
      trayEvent(WM_LBUTTONUP);
    }
    ASSERT_FALSE(IsWindowVisible(main()));
    chooseMenuItem(texts::kMenuStart);
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_FALSE(IsIconic(main()));
    EXPECT_EQ(topLeft(main()).x, kCentreX);
    EXPECT_EQ(topLeft(main()).y, kCentreY);
    EXPECT_FALSE(armed());
  }
}

TEST_F(MainWindowTest, PlacementIsReadFromTheLiveWindowAndCentringActsOnlyWhenNeeded) {
  EXPECT_EQ(mainWindow_.placement(), WindowPlacement::Normal);
  mainWindow_.setMainWindowPosition(static_cast<int32_t>(WindowPlacement::Centred));
  EXPECT_EQ(mainWindow_.placement(), WindowPlacement::Normal);
  ShowWindow(main(), SW_MAXIMIZE);
  EXPECT_EQ(mainWindow_.placement(), WindowPlacement::Maximised);
  mainWindow_.restoreCentred();
  EXPECT_EQ(mainWindow_.placement(), WindowPlacement::Normal);
  EXPECT_EQ(topLeft(main()).x, kCentreX);

  // Hidden: nothing happens.
  SetWindowPos(main(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(main(), SW_HIDE);
  mainWindow_.restoreCentred();
  EXPECT_FALSE(IsWindowVisible(main()));
  EXPECT_EQ(topLeft(main()).x, 10);
}

TEST(MainWindowCentring, AnAlreadyCentredWindowIsNotMoved) {
  FakeClock clock;
  AppFrame frame;
  ObservingMainWindow window(frame, clock);
  frame.bind(kMainWindowLayout, window);
  ASSERT_TRUE(frame.loadWindow(kMainWindowLayout, false));
  const int moves = window.moves;
  window.restoreCentred();
  EXPECT_EQ(window.moves, moves);
  SetWindowPos(window.window()->handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  window.restoreCentred();
  EXPECT_EQ(topLeft(window.window()->handle()).x, kCentreX);
}

TEST_F(MainWindowTest, TheTimerPeriodStepStoresNegativeAsZero) {
  mainWindow_.setTimerPeriod(-5);
  EXPECT_EQ(mainWindow_.timerPeriod(), 0);
  mainWindow_.setTimerPeriod(1000);
  EXPECT_EQ(mainWindow_.timerPeriod(), 1000);
  mainWindow_.setTimerPeriod(0);
  EXPECT_EQ(mainWindow_.timerPeriod(), 0);
}

// ---- the display button ----

TEST_F(MainWindowTest, TheDisplayButtonPutsItsTextOnTheClipboardAndTheCountdownRunsOn) {
  armInSeconds(100);
  ASSERT_TRUE(waitUntil([&] { return countdown() == "0小时1分钟40秒"; }, 3000)) << countdown();
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  clickButton(kCountdownButton);
  EXPECT_EQ(clipboardText(), texts::kClipboardText);
  EXPECT_TRUE(armed());
  clock_.advanceSeconds(1);
  EXPECT_TRUE(waitUntil([&] { return countdown() == "0小时1分钟39秒"; }, 3000)) << countdown();
}

// ---- the edit box's presses ----

TEST_F(MainWindowTest, RightPressOnTheDeadlineBoxOpensTheTimeChoiceMenu) {
  HWND menu = nullptr;
  std::string first;
  // The press goes first; the step then runs inside the popup menu's own loop.
  PostMessageA(mainControl(kDeadlineBox), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  inbox_.post([&] {
    menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
      HMENU shown = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
      char caption[64] = {};
      GetMenuStringA(shown, 0, caption, sizeof caption, MF_BYPOSITION);
      first = caption;
    }
    EndMenu();
  });
  ASSERT_TRUE(waitUntil([&] { return menu != nullptr; }, 5000)) << "no popup menu appeared";
  EXPECT_EQ(first, texts::kMenuTonight);
  EXPECT_FALSE(armed());
}

TEST_F(MainWindowTest, LeftPressEmptiesTheDeadlineAndOpensTheDateEntryWindowModally) {
  typeDeadline("2026年12月11日13时");
  clock_.value = DateTime::fromParts(2016, 5, 28, 23, 44, 29);
  bool sawEmptyDeadline = false, mainDisabled = false, opened = false;
  // The press goes first; the step then runs inside the date-entry window's modal loop.
  PostMessageA(mainControl(kDeadlineBox), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  inbox_.post([&] {
    LoadedWindow* entry = frame_.window(kDateEntryWindowLayout);
    opened = entry != nullptr;
    sawEmptyDeadline = deadline().empty();
    mainDisabled = !IsWindowEnabled(main());
    if (entry) SendMessageA(entry->control("按钮1"), BM_CLICK, 0, 0);
  });
  ASSERT_TRUE(waitUntil([&] { return opened && !frame_.window(kDateEntryWindowLayout); }));
  EXPECT_TRUE(sawEmptyDeadline);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_EQ(deadline(), "2016年5月28日23时44分29秒");
  // The press reached the box after the window closed, and left no mouse capture behind that
  // would send the next click anywhere in the program to the box again.
  waitUntil([] { return false; }, 200);
  EXPECT_EQ(GetFocus(), mainControl(kDeadlineBox));
  EXPECT_EQ(GetCapture(), nullptr);
}

// ---- closing ----

constexpr char kChildLogVariable[] = "DUSKLOCK_CLOSE_CHILD_LOG";

void appendLine(const char* path, const std::string& line) {
  std::ofstream(path, std::ios::app) << line << "\n";
}

TEST(CloseChild, ArmsThenChoosesClose) {
  const char* path = std::getenv(kChildLogVariable);
  if (!path) GTEST_SKIP() << "runs only as the child of MainWindowClose";
  PowerOffRecorder power;
  BoxAnswerer answerer(GetCurrentThreadId(), IDYES);
  FakeClock clock;
  AppFrame frame;
  MainWindow mainWindow(frame, clock);
  frame.bind(kMainWindowLayout, mainWindow);
  Inbox inbox;
  inbox.post([&] {
    SendMessageA(mainWindow.window()->handle(), WM_COMMAND,
                 kFirstMenuCommandId + menuItemIndex(kMainWindowLayout, texts::kMenuStart), 0);
    appendLine(path, mainWindow.timerPeriod() == 1000 ? "armed" : "idle");
    SendMessageA(mainWindow.window()->handle(), WM_COMMAND,
                 kFirstMenuCommandId + menuItemIndex(kMainWindowLayout, texts::kMenuClose), 0);
    appendLine(path, "after close");
  });
  frame.run(kMainWindowLayout);
  appendLine(path, "run returned");
}

TEST(MainWindowClose, TheCloseItemEndsTheProgramWithZeroWhileArmed) {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  const std::string log = std::string(directory) + "dusklock-close-" +
                          std::to_string(GetCurrentProcessId()) + ".log";
  DeleteFileA(log.c_str());
  const DWORD code = runSelfAsChild("CloseChild.*", {{kChildLogVariable, log}}, 30000);
  EXPECT_EQ(code, 0u);
  std::ifstream in(log);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "armed\n");
  in.close();
  DeleteFileA(log.c_str());
}

}  // namespace
