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
vm_right_click_at "$x" "$y"
vm_right_click_at "$x" "$y"
vm_shoot sub 2
vm_expect_range "$(vm_count_in_shot sub lime)" 0 0 "no file rows in the entered folder Sub"
# The folder-path line below the MenuBar grows by "\Sub\".
path_width() {
  vm_mask "$VM_WORK/$1.png" yellow "$VM_WORK/$1.yellow.png"
  convert "$VM_WORK/$1.yellow.png" -crop 700x16+0+38 +repage "$VM_WORK/$1.path.png"
  vm_mask_box "$VM_WORK/$1.path.png" | awk '{ print $3 + 0 }'
}
vm_expect_range "$(( $(path_width sub) - $(path_width list) ))" 20 80 "the path line grows on entering Sub"
read -r x y <<<"$(vm_label_point "$VM_WORK/sub.png" yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no .. row in Sub"
vm_right_click_at "$x" "$y"
vm_right_click_at "$x" "$y"
vm_shoot left 2
vm_expect_range "$(vm_count_in_shot left lime)" "$list_files" "$list_files" "green file rows after leaving Sub by .."

vm_press_key t
vm_shoot grid 3
vm_expect_range "$(vm_count_in_shot grid red)" 50000 90000 "red BMP thumbnail (280 x 280 on screen)"
vm_expect_range "$(vm_count_in_shot grid blue)" 40000 80000 "blue JPEG thumbnail (280 x 210 on screen)"

read -r x y <<<"$(vm_centre_of_colour "$VM_WORK/grid.png" red)"
vm_right_click_at "$x" "$y"
vm_shoot viewer 3
vm_expect_range "$(vm_count_in_shot viewer blue)" 0 0 "no blue in the viewer of the red picture"
vm_expect_range "$(vm_count_in_shot viewer red)" 1000 20000 "the red picture at half size (64 x 64 on screen)"

vm_right_click_at 500 300
vm_shoot back 3
vm_expect_range "$(vm_count_in_shot back blue)" 40000 80000 "a click in the viewer returns to the grid"

vm_press_key t
vm_shoot list2 3
vm_expect_range "$(vm_count_in_shot list2 blue)" 0 0 "T returns to the list"

vm_press_key F6
vm_expect_geometry "0 0 1280 960" "F6"
xdotool mousemove 100 50
vm_press_key m
vm_expect_geometry "100 50 1280 960" "M with the cursor at 100, 50"
vm_press_key F5
vm_expect_geometry "0 0 1024 768" "F5 (back at the corner)"
# A close request (Alt+F4 reaches the window procedure as WM_CLOSE) ends the loop as Esc does.
vm_focus "$MENU"
xdotool keydown alt
sleep 0.3
vm_press_key F4
xdotool keyup alt
vm_wait_exit "Alt+F4"

vm_expect_no_message_boxes
echo "PASS"
