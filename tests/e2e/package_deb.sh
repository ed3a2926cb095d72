#!/usr/bin/env bash
# The Debian package as cpack builds it: lintian-clean, complete, and its vestramenu, given a folder,
# starts the moxa3 unpacked beside it (here the stand-in) on that folder's file.
source "$(dirname "$0")/lib.bash"
vm_build vestramenu moxa3
# cpack builds the tree first: one build at a time, as in vm_build.
(cd "$VM_BUILD_DIR" && flock .e2e-build.lock cpack -G DEB -B "$WORK/package") >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; vm_fail "cpack made no package"; }
deb=$(ls "$WORK"/package/vestramenu_*.deb)
lintian --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 || { cat "$WORK/lintian.log" >&2; vm_fail "lintian: errors"; }
# Depends from the libraries linked (libX11 among them); the players recommended.
dpkg-deb -f "$deb" Depends | grep -q libx11 && [ "$(dpkg-deb -f "$deb" Recommends)" == "mpv, xdg-utils" ] ||
  vm_fail "fields: $(dpkg-deb -f "$deb" Depends Recommends)"

root=$WORK/root && dpkg -x "$deb" "$root"
for file in bin/{vestramenu,moxa3} share/man/man1/{vestramenu,moxa3}.1.gz share/applications/vestramenu.desktop \
  share/icons/hicolor/scalable/apps/vestramenu.svg; do [ -s "$root/usr/$file" ] || vm_fail "the package lacks /usr/$file"; done
cp "$STUB_PLAYER" "$root/usr/bin/moxa3"
vm_start_xvfb
menu=$WORK/media && mkdir "$menu" && touch "$menu/song.mp3"
MENU=("$root/usr/bin/vestramenu" "$menu")
vm_start_menu / VM_STUB_RECORD_DIR="$RECORDS"
vm_select_row 960 540 "$(vm_entry_index "$menu" song.mp3)"
vm_key_until p vm_record_file
vm_expect_record "$root/usr/bin/moxa3" rightful "$menu/song.mp3" 0
