// Clipboard::setText with the real clipboard under Wine, read back; the allocation and the
// hand-over go through a recording table that wraps the real functions and tracks every block
// of memory until it is freed or owned by the clipboard.
#include "system/Clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "schedule/Texts.h"

namespace {

using Bytes = std::vector<char>;

Bytes bytesOf(const char* text) { return Bytes(text, text + std::strlen(text) + 1); }

// ---- Reading and writing the clipboard from the test -----------------------------------------

// Opens the clipboard for this thread, retrying for a bounded time in case another program of
// the Wine session holds it for a moment.
class OpenedClipboard {
 public:
  OpenedClipboard() {
    for (int waited = 0; waited < 5000 && !open_; waited += 10) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool isOpen() const { return open_; }

 private:
  bool open_ = false;
};

// The exact bytes of one format (all of its global memory); empty when it is not there.
Bytes readFormat(UINT format) {
  OpenedClipboard clipboard;
  if (!clipboard.isOpen()) return {};
  HANDLE data = GetClipboardData(format);  // not owned: the clipboard keeps it
  if (!data) return {};
  const SIZE_T size = GlobalSize(data);
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return {};
  Bytes copy(bytes, bytes + size);
  GlobalUnlock(data);
  return copy;
}

std::vector<UINT> formatsOnClipboard() {
  OpenedClipboard clipboard;
  std::vector<UINT> formats;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    formats.push_back(format);
  }
  return formats;
}

bool has(const std::vector<UINT>& formats, UINT format) {
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

UINT privateFormat() { return RegisterClipboardFormatA("Dusklock.Test.Private"); }

const wchar_t kOldUnicode[] = L"older text";
const char kOldPrivate[] = "private bytes";

Bytes wideBytes(const wchar_t* text) {
  const char* bytes = reinterpret_cast<const char*>(text);
  return Bytes(bytes, bytes + (wcslen(text) + 1) * sizeof(wchar_t));
}

HGLOBAL globalCopy(const void* bytes, SIZE_T size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// Fills the clipboard with what another program might have left: a Unicode text and a format
// of its own.
void putOlderContents() {
  OpenedClipboard clipboard;
  ASSERT_TRUE(clipboard.isOpen());
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, globalCopy(kOldUnicode, sizeof kOldUnicode)));
  ASSERT_TRUE(SetClipboardData(privateFormat(), globalCopy(kOldPrivate, sizeof kOldPrivate)));
}

void expectOlderContents() {
  const std::vector<UINT> formats = formatsOnClipboard();
  EXPECT_TRUE(has(formats, privateFormat())) << "the older private format is gone";
  EXPECT_EQ(readFormat(privateFormat()), Bytes(kOldPrivate, kOldPrivate + sizeof kOldPrivate));
  EXPECT_EQ(readFormat(CF_UNICODETEXT), wideBytes(kOldUnicode));
}

// Holds the clipboard open from a window of a second thread, like another program would.
class ClipboardHolder {
 public:
  ClipboardHolder()
      : held_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        thread_([this] { hold(); }) {
    holding_ = WaitForSingleObject(held_, 10000) == WAIT_OBJECT_0 && opened_;
  }
  ~ClipboardHolder() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(held_);
    CloseHandle(release_);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool isHolding() const { return holding_; }

 private:
  void hold() {
    HWND window = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    opened_ = window && OpenClipboard(window);
    SetEvent(held_);
    WaitForSingleObject(release_, 30000);
    if (opened_) CloseClipboard();
    if (window) DestroyWindow(window);
  }

  HANDLE held_;
  HANDLE release_;
  bool opened_ = false;
  bool holding_ = false;
  std::thread thread_;
};

// Whether a window of another thread can open the clipboard now: false while someone else
// keeps it open.
bool openableFromAnotherThread() {
  bool opened = false;
  std::thread other([&opened] {
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    opened = window && OpenClipboard(window);
    if (opened) CloseClipboard();
    if (window) DestroyWindow(window);
  });
  other.join();
  return opened;
}

// ---- The recording table --------------------------------------------------------------------

struct MemoryRecord {
  bool failAllocation = false;
  bool refuseHandOver = false;
  int allocations = 0;
  UINT allocationFlags = 0;
  SIZE_T allocationSize = 0;
  int opens = 0;
  std::set<HGLOBAL> unreleased;  // allocated, neither freed nor owned by the clipboard
};

MemoryRecord memory;  // reached by the plain functions below

HGLOBAL WINAPI recordingGlobalAlloc(UINT flags, SIZE_T size) {
  ++memory.allocations;
  memory.allocationFlags = flags;
  memory.allocationSize = size;
  if (memory.failAllocation) return nullptr;
  HGLOBAL block = GlobalAlloc(flags, size);
  if (block) memory.unreleased.insert(block);
  return block;
}

HGLOBAL WINAPI recordingGlobalFree(HGLOBAL block) {
  memory.unreleased.erase(block);
  return GlobalFree(block);
}

BOOL WINAPI recordingOpenClipboard(HWND owner) {
  ++memory.opens;
  return OpenClipboard(owner);
}

HANDLE WINAPI recordingSetClipboardData(UINT format, HANDLE data) {
  if (memory.refuseHandOver) return nullptr;
  HANDLE placed = SetClipboardData(format, data);
  if (placed) memory.unreleased.erase(data);
  return placed;
}

ClipboardCalls recordingCalls() {
  ClipboardCalls calls = realClipboardCalls();
  calls.globalAlloc = &recordingGlobalAlloc;
  calls.globalFree = &recordingGlobalFree;
  calls.openClipboard = &recordingOpenClipboard;
  calls.setClipboardData = &recordingSetClipboardData;
  return calls;
}

// ---- Tests ----------------------------------------------------------------------------------

TEST(Clipboard, PlacesTheTextAloneWithItsZeroByte) {
  putOlderContents();
  const ClipboardCalls calls = recordingCalls();
  ScopedClipboardCalls recording(calls);
  memory = MemoryRecord{};

  ASSERT_TRUE(Clipboard::setText(texts::kClipboardText));

  EXPECT_EQ(readFormat(CF_TEXT), bytesOf(texts::kClipboardText));
  EXPECT_EQ(memory.allocationFlags, static_cast<UINT>(GMEM_MOVEABLE | GMEM_ZEROINIT));
  EXPECT_EQ(memory.allocations, 1);
  EXPECT_TRUE(memory.unreleased.empty()) << "the clipboard does not own the text's memory";

  // Only CF_TEXT was placed; Windows may offer forms it derives from it, nothing older remains.
  const std::vector<UINT> formats = formatsOnClipboard();
  EXPECT_TRUE(has(formats, CF_TEXT));
  for (UINT format : formats) {
    EXPECT_TRUE(format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT ||
                format == CF_LOCALE)
        << "unexpected format " << format;
  }
  if (has(formats, CF_UNICODETEXT)) {
    wchar_t wide[64] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, texts::kClipboardText, -1, wide, 64), 0);
    EXPECT_EQ(readFormat(CF_UNICODETEXT), wideBytes(wide)) << "Unicode form not derived from ours";
  }
  if (has(formats, CF_OEMTEXT)) {
    char oem[64] = {};
    ASSERT_TRUE(CharToOemA(texts::kClipboardText, oem));
    const Bytes derived = readFormat(CF_OEMTEXT);
    EXPECT_STREQ(derived.data(), oem) << "OEM form not derived from ours";
  }
}

TEST(Clipboard, EmptyOrAbsentTextIsASingleZeroByte) {
  for (const char* text : {"", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(text ? "empty text" : "nullptr");
    putOlderContents();
    ASSERT_TRUE(Clipboard::setText(text));
    EXPECT_EQ(readFormat(CF_TEXT), Bytes(1, '\0'));
    EXPECT_FALSE(has(formatsOnClipboard(), privateFormat()));
  }
}

TEST(Clipboard, LeavesTheClipboardClosedForOthers) {
  ASSERT_TRUE(Clipboard::setText("x"));
  EXPECT_TRUE(openableFromAnotherThread());
}

TEST(Clipboard, HeldOpenElsewhereFailsKeepsTheOldContentsAndFreesTheMemory) {
  putOlderContents();
  const ClipboardCalls calls = recordingCalls();
  ScopedClipboardCalls recording(calls);
  memory = MemoryRecord{};
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.isHolding()) << "the second thread could not open the clipboard";
    EXPECT_FALSE(Clipboard::setText(texts::kClipboardText));
  }
  EXPECT_EQ(memory.opens, 1);
  EXPECT_TRUE(memory.unreleased.empty()) << "memory leaked when the clipboard was busy";
  expectOlderContents();
}

TEST(Clipboard, FailedAllocationLeavesTheClipboardUntouched) {
  putOlderContents();
  const ClipboardCalls calls = recordingCalls();
  ScopedClipboardCalls recording(calls);
  memory = MemoryRecord{};
  memory.failAllocation = true;

  EXPECT_FALSE(Clipboard::setText(texts::kClipboardText));
  EXPECT_EQ(memory.allocationSize, std::strlen(texts::kClipboardText) + 1);
  EXPECT_EQ(memory.opens, 0) << "the clipboard was opened although there was nothing to put";
  expectOlderContents();
  EXPECT_TRUE(openableFromAnotherThread());
}

TEST(Clipboard, MemoryTheClipboardRefusesIsFreed) {
  putOlderContents();
  const ClipboardCalls calls = recordingCalls();
  ScopedClipboardCalls recording(calls);
  memory = MemoryRecord{};
  memory.refuseHandOver = true;

  // The text is not on the clipboard, and the call says so.
  EXPECT_FALSE(Clipboard::setText(texts::kClipboardText));
  EXPECT_EQ(memory.allocations, 1);
  EXPECT_TRUE(memory.unreleased.empty()) << "refused memory leaked";
  EXPECT_TRUE(formatsOnClipboard().empty());
  EXPECT_TRUE(openableFromAnotherThread());
}

TEST(Clipboard, ScopedCallsRestoreTheRealOnes) {
  const ClipboardCalls calls = recordingCalls();
  {
    ScopedClipboardCalls recording(calls);
    EXPECT_EQ(&activeClipboardCalls(), &calls);
  }
  EXPECT_EQ(&activeClipboardCalls(), &realClipboardCalls());
}

}  // namespace
