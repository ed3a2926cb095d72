#!/usr/bin/env bash
# The Win32 window lifecycle under Wine, driven directly by backend_probe.exe (see there): its
# message boxes, seen on the screen and logged, and what the menu's own runs cannot show.
source "$(dirname "$0")/lib.bash"
vm_setup_wine backend
vm_start_xvfb 1024x768

# Each box is seen as a window of its title, noted and dismissed with Return.
while :; do
  for title in "ERROR" "SHUTDOWN ERROR"; do
    id=$(xdotool search --name "^$title\$" 2>/dev/null | head -1)
    [ -z "$id" ] && continue
    echo "$title" >>"$WORK/seen.txt"
    xdotool windowfocus --sync "$id" key Return 2>/dev/null
    vm_check_for 20 "! xdotool search --name '^$title\$'"
  done
  sleep 0.2
done & STARTED_PIDS+=($!)
timeout 120 "$WINE" "$WIN_BUILD/backend_probe.exe" >"$WORK/probe.out" 2>&1
status=$?
tr -d '\r' <"$WORK/probe.out"
grep -q '^0 failed' "$WORK/probe.out" && [ "$status" -eq 0 ] || vm_fail "the probe failed (status $status)"
[ "$(cat "$WORK/seen.txt")" == $'ERROR\nSHUTDOWN ERROR' ] || vm_fail "boxes seen on the screen: $(cat "$WORK/seen.txt")"
[ "$(tr -d '\r' <"$WORK/boxes.log")" == $'ERROR|Failed To Register The Window Class.|0x30\nSHUTDOWN ERROR|Could Not Unregister Class.|0x40' ] ||
  vm_fail "box texts differ: $(cat "$WORK/boxes.log")"
echo PASS
