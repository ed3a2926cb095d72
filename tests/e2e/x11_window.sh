#!/usr/bin/env bash
# The window and the session: the X screen saver stays off while the menu's window exists, a mode
# change included, and starts again once the menu has ended; D asks the window manager to minimise
# the menu's window; the window manager's close request (WM_DELETE_WINDOW) only asks the loop to
# end: the window stays during the one-second message drain, then the menu ends with status 0.
# Window creation failures forced through VESTRAMENU_FAIL_STEP: the "ERROR" box names the failed
# step (also on standard error), the menu keeps running without a window, and the next mode change
# first reports the class that is no longer registered in a "SHUTDOWN ERROR" box, then creates the
# window again. Failed teardown steps are each reported and the teardown goes on.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_probe
vm_start_xvfb
menu=$WORK/media PROBE=$HELPERS/x11_probe
mkdir "$menu" && xset s 1 1
# The saver's state after seconds more.
expect_saver() { sleep "$1"; [ "$("$PROBE" saver)" == "$2" ] || vm_fail "$3: the screen saver is not $2"; }
expect_saver 2.5 on "before the menu started"
vm_start_menu "$menu"
xdotool mousemove 10 10  # input ends the saver the menu found running
expect_saver 3 off "3 s into an idle menu"
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
expect_saver 3 off "3 s after a mode change"
# XIconifyWindow asks the window manager with a WM_CHANGE_STATE message to the root window.
stdbuf -oL xev -root -event substructure >"$WORK/xev" 2>/dev/null & STARTED_PIDS+=($!)
vm_key_until d "grep -q WM_CHANGE_STATE '$WORK/xev'"
window=$(xdotool search --name '^GAME$' | head -n 1)
grep -B1 WM_CHANGE_STATE "$WORK/xev" | grep -q "window $(printf '0x%x' "$window")," || vm_fail "D asked to minimise another window"
"$PROBE" close "$window" || vm_fail "the close request was not sent"
sleep 0.4
[ ! -s "$WORK/status" ] || vm_fail "the menu ended before draining its messages for a second"
xwininfo -id "$window" >/dev/null 2>&1 || vm_fail "the close request destroyed the window"
vm_expect_exit "the close request"
expect_saver 2.5 on "after the menu ended"
xset s off

# The box titled title shows text, also on standard error; Return dismisses it: it goes, or the
# next report follows (written before its box is shown, after this one closed).
expect_box() {
  local reports
  vm_check_for 20 "xdotool search --name '^$1\$'" || vm_fail "no \"$1\" box for \"$2\""
  grep -q -x -F "$1: $2" "$WORK/menu.log" || vm_fail "standard error lacks \"$1: $2\""
  reports=$(wc -l <"$WORK/menu.log")
  xdotool search --name "^$1\$" windowfocus --sync && xdotool key Return
  vm_check_for 10 "! xdotool search --name '^$1\$' || [ \$(wc -l <'$WORK/menu.log') -gt $reports ]" || vm_fail "the \"$1\" box stayed"
}
# The second creation (F6) fails at its rendering context; without a window the loop still takes
# keys, and F5 creates the window again.
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=create-context@2
vm_key_until F6 "xdotool search --name '^ERROR\$'"
expect_box ERROR "Can't Create A GL Rendering Context."
! xwininfo -name GAME >/dev/null 2>&1 && [ ! -s "$WORK/status" ] || vm_fail "a window remained, or the menu ended"
vm_key_until F5 "xdotool search --name '^SHUTDOWN ERROR\$'"
expect_box "SHUTDOWN ERROR" "Could Not Unregister Class."
vm_expect_window_at GAME "0 0 1920 1080" "the re-created window"
vm_quit_menu
# Every step of the first teardown (F6) fails: each is reported in turn, and the new window is created.
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=release-current@1,delete-context@1,release-device-context@1,destroy-window@1
vm_key_until F6 "xdotool search --name '^SHUTDOWN ERROR\$'"
for text in "Release Of DC And RC Failed." "Release Rendering Context Failed." "Release Device Context Failed." \
  "Could Not Release hWnd."; do
  expect_box "SHUTDOWN ERROR" "$text"
done
vm_expect_window_at GAME "0 0 1280 960" "the window after the failed teardown"
vm_quit_menu
# The very first creation fails at the window itself; Esc still ends the menu.
vm_launch_menu "$menu" VESTRAMENU_FAIL_STEP=create-window@1
expect_box ERROR "Window Creation Error."
sleep 0.5
[ ! -s "$WORK/status" ] || vm_fail "the menu ended after its first window failed"
vm_quit_menu
echo PASS
