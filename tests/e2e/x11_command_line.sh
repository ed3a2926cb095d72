#!/usr/bin/env bash
# The Linux command line: --help and --version, an unknown option or a second folder (usage on
# standard error, status 2), a folder that can't be entered (one line, status 1), no X display
# (one line naming DISPLAY, status 1, within a second). The folder argument: package_deb.sh.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu
version=$(sed -nE 's/^project\(vestramenu VERSION ([0-9.]+).*/\1/p' "$VM_SOURCE_DIR/CMakeLists.txt")
mkdir -p "$WORK/my folder" && touch "$WORK/a file"

# status | seconds allowed | DISPLAY (empty: unset) | standard output | standard error (bash
# regular expressions over all of it, "." also matching a line end; empty: nothing written) |
# one line on standard error (1) | the arguments
cases=(
  "0|5||^Usage: vestramenu \[FOLDER\].*Esc .*moxa3.*PATH||-|--help"
  "0|5||^vestramenu $version\$||-|--version"
  "2|5|||^vestramenu: unknown option '--bogus'.Usage: vestramenu \[FOLDER\]|-|--bogus"
  "2|5|||^vestramenu: .*.Usage: vestramenu \[FOLDER\]|-|$WORK/my folder|$WORK"
  "1|5|||^vestramenu: .*'$WORK/missing': No such file or directory\$|1|$WORK/missing"
  "1|5|||^vestramenu: .*'$WORK/a file': Not a directory\$|1|$WORK/a file"
  "1|1|||^vestramenu: .*DISPLAY is not set\$|1|$WORK/my folder"
  "1|1|:5999||^vestramenu: .*DISPLAY=:5999\$|1|"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r status seconds display out err lines args <<<"$entry"
  IFS='|' read -r -a argv <<<"$args"
  (cd "$WORK" && timeout "$seconds" env -u DISPLAY ${display:+DISPLAY=$display} "${MENU[0]}" "${argv[@]}") >"$WORK/out" 2>"$WORK/err"
  got=$?
  what="vestramenu ${argv[*]}"
  [ "$got" -eq "$status" ] || vm_fail "$what: status $got, expected $status (124: not within $seconds s)"
  for stream in out err; do
    written=$(cat "$WORK/$stream")
    pattern=${!stream:-^\$}
    [[ $written =~ $pattern ]] || vm_fail "$what: std$stream is '$written', expected /$pattern/"
  done
  [ "$lines" == - ] || [ "$(wc -l <"$WORK/err")" -eq "$lines" ] || vm_fail "$what: not $lines line(s) on stderr"
done
echo PASS
