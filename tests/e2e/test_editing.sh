#!/bin/bash
# The real editor in a private X server, with the mouse: a platform dragged out
# of the window and down outside it, a second drag undone with Ctrl+Z, the
# level tried with F5, then saved by answering Oui on the way out.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_open_editor
ed=$ED
drag() {  # a drag with the left button through window positions, in pixels
    xdotool mousemove --window "$ed" "$1" "$2" mousedown 1
    while shift 2 && [ $# -ge 2 ]; do
        sleep 0.15
        xdotool mousemove --window "$ed" "$1" "$2"
    done
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}
drag 250 410 600 410 1100 410 1100 480        # platform 2: right past the edge, down outside
drag 530 420 530 320                          # platform 6: up
e2e_key "$ed" ctrl+z                          # platform 6 back
e2e_shot editor-dragged
xdotool key F5                                # Essayer
e2e_window '^Avertissement!$' >/dev/null || e2e_fail "no warning"
xdotool key Return
e2e_window '^!! Zelk !!      <sansnom.lev>$' >/dev/null || e2e_fail "no game"
e2e_shot editor-try
xdotool windowraise "$ed" mousemove --window "$ed" 25 10 click 1 sleep 0.4 \
    key Down Down Down Down Down Down Return  # Fichier > Quitter tout le jeu
sleep 0.6
e2e_shot editor-unsaved-question
xdotool key Return                            # Oui
e2e_window '^OK$' >/dev/null || e2e_fail "not saved on the way out"
xdotool key Return
e2e_window '^Fin$' >/dev/null || e2e_fail "no end screen"
# Platform 2 kept to the limits (15360 - 3135) and moved down outside the
# window, in whole steps; platform 6 back where it was.
saved=$(tr -d '\r' <"$WORK/sansnom.lev")
[[ $saved =~ ^8400,1920,1695,1095,([0-9]+),12225,1455,3135,.*,5520,7560,1455,3135,0,10,1,15,\"2\"$ ]] ||
    e2e_fail "saved: $saved"
top=${BASH_REMATCH[1]}
if [ $(((top - 5400) % 40)) != 0 ] || [ "$top" -lt 6200 ]; then e2e_fail "platform 2 top: $top"; fi
echo ok
