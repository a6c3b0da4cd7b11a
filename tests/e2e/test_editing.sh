#!/bin/bash
# The real editor in a private X server, with the mouse: drag a platform out
# of the window and back down outside it, undo a second drag with Ctrl+Z,
# save and find the new position in the file; try the level with F5; quit
# with unsaved changes, go back once, then save on the way out.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_start_x
e2e_folder
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_click_twips "$menu" 3000 4320            # EDITEUR
ed=$(e2e_window '^Editeur$') || e2e_fail "no editor"
sleep 0.5
drag() {  # a drag with the left button through the window positions given, in pixels
    xdotool mousemove --window "$ed" "$1" "$2" mousedown 1
    shift 2
    while [ $# -ge 2 ]; do
        sleep 0.15
        xdotool mousemove --window "$ed" "$1" "$2"
        shift 2
    done
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}
menu_item() {  # $1: menu title x in pixels, $2: how many items down
    xdotool mousemove --window "$ed" "$1" 10 click 1
    sleep 0.4
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
    sleep 0.6
}
field() { tr -d '\r' <"$WORK/sansnom.lev" | cut -d, -f"$1"; }
editeurs() {  # waits until $1 windows are titled "Editeur": the editor, and the question over it
    for _ in $(seq 50); do
        [ "$(xdotool search --onlyvisible --name '^Editeur$' | wc -l)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "expected $1 windows named Editeur"
}

drag 250 410 600 410 1100 410 1100 480        # platform 2: right past the edge, down outside
drag 530 420 530 320                          # platform 6: up
e2e_shot editor-two-drags
e2e_key "$ed" ctrl+z                          # platform 6 back
e2e_shot editor-undone
menu_item 25 4                                # Fichier > Sauvegarder
e2e_window '^OK$' >/dev/null || e2e_fail "no confirmation"
xdotool key Return
sleep 0.5
# Platform 2 kept to the limits (15360 - 3135) and moved down while outside the window.
[ "$(field 6)" = 12225 ] || e2e_fail "platform 2 left: $(cat "$WORK/sansnom.lev")"
top=$(field 5)
if [ $(((top - 5400) % 40)) != 0 ] || [ "$top" -lt 6200 ]; then e2e_fail "platform 2 top: $top"; fi
[ "$(field 21-24)" = 5520,7560,1455,3135 ] || e2e_fail "platform 6 not undone: $(field 21-24)"

xdotool key F5                                # Essayer
e2e_window '^Avertissement!$' >/dev/null || e2e_fail "no warning"
xdotool key Return
e2e_window '^!! Zelk !!      <sansnom.lev>$' >/dev/null || e2e_fail "no game"
e2e_shot editor-try
xdotool windowraise "$ed"
drag 530 420 650 420                          # platform 6: right, unsaved
menu_item 25 6                                # Fichier > Quitter tout le jeu
editeurs 2
e2e_shot editor-unsaved-question
xdotool key Escape                            # Annuler: back to the editor
editeurs 1
grep -q . <(xdotool search --onlyvisible --name '^Fin$') && e2e_fail "quit despite Annuler"
menu_item 25 6
editeurs 2
xdotool key Return                            # Oui: saved, then the end screen
e2e_window '^OK$' >/dev/null || e2e_fail "no confirmation"
xdotool key Return
e2e_window '^Fin$' >/dev/null || e2e_fail "no end screen"
[ "$(field 22)" -gt 7560 ] || e2e_fail "platform 6 not saved on the way out: $(field 21-24)"
kill -0 "$APP_PID" || e2e_fail "zelk is not running any more"
echo ok
