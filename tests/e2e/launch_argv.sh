#!/usr/bin/env bash
# Launches never go through a shell. The menu runs the moxa3 beside its executable, never one
# planted in the folder it was started in, not even through a relative entry of PATH; with none
# there a launch starts nothing and the menu goes on. File names and a folder name that a shell
# would act on reach the player, and FolderPath reaches xdg-open (F7 or its label, also inside a
# folder), each as one argument, changed only by asterisks for the player's spaces.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu
vm_start_xvfb

menu="$WORK/it's a \"menu\" \$(touch canary) ; dir"
names=('a $(touch canary_a) b.mp3' '`touch canary_b`.mp3' 'x; touch canary_c.mp3' 'p | touch canary_d & q.mp3'
  "it's \"quoted\".mp3" $'new\nline.mp3' '-leading dash.mp3')
mkdir -p "$menu/Sub  Folder" "$WORK/bin"
for name in "${names[@]}"; do touch "$menu/$name"; done
printf '#!/bin/sh\ntouch "%s"\n' "$WORK/canary_planted" >"$menu/moxa3"
chmod +x "$menu/moxa3"
ln -s "$STUB_PLAYER" "$WORK/bin/xdg-open"
vm_install_menu_with_player "$STUB_PLAYER"
rm "$PLAYER"
vm_start_menu "$menu" PATH="$WORK/bin::.:/usr/bin:/bin" VM_STUB_RECORD_DIR="$RECORDS" VM_STUB_NO_WINDOW=1
row() { echo 960 540 "$(vm_entry_index "$menu" "$1")"; }

vm_select_row $(row "${names[0]}")
vm_press_key p
vm_expect_no_record "a player ran with none beside the menu"
kill -0 "$MENU_PID" || vm_fail "the menu ended on a launch without a player"

cp "$STUB_PLAYER" "$PLAYER"
for name in "${names[@]}"; do
  vm_select_row $(row "$name")
  vm_key_until p vm_record_waiting
  vm_expect_record "$PLAYER" rightful "${menu// /*}/${name// /*}" 0
done

vm_key_until F7 vm_record_waiting
vm_expect_record "$WORK/bin/xdg-open" "$menu"
# The "F7" label of the half-screen MenuBar, at x 494 on the base line 540 - 11.
vm_click_canvas_until 496 526 960 540 vm_record_waiting
vm_expect_record "$WORK/bin/xdg-open" "$menu"
vm_select_row $(row "Sub  Folder")
# The folder lists two entries.
vm_click_row_until $(row "Sub  Folder") "vm_row_is none 960 540 3"
vm_key_until F7 vm_record_waiting
vm_expect_record "$WORK/bin/xdg-open" "$menu/Sub  Folder/"

[ -z "$(find "$WORK" -name 'canary*')" ] || vm_fail "a command was run: $(find "$WORK" -name 'canary*')"
vm_quit_menu
echo PASS
