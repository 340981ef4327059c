#pragma once
// Helpers for the visual-style tests: real windows laid out like the main window, a bounded
// message-pumping wait, screen captures and the colours the layer is expected to show.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "schedule/Texts.h"
#include "system/GdiScoped.h"
#include "system/VisualStyleGradient.h"

namespace style_test {

constexpr COLORREF hex(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

inline std::string colourText(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X %02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

inline int channelDistance(COLORREF a, COLORREF b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    worst = std::max(worst, d < 0 ? -d : d);
  }
  return worst;
}

// Runs every pending message of this thread.
inline void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Pumps messages until the condition holds or the time is up; true when it held.
inline bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 4000) {
  const DWORD start = GetTickCount();
  for (;;) {
    pumpMessages();
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
  }
}

// Pumps messages for a while, for checks that something does NOT happen.
inline void settle(DWORD ms = 300) {
  waitUntil([] { return false; }, ms);
}

// A copy of a rectangle of the screen, read through the screen's device context: what the
// user sees, whoever painted it.
class ScreenImage {
 public:
  explicit ScreenImage(const RECT& onScreen)
      : width_(onScreen.right - onScreen.left), height_(onScreen.bottom - onScreen.top) {
    pixels_.assign(static_cast<size_t>(std::max(width_, 0) * std::max(height_, 0)), 0);
    if (width_ <= 0 || height_ <= 0) return;
    gdi::ScopedWindowDC screen(nullptr);
    gdi::ScopedMemoryDC memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    gdi::ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return;
    {
      gdi::ScopedSelection selection(memory.get(), bitmap.get());
      BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), onScreen.left, onScreen.top,
             SRCCOPY);
      GdiFlush();
    }
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels_.size(); ++i) {
      const uint32_t bgra = source[i];
      pixels_[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
  }

  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y * width_ + x)];
  }

  // Writes a 24-bit BMP file.
  bool saveBmp(const std::string& path) const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes * height_);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        const COLORREF c = at(x, y);
        row[static_cast<size_t>(x * 3)] = GetBValue(c);
        row[static_cast<size_t>(x * 3 + 1)] = GetGValue(c);
        row[static_cast<size_t>(x * 3 + 2)] = GetRValue(c);
      }
      std::fwrite(row.data(), row.size(), 1, out);
    }
    return std::fclose(out) == 0;
  }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

inline RECT clientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

inline RECT windowOnScreen(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

// One colour expected at one point of a capture.
struct PixelCheck {
  std::string name;
  int x;
  int y;
  COLORREF colour;
  int tolerance;
};

inline std::string mismatches(const ScreenImage& image, const std::vector<PixelCheck>& checks) {
  std::string report;
  for (const PixelCheck& check : checks) {
    const COLORREF seen = image.at(check.x, check.y);
    if (seen == CLR_INVALID || channelDistance(seen, check.colour) > check.tolerance) {
      report += "  " + check.name + " at (" + std::to_string(check.x) + "," +
                std::to_string(check.y) + "): expected " + colourText(check.colour) + " +-" +
                std::to_string(check.tolerance) + ", saw " +
                (seen == CLR_INVALID ? std::string("nothing") : colourText(seen)) + "\n";
    }
  }
  return report;
}

// Waits until the control's client area (or with wholeWindow its whole window) shows every
// expected colour, pumping messages; on timeout fails with the last capture's mismatches.
inline ::testing::AssertionResult shows(HWND control, const std::vector<PixelCheck>& checks,
                                        bool wholeWindow = false, DWORD timeoutMs = 4000) {
  std::string report;
  const bool ok = waitUntil(
      [&] {
        const ScreenImage image(wholeWindow ? windowOnScreen(control) : clientOnScreen(control));
        report = mismatches(image, checks);
        return report.empty();
      },
      timeoutMs);
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the control did not show the expected colours:\n"
                                       << report;
}

// The colour GradientFill gives at a pixel of a four-corner gradient drawn as two triangles
// (top-left, top-right, bottom-left and bottom-right, top-right, bottom-left) over `area`:
// linear interpolation of the corners inside the triangle that holds the point.
inline COLORREF gradientAt(const visual_style::CornerColours& c, const RECT& area, int x, int y) {
  const double u = static_cast<double>(x - area.left) / (area.right - area.left);
  const double v = static_cast<double>(y - area.top) / (area.bottom - area.top);
  double wTL = 0, wTR = 0, wBL = 0, wBR = 0;
  if (u + v <= 1.0) {
    wTL = 1.0 - u - v;
    wTR = u;
    wBL = v;
  } else {
    wBR = u + v - 1.0;
    wTR = 1.0 - v;
    wBL = 1.0 - u;
  }
  auto mix = [&](int shift) {
    const double value = wTL * ((c.topLeft >> shift) & 0xFF) + wTR * ((c.topRight >> shift) & 0xFF) +
                         wBL * ((c.bottomLeft >> shift) & 0xFF) +
                         wBR * ((c.bottomRight >> shift) & 0xFF);
    return static_cast<int>(value + 0.5);
  };
  return RGB(mix(0), mix(8), mix(16));
}

// The colours of scheme 3, as the program's colour tables give them.
namespace scheme3 {
constexpr COLORREF kPushBorder = hex(0x003C74);
constexpr COLORREF kEditBorder = hex(0xC6C5D7);
constexpr COLORREF kDisabledFill = hex(0xF5F4EA);
constexpr COLORREF kDisabledCaption = hex(0xA5A294);
constexpr visual_style::CornerColours kRingPressed{hex(0xEFE3CE), hex(0xEFE3CE), hex(0xEFE3CE),
                                                   hex(0xEFE3CE)};
constexpr visual_style::CornerColours kRingHot{hex(0xFFF0CF), hex(0xFFF0CF), hex(0xE59700),
                                               hex(0xE59700)};
constexpr visual_style::CornerColours kRingChecked{hex(0xD6CBBD), hex(0xD6CFC6), hex(0xF7F3EF),
                                                   hex(0xF7F3EF)};
constexpr visual_style::CornerColours kRingFocused{hex(0xCEE7FF), hex(0xCEE7FF), hex(0x6982EE),
                                                   hex(0x6982EE)};
constexpr visual_style::CornerColours kRingNormal{hex(0xFFFFFF), hex(0xFFFFFF), hex(0xE2DFD6),
                                                  hex(0xE2DFD6)};
constexpr visual_style::CornerColours kFacePressed{hex(0xB3B2C5), hex(0xB3B2C5), hex(0xFCFCFB),
                                                   hex(0xFCFCFB)};
constexpr visual_style::CornerColours kFaceNormal{hex(0xFCFCFB), hex(0xFCFCFB), hex(0xC6C5D7),
                                                  hex(0xC6C5D7)};
}  // namespace scheme3

inline COLORREF buttonFace() { return GetSysColor(COLOR_BTNFACE); }
inline COLORREF minusEach(COLORREF c, int by) {
  return RGB(std::max(GetRValue(c) - by, 0), std::max(GetGValue(c) - by, 0),
             std::max(GetBValue(c) - by, 0));
}
inline COLORREF disabledBorder() { return (buttonFace() - 0x202020u) & 0xFFFFFFu; }

// GradientFill's rounding differs a little between implementations (pixel corners or
// centres); two units per channel covers it.
constexpr int kGradientTolerance = 2;

// The expected look of an enabled push button of the given client size: the outer frame, the
// border frame, the rounded corners, the ring's top and bottom rows and the face's top and
// bottom rows (taken at the left edge of the face, away from the caption).
inline std::vector<PixelCheck> enabledButtonChecks(SIZE size,
                                                   const visual_style::CornerColours& ring,
                                                   const visual_style::CornerColours& face,
                                                   bool focused = false) {
  const int w = size.cx, h = size.cy, mid = w / 2;
  const RECT ringArea{2, 2, w - 2, h - 2};
  const RECT faceArea{4, 4, w - 4, h - 4};
  const COLORREF border = scheme3::kPushBorder;
  std::vector<PixelCheck> checks = {
      {"outer frame top", mid, 0, buttonFace(), 0},
      {"outer frame left", 0, h / 2, buttonFace(), 0},
      {"border top", mid, 1, border, 0},
      {"border bottom", mid, h - 2, border, 0},
      {"border left", 1, h / 2, border, 0},
      {"border right", w - 2, h / 2, border, 0},
      {"frame corner top-left", 1, 1, buttonFace(), 0},
      {"frame corner bottom-right", w - 2, h - 2, buttonFace(), 0},
      {"frame beside corner", 2, 1, border, 0},
      {"frame beside corner", 1, 2, border, 0},
      {"ring corner top-left", 2, 2, border, 0},
      {"ring corner top-right", w - 3, 2, border, 0},
      {"ring corner bottom-left", 2, h - 3, border, 0},
      {"ring corner bottom-right", w - 3, h - 3, border, 0},
      {"ring top row", mid, 2, gradientAt(ring, ringArea, mid, 2), kGradientTolerance},
      {"ring bottom row", mid, h - 3, gradientAt(ring, ringArea, mid, h - 3), kGradientTolerance},
      {"ring left column", 2, h / 2, gradientAt(ring, ringArea, 2, h / 2), kGradientTolerance},
      {"face top row", 5, 4, gradientAt(face, faceArea, 5, 4), kGradientTolerance},
      {"face bottom row", 5, h - 5, gradientAt(face, faceArea, 5, h - 5), kGradientTolerance},
  };
  if (!focused) {
    // The focus rectangle runs along the ring's inner row; without focus it is plain ring.
    checks.push_back({"ring inner row", mid, 3, gradientAt(ring, ringArea, mid, 3),
                      kGradientTolerance});
  }
  return checks;
}

inline std::vector<PixelCheck> disabledButtonChecks(SIZE size) {
  const int w = size.cx, h = size.cy, mid = w / 2;
  const COLORREF border = disabledBorder();
  const COLORREF ringCorner = minusEach(buttonFace(), 0x15);
  const COLORREF besideCorner = minusEach(buttonFace(), 0x11);
  return {
      {"outer frame", mid, 0, buttonFace(), 0},
      {"disabled border top", mid, 1, border, 0},
      {"disabled border left", 1, h / 2, border, 0},
      {"frame corner", 1, 1, buttonFace(), 0},
      {"frame corner", w - 2, h - 2, buttonFace(), 0},
      {"ring corner", 2, 2, ringCorner, 0},
      {"ring corner", w - 3, h - 3, ringCorner, 0},
      {"beside corner", 2, 1, besideCorner, 0},
      {"beside corner", 1, 2, besideCorner, 0},
      {"beside corner", w - 3, h - 2, besideCorner, 0},
      {"beside corner", w - 2, h - 3, besideCorner, 0},
      {"flat fill at the ring", mid, 2, scheme3::kDisabledFill, 0},
      {"flat fill at the face", 5, 4, scheme3::kDisabledFill, 0},
      {"flat fill at the bottom", 5, h - 5, scheme3::kDisabledFill, 0},
  };
}

// Edit box border over the whole window: outer frame and inner frame colours.
inline std::vector<PixelCheck> editBorderChecks(SIZE size, COLORREF outer, COLORREF inner) {
  const int w = size.cx, h = size.cy;
  return {
      {"outer top", w / 2, 0, outer, 0},        {"outer left", 0, h / 2, outer, 0},
      {"outer bottom", w / 2, h - 1, outer, 0}, {"outer right", w - 1, h / 2, outer, 0},
      {"outer corner", 0, 0, outer, 0},         {"inner top", w / 2, 1, inner, 0},
      {"inner left", 1, h / 2, inner, 0},       {"inner bottom", w / 2, h - 2, inner, 0},
      {"inner right", w - 2, h / 2, inner, 0},
  };
}

inline SIZE clientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

inline SIZE windowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

inline LONG_PTR procedureOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

// Keeps the real pointer away from the test windows.
inline void parkCursor() { SetCursorPos(1010, 740); }

inline void registerTestClass(const char* name, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);  // fails harmlessly when already registered
}

constexpr char kTestWindowClass[] = "DusklockStyleTestWindow";

// A top-level window laid out like the main window: the deadline edit box (bold 16-pixel
// SimSun, centred, sunken edge) over the start and display buttons.
class LookAlikeWindow {
 public:
  explicit LookAlikeWindow(int left = 20, int top = 20, bool visible = true)
      : font_(CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, "宋体")) {
    registerTestClass(kTestWindowClass, DefWindowProcA);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    window_ = CreateWindowExA(WS_EX_TOPMOST, kTestWindowClass, texts::kMainWindowTitle,
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top,
                              246, 97, nullptr, nullptr, instance, nullptr);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", texts::kDeadlineInstruction,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, 0, 0,
                            240, 40, window_, nullptr, instance, nullptr);
    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
                              BS_VCENTER | BS_MULTILINE;
    start_ = CreateWindowExA(0, "BUTTON", texts::kStartCaptionIdle, buttonStyle, 0, 40, 70, 25,
                             window_, nullptr, instance, nullptr);
    display_ = CreateWindowExA(0, "BUTTON", texts::kCountdownCaptionIdle, buttonStyle, 70, 40,
                               170, 25, window_, nullptr, instance, nullptr);
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // The stock font is not owned.
    const WPARAM guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(start_, WM_SETFONT, guiFont, FALSE);
    SendMessageA(display_, WM_SETFONT, guiFont, FALSE);
    if (visible) show();
  }
  ~LookAlikeWindow() {
    if (window_) DestroyWindow(window_);
  }
  LookAlikeWindow(const LookAlikeWindow&) = delete;
  LookAlikeWindow& operator=(const LookAlikeWindow&) = delete;

  void show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    pumpMessages();
  }

  HWND window() const { return window_; }
  HWND edit() const { return edit_; }
  HWND start() const { return start_; }
  HWND display() const { return display_; }

 private:
  gdi::ScopedObject<HFONT> font_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  HWND start_ = nullptr;
  HWND display_ = nullptr;
};

}  // namespace style_test
