#!/bin/bash
# A stand-in for the player (and for mpv, ffplay and xdg-open): writes the path it was run by and
# its arguments, each ended by a zero byte, to argv.PID in $VM_STUB_RECORD_DIR, then shows a window
# titled as the real player's for a minute, or exits at once when $VM_STUB_NO_WINDOW is set.
PATH=$PATH:/usr/bin:/bin  # it may be run with a PATH of stand-ins only
[ -z "${VM_STUB_RECORD_DIR:-}" ] || { printf '%s\0' "$0" "$@" >"$VM_STUB_RECORD_DIR/argv.$$.tmp" &&
  mv "$VM_STUB_RECORD_DIR/argv.$$.tmp" "$VM_STUB_RECORD_DIR/argv.$$"; }
[ -n "${VM_STUB_NO_WINDOW:-}" ] || exec timeout 60 xmessage -title "Moxa3 video and audio player" -geometry 200x120+40+30 stand-in
