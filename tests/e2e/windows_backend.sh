#!/usr/bin/env bash
# The Win32 backend under Wine, driven directly by backend_probe.exe: the GL window lifecycle and
# its message boxes, the window procedure, the hook procedures and the pump, files and folders,
# and OLE picture decoding (also from several threads at once).
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_setup_test backend 1024x768
PROBE="$WIN_BUILD/backend_probe.exe"
[ -f "$PROBE" ] || vm_fail "$PROBE was not built"

run_probe() {
  local name=$1; shift
  timeout 120 "$WINE" "$PROBE" "$@" >"$VM_WORK/$name.raw" 2>&1
  local status=$?
  tr -d '\r' <"$VM_WORK/$name.raw" >"$VM_WORK/$name.out"
  cat "$VM_WORK/$name.out"
  grep -q '^[0-9]* failed$' "$VM_WORK/$name.out" || vm_fail "probe $name did not finish (status $status)"
  [ "$status" -eq 0 ] || vm_fail "probe $name: $status checks failed"
}

# Input, files and decoding need no boxes.
run_probe input input

mkdir -p "$VM_WORK/files"
run_probe files files "$(vm_windows_path "$VM_WORK/files")"

# 3 x 2 pictures: top row red, green, blue; bottom row white, black, yellow.
convert -size 3x2 xc:black -fill red -draw 'point 0,0' -fill lime -draw 'point 1,0' \
  -fill blue -draw 'point 2,0' -fill white -draw 'point 0,1' -fill yellow -draw 'point 2,1' \
  -type TrueColor "BMP3:$VM_WORK/grid.bmp" || vm_fail "convert failed"
convert "$VM_WORK/grid.bmp" -quality 100 -sampling-factor 1x1 "$VM_WORK/grid.jpg"
head -c 200 "$VM_WORK/grid.jpg" >"$VM_WORK/damaged.jpg"
run_probe decode decode "$(vm_windows_path "$VM_WORK/grid.bmp")" "$(vm_windows_path "$VM_WORK/grid.jpg")" \
  "$(vm_windows_path "$VM_WORK/damaged.jpg")"

# The window group shows real message boxes; each is seen as a window of its title, noted and
# dismissed with Return. VESTRAMENU_MESSAGE_LOG makes the backend also log each box's text.
export VESTRAMENU_MESSAGE_LOG
VESTRAMENU_MESSAGE_LOG=$(vm_windows_path "$VM_WORK/boxes.log")
dismiss_boxes() {
  local id title
  while :; do
    for title in "ERROR" "SHUTDOWN ERROR"; do
      id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
      [ -z "$id" ] && continue
      echo "$title" >>"$VM_WORK/seen.txt"
      xdotool windowfocus --sync "$id" 2>/dev/null
      xdotool key Return
      while xdotool search --name "^${title}\$" >/dev/null 2>&1; do sleep 0.2; done
    done
    sleep 0.2
  done
}
dismiss_boxes &
dismisser=$!
run_probe window window
kill "$dismisser" 2>/dev/null

printf 'ERROR\nSHUTDOWN ERROR\n' >"$VM_WORK/expected_seen.txt"
diff "$VM_WORK/expected_seen.txt" "$VM_WORK/seen.txt" || vm_fail "boxes seen on screen differ"
vm_ok "an ERROR box and then a SHUTDOWN ERROR box were shown"
printf 'ERROR|Failed To Register The Window Class.|0x30\nSHUTDOWN ERROR|Could Not Unregister Class.|0x40\n' \
  >"$VM_WORK/expected_boxes.log"
tr -d '\r' <"$VM_WORK/boxes.log" | diff "$VM_WORK/expected_boxes.log" - || vm_fail "box texts differ"
vm_ok "box texts and flags as expected, and no others"
echo "PASS"
