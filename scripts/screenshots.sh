#!/usr/bin/env bash
# Regenerates the screenshots in docs/ from the real program, in a throwaway Wine prefix on an X
# display of its own (a 1024x768 virtual desktop with its taskbar and notification area):
#   main-idle.png  menu-time-choice.png  date-entry.png  confirm-prompt.png  main-armed.png
#   menu-tray.png  tray-icon.png
# The program is driven by the end-to-end test's user driver. The deadline armed for the
# screenshots lies two hours ahead and is disarmed before the session ends.
#   scripts/screenshots.sh [build directory, default build/win64]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/win64}
program=$build/app/Dusklock.exe
driver=$build/tests/user_driver.exe
docs=$root/docs
source "$root/scripts/wine-env.sh"
command -v import >/dev/null && command -v convert >/dev/null \
  || { echo "screenshots: imagemagick (import, convert) is needed" >&2; exit 1; }
[ -f "$program" ] && [ -f "$driver" ] \
  || { echo "screenshots: build Dusklock and user_driver in $build first" >&2; exit 1; }
loader=$(dusklock_wine_loader_for "$program") || exit 1

work=$(mktemp -d "${TMPDIR:-/tmp}/dusklock-shots.XXXXXX") || exit 1
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  /usr/bin/wineserver -k >/dev/null 2>&1
  /usr/bin/wineserver -w >/dev/null 2>&1
  dusklock_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

unset DUSKLOCK_WINE_SESSION LANGUAGE
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_CN.UTF-8
[ "$loader" = /usr/lib/wine/wine64 ] && export WINELOADER=$loader
mkdir -p "$WINEPREFIX"
dusklock_start_xvfb || exit 1
dusklock_ensure_prefix || exit 1

step() {
  "$loader" "$driver" step "$@" >"$work/step.log" 2>/dev/null || {
    echo "screenshots: step '$*' failed:" >&2; cat "$work/step.log" >&2; exit 1
  }
}
# Prints "x y width height" of a window: main, confirm, date-entry or menu.
rect_of() { step window-rect "$1"; awk '$2 == "rect" { print $3, $4, $5, $6 }' "$work/step.log"; }

# Captures the desktop and keeps the smallest box holding the given windows, with a margin.
shoot() {
  local name=$1; shift
  local boxes=() which
  for which in "$@"; do boxes+=("$(rect_of "$which")"); done
  local box
  box=$(printf '%s\n' "${boxes[@]}" | awk -v m=12 '
    { l = $1; t = $2; r = $1 + $3; b = $2 + $4
      if (NR == 1 || l < L) L = l; if (NR == 1 || t < T) T = t
      if (NR == 1 || r > R) R = r; if (NR == 1 || b > B) B = b }
    END { L -= m; T -= m; R += m; B += m
          if (L < 0) L = 0; if (T < 0) T = 0; if (R > 1024) R = 1024; if (B > 768) B = 768
          printf "%dx%d+%d+%d", R - L, B - T, L, T }')
  sleep 0.5  # let the last paint reach the screen
  import -window root "$work/desktop.png" && convert "$work/desktop.png" -crop "$box" +repage "$docs/$name"
  echo "docs/$name ($box)"
}

# The bottom-right corner of the desktop: the end of the taskbar with the notification area.
shoot_corner() {
  local name=$1 width=$2 height=$3 scale=$4
  sleep 0.5
  import -window root "$work/desktop.png" && convert "$work/desktop.png" -gravity SouthEast \
    -crop "${width}x${height}+0+0" +repage -filter point -resize "${scale}%" "$docs/$name"
  echo "docs/$name (bottom-right ${width}x${height}, scaled ${scale}%)"
}

mkdir -p "$docs"
( "$loader" "$program" >/dev/null 2>&1 ) &
program_pid=$!

step wait-idle
step pointer-away
shoot main-idle.png main

step time-menu
step pointer-away
shoot menu-time-choice.png main menu
step escape

step type-deadline 7200
step press-start
step wait-confirm
step pointer-away
shoot confirm-prompt.png main confirm

step answer-yes
step wait-idle  # activates the window again: Wine leaves it inactive when the box closes
step pointer-away
step wait-countdown
sleep 1.2  # one more tick, so the caption shows a full countdown second
shoot main-armed.png main

step tray-menu
step pointer-away
sleep 6  # the icon's tip "Dusklock" covers the menu until it times out
shoot_corner menu-tray.png 200 120 100
step escape

shoot_corner tray-icon.png 160 40 200

step disarm

# The date-entry window in a fresh start of the program: once that window has closed, the
# deadline box keeps the mouse captured and the next click anywhere in the program reaches the
# box, so it comes last and alone.
/usr/bin/wineserver -k >/dev/null 2>&1
/usr/bin/wineserver -w >/dev/null 2>&1
( "$loader" "$program" >/dev/null 2>&1 ) &
program_pid=$!
step wait-idle
step date-entry
step pointer-away
shoot date-entry.png main date-entry
step escape
