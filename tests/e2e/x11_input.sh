#!/usr/bin/env bash
# Keyboard input on X11: Right and Left Shift scroll the list by 24 and back, N puts the list at
# the pointer (also in the moved 1280 x 960 window: the cursor mapping), Alt+key does nothing, a
# held M repeats and so drags the 1280 x 960 window along with the pointer, and keys and right
# clicks act while another window has the focus.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_headless_frame
vm_start_xvfb

menu=$WORK/media
mkdir -p "$menu"
for i in $(seq -w 1 60); do touch "$menu/track $i.mp3"; done
xdotool mousemove 700 400
vm_start_menu "$menu"
frame=("$menu" 1920 1080 700 400 1920 1080 0xBD)
vm_key_until_frame minus "${frame[@]}"
vm_key_until_frame Shift_R "${frame[@]}" 0xA1
vm_key_until_frame Shift_L "${frame[@]}" 0xA1 0xA0
xdotool mousemove 600 300
vm_key_until_frame n "$menu" 1920 1080 600 300 1920 1080 0xBD 0xA1 0xA0 0x4E

vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
xdotool mousemove 100 50
vm_key_until m "vm_window_at GAME '100 50 1280 960'"
xdotool mousemove 500 400
vm_key_until_frame n "$menu" 1920 1080 500 400 1280 960 0xBD 0xA1 0xA0 0x4E 0x75 @100,50 0x4D @500,400 0x4E
vm_key_until F5 "vm_window_at GAME '0 0 1920 1080'"

# Alt held: F6 is a system key and changes nothing.
xdotool keydown Alt_L
vm_press_key F6
xdotool keyup Alt_L
sleep 1
vm_window_at GAME "0 0 1920 1080" || vm_fail "Alt+F6 changed the window: $(vm_geometry GAME)"

# A held M repeats at the server's rate (on a server that repeats keys after 0.5 s), and every
# repeat moves the window to the pointer.
vm_quit_menu
vm_start_xvfb 1920x1080 500
vm_start_menu "$menu"
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
xdotool mousemove 100 50 keydown m
vm_check_for 5 "vm_window_at GAME '100 50 1280 960'" || vm_fail "M moved nothing"
xdotool mousemove 300 200
vm_check_for 5 "vm_window_at GAME '300 200 1280 960'" || vm_fail "a held M did not follow the pointer"
xdotool keyup m
sleep 0.5
xdotool mousemove 500 400
sleep 1
vm_window_at GAME "300 200 1280 960" || vm_fail "the window moved after M was released"

# Another client's window takes the focus; keys and right clicks still reach the menu.
xmessage -geometry +1500+900 -name other "another window" 2>/dev/null &
STARTED_PIDS+=($!)
vm_check_for 10 "xdotool search --name '^other\$'" || vm_fail "the other window did not appear"
other=$(xdotool search --name '^other$' | head -n 1)
xdotool windowfocus --sync "$other"
[ "$(xdotool getwindowfocus)" == "$other" ] || vm_fail "the other window did not take the focus"
vm_key_until F5 "vm_window_at GAME '0 0 1920 1080'"
xdotool windowfocus --sync "$other"
vm_click_canvas_until 480 524 960 540 "vm_window_at GAME '0 0 1280 960'"
vm_quit_menu
echo PASS
