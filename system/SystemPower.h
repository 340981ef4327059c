#pragma once
// Asks Windows to end the user's work on the machine: power off, restart, log off, suspend or
// hibernate. Keeps no state; every call repeats the privilege step and the version query.
#include <windows.h>

#include <cstdint>
#include <optional>

enum class PowerAction : int32_t { PowerOff = 1, Reboot = 2, LogOff = 3, Suspend = 4, Hibernate = 5 };

struct SystemPower {
  // Requests the action; true when Windows accepted it. An action outside 1..5 is refused
  // before anything else happens. An omitted force counts as false.
  static bool perform(int32_t action, std::optional<bool> force = {});
  // Enables SeShutdownPrivilege in this process's token; true when it is enabled, or when the
  // platform (the Windows 95/98/Me family) has no privileges at all.
  static bool enableShutdownPrivilege();
};

// The operating-system calls SystemPower makes. The product always uses the real functions;
// a test puts a recording table in place with ScopedSystemPowerCalls, since these calls would
// change the process token or end the session.
struct SystemPowerCalls {
  decltype(&::OpenProcessToken) openProcessToken;
  decltype(&::LookupPrivilegeValueA) lookupPrivilegeValue;
  decltype(&::AdjustTokenPrivileges) adjustTokenPrivileges;
  decltype(&::GetLastError) getLastError;
  decltype(&::GetVersionExA) getVersionEx;
  decltype(&::ExitWindowsEx) exitWindowsEx;
  decltype(&::SetSystemPowerState) setSystemPowerState;
  decltype(&::CloseHandle) closeHandle;
};

// The table of the real Windows functions.
const SystemPowerCalls& realSystemPowerCalls();
// The table SystemPower uses now.
const SystemPowerCalls& activeSystemPowerCalls();

// Puts a replacement table in place for its lifetime and restores the previous one after.
// The replacement must outlive this object.
class ScopedSystemPowerCalls {
 public:
  explicit ScopedSystemPowerCalls(const SystemPowerCalls& replacement);
  ~ScopedSystemPowerCalls();
  ScopedSystemPowerCalls(const ScopedSystemPowerCalls&) = delete;
  ScopedSystemPowerCalls& operator=(const ScopedSystemPowerCalls&) = delete;

 private:
  const SystemPowerCalls* previous_;
};
