#!/usr/bin/env bash
# Launching from the list under X: a first click on a file only selects it, a second click or P
# starts the moxa3 beside the menu with " rightful <path with asterisks> 0 " as its words, and the
# player's window is moved to the list's corner at 600 x 600, raised and focused. P on a folder does
# nothing. The player is the same for a file in a folder walked into.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

menu="$WORK/my menu"
mkdir -p "$menu/Clips"
touch "$menu/My Song.mp3" "$menu/clip.avi" "$menu/Clips/in clips.mp4"
vm_install_menu_with_player "$STUB_PLAYER"
vm_start_menu "$menu" VM_STUB_RECORD_DIR="$RECORDS"

# Half-screen geometry on 1920 x 1080: a 960 x 540 Canvas.
song=$(vm_entry_index "$menu" "My Song.mp3")
clip=$(vm_entry_index "$menu" clip.avi)
folder=$(vm_entry_index "$menu" Clips)
self=$(vm_entry_index "$menu" .)

vm_select_row "$song" 960 540
vm_expect_no_record "a first click on a file launched it"

vm_act_until vm_record_waiting vm_click_list_row "$song" 960 540
vm_take_record "the player (second click)"
vm_expect_record "$PLAYER" rightful "${menu// /*}/My*Song.mp3" 0
vm_expect_player_window_at 0 0
vm_expect_menu_running
vm_close_players

vm_select_row "$folder" 960 540
vm_press_key p
vm_expect_no_record "P on a folder launched it"
vm_select_row "$self" 960 540
vm_press_key p
vm_expect_no_record "P on \".\" launched it"

vm_select_row "$clip" 960 540
vm_expect_no_record "a first click on a file launched it"
vm_act_until vm_record_waiting vm_press_key p
vm_take_record "the player (P)"
vm_expect_record "$PLAYER" rightful "${menu// /*}/clip.avi" 0
vm_expect_player_window_at 0 0
vm_close_players

# Inside a folder FolderPath ends in the separator; the launch path does not double it.
vm_select_row "$folder" 960 540
# Clips lists three entries, the start folder five.
vm_act_until "vm_row_is none 4 960 540" vm_click_list_row "$folder" 960 540
inner=$(vm_entry_index "$menu/Clips" "in clips.mp4")
vm_select_row "$inner" 960 540
vm_act_until vm_record_waiting vm_click_list_row "$inner" 960 540
vm_take_record "the player (in a folder)"
vm_expect_record "$PLAYER" rightful "${menu// /*}/Clips/in*clips.mp4" 0
vm_close_players

vm_quit_menu
echo "launch_player: passed"
