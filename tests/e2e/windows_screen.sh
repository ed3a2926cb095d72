#!/usr/bin/env bash
# vestramenu.exe under Wine on a screen of odd size, 1025 x 769: the half-screen window is 3 pixels
# smaller than the screen each way, F8 fills the screen, F7 opens Explorer on the folder.
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_find_windows_build
EXE="$WIN_BUILD/vestramenu.exe"
vm_wine_prefix screen
VM_WORK=$(mktemp -d /tmp/vm-win-screen.XXXXXX)
trap vm_cleanup EXIT
vm_start_display 1025x769

FOLDER="$VM_WORK/folder-$RANDOM"
mkdir -p "$FOLDER"
: >"$FOLDER/notes.txt"
(cd "$FOLDER" && "$WINE" "$EXE" >/dev/null 2>&1; echo $? >"$VM_WORK/exit-code") &
MENU=$(vm_wait_window GAME 60) || vm_fail "no GAME window appeared"
sleep 2

geometry=$(vm_window_geometry "$MENU")
# Canvas 511 x 383 (half of 1025 and 769, less 1 for the odd sizes) at scale 2.
[ "$geometry" = "0 0 1022 766" ] || vm_fail "half-screen window at $geometry, expected 0 0 1022 766"
vm_ok "half-screen window at $geometry"

vm_focus "$MENU"
vm_press_key F7
# Wine's Explorer titles its window with the folder's name.
explorer=$(vm_wait_window "$(basename "$FOLDER")" 30) || vm_fail "F7 opened no Explorer window on the folder"
vm_ok "F7: Explorer window $explorer on $(basename "$FOLDER")"

vm_focus "$MENU"
vm_press_key F8
found=""
for i in $(seq 40); do
  for id in $(xdotool search --name '^GAME$' 2>/dev/null); do
    [ "$(vm_window_geometry "$id" 2>/dev/null)" = "0 0 1025 769" ] && found=$id
  done
  [ -n "$found" ] && break
  sleep 0.5
done
[ -n "$found" ] || vm_fail "F8 did not give a full-screen window"
vm_ok "F8: window at 0 0 1025 769"

vm_press_key Escape
for i in $(seq 100); do [ -f "$VM_WORK/exit-code" ] && break; sleep 0.2; done
[ "$(cat "$VM_WORK/exit-code" 2>/dev/null)" = 0 ] || vm_fail "Esc did not end the menu with exit code 0"
vm_ok "Esc ends the process with exit code 0"
echo "PASS"
