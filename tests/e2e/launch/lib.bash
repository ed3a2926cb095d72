# Shared steps of the launching end-to-end tests: a private X server, the menu started in a folder,
# right clicks on Canvas points, and the records of the stand-in player (vm_stub_player).
set -uo pipefail

: "${VM_BUILD_DIR:?}" "${VM_SOURCE_DIR:?}"
MENU_PROGRAM=$VM_BUILD_DIR/bin/vestramenu
MOXA3_PROGRAM=$VM_BUILD_DIR/bin/moxa3
STUB_PLAYER=$VM_BUILD_DIR/tests/e2e/vm_stub_player
MENU_ARGS=()  # the menu's command line
PLAYER_TITLE="Moxa3 video and audio player"

WORK=$(mktemp -d /tmp/vm-launch.XXXXXX)
# The menu's disk thumbnail cache stays in the test's own folder.
export XDG_CACHE_HOME=$WORK/cache
RECORDS=$WORK/records
mkdir -p "$RECORDS"
STARTED_PIDS=()
MENU_PID=""
XVFB_PID=""
DISPLAY_CLAIM=""

vm_cleanup() {
  local pid
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  # A server still shutting down holds its display's sockets: the next test's server, which may
  # take the same number, would come up without them.
  [ -n "$XVFB_PID" ] && wait "$XVFB_PID" 2>/dev/null
  [ -n "$DISPLAY_CLAIM" ] && rmdir "$DISPLAY_CLAIM" 2>/dev/null
  rm -rf "$WORK"
}
trap vm_cleanup EXIT

vm_fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/menu.log" ] && sed 's/^/menu: /' "$WORK/menu.log" >&2
  [ -f "$WORK/xvfb.log" ] && sed "s/^/Xvfb on display ${DISPLAY:-}: /" "$WORK/xvfb.log" >&2
  exit 1
}

vm_require_programs() {
  local program
  for program in "$@"; do [ -x "$program" ] || vm_fail "$program was not built"; done
}

# Waits up to 10 s for a command to succeed.
vm_wait_for() {
  local i
  for i in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}

# An X server of its own, 1920 x 1080, on the first free display from :140 on (a range no other
# test uses: a server that another test is still shutting down holds its display's sockets). The
# number is claimed with mkdir, which only one of the tests running at once can win; a claim left
# by a test that was killed expires after ten minutes. The auto-repeat delay of 10 s keeps a held
# key from repeating however slowly the test's commands run. The server is never reset: a reset
# when the last client leaves drops a client that connects at that moment, such as the menu
# started just after the check that the server answers.
vm_start_xvfb() {
  local n claim
  find /tmp -maxdepth 1 -name 'vm-launch-display-*' -mmin +10 -exec rmdir {} + 2>/dev/null
  for n in $(seq 140 179); do
    claim=/tmp/vm-launch-display-$n
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    mkdir "$claim" 2>/dev/null || continue
    DISPLAY_CLAIM=$claim
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset -ardelay 10000 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    STARTED_PIDS+=("$XVFB_PID")
    export DISPLAY=":$n"
    vm_wait_for vm_own_server_answers && return 0
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    rmdir "$claim"
  done
  vm_fail "no free X display"
}

# The server this test started is running and answers on DISPLAY.
vm_own_server_answers() {
  kill -0 "$XVFB_PID" 2>/dev/null && xdpyinfo >/dev/null 2>&1
}

# Starts the menu in folder with MENU_ARGS, with optional NAME=value settings for its environment,
# and waits for its window and first frames.
vm_start_menu() {
  local folder=$1
  shift
  (cd "$folder" && exec env "$@" "$MENU_PROGRAM" "${MENU_ARGS[@]}") >"$WORK/menu.log" 2>&1 &
  MENU_PID=$!
  STARTED_PIDS+=("$MENU_PID")
  vm_wait_for xwininfo -name GAME ||
    vm_fail "the menu's window did not appear on $DISPLAY ($(xdpyinfo >/dev/null 2>&1 && echo reachable || echo unreachable))"
  # The window exists before start-up ends; input is captured once the first frame is drawn.
  vm_wait_for vm_title_drawn || vm_fail "the menu drew no frame"
  sleep 0.3
}

# Something is drawn in the strip of the MenuBar's title at the window's top-left.
vm_title_drawn() {
  local brightest
  brightest=$(import -window root -crop 300x30+0+0 -format '%[fx:maxima]' info: 2>/dev/null)
  [ -n "$brightest" ] && [ "$brightest" != 0 ]
}

# Installs a copy of the menu with the given program beside it as its player, as a package has
# them (the menu runs the moxa3 beside its executable); PLAYER names that moxa3.
vm_install_menu_with_player() {
  mkdir -p "$WORK/installed"
  cp "$MENU_PROGRAM" "$WORK/installed/vestramenu"
  cp "$1" "$WORK/installed/moxa3"
  MENU_PROGRAM=$WORK/installed/vestramenu
  PLAYER=$WORK/installed/moxa3
}

vm_expect_menu_running() {
  kill -0 "$MENU_PID" 2>/dev/null || vm_fail "the menu is no longer running"
  xwininfo -name GAME >/dev/null 2>&1 || vm_fail "the menu's window is gone"
}

# Esc ends the menu with exit code 0: the frame loop was still running.
vm_quit_menu() {
  local status=0
  vm_act_until "! kill -0 $MENU_PID 2>/dev/null" vm_press_key Escape
  wait "$MENU_PID" || status=$?
  [ "$status" -eq 0 ] || vm_fail "the menu ended with status $status after Esc"
}

# "left top width height map-state" of the window named title.
vm_window_geometry() {
  xwininfo -name "$1" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } /Map State:/ { m = $NF }
    END { print x, y, w, h, m }'
}

# The screen point that the menu maps to Canvas pixel (x, y) of a canvasWidth x canvasHeight
# Canvas (row 0 at the bottom).
vm_canvas_to_screen() {
  local x=$1 y=$2 canvasWidth=$3 canvasHeight=$4 left top width height state
  read -r left top width height state < <(vm_window_geometry GAME)
  echo $((left + (x * width + width / 2) / canvasWidth)) \
    $((top + height - (y * height + height / 2) / canvasHeight))
}

# A right press held long enough for a frame to see it (a press released within the same message
# pump counts for nothing). Slow frames may still miss it, or its 12-frame debounce may not have
# passed: callers check its effect (vm_act_until).
vm_right_click_canvas() {
  xdotool mousemove $(vm_canvas_to_screen "$@") sleep 0.2 mousedown 3 sleep 0.6 mouseup 3
  sleep 0.3
}

# A key held long enough for a frame to see it (a key-up in the same message pump as its key-down
# leaves nothing), and released before the auto-repeat delay.
vm_press_key() {
  xdotool keydown "$1" sleep 0.8 keyup "$1"
  sleep 0.3
}

# The list index of name in folder: its place in directory-reading order, "." and ".." counted.
vm_entry_index() {
  local folder=$1 name=$2 wanted
  wanted=$(cd "$folder" && ls -b -d -- "$name")
  ls -f -b "$folder" | grep -n -x -F -- "$wanted" | cut -d: -f1
}

# Right click on the list row of entry index in column 0 with ListScroll 0, for a Canvas of
# canvasWidth x canvasHeight and a ViewOffset of (offsetX, offsetY).
vm_click_list_row() {
  local index=$1 canvasWidth=$2 canvasHeight=$3 offsetX=${4:-0} offsetY=${5:-0}
  vm_right_click_canvas $((offsetX + 12)) $((offsetY + canvasHeight - 26 - 8 * index - 3)) \
    "$canvasWidth" "$canvasHeight"
}

# Runs check (a command line) until it succeeds, for at most seconds.
vm_check_for() {
  local seconds=$1 check=$2 i
  for i in $(seq $((seconds * 10))); do eval "$check" && return 0; sleep 0.1; done
  return 1
}

# Runs an action that a frame may miss under load (a click, a key) until check succeeds within
# 15 s of it; three tries at most. A check that fails for an action that was seen would repeat it.
vm_act_until() {
  local check=$1 attempt
  shift
  for attempt in 1 2 3; do
    "$@"
    vm_check_for 15 "$check" && return 0
  done
  vm_fail "no effect of '$*': $check"
}

# The colour of the list row of entry index (same arguments as vm_click_list_row): red when it is
# selected, green for a file, yellow for a folder, none where nothing is drawn.
vm_row_colour() {
  local index=$1 canvasWidth=$2 canvasHeight=$3 offsetX=${4:-0} offsetY=${5:-0}
  local base=$((offsetY + canvasHeight - 26 - 8 * index)) left top right bottom colour
  read -r left top < <(vm_canvas_to_screen $((offsetX + 10)) $((base - 2)) "$canvasWidth" "$canvasHeight")
  read -r right bottom < <(vm_canvas_to_screen $((offsetX + 70)) $((base - 7)) "$canvasWidth" "$canvasHeight")
  rm -f "$WORK/row.png"
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

vm_row_is() {
  local colour=$1
  shift
  [ "$(vm_row_colour "$@")" == "$colour" ]
}

# Selects the row of entry index with a first click (same arguments as vm_click_list_row). Only a
# row seen drawn unselected is clicked: a click on the selected row would open it.
vm_select_row() {
  local colour
  vm_check_for 15 "colour=\$(vm_row_colour $*); [ \"\$colour\" != none ]" || vm_fail "row $1 is not drawn"
  [ "$colour" == red ] || vm_act_until "vm_row_is red $*" vm_click_list_row "$@"
}

vm_record_waiting() {
  [ -n "$(find "$RECORDS" -maxdepth 1 -name 'argv.*' ! -name '*.tmp' -print -quit)" ]
}

# Waits for the next program start recorded by the stand-in; fills RECORD with its argv.
vm_take_record() {
  local file=""
  for _ in $(seq 200); do
    file=$(find "$RECORDS" -maxdepth 1 -name 'argv.*' ! -name '*.tmp' -print -quit)
    [ -n "$file" ] && break
    sleep 0.05
  done
  [ -n "$file" ] || vm_fail "${1:-the program} was not started"
  mapfile -d '' -t RECORD <"$file"
  STARTED_PIDS+=("${file##*.}")
  rm -f "$file"
}

vm_expect_no_record() {
  sleep "${2:-1}"
  [ -z "$(find "$RECORDS" -maxdepth 1 -name 'argv.*' -print -quit)" ] || vm_fail "$1"
}

# RECORD must hold exactly the given words.
vm_expect_record() {
  local expected=("$@") i
  if [ "${#RECORD[@]}" -ne "${#expected[@]}" ]; then
    vm_fail "argv has ${#RECORD[@]} words, expected ${#expected[@]}: $(printf '[%q] ' "${RECORD[@]}")"
  fi
  for i in "${!expected[@]}"; do
    [ "${RECORD[$i]}" == "${expected[$i]}" ] ||
      vm_fail "argv[$i] is $(printf %q "${RECORD[$i]}"), expected $(printf %q "${expected[$i]}")"
  done
}

# The player's window is mapped at (left, top), 600 x 600, and has the input focus.
vm_expect_player_window_at() {
  local left=$1 top=$2 geometry focus id
  vm_wait_for xwininfo -name "$PLAYER_TITLE" || vm_fail "no player window"
  geometry=$(vm_window_geometry "$PLAYER_TITLE")
  [ "$geometry" == "$left $top 600 600 IsViewable" ] ||
    vm_fail "player window is '$geometry', expected '$left $top 600 600 IsViewable'"
  focus=$(xdotool getwindowfocus)
  id=$(xdotool search --name "^$PLAYER_TITLE\$")
  [ "$(wc -w <<<"$id")" -eq 1 ] || vm_fail "more than one player window: $id"
  [ "$focus" == "$id" ] ||
    vm_fail "focus is on window $focus ($(xwininfo -id "$focus" 2>&1 | grep -m1 'Window id')), not on the player's window $id"
}

# Closes the stand-in players started so far, so that the next one is the only player window.
vm_close_players() {
  local id
  for id in $(xdotool search --name "^$PLAYER_TITLE\$" 2>/dev/null); do
    xdotool windowkill "$id" 2>/dev/null
  done
  vm_wait_for sh -c "! xwininfo -name '$PLAYER_TITLE'"
}
