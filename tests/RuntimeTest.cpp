// Guards the test runtime itself: the Windows tests are only worth their green if they really
// ran inside Wine with the ANSI code page 936 (GBK) that the program is written for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Runtime, RunsUnderWine) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  ASSERT_NE(ntdll, nullptr);
  auto getVersion = reinterpret_cast<const char* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
  ASSERT_NE(getVersion, nullptr) << "not running under Wine";
  EXPECT_STRNE(getVersion(), "");
}

TEST(Runtime, AnsiCodePageIsGbk) {
  EXPECT_EQ(GetACP(), 936u);
  // The literal is GBK bytes; the system must read it as the ideograph U+5E74.
  const char year[] = "年";
  ASSERT_STREQ(year, "\xC4\xEA");
  wchar_t wide[4] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, year, -1, wide, 4), 2);
  EXPECT_EQ(wide[0], 0x5E74);
}

TEST(Runtime, HasADisplay) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_GT(GetDeviceCaps(screen, HORZRES), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

}  // namespace
