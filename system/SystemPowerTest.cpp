// SystemPower against a recording table of the operating-system calls: which calls are made,
// in which order and with which arguments, for each action, force and platform.
#include "system/SystemPower.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// What the fake system answers, and the calls it saw, as one line of text.
struct FakeSystem {
  DWORD platformId = VER_PLATFORM_WIN32_NT;
  BOOL openTokenSucceeds = TRUE;
  BOOL lookupSucceeds = TRUE;
  DWORD errorAfterAdjust = ERROR_SUCCESS;
  BOOL systemCallResult = TRUE;
  std::string trace;
};

FakeSystem fake;  // the fake calls below are plain functions, so they reach it here

HANDLE const kFakeToken = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x5A4));
const LUID kFakeLuid = {19, 0};

void record(const std::string& call) {
  if (!fake.trace.empty()) fake.trace += ' ';
  fake.trace += call;
}

BOOL WINAPI fakeGetVersionEx(LPOSVERSIONINFOA info) {
  OSVERSIONINFOA zeroed = {};
  zeroed.dwOSVersionInfoSize = info->dwOSVersionInfoSize;
  const bool zeroFilled = std::memcmp(&zeroed, info, sizeof zeroed) == 0;
  record("version(" + std::to_string(info->dwOSVersionInfoSize) + (zeroFilled ? ")" : ",dirty)"));
  info->dwMajorVersion = 6;
  info->dwPlatformId = fake.platformId;
  return TRUE;
}

BOOL WINAPI fakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  char text[32];
  wsprintfA(text, "open(%s,0x%X)", process == GetCurrentProcess() ? "self" : "other", access);
  record(text);
  if (!fake.openTokenSucceeds) return FALSE;
  *token = kFakeToken;
  return TRUE;
}

BOOL WINAPI fakeLookupPrivilegeValue(LPCSTR system, LPCSTR name, PLUID luid) {
  record(std::string("lookup(") + (system ? system : "local") + "," + name + ")");
  if (!fake.lookupSucceeds) return FALSE;
  *luid = kFakeLuid;
  return TRUE;
}

BOOL WINAPI fakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD length, PTOKEN_PRIVILEGES previous, PDWORD returned) {
  const bool asExpected = token == kFakeToken && !disableAll && state &&
                          state->PrivilegeCount == 1 &&
                          state->Privileges[0].Luid.LowPart == kFakeLuid.LowPart &&
                          state->Privileges[0].Luid.HighPart == kFakeLuid.HighPart &&
                          state->Privileges[0].Attributes == SE_PRIVILEGE_ENABLED && length == 0 &&
                          !previous && !returned;
  record(asExpected ? "adjust" : "adjust(unexpected arguments)");
  return TRUE;  // like Windows, even when the privilege is not held
}

DWORD WINAPI fakeGetLastError() {
  record("lasterror");
  return fake.errorAfterAdjust;
}

BOOL WINAPI fakeCloseHandle(HANDLE handle) {
  record(handle == kFakeToken ? "close(token)" : "close(other)");
  return TRUE;
}

BOOL WINAPI fakeExitWindowsEx(UINT flags, DWORD reason) {
  record("exit(" + std::to_string(flags) + "," + std::to_string(reason) + ")");
  return fake.systemCallResult;
}

BOOL WINAPI fakeSetSystemPowerState(BOOL suspend, BOOL force) {
  record("power(" + std::to_string(suspend) + "," + std::to_string(force) + ")");
  return fake.systemCallResult;
}

const SystemPowerCalls kRecordingCalls = {
    &fakeOpenProcessToken, &fakeLookupPrivilegeValue, &fakeAdjustTokenPrivileges,
    &fakeGetLastError,     &fakeGetVersionEx,         &fakeExitWindowsEx,
    &fakeSetSystemPowerState, &fakeCloseHandle,
};

// The privilege step as it runs on the NT family when everything succeeds.
#define PRIVILEGE_STEP \
  "version(148) open(self,0x28) lookup(local,SeShutdownPrivilege) adjust lasterror close(token)"

struct Case {
  const char* name;
  int32_t action;
  std::optional<bool> force;
  DWORD platformId;
  BOOL openTokenSucceeds;
  BOOL lookupSucceeds;
  DWORD errorAfterAdjust;
  BOOL systemCallResult;
  bool expected;
  const char* trace;
};

constexpr DWORD kNt = VER_PLATFORM_WIN32_NT;
constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kOk = ERROR_SUCCESS;
constexpr std::optional<bool> kOmitted;

const Case kCases[] = {
    {"action 0 is refused untouched", 0, true, kNt, TRUE, TRUE, kOk, TRUE, false, ""},
    {"negative action is refused untouched", -1, true, kNt, TRUE, TRUE, kOk, TRUE, false, ""},
    {"action 6 is refused untouched", 6, true, kNt, TRUE, TRUE, kOk, TRUE, false, ""},
    {"power-off forced on NT", 1, true, kNt, TRUE, TRUE, kOk, TRUE, true,
     PRIVILEGE_STEP " version(148) exit(12,0)"},
    {"power-off with force omitted", 1, kOmitted, kNt, TRUE, TRUE, kOk, TRUE, true,
     PRIVILEGE_STEP " version(148) exit(8,0)"},
    {"power-off with force false", 1, false, kNt, TRUE, TRUE, kOk, TRUE, true,
     PRIVILEGE_STEP " version(148) exit(8,0)"},
    {"power-off forced on 9x opens no token", 1, true, k9x, TRUE, TRUE, kOk, TRUE, true,
     "version(148) version(148) exit(5,0)"},
    {"power-off on 9x without force", 1, kOmitted, k9x, TRUE, TRUE, kOk, TRUE, true,
     "version(148) version(148) exit(1,0)"},
    {"reboot forced", 2, true, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " exit(6,0)"},
    {"reboot", 2, kOmitted, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " exit(2,0)"},
    {"log-off forced", 3, true, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " exit(4,0)"},
    {"log-off", 3, kOmitted, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " exit(0,0)"},
    {"suspend forced", 4, true, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " power(1,1)"},
    {"suspend", 4, kOmitted, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " power(1,0)"},
    {"hibernate forced", 5, true, kNt, TRUE, TRUE, kOk, TRUE, true, PRIVILEGE_STEP " power(0,1)"},
    {"hibernate on 9x", 5, false, k9x, TRUE, TRUE, kOk, TRUE, true, "version(148) power(0,0)"},
    {"privilege not held: no request", 1, true, kNt, TRUE, TRUE, ERROR_NOT_ALL_ASSIGNED, TRUE,
     false, PRIVILEGE_STEP},
    {"privilege not held: no suspend", 4, true, kNt, TRUE, TRUE, ERROR_NOT_ALL_ASSIGNED, TRUE,
     false, PRIVILEGE_STEP},
    {"token cannot be opened", 1, true, kNt, FALSE, TRUE, kOk, TRUE, false,
     "version(148) open(self,0x28)"},
    {"unknown privilege name", 1, true, kNt, TRUE, FALSE, kOk, TRUE, false,
     "version(148) open(self,0x28) lookup(local,SeShutdownPrivilege) close(token)"},
    {"ExitWindowsEx refuses", 1, true, kNt, TRUE, TRUE, kOk, FALSE, false,
     PRIVILEGE_STEP " version(148) exit(12,0)"},
    {"SetSystemPowerState refuses", 5, kOmitted, kNt, TRUE, TRUE, kOk, FALSE, false,
     PRIVILEGE_STEP " power(0,0)"},
};

void configure(const Case& c) {
  fake = FakeSystem{};
  fake.platformId = c.platformId;
  fake.openTokenSucceeds = c.openTokenSucceeds;
  fake.lookupSucceeds = c.lookupSucceeds;
  fake.errorAfterAdjust = c.errorAfterAdjust;
  fake.systemCallResult = c.systemCallResult;
}

TEST(SystemPower, EachCaseMakesExactlyTheExpectedCalls) {
  ScopedSystemPowerCalls recording(kRecordingCalls);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    configure(c);
    const bool result = c.force.has_value() ? SystemPower::perform(c.action, *c.force)
                                            : SystemPower::perform(c.action);
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(fake.trace, c.trace);
  }
}

TEST(SystemPower, EveryCallWithoutThePrivilegeFailsTheSameWay) {
  ScopedSystemPowerCalls recording(kRecordingCalls);
  for (int attempt = 0; attempt < 3; ++attempt) {
    SCOPED_TRACE(attempt);
    fake = FakeSystem{};
    fake.errorAfterAdjust = ERROR_NOT_ALL_ASSIGNED;
    EXPECT_FALSE(SystemPower::perform(static_cast<int32_t>(PowerAction::PowerOff), true));
    EXPECT_EQ(fake.trace, PRIVILEGE_STEP);
  }
}

TEST(SystemPower, PrivilegeStepOnItsOwn) {
  ScopedSystemPowerCalls recording(kRecordingCalls);
  fake = FakeSystem{};
  EXPECT_TRUE(SystemPower::enableShutdownPrivilege());
  EXPECT_EQ(fake.trace, PRIVILEGE_STEP);

  fake = FakeSystem{};
  fake.platformId = k9x;
  EXPECT_TRUE(SystemPower::enableShutdownPrivilege()) << "9x has no privileges to enable";
  EXPECT_EQ(fake.trace, "version(148)");

  fake = FakeSystem{};
  fake.errorAfterAdjust = ERROR_NOT_ALL_ASSIGNED;
  EXPECT_FALSE(SystemPower::enableShutdownPrivilege());
}

TEST(SystemPower, ScopedTablesNestAndRestoreTheRealOne) {
  ASSERT_EQ(&activeSystemPowerCalls(), &realSystemPowerCalls());
  {
    ScopedSystemPowerCalls outer(kRecordingCalls);
    const SystemPowerCalls other = kRecordingCalls;
    {
      ScopedSystemPowerCalls inner(other);
      EXPECT_EQ(&activeSystemPowerCalls(), &other);
    }
    EXPECT_EQ(&activeSystemPowerCalls(), &kRecordingCalls);
  }
  EXPECT_EQ(&activeSystemPowerCalls(), &realSystemPowerCalls());
}

// The real privilege step only changes this test process's own token.
TEST(SystemPower, RealPrivilegeStepSucceedsUnderWine) {
  EXPECT_TRUE(SystemPower::enableShutdownPrivilege());
}

}  // namespace
