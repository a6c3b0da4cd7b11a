#!/bin/bash
# The real editor in a private X server: move a platform with the arrow keys,
# save it under a new name, find it in the menu's list.
source "$(dirname "$0")/lib.sh"
e2e_open_editor
ed=$ED
e2e_key "$ed" Right Right Right Right         # platform 1: 200 twips right
e2e_shot frmedit

# The selection's frame and the status line under the ground, both drawn in
# white: the status line in the window's lowest strip, the handles of the
# resize mode added to the frame.
white() {  # $1: screenshot of the editor; $2: the part of its height from the top, in %
    convert "$1" -gravity south -crop "100%x$2%+0+0" +repage -fuzz 30% -fill black +opaque white \
        -format "%[fx:round(mean*w*h)]" info:
}
import -window "$ed" "$SHOTS/editor-move.png"
status_px=$(white "$SHOTS/editor-move.png" 7)
[ "$status_px" -gt 300 ] || e2e_fail "no status line ($status_px white pixels)"
xdotool mousemove --window "$ed" 345 10 click 1 sleep 0.4 key Down Return  # Changer de mode > Largeur/Hauteur
sleep 0.5
import -window "$ed" "$SHOTS/editor-resize.png"
move_px=$(white "$SHOTS/editor-move.png" 100)
resize_px=$(white "$SHOTS/editor-resize.png" 100)
[ "$resize_px" -gt $((move_px + 200)) ] || e2e_fail "no handles ($move_px, then $resize_px white pixels)"

# Fichier > Sauvegerder sous...
menu_item() {  # $1: menu title x in pixels, $2: how many items down
    xdotool mousemove --window "$ed" "$1" 10 click 1
    sleep 0.4
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
    sleep 0.6
}
menu_item 25 3
ask=$(e2e_window '^Nom$') || e2e_fail "no name box"
e2e_shot save-as
xdotool type --delay 40 "e2e niveau"
xdotool key Return
ok=$(e2e_window '^OK$') || e2e_fail "no confirmation"
e2e_shot saved
xdotool key Return
sleep 0.5
[ -f "$WORK/e2e niveau.lev" ] || e2e_fail "the level was not written"
head -c 10 "$WORK/e2e niveau.lev" | grep -q '^8400,2120,' || e2e_fail "unexpected content: $(cat "$WORK/e2e niveau.lev")"

menu_item 25 2                                 # Fichier > Ouvrir...
e2e_window '^Ouvrir\.\.\.\.$' >/dev/null || e2e_fail "no open dialog"
e2e_shot frmouvrir
open=$(e2e_window '^Ouvrir\.\.\.\.$')
e2e_click_twips "$open" 3780 1860              # Annuler

xdotool mousemove --window "$ed" 118 10 click 1   # Options méchants
opt=$(e2e_window '^Options ennemies$') || e2e_fail "no enemy options"
e2e_shot frmopt-over-editor
e2e_click_twips "$opt" 3960 3840               # OK: back to the editor

menu_item 25 1                                 # Fichier > Menu
sleep 0.5
e2e_shot menu-after-editor
grep -q . <(xdotool search --onlyvisible --name 'Menu  ZELK') || e2e_fail "the menu is not back"
kill -0 "$APP_PID" || e2e_fail "zelk is not running any more"
echo ok
