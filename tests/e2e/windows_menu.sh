#!/usr/bin/env bash
# vestramenu.exe under Wine on a 1024 x 768 virtual screen, driven with xdotool: the half-screen
# window, the list, the grid with thumbnails decoded by OLE, the viewer, the geometry keys, Esc,
# and a launch of the player stub with its command line and the placement of its window.
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_setup_test menu 1024x768
export VESTRAMENU_MESSAGE_LOG
VESTRAMENU_MESSAGE_LOG=$(vm_windows_path "$VM_WORK/boxes.log")

shoot() {
  sleep "${2:-2}"
  vm_screenshot "$VM_WORK/$1.png"
}

count() { vm_count_colour "$VM_WORK/$1.png" "$2"; }

expect_range() {
  local value=$1 low=$2 high=$3 what=$4
  [ "$value" -ge "$low" ] && [ "$value" -le "$high" ] || vm_fail "$what: $value, expected $low to $high"
  vm_ok "$what: $value"
}

end_menu() {
  vm_press_key Escape
  vm_wait_exit Esc
}

# ---- Pictures: list, grid, viewer, geometries ---------------------------------------------------
PICS="$VM_WORK/pics"
mkdir -p "$PICS/Sub"
convert -size 64x64 xc:red -type TrueColor "BMP3:$PICS/red.bmp" || vm_fail "convert failed"
convert -size 64x48 xc:blue -quality 95 "$PICS/blue.jpg"
: >"$PICS/My Song.mp3"

vm_start_menu "$PICS"
vm_expect_geometry "0 0 1024 768" "start-up (half screen of 1024 x 768 at scale 2)"

shoot list
expect_range "$(count list lime)" 100 20000 "green file rows in the list"
expect_range "$(count list yellow)" 100 100000 "yellow folder rows and labels"
expect_range "$(count list blue)" 0 0 "no picture pixels in the list"

# Folders: the widest yellow row of the list area is "Sub" (the other one is ".."). A click selects
# it, a second click enters it: an empty folder lists no file. Its ".." leads back to the same list.
list_files=$(count list lime)
read -r x y <<<"$(vm_label_point "$VM_WORK/list.png" yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no yellow folder row"
vm_right_click_at "$x" "$y"
vm_right_click_at "$x" "$y"
shoot sub 2
expect_range "$(count sub lime)" 0 0 "no file rows in the entered folder Sub"
# The folder-path line below the MenuBar grows by "\Sub\".
path_width() {
  vm_mask "$VM_WORK/$1.png" yellow "$VM_WORK/$1.yellow.png"
  convert "$VM_WORK/$1.yellow.png" -crop 700x16+0+38 +repage "$VM_WORK/$1.path.png"
  vm_mask_box "$VM_WORK/$1.path.png" | awk '{ print $3 + 0 }'
}
expect_range "$(( $(path_width sub) - $(path_width list) ))" 20 80 "the path line grows on entering Sub"
read -r x y <<<"$(vm_label_point "$VM_WORK/sub.png" yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no .. row in Sub"
vm_right_click_at "$x" "$y"
vm_right_click_at "$x" "$y"
shoot left 2
expect_range "$(count left lime)" "$list_files" "$list_files" "green file rows after leaving Sub by .."

vm_press_key t
shoot grid 3
expect_range "$(count grid red)" 50000 90000 "red BMP thumbnail (280 x 280 on screen)"
expect_range "$(count grid blue)" 40000 80000 "blue JPEG thumbnail (280 x 210 on screen)"

read -r x y <<<"$(vm_centre_of_colour "$VM_WORK/grid.png" red)"
vm_right_click_at "$x" "$y"
shoot viewer 3
expect_range "$(count viewer blue)" 0 0 "no blue in the viewer of the red picture"
expect_range "$(count viewer red)" 1000 20000 "the red picture at half size (64 x 64 on screen)"

vm_right_click_at 500 300
shoot back 3
expect_range "$(count back blue)" 40000 80000 "a click in the viewer returns to the grid"

vm_press_key t
shoot list2 3
expect_range "$(count list2 blue)" 0 0 "T returns to the list"

vm_press_key F6
vm_expect_geometry "0 0 1280 960" "F6"
xdotool mousemove 100 50
vm_press_key m
vm_expect_geometry "100 50 1280 960" "M with the cursor at 100, 50"
vm_press_key F5
vm_expect_geometry "0 0 1024 768" "F5 (back at the corner)"
# A close request (Alt+F4 reaches the window procedure as WM_CLOSE) ends the loop as Esc does.
vm_focus "$MENU"
xdotool keydown alt
sleep 0.3
vm_press_key F4
xdotool keyup alt
vm_wait_exit "Alt+F4"

# ---- Launching the player -------------------------------------------------------------------------
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
shoot anchored 2
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
end_menu

[ ! -s "$VM_WORK/boxes.log" ] || vm_fail "unexpected message boxes: $(cat "$VM_WORK/boxes.log")"
vm_ok "no message boxes"
echo "PASS"
