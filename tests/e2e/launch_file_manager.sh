#!/usr/bin/env bash
# F7 and the "F7" label hand FolderPath, unchanged, as one argument to xdg-open (a stand-in found
# first on PATH), both in the start folder and after walking into a folder (which FolderPath holds
# with a separator at its end).
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

menu="$WORK/it's a \"menu\" \$(touch canary) ; dir"
mkdir -p "$menu/Sub  Folder" "$WORK/bin"
ln -s "$STUB_PLAYER" "$WORK/bin/xdg-open"
vm_start_menu "$menu" PATH="$WORK/bin:$PATH" VM_STUB_RECORD_DIR="$RECORDS" VM_STUB_NO_WINDOW=1

vm_act_until vm_record_waiting vm_press_key F7
vm_take_record "xdg-open (F7)"
vm_expect_record xdg-open "$menu"

# The "F7" label of the half-screen MenuBar, at x 494 on the base line 540 - 11.
vm_act_until vm_record_waiting vm_right_click_canvas 496 526 960 540
vm_take_record "xdg-open (the F7 label)"
vm_expect_record xdg-open "$menu"

sub=$(vm_entry_index "$menu" "Sub  Folder")
vm_select_row "$sub" 960 540
# The folder lists two entries, the start folder three.
vm_act_until "vm_row_is none 3 960 540" vm_click_list_row "$sub" 960 540
vm_act_until vm_record_waiting vm_press_key F7
vm_take_record "xdg-open (F7 in a folder)"
vm_expect_record xdg-open "$menu/Sub  Folder/"

[ -z "$(find "$WORK" -name canary)" ] || vm_fail "a command in the folder name was run"
vm_quit_menu
echo "launch_file_manager: passed"
