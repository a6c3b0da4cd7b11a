#!/bin/bash
# The real zelk in a private X server: the start-up warning, the tips, the
# help, the preview and the end screen, whose "Sortir" ends the program.
source "$(dirname "$0")/lib.sh"
e2e_start_x
e2e_folder
e2e_launch zelk
warn=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
e2e_shot avert
e2e_click_twips "$warn" 4600 2000          # Commencer
menu=$(e2e_window 'Menu  ZELK') || e2e_fail "Commencer did not show the menu"
xdotool search --onlyvisible --name '^!!!$' >/dev/null 2>&1 && e2e_fail "the warning is still there"

e2e_click_twips "$menu" 3000 6840          # CONSEILS
tip=$(e2e_window '^Conseils$') || e2e_fail "no tips"
e2e_shot frmTip
e2e_key "$tip" Escape
sleep 0.5
xdotool search --onlyvisible --name '^Conseils$' >/dev/null 2>&1 && e2e_fail "Escape left the tips open"

e2e_click_twips "$menu" 3000 6000          # AIDE
help=$(e2e_window '^Aide$') || e2e_fail "no help"
e2e_shot frmaide
e2e_click_twips "$help" 6700 4980          # OK

xdotool mousemove --window "$menu" $((5760 / 15 + 40)) $((4800 / 15 + 8)) click 1   # first level
sleep 0.3
e2e_click_twips "$menu" 9400 7680          # VOIR
e2e_window 'visualisation' >/dev/null || e2e_fail "no preview"
e2e_shot frmpre

e2e_click_twips "$menu" 3000 7680          # QUITTER
fin=$(e2e_window '^Fin$') || e2e_fail "no end screen"
e2e_shot frmfin
e2e_click_twips "$fin" 6960 360            # Sortir
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && e2e_fail "Sortir did not end the program"
wait "$APP_PID" || e2e_fail "zelk ended with an error"
APP_PID=
echo ok
