#!/usr/bin/env bash
# vestramenu.exe under Wine on a 1024 x 768 screen. With the MenuBar hidden (key 0) nothing on the
# screen changes, yet an area uncovered by another window shows the menu's pixels again. A second
# right click on a file row starts the player stand-in (moxa3.exe in the start folder) with the
# file's path, asterisks for spaces; the menu looks for the player's window once, after its pause:
# one shown within it is moved to 600 x 600 at the list's corner, one shown only after 1 s stays
# where it opened.
source "$(dirname "$0")/lib.bash"
vm_setup_wine launch
vm_start_xvfb 1024x768
launch=$WORK/launch
mkdir -p "$launch" && : >"$launch/My Song.mp3"
x86_64-w64-mingw32-gcc-posix -O2 -mwindows -static "$(dirname "$0")/moxa3_stub.c" -o "$launch/moxa3.exe" ||
  vm_fail "the player stand-in did not build"
export MOXA3_STUB_RECORD=$(vm_windows_path "$WORK/player-command-line.txt") MOXA3_STUB_DELAY=$(vm_windows_path "$WORK/player-delay.txt")
vm_start_menu "$launch"
same() { [ "$(compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1)" == 0 ]; }
unchanging() { vm_screenshot still1 && sleep 1.2 && vm_screenshot still2 && same still1 still2; }
vm_key_until 0 unchanging
# N anchors the list at the cursor: at screen (200, 100) that is Canvas (100, 334), so ViewOffset
# is (100, -50) and the player's window belongs at (200, 100); the green rows start right of x 200.
green_beyond_200() { vm_screenshot anchored && vm_mask anchored lime green && [ "$(vm_mask_box green | cut -d' ' -f1)" -ge 200 ]; }
xdotool mousemove 200 100
vm_key_until n green_beyond_200
# The widest green row is "My Song.mp3"; the other file row is "moxa3.exe".
vm_label_point anchored lime || vm_fail "no green file row after N"
# A native X window covers part of the list and goes away.
cover=300x200+180+80
part_shows() { vm_screenshot now "$cover" && same now listpart; }
convert "$WORK/anchored.png" -crop "$cover" -background black -flatten "$WORK/listpart.png"
"$STUB_PLAYER" & STARTED_PIDS+=($!)
vm_check_for 10 "xdotool search --name '^$PLAYER_TITLE\$' windowmove 180 80 windowsize 300 200" ||
  vm_fail "the covering window did not appear"
sleep 1
! part_shows || vm_fail "the covering window did not cover the list"
kill "${STARTED_PIDS[-1]}"
vm_check_for 2 part_shows || vm_fail "the uncovered area does not show the menu's pixels"

vm_click_until "$X" "$Y" "vm_shot_count selected red 4 100000 $ROW"
launches() { cat "$WORK/player-command-line.txt" 2>/dev/null | wc -l; }
# Waits for the window placements to settle; true when exactly one player window stands at $1.
one_player_at() { sleep 3; [ "$(xdotool search --name "^$PLAYER_TITLE\$" | wc -l)" -eq 1 ] && vm_window_at "$PLAYER_TITLE" "$1"; }
# Under load Wine may take longer than the pause to start the stand-in: it gets three goes.
for attempt in 1 2 3; do
  vm_click_until "$X" "$Y" "[ \$(launches) -ge $attempt ]"
  one_player_at "200 100 600 600" && break
  [ "$attempt" -lt 3 ] || vm_fail "the player's window is not at 200 100 600 600: $(vm_geometry "$PLAYER_TITLE")"
  vm_close_players
done
[[ $(head -1 "$WORK/player-command-line.txt" | tr -d '\r') == *moxa3.exe*" rightful $(vm_windows_path "$launch")\\My*Song.mp3 0 " ]] ||
  vm_fail "player command line: $(head -1 "$WORK/player-command-line.txt")"

# The first player ends first, so that its window is not the one found.
vm_close_players
echo 1000 >"$WORK/player-delay.txt"
before=$(launches)
vm_click_until "$X" "$Y" "[ \$(launches) -gt $before ]"
one_player_at "300 260 320 240" || vm_fail "the late player's window was moved: $(vm_geometry "$PLAYER_TITLE")"
[ "$(launches)" -eq $((before + 1)) ] || vm_fail "one click started $(($(launches) - before)) players"
vm_quit_menu
echo PASS
