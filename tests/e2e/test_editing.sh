#!/bin/bash
# The real editor in a private X server, with the mouse: a platform dragged out
# of the window and down outside it, a second drag, both undone with Ctrl+Z
# and the first redone with Ctrl+Y (the keyboard's own Ctrl press first), the
# level tried with F5, then saved by answering Oui on the way out. Then the
# game stopped with SIGTERM while a change is unsaved, then with SIGHUP while
# it is offered back, and started again: the change is offered back.
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
e2e_key "$ed" ctrl+z ctrl+z ctrl+y            # platform 6 back, platform 2 dragged
e2e_shot editor-dragged
xdotool key F5                                # Essayer
e2e_window '^Avertissement!$' >/dev/null || e2e_fail "no warning"
xdotool key Return
e2e_window '^!! Zelk !!      <sansnom.lev>$' >/dev/null || e2e_fail "no game"
e2e_shot editor-try
xdotool windowraise "$ed" mousemove --window "$ed" 25 10 click 1 sleep 0.4 \
    key Up Return  # Fichier > Quitter tout le jeu, the last item
sleep 0.6
e2e_shot editor-unsaved-question
xdotool key Return                            # Oui
e2e_window '^OK$' >/dev/null || e2e_fail "not saved on the way out"
xdotool key Return
e2e_window '^Fin$' >/dev/null || e2e_fail "no end screen"
# Platform 2 stopped at the limit (15360 - 3135) in whole steps from 3120 and
# moved down outside the window; platforms 1 and 6 as they were.
saved=$(tr -d '\r' <"$WORK/sansnom.lev")
[[ $saved =~ ^8520,1920,1695,1095,([0-9]+),12220,1455,3135,.*,5520,7560,1455,3135,0,10,1,15,\"2\"$ ]] ||
    e2e_fail "saved: $saved"
top=${BASH_REMATCH[1]}
if [ $(((top - 5400) % 40)) != 0 ] || [ "$top" -lt 6200 ]; then e2e_fail "platform 2 top: $top"; fi

# Stopped by the system: the program ends cleanly, also with a change unsaved.
kill -TERM "$APP_PID"
wait "$APP_PID" || e2e_fail "the end screen did not end cleanly on SIGTERM"
e2e_to_editor
drag 430 250 430 350                          # platform 5: down
kill -TERM "$APP_PID"
wait "$APP_PID" || e2e_fail "the editor did not end cleanly on SIGTERM"
[ -f "$WORK/.recuperation.lev" ] || e2e_fail "no recovery copy"
e2e_launch zelk                               # stopped again while the copy is offered
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_click_twips "$menu" 3000 4320
e2e_window '^Editeur$' >/dev/null || e2e_fail "no offer"  # the question, titled as the editor
sleep 1
kill -HUP "$APP_PID"
wait "$APP_PID" || e2e_fail "the offer did not end cleanly on SIGHUP"
[ -f "$WORK/.recuperation.lev" ] || e2e_fail "the stop during the offer removed the copy"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_click_twips "$menu" 3000 4320
sleep 1
e2e_shot editor-recovery-offered
xdotool key Return                            # Oui: the change is back, unsaved
ed=$(e2e_window '^Editeur') || e2e_fail "no editor"
xdotool windowraise "$ed" mousemove --window "$ed" 25 10 click 1 sleep 0.4 \
    key Up Return  # Fichier > Quitter tout le jeu, the last item
sleep 0.6
xdotool key Return                            # Oui
e2e_window '^OK$' >/dev/null || e2e_fail "not saved on the way out"
xdotool key Return
e2e_window '^Fin$' >/dev/null || e2e_fail "no end screen"
kept=$(tr -d '\r' <"$WORK/sansnom.lev")
[ "$kept" != "$saved" ] && [ "${kept#*,*,*,*,*,*,*,*,}" != "${saved#*,*,*,*,*,*,*,*,}" ] ||
    e2e_fail "the recovered change was not kept: $kept"
[ ! -e "$WORK/.recuperation.lev" ] || e2e_fail "the recovery copy outlived the save"
echo ok
