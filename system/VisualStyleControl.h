#pragma once
// What the visual-style layer knows about one control: its kind, its state flags and how each
// message is handled. Pure logic, no window calls, so every rule can be tested on its own.
#include <windows.h>

#include <cstdint>

namespace visual_style {

enum class ControlKind {
  None,  // not handled: the layer leaves the window alone
  PushButton,
  CheckBox,
  RadioButton,
  GroupBox,
  EditBox,
  ComboBox,
  ComboList,
  UpDown,
};

// Whether windows of this class can be of a handled kind at all (any case); the cheap test
// made before anything is asked of a window.
bool isCandidateClass(const char* className);

// The kind of a window from its class name (any case), its style, its parent's class name and
// whether its text is empty.
ControlKind kindOf(const char* className, LONG_PTR style, const char* parentClassName,
                   bool hasText);

bool isButtonKind(ControlKind kind);

// Combo-box type, from CBS_SIMPLE / CBS_DROPDOWN / CBS_DROPDOWNLIST.
enum class ComboType { Simple, DropDown, DropDownList };

enum class UpDownSide { None, Left, Right };

struct ControlState {
  bool disabled = false;
  bool focused = false;
  bool hot = false;
  bool pressed = false;
  bool isDefault = false;
  bool checked = false;
  bool indeterminate = false;
  bool readOnly = false;
  ComboType comboType = ComboType::DropDown;
  bool upDownHorizontal = false;
  UpDownSide upDownSide = UpDownSide::None;
};

// The state a control starts with when the layer takes it over.
ControlState initialState(ControlKind kind, LONG_PTR style, bool hasFocus, LRESULT checkState);

// What a message did to the state flags.
struct StateChange {
  bool becameHot = false;   // WM_MOUSEMOVE without the left button made it hot
  bool wasHot = false;      // WM_MOUSELEAVE found it hot (and cleared it)
};

// Applies the message's effect on the flags of a control of this kind.
StateChange applyMessage(ControlKind kind, ControlState& state, UINT message, WPARAM wParam);

// Who handles a message after the flags were updated.
enum class Callee {
  Own,      // the control's own window procedure
  Default,  // DefWindowProcA in its place
  None,     // nobody: the message counts as handled with result 1
};

struct Handling {
  Callee callee = Callee::Own;
  bool paint = false;  // the layer paints after the call
};

// The layer's message table: for this kind and message (with what the message did to the
// flags), who is called and whether the layer paints afterwards.
Handling handlingFor(ControlKind kind, UINT message, const StateChange& change);

}  // namespace visual_style
