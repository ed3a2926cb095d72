#!/usr/bin/env bash
# Window creation failures forced through VESTRAMENU_FAIL_STEP: the "ERROR" box names the failed
# step (also on standard error), the menu keeps running without a window, and the next mode change
# first reports the class that is no longer registered in a "SHUTDOWN ERROR" box, then creates the
# window again. Failed teardown steps are each reported and the teardown goes on.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu
vm_start_xvfb
menu=$WORK/media
mkdir "$menu"

# Checks the box titled title and its text on standard error, then dismisses it with Return, or
# with a left click on its OK button (centred, 24 pixels above the bottom edge) when asked to.
expect_box() {
  local title=$1 text=$2 how=${3:-return} box reports left top width height state
  vm_check_for 10 "xdotool search --name '^$title\$'" || vm_fail "no \"$title\" box for \"$text\""
  grep -q -x -F "$title: $text" "$WORK/menu.log" || vm_fail "standard error lacks \"$title: $text\""
  box=$(xdotool search --name "^$title\$" | head -n 1)
  reports=$(wc -l <"$WORK/menu.log")
  if [ "$how" == click ]; then
    read -r left top width height state < <(vm_geometry "$box")
    xdotool mousemove $((left + width / 2)) $((top + height - 24 - 12)) click 1
  else
    xdotool windowfocus --sync "$box"
    xdotool key Return
  fi
  # Gone, or followed by the next report (written before its box is shown, after this one closed).
  vm_check_for 10 "! xdotool search --name '^$title\$' || [ \$(wc -l <'$WORK/menu.log') -gt $reports ]" ||
    vm_fail "the \"$title\" box stayed"
}

# The second creation (F6) fails at its rendering context.
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=create-context@2
vm_key_until F6 "xdotool search --name '^ERROR\$'"
expect_box ERROR "Can't Create A GL Rendering Context."
kill -0 "$MENU_PID" 2>/dev/null || vm_fail "the menu ended after the failed creation"
xwininfo -name GAME >/dev/null 2>&1 && vm_fail "a window remained after the failed creation"
# Without a window the loop still runs and takes keys; F5 re-creates the window.
vm_key_until F5 "xdotool search --name '^SHUTDOWN ERROR\$'"
expect_box "SHUTDOWN ERROR" "Could Not Unregister Class." click
vm_expect_window_at GAME "0 0 1920 1080" "the re-created window"
vm_quit_menu

# Every step of the first teardown (F6) fails: each is reported in turn, the teardown goes on,
# and the new window is created.
: >"$WORK/menu.log"
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=release-current@1,delete-context@1,release-device-context@1,destroy-window@1
vm_key_until F6 "xdotool search --name '^SHUTDOWN ERROR\$'"
expect_box "SHUTDOWN ERROR" "Release Of DC And RC Failed."
expect_box "SHUTDOWN ERROR" "Release Rendering Context Failed."
expect_box "SHUTDOWN ERROR" "Release Device Context Failed."
expect_box "SHUTDOWN ERROR" "Could Not Release hWnd."
vm_expect_window_at GAME "0 0 1280 960" "the window after the failed teardown"
vm_quit_menu

# The very first creation fails at the window itself.
: >"$WORK/menu.log"
(cd "$menu" && exec env VESTRAMENU_FAIL_STEP=create-window@1 "$MENU_PROGRAM") >"$WORK/menu.log" 2>&1 &
MENU_PID=$!
STARTED_PIDS+=("$MENU_PID")
expect_box ERROR "Window Creation Error."
sleep 0.5
kill -0 "$MENU_PID" 2>/dev/null || vm_fail "the menu ended after its first window failed"
vm_key_until Escape vm_menu_ended
vm_expect_exit "Esc without a window"

echo PASS
