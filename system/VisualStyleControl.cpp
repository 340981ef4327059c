#include "system/VisualStyleControl.h"

#include <commctrl.h>

#include <initializer_list>

namespace visual_style {
namespace {

bool sameName(const char* a, const char* b) {
  if (!a || !b) return false;
  for (; *a && *b; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return *a == *b;
}

ControlKind buttonKind(LONG_PTR style, bool hasText) {
  // Picture buttons show a bitmap or icon that the layer could not draw.
  if (style & (BS_BITMAP | BS_ICON)) return ControlKind::None;
  const bool pushLike = (style & BS_PUSHLIKE) != 0;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      // A caption-less tab stop with no other style is a placeholder, not a real button.
      if (!hasText && static_cast<DWORD>(style) == (WS_CHILD | WS_TABSTOP)) {
        return ControlKind::None;
      }
      return ControlKind::PushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return pushLike ? ControlKind::PushButton : ControlKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return pushLike ? ControlKind::PushButton : ControlKind::RadioButton;
    case BS_GROUPBOX:
      return ControlKind::GroupBox;
    default:
      return ControlKind::None;  // user buttons, owner-drawn buttons and newer types
  }
}

bool isButtonMessage(UINT message) {
  return message == BM_SETCHECK || message == BM_SETSTATE || message == BM_SETSTYLE;
}

bool isPaintMessage(UINT message) { return message == WM_PAINT || message == WM_NCPAINT; }

}  // namespace

bool isCandidateClass(const char* className) {
  for (const char* name : {"Button", "Edit", "ComboBox", "ComboLBox", "msctls_updown32"}) {
    if (sameName(className, name)) return true;
  }
  return false;
}

ControlKind kindOf(const char* className, LONG_PTR style, const char* parentClassName,
                   bool hasText) {
  if (sameName(className, "Button")) return buttonKind(style, hasText);
  if (sameName(className, "Edit")) {
    return sameName(parentClassName, "SysIPAddress32") ? ControlKind::None
                                                       : ControlKind::EditBox;
  }
  if (sameName(className, "ComboBox")) {
    return (style & 3) == CBS_SIMPLE ? ControlKind::None : ControlKind::ComboBox;
  }
  if (sameName(className, "ComboLBox")) return ControlKind::ComboList;
  if (sameName(className, "msctls_updown32")) return ControlKind::UpDown;
  return ControlKind::None;
}

bool isButtonKind(ControlKind kind) {
  return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::RadioButton || kind == ControlKind::GroupBox;
}

ControlState initialState(ControlKind kind, LONG_PTR style, bool hasFocus, LRESULT checkState) {
  ControlState state;
  state.disabled = (style & WS_DISABLED) != 0;
  state.focused = hasFocus;
  if (isButtonKind(kind)) {
    state.isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    state.checked = checkState == BST_CHECKED;
    state.indeterminate = checkState == BST_INDETERMINATE;
  }
  if (kind == ControlKind::EditBox) state.readOnly = (style & ES_READONLY) != 0;
  if (kind == ControlKind::ComboBox) {
    switch (style & 3) {
      case CBS_SIMPLE: state.comboType = ComboType::Simple; break;
      case CBS_DROPDOWNLIST: state.comboType = ComboType::DropDownList; break;
      default: state.comboType = ComboType::DropDown; break;
    }
  }
  if (kind == ControlKind::UpDown) {
    state.upDownHorizontal = (style & UDS_HORZ) != 0;
    state.upDownSide = (style & UDS_ALIGNLEFT)    ? UpDownSide::Left
                       : (style & UDS_ALIGNRIGHT) ? UpDownSide::Right
                                                  : UpDownSide::None;
  }
  return state;
}

StateChange applyMessage(ControlKind kind, ControlState& state, UINT message, WPARAM wParam) {
  StateChange change;
  switch (message) {
    case WM_ENABLE:
      state.disabled = wParam == 0;
      break;
    case WM_SETFOCUS:
      state.focused = true;
      break;
    case WM_KILLFOCUS:
      state.focused = false;
      break;
    case WM_MOUSEMOVE:
      // Entering with the left button held (a drag from elsewhere) does not highlight.
      if (kind != ControlKind::UpDown && !(wParam & MK_LBUTTON) && !state.hot) {
        state.hot = true;
        change.becameHot = true;
      }
      break;
    case WM_MOUSELEAVE:
      change.wasHot = state.hot;
      state.hot = false;
      break;
    case BM_SETSTATE:
      if (isButtonKind(kind)) state.pressed = wParam != 0;
      break;
    case BM_SETSTYLE:
      if (isButtonKind(kind)) state.isDefault = (wParam & 1) != 0;
      break;
    case BM_SETCHECK:
      if (isButtonKind(kind)) {
        state.checked = wParam == BST_CHECKED;
        state.indeterminate = wParam == BST_INDETERMINATE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (kind == ControlKind::ComboBox) state.pressed = message == WM_LBUTTONDOWN;
      break;
    default:
      break;
  }
  return change;
}

Handling handlingFor(ControlKind kind, UINT message, const StateChange& change) {
  const Handling ownOnly{Callee::Own, false};
  const Handling ownThenPaint{Callee::Own, true};
  const Handling defaultThenPaint{Callee::Default, true};

  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      if (message == WM_PAINT || message == WM_SETTEXT) return defaultThenPaint;
      if (message == WM_ERASEBKGND) return ownOnly;
      if (isButtonMessage(message)) return ownThenPaint;
      break;
    case ControlKind::EditBox:
      if (isPaintMessage(message) || message == WM_HSCROLL || message == WM_VSCROLL) {
        return ownThenPaint;
      }
      if (message == EM_SETREADONLY) return ownOnly;
      if (message == WM_MOUSELEAVE && change.wasHot) return defaultThenPaint;
      break;
    case ControlKind::ComboBox:
      if (isPaintMessage(message) || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        return ownThenPaint;
      }
      break;
    case ControlKind::UpDown:
      if (isPaintMessage(message)) return defaultThenPaint;
      if (message == WM_ERASEBKGND) return Handling{Callee::None, false};
      if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE) return ownOnly;
      break;
    case ControlKind::GroupBox:
      if (isPaintMessage(message)) return defaultThenPaint;
      break;
    case ControlKind::ComboList:
    case ControlKind::None:
      break;
  }

  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      return ownThenPaint;
    case WM_MOUSEMOVE:
      return change.becameHot ? ownThenPaint : ownOnly;
    case WM_MOUSELEAVE:
      return change.wasHot ? ownThenPaint : ownOnly;
    default:
      return ownOnly;
  }
}

}  // namespace visual_style
