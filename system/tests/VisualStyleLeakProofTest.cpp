// The leak check of VisualStyleLeakTest can fail: a window whose paint leaks one brush runs the
// same repaint loop, and afterwards GDI refuses new objects. It runs in a program of its own
// because it leaves this process without GDI handles.
#include <windows.h>

#include <gtest/gtest.h>

#include "system/tests/RepaintLoop.h"
#include "system/tests/StyleTestSupport.h"

using namespace style_test;

namespace {

// Paints its client area with a brush it never deletes.
LRESULT CALLBACK leakingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, CreateSolidBrush(RGB(0x12, 0x34, 0x56)));  // leaked on purpose
  EndPaint(window, &paint);
  return 0;
}

TEST(VisualStyleLeakProof, TheRepaintLoopCatchesOneLeakedObjectPerPaint) {
  registerTestClass("DusklockLeakingWindow", leakingProcedure);
  const HWND window =
      CreateWindowExA(WS_EX_TOPMOST, "DusklockLeakingWindow", "", WS_POPUP | WS_VISIBLE, 20, 20,
                      70, 25, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(freshObjectsCanBeCreated());
  HandleTableSqueeze squeeze(kSpareHandles);
  ASSERT_TRUE(squeeze.exhausted());
  ASSERT_TRUE(freshObjectsCanBeCreated()) << "the spare is not free before the loop";
  repaintMany(window, kRepaints);
  EXPECT_FALSE(freshObjectsCanBeCreated())
      << "a brush leaked by every paint did not exhaust GDI: the check could not catch a leak";
  DestroyWindow(window);
}

}  // namespace
