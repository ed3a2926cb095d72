#!/usr/bin/env bash
# The window's geometry and pixels. On 1920 x 1080 it starts at 0, 0, 1920 x 1080, showing the
# 960 x 540 Canvas at scale 2 pixel for pixel as the headless backend draws it; F6 gives 1280 x 960,
# F8 the full screen at scale 1, F5 the half screen again; M moves the window to the pointer only
# while the Canvas is 1280 wide. Odd screen sizes round the half-screen Canvas down, and the screen
# is the primary monitor's (RandR), changes included.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_headless_frame
vm_start_xvfb
menu=$WORK/media
mkdir -p "$menu/Films" && touch "$menu/song.mp3" "$menu/My Song.mp3"
xdotool mousemove 700 400
vm_start_menu "$menu"
vm_expect_window_at GAME "0 0 1920 1080" "start-up"
# The clock differs between runs: minus hides it in both.
vm_key_until_frame minus "$menu" 1920 1080 700 400 1920 1080 0xBD

vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
xdotool mousemove 100 50
vm_key_until m "vm_window_at GAME '100 50 1280 960'"
vm_key_until F5 "vm_window_at GAME '0 0 1920 1080'"
xdotool mousemove 300 200
vm_press_key m
xdotool mousemove 700 400
vm_key_until_frame F8 "$menu" 1920 1080 700 400 1920 1080 0xBD 0x77
vm_press_key m
vm_expect_window_at GAME "0 0 1920 1080" "the full screen after M"
vm_key_until F5 "vm_frame_matches '$menu' 1920 1080 700 400 1920 1080 0xBD 0x77 0x74"
vm_quit_menu

# screen | primary monitor (empty: none set) | half screen | F8 | primary monitor later | F8 then
for entry in "1365x767||0 0 1362 764|0 0 1365 767||" \
  "1920x1080|1280x720|0 0 1280 720|0 0 1280 720|1920x1080|0 0 1920 1080"; do
  IFS='|' read -r screen monitor half full later fullLater <<<"$entry"
  vm_start_xvfb "$screen"
  if [ -n "$monitor" ]; then
    xrandr --newmode 1280x720 74.25 1280 1390 1430 1650 720 725 730 750 && xrandr --addmode screen 1280x720 &&
      xrandr --fb "$screen" --output screen --mode "$monitor" --primary || vm_fail "no $monitor primary monitor"
  fi
  xdotool mousemove 400 300
  vm_start_menu "$menu"
  vm_expect_window_at GAME "$half" "start-up on $screen"
  read -r _ _ width height <<<"$half"
  [ -n "$monitor" ] || vm_key_until_frame minus "$menu" ${screen/x/ } 400 300 "$width" "$height" 0xBD
  vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
  vm_key_until F8 "vm_window_at GAME '$full'"
  if [ -n "$later" ]; then
    xrandr --output screen --mode "$later" || vm_fail "the primary monitor did not take $later"
    vm_key_until F8 "vm_window_at GAME '$fullLater'"
  fi
  vm_quit_menu
done
echo PASS
