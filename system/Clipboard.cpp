#include "system/Clipboard.h"

#include <cstring>

namespace {

const ClipboardCalls kRealCalls = {
    &::GlobalAlloc,    &::GlobalFree,       &::OpenClipboard,
    &::EmptyClipboard, &::SetClipboardData, &::CloseClipboard,
};

const ClipboardCalls* activeCalls = &kRealCalls;

constexpr UINT kTextMemoryFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;
static_assert(kTextMemoryFlags == 0x42, "movable, zero-filled memory for the clipboard");

// Global memory that is freed unless it was handed over to the clipboard.
class GlobalMemory {
 public:
  GlobalMemory(const ClipboardCalls& calls, SIZE_T size)
      : calls_(calls), handle_(calls.globalAlloc(kTextMemoryFlags, size)) {}
  ~GlobalMemory() {
    if (handle_) calls_.globalFree(handle_);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;

  HGLOBAL get() const { return handle_; }
  // The clipboard owns the memory from now on.
  void handedOver() { handle_ = nullptr; }

 private:
  const ClipboardCalls& calls_;
  HGLOBAL handle_;
};

bool copyInto(HGLOBAL memory, const char* bytes, SIZE_T size) {
  void* target = GlobalLock(memory);
  if (!target) return false;
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  return true;
}

}  // namespace

const ClipboardCalls& realClipboardCalls() { return kRealCalls; }
const ClipboardCalls& activeClipboardCalls() { return *activeCalls; }

ScopedClipboardCalls::ScopedClipboardCalls(const ClipboardCalls& replacement)
    : previous_(activeCalls) {
  activeCalls = &replacement;
}

ScopedClipboardCalls::~ScopedClipboardCalls() { activeCalls = previous_; }

bool Clipboard::setText(const char* text) {
  const ClipboardCalls& calls = *activeCalls;
  const char* source = text ? text : "";
  const SIZE_T size = std::strlen(source) + 1;  // with the terminating zero byte

  // The text is ready in memory before the clipboard is opened and emptied, so that a failed
  // allocation leaves what the user had copied untouched.
  GlobalMemory memory(calls, size);
  if (!memory.get() || !copyInto(memory.get(), source, size)) return false;

  if (!calls.openClipboard(nullptr)) return false;
  calls.emptyClipboard();
  // Memory the clipboard refused is still ours and is freed; the caller learns the text is not
  // there.
  const bool placed = calls.setClipboardData(CF_TEXT, memory.get()) != nullptr;
  if (placed) memory.handedOver();
  calls.closeClipboard();
  return placed;
}
