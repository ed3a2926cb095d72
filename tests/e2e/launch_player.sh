#!/usr/bin/env bash
# Launching from the list: a first click on a file only selects it, a second click or P starts the
# moxa3 beside the menu with " rightful <path with asterisks> 0 " (no doubled separator inside a
# folder), and the player's window is moved to 600 x 600 at the list block's corner, raised and
# focused: at 0, 0; after CENTERCENTER in the half-screen and the 1280 x 960 geometries; moved up
# to keep its bottom on the screen when M has put the window near the bottom. P on a folder or
# "." starts nothing.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu
vm_start_xvfb

menu="$WORK/my menu"
mkdir -p "$menu/Clips"
touch "$menu/My Song.mp3" "$menu/clip.avi" "$menu/Clips/in clips.mp4"
vm_install_menu_with_player "$STUB_PLAYER"
vm_start_menu "$menu" VM_STUB_RECORD_DIR="$RECORDS"
index() { vm_entry_index "$menu" "$1"; }
song=$(index "My Song.mp3") clip=$(index clip.avi) folder=$(index Clips) inner=$(vm_entry_index "$menu/Clips" "in clips.mp4")

# expect_launch "file as handed over" left top
expect_launch() {
  vm_expect_record "$PLAYER" rightful "${menu// /*}/$1" 0
  vm_expect_player_at "$2" "$3"
  vm_close_players
}

vm_select_row 960 540 "$song"
vm_expect_no_record "a first click on a file launched it"
vm_click_row_until 960 540 "$song" vm_record_waiting
expect_launch My*Song.mp3 0 0
for entry in "$folder" "$(index .)"; do
  vm_select_row 960 540 "$entry"
  vm_press_key p
  vm_expect_no_record "P on a folder launched it"
done
vm_select_row 960 540 "$clip"
vm_key_until p vm_record_waiting
expect_launch clip.avi 0 0

# Clips lists three entries, the start folder five.
vm_select_row 960 540 "$folder"
vm_click_row_until 960 540 "$folder" "vm_row_is none 960 540 4"
vm_select_row 960 540 "$inner"
vm_click_row_until 960 540 "$inner" vm_record_waiting
expect_launch Clips/in*clips.mp4 0 0

# Half screen, 960 x 540 at scale 2: CENTERCENTER makes ViewOffset (320, -180).
vm_click_canvas_until 405 526 960 540 "! vm_row_is none 960 540 $inner 320 -180"
vm_click_row_until 960 540 "$inner" 320 -180 vm_record_waiting
expect_launch Clips/in*clips.mp4 640 360
# 1280 x 960 at scale 1: ViewOffset (426, -320).
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
vm_click_canvas_until 405 946 1280 960 "! vm_row_is none 1280 960 $inner 426 -320"
vm_click_row_until 1280 960 "$inner" 426 -320 vm_record_waiting
expect_launch Clips/in*clips.mp4 426 320
# Moved to (100, 700), the window reaches 580 rows below the 1080-row screen: the player goes up
# from 700 to 480.
vm_key_until F6 "! vm_row_is none 1280 960 $inner"
xdotool mousemove 100 700
vm_key_until m "vm_window_at GAME '100 700 1280 960'"
vm_click_row_until 1280 960 "$inner" vm_record_waiting
expect_launch Clips/in*clips.mp4 100 480
vm_quit_menu
echo PASS
