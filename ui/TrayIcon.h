#pragma once
// The window's icon in the notification area, and what its mouse messages mean.
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdint>
#include <optional>

// The message the shell sends a window about mouse actions on its tray icon.
inline constexpr UINT kTrayMessage = WM_APP + 100;
// The identifier of a window's one tray icon.
inline constexpr UINT kTrayIconId = 100;

enum class TrayCode : int32_t {
  LeftButtonUp = 1,
  LeftDoubleClick = 2,
  RightButtonUp = 3,
};

// The code of a kTrayMessage's lParam (a plain mouse message, no NOTIFYICON_VERSION is set);
// nothing for moves, presses and the middle button.
std::optional<TrayCode> trayCodeFor(LPARAM mouseMessage);

// The shell call, replaceable by tests.
struct TrayShell {
  BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAA data);
};
TrayShell& trayShell();

namespace TrayIcon {

// Shows the icon made from an icon file's bytes with the tip (cut to 62 bytes) as the window's
// tray icon, or replaces the icon and tip in place when the window has one. Bytes that give
// no icon remove an existing one. The window owns the icon handle from then on.
void set(HWND window, const unsigned char* iconBytes, size_t size, const char* tip);

// Deletes the window's tray icon and destroys its handle; nothing when it has none.
void remove(HWND window);

// The icon handle the window's tray icon shows, or nullptr (still owned by the window).
HICON current(HWND window);

}  // namespace TrayIcon
