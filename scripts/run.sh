#!/usr/bin/env bash
# Builds Dusklock.exe and starts it in a Wine virtual desktop.
#   scripts/run.sh [--screenshot FILE] [--seconds N] [--program PATH]
# The 32-bit product is always built (build/win32/app/Dusklock.exe). It is what runs when this
# kernel can run 32-bit code; otherwise the x86_64 build of the same sources (build/win64) runs.
# With a display the program runs until it is closed. Without one it runs on Xvfb: after N
# seconds (default 8) the screen is saved to FILE (default build/run-screenshot.png) and the
# program is ended.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/wine-env.sh

screenshot=$root/build/run-screenshot.png
seconds=8
program=""
while [ $# -gt 0 ]; do
  case $1 in
    --screenshot) screenshot=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    *) echo "usage: $0 [--screenshot FILE] [--seconds N] [--program PATH]" >&2; exit 2 ;;
  esac
done

build() {
  local dir=$1 toolchain=$2
  echo "building $dir/app/Dusklock.exe"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >"$dir.log" 2>&1 \
    && cmake --build "$dir" -j2 --target Dusklock >>"$dir.log" 2>&1 \
    || { cat "$dir.log"; exit 1; }
}

bash scripts/setup.sh || exit 1
mkdir -p build
if [ -z "$program" ]; then
  build build/win32 cmake/mingw-i686.cmake
  if dusklock_can_run_32bit; then
    build_dir=build/win32
  else
    echo "this kernel cannot run 32-bit code: running the x86_64 build of the same program"
    build build/win64 cmake/mingw-x86_64.cmake
    build_dir=build/win64
  fi
  program=$build_dir/app/Dusklock.exe
  prefix=$root/$build_dir/wineprefix
else
  # A program of a build tree runs in that tree's prefix.
  prefix=$(cd "$(dirname "$program")/.." && pwd)/wineprefix
fi

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh --prefix "$prefix" "$program"
fi

# No display: a screen of our own, one screenshot, then the program is ended.
dusklock_start_xvfb || exit 1
export WINEPREFIX=$prefix DUSKLOCK_WINE_SESSION=1
# A new prefix takes a while to set up; that must not eat into the program's seconds.
LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all dusklock_ensure_prefix || exit 1
scripts/wine-run.sh --prefix "$prefix" "$program" &
runner=$!
sleep "$seconds"
mkdir -p "$(dirname "$screenshot")"
import -window root "$screenshot" && echo "screenshot saved to $screenshot"
/usr/bin/wineserver -k >/dev/null 2>&1
wait "$runner"
/usr/bin/wineserver -w >/dev/null 2>&1
dusklock_stop_xvfb
