#!/usr/bin/env bash
# Runs the power-off probe in a throwaway Wine prefix and checks that the real forced power-off
# request ends it: the probe reaches its request, and Wine ends the process before the probe can
# report that it survived. The prefix has its own wineserver, so ending its session touches
# nothing else; prefix and server are removed afterwards.
#   PowerOffUnderWine.sh <repository root> <power_off_probe.exe>
set -u
root=$1
probe=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/dusklock-poweroff.XXXXXX") || exit 1
prefix=$work/prefix
cleanup() {
  WINEPREFIX=$prefix /usr/bin/wineserver -k >/dev/null 2>&1
  WINEPREFIX=$prefix /usr/bin/wineserver -w >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- probe output:"; cat "$work/out"
  echo "--- probe errors (last lines):"; tail -n 20 "$work/err"
  exit 1
}

# A session of the caller (scripts/test.sh) must not be reused: this one is ended on purpose.
unset DUSKLOCK_WINE_SESSION WINEPREFIX
timeout -k 10 300 "$root/scripts/wine-run.sh" --prefix "$prefix" "$probe" \
  --power-off-this-wine-session >"$work/out" 2>"$work/err"
rc=$?
echo "probe exit code: $rc"

grep -q '^refused' "$work/out" && fail "the probe refused to run (not under Wine?)"
grep -q '^under Wine ' "$work/out" || fail "the probe did not confirm it runs under Wine"
grep -q '^requesting$' "$work/out" || fail "the probe never reached the power-off request"
grep -q '^rejected$' "$work/out" && fail "SystemPower::perform reported the request as refused"
grep -q '^survived$' "$work/out" && fail "the process was still alive after the forced power-off"
[ "$rc" -eq 124 ] || [ "$rc" -eq 137 ] && fail "the probe did not end within the time limit"
[ "$rc" -eq 7 ] && fail "the probe exited normally after waiting"
echo "--- probe output:"; cat "$work/out"
echo "PASS: Wine ended the process that requested the forced power-off"
exit 0
