#!/usr/bin/env bash
# The real moxa3 with the real players on short generated media (audio to the null outputs).
# Launched by the menu, with mpv: moxa3's window is found and placed right after the menu's pause
# and never moved after; the video shows inside it, a sound gets it too, and it closes when the
# file ends. Run alone: mpv follows the window's size, the exit status is mpv's; ffplay's window
# takes the place of moxa3's; without a player a message shows and moxa3 ends with 1.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$MOXA3_PROGRAM"
for program in mpv ffplay ffmpeg; do command -v "$program" >/dev/null || vm_fail "$program is not installed"; done
vm_start_xvfb
export MOXA3_AUDIO_OUTPUT=null

media="$WORK/my media"
mkdir -p "$media" "$WORK/ffplay-only" "$WORK/none"
ln -s "$(command -v ffplay)" "$WORK/ffplay-only/ffplay"
ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10 -t 2 -pix_fmt yuv420p "$media/clip one.mp4" &&
  ffmpeg -loglevel error -f lavfi -i sine=frequency=440 -t 2 "$media/tone two.wav" ||
  vm_fail "ffmpeg could not make the media"

player_open() { xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1; }

# The mean brightness of the screen area left top width height, 0 to 1.
screen_mean() {
  import -window root -crop "$3x$4+$1+$2" +repage -format '%[fx:mean]' info: 2>/dev/null || echo 0
}

# Samples the player's window until it closes (30 s at most); every sample must be the placement
# "left top 600 600". VIDEO_SEEN becomes 1 when the test picture showed inside it.
watch_player_until_closed() {
  local left=$1 top=$2 geometry
  VIDEO_SEEN=0
  for _ in $(seq 300); do
    geometry=$(vm_window_geometry "$PLAYER_TITLE" 2>/dev/null)
    # A sample taken while the window closes may be cut short.
    [ "$geometry" == "$left $top 600 600 IsViewable" ] || { player_open || return 0; vm_fail "the player's window moved to '$geometry'"; }
    awk "BEGIN { exit !($(screen_mean "$left" "$top" 600 600) > 0.1) }" && VIDEO_SEEN=1
    sleep 0.1
  done
  vm_fail "the player's window did not close at the end of the file"
}

# ---- Launched by the menu, placed by CENTERCENTER's ViewOffset (320, -180) at 640, 360 ----------
vm_install_menu_with_player "$MOXA3_PROGRAM"
vm_start_menu "$media" MOXA3_AUDIO_OUTPUT=null
vm_act_until "! vm_row_is none 1 960 540 320 -180" vm_right_click_canvas 405 526 960 540
for file in "clip one.mp4" "tone two.wav"; do
  vm_select_row "$(vm_entry_index "$media" "$file")" 960 540 320 -180
  vm_act_until player_open vm_press_key p
  # Under load the frame that sees P, and so the placement after its pause, can come late.
  vm_check_for 5 "[ \"\$(vm_window_geometry '$PLAYER_TITLE')\" == '640 360 600 600 IsViewable' ]"
  vm_expect_player_window_at 640 360
  watch_player_until_closed 640 360
  [ "$file" == "tone two.wav" ] || [ "$VIDEO_SEEN" == 1 ] || vm_fail "no video frame showed in the player's window"
done
vm_expect_menu_running
vm_quit_menu

# ---- Run alone ------------------------------------------------------------------------------
# Starts moxa3 on file (its name as the menu hands it over) with PATH=searchPath; PID.
start_moxa3() {
  PATH=$1 "$MOXA3_PROGRAM" rightful "${media// /*}/$2" 0 >"$WORK/player.log" 2>&1 &
  PID=$!
  STARTED_PIDS+=("$PID")
  vm_wait_for player_open || vm_fail "moxa3 showed no window for $2"
}

# Waits for moxa3 to end with status expected, its window gone.
expect_moxa3_ends_with() {
  local status=0
  wait "$PID" || status=$?
  [ "$status" -eq "$1" ] || { cat "$WORK/player.log" >&2; vm_fail "moxa3 ended with $status, not $1"; }
  ! player_open || vm_fail "the player's window stayed"
}

"$MOXA3_PROGRAM" --help | grep -q "Moxa3 video and audio player.*mpv\|mpv.*ffplay" || vm_fail "moxa3 --help does not say what it does"

start_moxa3 "$PATH" "clip*one.mp4"
xdotool search --name "^$PLAYER_TITLE\$" windowsize 400 300
vm_check_for 5 "xwininfo -name '$PLAYER_TITLE' -children | grep -q ' 400x300+0+0 '" ||
  vm_fail "mpv did not follow the window's size: $(xwininfo -name "$PLAYER_TITLE" -children)"
expect_moxa3_ends_with 0

start_moxa3 "$PATH" "no such file.mp4"
expect_moxa3_ends_with 2  # mpv's status for a file it cannot play

# A window of moxa3's own (PID) is open.
own_window_open() {
  local id
  for id in $(xdotool search --name "^$PLAYER_TITLE\$" 2>/dev/null); do
    xprop -id "$id" _NET_WM_PID | grep -q "= $PID\$" && return 0
  done
  return 1
}

start_moxa3 "$WORK/ffplay-only" "clip*one.mp4"
xdotool search --name "^$PLAYER_TITLE\$" windowmove 120 70
vm_check_for 10 "! own_window_open" || vm_fail "moxa3's own window stayed beside ffplay's"
[ "$(vm_window_geometry "$PLAYER_TITLE")" == "120 70 600 600 IsViewable" ] ||
  vm_fail "ffplay's window is '$(vm_window_geometry "$PLAYER_TITLE")', not where moxa3's was"
expect_moxa3_ends_with 0

start_moxa3 "$WORK/none" "clip*one.mp4"
grep -q "neither mpv nor ffplay" "$WORK/player.log" || vm_fail "no message without a player: $(cat "$WORK/player.log")"
vm_check_for 2 '[ "$(screen_mean 0 0 600 30)" != 0 ]' || vm_fail "no message in moxa3's window"
expect_moxa3_ends_with 1
echo "launch_moxa3_plays: passed"
