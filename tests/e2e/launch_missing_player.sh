#!/usr/bin/env bash
# Without moxa3 in StartDir the menu starts the one installed beside itself; with neither, a launch
# starts nothing, reports nothing and the menu goes on.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

# A copy of the menu alone in a folder: /proc/self/exe then names that folder.
installed="$WORK/installed"
mkdir -p "$installed" "$WORK/menu"
cp "$MENU_PROGRAM" "$installed/vestramenu"
MENU_PROGRAM="$installed/vestramenu"
touch "$WORK/menu/song.mp3"
vm_start_menu "$WORK/menu" VM_STUB_RECORD_DIR="$RECORDS"
song=$(vm_entry_index "$WORK/menu" song.mp3)

vm_select_row "$song" 960 540
vm_press_key p
sleep 1
vm_expect_menu_running
! xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1 || vm_fail "a player window appeared"

cp "$STUB_PLAYER" "$installed/moxa3"
vm_act_until vm_record_waiting vm_press_key p
vm_take_record "the player installed beside the menu"
vm_expect_record "$installed/moxa3" rightful "$WORK/menu/song.mp3" 0
vm_expect_player_window_at 0 0
vm_close_players

vm_quit_menu
echo "launch_missing_player: passed"
