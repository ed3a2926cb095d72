#!/usr/bin/env bash
# The window and the session: the X screen saver stays off while the menu's window exists, a mode
# change included, and starts again once the menu has ended; D asks the window manager to minimise
# the menu's window; the window manager's close request (WM_DELETE_WINDOW) only asks the loop to
# end: the window stays during the one-second message drain, then the menu ends with status 0.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_probe
vm_start_xvfb
PROBE=$HELPERS/x11_probe
xset s 1 1

expect_saver() { [ "$("$PROBE" saver)" == "$1" ] || vm_fail "$2: the screen saver is not $1"; }

mkdir "$WORK/media"
sleep 2.5
expect_saver on "before the menu started"
vm_start_menu "$WORK/media"
xdotool mousemove 10 10  # input ends the saver the menu found running
sleep 3
expect_saver off "3 s into an idle menu"
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
sleep 3
expect_saver off "3 s after a mode change"

# XIconifyWindow asks the window manager with a WM_CHANGE_STATE message to the root window.
stdbuf -oL xev -root -event substructure >"$WORK/xev" 2>/dev/null &
STARTED_PIDS+=($!)
vm_key_until d "grep -q WM_CHANGE_STATE '$WORK/xev'"
window=$(xdotool search --name '^GAME$' | head -n 1)
grep -B1 WM_CHANGE_STATE "$WORK/xev" | grep -q "window $(printf '0x%x' "$window")," || vm_fail "D asked to minimise another window"

"$PROBE" close "$window" || vm_fail "the close request was not sent"
sleep 0.4
[ ! -s "$WORK/status" ] || vm_fail "the menu ended before draining its messages for a second"
xwininfo -id "$window" >/dev/null 2>&1 || vm_fail "the close request destroyed the window"
vm_expect_exit "the close request"
sleep 2.5
expect_saver on "after the menu ended"
echo PASS
