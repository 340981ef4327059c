#pragma once
// Replaces the contents of the Windows clipboard by one text.
#include <windows.h>

struct Clipboard {
  // Places the text (nullptr counts as "") as the clipboard's only format, CF_TEXT, and drops
  // whatever the clipboard held before. False when it could not be done: the memory could not
  // be allocated, or another window holds the clipboard open (the old contents stay then), or
  // the clipboard refused the text after it had been emptied.
  static bool setText(const char* text);
};

// The calls Clipboard makes where a test needs to step in: an allocation that fails, a
// clipboard that refuses the memory, and counting what was allocated and freed. The product
// always uses the real functions.
struct ClipboardCalls {
  decltype(&::GlobalAlloc) globalAlloc;
  decltype(&::GlobalFree) globalFree;
  decltype(&::OpenClipboard) openClipboard;
  decltype(&::EmptyClipboard) emptyClipboard;
  decltype(&::SetClipboardData) setClipboardData;
  decltype(&::CloseClipboard) closeClipboard;
};

const ClipboardCalls& realClipboardCalls();
const ClipboardCalls& activeClipboardCalls();

// Puts a replacement table in place for its lifetime and restores the previous one after.
// The replacement must outlive this object.
class ScopedClipboardCalls {
 public:
  explicit ScopedClipboardCalls(const ClipboardCalls& replacement);
  ~ScopedClipboardCalls();
  ScopedClipboardCalls(const ScopedClipboardCalls&) = delete;
  ScopedClipboardCalls& operator=(const ScopedClipboardCalls&) = delete;

 private:
  const ClipboardCalls* previous_;
};
