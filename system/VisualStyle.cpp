#include "system/VisualStyle.h"

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <string>

#include "system/GdiScoped.h"
#include "system/VisualStyleControl.h"
#include "system/VisualStylePaint.h"

namespace visual_style {
namespace {

// One taken-over control. Records live in a singly linked list, newest first, allocated from
// the process heap.
struct StyledControl {
  HWND window;
  ControlKind kind;
  ControlState state;
  HBRUSH background;  // not owned: the brush the parent hands out for WM_CTLCOLORBTN
  COLORREF backgroundColour;
  COLORREF textColour;
  WNDPROC ownProcedure;
  StyledControl* next;
};

LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK callWndProcHook(int code, WPARAM wParam, LPARAM lParam);

// The layer's state for the life of the process: the chosen scheme, the records and the hook.
// Only the GUI thread touches it: the hook is local to that thread and every record belongs to
// one of its windows.
class Layer {
 public:
  int32_t select(int32_t scheme) {
    scheme_ = scheme;
    const int32_t removed = remove();
    if (scheme < 1 || scheme > 3) return removed;
    install();
    return hook_ ? 1 : 0;
  }

  int32_t scheme() const { return scheme_; }
  HHOOK hook() const { return hook_; }

  StyledControl* find(HWND window) const {
    for (StyledControl* control = first_; control; control = control->next) {
      if (control->window == window) return control;
    }
    return nullptr;
  }

  void takeOver(HWND window) {
    if (find(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (!isCandidateClass(className)) return;

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    char parentClassName[64] = "";
    if (const HWND parent = GetParent(window)) {
      GetClassNameA(parent, parentClassName, sizeof parentClassName);
    }
    const bool hasText = GetWindowTextLengthA(window) > 0;
    const ControlKind kind = kindOf(className, style, parentClassName, hasText);
    if (kind == ControlKind::None) return;
    const LRESULT check = isButtonKind(kind) ? SendMessageA(window, BM_GETCHECK, 0, 0) : 0;

    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(StyledControl));
    if (!memory) return;
    StyledControl* control = new (memory) StyledControl{
        window,
        kind,
        initialState(kind, style, GetFocus() == window, check),
        nullptr,
        GetSysColor(COLOR_BTNFACE),
        GetSysColor(COLOR_BTNTEXT),
        nullptr,
        first_,
    };
    control->ownProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&controlProcedure)));
    if (!control->ownProcedure) {
      HeapFree(GetProcessHeap(), 0, memory);
      return;
    }
    first_ = control;
    redrawWhole(window);
  }

  // Takes the record out of the list, hands the control its own procedure back and redraws it
  // in its own look.
  void release(StyledControl* control) {
    for (StyledControl** link = &first_; *link; link = &(*link)->next) {
      if (*link != control) continue;
      *link = control->next;
      const HWND window = control->window;
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->ownProcedure));
      control->~StyledControl();
      HeapFree(GetProcessHeap(), 0, control);
      redrawWhole(window);
      return;
    }
  }

 private:
  using WindowAction = void (*)(HWND);

  static void redrawWhole(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW);
  }

  static BOOL CALLBACK visitChild(HWND window, LPARAM action) {
    reinterpret_cast<WindowAction>(action)(window);
    return TRUE;
  }

  static BOOL CALLBACK visitTopLevel(HWND window, LPARAM action) {
    reinterpret_cast<WindowAction>(action)(window);
    EnumChildWindows(window, &visitChild, action);
    return TRUE;
  }

  // Applies the action to every window of this thread and all their descendants.
  static void walkThreadWindows(WindowAction action) {
    EnumThreadWindows(GetCurrentThreadId(), &visitTopLevel, reinterpret_cast<LPARAM>(action));
  }

  void install();
  int32_t remove();

  int32_t scheme_ = 1;
  HHOOK hook_ = nullptr;
  StyledControl* first_ = nullptr;
};

Layer theLayer;

void Layer::install() {
  walkThreadWindows([](HWND window) { theLayer.takeOver(window); });
  hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &callWndProcHook, nullptr, GetCurrentThreadId());
}

int32_t Layer::remove() {
  walkThreadWindows([](HWND window) {
    if (StyledControl* control = theLayer.find(window)) theLayer.release(control);
  });
  // Controls the walk did not reach (none are expected) are released all the same.
  while (first_) release(first_);
  if (!hook_) return 0;
  const int32_t result = UnhookWindowsHookEx(hook_) ? 1 : 0;
  hook_ = nullptr;
  return result;
}

// Every window made on this thread passes here with WM_CREATE while the layer is installed.
LRESULT CALLBACK callWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE) theLayer.takeOver(call->hwnd);
  }
  return CallNextHookEx(theLayer.hook(), code, wParam, lParam);
}

ControlLook lookOf(const StyledControl& control) {
  ControlLook look;
  look.state = control.state;
  look.style = GetWindowLongPtrA(control.window, GWL_STYLE);
  look.background = control.background;
  look.font = reinterpret_cast<HFONT>(SendMessageA(control.window, WM_GETFONT, 0, 0));
  char caption[256] = "";
  const int length = GetWindowTextA(control.window, caption, sizeof caption);
  look.caption.assign(caption, length > 0 ? static_cast<size_t>(length) : 0);
  return look;
}

bool hasEditBorder(HWND window) {
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
  return (style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

void paintWholeWindowBorder(HWND window, const ControlState& state, bool innerFrame) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  gdi::ScopedWindowDC dc(window, true);
  if (!dc) return;
  paintEditBorder(dc.get(), bounds.right - bounds.left, bounds.bottom - bounds.top,
                  schemeFor(theLayer.scheme()), state, innerFrame);
}

void paintClient(HWND window, const StyledControl& control) {
  RECT client{};
  GetClientRect(window, &client);
  const ControlLook look = lookOf(control);
  gdi::ScopedWindowDC dc(window);
  if (!dc) return;
  const Scheme& scheme = schemeFor(theLayer.scheme());
  switch (control.kind) {
    case ControlKind::PushButton:
      paintPushButton(dc.get(), client, scheme, look);
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      paintCheckBox(dc.get(), client, scheme, look, control.kind == ControlKind::RadioButton);
      break;
    case ControlKind::GroupBox:
      paintGroupBox(dc.get(), client, scheme, look);
      break;
    case ControlKind::UpDown:
      paintUpDown(dc.get(), client, scheme, look);
      break;
    default:
      break;
  }
}

// Paints the control in the layer's look, if it is still one of the layer's controls.
void paint(HWND window) {
  const StyledControl* control = theLayer.find(window);
  if (!control || !IsWindowVisible(window)) return;
  switch (control->kind) {
    case ControlKind::EditBox:
      if (hasEditBorder(window)) paintWholeWindowBorder(window, control->state, true);
      break;
    case ControlKind::ComboBox:
      paintWholeWindowBorder(window, control->state, true);
      break;
    case ControlKind::ComboList:
      if (hasEditBorder(window)) paintWholeWindowBorder(window, control->state, false);
      break;
    case ControlKind::None:
      break;
    default:
      paintClient(window, *control);
      break;
  }
}

// Asks the parent for the control's background brush and text colour, as it would before
// drawing a button, and keeps them for the following paints.
void onEraseBackground(HWND window) {
  const HWND parent = GetParent(window);
  if (!parent) return;
  gdi::ScopedWindowDC dc(window);
  if (!dc) return;
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(window)));
  StyledControl* control = theLayer.find(window);
  if (!control) return;
  control->background = brush;
  LOGBRUSH description{};
  if (brush && GetObjectA(brush, sizeof description, &description) == sizeof description) {
    control->backgroundColour = description.lbColor;
  }
  control->textColour = GetTextColor(dc.get());
}

// The control's own handling of WM_DESTROY comes first; then the control leaves the layer.
LRESULT onDestroy(HWND window, WNDPROC ownProcedure, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(ownProcedure, window, WM_DESTROY, wParam, lParam);
  if (StyledControl* control = theLayer.find(window)) theLayer.release(control);
  return result;
}

// Asks for WM_MOUSELEAVE, which ends the hot look.
void trackLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
  _TrackMouseEvent(&track);
}

LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyledControl* control = theLayer.find(window);
  if (!control) return DefWindowProcA(window, message, wParam, lParam);
  const WNDPROC ownProcedure = control->ownProcedure;
  if (message == WM_DESTROY) return onDestroy(window, ownProcedure, wParam, lParam);

  if (message == WM_ERASEBKGND) {
    onEraseBackground(window);
    control = theLayer.find(window);
    if (!control) return CallWindowProcA(ownProcedure, window, message, wParam, lParam);
  }

  const ControlKind kind = control->kind;
  const StateChange change = applyMessage(kind, control->state, message, wParam);
  if (change.becameHot) trackLeave(window);

  const Handling handling = handlingFor(kind, message, change);
  LRESULT result = 1;
  switch (handling.callee) {
    case Callee::Own:
      result = CallWindowProcA(ownProcedure, window, message, wParam, lParam);
      break;
    case Callee::Default:
      result = DefWindowProcA(window, message, wParam, lParam);
      break;
    case Callee::None:
      break;
  }
  if (handling.paint) paint(window);
  return result;
}

}  // namespace
}  // namespace visual_style

int32_t VisualStyle::select(int32_t scheme) { return visual_style::theLayer.select(scheme); }
