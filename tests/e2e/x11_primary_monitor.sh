#!/usr/bin/env bash
# The screen size is the primary monitor's (RandR), not the whole X screen's: with a 1280 x 720
# primary monitor on a 1920 x 1080 screen the half-screen window is 1280 x 720, and so is F8's.
# A monitor changed while the menu runs is what the next display mode sizes itself by.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1920 1080
xrandr --newmode 1280x720 74.25 1280 1390 1430 1650 720 725 730 750 &&
  xrandr --addmode screen 1280x720 &&
  xrandr --fb 1920x1080 --output screen --mode 1280x720 --primary ||
  vm_fail "the virtual screen did not take a 1280 x 720 primary monitor"

x11_song_folder
vm_start_menu "$menu"
x11_expect_geometry "0 0 1280 720 IsViewable" "the start-up window"
vm_press_key F8
x11_expect_geometry "0 0 1280 720 IsViewable" "the window after F8"
xrandr --output screen --mode 1920x1080 || vm_fail "the primary monitor did not take 1920 x 1080"
vm_press_key F8
x11_expect_geometry "0 0 1920 1080 IsViewable" "the window after F8 on the changed monitor"
vm_quit_menu
echo "PASS"
