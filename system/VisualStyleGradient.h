#pragma once
// Four-corner gradients for the visual-style layer. GradientFill lives in msimg32.dll, which is
// not one of Windows' known DLLs: it is loaded at run time from the system directory only, so a
// planted copy beside the program or in the current folder is never run.
#include <windows.h>

namespace visual_style {

// The colours of a gradient's four corners.
struct CornerColours {
  COLORREF topLeft;
  COLORREF topRight;
  COLORREF bottomLeft;
  COLORREF bottomRight;
};

using LoadLibraryExFunction = HMODULE(WINAPI*)(LPCSTR, HANDLE, DWORD);

// Loads a DLL from the system directory and nowhere else. Uses LOAD_LIBRARY_SEARCH_SYSTEM32;
// where the system does not know that flag (the call fails with ERROR_INVALID_PARAMETER) it
// loads the DLL by its full path in GetSystemDirectoryA instead. `load` is LoadLibraryExA
// except in tests. Returns null on failure; the caller owns the module.
HMODULE loadSystemLibrary(const char* fileName, LoadLibraryExFunction load = LoadLibraryExA);

// Fills `rect` with the gradient as two triangles: top-left, top-right, bottom-left and
// bottom-right, top-right, bottom-left, each corner in its colour. Uses msimg32's GradientFill;
// if that cannot be loaded, fills row by row with the colours blended top to bottom.
bool fillGradient(HDC dc, const RECT& rect, const CornerColours& colours);

// The fallback of fillGradient: one row at a time, each row the average of its left and right
// colours at that height. Exact for gradients that change only from top to bottom.
bool fillGradientByRows(HDC dc, const RECT& rect, const CornerColours& colours);

}  // namespace visual_style
