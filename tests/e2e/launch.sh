#!/usr/bin/env bash
# Launching plays hostile names safely: never through a shell, only the moxa3 beside the menu, the
# path as one argument; the real moxa3 (mpv or ffplay behind it) then shows and closes its window.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu moxa3
vm_start_xvfb
MOXA3=$VM_BUILD_DIR/bin/moxa3 both=$WORK/both ffplay_only=$WORK/ffplay-only
mkdir -p "$both" "$ffplay_only" && for stand_in in "$both/mpv" "$both/ffplay" "$ffplay_only/ffplay"; do ln -s "$STUB_PLAYER" "$stand_in"; done
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
PATH=$both "$MOXA3" rightful 0 2>"$WORK/stderr"
[ $? -eq 2 ] && grep -q "no media file" "$WORK/stderr" || vm_fail "moxa3 without a media file: no usage and status 2"

menu="$WORK/it's a \"menu\" \$(touch canary) ; dir"
name='a $(touch canary) `touch canary`; x | y & "q'"'"'.mp3'
mkdir -p "$menu" "$WORK/bin" "$WORK/none" && touch "$menu/$name" && ln -s "$STUB_PLAYER" "$WORK/bin/xdg-open"
ffmpeg -loglevel error -f lavfi -i testsrc=size=160x120:rate=10 -t 2 -pix_fmt yuv420p "$menu/clip one.mp4" &&
  ffmpeg -loglevel error -f lavfi -i sine=frequency=440 -t 2 "$menu/tone two.wav" || vm_fail "ffmpeg made no media"
# A moxa3 planted in the start folder, reachable through PATH's relative entries, must never run.
printf '#!/bin/sh\ntouch "%s"\n' "$WORK/canary" >"$menu/moxa3" && chmod +x "$menu/moxa3"
PLAYER=$WORK/installed/moxa3  # beside a copy of the menu, as a package installs them
mkdir "$WORK/installed" && cp "${MENU[0]}" "$WORK/installed/vestramenu" && MENU=("$WORK/installed/vestramenu")
export MOXA3_AUDIO_OUTPUT=null
vm_start_menu "$menu" PATH="$WORK/bin::.:/usr/bin:/bin" VM_STUB_RECORD_DIR="$RECORDS"
file=$(vm_entry_index "$menu" "$name")
vm_select_row 960 540 "$file"
vm_press_key p && sleep 1
! vm_record_file || vm_fail "a player ran with none beside the menu"
cp "$STUB_PLAYER" "$PLAYER"
vm_click_until $(vm_row_point 960 540 "$file") vm_record_file
vm_expect_record "$PLAYER" rightful "${menu// /*}/${name// /*}" 0
vm_expect_player_at 0 0
vm_close_players
vm_key_until F7 vm_record_file
vm_expect_record "$WORK/bin/xdg-open" "$menu"
vm_close_players

cp "$MOXA3" "$PLAYER"
player_open() { xwininfo -name "$PLAYER_TITLE" >/dev/null 2>&1; }
screen_mean() { import -window root -crop "$1" +repage -format '%[fx:mean]' info: 2>/dev/null || echo 0; }
# play_from_list FILE CANVAS_W CANVAS_H OFFSET_X OFFSET_Y LEFT TOP: P shows the player at left, top,
# never moved and closed at the end of the file (30 s at most); VIDEO=1 if the test picture showed.
play_from_list() {
  vm_select_row "$2" "$3" "$(vm_entry_index "$menu" "$1")" "$4" "$5"
  vm_key_until p player_open
  vm_expect_player_at "$6" "$7"
  VIDEO=0
  for _ in $(seq 300); do
    geometry=$(vm_geometry "$PLAYER_TITLE")
    # A sample taken while the window closes may be cut short.
    [ "$geometry" == "$6 $7 600 600 IsViewable" ] || { player_open || break; vm_fail "the player moved to '$geometry'"; }
    awk "BEGIN { exit !($(screen_mean "600x600+$6+$7") > 0.1) }" && VIDEO=1
    sleep 0.1
  done
  ! player_open || vm_fail "the player's window did not close at the end of $1"
}
# CENTERCENTER's label: ViewOffset (320, -180) in the half screen, (426, -320) at 1280 x 960.
vm_click_until $(vm_canvas_to_screen 405 526 960 540) "! vm_row_is none 960 540 $file 320 -180"
play_from_list "clip one.mp4" 960 540 320 -180 640 360
[ "$VIDEO" == 1 ] || vm_fail "no video frame showed in the player's window"
play_from_list "tone two.wav" 960 540 320 -180 640 360
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
vm_click_until $(vm_canvas_to_screen 405 946 1280 960) "! vm_row_is none 1280 960 $file 426 -320"
play_from_list "clip one.mp4" 1280 960 426 -320 426 320
vm_quit_menu

# moxa3 run alone: PATH | what is seen | its status
ln -sf "$(command -v ffplay)" "$ffplay_only/ffplay"
for entry in "$ffplay_only|ffplay's window where moxa3's was|0" "$WORK/none|a message in moxa3's window|1"; do
  IFS='|' read -r path seen status <<<"$entry"
  PATH=$path "$MOXA3" rightful "${menu// /*}/clip*one.mp4" 0 >"$WORK/player.log" 2>&1 & pid=$!
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
[ -z "$(find "$WORK" -name 'canary*')" ] || vm_fail "a command was run: $(find "$WORK" -name 'canary*')"
