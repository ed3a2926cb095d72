# Helpers for the Windows end-to-end tests: the built programs, a Wine prefix, a virtual display,
# windows, screenshots and pixel counts. Sourced by tests/e2e/windows_*.sh.

vm_fail() { echo "FAIL: $*"; exit 1; }
vm_ok() { echo "ok $*"; }

# Finds the cross-built programs and Wine; a missing exe means scripts/build-windows did not run.
vm_find_windows_build() {
  VM_SOURCE_DIR=${VM_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)}
  WIN_BUILD=${VM_WINDOWS_BUILD_DIR:-$VM_SOURCE_DIR/build/windows}
  if [ ! -f "$WIN_BUILD/vestramenu.exe" ]; then
    echo "SKIP: $WIN_BUILD/vestramenu.exe does not exist (scripts/build-windows has not built it)"
    exit 0
  fi
  # Debian's wine64 package alone (without the wine package it recommends) has only these two.
  WINE=/usr/lib/wine/wine64
  [ -x "$WINE" ] || WINE=$(command -v wine) || vm_fail "no wine found"
  WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver) || vm_fail "no wineserver found"
  # Programs the menu starts are run by the same loader.
  export WINESERVER WINELOADER=$WINE
}

# A Wine prefix of this test's own under the build directory, created on first use.
vm_wine_prefix() {
  export WINEPREFIX="$WIN_BUILD/wineprefix-$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || vm_fail "wineboot -i failed"
    # A server left from the display-less set-up would hand its screen size to the programs.
    "$WINESERVER" -w
  fi
}

# Starts Xvfb on the first free display from :81 on, at the given size. Tests running at the same
# time may try the same number: the display is ours only when its lock file names our server.
# It is never reset: a reset when the last client leaves drops a client connecting at that moment.
vm_start_display() {
  local size=$1 n tries
  for n in $(seq 81 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset -ardelay 10000 >/dev/null 2>&1 &
    VM_XVFB_PID=$!
    for tries in $(seq 50); do
      kill -0 "$VM_XVFB_PID" 2>/dev/null || break
      if [ "$( { tr -d ' \n' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$VM_XVFB_PID" ] &&
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$VM_XVFB_PID" 2>/dev/null
  done
  vm_fail "no free X display"
}

# Ends this test's Wine processes and its display; the work folder stays when VM_KEEP_WORK is set.
vm_cleanup() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1
  [ -n "${VM_XVFB_PID:-}" ] && kill "$VM_XVFB_PID" 2>/dev/null
  [ -n "${VM_WORK:-}" ] && [ -z "${VM_KEEP_WORK:-}" ] && rm -rf "$VM_WORK"
  return 0
}

# The Windows form of a Unix path as Wine's Z: drive shows it.
vm_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Waits up to $2 seconds for a window whose title is exactly $1; prints its id.
vm_wait_window() {
  local title=$1 seconds=$2 i id
  for i in $(seq $((seconds * 5))); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# "x y width height" of a window on the screen.
vm_window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# A grab can fail while windows come and go on the display; it is tried again.
vm_screenshot() {
  local attempt
  for attempt in 1 2 3; do
    import -window root "$1" 2>"$1.log" && return 0
    sleep 0.5
  done
  vm_fail "screenshot failed: $(cat "$1.log")"
}

# A white-on-black mask of the pixels of a screenshot near an ImageMagick colour (within 10%).
vm_mask() {
  convert "$1" -alpha off -fuzz 10% -fill black +opaque "$2" -fill white -opaque "$2" "$3"
}

# How many pixels of a screenshot lie near a colour.
vm_count_colour() {
  vm_mask "$1" "$2" "$1.mask.png" && convert "$1.mask.png" -format '%[fx:round(mean*w*h)]' info:
}

# "left top width height" of the box around a mask's white pixels; nothing when there are none.
vm_mask_box() {
  convert "$1" -bordercolor black -border 1 -trim -format '%X %Y %w %h' info: |
    awk '{ sub(/^\+/, "", $1); sub(/^\+/, "", $2); if ($3 > 1 || $4 > 1) print $1 - 1, $2 - 1, $3, $4 }'
}

# "x y" at the middle of the box around the pixels near a colour.
vm_centre_of_colour() {
  vm_mask "$1" "$2" "$1.mask.png" && vm_mask_box "$1.mask.png" | awk '{ print $1 + int($3 / 2), $2 + int($4 / 2) }'
}

# Holds a key or the right button long enough to span a frame: a press and release that arrive in
# the same message pump cancel out, as they do for the menu on Windows.
# A point inside a label drawn in a colour within the region WxH+X+Y of a screenshot: the widest
# such label's rightmost column, on an odd screen row, which lies inside a Canvas pixel at scale 2
# whichever way the cursor mapping rounds. Prints "x y"; nothing when no pixel has the colour.
vm_label_point() {
  local shot=$1 colour=$2 region=$3 left top width height x y
  vm_mask "$shot" "$colour" "$shot.mask.png"
  convert "$shot.mask.png" -crop "$region" +repage "$shot.region.png"
  read -r left _ width _ <<<"$(vm_mask_box "$shot.region.png")"
  [ -n "${width:-}" ] || return 0
  x=$((left + width - 1))
  convert "$shot.region.png" -crop "1x100000+$x+0" +repage "$shot.column.png"
  read -r _ top _ height <<<"$(vm_mask_box "$shot.column.png")"
  y=$((top + height - 1))
  [ $((y % 2)) -eq 1 ] || y=$((y - 1))
  local offset_x=${region#*+} offset_y=${region##*+}
  offset_x=${offset_x%%+*}
  echo $((x + offset_x)) $((y + offset_y))
}

# Input is held until its effect shows. A press and release that arrive in the same message pump
# cancel out, and a right press within 12 frames of the last accepted one is ignored, as they are
# for the menu on Windows; under load a frame can take a second or more. So the key or button stays
# down until the condition (the remaining arguments, a command) holds, and is pressed again when
# nothing has happened for 8 s. The display starts auto-repeat only after 10 s (vm_start_display),
# so holding is one press.
vm_act_until() {
  local down=$1 up=$2 attempt i
  shift 2
  for attempt in 1 2 3 4 5; do
    $down
    for i in $(seq 16); do
      sleep 0.5
      if "$@"; then
        $up
        return 0
      fi
    done
    $up
    sleep 1
  done
  return 1
}

vm_key_until() {
  local key=$1
  shift
  vm_act_until "xdotool keydown $key" "xdotool keyup $key" "$@"
}

vm_right_click_until() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
  shift 2
  vm_act_until "xdotool mousedown 3" "xdotool mouseup 3" "$@"
}

# Conditions for the above.
# Prints the id of a window titled $1 that stands at $2 ("x y width height"); false when none does.
vm_window_at() {
  local id
  for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
    if [ "$(vm_window_geometry "$id" 2>/dev/null)" = "$2" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

vm_has_geometry() { vm_window_at GAME "$1" >/dev/null; }

# Takes the screenshot $VM_WORK/$1.png; true when its count of colour $2 lies in $3 to $4.
vm_shot_count_between() {
  vm_screenshot "$VM_WORK/$1.png"
  local n
  n=$(vm_count_in_shot "$1" "$2")
  [ "$n" -ge "$3" ] && [ "$n" -le "$4" ]
}

# Takes the screenshot $VM_WORK/$1.png; true when its region $2 (WxH+X+Y) holds $4 to $5 pixels
# near colour $3.
vm_shot_region_count_between() {
  vm_screenshot "$VM_WORK/$1.png"
  convert "$VM_WORK/$1.png" -crop "$2" +repage "$VM_WORK/$1.region.png"
  local n
  n=$(vm_count_colour "$VM_WORK/$1.region.png" "$3")
  [ "$n" -ge "$4" ] && [ "$n" -le "$5" ]
}

# The band of one list row whose label ends at the point ($1, $2) from vm_label_point.
vm_row_region() {
  local left=$(($1 - 299))
  [ "$left" -ge 0 ] || left=0
  echo "$(($1 - left + 1))x16+$left+$(($2 - 15))"
}

vm_menu_exited() { [ -f "$VM_WORK/exit-code" ]; }

vm_focus() { xdotool windowfocus --sync "$1" 2>/dev/null; }

# The common start of a test: the build, its own Wine prefix and work folder, a display of the
# given size, and the clean-up at exit.
vm_setup_test() {
  local name=$1 size=$2
  vm_find_windows_build
  EXE="$WIN_BUILD/vestramenu.exe"
  vm_wine_prefix "$name"
  VM_WORK=$(mktemp -d "/tmp/vm-win-$name.XXXXXX")
  trap vm_cleanup EXIT
  vm_start_display "$size"
}

# Starts the menu in folder $1 and waits for its window (MENU); its exit code goes to
# $VM_WORK/exit-code.
vm_start_menu() {
  rm -f "$VM_WORK/exit-code"
  (cd "$1" && "$WINE" "$EXE" >/dev/null 2>&1; echo $? >"$VM_WORK/exit-code") &
  MENU=$(vm_wait_window GAME 60) || vm_fail "no GAME window appeared"
  sleep 2
  vm_focus "$MENU"
}

# Waits for the GAME window to stand at "x y width height" (a mode change re-creates it).
vm_expect_geometry() {
  local i id
  for i in $(seq 40); do
    if id=$(vm_window_at GAME "$1"); then
      vm_ok "$2: GAME window at $1"
      MENU=$id
      vm_focus "$MENU"
      return 0
    fi
    sleep 0.5
  done
  vm_fail "$2: no GAME window at $1"
}

# Waits for the menu's process to end after $1 and checks its exit code and its window.
vm_wait_exit() {
  local i
  for i in $(seq 100); do [ -f "$VM_WORK/exit-code" ] && break; sleep 0.2; done
  [ -f "$VM_WORK/exit-code" ] || vm_fail "the menu did not end after $1"
  [ "$(cat "$VM_WORK/exit-code")" = 0 ] || vm_fail "exit code $(cat "$VM_WORK/exit-code") after $1"
  xdotool search --name '^GAME$' >/dev/null 2>&1 && vm_fail "the GAME window outlived the process"
  vm_ok "$1 ends the process with exit code 0"
}

# Screenshot $VM_WORK/$1.png after waiting $2 seconds (2 by default) for the frames to settle.
vm_shoot() {
  sleep "${2:-2}"
  vm_screenshot "$VM_WORK/$1.png"
}

vm_count_in_shot() { vm_count_colour "$VM_WORK/$1.png" "$2"; }

vm_expect_range() {
  local value=$1 low=$2 high=$3 what=$4
  [ "$value" -ge "$low" ] && [ "$value" -le "$high" ] || vm_fail "$what: $value, expected $low to $high"
  vm_ok "$what: $value"
}

# Message boxes are logged to $VM_WORK/boxes.log; a menu run that works shows none.
vm_log_message_boxes() {
  export VESTRAMENU_MESSAGE_LOG
  VESTRAMENU_MESSAGE_LOG=$(vm_windows_path "$VM_WORK/boxes.log")
}

vm_expect_no_message_boxes() {
  [ ! -s "$VM_WORK/boxes.log" ] || vm_fail "unexpected message boxes: $(cat "$VM_WORK/boxes.log")"
  vm_ok "no message boxes"
}
