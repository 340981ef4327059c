#include "app/AppFrame.h"

#include <algorithm>

#include "schedule/Texts.h"

namespace {

constexpr char kOwnerClass[] = "DusklockOwner";

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

void registerOwnerClass() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.hInstance = instance();
  windowClass.lpszClassName = kOwnerClass;
  RegisterClassExA(&windowClass);  // already registered by an earlier frame: fine
}

}  // namespace

FrameSystemCalls& frameSystemCalls() {
  static FrameSystemCalls calls{&CreateWindowExA};
  return calls;
}

AppFrame::AppFrame() : guiThread_(GetCurrentThreadId()) {
  registerOwnerClass();
  LoadedWindow::registerClasses();
  // Owns windows that must have no taskbar button; it is never shown.
  owner_ = CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, instance(), nullptr);
}

AppFrame::~AppFrame() {
  exiting_ = true;
  destroyWindows();
}

void AppFrame::bind(const WindowLayout& layout, WindowEvents& events) {
  for (auto& binding : bindings_) {
    if (binding.first == &layout) {
      binding.second = &events;
      return;
    }
  }
  bindings_.emplace_back(&layout, &events);
}

WindowEvents* AppFrame::eventsFor(const WindowLayout& layout) const {
  for (const auto& binding : bindings_) {
    if (binding.first == &layout) return binding.second;
  }
  return nullptr;
}

LoadedWindow* AppFrame::window(const WindowLayout& layout) const {
  for (const auto& window : windows_) {
    if (&window->layout() == &layout) return window.get();
  }
  return nullptr;
}

LoadedWindow* AppFrame::windowOwning(HWND window) const {
  if (!window) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  for (const auto& loaded : windows_) {
    if (loaded->handle() == root) return loaded.get();
  }
  return nullptr;
}

int AppFrame::run(const WindowLayout& mainLayout) {
  if (!loadWindow(mainLayout, false)) {
    MessageBoxA(nullptr, texts::kStartFailedMessage, texts::kStartFailedTitle,
                MB_OK | MB_ICONERROR);
    exiting_ = true;
    destroyWindows();
    return -1;
  }
  int code = 0;
  // The main window may have closed itself while it was being created.
  if (!windows_.empty()) {
    loopStarted_ = true;
    code = runMainLoop();
  }
  exiting_ = true;
  destroyWindows();
  return code;
}

bool AppFrame::loadWindow(const WindowLayout& layout, bool modal) {
  if (LoadedWindow* open = window(layout)) {
    if (IsIconic(open->handle())) {
      ShowWindow(open->handle(), SW_RESTORE);
    } else {
      SetActiveWindow(open->handle());
    }
    return true;
  }

  std::vector<HWND> others;
  for (const auto& window : windows_) {
    if (!(GetWindowLongPtrA(window->handle(), GWL_STYLE) & WS_CHILD)) others.push_back(window->handle());
  }
  windows_.push_back(std::make_unique<LoadedWindow>(*this, layout, eventsFor(layout)));
  LoadedWindow* loaded = windows_.back().get();
  loaded->modal_ = modal;
  HWND owner = (modal || !layout.shownInTaskbar) ? owner_ : nullptr;
  if (!loaded->build(owner)) {
    // Nothing was created, so no WM_NCDESTROY has forgotten it yet.
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const auto& window) { return window.get() == loaded; });
    if (it != windows_.end()) windows_.erase(it);
    return false;
  }
  const HWND handle = loaded->handle();
  if (modal) loaded->disableOtherWindows(others);

  // Each event may close the window; the next step runs only while it still exists.
  loaded->raiseCreated();
  if (windowOwning(handle) != loaded) return true;
  loaded->raiseMoved();
  if (windowOwning(handle) != loaded) return true;
  loaded->raiseResized();
  if (windowOwning(handle) != loaded) return true;

  if (layout.visible) {
    switch (layout.placement) {
      case WindowPlacement::Minimised:
        ShowWindow(handle, SW_SHOWMINIMIZED);
        break;
      case WindowPlacement::Maximised:
        ShowWindow(handle, SW_SHOWMAXIMIZED);
        break;
      default:
        ShowWindow(handle, SW_SHOW);
        break;
    }
  }
  if (modal) runModalLoop(handle);
  return true;
}

void AppFrame::dispatch(MSG& message) {
  if (LoadedWindow* window = windowOwning(message.hwnd)) {
    if (window->preTranslate(message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int AppFrame::runMainLoop() {
  MSG message{};
  for (;;) {
    BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) return static_cast<int>(message.wParam);
    if (result < 0) return 0;
    dispatch(message);
  }
}

void AppFrame::runModalLoop(HWND window) {
  MSG message{};
  while (IsWindow(window) && windowOwning(window)) {
    BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) {
      // The main loop must see the quit as well.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (result < 0) return;
    dispatch(message);
  }
}

void AppFrame::processPendingEvents() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // A quit posted between the two looks stays for the loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void AppFrame::windowGone(LoadedWindow* window) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& loaded) { return loaded.get() == window; });
  if (it == windows_.end()) return;
  windows_.erase(it);
  if (windows_.empty() && loopStarted_ && !exiting_) PostQuitMessage(0);
}

void AppFrame::destroyWindows() {
  // Each destruction removes its window from windows_; work on a copy of the handles.
  std::vector<HWND> handles;
  for (const auto& window : windows_) handles.push_back(window->handle());
  for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
    if (IsWindow(*it)) DestroyWindow(*it);
  }
  // A window that could not be destroyed must not reach its freed object any more.
  for (const auto& window : windows_) SetWindowLongPtrA(window->handle(), GWLP_USERDATA, 0);
  windows_.clear();
  if (owner_) {
    DestroyWindow(owner_);
    owner_ = nullptr;
  }
}

void AppFrame::exit(int32_t code) {
  exiting_ = true;
  destroyWindows();
  ExitProcess(static_cast<UINT>(code));
}
