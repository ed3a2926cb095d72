#!/usr/bin/env bash
# The X screen saver stays off while the menu's window exists, however long the user is idle, and
# starts again once the menu has ended.
source "$(dirname "$0")/x11/lib.bash"
x11_build
x11_start_xvfb 1920 1080
xset s 1 1

expect_saver() {
  local state
  state=$("$SAVER_STATE") || vm_fail "the screen saver's state could not be read"
  [ "$state" == "$1" ] || vm_fail "$2: the screen saver is $state, expected $1"
}

sleep 2.5
expect_saver on "before the menu started"
x11_song_folder
vm_start_menu "$menu"
xdotool mousemove 10 10  # input ends the saver the menu found running
sleep 3
expect_saver off "3 s into an idle menu"
vm_press_key F6  # a re-created window keeps it off
sleep 3
expect_saver off "3 s after a mode change"
vm_quit_menu
sleep 2.5
expect_saver on "after the menu ended"
echo "PASS"
