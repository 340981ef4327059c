#include "ui/TrayIcon.h"

#include <cstring>

#include "ui/IconFile.h"

// The shell of the oldest systems reads only the fields up to szTip.
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first NOTIFYICONDATAA layout is 88 bytes");
#endif

namespace {

// The window property holding the handle of the icon its tray icon shows.
constexpr char kTrayIconProperty[] = "Dusklock.TrayIcon";
constexpr size_t kMaxTipBytes = 62;

NOTIFYICONDATAA notifyData(HWND window, UINT flags, HICON icon, const char* tip) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.uFlags = flags;
  if (flags) {
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    if (tip) std::strncpy(data.szTip, tip, kMaxTipBytes);
  }
  return data;
}

}  // namespace

std::optional<TrayCode> trayCodeFor(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONUP:
      return TrayCode::LeftButtonUp;
    case WM_LBUTTONDBLCLK:
      return TrayCode::LeftDoubleClick;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      return TrayCode::RightButtonUp;
    default:
      return std::nullopt;
  }
}

TrayShell& trayShell() {
  static TrayShell shell{&Shell_NotifyIconA};
  return shell;
}

namespace TrayIcon {

HICON current(HWND window) { return static_cast<HICON>(GetPropA(window, kTrayIconProperty)); }

void set(HWND window, const unsigned char* iconBytes, size_t size, const char* tip) {
  HICON icon = trayIconFromIconFile(iconBytes, size);
  HICON old = current(window);
  constexpr UINT kFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  if (old) {
    NOTIFYICONDATAA data = icon ? notifyData(window, kFlags, icon, tip)
                                : notifyData(window, 0, nullptr, nullptr);
    trayShell().notifyIcon(icon ? NIM_MODIFY : NIM_DELETE, &data);
    DestroyIcon(old);
  } else if (icon) {
    NOTIFYICONDATAA data = notifyData(window, kFlags, icon, tip);
    trayShell().notifyIcon(NIM_ADD, &data);
  }
  if (icon) {
    SetPropA(window, kTrayIconProperty, icon);
  } else {
    RemovePropA(window, kTrayIconProperty);
  }
}

void remove(HWND window) {
  HICON old = current(window);
  if (!old) return;
  NOTIFYICONDATAA data = notifyData(window, 0, nullptr, nullptr);
  trayShell().notifyIcon(NIM_DELETE, &data);
  DestroyIcon(old);
  RemovePropA(window, kTrayIconProperty);
}

}  // namespace TrayIcon
