#pragma once
// Owning wrappers for GDI and USER handles: each releases its handle exactly once.
#include <windows.h>

#include <utility>

// A GDI object (font, brush, bitmap, pen) released with DeleteObject.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  Handle get() const { return handle_; }
  void reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// An icon released with DestroyIcon.
class IconHandle {
 public:
  IconHandle() = default;
  explicit IconHandle(HICON icon) : icon_(icon) {}
  IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  IconHandle& operator=(IconHandle&& other) noexcept {
    if (this != &other) {
      reset();
      icon_ = std::exchange(other.icon_, nullptr);
    }
    return *this;
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;
  ~IconHandle() { reset(); }

  HICON get() const { return icon_; }
  HICON release() { return std::exchange(icon_, nullptr); }
  void reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_ = nullptr;
};

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;  // not owned
  HDC dc_;
};

// A paint session between BeginPaint and EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }

 private:
  HWND window_;  // not owned
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back at the end of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;            // not owned
  HGDIOBJ previous_;  // not owned: belonged to the DC before
};
