#!/usr/bin/env bash
# The window's geometry and pixels and the keyboard, checked against the headless frame after the
# same keys. On 1920 x 1080 the window starts at 0, 0, 1920 x 1080, showing the 960 x 540 Canvas at
# scale 2; Right and Left Shift scroll the list by 24 and back, N puts the list at the pointer (also
# in the moved window: the cursor mapping); F6 gives 1280 x 960, which M moves to the pointer (only
# it), F8 the full screen at scale 1, F5 the half screen again; Alt+key does nothing; keys and right
# clicks act while another window has the focus. Odd screen sizes round the half-screen Canvas
# down, and the screen is the primary monitor's (RandR), changes included.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_headless_frame
vm_start_xvfb
menu=$WORK/media
mkdir -p "$menu/Films" && for i in $(seq -w 1 60); do touch "$menu/track $i.mp3"; done
# The screen and first pointer, and the keys (virtual-key codes, @X,Y pointer moves) since.
frame=("$menu" 1920 1080 700 400) keys=()
frame_shown() {
  local left top width height
  "$HELPERS/x11_headless_frame" "${frame[@]}" "$WORK/expected.ppm" "${keys[@]}" || return 1
  read -r left top width height _ < <(vm_geometry GAME)
  import -window root -crop "${width}x$height+$left+$top" +repage "$WORK/shown.png" &&
    [ "$(compare -metric AE "$WORK/shown.png" "$WORK/expected.ppm" null: 2>&1)" == 0 ]
}
point() { xdotool mousemove "$1" "$2"; keys+=("@$1,$2"); }
# Presses key (virtual key code) until check holds, by default until the headless frame shows.
press_until() { keys+=("$2"); vm_key_until "$1" "${3:-frame_shown}"; }
expect_window_stays() { sleep 1; vm_window_at GAME "$1" || vm_fail "$2 changed the window: $(vm_geometry GAME)"; }

point 700 400
vm_start_menu "$menu"
vm_expect_window_at GAME "0 0 1920 1080" "start-up"
press_until minus 0xBD  # the clock differs between runs: minus hides it in both
press_until Shift_R 0xA1
press_until Shift_L 0xA0
point 600 300
press_until n 0x4E
press_until F6 0x75 "vm_window_at GAME '0 0 1280 960'"
point 100 50
press_until m 0x4D "vm_window_at GAME '100 50 1280 960'"
point 500 400
press_until n 0x4E
# Alt held: F5 is a system key.
xdotool keydown Alt_L; vm_press_key F5; xdotool keyup Alt_L
expect_window_stays "100 50 1280 960" Alt+F5
press_until F5 0x74 "vm_window_at GAME '0 0 1920 1080'"
point 300 200
vm_press_key m && keys+=(0x4D)
expect_window_stays "0 0 1920 1080" "M in the half screen"
point 700 400
press_until F8 0x77
vm_press_key m && keys+=(0x4D)
expect_window_stays "0 0 1920 1080" "M in the full screen"
press_until F5 0x74

# Another client's window takes the focus; right clicks (the "F6" label) and keys still reach the menu.
xmessage -geometry +1500+900 -name other "another window" 2>/dev/null & STARTED_PIDS+=($!)
vm_check_for 10 "xdotool search --name '^other\$'" || vm_fail "the other window did not appear"
focus_other() {
  xdotool search --name '^other$' windowfocus --sync
  [ "$(xdotool getwindowfocus)" == "$(xdotool search --name '^other$')" ] || vm_fail "the other window did not take the focus"
}
focus_other && vm_click_until $(vm_canvas_to_screen 480 524 960 540) "vm_window_at GAME '0 0 1280 960'"
focus_other && vm_key_until F5 "vm_window_at GAME '0 0 1920 1080'"
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
  frame=("$menu" ${screen/x/ } 400 300) keys=()
  point 400 300
  vm_start_menu "$menu"
  vm_expect_window_at GAME "$half" "start-up on $screen"
  [ -n "$monitor" ] || press_until minus 0xBD
  vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
  vm_key_until F8 "vm_window_at GAME '$full'"
  if [ -n "$later" ]; then
    xrandr --output screen --mode "$later" || vm_fail "the primary monitor did not take $later"
    vm_key_until F8 "vm_window_at GAME '$fullLater'"
  fi
  vm_quit_menu
done
echo PASS
