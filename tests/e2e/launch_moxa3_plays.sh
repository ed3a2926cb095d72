#!/usr/bin/env bash
# moxa3 plays a short generated video and a short generated sound with the real players, mpv and
# (with mpv off the path) ffplay, each in a 600 x 600 window titled "Moxa3 video and audio player".
# Audio goes to the players' null outputs.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MOXA3_PROGRAM"
for program in mpv ffplay ffmpeg; do command -v "$program" >/dev/null || vm_fail "$program is not installed"; done
vm_start_xvfb
export MOXA3_AUDIO_OUTPUT=null

media="$WORK/my media"
mkdir -p "$media" "$WORK/ffplay-only"
ln -s "$(command -v ffplay)" "$WORK/ffplay-only/ffplay"
ffmpeg -loglevel error -f lavfi -i testsrc=size=320x240:rate=25 -t 20 -pix_fmt yuv420p "$media/clip one.mp4" ||
  vm_fail "ffmpeg could not make the video"
ffmpeg -loglevel error -f lavfi -i sine=frequency=440 -t 20 "$media/tone two.wav" ||
  vm_fail "ffmpeg could not make the sound"

# Starts the player for file with PATH=searchPath and waits until its window is viewable; fails
# (1) when the player ends first, having shown no window.
play_until_window_shows() {
  local searchPath=$1 file=$2
  PATH=$searchPath "$MOXA3_PROGRAM" rightful "${media// /*}/$file" 0 >"$WORK/player.log" 2>&1 &
  pid=$!
  STARTED_PIDS+=("$pid")
  # A video output that fails may show and drop a window of its own before the one that plays.
  for _ in $(seq 300); do
    geometry=$(vm_window_geometry "$PLAYER_TITLE" 2>/dev/null)
    [ "${geometry##* }" == IsViewable ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
}

# Plays file (its name with asterisks for spaces, as the menu hands it over) with PATH=searchPath
# and checks the player's window; the player runs as moxa3's own process. On a loaded machine a
# real player now and then plays a sound through without ever mapping its window: it gets one
# more go.
expect_player_window() {
  local searchPath=$1 file=$2 pid geometry
  if ! play_until_window_shows "$searchPath" "$file"; then
    echo "the player for $file ended without a window; trying once more" >&2
    play_until_window_shows "$searchPath" "$file" || {
      tail -c 2000 "$WORK/player.log" >&2
      vm_fail "the player for $file (PATH=$searchPath) ended; its window was '$geometry'"
    }
  fi
  sleep 0.5
  geometry=$(vm_window_geometry "$PLAYER_TITLE")
  [ "${geometry#* * }" == "600 600 IsViewable" ] || {
    cat "$WORK/player.log" >&2
    vm_fail "the player's window for $file is '$geometry', not 600 x 600 and viewable"
  }
  kill "$pid"
  wait "$pid" 2>/dev/null
  vm_wait_for sh -c "! xwininfo -name '$PLAYER_TITLE'" || vm_fail "the player's window stayed"
}

expect_player_window "$PATH" "clip*one.mp4"
expect_player_window "$PATH" "tone*two.wav"
expect_player_window "$WORK/ffplay-only" "clip*one.mp4"
expect_player_window "$WORK/ffplay-only" "tone*two.wav"
echo "launch_moxa3_plays: passed"
