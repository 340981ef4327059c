// Requests the real forced power-off, for the test that watches Wine end the session that runs
// it. It refuses to do anything unless it runs under Wine and is asked explicitly, so started by
// mistake on Windows it can never power a machine off.
//
// Output, one line each, written straight to the standard output so that nothing is lost when
// the process is ended from outside:
//   "under Wine <version>"  then "requesting" before the request;
//   "accepted" or "rejected" after it, if the process is still alive to say so;
//   "survived" if the process was still running after waiting, and exit code 7.
#include "system/SystemPower.h"

#include <cstring>

namespace {

constexpr char kConsentArgument[] = "--power-off-this-wine-session";
constexpr DWORD kSurvivalWaitMs = 30000;
constexpr int kExitRefused = 3;
constexpr int kExitSurvived = 7;

void say(const char* line) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);  // not owned: the process's standard output
  DWORD written = 0;
  WriteFile(out, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(out, "\n", 1, &written, nullptr);
}

// ntdll exports wine_get_version only under Wine.
const char* wineVersion() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // not owned: always loaded
  if (!ntdll) return nullptr;
  using GetVersion = const char*(__cdecl*)();
  auto getVersion =
      reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
  return getVersion ? getVersion() : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const char* version = wineVersion();
  if (!version) {
    say("refused: not running under Wine");
    return kExitRefused;
  }
  if (argc != 2 || std::strcmp(argv[1], kConsentArgument) != 0) {
    say("refused: pass --power-off-this-wine-session to end this Wine session");
    return kExitRefused;
  }
  char line[128];
  wsprintfA(line, "under Wine %.100s", version);
  say(line);
  say("requesting");
  const bool accepted =
      SystemPower::perform(static_cast<int32_t>(PowerAction::PowerOff), true);
  say(accepted ? "accepted" : "rejected");
  // ExitWindowsEx returns at once and the session ends asynchronously; wait for it.
  for (DWORD waited = 0; waited < kSurvivalWaitMs; waited += 100) Sleep(100);
  say("survived");
  return kExitSurvived;
}
