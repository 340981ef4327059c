#include "system/SystemPower.h"

namespace {

const SystemPowerCalls kRealCalls = {
    &::OpenProcessToken, &::LookupPrivilegeValueA, &::AdjustTokenPrivileges, &::GetLastError,
    &::GetVersionExA,    &::ExitWindowsEx,         &::SetSystemPowerState,   &::CloseHandle,
};

const SystemPowerCalls* activeCalls = &kRealCalls;

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

static_assert(kTokenAccess == 0x28, "token access for adjusting privileges");
static_assert(EWX_POWEROFF == 8 && EWX_SHUTDOWN == 1 && EWX_REBOOT == 2 && EWX_LOGOFF == 0 &&
                  EWX_FORCE == 4,
              "ExitWindowsEx flags");

// The NT family has privileges and EWX_POWEROFF; everything else is treated as the
// Windows 95/98/Me family.
bool isNtFamily(const SystemPowerCalls& calls) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!calls.getVersionEx(&version)) return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Closes the token when the privilege step ends, whichever way it ends.
class TokenHandle {
 public:
  TokenHandle(const SystemPowerCalls& calls, HANDLE handle) : calls_(calls), handle_(handle) {}
  ~TokenHandle() { calls_.closeHandle(handle_); }
  TokenHandle(const TokenHandle&) = delete;
  TokenHandle& operator=(const TokenHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  const SystemPowerCalls& calls_;
  HANDLE handle_;
};

UINT exitFlagsFor(PowerAction action, const SystemPowerCalls& calls) {
  switch (action) {
    case PowerAction::PowerOff: return isNtFamily(calls) ? EWX_POWEROFF : EWX_SHUTDOWN;
    case PowerAction::Reboot: return EWX_REBOOT;
    default: return EWX_LOGOFF;
  }
}

}  // namespace

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA is given a structure of 148 bytes");

const SystemPowerCalls& realSystemPowerCalls() { return kRealCalls; }
const SystemPowerCalls& activeSystemPowerCalls() { return *activeCalls; }

ScopedSystemPowerCalls::ScopedSystemPowerCalls(const SystemPowerCalls& replacement)
    : previous_(activeCalls) {
  activeCalls = &replacement;
}

ScopedSystemPowerCalls::~ScopedSystemPowerCalls() { activeCalls = previous_; }

bool SystemPower::enableShutdownPrivilege() {
  const SystemPowerCalls& calls = *activeCalls;
  if (!isNtFamily(calls)) return true;

  HANDLE rawToken = nullptr;
  if (!calls.openProcessToken(GetCurrentProcess(), kTokenAccess, &rawToken)) return false;
  TokenHandle token(calls, rawToken);

  // Adjusting with an unknown identifier could not enable anything.
  LUID shutdownPrivilege = {};
  if (!calls.lookupPrivilegeValue(nullptr, kShutdownPrivilege, &shutdownPrivilege)) return false;

  TOKEN_PRIVILEGES enabled = {};
  enabled.PrivilegeCount = 1;
  enabled.Privileges[0].Luid = shutdownPrivilege;
  enabled.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  calls.adjustTokenPrivileges(token.get(), FALSE, &enabled, 0, nullptr, nullptr);
  // AdjustTokenPrivileges reports success even when the account does not hold the privilege;
  // only the error code (ERROR_NOT_ALL_ASSIGNED) tells, so it alone decides.
  return calls.getLastError() == ERROR_SUCCESS;
}

bool SystemPower::perform(int32_t action, std::optional<bool> force) {
  if (action < static_cast<int32_t>(PowerAction::PowerOff) ||
      action > static_cast<int32_t>(PowerAction::Hibernate)) {
    return false;
  }
  if (!enableShutdownPrivilege()) return false;

  const SystemPowerCalls& calls = *activeCalls;
  const bool forced = force.value_or(false);
  const auto powerAction = static_cast<PowerAction>(action);
  if (powerAction == PowerAction::Suspend || powerAction == PowerAction::Hibernate) {
    return calls.setSystemPowerState(powerAction == PowerAction::Suspend, forced) != FALSE;
  }
  UINT flags = exitFlagsFor(powerAction, calls);
  if (forced) flags |= EWX_FORCE;
  return calls.exitWindowsEx(flags, 0) != FALSE;
}
