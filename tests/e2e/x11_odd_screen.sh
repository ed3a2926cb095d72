#!/usr/bin/env bash
# On a 1365 x 767 screen the half-screen Canvas is 681 x 382 and the window 1362 x 764 at 0, 0,
# showing the Canvas as the headless backend draws it; F6 still gives exactly 1280 x 960.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1365 767

menu=$WORK/media
mkdir -p "$menu/Pictures"
touch "$menu/a.mp3" "$menu/b.avi"
xdotool mousemove 400 300
vm_start_menu "$menu"

x11_expect_geometry "0 0 1362 764 IsViewable" "the start-up window"
vm_press_key minus
x11_expect_frame "$menu" 1365 767 400 300 1362 764 "the half-screen frame" 0xBD

vm_press_key F6
x11_expect_geometry "0 0 1280 960 IsViewable" "the window after F6"
vm_press_key F8
x11_expect_geometry "0 0 1365 767 IsViewable" "the window after F8"

vm_quit_menu
echo "PASS"
