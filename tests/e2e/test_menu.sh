#!/bin/bash
# The real zelk in a private X server: the menu opens, a click on a level in
# the list shows its summary, a screenshot is kept.
source "$(dirname "$0")/lib.sh"
e2e_start_x
e2e_folder
cp "$(dirname "$0")/../levels/"*.lev "$WORK/"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "the menu did not open"
e2e_shot menu-opened
# The list holds court.lev, oiseau.lev, start.lev (sorted), 8.25 pt rows of about 16 px.
read -r x y w h < <(e2e_geometry "$menu")
xdotool mousemove --window "$menu" $((5760 / 15 + 40)) $((4800 / 15 + 8 + 16)) click 1
sleep 0.5
e2e_shot menu-level-selected
# The summary of oiseau.lev says the bird is there: its yellow text appears.
convert "$SHOTS/menu-level-selected.png" -crop 150x14+$((x + 5760 / 15))+$((y + 8640 / 15)) \
    -fill black -opaque 'rgb(0,128,128)' -format '%[fx:mean]' info: > "$WORK/mean"
mean=$(cat "$WORK/mean")
awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }' || e2e_fail "no summary text after the click"
kill -0 "$APP_PID" || e2e_fail "zelk is not running any more"
echo ok
