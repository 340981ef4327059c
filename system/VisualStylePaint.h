#pragma once
// The colour schemes of the visual-style layer and the painting of each control kind. Every
// function composes off-screen and shows the result with one BitBlt, and releases every object
// it made before it returns.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "system/VisualStyleControl.h"
#include "system/VisualStyleGradient.h"

namespace visual_style {

struct Scheme {
  COLORREF pushButtonBorder;
  COLORREF editBorder;
  COLORREF disabledFill;
  COLORREF disabledCaption;
  CornerColours ringPressed;
  CornerColours ringHot;
  CornerColours ringChecked;
  CornerColours ringFocused;
  CornerColours ringNormal;
  CornerColours facePressed;
  CornerColours faceNormal;
};

// Schemes 1, 2 and 3; any other number gives scheme 3, the program's own.
const Scheme& schemeFor(int32_t number);

// The ring's gradient by state: pressed, else hot, else checked or indeterminate, else focused
// or default, else normal.
const CornerColours& ringFor(const Scheme& scheme, const ControlState& state);
// The face's gradient: sunken while pressed, checked or indeterminate, raised otherwise.
const CornerColours& faceFor(const Scheme& scheme, const ControlState& state);

// The border colour of disabled push buttons and edit boxes: the button face colour minus
// 20 20 20, subtracted as one 24-bit number.
COLORREF disabledBorderColour(COLORREF buttonFace);
// A colour darkened channel by channel, each channel stopping at 0.
COLORREF darker(COLORREF colour, int red, int green, int blue);

// One line of a laid-out caption, with the rectangle it is drawn in.
struct CaptionLine {
  std::string text;
  RECT rect;
};

using TextMeasure = std::function<int(const char* text, int length)>;

// Breaks a caption into lines at each CR LF pair and wherever the next character would make
// the line wider than the box (a byte above 128 starts a two-byte character; a line holds at
// most 1023 bytes), and places the block in the box: where the button's BS_ alignment says
// when it has both a horizontal and a vertical one, else centred both ways.
std::vector<CaptionLine> layoutCaption(const std::string& caption, const RECT& box,
                                       LONG_PTR buttonStyle, int lineHeight,
                                       const TextMeasure& measure);

// What a paint needs to know about the control beyond its state.
struct ControlLook {
  ControlState state;
  LONG_PTR style = 0;
  HBRUSH background = nullptr;  // not owned: the parent's WM_CTLCOLORBTN brush
  HFONT font = nullptr;         // not owned: the control's font
  std::string caption;
};

// Paints a push button completely into `target`, the DC of its client area.
bool paintPushButton(HDC target, const RECT& client, const Scheme& scheme,
                     const ControlLook& look);
// Paints a check box or a radio button completely.
bool paintCheckBox(HDC target, const RECT& client, const Scheme& scheme, const ControlLook& look,
                   bool radio);
// Paints a group box's frame and caption over the current image.
bool paintGroupBox(HDC target, const RECT& client, const Scheme& scheme,
                   const ControlLook& look);
// Paints an up-down's two arrow halves completely.
bool paintUpDown(HDC target, const RECT& client, const Scheme& scheme, const ControlLook& look);

// Paints the two one-pixel frames of a bordered edit box (or combo box) over the current
// image of its whole window; `windowDC` covers the non-client area. With innerFrame false only
// the outer frame is drawn (a drop-down list's one-pixel border).
bool paintEditBorder(HDC windowDC, int width, int height, const Scheme& scheme,
                     const ControlState& state, bool innerFrame = true);

}  // namespace visual_style
