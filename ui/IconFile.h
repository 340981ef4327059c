#pragma once
// Icons made from the bytes of an icon file (ICO: a 6-byte header, 16-byte directory entries,
// then the images).
#include <windows.h>

#include <cstddef>

// The icon the tray shows for an icon file, found in two passes: the first entry with at least
// 16 colours and width 16 (then 32 in the second pass), else the last entry. nullptr when the
// bytes give no icon. The caller owns the result (DestroyIcon).
HICON trayIconFromIconFile(const unsigned char* bytes, size_t size);

// An icon of size x size pixels made from the file's smallest image at least that large (its
// largest when none is), for a window's large or small icon. nullptr when the bytes give no
// icon. The caller owns the result (DestroyIcon).
HICON windowIconFromIconFile(const unsigned char* bytes, size_t size, int pixels);
