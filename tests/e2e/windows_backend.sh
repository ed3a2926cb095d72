#!/usr/bin/env bash
# The Win32 window lifecycle under Wine, driven directly by backend_probe.exe (see there): its
# message boxes, seen on the screen and logged, and what the menu's own runs cannot show.
source "$(dirname "$0")/lib.bash"
vm_setup_wine backend
vm_start_xvfb 1024x768

# Each box shows as a window of its title, noted and dismissed with Return (noted again while
# a Return missed it).
while :; do
  for title in "ERROR" "SHUTDOWN ERROR"; do
    xdotool search --name "^$title\$" windowfocus --sync 2>/dev/null && xdotool key Return && echo "$title" >>"$WORK/seen.txt"
  done
  sleep 0.5
done & STARTED_PIDS+=($!)
timeout 120 "$WINE" "$WIN_BUILD/backend_probe.exe" >"$WORK/probe.out" 2>&1
status=$?
tr -d '\r' <"$WORK/probe.out"
grep -q '^0 failed' "$WORK/probe.out" && [ "$status" -eq 0 ] || vm_fail "the probe failed (status $status)"
[ "$(uniq "$WORK/seen.txt")" == $'ERROR\nSHUTDOWN ERROR' ] || vm_fail "boxes seen on the screen: $(cat "$WORK/seen.txt")"
[ "$(tr -d '\r' <"$WORK/boxes.log")" == $'ERROR|Failed To Register The Window Class.|0x30\nSHUTDOWN ERROR|Could Not Unregister Class.|0x40' ] ||
  vm_fail "box texts differ: $(cat "$WORK/boxes.log")"
echo PASS
