#!/usr/bin/env bash
# A player whose window appears only after the launch's 340 ms pause is still placed: a stand-in
# that waits 1.5 s, and the real moxa3 with mpv (installed beside the menu, as StartDir has none).
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$MOXA3_PROGRAM" "$STUB_PLAYER"
command -v mpv >/dev/null || vm_fail "mpv is not installed"
vm_start_xvfb

slow="$WORK/slow"
mkdir -p "$slow"
touch "$slow/song.mp3"
cp "$STUB_PLAYER" "$slow/moxa3"
vm_start_menu "$slow" VM_STUB_RECORD_DIR="$RECORDS" VM_STUB_WINDOW_DELAY_MS=1500
song=$(vm_entry_index "$slow" song.mp3)
vm_select_row "$song" 960 540
vm_act_until vm_record_waiting vm_press_key p
vm_take_record "the slow player"
vm_check_for 10 "xwininfo -name '$PLAYER_TITLE' >/dev/null 2>&1" || vm_fail "the slow player showed no window"
vm_check_for 3 "[ \"\$(vm_window_geometry '$PLAYER_TITLE')\" == '0 0 600 600 IsViewable' ]"
vm_expect_player_window_at 0 0
vm_close_players
vm_quit_menu

real="$WORK/real media"
mkdir -p "$real"
ffmpeg -loglevel error -f lavfi -i testsrc=size=320x240:rate=25 -t 30 -pix_fmt yuv420p "$real/clip one.mp4" ||
  vm_fail "ffmpeg could not make the video"
vm_start_menu "$real" MOXA3_AUDIO_OUTPUT=null
clip=$(vm_entry_index "$real" "clip one.mp4")
vm_select_row "$clip" 960 540
vm_act_until "xwininfo -name '$PLAYER_TITLE' >/dev/null 2>&1" vm_press_key p
STARTED_PIDS+=($(pgrep -P "$MENU_PID"))
vm_check_for 15 "[ \"\$(vm_window_geometry '$PLAYER_TITLE')\" == '0 0 600 600 IsViewable' ]"
vm_expect_player_window_at 0 0
vm_close_players
vm_quit_menu
echo "launch_late_window: passed"
