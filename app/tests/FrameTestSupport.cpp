#include "app/tests/FrameTestSupport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kRunStep = WM_APP + 7;
constexpr char kInboxClass[] = "DusklockTestInbox";

}  // namespace

bool waitFor(const std::function<bool()>& condition, AppFrame* frame, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return condition();
      }
      if (frame) {
        frame->dispatch(message);
      } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (condition()) return true;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

DWORD runSelfAsChild(const char* filter,
                     const std::vector<std::pair<const char*, std::string>>& environment,
                     DWORD timeoutMs) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  for (const auto& [name, value] : environment) SetEnvironmentVariableA(name, value.c_str());
  std::string command = std::string("\"") + self + "\" --gtest_filter=" + filter;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &startup, &process);
  for (const auto& variable : environment) SetEnvironmentVariableA(variable.first, nullptr);
  if (!started) return 0xDEADu;
  DWORD exitCode = 0xBADu;
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    TerminateProcess(process.hProcess, 0xBAD);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

Inbox::Inbox() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Inbox::windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kInboxClass;
  RegisterClassExA(&windowClass);
  window_ = CreateWindowExA(0, kInboxClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Inbox::~Inbox() { DestroyWindow(window_); }

void Inbox::post(std::function<void()> step) {
  steps_.push_back(std::move(step));
  PostMessageA(window_, kRunStep, 0, 0);
}

LRESULT CALLBACK Inbox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto self = reinterpret_cast<Inbox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kRunStep && self && !self->steps_.empty()) {
    std::function<void()> step = std::move(self->steps_.front());
    self->steps_.erase(self->steps_.begin());
    step();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RecordingEvents::onCreated(LoadedWindow& window) {
  log.push_back(IsWindowVisible(window.handle()) ? "created visible" : "created");
  if (created) created(window);
}
void RecordingEvents::onMoved(LoadedWindow& window) {
  log.push_back(IsWindowVisible(window.handle()) ? "moved visible" : "moved");
}
void RecordingEvents::onResized(LoadedWindow& window) {
  log.push_back(IsWindowVisible(window.handle()) ? "resized visible" : "resized");
}
void RecordingEvents::onWillBeDestroyed(LoadedWindow&) { log.push_back("will be destroyed"); }
bool RecordingEvents::onPress(LoadedWindow& window, const ControlLayout& control,
                              MouseButton button, int32_t x, int32_t y, int32_t keys) {
  log.push_back(std::string(button == MouseButton::Left ? "left" : "right") + " press " +
                control.name + " " + std::to_string(x) + "," + std::to_string(y) + " keys " +
                std::to_string(keys));
  return press ? press(window, control, button, x, y, keys) : true;
}
void RecordingEvents::onClicked(LoadedWindow&, const ControlLayout& control) {
  log.push_back(std::string("clicked ") + control.name);
}
void RecordingEvents::onTimer(LoadedWindow&, const ControlLayout& control) {
  log.push_back(std::string("timer ") + control.name);
}
void RecordingEvents::onTray(LoadedWindow&, TrayCode code) {
  log.push_back("tray " + std::to_string(static_cast<int>(code)));
}
void RecordingEvents::onMenuItem(LoadedWindow&, int32_t itemIndex) {
  log.push_back("menu " + std::to_string(itemIndex));
}

size_t RecordingEvents::count(const std::string& line) const {
  return static_cast<size_t>(std::count(log.begin(), log.end(), line));
}

namespace {

INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void pressKey(WORD key, bool withShift) {
  std::vector<INPUT> inputs;
  if (withShift) inputs.push_back(keyInput(VK_SHIFT, false));
  inputs.push_back(keyInput(key, false));
  inputs.push_back(keyInput(key, true));
  if (withShift) inputs.push_back(keyInput(VK_SHIFT, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT absoluteMouse(int x, int y, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

bool moveCursorTo(int x, int y) {
  // The X server reports pointer moves back to Wine later, and a late report of an earlier
  // move can put the cursor back; move until it has stayed put for a while.
  const ULONGLONG deadline = GetTickCount64() + 3000;
  int steady = 0;
  while (GetTickCount64() < deadline) {
    POINT at{};
    GetCursorPos(&at);
    if (at.x == x && at.y == y) {
      if (++steady >= 5) return true;
    } else {
      steady = 0;
      SetCursorPos(x, y);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    // Let the driver take in the X server's reports; nothing else is removed.
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
  return false;
}

void clickAt(int x, int y, bool right, bool withCtrl) {
  moveCursorTo(x, y);
  std::vector<INPUT> inputs;
  if (withCtrl) inputs.push_back(keyInput(VK_CONTROL, false));
  inputs.push_back(absoluteMouse(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
  inputs.push_back(absoluteMouse(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
  if (withCtrl) inputs.push_back(keyInput(VK_CONTROL, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

struct WindowSearch {
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
  auto search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, search->className) != 0) return TRUE;
  if (search->title) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(title, search->title) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND findOwnWindow(const char* className, const char* title) {
  WindowSearch search{className, title, nullptr};
  EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
