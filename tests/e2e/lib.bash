# Shared steps of the end-to-end tests: a work folder, an X server of the test's own, the menu
# (Linux, or vestramenu.exe under Wine), input held until its effect shows, screenshots, records.
set -uo pipefail
: "${VM_BUILD_DIR:?}" "${VM_SOURCE_DIR:?}"
MENU=("$VM_BUILD_DIR/bin/vestramenu")  # the menu's command line
HELPERS=$VM_BUILD_DIR/tests STUB_PLAYER=$VM_SOURCE_DIR/tests/e2e/stub_player.bash PLAYER_TITLE="Moxa3 video and audio player"
WORK=$(mktemp -d /tmp/vm-e2e.XXXXXX) RECORDS=$WORK/records STARTED_PIDS=() XVFB_PID="" && mkdir -p "$RECORDS"
export XDG_CACHE_HOME=$WORK/cache  # thumbnails cached by the menus under test

# A server still shutting down holds its display's sockets, which the next server may need.
vm_stop_xvfb() { [ -z "$XVFB_PID" ] || { kill "$XVFB_PID"; wait "$XVFB_PID"; } 2>/dev/null; XVFB_PID=""; }
vm_cleanup() {
  [ -z "${WINEPREFIX:-}" ] || "$WINESERVER" -k >/dev/null 2>&1
  kill "${STARTED_PIDS[@]}" 2>/dev/null
  vm_stop_xvfb
  rm -rf "$WORK" 2>/dev/null || { sleep 1; rm -rf "$WORK"; }  # a menu may still be writing its log
}
trap vm_cleanup EXIT
vm_fail() { echo "FAIL: $*" >&2; sed 's/^/menu: /' "$WORK/menu.log" >&2 2>/dev/null; exit 1; }

# Runs check (a command line) until it succeeds, for at most seconds.
vm_check_for() {
  local end=$((SECONDS + $1))
  until eval "$2" >/dev/null 2>&1; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done
}
# One build at a time: the tests run in parallel.
vm_build() {
  flock "$VM_BUILD_DIR/.e2e-build.lock" cmake --build "$VM_BUILD_DIR" --target "$@" >"$WORK/build.log" 2>&1 ||
    vm_fail "the programs did not build: $(tail -n 30 "$WORK/build.log")"
}

# An X server on a free display, WIDTHxHEIGHT (1920x1080 unless given). Keys repeat only after 10 s,
# so a held key is one press; no reset, which would drop a client connecting as the last one leaves.
vm_start_xvfb() {
  vm_stop_xvfb
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1920x1080}x24" -nolisten tcp -noreset -ardelay 10000 3>"$WORK/display" 2>/dev/null & XVFB_PID=$!
  vm_check_for 20 '[ -s "$WORK/display" ]' || vm_fail "Xvfb did not start"
  export DISPLAY=:$(head -n 1 "$WORK/display")
  vm_check_for 10 xdpyinfo || vm_fail "Xvfb does not answer"
}

# Starts MENU in folder with optional NAME=value settings; its exit status goes to $WORK/status.
vm_launch_menu() { rm -f "$WORK/status"; (cd "$1" && env "${@:2}" "${MENU[@]}" >"$WORK/menu.log" 2>&1; echo $? >"$WORK/status") & }
# vm_launch_menu, then waits for the window and its first frame (input is taken from then on).
vm_start_menu() {
  vm_launch_menu "$@"
  vm_check_for 60 "xwininfo -name GAME" || vm_fail "the menu's window did not appear"
  vm_check_for 20 '[ "$(import -window root -crop 300x30+0+0 -format "%[fx:maxima]" info:)" != 0 ]' ||
    vm_fail "the menu drew no frame"
  xdotool search --name '^GAME$' windowfocus --sync 2>/dev/null
  sleep 0.3
}

# The menu ended within 20 s with status 0, leaving no window and no message box.
vm_expect_exit() {
  vm_check_for 20 '[ -s "$WORK/status" ]' || vm_fail "the menu did not end after $1"
  [ "$(cat "$WORK/status")" == 0 ] || vm_fail "the menu ended with status $(cat "$WORK/status") after $1"
  ! xdotool search --name '^GAME$' >/dev/null 2>&1 || vm_fail "the GAME window outlived the menu"
  [ ! -s "$WORK/boxes.log" ] || vm_fail "message boxes: $(cat "$WORK/boxes.log")"
}
vm_quit_menu() { vm_key_until Escape '[ -s "$WORK/status" ]' && vm_expect_exit Esc; }

# "left top width height map-state" of each window with that exact title.
vm_geometry() {
  local id
  for id in $(xdotool search --name "^$1\$"); do
    xwininfo -id "$id" | awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF } /Map State:/ { m = $NF } END { print x, y, w, h, m }'
  done 2>/dev/null
}
# A shown window titled title stands at "left top width height".
vm_window_at() { vm_geometry "$1" | grep -q -x -F "$2 IsViewable"; }
vm_expect_window_at() { vm_check_for 20 "vm_window_at '$1' '$2'" || vm_fail "$3: no $1 window at $2 but $(vm_geometry "$1")"; }

# A press and release in one pump cancel out, a right press within 12 frames is ignored and a frame
# may take a second: the input stays down until check holds (8 s), then 10 s more pass before another.
vm_act_until() {
  local attempt
  for attempt in 1 2 3; do
    xdotool "$2"down "$3"
    vm_check_for 8 "$1" && { xdotool "$2"up "$3"; return 0; }
    xdotool "$2"up "$3"
    vm_check_for 10 "$1" && return 0
  done
  vm_fail "no effect of $2 $3: $1"
}
vm_key_until() { vm_act_until "$2" key "$1"; }
# A right click on screen point x y held until check holds.
vm_click_until() { xdotool mousemove "$1" "$2" sleep 0.3; vm_act_until "$3" mouse 3; }
# A key press with nothing to be seen: held long enough for a frame to see it.
vm_press_key() { xdotool keydown "$1" sleep 0.8 keyup "$1" sleep 0.3; }

# The screen point of pixel (x, y) of a WIDTH x HEIGHT Canvas (row 0 at the bottom).
vm_canvas_to_screen() {
  local left top width height
  read -r left top width height _ < <(vm_geometry GAME)
  echo $((left + ($1 * width + width / 2) / $3)) $((top + height - ($2 * height + height / 2) / $4))
}
# The list index of name in folder: its place in directory-reading order, "." and ".." counted.
vm_entry_index() { ls -f -b "$1" | grep -n -x -F -- "$(cd "$1" && ls -b -d -- "$2")" | cut -d: -f1; }
# vm_row_is COLOUR WIDTH HEIGHT INDEX [OFFSET_X OFFSET_Y]: the list row of entry index (column 0,
# ListScroll 0, that ViewOffset) is drawn red (selected), green (a file), yellow (a folder) or none.
vm_row_is() {
  local base=$((${6:-0} + $3 - 26 - 8 * $4)) left top right bottom want=1
  local -A fx=([red]='r>0.9&&g<0.2' [yellow]='r>0.9&&g>0.9&&b<0.2' [green]='g>0.9&&r<0.2&&b<0.2')
  fx[none]="${fx[red]}||${fx[yellow]}||${fx[green]}"
  [ "$1" != none ] || want=0
  read -r left top < <(vm_canvas_to_screen $((${5:-0} + 10)) $((base - 2)) "$2" "$3")
  read -r right bottom < <(vm_canvas_to_screen $((${5:-0} + 70)) $((base - 7)) "$2" "$3")
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$WORK/row.png" &&
    [ "$(convert "$WORK/row.png" -fx "${fx[$1]}" -format '%[fx:maxima]' info:)" == $want ]
}
# The screen point of the list row (vm_row_is's arguments but the colour).
vm_row_point() { vm_canvas_to_screen $((${4:-0} + 12)) $((${5:-0} + $2 - 29 - 8 * $3)) "$1" "$2"; }
# Selects the list row. Only a row seen drawn unselected is clicked: a click on the selected row opens it.
vm_select_row() {
  vm_check_for 15 "! vm_row_is none $*" || vm_fail "row $3 is not drawn"
  vm_row_is red "$@" || vm_click_until $(vm_row_point "$@") "vm_row_is red $*"
}

# Screenshot name, black outside region WxH+X+Y if given; a grab can fail while windows come and go.
vm_screenshot() {
  vm_check_for 2 "import -window root '$WORK/$1.png'" || vm_fail "no screenshot"
  [ -z "${2:-}" ] || convert "$WORK/$1.png" -crop "$2" -background black -flatten "$WORK/$1.png"
}
# A white-on-black mask of the pixels of screenshot name near an ImageMagick colour (within 10%).
vm_mask() { convert "$WORK/$1.png" -alpha off -fuzz 10% -fill black +opaque "$2" -fill white -opaque "$2" "$WORK/$3.png"; }
# How many pixels of screenshot name lie near colour.
vm_count() { vm_mask "$1" "$2" "$1.mask" && convert "$WORK/$1.mask.png" -format '%[fx:round(mean*w*h)]' info:; }
# vm_shot_count NAME COLOUR LOW HIGH [REGION]: takes screenshot name; its count of colour lies in low to high.
vm_shot_count() { vm_screenshot "$1" "${5:-}"; local n=$(vm_count "$1" "$2"); [ "$n" -ge "$3" ] && [ "$n" -le "$4" ]; }
# "left top width height" of the box around the white pixels of mask name; nothing when there are none.
vm_mask_box() {
  convert "$WORK/$1.png" -bordercolor black -border 1 -trim -format '%X %Y %w %h' info: |
    awk '{ sub(/^\+/, "", $1); sub(/^\+/, "", $2); if ($3 > 1 || $4 > 1) print $1 - 1, $2 - 1, $3, $4 }'
}
# X Y inside the widest label of a colour in screenshot name (its rightmost column, an odd row: inside
# one Canvas pixel at scale 2 however the mapping rounds); ROW is that label's band.
vm_label_point() {
  local left width top height
  vm_mask "$1" "$2" label
  read -r left _ width _ <<<"$(vm_mask_box label)"
  [ -n "${width:-}" ] || return 1
  X=$((left + width - 1))
  convert "$WORK/label.png" -crop "1x100000+$X+0" +repage "$WORK/column.png"
  read -r _ top _ height <<<"$(vm_mask_box column)"
  Y=$((top + height - 1 - (top + height) % 2))
  ROW="$((left + width))x16+0+$((Y - 15))"
}

vm_record_file() { find "$RECORDS" -name 'argv.*' ! -name '*.tmp' -print -quit | grep .; }
# Takes the next program start recorded by the stand-in; its argv must be exactly the given words.
vm_expect_record() {
  local file record i
  vm_check_for 10 vm_record_file && file=$(vm_record_file) || vm_fail "no program was started for $(printf '[%q] ' "$@")"
  mapfile -d '' -t record <"$file"
  STARTED_PIDS+=("${file##*.}")
  rm -f "$file"
  for i in "${!record[@]}"; do [[ ${record[$i]} =~ ^--wid=[0-9]+$ ]] && record[$i]=--wid=WINDOW; done
  [ "${record[*]@Q}" == "${*@Q}" ] || vm_fail "argv is $(printf '[%q] ' "${record[@]}"), expected $(printf '[%q] ' "$@")"
}
# The one player window is shown at (left, top), 600 x 600, and has the focus.
vm_expect_player_at() {
  vm_expect_window_at "$PLAYER_TITLE" "$1 $2 600 600" "the player"
  [ "$(xdotool search --name "^$PLAYER_TITLE\$")" == "$(xdotool getwindowfocus)" ] || vm_fail "the focus is not on the one player window"
}
# Closes the player windows, one just started included (it may map its window a while after it ran).
vm_close_players() {
  vm_check_for 10 "xdotool search --name '^$PLAYER_TITLE\$'"
  xdotool search --name "^$PLAYER_TITLE\$" 2>/dev/null | xargs -r -n 1 xdotool windowkill 2>/dev/null
  vm_check_for 10 "! xdotool search --name '^$PLAYER_TITLE\$'" || vm_fail "a player's window stayed"
}
