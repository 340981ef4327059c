#include "system/VisualStylePaint.h"

#include "system/GdiScoped.h"

#include <algorithm>
#include <initializer_list>

namespace visual_style {
namespace {

constexpr COLORREF hex(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

constexpr CornerColours vertical(uint32_t top, uint32_t bottom) {
  return {hex(top), hex(top), hex(bottom), hex(bottom)};
}

// The gradients and the disabled colours are shared by the three schemes; they differ in their
// border colours.
constexpr Scheme withBorders(uint32_t pushButtonBorder, uint32_t editBorder) {
  return Scheme{
      hex(pushButtonBorder),
      hex(editBorder),
      hex(0xF5F4EA),
      hex(0xA5A294),
      vertical(0xEFE3CE, 0xEFE3CE),
      vertical(0xFFF0CF, 0xE59700),
      {hex(0xD6CBBD), hex(0xD6CFC6), hex(0xF7F3EF), hex(0xF7F3EF)},
      vertical(0xCEE7FF, 0x6982EE),
      vertical(0xFFFFFF, 0xE2DFD6),
      vertical(0xB3B2C5, 0xFCFCFB),
      vertical(0xFCFCFB, 0xC6C5D7),
  };
}

constexpr Scheme kSchemes[3] = {
    withBorders(0x003C73, 0x7B9EBD),
    withBorders(0x376206, 0xA4B97F),
    withBorders(0x003C74, 0xC6C5D7),
};

constexpr COLORREF kCaptionColour = RGB(0, 0, 0);

RECT inset(const RECT& rect, int by) {
  return RECT{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

bool fill(HDC dc, const RECT& rect, COLORREF colour) {
  gdi::ScopedBrush brush(CreateSolidBrush(colour));
  return brush && FillRect(dc, &rect, brush.get());
}

bool frame(HDC dc, const RECT& rect, COLORREF colour) {
  gdi::ScopedBrush brush(CreateSolidBrush(colour));
  return brush && FrameRect(dc, &rect, brush.get());
}

void fillBackground(HDC dc, const RECT& rect, HBRUSH background) {
  // The system brush is not owned and is never deleted.
  FillRect(dc, &rect, background ? background : GetSysColorBrush(COLOR_BTNFACE));
}

int textHeight(HDC dc) {
  SIZE size{};
  GetTextExtentPoint32A(dc, "a", 1, &size);
  return size.cy;
}

COLORREF captionColour(const Scheme& scheme, const ControlState& state) {
  return state.disabled || state.indeterminate ? scheme.disabledCaption : kCaptionColour;
}

// Sets the DC up for a caption: the control's font, transparent background, caption colour.
// The font is put back when the object goes out of scope.
class CaptionPen {
 public:
  CaptionPen(HDC dc, HFONT font, COLORREF colour) : font_(dc, font) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
  }

 private:
  gdi::ScopedSelection font_;
};

void drawCaption(HDC dc, const RECT& box, const ControlLook& look, COLORREF colour) {
  if (look.caption.empty()) return;
  CaptionPen pen(dc, look.font, colour);
  const TextMeasure measure = [dc](const char* text, int length) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    return static_cast<int>(size.cx);
  };
  for (const CaptionLine& line :
       layoutCaption(look.caption, box, look.style, textHeight(dc), measure)) {
    RECT rect = line.rect;
    DrawTextA(dc, line.text.c_str(), static_cast<int>(line.text.size()), &rect, 0);
  }
}

void setPixels(HDC dc, std::initializer_list<POINT> points, COLORREF colour) {
  for (const POINT& p : points) SetPixelV(dc, p.x, p.y, colour);
}

}  // namespace

const Scheme& schemeFor(int32_t number) {
  return number >= 1 && number <= 3 ? kSchemes[number - 1] : kSchemes[2];
}

const CornerColours& ringFor(const Scheme& scheme, const ControlState& state) {
  if (state.pressed) return scheme.ringPressed;
  if (state.hot) return scheme.ringHot;
  if (state.checked || state.indeterminate) return scheme.ringChecked;
  if (state.focused || state.isDefault) return scheme.ringFocused;
  return scheme.ringNormal;
}

const CornerColours& faceFor(const Scheme& scheme, const ControlState& state) {
  return state.pressed || state.checked || state.indeterminate ? scheme.facePressed
                                                               : scheme.faceNormal;
}

COLORREF disabledBorderColour(COLORREF buttonFace) {
  return (buttonFace - 0x202020u) & 0xFFFFFFu;
}

COLORREF darker(COLORREF colour, int red, int green, int blue) {
  return RGB(std::max(GetRValue(colour) - red, 0), std::max(GetGValue(colour) - green, 0),
             std::max(GetBValue(colour) - blue, 0));
}

std::vector<CaptionLine> layoutCaption(const std::string& caption, const RECT& box,
                                       LONG_PTR buttonStyle, int lineHeight,
                                       const TextMeasure& measure) {
  constexpr size_t kMaxLineBytes = 1023;
  const int boxWidth = box.right - box.left;
  const int boxHeight = box.bottom - box.top;

  std::vector<std::string> lines;
  std::string line;
  const size_t size = caption.size();
  for (size_t i = 0; i < size;) {
    if (caption[i] == '\r' && i + 1 < size && caption[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      i += 2;
      continue;
    }
    const size_t charBytes =
        static_cast<unsigned char>(caption[i]) > 128 && i + 1 < size ? 2 : 1;
    if (!line.empty()) {
      const std::string longer = line + caption.substr(i, charBytes);
      if (longer.size() > kMaxLineBytes ||
          measure(longer.c_str(), static_cast<int>(longer.size())) > boxWidth) {
        lines.push_back(line);
        line.clear();
      }
    }
    line.append(caption, i, charBytes);
    i += charBytes;
  }
  if (!caption.empty()) lines.push_back(line);

  const LONG_PTR horizontal = buttonStyle & BS_CENTER;
  const LONG_PTR verticalAlign = buttonStyle & BS_VCENTER;
  const bool aligned = horizontal != 0 && verticalAlign != 0;
  const int blockHeight =
      std::min(static_cast<int>(lines.size()) * lineHeight, std::max(boxHeight, 0));

  int top = box.top + (boxHeight - blockHeight) / 2;
  if (aligned && verticalAlign == BS_TOP) top = box.top;
  if (aligned && verticalAlign == BS_BOTTOM) top = box.bottom - blockHeight;

  std::vector<CaptionLine> placed;
  placed.reserve(lines.size());
  for (size_t n = 0; n < lines.size(); ++n) {
    const int width = measure(lines[n].c_str(), static_cast<int>(lines[n].size()));
    int left = box.left + (boxWidth - width) / 2;
    if (aligned && horizontal == BS_LEFT) left = box.left;
    if (aligned && horizontal == BS_RIGHT) left = box.right - width;
    const int y = top + static_cast<int>(n) * lineHeight;
    // Lines beyond the box are cut off at its bottom.
    const int bottom = std::min(y + lineHeight, static_cast<int>(box.bottom));
    if (bottom <= y) break;
    placed.push_back(CaptionLine{lines[n], RECT{left, y, left + width, bottom}});
  }
  return placed;
}

bool paintPushButton(HDC target, const RECT& client, const Scheme& scheme,
                     const ControlLook& look) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  gdi::OffscreenSurface surface(target, width, height);
  if (!surface.ready()) return false;
  const HDC dc = surface.dc();
  const RECT r{0, 0, width, height};
  const ControlState& state = look.state;
  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  const COLORREF border = state.disabled ? disabledBorderColour(buttonFace)
                                         : scheme.pushButtonBorder;

  fillBackground(dc, r, look.background);
  frame(dc, r, buttonFace);
  frame(dc, inset(r, 1), border);
  if (state.disabled) {
    fill(dc, inset(r, 2), scheme.disabledFill);
  } else {
    fillGradient(dc, inset(r, 2), ringFor(scheme, state));
    fillGradient(dc, inset(r, 4), faceFor(scheme, state));
  }

  // Rounded corners: the frame's corner pixels vanish into the face colour, the ring's corner
  // pixels take the border colour.
  const int right = width - 1;
  const int bottom = height - 1;
  setPixels(dc, {{1, 1}, {right - 1, 1}, {1, bottom - 1}, {right - 1, bottom - 1}}, buttonFace);
  setPixels(dc, {{2, 2}, {right - 2, 2}, {2, bottom - 2}, {right - 2, bottom - 2}},
            state.disabled ? darker(buttonFace, 0x15, 0x15, 0x15) : border);
  if (state.disabled) {
    setPixels(dc,
              {{2, 1}, {1, 2}, {right - 2, 1}, {right - 1, 2},
               {1, bottom - 2}, {2, bottom - 1}, {right - 1, bottom - 2}, {right - 2, bottom - 1}},
              darker(buttonFace, 0x11, 0x11, 0x11));
  }

  if (state.focused) {
    const RECT focus = inset(r, 3);
    DrawFocusRect(dc, &focus);
  }

  RECT captionBox = inset(r, 4);
  if (state.pressed) OffsetRect(&captionBox, 1, 1);
  drawCaption(dc, captionBox, look, captionColour(scheme, state));

  return surface.copyTo(target, client.left, client.top);
}

bool paintCheckBox(HDC target, const RECT& client, const Scheme& scheme, const ControlLook& look,
                   bool radio) {
  constexpr int kBoxSize = 13;
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  gdi::OffscreenSurface surface(target, width, height);
  if (!surface.ready()) return false;
  const HDC dc = surface.dc();
  const RECT r{0, 0, width, height};
  const ControlState& state = look.state;
  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  const COLORREF border = state.disabled ? disabledBorderColour(buttonFace)
                                         : scheme.pushButtonBorder;
  const COLORREF mark = captionColour(scheme, state);

  fillBackground(dc, r, look.background);
  const int boxTop = (height - kBoxSize) / 2;
  const RECT box{0, boxTop, kBoxSize, boxTop + kBoxSize};
  if (radio) {
    gdi::ScopedPen pen(CreatePen(PS_SOLID, 1, border));
    gdi::ScopedBrush face(CreateSolidBrush(state.disabled ? scheme.disabledFill
                                                          : faceFor(scheme, state).topLeft));
    gdi::ScopedSelection penSelection(dc, pen.get());
    gdi::ScopedSelection brushSelection(dc, face.get());
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (state.checked) {
      gdi::ScopedBrush dotBrush(CreateSolidBrush(mark));
      gdi::ScopedPen dotPen(CreatePen(PS_SOLID, 1, mark));
      gdi::ScopedSelection dotPenSelection(dc, dotPen.get());
      gdi::ScopedSelection dotBrushSelection(dc, dotBrush.get());
      Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
    }
  } else {
    frame(dc, box, border);
    if (state.disabled) {
      fill(dc, inset(box, 1), scheme.disabledFill);
    } else {
      fillGradient(dc, inset(box, 1), ringFor(scheme, state));
      fillGradient(dc, inset(box, 2), scheme.faceNormal);
    }
    if (state.indeterminate) {
      fill(dc, inset(box, 3), mark);
    } else if (state.checked) {
      gdi::ScopedPen pen(CreatePen(PS_SOLID, 2, mark));
      gdi::ScopedSelection penSelection(dc, pen.get());
      const POINT tick[3] = {{box.left + 3, box.top + 6}, {box.left + 5, box.top + 9},
                             {box.left + 10, box.top + 3}};
      Polyline(dc, tick, 3);
    }
  }

  const RECT textBox{kBoxSize + 4, 0, width, height};
  if (!look.caption.empty()) {
    CaptionPen pen(dc, look.font, captionColour(scheme, state));
    RECT textRect = textBox;
    DrawTextA(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (state.focused) {
      RECT measured = textBox;
      DrawTextA(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &measured,
                DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
      const int textHeight = measured.bottom - measured.top;
      RECT focus{textBox.left - 1, (height - textHeight) / 2 - 1, measured.right + 1,
                 (height - textHeight) / 2 + textHeight + 1};
      DrawFocusRect(dc, &focus);
    }
  }
  return surface.copyTo(target, client.left, client.top);
}

bool paintGroupBox(HDC target, const RECT& client, const Scheme& scheme,
                   const ControlLook& look) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  gdi::OffscreenSurface surface(target, width, height);
  if (!surface.ready() || !surface.copyFrom(target, client.left, client.top)) return false;
  const HDC dc = surface.dc();
  const ControlState& state = look.state;
  const COLORREF border = state.disabled ? disabledBorderColour(GetSysColor(COLOR_BTNFACE))
                                         : scheme.editBorder;

  CaptionPen pen(dc, look.font, captionColour(scheme, state));
  const int lineHeight = textHeight(dc);
  {
    gdi::ScopedPen framePen(CreatePen(PS_SOLID, 1, border));
    gdi::ScopedSelection penSelection(dc, framePen.get());
    // A stock object: not owned, never deleted.
    gdi::ScopedSelection brushSelection(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 0, lineHeight / 2, width, height, 5, 5);
  }
  if (!look.caption.empty()) {
    RECT measured{0, 0, width, lineHeight};
    DrawTextA(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &measured,
              DT_SINGLELINE | DT_CALCRECT);
    const RECT behind{6, 0, std::min(static_cast<int>(measured.right) + 10, width), lineHeight};
    fillBackground(dc, behind, look.background);
    RECT text{8, 0, width, lineHeight};
    DrawTextA(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &text,
              DT_SINGLELINE | DT_LEFT);
  }
  return surface.copyTo(target, client.left, client.top);
}

bool paintUpDown(HDC target, const RECT& client, const Scheme& scheme, const ControlLook& look) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  gdi::OffscreenSurface surface(target, width, height);
  if (!surface.ready()) return false;
  const HDC dc = surface.dc();
  const ControlState& state = look.state;
  const COLORREF border = state.disabled ? disabledBorderColour(GetSysColor(COLOR_BTNFACE))
                                         : scheme.pushButtonBorder;
  const COLORREF arrow = captionColour(scheme, state);
  fillBackground(dc, RECT{0, 0, width, height}, look.background);

  const bool horizontal = state.upDownHorizontal;
  const RECT halves[2] = {
      horizontal ? RECT{0, 0, width / 2, height} : RECT{0, 0, width, height / 2},
      horizontal ? RECT{width / 2, 0, width, height} : RECT{0, height / 2, width, height},
  };
  gdi::ScopedPen arrowPen(CreatePen(PS_SOLID, 1, arrow));
  gdi::ScopedBrush arrowBrush(CreateSolidBrush(arrow));
  for (int half = 0; half < 2; ++half) {
    const RECT& part = halves[half];
    frame(dc, part, border);
    if (state.disabled) {
      fill(dc, inset(part, 1), scheme.disabledFill);
    } else {
      fillGradient(dc, inset(part, 1), scheme.faceNormal);
    }
    // A small triangle pointing up and down (or left and right), centred in its half.
    const int cx = (part.left + part.right) / 2;
    const int cy = (part.top + part.bottom) / 2;
    POINT points[3];
    if (horizontal) {
      const int tip = half == 0 ? -2 : 2;
      points[0] = {cx + tip, cy};
      points[1] = {cx - tip, cy - 3};
      points[2] = {cx - tip, cy + 3};
    } else {
      const int tip = half == 0 ? -2 : 2;
      points[0] = {cx, cy + tip};
      points[1] = {cx - 3, cy - tip};
      points[2] = {cx + 3, cy - tip};
    }
    gdi::ScopedSelection penSelection(dc, arrowPen.get());
    gdi::ScopedSelection brushSelection(dc, arrowBrush.get());
    Polygon(dc, points, 3);
  }
  return surface.copyTo(target, client.left, client.top);
}

bool paintEditBorder(HDC windowDC, int width, int height, const Scheme& scheme,
                     const ControlState& state, bool innerFrame) {
  gdi::OffscreenSurface surface(windowDC, width, height);
  if (!surface.ready() || !surface.copyFrom(windowDC)) return false;
  const HDC dc = surface.dc();
  const RECT w{0, 0, width, height};
  frame(dc, w, state.disabled ? disabledBorderColour(GetSysColor(COLOR_BTNFACE))
                              : scheme.editBorder);
  if (innerFrame) {
    frame(dc, inset(w, 1),
          GetSysColor(state.disabled || state.readOnly ? COLOR_BTNFACE : COLOR_WINDOW));
  }
  return surface.copyTo(windowDC);
}

}  // namespace visual_style
