#!/usr/bin/env bash
# The Linux program's command line, then its window on Xvfb without a window manager: geometry and
# pixels against the headless frame, input, the screen saver, and failed window steps reported.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu x11_probe x11_headless_frame
menu=$WORK/media PROBE=$HELPERS/x11_probe
mkdir -p "$menu/Films" "$WORK/my folder" && touch "$WORK/a file" && for i in $(seq -w 1 60); do touch "$menu/track $i.mp3"; done

# The command line: status | seconds allowed | DISPLAY (empty: unset) | stdout | stderr (regular
# expressions over all of it, "." matching a line end too; empty: nothing) | one stderr line (1) | arguments
version=$(sed -nE 's/^project\(vestramenu VERSION ([0-9.]+).*/\1/p' "$VM_SOURCE_DIR/CMakeLists.txt")
cases=(
  "0|5||^Usage: vestramenu \[FOLDER\].*Esc .*moxa3.*PATH||-|--help"
  "0|5||^vestramenu $version\$||-|--version"
  "2|5|||^vestramenu: unknown option '--bogus'.Usage: vestramenu \[FOLDER\]|-|--bogus"
  "2|5|||^vestramenu: .*.Usage: vestramenu \[FOLDER\]|-|$WORK/my folder|$WORK"
  "1|5|||^vestramenu: .*'$WORK/missing': No such file or directory\$|1|$WORK/missing"
  "1|5|||^vestramenu: .*'$WORK/a file': Not a directory\$|1|$WORK/a file"
  "1|1|||^vestramenu: .*DISPLAY is not set\$|1|$WORK/my folder"
  "1|1|:5999||^vestramenu: .*DISPLAY=:5999\$|1|"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r status seconds display out err lines args <<<"$entry"
  IFS='|' read -r -a argv <<<"$args"
  (cd "$WORK" && timeout "$seconds" env -u DISPLAY ${display:+DISPLAY=$display} "${MENU[0]}" "${argv[@]}") >"$WORK/out" 2>"$WORK/err"
  got=$? what="vestramenu ${argv[*]}"
  [ "$got" -eq "$status" ] || vm_fail "$what: status $got, expected $status (124: not within $seconds s)"
  for stream in out err; do
    pattern=${!stream:-^\$}
    [[ $(cat "$WORK/$stream") =~ $pattern ]] || vm_fail "$what: std$stream is '$(cat "$WORK/$stream")', expected /$pattern/"
  done
  [ "$lines" == - ] || [ "$(wc -l <"$WORK/err")" -eq "$lines" ] || vm_fail "$what: not $lines line(s) on stderr"
done

vm_start_xvfb && xset s 1 1
# The saver's state after seconds more: off while the menu's window exists, on again once it ended.
expect_saver() { sleep "$1"; [ "$("$PROBE" saver)" == "$2" ] || vm_fail "$3: the screen saver is not $2"; }
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

# The 960 x 540 Canvas at scale 2; Shift scrolls the list, N puts it at the pointer, M moves only F6's window.
expect_saver 2.5 on "before the menu started"
point 700 400
vm_start_menu "$menu"
vm_expect_window_at GAME "0 0 1920 1080" "start-up"
point 10 10  # input ends the saver the menu found running
expect_saver 3 off "3 s into an idle menu"
press_until minus 0xBD  # the clock differs between runs: minus hides it in both
press_until Shift_R 0xA1
press_until Shift_L 0xA0
point 600 300
press_until n 0x4E
press_until F6 0x75 "vm_window_at GAME '0 0 1280 960'"
expect_saver 3 off "3 s after a mode change"
point 100 50
press_until m 0x4D "vm_window_at GAME '100 50 1280 960'"
point 500 400
press_until n 0x4E
xdotool keydown Alt_L; vm_press_key F5; xdotool keyup Alt_L  # with Alt held, F5 is a system key
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
focus_other() { vm_check_for 10 "xdotool search --name '^other\$' windowfocus --sync" &&
  [ "$(xdotool getwindowfocus)" == "$(xdotool search --name '^other$')" ] || vm_fail "the other window did not take the focus"; }
focus_other && vm_click_until $(vm_canvas_to_screen 480 524 960 540) "vm_window_at GAME '0 0 1280 960'"
focus_other && vm_key_until F5 "vm_window_at GAME '0 0 1920 1080'"

# D asks the window manager to minimise (XIconifyWindow: a WM_CHANGE_STATE message to the root).
stdbuf -oL xev -root -event substructure >"$WORK/xev" 2>/dev/null & STARTED_PIDS+=($!)
vm_key_until d "grep -q WM_CHANGE_STATE '$WORK/xev'"
window=$(xdotool search --name '^GAME$' | head -n 1)
grep -B1 WM_CHANGE_STATE "$WORK/xev" | grep -q "window $(printf '0x%x' "$window")," || vm_fail "D asked to minimise another window"
# The close request only asks the loop to end: the window stays while messages drain for a second.
"$PROBE" close "$window" || vm_fail "the close request was not sent"
sleep 0.4
[ ! -s "$WORK/status" ] || vm_fail "the menu ended before draining its messages for a second"
xwininfo -id "$window" >/dev/null 2>&1 || vm_fail "the close request destroyed the window"
vm_expect_exit "the close request"
expect_saver 2.5 on "after the menu ended"
xset s off

# Window steps failed through VESTRAMENU_FAIL_STEP. The box titled title, up after key if given, shows
# text, also on stderr; Return dismisses it: it goes, or the next report follows (written before it shows).
expect_box() {
  local reports
  [ -z "${3:-}" ] || vm_key_until "$3" "xdotool search --name '^$1\$'"
  vm_check_for 20 "xdotool search --name '^$1\$'" || vm_fail "no \"$1\" box for \"$2\""
  grep -q -x -F "$1: $2" "$WORK/menu.log" || vm_fail "standard error lacks \"$1: $2\""
  reports=$(wc -l <"$WORK/menu.log")
  xdotool search --name "^$1\$" windowfocus --sync && xdotool key Return
  vm_check_for 10 "! xdotool search --name '^$1\$' || [ \$(wc -l <'$WORK/menu.log') -gt $reports ]" || vm_fail "the \"$1\" box stayed"
}
# The second creation (F6) fails at its rendering context; without a window the loop still takes
# keys, and F5 first reports the class no longer registered, then creates the window again.
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=create-context@2
expect_box ERROR "Can't Create A GL Rendering Context." F6
! xwininfo -name GAME >/dev/null 2>&1 && [ ! -s "$WORK/status" ] || vm_fail "a window remained, or the menu ended"
expect_box "SHUTDOWN ERROR" "Could Not Unregister Class." F5
vm_expect_window_at GAME "0 0 1920 1080" "the re-created window"
vm_quit_menu
# Every step of the first teardown (F6) fails: each is reported in turn, and the new window is created.
vm_start_menu "$menu" VESTRAMENU_FAIL_STEP=release-current@1,delete-context@1,release-device-context@1,destroy-window@1
vm_key_until F6 "xdotool search --name '^SHUTDOWN ERROR\$'"
for text in "Release Of DC And RC Failed." "Release Rendering Context Failed." "Release Device Context Failed." \
  "Could Not Release hWnd."; do expect_box "SHUTDOWN ERROR" "$text"; done
vm_expect_window_at GAME "0 0 1280 960" "the window after the failed teardown"
vm_quit_menu
# The very first creation fails at the window itself; Esc still ends the menu.
vm_launch_menu "$menu" VESTRAMENU_FAIL_STEP=create-window@1
expect_box ERROR "Window Creation Error."
sleep 0.5
[ ! -s "$WORK/status" ] || vm_fail "the menu ended after its first window failed"
vm_quit_menu

# Odd screen sizes round the half-screen Canvas down; the screen is the primary monitor's (RandR).
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
