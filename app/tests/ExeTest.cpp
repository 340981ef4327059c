// Dusklock.exe itself: a GUI-subsystem program carrying its icon, manifest and version
// resources, started as its own process, showing its main window and ending with 0 when the
// window is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/tests/FrameTestSupport.h"
#include "schedule/Texts.h"

namespace {

// Resources read from the program file without running it.
class ProgramFile {
 public:
  ProgramFile() : module_(LoadLibraryExA(DUSKLOCK_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ProgramFile(const ProgramFile&) = delete;
  ProgramFile& operator=(const ProgramFile&) = delete;
  ~ProgramFile() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

  std::string resource(LPCSTR type, LPCSTR name) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    auto data = static_cast<const char*>(LockResource(loaded));
    return data ? std::string(data, SizeofResource(module_, found)) : std::string();
  }

 private:
  HMODULE module_;
};

TEST(DusklockExe, IsAGuiProgram) {
  HANDLE file = CreateFileA(DUSKLOCK_EXE_PATH, GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char headers[4096] = {};
  DWORD read = 0;
  ReadFile(file, headers, sizeof headers, &read, nullptr);
  CloseHandle(file);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(headers);
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(headers + dos->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI) << "no console window";
}

TEST(DusklockExe, CarriesItsIconManifestAndVersion) {
  ProgramFile program;
  ASSERT_NE(program.get(), nullptr);

  std::string group = program.resource(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
  ASSERT_GE(group.size(), 6u + 2 * 14u);
  auto bytes = reinterpret_cast<const unsigned char*>(group.data());
  EXPECT_EQ(bytes[4] | bytes[5] << 8, 2) << "two images";
  const int widths[] = {128, 48};
  for (int i = 0; i < 2; ++i) {
    const unsigned char* entry = bytes + 6 + 14 * i;
    EXPECT_EQ(entry[0], widths[i]);
    EXPECT_EQ(entry[6] | entry[7] << 8, 32);
  }

  std::string manifest = program.resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);

  std::string version = program.resource(RT_VERSION, MAKEINTRESOURCEA(1));
  ASSERT_GT(version.size(), sizeof(VS_FIXEDFILEINFO));
  // The fixed part follows the "VS_VERSION_INFO" key.
  EXPECT_NE(version.find(std::string("\xBD\x04\xEF\xFE", 4)), std::string::npos)
      << "VS_FIXEDFILEINFO signature";
}

struct ProcessWindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK matchProcessWindow(HWND window, LPARAM parameter) {
  auto search = reinterpret_cast<ProcessWindowSearch*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char title[128] = {};
  GetWindowTextA(window, title, sizeof title);
  if (process == search->process && IsWindowVisible(window) &&
      std::string(title) == texts::kMainWindowTitle) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

TEST(DusklockExe, ShowsItsMainWindowAndEndsWithZeroWhenItIsClosed) {
  std::string command = std::string("\"") + DUSKLOCK_EXE_PATH + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  ProcessWindowSearch search{process.dwProcessId, nullptr};
  bool shown = waitFor([&] {
    EnumWindows(&matchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, nullptr, 20000);
  if (shown) {
    RECT rect;
    GetWindowRect(search.found, &rect);
    EXPECT_EQ(rect.right - rect.left, 246);
    EXPECT_EQ(rect.bottom - rect.top, 97);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 246) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 97) / 2);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
  }
  DWORD exitCode = 0xBAD;
  if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &exitCode);
  } else {
    TerminateProcess(process.hProcess, 0xBAD);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(shown) << "the main window did not appear";
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
