#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests and people need it:
#   scripts/wine-run.sh [--prefix DIR] [--desktop] program.exe [args...]
# - a Wine prefix of our own (default build/wineprefix), created once, without Mono or Gecko,
#   with a virtual desktop (it has its own taskbar and notification area) and a Chinese font;
# - WINEDEBUG=-all and LC_ALL=zh_CN.UTF-8, so the ANSI code page is 936 (GBK);
# - Xvfb started when there is no DISPLAY;
# - wineserver and Xvfb shut down at the end, unless the caller keeps a session open
#   (DUSKLOCK_WINE_SESSION=1, set by scripts/test.sh, which shuts them down itself).
# The program's exit code is this script's exit code.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix=${WINEPREFIX:-$here/../build/wineprefix}
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: $0 [--prefix DIR] program.exe [args...]" >&2; exit 2; }

export WINEPREFIX=$(mkdir -p "$prefix" && cd "$prefix" && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
unset LANGUAGE

# Which loader: the 64-bit one runs 64-bit programs everywhere; 32-bit programs need a kernel
# that runs 32-bit code (some virtual machines do not).
source "$here/wine-env.sh"
loader=$(dusklock_wine_loader_for "$1") || exit 125

if [ -z "${DISPLAY:-}" ]; then
  # An Xvfb of our own, stopped however this script ends.
  trap dusklock_stop_xvfb EXIT
  dusklock_start_xvfb || exit 125
fi

dusklock_ensure_prefix || exit 125

[ "$loader" = /usr/lib/wine/wine64 ] && export WINELOADER=$loader
"$loader" "$@"
rc=$?

if [ "${DUSKLOCK_WINE_SESSION:-}" != 1 ]; then
  /usr/bin/wineserver -k >/dev/null 2>&1
  /usr/bin/wineserver -w >/dev/null 2>&1
fi
exit $rc
