#!/usr/bin/env bash
# Where the player's window goes under X: on the list block's top-left corner after CENTERCENTER in
# the half-screen and the 1280 x 960 geometries, and moved up so that its bottom stays on the screen
# when the 1280 x 960 window has been moved near the screen's bottom with M.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

menu="$WORK/menu"
mkdir -p "$menu"
touch "$menu/song.mp3"
vm_install_menu_with_player "$STUB_PLAYER"
vm_start_menu "$menu" VM_STUB_RECORD_DIR="$RECORDS"
song=$(vm_entry_index "$menu" song.mp3)

launch_song() {
  local expected=$1
  vm_take_record "the player ($expected)"
  vm_expect_record "$PLAYER" rightful "$menu/song.mp3" 0
}

# Half screen, 960 x 540 at scale 2: CENTERCENTER makes ViewOffset (320, -180).
vm_act_until "! vm_row_is none $song 960 540 320 -180" vm_right_click_canvas 405 526 960 540
vm_select_row "$song" 960 540 320 -180
vm_act_until vm_record_waiting vm_click_list_row "$song" 960 540 320 -180
launch_song "half screen after CENTERCENTER"
vm_expect_player_window_at 640 360
vm_close_players

# 1280 x 960 at scale 1: CENTERCENTER makes ViewOffset (426, -320); the song stays selected, so
# one click on its row launches it.
vm_act_until "xwininfo -name GAME | grep -q 'Width: 1280'" vm_press_key F6
vm_act_until "! vm_row_is none $song 1280 960 426 -320" vm_right_click_canvas 405 946 1280 960
vm_act_until vm_record_waiting vm_click_list_row "$song" 1280 960 426 -320
launch_song "1280 x 960 after CENTERCENTER"
vm_expect_player_window_at 426 320
vm_close_players

# The window moved to (100, 700) reaches 580 rows below the 1080-row screen: the player is moved up
# from top 700 to 480.
vm_act_until "! vm_row_is none $song 1280 960" vm_press_key F6
xdotool mousemove 100 700
sleep 0.2
vm_act_until "xwininfo -name GAME | grep -q 'Absolute upper-left Y:  700'" vm_press_key m
vm_act_until vm_record_waiting vm_click_list_row "$song" 1280 960
launch_song "moved window"
vm_expect_player_window_at 100 480
vm_close_players

vm_quit_menu
echo "launch_placement: passed"
