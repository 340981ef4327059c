#pragma once
// Scope-bound owners for GDI objects and device contexts. Each wrapper owns exactly one handle
// and releases it when it goes out of scope; none can be copied, so a handle is never released
// twice. They keep painting code leak-free however it returns.
#include <windows.h>

namespace gdi {

// Owns a pen, brush, bitmap, font or region made with one of the Create... functions and
// deletes it with DeleteObject. Destroy it only after it has been selected out of every DC.
template <typename Handle>
class ScopedObject {
 public:
  explicit ScopedObject(Handle handle = nullptr) : handle_(handle) {}
  ~ScopedObject() { reset(); }
  ScopedObject(const ScopedObject&) = delete;
  ScopedObject& operator=(const ScopedObject&) = delete;
  // Movable, so a container can hold them; the moved-from owner holds nothing.
  ScopedObject(ScopedObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  ScopedObject& operator=(ScopedObject&& other) noexcept {
    if (this != &other) {
      reset(other.handle_);
      other.handle_ = nullptr;
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Deletes the object held (if any) and takes handle instead.
  void reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

using ScopedBrush = ScopedObject<HBRUSH>;
using ScopedPen = ScopedObject<HPEN>;
using ScopedBitmap = ScopedObject<HBITMAP>;
using ScopedFont = ScopedObject<HFONT>;

// Owns an icon and destroys it with DestroyIcon.
class ScopedIcon {
 public:
  explicit ScopedIcon(HICON icon = nullptr) : icon_(icon) {}
  ~ScopedIcon() { reset(); }
  ScopedIcon(const ScopedIcon&) = delete;
  ScopedIcon& operator=(const ScopedIcon&) = delete;

  HICON get() const { return icon_; }
  void reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_;
};

// Selects an object into a DC and puts the previous one back at the end of the scope, so the
// object can then be deleted and the DC is left as it was found.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;  // not owned
  HGDIOBJ previous_;  // not owned: the DC's own object, handed back
};

// A memory DC compatible with another DC (CreateCompatibleDC / DeleteDC).
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A window's client-area DC (GetDC), or with wholeWindow its DC for the whole window
// including the non-client area (GetWindowDC); released with ReleaseDC. A null window gives
// the screen's DC.
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND window, bool wholeWindow = false)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~ScopedWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;  // not owned
  HDC dc_;
};

// A paint session of a window, from BeginPaint to EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;  // not owned
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An off-screen surface of a given size, compatible with a target DC: a memory DC with a
// bitmap of its own selected. Everything drawn into dc() is shown with one BitBlt by copyTo.
class OffscreenSurface {
 public:
  OffscreenSurface(HDC target, int width, int height)
      : memory_(target),
        bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        selection_(memory_.get(), bitmap_.get()),
        width_(width),
        height_(height) {}
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  bool ready() const { return memory_ && bitmap_; }
  HDC dc() const { return memory_.get(); }

  // Copies the whole surface to the target at (x, y).
  bool copyTo(HDC target, int x = 0, int y = 0) const {
    return BitBlt(target, x, y, width_, height_, memory_.get(), 0, 0, SRCCOPY) != FALSE;
  }

  // Fills the surface from the target (the current image, when only part is redrawn).
  bool copyFrom(HDC source, int x = 0, int y = 0) const {
    return BitBlt(memory_.get(), 0, 0, width_, height_, source, x, y, SRCCOPY) != FALSE;
  }

 private:
  // Declaration order is destruction order reversed: the bitmap is selected out before it is
  // deleted, and deleted before its DC.
  ScopedMemoryDC memory_;
  ScopedBitmap bitmap_;
  ScopedSelection selection_;
  int width_;
  int height_;
};

}  // namespace gdi
