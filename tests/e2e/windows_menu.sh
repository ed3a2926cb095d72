#!/usr/bin/env bash
# vestramenu.exe and its Win32 backend under Wine, one prefix for both: what only real message
# boxes, OLE decoding, Win32 windows and child processes show, on a screen of odd size.
source "$(dirname "$0")/lib.bash"
# vestramenu.exe under Wine with a prefix of the test's own; skipped without the Windows build.
WIN_BUILD=${VM_WINDOWS_BUILD_DIR:-$VM_SOURCE_DIR/build/windows}
[ -f "$WIN_BUILD/vestramenu.exe" ] || { echo "SKIP: scripts/build-windows has not built vestramenu.exe"; exit 0; }
# Debian's wine64 package alone has only these two; programs the menu starts use the same loader.
WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
export WINESERVER WINELOADER=$WINE WINEPREFIX=$WIN_BUILD/wineprefix-menu WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A server left from the display-less set-up would hand on its screen size.
[ -f "$WINEPREFIX/system.reg" ] || { DISPLAY= "$WINE" wineboot -i && "$WINESERVER" -w; } >/dev/null 2>&1 || vm_fail "wineboot failed"
# The Windows form of a Unix path as Wine's Z: drive shows it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export VESTRAMENU_MESSAGE_LOG=$(windows_path "$WORK/boxes.log")  # message boxes; a run that works has none
MENU=("$WINE" "$WIN_BUILD/vestramenu.exe")
vm_start_xvfb 1025x769

# backend_probe.exe (see there) fails a creation and a teardown: each box shows as a window of its
# title, noted and dismissed with Return (noted again while a Return missed it).
while sleep 0.5; do
  for title in "ERROR" "SHUTDOWN ERROR"; do
    xdotool search --name "^$title\$" windowfocus --sync 2>/dev/null && xdotool key Return && echo "$title" >>"$WORK/seen.txt"
  done
done & box_watcher=$!
timeout 120 "$WINE" "$WIN_BUILD/backend_probe.exe" >"$WORK/probe.out" 2>&1
status=$?; kill "$box_watcher"
tr -d '\r' <"$WORK/probe.out"
[ "$status" -eq 0 ] || vm_fail "the backend probe failed (status $status)"
[ "$(uniq "$WORK/seen.txt")" == $'ERROR\nSHUTDOWN ERROR' ] || vm_fail "boxes seen on the screen: $(cat "$WORK/seen.txt")"
[ "$(tr -d '\r' <"$WORK/boxes.log")" == $'ERROR|Failed To Register The Window Class.|0x30\nSHUTDOWN ERROR|Could Not Unregister Class.|0x40' ] ||
  vm_fail "box texts differ: $(cat "$WORK/boxes.log")"
rm "$WORK/boxes.log"  # the menu's runs below must show none

pics=$WORK/pics-$RANDOM
mkdir -p "$pics/Sub" && : >"$pics/My Song.mp3"
convert -size 64x64 xc:red -type TrueColor "BMP3:$pics/red.bmp" && convert -size 64x48 xc:blue -quality 95 "$pics/blue.jpg" ||
  vm_fail "convert failed"
head -c 300 "$pics/blue.jpg" >"$pics/Sub/broken.jpg"
# A BMP header that claims 30000 x 30000 pixels, followed by almost nothing.
printf 'BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x30\x75\0\0\x30\x75\0\0\x01\0\x18\0' >"$pics/Sub/huge.bmp"
head -c 64 /dev/zero >>"$pics/Sub/huge.bmp"
export MOXA3_STUB_RECORD=$(windows_path "$WORK/player-command-line.txt") MOXA3_STUB_DELAY=$(windows_path "$WORK/player-delay.txt")
vm_start_menu "$pics"
# Canvas 511 x 383 (half of 1025 and 769, less 1 for the odd sizes) at scale 2.
vm_expect_window_at GAME "0 0 1022 766" "half screen"
sleep 2
expect_count() { vm_shot_count "$@" || vm_fail "screenshot $1: $(vm_count "$1" "$2") pixels near $2, expected $3 to $4"; }
expect_count list lime 100 20000
files=$(vm_count list lime)
# The widest yellow row of the list area is "Sub" (the other one is ".."): a click selects it, a
# second enters it, where fewer files are listed; its damaged pictures show as empty grid cells.
vm_screenshot list 400x600+0+60
vm_label_point list yellow || vm_fail "no yellow folder row"
vm_click_until "$X" "$Y" "vm_shot_count selected red 4 100000 $ROW"
vm_click_until "$X" "$Y" "! vm_shot_count sub lime $files $files"
vm_key_until t "vm_shot_count subgrid white 2000 100000"
vm_key_until t "vm_shot_count sub white 0 500"
# The cross cursor covers the little ".." label, so its selection can't be seen: the clicks go on
# until the parent's list is back (one selects, the next leaves).
vm_screenshot sub 400x600+0+60
vm_label_point sub yellow || vm_fail "no .. row in Sub"
vm_click_until "$X" "$Y" "vm_shot_count left lime $files $files"
vm_key_until t "vm_shot_count grid blue 40000 80000"
expect_count grid red 50000 90000  # the BMP's thumbnail, 280 x 280 on screen
vm_mask grid red redmask
read -r x y <<<"$(vm_mask_box redmask | awk '{ print $1 + int($3 / 2), $2 + int($4 / 2) }')"
vm_click_until "$x" "$y" "vm_shot_count viewer blue 0 0"
expect_count viewer red 1000 20000  # the picture in the viewer at half size, 64 x 64
vm_click_until 500 300 "vm_shot_count back blue 40000 80000"
vm_key_until t "vm_shot_count list2 blue 0 0"

# The player stand-in, made only now: the grid above is laid out without it.
x86_64-w64-mingw32-gcc-posix -O2 -mwindows -static "$(dirname "$0")/moxa3_stub.c" -o "$pics/moxa3.exe" ||
  vm_fail "the player stand-in did not build"
same() { [ "$(compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1)" == 0 ]; }
# Key 0 hides the MenuBar and its clock: nothing on the screen changes any more.
vm_key_until 0 "vm_screenshot still1 && sleep 1.2 && vm_screenshot still2 && same still1 still2"
# N anchors the list at the cursor, (200, 100), where the player's window then belongs; the green
# rows start right of x 200.
xdotool mousemove 200 100
vm_key_until n "vm_screenshot anchored && vm_mask anchored lime green && [ \$(vm_mask_box green | cut -d' ' -f1) -ge 200 ]"
# The widest green row is "My Song.mp3".
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
# A player window shown within the menu's pause goes to 600 x 600 at the list's corner. Under load
# Wine may take longer than the pause to start the stand-in: it gets three goes.
for attempt in 1 2 3; do
  vm_click_until "$X" "$Y" "[ \$(launches) -ge $attempt ]"
  one_player_at "200 100 600 600" && break
  [ "$attempt" -lt 3 ] || vm_fail "the player's window is not at 200 100 600 600: $(vm_geometry "$PLAYER_TITLE")"
  vm_close_players
done
[[ $(head -1 "$WORK/player-command-line.txt" | tr -d '\r') == *moxa3.exe*" rightful $(windows_path "$pics")\\My*Song.mp3 0 " ]] ||
  vm_fail "player command line: $(head -1 "$WORK/player-command-line.txt")"

# One shown 1 s late stays where it is (the first player is gone: its window is not the one found).
vm_close_players && echo 1000 >"$WORK/player-delay.txt"
before=$(launches)
vm_click_until "$X" "$Y" "[ \$(launches) -gt $before ]"
one_player_at "300 260 320 240" || vm_fail "the late player's window was moved: $(vm_geometry "$PLAYER_TITLE")"
[ "$(launches)" -eq $((before + 1)) ] || vm_fail "one click started $(($(launches) - before)) players"
vm_close_players
# Wine's Explorer titles its window with the folder's name.
vm_key_until F7 "xdotool search --name '^$(basename "$pics")\$'"
for entry in "F6|vm_window_at GAME '0 0 1280 960'" "F8|vm_window_at GAME '0 0 1025 769'" 'alt+F4|[ -s "$WORK/status" ]'; do
  xdotool search --name '^GAME$' windowfocus --sync
  vm_key_until "${entry%%|*}" "${entry#*|}"
done
vm_expect_exit Alt+F4
