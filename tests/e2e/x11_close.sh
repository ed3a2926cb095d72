#!/usr/bin/env bash
# The window manager's close request (WM_DELETE_WINDOW) only asks the loop to end: the window
# stays during the one-second message drain, then the process exits with status 0.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1920 1080

x11_song_folder
vm_start_menu "$menu"

window=$(xdotool search --name '^GAME$' | head -n 1)
"$CLOSE_REQUEST" "$window" || vm_fail "the close request was not sent"
sleep 0.4
kill -0 "$MENU_PID" 2>/dev/null || vm_fail "the menu ended before draining its messages for a second"
xwininfo -id "$window" >/dev/null 2>&1 || vm_fail "the close request destroyed the window"
x11_wait_for_exit
[ "$EXIT_STATUS" -eq 0 ] || vm_fail "the menu ended with status $EXIT_STATUS after the close request"
echo "PASS"
