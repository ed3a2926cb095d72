#!/usr/bin/env bash
# A newcomer's first run: the README's run command in a fresh clone, without X, shows the headless
# first frame in its screenshot and writes nothing into the folder browsed.
source "$(dirname "$0")/lib.bash"
vm_build x11_headless_frame
clone=$WORK/clone menu=$WORK/media
git clone --quiet "$VM_SOURCE_DIR" "$clone" || vm_fail "git clone failed"
command=$(sed -n '/^## Run the menu/,/^## /s/^    \(scripts\/.*\)/\1/p' "$clone/README.md")
[ "$command" == "scripts/run-menu [folder]" ] || vm_fail "the README's run command is '$command'"

mkdir -p "$menu/Films" && touch "$menu/song.mp3"
listing() { find "$menu" -printf '%P %y %s %T@ %m\n' | sort; }
before=$(listing)
# The command as written, without DISPLAY.
(cd "$clone" && exec env -u DISPLAY ${command/\[folder\]/"$menu"}) >"$WORK/run.log" 2>&1 ||
  { tail -n 30 "$WORK/run.log" >&2; vm_fail "the run command failed"; }
screenshot=$clone/build/release/run-menu-screenshot.png
grep -q -F "$screenshot" "$WORK/run.log" || vm_fail "the run command did not say where its screenshot is"
[ "$(listing)" == "$before" ] || vm_fail "the browsed folder changed: $(diff <(echo "$before") <(listing))"

# The top 100 rows of the Canvas; the clock at the bottom and the pointer's cross are left out.
"$HELPERS/x11_headless_frame" "$menu" 1920 1080 960 540 "$WORK/expected.ppm" || vm_fail "no headless frame"
differing=$(compare -metric AE "$screenshot[1920x200+0+0]" "$WORK/expected.ppm[1920x200+0+0]" null: 2>&1)
[ "$differing" == 0 ] || vm_fail "the screenshot's top differs from the first frame in $differing pixels"
