#!/usr/bin/env bash
# vestramenu.exe under Wine on a screen of odd size, 1025 x 769: the half-screen window is 3 pixels
# smaller than the screen each way, F8 fills the screen, F7 opens Explorer on the folder. Damaged
# pictures show as empty cells beside a whole one's thumbnail, and the menu goes on.
source "$(dirname "$0")/lib.bash"
vm_setup_wine screen
vm_start_xvfb 1025x769

folder=$WORK/folder-$RANDOM
mkdir -p "$folder"
: >"$folder/notes.txt"
convert -size 40x30 xc:green "$folder/whole.jpg" || vm_fail "convert failed"
head -c 300 "$folder/whole.jpg" >"$folder/broken.jpg"
# A BMP header that claims 30000 x 30000 pixels, followed by almost nothing.
printf 'BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x30\x75\0\0\x30\x75\0\0\x01\0\x18\0' >"$folder/huge.bmp"
head -c 64 /dev/zero >>"$folder/huge.bmp"
vm_start_wine_menu "$folder"
# Canvas 511 x 383 (half of 1025 and 769, less 1 for the odd sizes) at scale 2.
vm_expect_window_at GAME "0 0 1022 766" "half screen"
vm_key_until t "vm_shot_count grid green 20000 100000"
vm_key_until t "vm_shot_count list green 0 0"
# Wine's Explorer titles its window with the folder's name.
vm_key_until F7 "xdotool search --name '^$(basename "$folder")\$'"
xdotool search --name '^GAME$' windowfocus --sync 2>/dev/null
vm_key_until F8 "vm_window_at GAME '0 0 1025 769'"
vm_quit_menu
echo PASS
