#!/usr/bin/env bash
# vestramenu.exe under Wine on a screen of odd size, 1025 x 769: the half-screen window is 3 pixels
# smaller than the screen each way; the list, entering and leaving a folder, the grid with
# thumbnails decoded by OLE (damaged pictures as empty cells, the menu going on), the viewer, the
# geometry keys, F7 opening Explorer on the folder, and the close request (Alt+F4).
source "$(dirname "$0")/lib.bash"
vm_setup_wine menu
vm_start_xvfb 1025x769
pics=$WORK/pics-$RANDOM
mkdir -p "$pics/Sub"
convert -size 64x64 xc:red -type TrueColor "BMP3:$pics/red.bmp" && convert -size 64x48 xc:blue -quality 95 "$pics/blue.jpg" ||
  vm_fail "convert failed"
: >"$pics/My Song.mp3"
head -c 300 "$pics/blue.jpg" >"$pics/Sub/broken.jpg"
# A BMP header that claims 30000 x 30000 pixels, followed by almost nothing.
printf 'BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x30\x75\0\0\x30\x75\0\0\x01\0\x18\0' >"$pics/Sub/huge.bmp"
head -c 64 /dev/zero >>"$pics/Sub/huge.bmp"
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
# Wine's Explorer titles its window with the folder's name.
vm_key_until F7 "xdotool search --name '^$(basename "$pics")\$'"
for entry in "F6|0 0 1280 960" "F8|0 0 1025 769"; do
  xdotool search --name '^GAME$' windowfocus --sync
  vm_key_until "${entry%|*}" "vm_window_at GAME '${entry#*|}'"
done
xdotool search --name '^GAME$' windowfocus --sync
vm_key_until alt+F4 '[ -s "$WORK/status" ]'
vm_expect_exit Alt+F4
echo PASS
