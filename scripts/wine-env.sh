# Shell functions shared by the Wine scripts (sourced, not run).

# True when this kernel runs 32-bit x86 programs (the 32-bit Wine loader starts).
dusklock_can_run_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Prints the Wine loader for a PE file; fails with a message when this machine cannot run it.
dusklock_wine_loader_for() {
  local exe=$1 pe machine
  [ -f "$exe" ] || { echo "wine-run: no such program: $exe" >&2; return 1; }
  pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j $((pe + 4)) -N2 "$exe" | tr -d ' ')
  case $machine in
    8664) echo /usr/lib/wine/wine64 ;;
    014c|14c)
      if dusklock_can_run_32bit; then echo /usr/bin/wine
      else echo "wine-run: $exe is a 32-bit program and this kernel cannot run 32-bit code" >&2; return 1
      fi ;;
    *) echo "wine-run: $exe is not a PE program this script knows (machine $machine)" >&2; return 1 ;;
  esac
}

dusklock_start_xvfb() {
  local fifo display
  fifo=$(mktemp -u) && mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  DUSKLOCK_XVFB_PID=$!
  read -r -t 20 display <"$fifo"
  rm -f "$fifo"
  [ -n "$display" ] || { echo "wine-run: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display"
  export DUSKLOCK_XVFB_PID
}

dusklock_stop_xvfb() {
  [ -n "${DUSKLOCK_XVFB_PID:-}" ] && kill "$DUSKLOCK_XVFB_PID" 2>/dev/null && wait "$DUSKLOCK_XVFB_PID" 2>/dev/null
  unset DUSKLOCK_XVFB_PID
  return 0
}

# Creates $WINEPREFIX once (under a lock, since tests may start together): a 64-bit prefix,
# every program in a 1024x768 virtual desktop, and the Chinese font standing in for 宋体.
dusklock_ensure_prefix() {

  [ -f "$WINEPREFIX/.dusklock-ready" ] && return 0
  (
    flock 9
    [ -f "$WINEPREFIX/.dusklock-ready" ] && exit 0
    export WINELOADER=/usr/lib/wine/wine64
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    reg() { /usr/lib/wine/wine64 reg add "$@" /f >/dev/null 2>&1; }
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
    for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 'Microsoft YaHei' SimHei 黑体; do
      reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei'
    done
    # Wine's own fonts (Marlett draws the title bar's buttons) are not always found where the
    # package puts them; a copy in the prefix's font folder always is.
    if [ -d /usr/share/wine/fonts ]; then
      cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    fi
    /usr/bin/wineserver -w >/dev/null 2>&1
    touch "$WINEPREFIX/.dusklock-ready"
  ) 9>"$WINEPREFIX.lock"
}
