#!/usr/bin/env bash
# File names that a shell would act on reach the player as one argument, changed only by the
# asterisks for spaces, and nothing they spell out is run. The stand-in player here opens no
# window, as a player that fails would: the menu keeps running.
source "$(dirname "$0")/launch/lib.bash"
vm_require_programs "$MENU_PROGRAM" "$STUB_PLAYER"
vm_start_xvfb

menu="$WORK/menu"
mkdir -p "$menu"
vm_install_menu_with_player "$STUB_PLAYER"
names=(
  'a $(touch canary_a) b.mp3'
  '`touch canary_b`.mp3'
  'x; touch canary_c.mp3'
  'p | touch canary_d & q.mp3'
  "it's \"quoted\".mp3"
  $'new\nline.mp3'
  '-leading dash.mp3'
)
for name in "${names[@]}"; do touch "$menu/$name"; done
vm_start_menu "$menu" VM_STUB_RECORD_DIR="$RECORDS" VM_STUB_NO_WINDOW=1

for name in "${names[@]}"; do
  vm_select_row "$(vm_entry_index "$menu" "$name")" 960 540
  vm_act_until vm_record_waiting vm_press_key p
  vm_take_record "the player for $(printf %q "$name")"
  vm_expect_record "$PLAYER" rightful "$menu/${name// /*}" 0
  vm_expect_menu_running
done

canaries=$(find "$WORK" -name 'canary*')
[ -z "$canaries" ] || vm_fail "a command in a file name was run: $canaries"
vm_quit_menu
echo "launch_shell_names: passed"
