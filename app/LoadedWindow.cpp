#include "app/LoadedWindow.h"

#include <cstring>

#include "app/AppFrame.h"
#include "ui/IconFile.h"
#include "ui/MenuPopup.h"
#include "ui/TrayIcon.h"

namespace {

constexpr char kWindowClass[] = "DusklockWindow";
constexpr char kLabelClass[] = "DusklockLabel";
constexpr char kTimerClass[] = "DusklockTimer";
constexpr int kFirstControlId = 100;
// The title-bar bits Windows may give a top-level window on its own at creation.
constexpr LONG_PTR kTitleBarBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// The character whose height an edit box must at least fit.
constexpr char kEditHeightSample[] = "吴";

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

COLORREF resolve(LayoutColour colour) {
  if (colour & kSystemColourFlag) return GetSysColor(static_cast<int>(colour & 0xFFu));
  return static_cast<COLORREF>(colour);
}

// A brush for colour: the system's own for a system colour (nothing to own), else a new one.
gdi::ScopedBrush ownedBrushFor(LayoutColour colour) {
  if (colour & kSystemColourFlag) return gdi::ScopedBrush();
  return gdi::ScopedBrush(CreateSolidBrush(resolve(colour)));
}

HBRUSH brushFor(LayoutColour colour, const gdi::ScopedBrush& owned) {
  if (owned.get()) return owned.get();
  return GetSysColorBrush(static_cast<int>(colour & 0xFFu));  // not owned: system brush
}

DWORD windowStyle(const WindowLayout& layout) {
  DWORD style = WS_CLIPCHILDREN;
  switch (layout.frame) {
    case WindowFrame::None:
      return style;
    case WindowFrame::Fixed:
    case WindowFrame::FixedToolWindow:
    case WindowFrame::FixedWithClientEdge:
      style |= WS_DLGFRAME;
      break;
    case WindowFrame::Resizable:
    case WindowFrame::ResizableToolWindow:
    case WindowFrame::ResizableWithClientEdge:
      style |= WS_DLGFRAME | WS_THICKFRAME;
      break;
  }
  bool hasTitle = layout.title && layout.title[0] != '\0';
  if (hasTitle || layout.controlBox) style |= WS_CAPTION;
  if (layout.controlBox) style |= WS_SYSMENU;
  if (layout.minimiseButton) style |= WS_MINIMIZEBOX;
  if (layout.maximiseButton) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD windowExtendedStyle(const WindowLayout& layout) {
  switch (layout.frame) {
    case WindowFrame::FixedToolWindow:
    case WindowFrame::ResizableToolWindow:
      return WS_EX_TOOLWINDOW;
    case WindowFrame::FixedWithClientEdge:
    case WindowFrame::ResizableWithClientEdge:
      return WS_EX_CLIENTEDGE;
    default:
      return 0;
  }
}

RECT centredRect(int32_t width, int32_t height) {
  int32_t left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int32_t top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return {left, top, left + width, top + height};
}

// Paints a label of the program's own class: background, then the caption on one line,
// engraved labels first in white one pixel down and right, then in the text colour.
void paintLabel(HWND label, const ControlLayout& layout) {
  gdi::ScopedPaint paint(label);
  HDC dc = paint.get();
  RECT client;
  GetClientRect(label, &client);
  gdi::ScopedBrush ownedBackground = ownedBrushFor(layout.backColour);
  FillRect(dc, &client, brushFor(layout.backColour, ownedBackground));

  char caption[512];
  int length = GetWindowTextA(label, caption, sizeof caption);
  gdi::ScopedSelection font(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER |
                (layout.alignment == HorizontalAlignment::Centre ? DT_CENTER : DT_LEFT);
  if (layout.effect == TextEffect::Engraved) {
    RECT shadow = client;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, caption, length, &shadow, format);
  }
  SetTextColor(dc, resolve(layout.textColour));
  DrawTextA(dc, caption, length, &client, format);
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto layout = reinterpret_cast<const ControlLayout*>(GetWindowLongPtrA(label, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (layout) {
        paintLabel(label, *layout);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole label
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(label, message, wParam, lParam);
      InvalidateRect(label, nullptr, TRUE);
      return result;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    default:
      break;
  }
  return DefWindowProcA(label, message, wParam, lParam);
}

void registerClass(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  // A second frame in the same process finds the class already there, which is fine.
  RegisterClassExA(&windowClass);
}

}  // namespace

// ---- TimerControl ----

void TimerControl::setPeriod(int32_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == period_) return;
  period_ = milliseconds;
  if (running_) KillTimer(handle_, kTickTimerId);
  if (period_ > 0) {
    SetTimer(handle_, kTickTimerId, static_cast<UINT>(period_), nullptr);
    running_ = true;
  } else {
    running_ = false;
  }
}

LRESULT CALLBACK TimerControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto timer = static_cast<TimerControl*>(create->lpCreateParams);
    timer->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(timer));
  }
  auto timer = reinterpret_cast<TimerControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_TIMER && wParam == kTickTimerId && timer) {
    timer->window_.onTimerTick(*timer);
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return DefWindowProcA(window, message, wParam, lParam);
}

// ---- LoadedWindow: building ----

LoadedWindow::LoadedWindow(AppFrame& frame, const WindowLayout& layout, WindowEvents* events)
    : frame_(frame), layout_(layout), events_(events), controls_(layout.controlCount) {}

LoadedWindow::~LoadedWindow() = default;

void LoadedWindow::registerClasses() {
  registerClass(kWindowClass, &LoadedWindow::windowProc, nullptr);
  registerClass(kLabelClass, &labelProc, nullptr);
  registerClass(kTimerClass, &TimerControl::windowProc, nullptr);
}

bool LoadedWindow::build(HWND owner) {
  building_ = true;
  const DWORD style = windowStyle(layout_);
  const RECT place = centredRect(layout_.width, layout_.height);
  HWND window = frameSystemCalls().createWindow(
      windowExtendedStyle(layout_), kWindowClass, layout_.title ? layout_.title : "", style,
      place.left, place.top, layout_.width, layout_.height, owner, nullptr, instance(), this);
  if (!window) return false;
  handle_ = window;

  // Windows gives an overlapped window a title bar of its own accord; put the four title-bar
  // bits back to what the layout asks for and have the frame redrawn.
  LONG_PTR current = GetWindowLongPtrA(window, GWL_STYLE);
  SetWindowLongPtrA(window, GWL_STYLE, (current & ~kTitleBarBits) | (style & kTitleBarBits));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The layout's size is the outer size, whatever the system's frame and caption metrics.
  RECT actual;
  GetWindowRect(window, &actual);
  if (!EqualRect(&actual, &place)) {
    MoveWindow(window, place.left, place.top, layout_.width, layout_.height, TRUE);
  }
  if (!layout_.movable) DeleteMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);
  if (layout_.alwaysOnTop) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  background_ = ownedBrushFor(layout_.background);
  setIcons();
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  createControls();
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (layout_.controls[i].visible && layout_.controls[i].kind != ControlKind::Timer &&
        controls_[i].handle) {
      ShowWindow(controls_[i].handle, SW_SHOWNA);
    }
  }
  building_ = false;
  return true;
}

void LoadedWindow::setIcons() {
  if (!layout_.icon) return;
  const ByteSpan& bytes = *layout_.icon;
  largeIcon_.reset(windowIconFromIconFile(bytes.data, bytes.size, GetSystemMetrics(SM_CXICON)));
  smallIcon_.reset(windowIconFromIconFile(bytes.data, bytes.size, GetSystemMetrics(SM_CXSMICON)));
  SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void LoadedWindow::createControls() {
  for (size_t i = 0; i < layout_.controlCount; ++i) {
    switch (layout_.controls[i].kind) {
      case ControlKind::Button:
        createButton(i);
        break;
      case ControlKind::EditBox:
        createEditBox(i);
        break;
      case ControlKind::Label:
        createLabel(i);
        break;
      case ControlKind::Timer:
        createTimer(i);
        break;
    }
  }
}

namespace {

DWORD childStyle(const ControlLayout& control) {
  return WS_CHILD | WS_CLIPSIBLINGS | (control.tabStop ? WS_TABSTOP : 0) |
         (control.disabled ? WS_DISABLED : 0);
}

HWND createChild(DWORD extendedStyle, const char* className, const ControlLayout& control,
                 DWORD style, HWND parent, size_t index, void* parameter) {
  return CreateWindowExA(extendedStyle, className, control.text ? control.text : "", style,
                         control.left, control.top, control.width, control.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                         instance(), parameter);
}

}  // namespace

void LoadedWindow::createButton(size_t index) {
  const ControlLayout& control = layout_.controls[index];
  DWORD style = childStyle(control) | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  HWND button = createChild(0, "BUTTON", control, style, handle_, index, nullptr);
  controls_[index].handle = button;
  if (button) {
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
}

void LoadedWindow::createEditBox(size_t index) {
  const ControlLayout& control = layout_.controls[index];
  DWORD style = childStyle(control) | ES_AUTOHSCROLL |
                (control.alignment == HorizontalAlignment::Centre ? ES_CENTER : ES_LEFT);
  HWND edit = createChild(WS_EX_CLIENTEDGE, "EDIT", control, style, handle_, index, nullptr);
  Control& state = controls_[index];
  state.handle = edit;
  if (!edit) return;

  if (control.font) {
    LOGFONTA font{};
    font.lfHeight = control.font->height;
    font.lfWeight = control.font->weight;
    font.lfItalic = control.font->italic;
    font.lfUnderline = control.font->underline;
    font.lfStrikeOut = control.font->strikeOut;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(font.lfFaceName, control.font->face, LF_FACESIZE - 1);
    state.font.reset(CreateFontIndirectA(&font));
  }
  HFONT font = state.font.get() ? state.font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  // The box must be tall enough for one line of its font inside its sunken border.
  {
    gdi::ScopedWindowDC dc(edit);
    gdi::ScopedSelection selected(dc.get(), font);
    SIZE text{};
    GetTextExtentPoint32A(dc.get(), kEditHeightSample, static_cast<int>(std::strlen(kEditHeightSample)), &text);
    int minimum = text.cy + 2 * GetSystemMetrics(SM_CYEDGE);
    if (control.height < minimum) {
      SetWindowPos(edit, nullptr, 0, 0, control.width, minimum,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  SendMessageA(edit, EM_SETSEL, 0, 0);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  state.background = gdi::ScopedBrush(CreateSolidBrush(resolve(control.backColour)));
}

void LoadedWindow::createLabel(size_t index) {
  const ControlLayout& control = layout_.controls[index];
  // The label keeps a pointer to its constant layout for painting.
  controls_[index].handle = createChild(0, kLabelClass, control, childStyle(control), handle_,
                                        index, const_cast<ControlLayout*>(&control));
}

void LoadedWindow::createTimer(size_t index) {
  const ControlLayout& control = layout_.controls[index];
  auto timer = std::make_unique<TimerControl>(*this, control);
  HWND window = createChild(0, kTimerClass, control, childStyle(control), handle_, index, timer.get());
  if (!window) return;
  controls_[index].handle = window;
  controls_[index].timer = std::move(timer);
  controls_[index].timer->setPeriod(control.timerPeriod);
}

// ---- LoadedWindow: queries ----

HWND LoadedWindow::control(const char* name) const {
  int32_t index = controlIndex(layout_, name);
  return index < 0 ? nullptr : controls_[static_cast<size_t>(index)].handle;
}

TimerControl* LoadedWindow::timer(const char* name) const {
  int32_t index = controlIndex(layout_, name);
  return index < 0 ? nullptr : controls_[static_cast<size_t>(index)].timer.get();
}

void LoadedWindow::requestDestroy() const { PostMessageA(handle_, kDestroyRequestMessage, 0, 0); }

int32_t LoadedWindow::controlIndexOf(HWND control) const {
  if (!control) return -1;
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].handle == control) return static_cast<int32_t>(i);
  }
  return -1;
}

bool LoadedWindow::eventsAllowed() const { return events_ && !building_ && !frame_.exiting(); }

// ---- LoadedWindow: modal state ----

void LoadedWindow::disableOtherWindows(const std::vector<HWND>& others) {
  for (HWND other : others) {
    bool wasEnabled = IsWindowEnabled(other) != FALSE;
    disabledWindows_.emplace_back(other, wasEnabled);
    EnableWindow(other, FALSE);
  }
}

void LoadedWindow::restoreDisabledWindows() {
  auto saved = std::move(disabledWindows_);
  disabledWindows_.clear();
  for (const auto& [other, wasEnabled] : saved) {
    if (IsWindow(other)) EnableWindow(other, wasEnabled ? TRUE : FALSE);
  }
}

// ---- LoadedWindow: events raised by the loader ----

void LoadedWindow::raiseCreated() {
  if (eventsAllowed()) events_->onCreated(*this);
}
void LoadedWindow::raiseMoved() {
  if (eventsAllowed()) events_->onMoved(*this);
}
void LoadedWindow::raiseResized() {
  if (eventsAllowed()) events_->onResized(*this);
}

// ---- LoadedWindow: the pump step ----

bool LoadedWindow::preTranslate(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
      return handleKeyDown(message);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return handlePress(message);
    default:
      return false;
  }
}

bool LoadedWindow::handleKeyDown(const MSG& message) {
  switch (message.wParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
      moveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_ESCAPE:
      if (!layout_.escCloses) return false;
      SendMessageA(handle_, WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      // Enter has no meaning in these windows; keep it from the controls as well.
      return !layout_.enterMovesFocus;
    default:
      return false;
  }
}

bool LoadedWindow::handlePress(const MSG& message) {
  int32_t index = controlIndexOf(message.hwnd);
  if (index < 0 || !eventsAllowed()) return false;
  int32_t keys = (GetKeyState(VK_CONTROL) < 0 ? kKeyCtrl : 0) |
                 (GetKeyState(VK_SHIFT) < 0 ? kKeyShift : 0) |
                 (GetKeyState(VK_MENU) < 0 ? kKeyAlt : 0);
  MouseButton button = message.message == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right;
  int32_t x = static_cast<int32_t>(LOWORD(message.lParam));
  int32_t y = static_cast<int32_t>(HIWORD(message.lParam));
  // The handler may destroy this window; nothing of it is touched afterwards.
  bool letThrough = events_->onPress(*this, layout_.controls[index], button, x, y, keys);
  return !letThrough;
}

bool LoadedWindow::canFocus(HWND control) const {
  int32_t index = controlIndexOf(control);
  return index >= 0 && layout_.controls[index].tabStop && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

void LoadedWindow::moveFocus(bool backwards) {
  std::vector<HWND> order;
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (canFocus(controls_[i].handle)) order.push_back(controls_[i].handle);
  }
  if (order.empty()) return;
  HWND focus = GetFocus();
  size_t count = order.size();
  size_t next = backwards ? count - 1 : 0;
  for (size_t i = 0; i < count; ++i) {
    if (order[i] == focus) {
      next = backwards ? (i + count - 1) % count : (i + 1) % count;
      break;
    }
  }
  SetFocus(order[next]);
}

void LoadedWindow::restoreFocus() {
  if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) &&
      IsWindowVisible(focusBeforeDeactivation_) && IsWindowEnabled(focusBeforeDeactivation_) &&
      controlIndexOf(focusBeforeDeactivation_) >= 0) {
    SetFocus(focusBeforeDeactivation_);
    return;
  }
  for (const Control& control : controls_) {
    if (canFocus(control.handle)) {
      SetFocus(control.handle);
      return;
    }
  }
}

// ---- LoadedWindow: the window procedure ----

LRESULT CALLBACK LoadedWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto self = static_cast<LoadedWindow*>(create->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto self = reinterpret_cast<LoadedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT LoadedWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOVE:
      return onMove(wParam, lParam);
    case WM_SIZE:
      return onSize(wParam, lParam);
    case WM_COMMAND:
      return onCommand(wParam, lParam);
    case WM_CTLCOLOREDIT:
      return onControlColourEdit(wParam, lParam);
    case WM_ERASEBKGND:
      return onEraseBackground(wParam);
    case WM_ACTIVATE:
      return onActivate(wParam, lParam);
    case WM_SETFOCUS:
      return onSetFocus(wParam, lParam);
    case WM_NCACTIVATE:
      return onNcActivate(wParam, lParam);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_CLOSE:
      return onClose();
    case kDestroyRequestMessage:
      return onDestroyRequest();
    case WM_DESTROY:
      return onDestroy(wParam, lParam);
    case WM_NCDESTROY:
      return onNcDestroy(wParam, lParam);
    case kTrayMessage:
      return onTrayMessage(lParam);
    default:
      return DefWindowProcA(handle_, message, wParam, lParam);
  }
}

LRESULT LoadedWindow::onMove(WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcA(handle_, WM_MOVE, wParam, lParam);
  raiseMoved();
  return result;
}

LRESULT LoadedWindow::onSize(WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcA(handle_, WM_SIZE, wParam, lParam);
  raiseResized();
  return result;
}

LRESULT LoadedWindow::onCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (id >= kFirstSystemCommandId) return 0;
  if (id < kFirstMenuCommandId) {
    HWND source = reinterpret_cast<HWND>(lParam);
    int32_t index = controlIndexOf(source);
    if (index >= 0 && HIWORD(wParam) == BN_CLICKED &&
        layout_.controls[index].kind == ControlKind::Button) {
      if (eventsAllowed()) events_->onClicked(*this, layout_.controls[index]);
      return 0;
    }
    return DefWindowProcA(handle_, WM_COMMAND, wParam, lParam);
  }
  const size_t item = id - kFirstMenuCommandId;
  if (item < layout_.menuCount && eventsAllowed()) {
    events_->onMenuItem(*this, static_cast<int32_t>(item));
  }
  return 0;
}

LRESULT LoadedWindow::onControlColourEdit(WPARAM wParam, LPARAM lParam) {
  int32_t index = controlIndexOf(reinterpret_cast<HWND>(lParam));
  if (index < 0 || !controls_[index].background.get()) {
    return DefWindowProcA(handle_, WM_CTLCOLOREDIT, wParam, lParam);
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  const ControlLayout& control = layout_.controls[index];
  SetTextColor(dc, resolve(control.textColour));
  SetBkColor(dc, resolve(control.backColour));
  return reinterpret_cast<LRESULT>(controls_[index].background.get());
}

LRESULT LoadedWindow::onEraseBackground(WPARAM wParam) {
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(reinterpret_cast<HDC>(wParam), &client, brushFor(layout_.background, background_));
  return 1;
}

LRESULT LoadedWindow::onActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (controlIndexOf(focus) >= 0) focusBeforeDeactivation_ = focus;
  }
  return DefWindowProcA(handle_, WM_ACTIVATE, wParam, lParam);
}

LRESULT LoadedWindow::onSetFocus(WPARAM, LPARAM) {
  restoreFocus();
  return 0;
}

LRESULT LoadedWindow::onNcActivate(WPARAM wParam, LPARAM lParam) {
  // Keep the title bar drawn active while the window is enabled, even when another window is
  // active; a disabled window (a modal window is open) shows an inactive title bar.
  if (layout_.keepTitleBarActive && !wParam) wParam = IsWindowEnabled(handle_);
  return DefWindowProcA(handle_, WM_NCACTIVATE, wParam, lParam);
}

LRESULT LoadedWindow::onTrayMessage(LPARAM lParam) {
  std::optional<TrayCode> code = trayCodeFor(lParam);
  if (code && eventsAllowed()) events_->onTray(*this, *code);
  return 0;
}

LRESULT LoadedWindow::onClose() {
  // Nothing refuses a close: the windows a modal loading disabled come back first, so one of
  // them can take the activation, then the window goes.
  restoreDisabledWindows();
  DestroyWindow(handle_);
  return 0;
}

LRESULT LoadedWindow::onDestroyRequest() {
  restoreDisabledWindows();
  DestroyWindow(handle_);
  return 0;
}

LRESULT LoadedWindow::onDestroy(WPARAM wParam, LPARAM lParam) {
  HWND window = handle_;
  restoreDisabledWindows();
  LRESULT result = DefWindowProcA(window, WM_DESTROY, wParam, lParam);
  if (eventsAllowed()) events_->onWillBeDestroyed(*this);
  // A tray icon still present goes with the window (after the handler, which may already
  // have removed it, so it is deleted exactly once).
  TrayIcon::remove(window);
  return result;
}

LRESULT LoadedWindow::onNcDestroy(WPARAM wParam, LPARAM lParam) {
  HWND window = handle_;
  AppFrame& frame = frame_;
  LRESULT result = DefWindowProcA(window, WM_NCDESTROY, wParam, lParam);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  frame.windowGone(this);  // frees this object
  return result;
}

void LoadedWindow::onTimerTick(const TimerControl& timer) {
  if (eventsAllowed()) events_->onTimer(*this, timer.layout_);
}
