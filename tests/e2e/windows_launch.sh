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
xdotool mousemove 200 100
sleep 0.3
vm_press_key n
vm_shoot anchored 2
# The widest green row is "My Song.mp3"; the other file row is "moxa3.exe".
read -r x y <<<"$(vm_label_point "$VM_WORK/anchored.png" lime 1024x768+0+0)"
[ -n "${y:-}" ] || vm_fail "no green file row after N"
vm_ok "song row found at $x, $y"
vm_right_click_at "$x" "$y"   # selects
sleep 1.5
placed=""
for attempt in 1 2 3; do
  vm_right_click_at "$x" "$y"   # launches (again, if the player was slower than the menu's wait)
  player=$(vm_wait_window "Moxa3 video and audio player" 20) || vm_fail "the player stub did not open"
  sleep 1.5
  for id in $(xdotool search --name '^Moxa3 video and audio player$'); do
    [ "$(vm_window_geometry "$id")" = "200 100 600 600" ] && placed=$id
  done
  [ -n "$placed" ] && break
  echo "attempt $attempt: player at $(vm_window_geometry "$player"), placing again"
done
[ -n "$placed" ] || vm_fail "the player's window was not placed at 200 100 600 600"
vm_ok "player window placed at 200, 100, 600 x 600"

expected=" rightful $(vm_windows_path "$LAUNCH")\\My*Song.mp3 0 "
recorded=$(head -1 "$VM_WORK/player-command-line.txt" | tr -d '\r')
case "$recorded" in
  *"moxa3.exe"*"$expected") vm_ok "player command line: $recorded" ;;
  *) vm_fail "player command line [$recorded] does not end in [$expected]" ;;
esac
# The player now has the focus; the keyboard hook still sees Esc.
vm_press_key Escape
vm_wait_exit Esc
vm_expect_no_message_boxes
echo "PASS"
