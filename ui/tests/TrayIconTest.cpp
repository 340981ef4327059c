// The tray icon against the real notification area of Wine's virtual desktop, its shell calls
// recorded on the way: add, modify in place, delete once; the notification data; icons made
// from icon-file bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "schedule/Texts.h"
#include "ui/IconFile.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayIcon.h"
#include "ui/tests/ShellRecorder.h"

namespace {

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the 32-bit program sends the 88-byte layout");
#endif

// A plain window to own the tray icon.
class OwnerWindow {
 public:
  OwnerWindow()
      : window_(CreateWindowExA(0, "STATIC", "tray owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  ~OwnerWindow() {
    TrayIcon::remove(window_);
    DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

bool iconIsAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return true;
}

int iconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return -1;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

std::vector<unsigned char> programIcon() {
  return std::vector<unsigned char>(kProgramIcon.data, kProgramIcon.data + kProgramIcon.size);
}

TEST(TrayIcon, SetAddsThenModifiesInPlaceAndRemoveDeletesOnce) {
  ShellRecorder shell;
  OwnerWindow owner;
  TrayIcon::set(owner.get(), kProgramIcon.data, kProgramIcon.size, texts::kTrayTip);
  ASSERT_EQ(shell.calls.size(), 1u);
  const ShellCall& add = shell.calls[0];
  EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(add.result) << "the virtual desktop's notification area took the icon";
  EXPECT_EQ(add.data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(add.data.hWnd, owner.get());
  EXPECT_EQ(add.data.uID, 100u);
  EXPECT_EQ(add.data.uFlags, 7u);
  EXPECT_EQ(add.data.uCallbackMessage, 0x8064u);
  EXPECT_STREQ(add.data.szTip, "Dusklock");
  HICON first = TrayIcon::current(owner.get());
  EXPECT_EQ(add.data.hIcon, first);
  EXPECT_EQ(iconWidth(first), 48) << "the tray shows the file's last (48x48) image";

  TrayIcon::set(owner.get(), kProgramIcon.data, kProgramIcon.size, "second tip");
  ASSERT_EQ(shell.calls.size(), 2u);
  const ShellCall& modify = shell.calls[1];
  EXPECT_EQ(modify.message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_TRUE(modify.result);
  EXPECT_EQ(modify.data.uFlags, 7u);
  EXPECT_STREQ(modify.data.szTip, "second tip");
  HICON second = TrayIcon::current(owner.get());
  EXPECT_NE(second, first);
  EXPECT_EQ(modify.data.hIcon, second);
  EXPECT_FALSE(iconIsAlive(first)) << "the replaced icon handle was destroyed";

  TrayIcon::remove(owner.get());
  ASSERT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(shell.calls[2].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shell.calls[2].data.uFlags, 0u);
  EXPECT_EQ(shell.calls[2].data.uID, 100u);
  EXPECT_TRUE(shell.calls[2].result);
  EXPECT_EQ(TrayIcon::current(owner.get()), nullptr);
  EXPECT_FALSE(iconIsAlive(second));

  TrayIcon::remove(owner.get());
  EXPECT_EQ(shell.calls.size(), 3u) << "remove without an icon does nothing";
}

TEST(TrayIcon, TipIsCutTo62Bytes) {
  struct Case {
    const char* tip;
    std::string expected;
  };
  const std::string seventy(70, 'x');
  const Case cases[] = {
      {seventy.c_str(), std::string(62, 'x')},
      {nullptr, ""},
      {"", ""},
      {texts::kMainWindowTitle, texts::kMainWindowTitle},
  };
  for (const Case& c : cases) {
    ShellRecorder shell;
    OwnerWindow owner;
    TrayIcon::set(owner.get(), kProgramIcon.data, kProgramIcon.size, c.tip);
    ASSERT_EQ(shell.calls.size(), 1u);
    const NOTIFYICONDATAA& data = shell.calls[0].data;
    EXPECT_EQ(std::string(data.szTip), c.expected);
    EXPECT_EQ(data.szTip[62], '\0');
    EXPECT_EQ(data.szTip[63], '\0');
  }
}

TEST(TrayIcon, BytesGivingNoIconRemoveAnExistingIconAndAddNone) {
  ShellRecorder shell;
  OwnerWindow owner;
  const unsigned char garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
  TrayIcon::set(owner.get(), garbage, sizeof garbage, "tip");
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(TrayIcon::current(owner.get()), nullptr);

  TrayIcon::set(owner.get(), kProgramIcon.data, kProgramIcon.size, "tip");
  TrayIcon::set(owner.get(), garbage, sizeof garbage, "tip");
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(TrayIcon::current(owner.get()), nullptr);
}

TEST(TrayCodes, OnlyButtonUpsDoubleClickAndContextMenuMakeCodes) {
  struct Case {
    LPARAM message;
    int code;  // 0: none
  };
  const Case cases[] = {
      {WM_LBUTTONUP, 1},   {WM_LBUTTONDBLCLK, 2}, {WM_RBUTTONUP, 3},    {WM_CONTEXTMENU, 3},
      {WM_MOUSEMOVE, 0},   {WM_LBUTTONDOWN, 0},   {WM_RBUTTONDOWN, 0},  {WM_RBUTTONDBLCLK, 0},
      {WM_MBUTTONDOWN, 0}, {WM_MBUTTONUP, 0},     {WM_MBUTTONDBLCLK, 0}, {0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::optional<TrayCode> code = trayCodeFor(c.message);
    EXPECT_EQ(code ? static_cast<int>(*code) : 0, c.code);
  }
}

TEST(IconFile, ProgramIconHolds128Then48In32Bits) {
  const unsigned char* bytes = kProgramIcon.data;
  ASSERT_GE(kProgramIcon.size, 6u + 2 * 16u);
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 0);
  EXPECT_EQ(bytes[2] | bytes[3] << 8, 1);
  EXPECT_EQ(bytes[4] | bytes[5] << 8, 2);
  const int widths[] = {128, 48};
  for (int i = 0; i < 2; ++i) {
    const unsigned char* entry = bytes + 6 + 16 * i;
    EXPECT_EQ(entry[0], widths[i]);
    EXPECT_EQ(entry[1], widths[i]);
    EXPECT_EQ(entry[6] | entry[7] << 8, 32) << "bits per pixel";
  }
}

TEST(IconFile, TrayPassesPreferA16PixelEntryThenFallBackToTheLast) {
  // Marked as a 16-pixel entry of 16 colours, the 128x128 image is taken by the first pass.
  std::vector<unsigned char> marked = programIcon();
  marked[6 + 0] = 16;
  marked[6 + 2] = 16;
  HICON icon = trayIconFromIconFile(marked.data(), marked.size());
  EXPECT_EQ(iconWidth(icon), 128);
  DestroyIcon(icon);

  // When that entry's image cannot be read, the second pass falls back to the last entry.
  std::vector<unsigned char> broken = marked;
  broken[6 + 12] = 0xFF;
  broken[6 + 13] = 0xFF;
  broken[6 + 14] = 0xFF;
  icon = trayIconFromIconFile(broken.data(), broken.size());
  EXPECT_EQ(iconWidth(icon), 48);
  DestroyIcon(icon);
}

TEST(IconFile, MalformedFilesGiveNoIcon) {
  std::vector<unsigned char> program = programIcon();
  auto with = [&](size_t offset, unsigned char value) {
    std::vector<unsigned char> copy = program;
    copy[offset] = value;
    return copy;
  };
  const std::vector<std::vector<unsigned char>> cases = {
      {},
      std::vector<unsigned char>(program.begin(), program.begin() + 20),  // cut directory
      with(0, 1),                                                           // reserved not 0
      with(2, 3),                                                           // not icon/cursor
      with(4, 0),                                                           // no images
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(trayIconFromIconFile(cases[i].data(), cases[i].size()), nullptr);
    EXPECT_EQ(windowIconFromIconFile(cases[i].data(), cases[i].size(), 32), nullptr);
  }
}

TEST(IconFile, WindowIconsAreMadeAtTheAskedSize) {
  for (int pixels : {16, 32, 48}) {
    HICON icon = windowIconFromIconFile(kProgramIcon.data, kProgramIcon.size, pixels);
    EXPECT_EQ(iconWidth(icon), pixels);
    DestroyIcon(icon);
  }
}

}  // namespace
