#!/usr/bin/env bash
# The Win32 backend under Wine, driven directly by backend_probe.exe (see there): the window's
# message boxes, seen on the screen and logged, and what the menu's own runs cannot show.
source "$(dirname "$0")/lib.bash"
vm_setup_wine backend
vm_start_xvfb 1024x768
[ -f "$WIN_BUILD/backend_probe.exe" ] || vm_fail "backend_probe.exe was not built"

run_probe() {
  local status=0
  timeout 120 "$WINE" "$WIN_BUILD/backend_probe.exe" "$@" >"$WORK/probe.out" 2>&1 || status=$?
  tr -d '\r' <"$WORK/probe.out"
  grep -q '^[0-9]* failed' "$WORK/probe.out" || vm_fail "probe $1 did not finish (status $status)"
  [ "$status" -eq 0 ] || vm_fail "probe $1: $status checks failed"
}

run_probe input
mkdir "$WORK/files"
run_probe files "$(vm_windows_path "$WORK/files")"
# 3 x 2 pictures: top row red, green, blue; bottom row white, black, yellow.
convert -size 3x2 xc:black -fill red -draw 'point 0,0' -fill lime -draw 'point 1,0' -fill blue -draw 'point 2,0' \
  -fill white -draw 'point 0,1' -fill yellow -draw 'point 2,1' -type TrueColor "BMP3:$WORK/grid.bmp" &&
  convert "$WORK/grid.bmp" -quality 100 -sampling-factor 1x1 "$WORK/grid.jpg" || vm_fail "convert failed"
head -c 200 "$WORK/grid.jpg" >"$WORK/damaged.jpg"
run_probe decode "$(vm_windows_path "$WORK/grid.bmp")" "$(vm_windows_path "$WORK/grid.jpg")" \
  "$(vm_windows_path "$WORK/damaged.jpg")"

# Each box is seen as a window of its title, noted and dismissed with Return.
dismiss_boxes() {
  local id title
  while :; do
    for title in "ERROR" "SHUTDOWN ERROR"; do
      id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
      [ -z "$id" ] && continue
      echo "$title" >>"$WORK/seen.txt"
      xdotool windowfocus --sync "$id" key Return 2>/dev/null
      while xdotool search --name "^${title}\$" >/dev/null 2>&1; do sleep 0.2; done
    done
    sleep 0.2
  done
}
dismiss_boxes &
STARTED_PIDS+=($!)
run_probe window
[ "$(cat "$WORK/seen.txt")" == $'ERROR\nSHUTDOWN ERROR' ] || vm_fail "boxes seen on the screen: $(cat "$WORK/seen.txt")"
[ "$(tr -d '\r' <"$WORK/boxes.log")" == $'ERROR|Failed To Register The Window Class.|0x30\nSHUTDOWN ERROR|Could Not Unregister Class.|0x40' ] ||
  vm_fail "box texts differ: $(cat "$WORK/boxes.log")"
echo PASS
