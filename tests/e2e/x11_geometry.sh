#!/usr/bin/env bash
# The window on a 1920 x 1080 screen: 1920 x 1080 at 0, 0 showing the 960 x 540 Canvas at scale 2
# pixel for pixel as the headless backend draws it; F6 gives 1280 x 960, F8 the full screen at
# scale 1, F5 the half-screen geometry again; a right click on the "F6" label acts like F6. M moves
# the window to the pointer only while the Canvas is 1280 wide, and a mode change puts it back.
# A part of the window uncovered by another window is drawn again; the system pointer is hidden
# over the window; D asks for the window to be minimised.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1920 1080

menu=$WORK/media
mkdir -p "$menu/Films"
touch "$menu/song.mp3" "$menu/My Song.mp3"
xdotool mousemove 700 400
vm_start_menu "$menu"

x11_expect_geometry "0 0 1920 1080 IsViewable" "the start-up window"
[ "$(xdotool search --name '^GAME$' | wc -l)" -eq 1 ] || vm_fail "not exactly one window titled GAME"
# The clock differs between runs: minus hides it in both.
vm_press_key minus
x11_expect_frame "$menu" 1920 1080 700 400 1920 1080 "the half-screen frame" 0xBD

# Another window over the menu's, then gone: the uncovered part is drawn again.
xmessage -geometry 400x300+200+200 -name cover "a window over the menu" 2>/dev/null &
cover=$!
STARTED_PIDS+=("$cover")
vm_wait_for xdotool search --name '^cover$' || vm_fail "the covering window did not appear"
sleep 0.3
kill "$cover"
vm_wait_for sh -c "! xdotool search --name '^cover$'" || vm_fail "the covering window stayed"
sleep 0.3
x11_expect_frame "$menu" 1920 1080 700 400 1920 1080 "the frame uncovered again" 0xBD

vm_press_key F6
x11_expect_geometry "0 0 1280 960 IsViewable" "the window after F6"
# The system pointer is hidden over the window (the menu draws its own cross), not elsewhere.
xdotool mousemove 640 480
sleep 0.2
[ "$("$CURSOR_IMAGE")" == "1x1 0" ] || vm_fail "the pointer shows over the window: $("$CURSOR_IMAGE")"
xdotool mousemove 1600 1000
sleep 0.2
[ "$("$CURSOR_IMAGE" | cut -d' ' -f2)" != "0" ] || vm_fail "the pointer is hidden outside the window"
xdotool mousemove 100 50
vm_press_key m
x11_expect_geometry "100 50 1280 960 IsViewable" "the window after M"

vm_press_key F5
x11_expect_geometry "0 0 1920 1080 IsViewable" "the window after F5"
xdotool mousemove 300 200
vm_press_key m
x11_expect_geometry "0 0 1920 1080 IsViewable" "the half-screen window after M"

xdotool mousemove 700 400
vm_press_key F8
x11_expect_geometry "0 0 1920 1080 IsViewable" "the window after F8"
x11_expect_frame "$menu" 1920 1080 700 400 1920 1080 "the full-screen frame" 0xBD 0x77
vm_press_key m
x11_expect_geometry "0 0 1920 1080 IsViewable" "the full-screen window after M"

# Back to half screen, then the "F6" label: x 479, in the band below the base line at Canvas height - 11.
vm_press_key F5
vm_right_click_canvas 480 $((540 - 11 - 5)) 960 540
x11_expect_geometry "0 0 1280 960 IsViewable" "the window after a click on F6"

# D asks the window manager (there is none here) to minimise the menu's window.
"$ICONIFY_REQUEST" >"$WORK/iconify" &
listener=$!
STARTED_PIDS+=("$listener")
vm_wait_for grep -q ready "$WORK/iconify" || vm_fail "the iconify listener did not start"
vm_press_key d
wait "$listener" || vm_fail "D sent no request to minimise a window"
[ "$(tail -n 1 "$WORK/iconify")" == "$(xdotool search --name '^GAME$' | head -n 1)" ] ||
  vm_fail "D asked to minimise window $(tail -n 1 "$WORK/iconify"), not the menu's"

vm_quit_menu
echo "PASS"
