#!/usr/bin/env bash
# moxa3 turns the menu's words back into the media path and starts the player with it as one
# argument: mpv inside moxa3's window, or ffplay (window title and size) where mpv is missing; no
# media file gives usage and status 2. Then the real programs on short generated media (audio to
# the null outputs): launched by the menu, moxa3's window is placed after the menu's pause and never
# moved after, the video shows inside it, and it closes at the end of the file; run alone, mpv
# follows the window's size, the status is mpv's, ffplay's window takes the place of moxa3's, and
# without a player a message shows and moxa3 ends with 1.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu moxa3
for program in mpv ffplay ffmpeg; do command -v "$program" >/dev/null || vm_fail "$program is not installed"; done
vm_start_xvfb
unset MOXA3_AUDIO_OUTPUT

# ---- Stand-ins named mpv and ffplay record the arguments they receive ----------------------------
both=$WORK/both ffplay_only=$WORK/ffplay-only
mkdir -p "$both" "$ffplay_only" "$WORK/my media"
ln -s "$STUB_PLAYER" "$both/mpv"
ln -s "$STUB_PLAYER" "$both/ffplay"
ln -s "$STUB_PLAYER" "$ffplay_only/ffplay"
touch "$WORK/my media/My Song.mp3" "$WORK/star*name.mp3" "$WORK/two*ways.mp3" "$WORK/two ways.mp3"
ffplay_options=(-window_title "$PLAYER_TITLE" -x 600 -y 600 -autoexit)

# Runs moxa3 with PATH=folder and the given words; STATUS.
run_moxa3() {
  STATUS=0
  VM_STUB_RECORD_DIR=$RECORDS VM_STUB_NO_WINDOW=1 PATH=$1 "$MOXA3_PROGRAM" "${@:2}" 2>"$WORK/stderr" || STATUS=$?
}

expect_mpv_plays() {
  run_moxa3 "$both" "${@:2}"
  vm_expect_record "$both/mpv" --wid=WINDOW --vo=gpu,x11 --force-window=yes \
    $([ -n "${MOXA3_AUDIO_OUTPUT:-}" ] && echo --ao=null) "$1"
  [ "$STATUS" -eq 0 ] || vm_fail "moxa3 ended with $STATUS, not the player's 0"
}

expect_mpv_plays "$WORK/my media/My Song.mp3" rightful "$WORK/my*media/My*Song.mp3" 0
# Words not in the menu's form are the path itself, a trailing 0 included.
expect_mpv_plays "$WORK/my media/My Song.mp3" "$WORK/my media/My Song.mp3"
expect_mpv_plays "$WORK/my media/My Song.mp3 0" "$WORK/my*media/My" "Song.mp3" 0
# A name that really holds an asterisk is played as given; where both exist, spaces win.
expect_mpv_plays "$WORK/star*name.mp3" rightful "$WORK/star*name.mp3" 0
expect_mpv_plays "$WORK/two ways.mp3" rightful "$WORK/two*ways.mp3" 0
expect_mpv_plays "$WORK/\$(touch $WORK/canary);\`touch $WORK/canary\`|x&'\"" \
  rightful "$WORK/\$(touch*$WORK/canary);\`touch*$WORK/canary\`|x&'\"" 0
[ ! -e "$WORK/canary" ] || vm_fail "a command in the path was run"
# A relative path never reads as an option.
expect_mpv_plays "./-v x.mp3" rightful "-v*x.mp3" 0
MOXA3_AUDIO_OUTPUT=null expect_mpv_plays "$WORK/x.wav" rightful "$WORK/x.wav" 0
run_moxa3 "$ffplay_only" rightful "$WORK/my*media/My*Song.mp3" 0
vm_expect_record "$ffplay_only/ffplay" "${ffplay_options[@]}" "$WORK/my media/My Song.mp3"
# ffplay has no audio output option: null audio reaches it through its environment.
MOXA3_AUDIO_OUTPUT=null run_moxa3 "$ffplay_only" rightful "$WORK/x.wav" 0
vm_expect_record "$ffplay_only/ffplay" "${ffplay_options[@]}" "$WORK/x.wav"
for words in "" "rightful" "rightful 0"; do
  # shellcheck disable=SC2086
  run_moxa3 "$both" $words
  [ "$STATUS" -eq 2 ] && grep -q "no media file" "$WORK/stderr" || vm_fail "moxa3 '$words': status $STATUS, no usage"
done
vm_expect_no_record "a player ran without a media file" 0
"$MOXA3_PROGRAM" --help | grep -q "Moxa3 video and audio player.*mpv\|mpv.*ffplay" || vm_fail "moxa3 --help does not say what it does"

# ---- The real players ---------------------------------------------------------------------------
export MOXA3_AUDIO_OUTPUT=null
media="$WORK/media here"
mkdir -p "$media" "$WORK/none"
ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10 -t 2 -pix_fmt yuv420p "$media/clip one.mp4" &&
  ffmpeg -loglevel error -f lavfi -i sine=frequency=440 -t 2 "$media/tone two.wav" || vm_fail "ffmpeg made no media"
player_open() { xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1; }
screen_mean() { import -window root -crop "$3x$4+$1+$2" +repage -format '%[fx:mean]' info: 2>/dev/null || echo 0; }

# Samples the player's window at left top until it closes (30 s at most); it must not move.
# VIDEO_SEEN becomes 1 when the test picture showed inside it.
watch_player_until_closed() {
  local geometry
  VIDEO_SEEN=0
  for _ in $(seq 300); do
    geometry=$(vm_geometry "$PLAYER_TITLE")
    # A sample taken while the window closes may be cut short.
    [ "$geometry" == "$1 $2 600 600 IsViewable" ] || { player_open || return 0; vm_fail "the player moved to '$geometry'"; }
    awk "BEGIN { exit !($(screen_mean "$1" "$2" 600 600) > 0.1) }" && VIDEO_SEEN=1
    sleep 0.1
  done
  vm_fail "the player's window did not close at the end of the file"
}

# Placed by CENTERCENTER's ViewOffset (320, -180) at 640, 360.
vm_install_menu_with_player "$MOXA3_PROGRAM"
vm_start_menu "$media"
vm_click_canvas_until 405 526 960 540 "! vm_row_is none 960 540 1 320 -180"
for file in "clip one.mp4" "tone two.wav"; do
  vm_select_row 960 540 "$(vm_entry_index "$media" "$file")" 320 -180
  vm_key_until p player_open
  vm_expect_player_at 640 360
  watch_player_until_closed 640 360
  [ "$file" == "tone two.wav" ] || [ "$VIDEO_SEEN" == 1 ] || vm_fail "no video frame showed in the player's window"
done
vm_quit_menu

# Starts moxa3 alone on file (as the menu hands it over) with PATH=searchPath; PID.
start_moxa3() {
  PATH=$1 "$MOXA3_PROGRAM" rightful "${media// /*}/$2" 0 >"$WORK/player.log" 2>&1 &
  PID=$!
  STARTED_PIDS+=("$PID")
  vm_check_for 10 player_open || vm_fail "moxa3 showed no window for $2"
}

expect_moxa3_ends_with() {
  local status=0
  wait "$PID" || status=$?
  [ "$status" -eq "$1" ] || { cat "$WORK/player.log" >&2; vm_fail "moxa3 ended with $status, not $1"; }
  ! player_open || vm_fail "the player's window stayed"
}

own_window_open() {
  local id
  for id in $(xdotool search --name "^$PLAYER_TITLE\$" 2>/dev/null); do xprop -id "$id" _NET_WM_PID | grep -q "= $PID\$" && return 0; done
  return 1
}

start_moxa3 "$PATH" "clip*one.mp4"
xdotool search --name "^$PLAYER_TITLE\$" windowsize 400 300
vm_check_for 5 "xwininfo -name '$PLAYER_TITLE' -children | grep -q ' 400x300+0+0 '" ||
  vm_fail "mpv did not follow the window's size"
expect_moxa3_ends_with 0
start_moxa3 "$PATH" "no such file.mp4"
expect_moxa3_ends_with 2  # mpv's status for a file it cannot play
ln -sf "$(command -v ffplay)" "$ffplay_only/ffplay"
start_moxa3 "$ffplay_only" "clip*one.mp4"
xdotool search --name "^$PLAYER_TITLE\$" windowmove 120 70
vm_check_for 10 "! own_window_open" || vm_fail "moxa3's own window stayed beside ffplay's"
[ "$(vm_geometry "$PLAYER_TITLE")" == "120 70 600 600 IsViewable" ] || vm_fail "ffplay's window is not where moxa3's was"
expect_moxa3_ends_with 0
start_moxa3 "$WORK/none" "clip*one.mp4"
grep -q "neither mpv nor ffplay" "$WORK/player.log" || vm_fail "no message without a player: $(cat "$WORK/player.log")"
vm_check_for 2 '[ "$(screen_mean 0 0 600 30)" != 0 ]' || vm_fail "no message in moxa3's window"
expect_moxa3_ends_with 1
echo PASS
