#!/usr/bin/env bash
# vestramenu.exe under Wine on a 1024 x 768 virtual screen: a second right click on a file row
# starts the player stub (moxa3.exe in the start folder) with the file's path, asterisks for
# spaces, and the menu moves the player's window to 600 x 600 at the list's corner.
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_setup_test launch 1024x768
vm_log_message_boxes

LAUNCH="$VM_WORK/launch"
mkdir -p "$LAUNCH"
: >"$LAUNCH/My Song.mp3"
x86_64-w64-mingw32-gcc-posix -O2 -mwindows -static "$(dirname "$0")/windows/moxa3_stub.c" \
  -o "$LAUNCH/moxa3.exe" || vm_fail "the player stub did not build"
export MOXA3_STUB_RECORD
MOXA3_STUB_RECORD=$(vm_windows_path "$VM_WORK/player-command-line.txt")

vm_start_menu "$LAUNCH"
# N anchors the list at the cursor: at screen (200, 100) that is Canvas (100, 334), so ViewOffset
# is (100, -50) and the player's window belongs at (200, 100).
# The list's green rows start right of screen x 200 once N has moved it.
green_left_beyond_200() {
  vm_screenshot "$VM_WORK/anchored.png"
  vm_mask "$VM_WORK/anchored.png" lime "$VM_WORK/anchored.green.png"
  local left
  read -r left _ <<<"$(vm_mask_box "$VM_WORK/anchored.green.png")"
  [ "${left:-0}" -ge 200 ]
}
xdotool mousemove 200 100
vm_key_until n green_left_beyond_200 || vm_fail "N did not move the list to the cursor"
# The widest green row is "My Song.mp3"; the other file row is "moxa3.exe".
read -r x y <<<"$(vm_label_point "$VM_WORK/anchored.png" lime 1024x768+0+0)"
[ -n "${y:-}" ] || vm_fail "no green file row after N"
vm_ok "song row found at $x, $y"
vm_right_click_until "$x" "$y" vm_shot_region_count_between selected "$(vm_row_region "$x" "$y")" red 4 100000 || vm_fail "the song row was not selected"

player_placed() { vm_window_at "Moxa3 video and audio player" "200 100 600 600" >/dev/null; }
# The second click launches; the menu places the player's window when it has appeared.
vm_right_click_until "$x" "$y" player_placed || vm_fail "the player's window was not placed at 200 100 600 600"
vm_ok "player window placed at 200, 100, 600 x 600"

expected=" rightful $(vm_windows_path "$LAUNCH")\\My*Song.mp3 0 "
recorded=$(head -1 "$VM_WORK/player-command-line.txt" | tr -d '\r')
case "$recorded" in
  *"moxa3.exe"*"$expected") vm_ok "player command line: $recorded" ;;
  *) vm_fail "player command line [$recorded] does not end in [$expected]" ;;
esac
# The player now has the focus; the keyboard hook still sees Esc.
vm_key_until Escape vm_menu_exited
vm_wait_exit Esc
vm_expect_no_message_boxes
echo "PASS"
