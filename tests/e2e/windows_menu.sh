#!/usr/bin/env bash
# vestramenu.exe under Wine on a 1024 x 768 screen: the half-screen window, the list, entering and
# leaving a folder, the grid with thumbnails decoded by OLE, the viewer, the geometry keys and M,
# and the close request (Alt+F4, WM_CLOSE), with no message box shown.
source "$(dirname "$0")/lib.bash"
vm_setup_wine menu
vm_start_xvfb 1024x768

pics=$WORK/pics
mkdir -p "$pics/Sub"
convert -size 64x64 xc:red -type TrueColor "BMP3:$pics/red.bmp" && convert -size 64x48 xc:blue -quality 95 "$pics/blue.jpg" ||
  vm_fail "convert failed"
: >"$pics/My Song.mp3"
vm_start_wine_menu "$pics"
vm_expect_window_at GAME "0 0 1024 768" "start-up (half screen of 1024 x 768 at scale 2)"

sleep 2
vm_screenshot list
vm_expect_count list lime 100 20000 "green file rows in the list"
vm_expect_count list yellow 100 100000 "yellow folder rows and labels"
vm_expect_count list blue 0 0 "no picture pixels in the list"
files=$(vm_count list lime)
# The widest yellow row of the list area is "Sub" (the other one is ".."): a click selects it, a
# second enters it, where no file is listed, and the path line below the MenuBar grows by "\Sub\".
read -r x y <<<"$(vm_label_point list yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no yellow folder row"
vm_click_until "$x" "$y" "vm_shot_count selected red 4 100000 $(vm_row_region "$x" "$y")"
vm_click_until "$x" "$y" "vm_shot_count sub lime 0 0"
path_width() {
  convert "$WORK/$1.png" -crop 700x16+0+38 +repage "$WORK/$1.path.png" && vm_mask "$WORK/$1.path.png" yellow "$WORK/$1.path.png" &&
    vm_mask_box "$WORK/$1.path.png" | awk '{ print $3 + 0 }'
}
growth=$(($(path_width sub) - $(path_width list)))
[ "$growth" -ge 20 ] && [ "$growth" -le 80 ] || vm_fail "the path line grew by $growth pixels on entering Sub"
# The cross cursor covers the little ".." label, so its selection can't be seen: the clicks go on
# until the parent's list is back (one selects, the next leaves).
read -r x y <<<"$(vm_label_point sub yellow 400x600+0+60)"
[ -n "${y:-}" ] || vm_fail "no .. row in Sub"
vm_click_until "$x" "$y" "vm_shot_count left lime $files $files"

vm_key_until t "vm_shot_count grid blue 40000 80000"
vm_expect_count grid red 50000 90000 "red BMP thumbnail (280 x 280 on screen)"
read -r x y <<<"$(vm_mask "$WORK/grid.png" red "$WORK/red.png" && vm_mask_box "$WORK/red.png" | awk '{ print $1 + int($3 / 2), $2 + int($4 / 2) }')"
vm_click_until "$x" "$y" "vm_shot_count viewer blue 0 0"
vm_expect_count viewer red 1000 20000 "the red picture in the viewer at half size (64 x 64)"
vm_click_until 500 300 "vm_shot_count back blue 40000 80000"
vm_key_until t "vm_shot_count list2 blue 0 0"

focus_menu() { xdotool search --name '^GAME$' windowfocus --sync 2>/dev/null; }
vm_key_until F6 "vm_window_at GAME '0 0 1280 960'"
focus_menu
xdotool mousemove 100 50
vm_key_until m "vm_window_at GAME '100 50 1280 960'"
focus_menu
vm_key_until F5 "vm_window_at GAME '0 0 1024 768'"
focus_menu
vm_key_until alt+F4 vm_menu_ended
vm_expect_exit Alt+F4
vm_expect_no_message_boxes
echo PASS
