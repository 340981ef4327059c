#!/usr/bin/env bash
# Builds and runs every test: the portable core natively (sanitizers on, plus a bounded fuzz
# run), then everything for Windows under Wine. Installs what is missing first (as root).
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/setup.sh || exit 1

mkdir -p build
status=0
step() { echo; echo "=== $*"; }

step "native build: portable core with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >build/native.log 2>&1 \
  && cmake --build build/native -j"$jobs" >>build/native.log 2>&1 \
  || { cat build/native.log; exit 1; }
ctest --test-dir build/native --output-on-failure || status=1

step "win32 build (i686, the product)"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >build/win32.log 2>&1 \
  && cmake --build build/win32 -j"$jobs" >>build/win32.log 2>&1 \
  || { cat build/win32.log; exit 1; }

# The Windows tests run in one Wine session: one Xvfb, one wineserver kept alive between the
# test programs, both shut down at the end.
wine_session() {
  local build=$1 rc
  export WINEPREFIX=$root/$build/wineprefix DUSKLOCK_WINE_SESSION=1
  # Whatever happens (a failure, Ctrl+C), nothing of the session is left running.
  trap end_wine_session EXIT
  if [ -z "${DISPLAY:-}" ]; then dusklock_start_xvfb || return 1; fi
  dusklock_ensure_prefix || return 1
  ctest --test-dir "$build" --output-on-failure
  rc=$?
  end_wine_session
  trap - EXIT
  return $rc
}

end_wine_session() {
  if [ -n "${WINEPREFIX:-}" ]; then
    /usr/bin/wineserver -k >/dev/null 2>&1
    /usr/bin/wineserver -w >/dev/null 2>&1
  fi
  dusklock_stop_xvfb
  unset WINEPREFIX DUSKLOCK_WINE_SESSION
}

if dusklock_can_run_32bit; then
  step "win32 tests under Wine"
  wine_session build/win32 || status=1
else
  step "win64 build: this kernel cannot run 32-bit code, so the tests run on the 64-bit build of the same sources"
  cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >build/win64.log 2>&1 \
    && cmake --build build/win64 -j"$jobs" >>build/win64.log 2>&1 \
    || { cat build/win64.log; exit 1; }
  step "win64 tests under Wine"
  wine_session build/win64 || status=1
fi

exit $status
