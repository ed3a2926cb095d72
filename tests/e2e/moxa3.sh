#!/usr/bin/env bash
# moxa3 turns the menu's words back into the media path and starts the player with it as one
# argument: mpv inside moxa3's window, or ffplay where mpv is missing; no media file gives usage
# and status 2. Then the real programs on short generated media (audio to the null outputs):
# launched by the menu, moxa3's window is placed once after the menu's pause, the video shows inside
# it, and it closes at the end of the file, audio too; run alone, ffplay's window takes the place of
# moxa3's, and without a player a message shows and moxa3 ends with 1.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu moxa3
vm_start_xvfb
MOXA3=$VM_BUILD_DIR/bin/moxa3
both=$WORK/both ffplay_only=$WORK/ffplay-only
mkdir -p "$both" "$ffplay_only"
for stand_in in "$both/mpv" "$both/ffplay" "$ffplay_only/ffplay"; do ln -s "$STUB_PLAYER" "$stand_in"; done
touch "$WORK/star*name.mp3" "$WORK/two*ways.mp3" "$WORK/two ways.mp3"
shell="$WORK/\$(touch $WORK/canary);\`touch $WORK/canary\`|x&'\""

# PATH # audio output # the argv the stand-in gets # the words. A name that really holds an
# asterisk is played as given; where both exist, spaces win; a relative path never reads as an option.
mpv=("$both/mpv" --wid=WINDOW --vo=gpu,x11 --force-window=yes)
cases=(
  "$both##${mpv[*]}#$WORK/my media/My Song.mp3#rightful#$WORK/my*media/My*Song.mp3#0"
  "$both##${mpv[*]}#$WORK/my media/My Song.mp3#$WORK/my media/My Song.mp3"
  "$both##${mpv[*]}#$WORK/star*name.mp3#rightful#$WORK/star*name.mp3#0"
  "$both##${mpv[*]}#$WORK/two ways.mp3#rightful#$WORK/two*ways.mp3#0"
  "$both##${mpv[*]}#$shell#rightful#${shell// /*}#0"
  "$both##${mpv[*]}#./-v x.mp3#rightful#-v*x.mp3#0"
  "$both#null#${mpv[*]} --ao=null#$WORK/x.wav#rightful#$WORK/x.wav#0"
  "$ffplay_only##$ffplay_only/ffplay -window_title $PLAYER_TITLE -x 600 -y 600 -autoexit#$WORK/my media/My Song.mp3#rightful#$WORK/my*media/My*Song.mp3#0"
)
for entry in "${cases[@]}"; do
  IFS='#' read -r -a fields <<<"$entry"
  env -u MOXA3_AUDIO_OUTPUT ${fields[1]:+MOXA3_AUDIO_OUTPUT=null} VM_STUB_RECORD_DIR="$RECORDS" VM_STUB_NO_WINDOW=1 \
    PATH="${fields[0]}" "$MOXA3" "${fields[@]:4}" ||
    vm_fail "moxa3 ${fields[*]:4} did not end with the player's 0"
  # The stand-in's command words hold spaces only inside the title.
  read -r -a argv <<<"${fields[2]/$PLAYER_TITLE/TITLE}"
  vm_expect_record "${argv[@]/TITLE/$PLAYER_TITLE}" "${fields[3]}"
done
[ ! -e "$WORK/canary" ] || vm_fail "a command in the path was run"
PATH=$both "$MOXA3" rightful 0 2>"$WORK/stderr"
[ $? -eq 2 ] && grep -q "no media file" "$WORK/stderr" || vm_fail "moxa3 without a media file: no usage and status 2"

# The real players.
export MOXA3_AUDIO_OUTPUT=null
media="$WORK/media here"
mkdir -p "$media" "$WORK/none"
ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10 -t 2 -pix_fmt yuv420p "$media/clip one.mp4" &&
  ffmpeg -loglevel error -f lavfi -i sine=frequency=440 -t 2 "$media/tone two.wav" || vm_fail "ffmpeg made no media"
player_open() { xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1; }
screen_mean() { import -window root -crop "$1" +repage -format '%[fx:mean]' info: 2>/dev/null || echo 0; }
# Placed by CENTERCENTER's ViewOffset (320, -180) at 640, 360, never moved after, and closed at
# the end of the file (30 s at most); VIDEO becomes 1 when the test picture showed inside it.
vm_install_menu_with_player "$MOXA3"
vm_start_menu "$media"
vm_click_until $(vm_canvas_to_screen 405 526 960 540) "! vm_row_is none 960 540 1 320 -180"
for file in "clip one.mp4" "tone two.wav"; do
  vm_select_row 960 540 "$(vm_entry_index "$media" "$file")" 320 -180
  vm_key_until p player_open
  vm_expect_player_at 640 360
  VIDEO=0
  for _ in $(seq 300); do
    geometry=$(vm_geometry "$PLAYER_TITLE")
    # A sample taken while the window closes may be cut short.
    [ "$geometry" == "640 360 600 600 IsViewable" ] || { player_open || break; vm_fail "the player moved to '$geometry'"; }
    awk "BEGIN { exit !($(screen_mean 600x600+640+360) > 0.1) }" && VIDEO=1
    sleep 0.1
  done
  ! player_open || vm_fail "the player's window did not close at the end of $file"
  [ "$file" == "tone two.wav" ] || [ "$VIDEO" == 1 ] || vm_fail "no video frame showed in the player's window"
done
vm_quit_menu

# PATH | what is seen | moxa3's status
ln -sf "$(command -v ffplay)" "$ffplay_only/ffplay"
for entry in "$ffplay_only|ffplay's window where moxa3's was|0" "$WORK/none|a message in moxa3's window|1"; do
  IFS='|' read -r path seen status <<<"$entry"
  PATH=$path "$MOXA3" rightful "${media// /*}/clip*one.mp4" 0 >"$WORK/player.log" 2>&1 &
  pid=$!
  vm_check_for 10 player_open || vm_fail "moxa3 showed no window"
  if [ "$status" == 0 ]; then
    xdotool search --name "^$PLAYER_TITLE\$" windowmove 120 70
    # moxa3's own window goes; ffplay's (another process's) stands where it was.
    vm_check_for 10 "! xdotool search --all --pid $pid --name '^$PLAYER_TITLE\$'" && vm_check_for 5 "vm_window_at '$PLAYER_TITLE' '120 70 600 600'"
  else
    grep -q "neither mpv nor ffplay" "$WORK/player.log" && vm_check_for 2 '[ "$(screen_mean 600x30+0+0)" != 0 ]'
  fi || vm_fail "no $seen: $(cat "$WORK/player.log")"
  wait "$pid"
  [ $? -eq "$status" ] && ! player_open || vm_fail "moxa3 did not end with $status and close its window"
done
echo PASS
