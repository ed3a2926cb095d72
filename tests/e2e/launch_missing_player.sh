#!/usr/bin/env bash
# The menu runs the moxa3 installed beside its executable, never one found in the folder it was
# started in, not even through a relative entry of PATH: a planted moxa3 there never runs. With no
# moxa3 beside it or on PATH, a launch starts nothing, reports nothing and the menu goes on.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

menu="$WORK/menu"
mkdir -p "$menu"
touch "$menu/song.mp3"
printf '#!/bin/sh\ntouch "%s"\n' "$WORK/planted-ran" >"$menu/moxa3"
chmod +x "$menu/moxa3"
vm_install_menu_with_player "$STUB_PLAYER"
rm "$PLAYER"
vm_start_menu "$menu" VM_STUB_RECORD_DIR="$RECORDS" PATH="::.:/usr/bin:/bin"
song=$(vm_entry_index "$menu" song.mp3)

vm_select_row "$song" 960 540
vm_press_key p
sleep 1
vm_expect_menu_running
! xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1 || vm_fail "a player window appeared"

cp "$STUB_PLAYER" "$PLAYER"
vm_act_until vm_record_waiting vm_press_key p
vm_take_record "the player installed beside the menu"
vm_expect_record "$PLAYER" rightful "$menu/song.mp3" 0
vm_expect_player_window_at 0 0
vm_close_players
[ ! -e "$WORK/planted-ran" ] || vm_fail "the moxa3 planted in the start folder was run"

vm_quit_menu
echo "launch_missing_player: passed"
