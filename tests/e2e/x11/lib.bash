# Shared steps of the X11 backend's end-to-end tests, on top of the launching tests' steps (a
# private X server, the menu started in a folder, keys and right clicks): screens of any size,
# the helper programs, and the comparison of the window's pixels with the headless frame.
source "$(dirname "${BASH_SOURCE[0]}")/../launch/lib.bash"

CLOSE_REQUEST=$VM_BUILD_DIR/tests/e2e/x11_close_request
HEADLESS_FRAME=$VM_BUILD_DIR/tests/e2e/x11_headless_frame
SAVER_STATE=$VM_BUILD_DIR/tests/e2e/x11_screen_saver_state
CURSOR_IMAGE=$VM_BUILD_DIR/tests/e2e/x11_cursor_image
ICONIFY_REQUEST=$VM_BUILD_DIR/tests/e2e/x11_iconify_request

# Builds what the tests run; one build at a time, as the tests may run in parallel.
x11_build() {
  flock "$VM_BUILD_DIR/.x11-e2e-build.lock" \
    cmake --build "$VM_BUILD_DIR" --target vestramenu x11_close_request x11_headless_frame x11_screen_saver_state \
    x11_cursor_image x11_iconify_request \
    >"$WORK/build.log" 2>&1 ||
    { cat "$WORK/build.log" >&2; vm_fail "the programs did not build"; }
  vm_require_programs "$MENU_PROGRAM" "$CLOSE_REQUEST" "$HEADLESS_FRAME" "$SAVER_STATE" "$CURSOR_IMAGE" "$ICONIFY_REQUEST"
}

# The folder most of these tests start the menu in, holding one song; its path is left in menu.
x11_song_folder() {
  menu=$WORK/media
  mkdir -p "$menu"
  touch "$menu/song.mp3"
}

# An X server of its own on the first free display number, width x height. It is not reset when
# its last client leaves, so a pointer position set before the menu starts stays. Keys repeat
# after 1.2 s: longer than vm_press_key holds a key, short enough for the test of a held key.
x11_start_xvfb() {
  Xvfb -displayfd 3 -noreset -ardelay 1200 -screen 0 "$1x$2x24" -nolisten tcp 3>"$WORK/display" \
    2>"$WORK/xvfb.log" &
  STARTED_PIDS+=($!)
  vm_wait_for test -s "$WORK/display" || vm_fail "Xvfb did not start"
  export DISPLAY=:$(head -n 1 "$WORK/display")
}

x11_expect_geometry() {
  local geometry
  geometry=$(vm_window_geometry GAME)
  [ "$geometry" == "$1" ] || vm_fail "${2:-the window} is '$geometry', expected '$1'"
}

# The window's pixels (width x height from its top-left corner) must equal the headless frame for
# the same folder, screen and cursor after the same keys (virtual-key codes, or @X,Y to move the
# headless cursor).
#   x11_expect_frame FOLDER SCREEN_W SCREEN_H CURSOR_X CURSOR_Y WIDTH HEIGHT WHAT [KEY | @X,Y ...]
x11_expect_frame() {
  local folder=$1 screenWidth=$2 screenHeight=$3 cursorX=$4 cursorY=$5 width=$6 height=$7 what=$8
  shift 8
  "$HEADLESS_FRAME" "$folder" "$screenWidth" "$screenHeight" "$cursorX" "$cursorY" "$WORK/expected.ppm" "$@" ||
    vm_fail "no headless frame for $what"
  local left top rest differing
  read -r left top rest < <(vm_window_geometry GAME)
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$WORK/shown.png" || vm_fail "no screenshot"
  differing=$(compare -metric AE "$WORK/shown.png" "$WORK/expected.ppm" "$WORK/difference.png" 2>&1)
  [ "$differing" == "0" ] || {
    cp "$WORK/shown.png" "/tmp/x11-e2e-shown-$$.png"; cp "$WORK/difference.png" "/tmp/x11-e2e-difference-$$.png"
    vm_fail "$what: $differing pixels differ from the headless frame (/tmp/x11-e2e-*-$$.png)"
  }
}

# The menu's process has ended; its exit status in EXIT_STATUS.
x11_wait_for_exit() {
  for _ in $(seq 200); do kill -0 "$MENU_PID" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$MENU_PID" 2>/dev/null && vm_fail "the menu did not end"
  EXIT_STATUS=0
  wait "$MENU_PID" || EXIT_STATUS=$?
}
