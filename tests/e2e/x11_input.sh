#!/usr/bin/env bash
# Global keyboard input on X11: Right and Left Shift scroll the list by 24 and back, N puts the
# list at the pointer (the cursor mapping), Alt+key does nothing, a held M repeats and so drags
# the 1280 x 960 window along with the pointer, and keys and right clicks act while another window
# has the focus.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1920 1080

menu=$WORK/media
mkdir -p "$menu"
for i in $(seq -w 1 60); do touch "$menu/track $i.mp3"; done
xdotool mousemove 700 400
vm_start_menu "$menu"
vm_press_key minus

vm_press_key Shift_R
x11_expect_frame "$menu" 1920 1080 700 400 1920 1080 "the list after Right Shift" 0xBD 0xA1
vm_press_key Shift_L
x11_expect_frame "$menu" 1920 1080 700 400 1920 1080 "the list after Left Shift" 0xBD 0xA1 0xA0

xdotool mousemove 600 300
vm_press_key n
x11_expect_frame "$menu" 1920 1080 600 300 1920 1080 "the list placed at the pointer by N" 0xBD 0xA1 0xA0 0x4E

# On the 1280 x 960 window moved to (100, 50), the pointer maps into the Canvas relative to the
# window: N puts the list there.
vm_press_key F6
xdotool mousemove 100 50
vm_press_key m
xdotool mousemove 500 400
vm_press_key n
x11_expect_frame "$menu" 1920 1080 500 400 1280 960 "(the moved window's) list placed at the pointer by N" \
  0xBD 0xA1 0xA0 0x4E 0x75 @100,50 0x4D @500,400 0x4E
vm_press_key F5

# Alt held: F6 is a system key and changes nothing.
xdotool keydown Alt_L
vm_press_key F6
xdotool keyup Alt_L
sleep 0.5
x11_expect_geometry "0 0 1920 1080 IsViewable" "the window after Alt+F6"

# A held M repeats at the server's rate, and every repeat moves the window to the pointer.
vm_press_key F6
xdotool mousemove 100 50
xdotool keydown m
sleep 0.4
x11_expect_geometry "100 50 1280 960 IsViewable" "the window when M went down"
xdotool mousemove 300 200
sleep 1.5
x11_expect_geometry "300 200 1280 960 IsViewable" "the window while M is held"
xdotool keyup m
sleep 0.3
xdotool mousemove 500 400
sleep 1
x11_expect_geometry "300 200 1280 960 IsViewable" "the window after M was released"

# Another client's window takes the focus; keys and right clicks still reach the menu (whose new
# window then takes the focus, as a re-created window does).
xmessage -geometry +1500+900 -name other "another window" 2>/dev/null &
STARTED_PIDS+=($!)
vm_wait_for xdotool search --name '^other$' || vm_fail "the other window did not appear"
other=$(xdotool search --name '^other$' | head -n 1)
xdotool windowfocus --sync "$other"
[ "$(xdotool getwindowfocus)" == "$other" ] || vm_fail "the other window did not take the focus"
vm_press_key F5
x11_expect_geometry "0 0 1920 1080 IsViewable" "the window after F5 typed into another window"
# And right clicks too: the "F6" label.
xdotool windowfocus --sync "$other"
vm_right_click_canvas 480 $((540 - 11 - 5)) 960 540
x11_expect_geometry "0 0 1280 960 IsViewable" "the window after a click on F6 with another window focused"

vm_quit_menu
echo "PASS"
