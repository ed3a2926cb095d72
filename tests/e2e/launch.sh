#!/usr/bin/env bash
# Launching from the list: never through a shell, and only the moxa3 beside the menu's executable,
# never one planted in the start folder, not even through a relative entry of PATH (with none
# beside it a launch starts nothing and the menu goes on). A second click or P starts it with the
# path (asterisks for spaces) as one argument, F7 starts xdg-open on the folder, and the player's
# window is moved to 600 x 600 at the list block's corner: at 0, 0, and after CENTERCENTER.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu
vm_start_xvfb
menu="$WORK/it's a \"menu\" \$(touch canary) ; dir"
name='a $(touch canary) `touch canary`; x | y & "q'"'"'.mp3'
mkdir -p "$menu" "$WORK/bin"
touch "$menu/$name"
printf '#!/bin/sh\ntouch "%s"\n' "$WORK/canary" >"$menu/moxa3"
chmod +x "$menu/moxa3"
ln -s "$STUB_PLAYER" "$WORK/bin/xdg-open"
vm_install_menu_with_player "$STUB_PLAYER"
rm "$PLAYER"
vm_start_menu "$menu" PATH="$WORK/bin::.:/usr/bin:/bin" VM_STUB_RECORD_DIR="$RECORDS"
file=$(vm_entry_index "$menu" "$name")
vm_select_row 960 540 "$file"
vm_press_key p
sleep 1
! vm_record_file || vm_fail "a player ran with none beside the menu"

cp "$STUB_PLAYER" "$PLAYER"
expect_launch() {
  vm_expect_record "$PLAYER" rightful "${menu// /*}/${name// /*}" 0
  vm_expect_player_at "$1" "$2"
  vm_close_players
}
vm_click_until $(vm_row_point 960 540 "$file") vm_record_file
expect_launch 0 0
vm_key_until F7 vm_record_file
vm_expect_record "$WORK/bin/xdg-open" "$menu"
vm_close_players
# The CENTERCENTER label of the 1280 x 960 Canvas makes ViewOffset (426, -320): the player's corner
# is 426, 320 (the half screen's: moxa3.sh).
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
vm_click_until $(vm_canvas_to_screen 405 946 1280 960) "! vm_row_is none 1280 960 $file 426 -320"
vm_select_row 1280 960 "$file" 426 -320
vm_key_until p vm_record_file
expect_launch 426 320
[ -z "$(find "$WORK" -name 'canary*')" ] || vm_fail "a command was run: $(find "$WORK" -name 'canary*')"
vm_quit_menu
echo PASS
