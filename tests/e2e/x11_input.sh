#!/usr/bin/env bash
# Keyboard input on X11, checked against the headless frame after the same virtual keys: Right and
# Left Shift scroll the list by 24 and back, N puts the list at the pointer (also in the moved
# 1280 x 960 window: the cursor mapping); Alt+key does nothing; keys and right clicks act while
# another window has the focus.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_headless_frame
vm_start_xvfb
menu=$WORK/media
mkdir -p "$menu"
for i in $(seq -w 1 60); do touch "$menu/track $i.mp3"; done
xdotool mousemove 700 400
vm_start_menu "$menu"
frame=("$menu" 1920 1080 700 400)
keys=()
# key | pointer moved to first | virtual keys (the clock differs between runs: minus hides it)
for step in "minus||0xBD" "Shift_R||0xA1" "Shift_L||0xA0" "n|600 300|0x4E"; do
  IFS='|' read -r key pointer codes <<<"$step"
  [ -z "$pointer" ] || { xdotool mousemove $pointer; keys+=("@${pointer/ /,}"); }
  keys+=("$codes")
  vm_key_until_frame "$key" "${frame[@]}" 1920 1080 "${keys[@]}"
done
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
xdotool mousemove 100 50
vm_key_until m "vm_window_at GAME '100 50 1280 960'"
xdotool mousemove 500 400
vm_key_until_frame n "${frame[@]}" 1280 960 "${keys[@]}" 0x75 @100,50 0x4D @500,400 0x4E
# Alt held: F5 is a system key and changes nothing.
xdotool keydown Alt_L
vm_press_key F5
xdotool keyup Alt_L
sleep 1
vm_window_at GAME "100 50 1280 960" || vm_fail "Alt+F5 changed the window: $(vm_geometry GAME)"

# Another client's window takes the focus; keys and right clicks (the "F6" label) still reach the menu.
xmessage -geometry +1500+900 -name other "another window" 2>/dev/null & STARTED_PIDS+=($!)
vm_check_for 10 "xdotool search --name '^other\$'" || vm_fail "the other window did not appear"
for step in "F5|0 0 1920 1080" "click|0 0 1280 960"; do
  xdotool search --name '^other$' windowfocus --sync
  [ "$(xdotool getwindowfocus)" == "$(xdotool search --name '^other$')" ] || vm_fail "the other window did not take the focus"
  [ "${step%|*}" == click ] && vm_click_until $(vm_canvas_to_screen 480 524 960 540) "vm_window_at GAME '${step#*|}'" ||
    vm_key_until "${step%|*}" "vm_window_at GAME '${step#*|}'"
done
vm_quit_menu
echo PASS
