#include "system/VisualStyleGradient.h"

#include "system/GdiScoped.h"

#include <cstring>

namespace visual_style {
namespace {

using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// msimg32.dll, loaded on first use and kept until the process ends; this object is its only
// owner.
class GradientLibrary {
 public:
  GradientLibrary() : module_(loadSystemLibrary("msimg32.dll")) {
    if (module_) {
      gradientFill_ = reinterpret_cast<GradientFillFunction>(
          reinterpret_cast<void*>(GetProcAddress(module_, "GradientFill")));
    }
  }
  ~GradientLibrary() {
    if (module_) FreeLibrary(module_);
  }
  GradientLibrary(const GradientLibrary&) = delete;
  GradientLibrary& operator=(const GradientLibrary&) = delete;

  GradientFillFunction gradientFill() const { return gradientFill_; }

 private:
  HMODULE module_;
  GradientFillFunction gradientFill_ = nullptr;
};

const GradientLibrary& gradientLibrary() {
  static const GradientLibrary library;
  return library;
}

TRIVERTEX vertex(LONG x, LONG y, COLORREF colour) {
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
  return v;
}

int blend(int from, int to, int step, int steps) {
  return steps > 0 ? from + (to - from) * step / steps : from;
}

COLORREF blendColour(COLORREF from, COLORREF to, int step, int steps) {
  return RGB(blend(GetRValue(from), GetRValue(to), step, steps),
             blend(GetGValue(from), GetGValue(to), step, steps),
             blend(GetBValue(from), GetBValue(to), step, steps));
}

}  // namespace

HMODULE loadSystemLibrary(const char* fileName, LoadLibraryExFunction load) {
  HMODULE module = load(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;

  // An older system without the search flags: name the file by its full path instead.
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  const size_t nameLength = std::strlen(fileName);
  if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
  path[length] = '\\';
  std::memcpy(path + length + 1, fileName, nameLength + 1);
  // The altered search path makes the DLL's own imports resolve from its folder as well.
  return load(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool fillGradient(HDC dc, const RECT& rect, const CornerColours& colours) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return true;
  const GradientFillFunction gradientFill = gradientLibrary().gradientFill();
  if (!gradientFill) return fillGradientByRows(dc, rect, colours);

  TRIVERTEX vertices[4] = {
      vertex(rect.left, rect.top, colours.topLeft),
      vertex(rect.right, rect.top, colours.topRight),
      vertex(rect.left, rect.bottom, colours.bottomLeft),
      vertex(rect.right, rect.bottom, colours.bottomRight),
  };
  GRADIENT_TRIANGLE triangles[2] = {{0, 1, 2}, {3, 1, 2}};
  return gradientFill(dc, vertices, 4, triangles, 2, GRADIENT_FILL_TRIANGLE) != FALSE;
}

bool fillGradientByRows(HDC dc, const RECT& rect, const CornerColours& colours) {
  const int height = rect.bottom - rect.top;
  const COLORREF top = blendColour(colours.topLeft, colours.topRight, 1, 2);
  const COLORREF bottom = blendColour(colours.bottomLeft, colours.bottomRight, 1, 2);
  bool filled = true;
  for (int row = 0; row < height; ++row) {
    gdi::ScopedBrush brush(CreateSolidBrush(blendColour(top, bottom, row, height)));
    const RECT line{rect.left, rect.top + row, rect.right, rect.top + row + 1};
    filled = brush && FillRect(dc, &line, brush.get()) && filled;
  }
  return filled;
}

}  // namespace visual_style
