#!/usr/bin/env bash
# moxa3 turns the menu's words back into the media path and starts the player: mpv inside moxa3's
# window, or ffplay with the window title and size where mpv is missing. Stand-ins named mpv and ffplay record the arguments they receive.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MOXA3_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb
export VM_STUB_RECORD_DIR=$RECORDS VM_STUB_NO_WINDOW=1
unset MOXA3_AUDIO_OUTPUT

both="$WORK/both" ffplay_only="$WORK/ffplay-only"
mkdir -p "$both" "$ffplay_only" "$WORK/my media"
ln -s "$STUB_PLAYER" "$both/mpv"
ln -s "$STUB_PLAYER" "$both/ffplay"
ln -s "$STUB_PLAYER" "$ffplay_only/ffplay"
touch "$WORK/my media/My Song.mp3" "$WORK/star*name.mp3" "$WORK/two*ways.mp3" "$WORK/two ways.mp3"
title="Moxa3 video and audio player"
mpv_options=(--wid=WINDOW --vo=gpu,x11 --force-window=yes)
ffplay_options=(-window_title "$title" -x 600 -y 600 -autoexit)

# Runs moxa3 with PATH=folder and the given words; STATUS, and RECORD when a player ran.
run_moxa3() {
  local folder=$1
  shift
  STATUS=0
  PATH=$folder "$MOXA3_PROGRAM" "$@" 2>"$WORK/stderr" || STATUS=$?
}

# moxa3 given the words hands mpv (its window id read as WINDOW) the options, then the path expected.
expect_mpv_plays() {
  local expected=$1 i
  shift
  run_moxa3 "$both" "$@"
  vm_take_record "mpv for $*"
  for i in "${!RECORD[@]}"; do [[ "${RECORD[$i]}" =~ ^--wid=[0-9]+$ ]] && RECORD[$i]=--wid=WINDOW; done
  vm_expect_record "$both/mpv" "${mpv_options[@]}" $([ -n "${MOXA3_AUDIO_OUTPUT:-}" ] && echo --ao=null) "$expected"
}

expect_mpv_plays "$WORK/my media/My Song.mp3" rightful "$WORK/my*media/My*Song.mp3" 0
[ "$STATUS" -eq 0 ] || vm_fail "moxa3 ended with $STATUS, not the player's 0"
# Words not in the menu's form are the path itself, a trailing 0 included.
expect_mpv_plays "$WORK/my media/My Song.mp3" "$WORK/my media/My Song.mp3"
expect_mpv_plays "$WORK/my media/My Song.mp3 0" "$WORK/my*media/My" "Song.mp3" 0
# A name that really holds an asterisk is played as given; where both exist, spaces win.
expect_mpv_plays "$WORK/star*name.mp3" rightful "$WORK/star*name.mp3" 0
expect_mpv_plays "$WORK/two ways.mp3" rightful "$WORK/two*ways.mp3" 0
# Characters a shell would act on are only characters; no command runs.
expect_mpv_plays "$WORK/\$(touch $WORK/canary);\`touch $WORK/canary\`|x&'\"" \
  rightful "$WORK/\$(touch*$WORK/canary);\`touch*$WORK/canary\`|x&'\"" 0
[ ! -e "$WORK/canary" ] || vm_fail "a command in the path was run"
# A relative path never reads as an option.
expect_mpv_plays "./-v x.mp3" rightful "-v*x.mp3" 0
MOXA3_AUDIO_OUTPUT=null expect_mpv_plays "$WORK/x.wav" rightful "$WORK/x.wav" 0

run_moxa3 "$ffplay_only" rightful "$WORK/my*media/My*Song.mp3" 0
vm_take_record ffplay
vm_expect_record "$ffplay_only/ffplay" "${ffplay_options[@]}" "$WORK/my media/My Song.mp3"
# ffplay has no audio output option: null audio reaches it through its environment.
MOXA3_AUDIO_OUTPUT=null run_moxa3 "$ffplay_only" rightful "$WORK/x.wav" 0
vm_take_record "ffplay with null audio"
vm_expect_record "$ffplay_only/ffplay" "${ffplay_options[@]}" "$WORK/x.wav"

for words in "" "rightful" "rightful 0"; do
  # shellcheck disable=SC2086
  run_moxa3 "$both" $words
  [ "$STATUS" -eq 2 ] || vm_fail "moxa3 '$words' ended with $STATUS, not 2"
  grep -q "no media file" "$WORK/stderr" || vm_fail "no usage message for '$words'"
done
vm_expect_no_record "a player ran without a media file" 0

echo "launch_moxa3_words: passed"
