# Shared steps of the end-to-end tests: a work folder removed at exit, an X server of the test's
# own, the menu started (the Linux program, or vestramenu.exe under Wine), windows waited for, keys
# and right clicks held until their effect shows, screenshots and colour counts, the headless frame
# to compare with, and the records of the stand-in player (stub_player.bash).
set -uo pipefail

: "${VM_BUILD_DIR:?}" "${VM_SOURCE_DIR:?}"
MENU_PROGRAM=$VM_BUILD_DIR/bin/vestramenu
MOXA3_PROGRAM=$VM_BUILD_DIR/bin/moxa3
HELPERS=$VM_BUILD_DIR/tests/e2e
STUB_PLAYER=$VM_SOURCE_DIR/tests/e2e/stub_player.bash
PLAYER_TITLE="Moxa3 video and audio player"
MENU_ARGS=()  # the Linux menu's command line

WORK=$(mktemp -d /tmp/vm-e2e.XXXXXX)
RECORDS=$WORK/records
mkdir -p "$RECORDS"
# Thumbnails cached by the menus under test stay in the test's own folder.
export XDG_CACHE_HOME=$WORK/cache
STARTED_PIDS=()
MENU_PID=""
XVFB_PID=""

vm_stop_xvfb() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null
  # A server still shutting down holds its display's sockets: the next test's server, which may
  # take the same number, would come up without them.
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

vm_cleanup() {
  local pid
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  vm_stop_xvfb
  rm -rf "$WORK"
}
trap vm_cleanup EXIT

vm_fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/menu.log" ] && sed 's/^/menu: /' "$WORK/menu.log" >&2
  [ -s "$WORK/xvfb.log" ] && sed "s/^/Xvfb on ${DISPLAY:-}: /" "$WORK/xvfb.log" >&2
  exit 1
}

# Runs check (a command line) until it succeeds, for at most seconds.
vm_check_for() {
  local seconds=$1 check=$2 i
  for i in $(seq $((seconds * 10))); do eval "$check" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Builds the given targets of the Linux build (one build at a time: the tests run in parallel).
vm_build() {
  local target
  flock "$VM_BUILD_DIR/.e2e-build.lock" cmake --build "$VM_BUILD_DIR" --target "$@" >"$WORK/build.log" 2>&1 ||
    { cat "$WORK/build.log" >&2; vm_fail "the programs did not build"; }
  for target in "$@"; do
    [ -x "$VM_BUILD_DIR/bin/$target" ] || [ -x "$HELPERS/$target" ] || vm_fail "$target was not built"
  done
}

# An X server of its own on a free display, WIDTHxHEIGHT (1920x1080 unless given). Keys repeat only
# after 10 s (or the milliseconds given), so a key held until its effect shows is one press. It is
# never reset: a reset when the last client leaves drops a client that connects at that moment.
vm_start_xvfb() {
  vm_stop_xvfb
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1920x1080}x24" -nolisten tcp -noreset -ardelay "${2:-10000}" \
    3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  vm_check_for 20 '[ -s "$WORK/display" ]' || vm_fail "Xvfb did not start"
  export DISPLAY=:$(head -n 1 "$WORK/display")
  vm_check_for 10 xdpyinfo || vm_fail "Xvfb does not answer"
}

# Starts the Linux menu in folder with MENU_ARGS and optional NAME=value settings, and waits for
# its window and first frame (input is captured once the first frame is drawn).
vm_start_menu() {
  local folder=$1
  shift
  (cd "$folder" && exec env "$@" "$MENU_PROGRAM" "${MENU_ARGS[@]}") >"$WORK/menu.log" 2>&1 &
  MENU_PID=$!
  STARTED_PIDS+=("$MENU_PID")
  vm_check_for 10 "xwininfo -name GAME" || vm_fail "the menu's window did not appear"
  vm_check_for 10 '[ "$(import -window root -crop 300x30+0+0 -format "%[fx:maxima]" info:)" != 0 ]' ||
    vm_fail "the menu drew no frame"
  sleep 0.3
}

# Finds Wine and a prefix of the test's own (made once, under the Windows build), and sets EXE;
# the test is skipped when scripts/build-windows has not run.
vm_setup_wine() {
  WIN_BUILD=${VM_WINDOWS_BUILD_DIR:-$VM_SOURCE_DIR/build/windows}
  EXE=$WIN_BUILD/vestramenu.exe
  [ -f "$EXE" ] || { echo "SKIP: $EXE does not exist (scripts/build-windows has not built it)"; exit 0; }
  # Debian's wine64 package alone (without the wine package it recommends) has only these two.
  WINE=/usr/lib/wine/wine64
  [ -x "$WINE" ] || WINE=$(command -v wine) || vm_fail "no wine found"
  WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver) || vm_fail "no wineserver found"
  # Programs the menu starts are run by the same loader.
  export WINESERVER WINELOADER=$WINE WINEPREFIX=$WIN_BUILD/wineprefix-$1 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=" VESTRAMENU_MESSAGE_LOG
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || vm_fail "wineboot -i failed"
    # A server left from the display-less set-up would hand its screen size to the programs.
    "$WINESERVER" -w
  fi
  # Message boxes are logged here as well; a run that works shows none.
  VESTRAMENU_MESSAGE_LOG=$(vm_windows_path "$WORK/boxes.log")
}

# The Windows form of a Unix path as Wine's Z: drive shows it.
vm_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Starts vestramenu.exe in folder and waits for its window; its exit status goes to
# $WORK/exit-status.
vm_start_wine_menu() {
  rm -f "$WORK/exit-status"
  (cd "$1" && "$WINE" "$EXE" >/dev/null 2>&1; echo $? >"$WORK/exit-status") &
  vm_check_for 60 "xdotool search --name '^GAME\$'" || vm_fail "no GAME window appeared"
  sleep 2
  xdotool search --name '^GAME$' windowfocus --sync 2>/dev/null
}

# The menu's process ended within 20 s with status 0 and left no window.
vm_expect_exit() {
  if [ -n "$MENU_PID" ]; then
    vm_check_for 20 "! kill -0 $MENU_PID" || vm_fail "the menu did not end after $1"
    local status=0
    wait "$MENU_PID" || status=$?
    echo "$status" >"$WORK/exit-status"
  fi
  vm_check_for 20 '[ -s "$WORK/exit-status" ]' || vm_fail "the menu did not end after $1"
  [ "$(cat "$WORK/exit-status")" == 0 ] || vm_fail "the menu ended with status $(cat "$WORK/exit-status") after $1"
  ! xdotool search --name '^GAME$' >/dev/null 2>&1 || vm_fail "the GAME window outlived the menu"
}

vm_menu_ended() {
  if [ -n "$MENU_PID" ]; then ! kill -0 "$MENU_PID" 2>/dev/null; else [ -s "$WORK/exit-status" ]; fi
}

vm_quit_menu() { vm_key_until Escape vm_menu_ended && vm_expect_exit Esc; }

vm_expect_no_message_boxes() { [ ! -s "$WORK/boxes.log" ] || vm_fail "message boxes: $(cat "$WORK/boxes.log")"; }

# "left top width height map-state" of a window (its id, or else its exact title).
vm_geometry() {
  local id=$1
  [[ $id =~ ^[0-9]+$ ]] || id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$id" ] || return 1
  xwininfo -id "$id" 2>/dev/null | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } /Map State:/ { m = $NF }
    END { print x, y, w, h, m }'
}

# A shown window titled title stands at "left top width height".
vm_window_at() {
  local id
  for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
    [ "$(vm_geometry "$id")" == "$2 IsViewable" ] && return 0
  done
  return 1
}

vm_expect_window_at() {
  vm_check_for 20 "vm_window_at '$1' '$2'" || vm_fail "$3: no $1 window at $2 (it is at $(vm_geometry "$1"))"
}

# Input is held until its effect shows. A press and release that arrive in the same message pump
# cancel out, and a right press within 12 frames of the last accepted one is ignored; under load a
# frame can take a second or more. So the key or button stays down until check (a command line)
# holds, at most 8 s, and then it is watched 10 s more; only after that is it pressed again, so an
# action that was seen is not repeated. The display's auto-repeat starts after 10 s.
vm_act_until() {
  local check=$1 down=$2 up=$3 attempt i
  for attempt in 1 2 3; do
    $down
    for i in $(seq 16); do
      sleep 0.5
      eval "$check" >/dev/null 2>&1 && { $up; return 0; }
    done
    $up
    vm_check_for 10 "$check" && return 0
  done
  vm_fail "no effect of '$down': $check"
}

vm_key_until() { vm_act_until "$2" "xdotool keydown $1" "xdotool keyup $1"; }

# A right click on screen point x y held until check holds.
vm_click_until() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
  vm_act_until "$3" "xdotool mousedown 3" "xdotool mouseup 3"
}

# A key press for which nothing is to be seen: held long enough for a frame to see it.
vm_press_key() {
  xdotool keydown "$1" sleep 0.8 keyup "$1"
  sleep 0.3
}

# The screen point that the menu maps to Canvas pixel (x, y) of a canvasWidth x canvasHeight
# Canvas (row 0 at the bottom).
vm_canvas_to_screen() {
  local x=$1 y=$2 canvasWidth=$3 canvasHeight=$4 left top width height state
  read -r left top width height state < <(vm_geometry GAME)
  echo $((left + (x * width + width / 2) / canvasWidth)) \
    $((top + height - (y * height + height / 2) / canvasHeight))
}

vm_click_canvas_until() { vm_click_until $(vm_canvas_to_screen "$1" "$2" "$3" "$4") "$5"; }

# The list index of name in folder: its place in directory-reading order, "." and ".." counted.
vm_entry_index() {
  local wanted
  wanted=$(cd "$1" && ls -b -d -- "$2")
  ls -f -b "$1" | grep -n -x -F -- "$wanted" | cut -d: -f1
}

# The Canvas point of the list row of entry index in column 0 with ListScroll 0, for a ViewOffset
# of (offsetX, offsetY): ROW canvasWidth canvasHeight index [offsetX offsetY].
vm_row_point() {
  echo $((${4:-0} + 12)) $((${5:-0} + $2 - 26 - 8 * $3 - 3)) "$1" "$2"
}

# The colour of the list row (same arguments as vm_row_point): red when it is selected, green for
# a file, yellow for a folder, none where nothing is drawn.
vm_row_colour() {
  local canvasWidth=$1 canvasHeight=$2 base=$((${5:-0} + $2 - 26 - 8 * $3)) left top right bottom colour
  read -r left top < <(vm_canvas_to_screen $((${4:-0} + 10)) $((base - 2)) "$canvasWidth" "$canvasHeight")
  read -r right bottom < <(vm_canvas_to_screen $((${4:-0} + 70)) $((base - 7)) "$canvasWidth" "$canvasHeight")
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$WORK/row.png" \
    2>/dev/null || { echo none; return; }
  for colour in 'red r>0.9&&g<0.2' 'yellow r>0.9&&g>0.9&&b<0.2' 'green g>0.9&&r<0.2&&b<0.2'; do
    if [ "$(convert "$WORK/row.png" -fx "${colour#* }" -format '%[fx:maxima]' info: 2>/dev/null)" == 1 ]; then
      echo "${colour%% *}"
      return
    fi
  done
  echo none
}

vm_row_is() { [ "$(vm_row_colour "${@:2}")" == "$1" ]; }

# Clicks the list row (same arguments as vm_row_point) until check holds.
vm_click_row_until() {
  local point
  point=$(vm_row_point "${@:1:$#-1}")
  vm_click_canvas_until $point "${!#}"
}

# Selects the list row (same arguments as vm_row_point). Only a row seen drawn unselected is
# clicked: a click on the selected row would open it.
vm_select_row() {
  vm_check_for 15 "! vm_row_is none $*" || vm_fail "row $3 is not drawn"
  vm_row_is red "$@" || vm_click_row_until "$@" "vm_row_is red $*"
}

# ---- Screenshots ----------------------------------------------------------------------------------

# A grab can fail while windows come and go on the display; it is tried again.
vm_screenshot() {
  local attempt
  for attempt in 1 2 3; do
    import -window root "$WORK/$1.png" 2>/dev/null && return 0
    sleep 0.5
  done
  vm_fail "no screenshot"
}

# A white-on-black mask of the pixels of picture near an ImageMagick colour (within 10%).
vm_mask() {
  convert "$1" -alpha off -fuzz 10% -fill black +opaque "$2" -fill white -opaque "$2" "$3"
}

# How many pixels of screenshot name (region WxH+X+Y, or all of it) lie near colour.
vm_count() {
  convert "$WORK/$1.png" -crop "${3:-100000x100000+0+0}" +repage "$WORK/$1.region.png" &&
    vm_mask "$WORK/$1.region.png" "$2" "$WORK/$1.mask.png" &&
    convert "$WORK/$1.mask.png" -format '%[fx:round(mean*w*h)]' info:
}

# Takes screenshot name; true when its count of colour lies in low to high.
#   vm_shot_count name colour low high [region]
vm_shot_count() {
  vm_screenshot "$1"
  local n
  n=$(vm_count "$1" "$2" "${5:-}")
  [ "$n" -ge "$3" ] && [ "$n" -le "$4" ]
}

vm_expect_count() {
  local n
  n=$(vm_count "$1" "$2" "${6:-}")
  [ "$n" -ge "$3" ] && [ "$n" -le "$4" ] || vm_fail "$5: $n pixels near $2, expected $3 to $4"
}

# "left top width height" of the box around a mask's white pixels; nothing when there are none.
vm_mask_box() {
  convert "$1" -bordercolor black -border 1 -trim -format '%X %Y %w %h' info: |
    awk '{ sub(/^\+/, "", $1); sub(/^\+/, "", $2); if ($3 > 1 || $4 > 1) print $1 - 1, $2 - 1, $3, $4 }'
}

# A point inside the widest label of a colour within region WxH+X+Y of screenshot name: its
# rightmost column, on an odd screen row, which lies inside a Canvas pixel at scale 2 whichever way
# the cursor mapping rounds. Prints "x y"; nothing when no pixel has the colour.
vm_label_point() {
  local region=$3 left top width height x y
  convert "$WORK/$1.png" -crop "$region" +repage "$WORK/label.png"
  vm_mask "$WORK/label.png" "$2" "$WORK/label.mask.png"
  read -r left _ width _ <<<"$(vm_mask_box "$WORK/label.mask.png")"
  [ -n "${width:-}" ] || return 0
  x=$((left + width - 1))
  convert "$WORK/label.mask.png" -crop "1x100000+$x+0" +repage "$WORK/label.column.png"
  read -r _ top _ height <<<"$(vm_mask_box "$WORK/label.column.png")"
  y=$((top + height - 1))
  [ $((y % 2)) -eq 1 ] || y=$((y - 1))
  region=${region#*+}
  echo $((x + ${region%%+*})) $((y + ${region#*+}))
}

# The band of one list row whose label ends at point x y from vm_label_point.
vm_row_region() {
  local left=$(($1 - 299))
  [ "$left" -ge 0 ] || left=0
  echo "$(($1 - left + 1))x16+$left+$(($2 - 15))"
}

# The screen's width x height from its top-left corner equals the headless frame for the same
# folder, screen and cursor after the same keys (virtual-key codes, or @X,Y to move the cursor).
#   vm_frame_matches FOLDER SCREEN_W SCREEN_H CURSOR_X CURSOR_Y WIDTH HEIGHT [KEY | @X,Y ...]
vm_frame_matches() {
  local folder=$1 width=$6 height=$7 left top rest
  "$HELPERS/x11_headless_frame" "$folder" "$2" "$3" "$4" "$5" "$WORK/expected.ppm" "${@:8}" || return 1
  read -r left top rest < <(vm_geometry GAME)
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$WORK/shown.png" &&
    [ "$(compare -metric AE "$WORK/shown.png" "$WORK/expected.ppm" null: 2>&1)" == 0 ]
}

# Presses key until the window shows the headless frame (arguments of vm_frame_matches after the key).
vm_key_until_frame() {
  local key=$1 check
  shift
  check=$(printf '%q ' vm_frame_matches "$@")
  vm_key_until "$key" "$check"
}

vm_expect_frame() {
  local what=$1
  shift
  vm_check_for 10 "$(printf '%q ' vm_frame_matches "$@")" || {
    cp "$WORK/shown.png" "/tmp/vm-e2e-shown-$$.png"
    vm_fail "$what: the window differs from the headless frame (/tmp/vm-e2e-shown-$$.png)"
  }
}

# ---- The stand-in player's records ----------------------------------------------------------

vm_record_waiting() {
  [ -n "$(find "$RECORDS" -maxdepth 1 -name 'argv.*' ! -name '*.tmp' -print -quit)" ]
}

# Takes the next program start recorded by the stand-in; its argv must be exactly the given words.
vm_expect_record() {
  local expected=("$@") file record i
  vm_check_for 10 vm_record_waiting || vm_fail "no program was started for $(printf '[%q] ' "$@")"
  file=$(find "$RECORDS" -maxdepth 1 -name 'argv.*' ! -name '*.tmp' -print -quit)
  mapfile -d '' -t record <"$file"
  STARTED_PIDS+=("${file##*.}")
  rm -f "$file"
  for i in "${!record[@]}"; do [[ ${record[$i]} =~ ^--wid=[0-9]+$ ]] && record[$i]=--wid=WINDOW; done
  [ "${record[*]@Q}" == "${expected[*]@Q}" ] ||
    vm_fail "argv is $(printf '[%q] ' "${record[@]}"), expected $(printf '[%q] ' "${expected[@]}")"
}

vm_expect_no_record() { sleep "${2:-1}"; ! vm_record_waiting || vm_fail "$1"; }

# The player's window is mapped at (left, top), 600 x 600, is the only one and has the focus.
vm_expect_player_at() {
  local ids
  vm_expect_window_at "$PLAYER_TITLE" "$1 $2 600 600" "the player"
  ids=$(xdotool search --name "^$PLAYER_TITLE\$")
  [ "$ids" == "$(xdotool getwindowfocus)" ] || vm_fail "the focus is not on the one player window ($ids)"
}

# Closes the player windows open, so that the next one is the only player window.
vm_close_players() {
  local id
  for id in $(xdotool search --name "^$PLAYER_TITLE\$" 2>/dev/null); do xdotool windowkill "$id" 2>/dev/null; done
  vm_check_for 10 "! xdotool search --name '^$PLAYER_TITLE\$'" || vm_fail "a player's window stayed"
}

# Installs a copy of the menu with program beside it as its player, as a package has them (the
# menu runs the moxa3 beside its executable); PLAYER names that moxa3.
vm_install_menu_with_player() {
  mkdir -p "$WORK/installed"
  cp "$MENU_PROGRAM" "$WORK/installed/vestramenu"
  cp "$1" "$WORK/installed/moxa3"
  MENU_PROGRAM=$WORK/installed/vestramenu
  PLAYER=$WORK/installed/moxa3
}
