#!/usr/bin/env bash
# vestramenu.exe under Wine on a 1024 x 768 virtual screen, driven with xdotool: the half-screen
# window, the list, entering and leaving a folder, the grid with thumbnails decoded by OLE, the
# viewer, the geometry keys and the M key, and the close request.
set -uo pipefail
source "$(dirname "$0")/windows/lib.bash"
vm_setup_test menu 1024x768
vm_log_message_boxes

PICS="$VM_WORK/pics"
mkdir -p "$PICS/Sub"
convert -size 64x64 xc:red -type TrueColor "BMP3:$PICS/red.bmp" || vm_fail "convert failed"
convert -size 64x48 xc:blue -quality 95 "$PICS/blue.jpg"
: >"$PICS/My Song.mp3"

vm_start_menu "$PICS"
vm_expect_geometry "0 0 1024 768" "start-up (half screen of 1024 x 768 at scale 2)"

vm_shoot list
vm_expect_range "$(vm_count_in_shot list lime)" 100 20000 "green file rows in the list"
vm_expect_range "$(vm_count_in_shot list yellow)" 100 100000 "yellow folder rows and labels"
vm_expect_range "$(vm_count_in_shot list blue)" 0 0 "no picture pixels in the list"

# Folders: the widest yellow row of the list area is "Sub" (the other one is ".."). A click selects
# it, a second click enters it: an empty folder lists no file. Its ".." leads back to the same list.
list_files=$(vm_count_in_shot list lime)
read -r x y <<<"$(vm_label_point "$VM_WORK/list.png" yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no yellow folder row"
vm_right_click_until "$x" "$y" vm_shot_region_count_between selected "$(vm_row_region "$x" "$y")" red 4 100000 || vm_fail "the Sub row was not selected"
vm_ok "a click selects the Sub row"
vm_right_click_until "$x" "$y" vm_shot_count_between sub lime 0 0 || vm_fail "Sub was not entered"
vm_ok "a second click enters Sub: no file rows"
# The folder-path line below the MenuBar grows by "\Sub\".
path_width() {
  vm_mask "$VM_WORK/$1.png" yellow "$VM_WORK/$1.yellow.png"
  convert "$VM_WORK/$1.yellow.png" -crop 700x16+0+38 +repage "$VM_WORK/$1.path.png"
  vm_mask_box "$VM_WORK/$1.path.png" | awk '{ print $3 + 0 }'
}
vm_expect_range "$(( $(path_width sub) - $(path_width list) ))" 20 80 "the path line grows on entering Sub"
read -r x y <<<"$(vm_label_point "$VM_WORK/sub.png" yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no .. row in Sub"
# The cross cursor covers the little ".." label, so its selection can't be seen: the clicks go on
# until the parent's list is back (one selects, the next leaves).
vm_right_click_until "$x" "$y" vm_shot_count_between left lime "$list_files" "$list_files" ||
  vm_fail "leaving Sub by .. did not give the first list back"
vm_ok "leaving Sub by .. gives the first list back: $list_files green pixels"

vm_key_until t vm_shot_count_between grid blue 40000 80000 || vm_fail "T showed no JPEG thumbnail"
vm_expect_range "$(vm_count_in_shot grid red)" 50000 90000 "red BMP thumbnail (280 x 280 on screen)"
vm_expect_range "$(vm_count_in_shot grid blue)" 40000 80000 "blue JPEG thumbnail (280 x 210 on screen)"

read -r x y <<<"$(vm_centre_of_colour "$VM_WORK/grid.png" red)"
vm_right_click_until "$x" "$y" vm_shot_count_between viewer blue 0 0 || vm_fail "no viewer after a click on the thumbnail"
vm_expect_range "$(vm_count_in_shot viewer red)" 1000 20000 "the red picture in the viewer at half size (64 x 64)"

vm_right_click_until 500 300 vm_shot_count_between back blue 40000 80000 ||
  vm_fail "a click in the viewer did not return to the grid"
vm_ok "a click in the viewer returns to the grid"

vm_key_until t vm_shot_count_between list2 blue 0 0 || vm_fail "T did not return to the list"
vm_ok "T returns to the list"

vm_key_until F6 vm_has_geometry "0 0 1280 960" || vm_fail "F6 changed nothing"
vm_expect_geometry "0 0 1280 960" "F6"
xdotool mousemove 100 50
vm_key_until m vm_has_geometry "100 50 1280 960" || vm_fail "M did not move the window"
vm_expect_geometry "100 50 1280 960" "M with the cursor at 100, 50"
vm_key_until F5 vm_has_geometry "0 0 1024 768" || vm_fail "F5 changed nothing"
vm_expect_geometry "0 0 1024 768" "F5 (back at the corner)"
# A close request (Alt+F4 reaches the window procedure as WM_CLOSE) ends the loop as Esc does.
vm_key_until alt+F4 vm_menu_exited
vm_wait_exit "Alt+F4"

vm_expect_no_message_boxes
echo "PASS"
