#!/usr/bin/env bash
# The real Dusklock.exe, driven from outside as a user drives it, in a throwaway Wine prefix on
# an X display of its own:
#   1. disarm run: type a deadline 15 s ahead, arm it (Yes clicked in the confirmation box),
#      watch the countdown, disarm before the deadline, see the program still running 5 s past
#      it, close it from the tray menu: exit code 0;
#   2. power-off run: the same arming, then the countdown falls to the deadline and the forced
#      power-off request, made on the first tick at least two seconds past it, ends the Wine
#      session: the program's process must end at deadline + 2 s or later, and soon after.
# The driver (UserDriver.exe) logs what it sees with timestamps; this script judges. The
# power-off ends every process of the session, the driver included, so the driver cannot judge
# that run itself.
#   end-to-end.sh <Dusklock.exe> <UserDriver.exe>
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
program=$1
driver=$2
source "$root/scripts/wine-env.sh"

loader=$(dusklock_wine_loader_for "$program") || exit 1
"$loader" --version 2>/dev/null | grep -q '^wine-' || { echo "FAIL: $loader is not Wine"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/dusklock-e2e.XXXXXX") || exit 1
prefix=$work/prefix
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  WINEPREFIX=$prefix /usr/bin/wineserver -k >/dev/null 2>&1
  WINEPREFIX=$prefix /usr/bin/wineserver -w >/dev/null 2>&1
  dusklock_stop_xvfb
  if [ -n "${DUSKLOCK_E2E_KEEP:-}" ]; then echo "logs kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# This test ends a Wine session on purpose: never a session of the caller, only the throwaway
# prefix made above, on a display of its own.
unset DUSKLOCK_WINE_SESSION
export WINEPREFIX=$prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_CN.UTF-8
unset LANGUAGE
[ "$loader" = /usr/lib/wine/wine64 ] && export WINELOADER=$loader
case $WINEPREFIX in "$work"/*) ;; *) echo "FAIL: refusing to use prefix $WINEPREFIX"; exit 1 ;; esac
mkdir -p "$prefix"
dusklock_start_xvfb || { echo "FAIL: no X display"; exit 1; }
started=$(date +%s)
dusklock_ensure_prefix || { echo "FAIL: the Wine prefix could not be made"; exit 1; }
echo "throwaway prefix ready in $(( $(date +%s) - started )) s"

status=0
failed() { echo "FAIL: $*"; status=1; }

# Starts the program; when its process ends, its exit code and the unix time are written to $1.
start_program() {
  local exit_file=$1
  rm -f "$exit_file"
  ( "$loader" "$program" >/dev/null 2>&1; echo "$? $(date +%s.%N)" >"$exit_file" ) &
  program_pid=$!
}

# Waits up to $2 seconds for the file $1 to appear.
wait_for_file() {
  local file=$1 limit=$2 waited=0
  while [ ! -s "$file" ] && [ "$waited" -lt $((limit * 10)) ]; do sleep 0.1; waited=$((waited + 1)); done
  [ -s "$file" ]
}

field() { awk -v event="$2" '$2 == event { print $'"$3"'; exit }' "$1"; }

# The countdown values read while armed must fall, one distinct value after another, and each
# must match the deadline: a tick at time t shows max(0, deadline - whole seconds of t), and the
# driver reads it at most a tick period later.
check_countdown() {
  local log=$1 deadline=$2 until_event=$3 at_least=$4
  awk -v D="$deadline" -v stop="$until_event" -v least="$at_least" '
    $2 == stop { exit }
    $2 == "countdown" && $3 >= 0 {
      t = $1; v = $3; n++
      if (n > 1 && v >= previous) { printf "value %d after %d is not lower\n", v, previous; bad = 1 }
      low = D - t - 0.3; if (low < 0) low = 0
      high = D - t + 3; if (high < 0) high = 0
      if (v < low || v > high) {
        printf "value %d read at deadline%+.3f s does not match the deadline\n", v, t - D; bad = 1
      }
      previous = v
    }
    END { if (n < least) { printf "only %d countdown values seen\n", n; bad = 1 }
          print "countdown values seen: " n; exit bad }' "$log"
}

# Arming must keep the typed deadline (15 s is more than the ten-second lead) and lock the box.
check_armed() {
  local log=$1
  local typed armed
  typed=$(awk '$2 == "deadline" { print $4, $5; exit }' "$log")
  armed=$(grep -m1 ' state armed ' "$log")
  grep -q '^[0-9.]* wine ' "$log" || failed "the driver did not confirm it runs under Wine"
  grep -q 'confirm-shown \[是否开始执行自动关机（倒计时需大于系统时间10秒）\]' "$log" \
    || failed "the confirmation box did not show the arming question"
  case $armed in
    *"deadline=[$typed] deadline-enabled=0 start=[停止关机]"*) ;;
    *) failed "after arming: '$armed', expected the typed deadline '$typed', a locked box, 停止关机" ;;
  esac
}

show_log() { echo "--- driver log ($1):"; cat "$2"; }

# ---- 1. disarm run ----
echo "=== disarm run"
start_program "$work/disarm.exit"
timeout -k 5 120 "$loader" "$driver" disarm-run >"$work/disarm.log" 2>"$work/disarm.err"
driver_rc=$?
show_log disarm "$work/disarm.log"
[ "$driver_rc" -eq 0 ] || failed "the driver reported a failure (exit code $driver_rc)"
if wait_for_file "$work/disarm.exit" 20; then
  read -r program_rc program_end <"$work/disarm.exit"
  deadline=$(field "$work/disarm.log" deadline 3)
  echo "program ended with exit code $program_rc at deadline+$(awk -v e="$program_end" -v d="${deadline:-0}" 'BEGIN { printf "%.3f", e - d }') s"
  [ "$program_rc" -eq 0 ] || failed "the program ended with exit code $program_rc, expected 0"
  if [ -n "$deadline" ]; then
    check_armed "$work/disarm.log"
    check_countdown "$work/disarm.log" "$deadline" disarmed 3 || failed "countdown before disarming"
    awk '$2 == "disarmed" { after = 1 } after && $2 == "countdown" && $3 >= 0 { bad = 1 } END { exit bad }' \
      "$work/disarm.log" || failed "the countdown went on after disarming"
    grep -q ' state disarmed .*deadline-enabled=1 start=\[执行关机\] countdown=\[倒计时显示\]' "$work/disarm.log" \
      || failed "after disarming the window did not return to idle"
    alive=$(field "$work/disarm.log" alive-past-deadline 3)
    awk -v a="${alive:-0}" 'BEGIN { exit !(a >= 5) }' || failed "not seen alive 5 s past the deadline"
    awk -v e="$program_end" -v d="$deadline" 'BEGIN { exit !(e >= d + 5) }' \
      || failed "the program ended before deadline + 5 s although it was disarmed"
  else
    failed "no deadline was typed"
  fi
else
  failed "the program did not end after its tray menu's close item"
fi
program_pid=""
/usr/bin/wineserver -k >/dev/null 2>&1
/usr/bin/wineserver -w >/dev/null 2>&1

# ---- 2. power-off run ----
echo "=== power-off run"
start_program "$work/poweroff.exit"
timeout -k 5 120 "$loader" "$driver" power-off-run >"$work/poweroff.log" 2>"$work/poweroff.err"
driver_rc=$?
driver_end=$(date +%s.%N)
show_log power-off "$work/poweroff.log"
deadline=$(field "$work/poweroff.log" deadline 3)
if [ -z "$deadline" ]; then
  failed "the driver never typed a deadline"
elif grep -q -e ' FAIL ' -e ' still-running ' "$work/poweroff.log"; then
  failed "the driver reported a failure (exit code $driver_rc)"
elif ! wait_for_file "$work/poweroff.exit" 20; then
  failed "the program was still running 20 s after the driver ended"
else
  read -r program_rc program_end <"$work/poweroff.exit"
  after=$(awk -v e="$program_end" -v d="$deadline" 'BEGIN { printf "%.3f", e - d }')
  echo "program ended (exit code $program_rc) at deadline+$after s; driver ended at deadline+$(awk -v e="$driver_end" -v d="$deadline" 'BEGIN { printf "%.3f", e - d }') s"
  check_armed "$work/poweroff.log"
  check_countdown "$work/poweroff.log" "$deadline" none 10 || failed "countdown before the power-off"
  awk -v a="$after" 'BEGIN { exit !(a >= 2) }' \
    || failed "the program ended $after s after the deadline, before the two seconds had passed"
  awk -v a="$after" 'BEGIN { exit !(a <= 15) }' \
    || failed "the program ended only $after s after the deadline"
  tail -n 1 "$work/poweroff.log" | grep -q ' countdown 0 ' \
    || failed "the last countdown seen before the session ended was not 0小时0分钟0秒"
fi

[ "$status" -eq 0 ] && echo "PASS: armed, counted down, disarmed and closed; armed and powered off on time"
exit $status
