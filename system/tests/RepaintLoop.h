#pragma once
// Leak checking for paints. GetGuiResources cannot count handles under Wine (it always returns
// 0), but Wine's GDI handle table refuses new objects once about 65,000 are alive. So the
// check fills the table up to a known spare, runs more paints than the spare, and then asks
// for fresh objects: if every paint leaked even one object, the table is full and GDI refuses.
#include <windows.h>

#include <vector>

#include "system/tests/StyleTestSupport.h"

namespace style_test {

// Free handle slots left while the loop runs, and paints in the loop: more paints than slots.
constexpr int kSpareHandles = 5000;
constexpr int kRepaints = 12000;

// Holds every GDI handle this process can still get except `spare`; releases them at the end.
class HandleTableSqueeze {
 public:
  explicit HandleTableSqueeze(int spare) {
    constexpr size_t kLimit = 1000000;  // bound, in case a system never refuses
    while (held_.size() < kLimit) {
      const HBRUSH brush = CreateSolidBrush(RGB(1, 2, held_.size() & 0xFF));
      if (!brush) break;
      held_.push_back(brush);
    }
    exhausted_ = held_.size() < kLimit;
    for (int i = 0; i < spare && !held_.empty(); ++i) {
      DeleteObject(held_.back());
      held_.pop_back();
    }
  }
  ~HandleTableSqueeze() {
    for (HBRUSH brush : held_) DeleteObject(brush);
  }
  HandleTableSqueeze(const HandleTableSqueeze&) = delete;
  HandleTableSqueeze& operator=(const HandleTableSqueeze&) = delete;

  // The table did refuse at some point, so a leak will be noticed.
  bool exhausted() const { return exhausted_; }
  size_t held() const { return held_.size(); }

 private:
  std::vector<HBRUSH> held_;
  bool exhausted_ = false;
};

// Repaints the window's client area `count` times, each paint finished before the next starts.
inline void repaintMany(HWND window, int count) {
  for (int i = 0; i < count; ++i) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (i % 1000 == 0) pumpMessages();
  }
}

// True when GDI still hands out `count` new objects at once. (A single one is not enough: the
// window manager's own short-lived objects free a slot now and then even in a full table.)
inline bool freshObjectsCanBeCreated(int count = 100) {
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < count; ++i) {
    const HBRUSH brush = CreateSolidBrush(RGB(3, 2, 1));
    if (!brush) break;
    brushes.push_back(brush);
  }
  const bool all = static_cast<int>(brushes.size()) == count;
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return all;
}

}  // namespace style_test
