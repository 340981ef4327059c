// Painting in every state releases everything it made: with the GDI handle table filled up to
// a spare, more repaints than the spare, and afterwards the button still paints correctly and
// GDI still creates objects. (VisualStyleLeakProofTest shows that the same loop does catch a
// leak of one object a paint.)
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "system/VisualStyle.h"
#include "system/tests/RepaintLoop.h"
#include "system/tests/StyleTestSupport.h"

using namespace style_test;

namespace {

struct StateStep {
  const char* name;
  void (*enter)(HWND button);
  void (*leave)(HWND button);
};

void nothing(HWND) {}
void hot(HWND button) { SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }
void notHot(HWND button) { SendMessageA(button, WM_MOUSELEAVE, 0, 0); }
void focus(HWND button) { SetFocus(button); }
void unfocus(HWND) { SetFocus(nullptr); }
void press(HWND button) { SendMessageA(button, BM_SETSTATE, TRUE, 0); }
void release(HWND button) { SendMessageA(button, BM_SETSTATE, FALSE, 0); }
void makeDefault(HWND button) { SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }
void makePlain(HWND button) { SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); }
void disable(HWND button) { EnableWindow(button, FALSE); }
void enable(HWND button) { EnableWindow(button, TRUE); }

const StateStep kSteps[] = {
    {"normal", nothing, nothing},       {"hot", hot, notHot},
    {"focused", focus, unfocus},        {"pressed", press, release},
    {"default", makeDefault, makePlain}, {"disabled", disable, enable},
};

TEST(VisualStyleLeak, RepaintingInEveryStateReleasesEveryObject) {
  parkCursor();
  LookAlikeWindow main;
  ASSERT_EQ(VisualStyle::select(3), 1);
  const HWND button = main.start();
  const HWND edit = main.edit();
  ASSERT_TRUE(freshObjectsCanBeCreated());

  HandleTableSqueeze squeeze(kSpareHandles);
  ASSERT_TRUE(squeeze.exhausted()) << "GDI never refused an object: a leak could not show";
  const int perState = kRepaints / static_cast<int>(std::size(kSteps)) + 1;
  const auto started = std::chrono::steady_clock::now();
  for (const StateStep& step : kSteps) {
    step.enter(button);
    step.enter(edit);
    repaintMany(button, perState);
    // The edit box's border is painted after its own WM_NCPAINT and WM_PAINT.
    for (int i = 0; i < perState / 10; ++i) {
      RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
    step.leave(button);
    step.leave(edit);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%zu GDI objects held; %d push-button and %d edit-border repaints in %.1f s\n",
              squeeze.held(),
              perState * static_cast<int>(std::size(kSteps)),
              perState / 10 * static_cast<int>(std::size(kSteps)), seconds);

  EXPECT_TRUE(freshObjectsCanBeCreated()) << "GDI refuses new objects: the paints leaked";
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                scheme3::kFaceNormal)));
  EXPECT_TRUE(shows(edit, editBorderChecks(windowSize(edit), scheme3::kEditBorder,
                                           GetSysColor(COLOR_WINDOW)),
                    true));
  EXPECT_EQ(VisualStyle::select(0), 1);
}

}  // namespace
