#!/usr/bin/env bash
# vestramenu.exe under Wine on a screen of odd size, 1025 x 769: the half-screen window is 3 pixels
# smaller than the screen each way, F8 fills the screen, F7 opens Explorer on the folder. The
# folder's pictures are damaged: the grid shows them as empty cells and the menu goes on.
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_setup_test screen 1025x769

FOLDER="$VM_WORK/folder-$RANDOM"
mkdir -p "$FOLDER"
: >"$FOLDER/notes.txt"
convert -size 40x30 xc:green "$FOLDER/whole.jpg" || vm_fail "convert failed"
head -c 300 "$FOLDER/whole.jpg" >"$FOLDER/broken.jpg"
# A BMP header that claims 30000 x 30000 pixels, followed by almost nothing.
printf 'BM' >"$FOLDER/huge.bmp"
printf '\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00' >>"$FOLDER/huge.bmp"
printf '\x28\x00\x00\x00\x30\x75\x00\x00\x30\x75\x00\x00\x01\x00\x18\x00' >>"$FOLDER/huge.bmp"
head -c 64 /dev/zero >>"$FOLDER/huge.bmp"
vm_start_menu "$FOLDER"
# Canvas 511 x 383 (half of 1025 and 769, less 1 for the odd sizes) at scale 2.
vm_expect_geometry "0 0 1022 766" "half screen"
vm_key_until t vm_shot_count_between grid green 20000 100000 || vm_fail "T showed no thumbnail of the whole JPEG"
vm_ok "the whole JPEG's thumbnail beside the damaged ones: $(vm_count_in_shot grid green)"
vm_key_until t vm_shot_count_between list green 0 0 || vm_fail "T did not return to the list"

# Wine's Explorer titles its window with the folder's name.
explorer_open() { xdotool search --name "^$(basename "$FOLDER")\$" >/dev/null 2>&1; }
vm_key_until F7 explorer_open || vm_fail "F7 opened no Explorer window on the folder"
vm_ok "F7: Explorer window on $(basename "$FOLDER")"

vm_focus "$MENU"
vm_key_until F8 vm_has_geometry "0 0 1025 769" || vm_fail "F8 changed nothing"
vm_expect_geometry "0 0 1025 769" "F8"
vm_key_until Escape vm_menu_exited
vm_wait_exit Esc
echo "PASS"
