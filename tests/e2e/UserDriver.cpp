// Drives a running Dusklock.exe from another process, only as a user can: real mouse and
// keyboard input (SendInput) aimed at its windows, and what the user can see read back from
// them (window texts, enabled state). It runs in the same Wine session as the program.
//
//   UserDriver power-off-run     type a deadline 15 s ahead, arm it, watch the countdown until
//                                the session ends (the forced power-off ends this driver too)
//   UserDriver disarm-run        arm the same way, disarm before the deadline, stay until well
//                                past it, then close the program from its tray menu
//   UserDriver step NAME [ARG]   one user action for the screenshots (see runStep)
//
// Every line goes straight to the standard output, flushed, since the session may end the
// process at any moment:  <unix time, ms>  <event>  [details, UTF-8]
// The host-side script reads these lines and judges what happened.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "schedule/Texts.h"

namespace {

constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitRefused = 3;
constexpr int kExitUsage = 2;

constexpr DWORD kPollMs = 50;
constexpr DWORD kStartWaitMs = 60000;  // the first program of a fresh prefix boots the session
constexpr DWORD kWindowWaitMs = 10000;
constexpr int kDeadlineLeadSeconds = 15;

// ---- logging ----

double unixNow() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr uint64_t kUnixEpochTicks = 116444736000000000ULL;  // 1970-01-01 in 100 ns units
  return static_cast<double>(ticks - kUnixEpochTicks) / 1e7;
}

// GBK (the ANSI code page the program runs under) to UTF-8, for a log people can read.
std::string utf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  int wide = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  std::wstring buffer(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &buffer[0], wide);
  int narrow = WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, buffer.c_str(), -1, &out[0], narrow, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

void logLine(const char* event, const char* format = nullptr, ...) {
  char details[512] = "";
  if (format) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(details, sizeof details, format, args);
    va_end(args);
  }
  std::printf("%.3f %s%s%s\n", unixNow(), event, details[0] ? " " : "", details);
  std::fflush(stdout);
}

// ---- waiting ----

// Polls until the condition holds or the time is up; the driver owns no windows, but it empties
// its queue anyway so nothing it might receive piles up.
template <typename Condition>
bool waitUntil(DWORD timeoutMs, Condition condition) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(kPollMs);
  }
}

// ---- reading windows of the other process ----

std::string windowText(HWND window) {
  char buffer[512] = "";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 2000, &copied)) {
    return std::string();
  }
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

std::string className(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The enumeration callback is stdcall on 32-bit Windows, which a lambda cannot be.
BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, &collectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND childOfClass(HWND parent, const char* wantedClass, const char* wantedText = nullptr) {
  for (HWND child : childrenOf(parent)) {
    if (lstrcmpiA(className(child).c_str(), wantedClass) != 0) continue;
    if (wantedText && windowText(child) != wantedText) continue;
    return child;
  }
  return nullptr;
}

std::vector<HWND> topLevelWindowsOfThread(DWORD thread) {
  std::vector<HWND> found;
  EnumThreadWindows(thread, &collectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND focusOfThread(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

HWND visiblePopupMenu() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// ---- input, as the user gives it ----

POINT centreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void movePointer(POINT to) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((static_cast<int64_t>(to.x) * 65536 + width / 2) / width);
  move.mi.dy = static_cast<LONG>((static_cast<int64_t>(to.y) * 65536 + height / 2) / height);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  POINT at{};
  // Rounding of the absolute coordinates differs between systems; put the pointer exactly.
  if (GetCursorPos(&at) && (at.x != to.x || at.y != to.y)) SetCursorPos(to.x, to.y);
}

void clickAt(POINT at, bool rightButton = false) {
  movePointer(at);
  Sleep(30);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(1, &press[0], sizeof(INPUT));
  Sleep(30);
  SendInput(1, &press[1], sizeof(INPUT));
}

void click(HWND window, bool rightButton = false) { clickAt(centreOf(window), rightButton); }

void keyEvent(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key == VK_HOME || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_UP ||
      key == VK_DOWN) {
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  SendInput(1, &input, sizeof input);
  Sleep(15);
}

void pressKey(WORD key, bool withShift = false) {
  if (withShift) keyEvent(VK_SHIFT, false);
  keyEvent(key, false);
  keyEvent(key, true);
  if (withShift) keyEvent(VK_SHIFT, true);
}

// Types plain ASCII the way the keyboard layout produces it.
bool typeText(const char* text) {
  for (const char* c = text; *c; ++c) {
    SHORT scan = VkKeyScanA(*c);
    if (scan == -1) return false;
    pressKey(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 1) != 0);
  }
  return true;
}

// ---- the program's windows ----

struct MainWindow {
  HWND window = nullptr;
  HWND deadlineBox = nullptr;
  HWND startButton = nullptr;
  HWND countdownButton = nullptr;
  DWORD thread = 0;
  DWORD process = 0;
};

// The buttons are told apart by their place, left and right under the deadline box, so that
// they are found whatever captions they show.
bool findMainWindow(MainWindow& found, DWORD timeoutMs) {
  const bool appeared = waitUntil(timeoutMs, [&] {
    found.window = FindWindowA(nullptr, texts::kMainWindowTitle);
    return found.window && IsWindowVisible(found.window);
  });
  if (!appeared) return false;
  found.thread = GetWindowThreadProcessId(found.window, &found.process);
  found.deadlineBox = childOfClass(found.window, "Edit");
  HWND buttons[2] = {};
  int count = 0;
  for (HWND child : childrenOf(found.window)) {
    if (lstrcmpiA(className(child).c_str(), "Button") == 0 && count < 2) buttons[count++] = child;
  }
  if (!found.deadlineBox || count != 2) return false;
  RECT first{}, second{};
  GetWindowRect(buttons[0], &first);
  GetWindowRect(buttons[1], &second);
  const bool firstIsLeft = first.left < second.left;
  found.startButton = firstIsLeft ? buttons[0] : buttons[1];
  found.countdownButton = firstIsLeft ? buttons[1] : buttons[0];
  return true;
}

void logState(const MainWindow& main, const char* when) {
  logLine("state", "%s deadline=[%s] deadline-enabled=%d start=[%s] countdown=[%s]", when,
          utf8(windowText(main.deadlineBox)).c_str(), IsWindowEnabled(main.deadlineBox) ? 1 : 0,
          utf8(windowText(main.startButton)).c_str(),
          utf8(windowText(main.countdownButton)).c_str());
}

// A click on the title bar activates the window, as a user would do before using the keyboard.
bool activate(const MainWindow& main) {
  if (GetForegroundWindow() == main.window) return true;
  RECT rect{};
  GetWindowRect(main.window, &rect);
  const int captionY = rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  POINT onCaption{rect.left + (rect.right - rect.left) / 3, captionY};
  DWORD_PTR hit = 0;
  SendMessageTimeoutA(main.window, WM_NCHITTEST, 0, MAKELPARAM(onCaption.x, onCaption.y),
                      SMTO_ABORTIFHUNG, 2000, &hit);
  if (hit != HTCAPTION) logLine("note", "caption hit test at %ld,%ld gave %lu", onCaption.x, onCaption.y,
                                static_cast<unsigned long>(hit));
  clickAt(onCaption);
  return waitUntil(kWindowWaitMs, [&] { return GetForegroundWindow() == main.window; });
}

HWND findConfirmBox() {
  HWND box = FindWindowA("#32770", texts::kConfirmTitle);
  return box && IsWindowVisible(box) ? box : nullptr;
}

std::string confirmBoxMessage(HWND box) {
  for (HWND child : childrenOf(box)) {
    if (lstrcmpiA(className(child).c_str(), "Static") != 0) continue;
    std::string text = windowText(child);
    if (!text.empty()) return text;
  }
  return std::string();
}

// The date-entry window: another visible top-level window of the program's thread, holding
// the six field boxes.
HWND findDateEntryWindow(const MainWindow& main) {
  for (HWND window : topLevelWindowsOfThread(main.thread)) {
    if (window == main.window || !IsWindowVisible(window)) continue;
    int edits = 0;
    for (HWND child : childrenOf(window)) {
      if (lstrcmpiA(className(child).c_str(), "Edit") == 0) ++edits;
    }
    if (edits == 6) return window;
  }
  return nullptr;
}

// The icon in the notification area of Wine's virtual desktop, at the right end of the taskbar.
// Newer Wine gives each icon a small window of its own there; Wine 8 paints the icons into the
// taskbar itself, right to left from its right edge, each a small icon plus a 2-pixel border on
// either side. With only this program running, its icon is the only one, at the right edge.
bool trayIconPoint(POINT& point) {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray || !IsWindowVisible(tray)) return false;
  RECT trayRect{};
  GetWindowRect(tray, &trayRect);
  HWND best = nullptr;
  RECT bestRect{};
  for (HWND child : childrenOf(tray)) {
    if (className(child) != "__wine_tray_icon" || !IsWindowVisible(child)) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    if (!best || rect.left > bestRect.left) {
      best = child;
      bestRect = rect;
    }
  }
  if (best) {
    point = {(bestRect.left + bestRect.right) / 2, (bestRect.top + bestRect.bottom) / 2};
    return true;
  }
  const int iconCell = GetSystemMetrics(SM_CXSMICON) + 2 * 2;
  point = {trayRect.right - iconCell / 2, (trayRect.top + trayRect.bottom) / 2};
  return true;
}

// Clicks the given row (0 = first) of the open popup menu; the rows of these menus are all text
// items of one height.
bool clickMenuRow(int row, int rows) {
  HWND menu = visiblePopupMenu();
  if (!menu) return false;
  RECT client{};
  GetClientRect(menu, &client);
  const int rowHeight = (client.bottom - client.top) / rows;
  POINT at{(client.right - client.left) / 2, row * rowHeight + rowHeight / 2};
  ClientToScreen(menu, &at);
  clickAt(at);
  return waitUntil(kWindowWaitMs, [] { return visiblePopupMenu() == nullptr; });
}

// ---- parsing what the program shows ----

// "1小时2分钟5秒" to 3725; -1 for anything else (the idle caption among others).
long countdownSeconds(const std::string& caption) {
  long h = 0, m = 0, s = 0;
  const std::string hours = texts::kCountdownHours, minutes = texts::kCountdownMinutes,
                    seconds = texts::kCountdownSeconds;
  size_t at = 0;
  auto number = [&](long& value, const std::string& unit) {
    size_t start = at;
    while (at < caption.size() && caption[at] >= '0' && caption[at] <= '9') ++at;
    if (at == start || caption.compare(at, unit.size(), unit) != 0) return false;
    value = std::strtol(caption.substr(start, at - start).c_str(), nullptr, 10);
    at += unit.size();
    return true;
  };
  if (!number(h, hours) || !number(m, minutes) || !number(s, seconds) || at != caption.size()) {
    return -1;
  }
  return h * 3600 + m * 60 + s;
}

// ---- the user's steps ----

const char* wineVersion() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // not owned: always loaded
  if (!ntdll) return nullptr;
  using GetVersion = const char*(__cdecl*)();
  auto getVersion = reinterpret_cast<GetVersion>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
  return getVersion ? getVersion() : nullptr;
}

int fail(const char* why) {
  logLine("FAIL", "%s", why);
  return kExitFailed;
}

// Puts the text into the deadline box by keyboard: Tab until the box has the focus (a left
// click would open the date-entry window), select what it holds, type over it.
bool typeDeadline(const MainWindow& main, const char* text) {
  if (!activate(main)) return false;
  for (int attempt = 0; attempt < 4 && focusOfThread(main.thread) != main.deadlineBox; ++attempt) {
    pressKey(VK_TAB);
    waitUntil(1000, [&] { return focusOfThread(main.thread) == main.deadlineBox; });
  }
  if (focusOfThread(main.thread) != main.deadlineBox) return false;
  pressKey(VK_HOME);
  pressKey(VK_END, true);
  if (!typeText(text)) return false;
  return waitUntil(kWindowWaitMs, [&] { return windowText(main.deadlineBox) == text; });
}

// The deadline `leadSeconds` ahead on a whole second, and its text as typed ("-" and ":"
// separators, one space after the day).
time_t deadlineAhead(int leadSeconds, char* text, size_t size) {
  const time_t deadline = std::time(nullptr) + leadSeconds + 1;
  std::tm local{};
  localtime_s(&local, &deadline);
  std::snprintf(text, size, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return deadline;
}

// Clicks the start button and answers the confirmation with Yes, by clicking it.
bool armWithYes(const MainWindow& main) {
  click(main.startButton);
  HWND box = nullptr;
  if (!waitUntil(kWindowWaitMs, [&] { return (box = findConfirmBox()) != nullptr; })) {
    logLine("FAIL", "no confirmation box appeared");
    return false;
  }
  logLine("confirm-shown", "[%s]", utf8(confirmBoxMessage(box)).c_str());
  HWND yes = GetDlgItem(box, IDYES);
  if (!yes) {
    logLine("FAIL", "the confirmation box has no Yes button");
    return false;
  }
  click(yes);
  if (!waitUntil(kWindowWaitMs, [&] { return findConfirmBox() == nullptr; })) {
    logLine("FAIL", "the confirmation box stayed open after clicking Yes");
    return false;
  }
  logLine("clicked-yes");
  return waitUntil(kWindowWaitMs,
                   [&] { return windowText(main.startButton) == texts::kStartCaptionArmed; });
}

bool startRun(MainWindow& main, time_t& deadline) {
  if (!findMainWindow(main, kStartWaitMs)) {
    logLine("FAIL", "the main window with its deadline box and two buttons did not appear");
    return false;
  }
  logLine("main-window", "process=%lu", static_cast<unsigned long>(main.process));
  logState(main, "start");
  char text[64];
  deadline = deadlineAhead(kDeadlineLeadSeconds, text, sizeof text);
  if (!typeDeadline(main, text)) {
    logState(main, "typing-failed");
    logLine("FAIL", "could not type the deadline into the deadline box");
    return false;
  }
  logLine("deadline", "%lld %s", static_cast<long long>(deadline), text);
  if (!armWithYes(main)) {
    logState(main, "arming-failed");
    logLine("FAIL", "the schedule did not arm");
    return false;
  }
  logLine("armed");
  logState(main, "armed");
  return true;
}

// Logs each distinct caption of the countdown button until `until` (unix time) or until
// `stop` holds; returns the number of distinct countdown values seen.
template <typename Stop>
int watchCountdown(const MainWindow& main, double until, Stop stop) {
  std::string last;
  int distinct = 0;
  while (unixNow() < until && !stop()) {
    if (!IsWindow(main.window)) {
      logLine("main-window-gone");
      break;
    }
    std::string caption = windowText(main.countdownButton);
    if (caption != last && !caption.empty()) {
      long seconds = countdownSeconds(caption);
      logLine("countdown", "%ld [%s]", seconds, utf8(caption).c_str());
      if (seconds >= 0) ++distinct;
      last = caption;
    }
    Sleep(kPollMs);
  }
  return distinct;
}

int powerOffRun() {
  MainWindow main;
  time_t deadline = 0;
  if (!startRun(main, deadline)) return kExitFailed;
  // The session should end a few seconds after the deadline and take this driver with it.
  watchCountdown(main, static_cast<double>(deadline) + 30, [] { return false; });
  logState(main, "still-running");
  return fail("still running 30 s after the deadline");
}

int disarmRun() {
  MainWindow main;
  time_t deadline = 0;
  if (!startRun(main, deadline)) return kExitFailed;
  watchCountdown(main, static_cast<double>(deadline) - 8, [] { return false; });
  click(main.startButton);
  if (!waitUntil(kWindowWaitMs,
                 [&] { return windowText(main.startButton) == texts::kStartCaptionIdle; })) {
    logState(main, "disarm-failed");
    return fail("the start button did not return to its idle caption");
  }
  logLine("disarmed");
  logState(main, "disarmed");
  // Stay until well past the deadline, watching that nothing counts any more.
  watchCountdown(main, static_cast<double>(deadline) + 5, [] { return false; });
  if (!IsWindow(main.window)) return fail("the program ended after it was disarmed");
  logLine("alive-past-deadline", "%.3f", unixNow() - static_cast<double>(deadline));
  logState(main, "past-deadline");

  POINT icon{};
  if (!trayIconPoint(icon)) return fail("no icon in the notification area");
  clickAt(icon, true);
  if (!waitUntil(kWindowWaitMs, [] { return visiblePopupMenu() != nullptr; })) {
    return fail("the tray menu did not open");
  }
  logLine("tray-menu-open");
  if (!clickMenuRow(2, 3)) return fail("the tray menu did not close after clicking its last row");
  logLine("clicked-close");
  if (!waitUntil(kWindowWaitMs, [&] { return !IsWindow(main.window); })) {
    return fail("the main window is still there after choosing the close item");
  }
  logLine("main-window-gone");
  return kExitPassed;
}

// One user action for the screenshots script; each leaves the program in the state to capture.
int runStep(const char* name, const char* argument) {
  MainWindow main;
  if (!findMainWindow(main, kStartWaitMs)) return fail("no main window");
  const std::string step = name;
  if (step == "wait-idle") {
    logState(main, "idle");
    return activate(main) ? kExitPassed : fail("could not activate the main window");
  }
  if (step == "type-deadline") {  // ARG: seconds ahead
    char text[64];
    deadlineAhead(argument ? std::atoi(argument) : 7200, text, sizeof text);
    return typeDeadline(main, text) ? kExitPassed : fail("could not type the deadline");
  }
  if (step == "press-start") {
    click(main.startButton);
    return kExitPassed;
  }
  if (step == "wait-confirm") {
    return waitUntil(kWindowWaitMs, [] { return findConfirmBox() != nullptr; })
               ? kExitPassed
               : fail("no confirmation box");
  }
  if (step == "answer-yes") {
    HWND box = findConfirmBox();
    if (!box) return fail("no confirmation box");
    click(GetDlgItem(box, IDYES));
    return waitUntil(kWindowWaitMs,
                     [&] { return windowText(main.startButton) == texts::kStartCaptionArmed; })
               ? kExitPassed
               : fail("not armed");
  }
  if (step == "wait-countdown") {
    return waitUntil(kWindowWaitMs,
                     [&] { return countdownSeconds(windowText(main.countdownButton)) >= 0; })
               ? kExitPassed
               : fail("no countdown");
  }
  if (step == "disarm") {
    if (windowText(main.startButton) != texts::kStartCaptionArmed) return kExitPassed;
    click(main.startButton);
    return waitUntil(kWindowWaitMs,
                     [&] { return windowText(main.startButton) == texts::kStartCaptionIdle; })
               ? kExitPassed
               : fail("not disarmed");
  }
  if (step == "time-menu") {
    click(main.deadlineBox, true);
    return waitUntil(kWindowWaitMs, [] { return visiblePopupMenu() != nullptr; })
               ? kExitPassed
               : fail("no time-choice menu");
  }
  if (step == "tray-menu") {
    POINT icon{};
    if (!trayIconPoint(icon)) return fail("no tray icon");
    clickAt(icon, true);
    return waitUntil(kWindowWaitMs, [] { return visiblePopupMenu() != nullptr; })
               ? kExitPassed
               : fail("no tray menu");
  }
  if (step == "date-entry") {
    click(main.deadlineBox);
    return waitUntil(kWindowWaitMs, [&] { return findDateEntryWindow(main) != nullptr; })
               ? kExitPassed
               : fail("no date-entry window");
  }
  if (step == "escape") {
    pressKey(VK_ESCAPE);
    return waitUntil(kWindowWaitMs, [&] {
             return !visiblePopupMenu() && !findDateEntryWindow(main);
           })
               ? kExitPassed
               : fail("Esc closed nothing");
  }
  if (step == "pointer-away") {  // onto empty desktop, so that nothing shows a hover look
    movePointer({40, 40});
    return kExitPassed;
  }
  if (step == "tray-icon-point") {
    POINT icon{};
    if (!trayIconPoint(icon)) return fail("no tray icon");
    logLine("tray-icon", "%ld %ld", icon.x, icon.y);
    return kExitPassed;
  }
  if (step == "window-rect") {  // ARG: main, confirm, date-entry or menu
    const std::string which = argument ? argument : "main";
    HWND window = which == "confirm"      ? findConfirmBox()
                  : which == "date-entry" ? findDateEntryWindow(main)
                  : which == "menu"       ? visiblePopupMenu()
                                          : main.window;
    if (!window) return fail("no such window");
    RECT rect{};
    GetWindowRect(window, &rect);
    logLine("rect", "%ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left,
            rect.bottom - rect.top);
    return kExitPassed;
  }
  logLine("FAIL", "unknown step %s", name);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // plain "\n" line ends for the host-side script
  const char* version = wineVersion();
  if (!version) {
    logLine("refused", "not running under Wine");
    return kExitRefused;
  }
  logLine("wine", "%s", version);
  if (argc >= 2 && std::strcmp(argv[1], "power-off-run") == 0) return powerOffRun();
  if (argc >= 2 && std::strcmp(argv[1], "disarm-run") == 0) return disarmRun();
  if (argc >= 3 && std::strcmp(argv[1], "step") == 0) {
    return runStep(argv[2], argc >= 4 ? argv[3] : nullptr);
  }
  logLine("usage", "UserDriver power-off-run | disarm-run | step NAME [ARG]");
  return kExitUsage;
}
