#!/bin/bash
# The game options set, the close box, "QUITTER", "Sortir"; started again, the options
# screen shows them and a level opens at night. With a window manager.
source "$(dirname "$0")/lib.sh"
e2e_start_x 1280x1024
e2e_start_wm
e2e_folder
cp "$(dirname "$0")/../levels/perdu.lev" "$WORK/0-jeu.lev"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no main menu"
e2e_click_twips "$menu" 3000 5160 # OPTIONS
opts=$(e2e_window '^Options du jeu$') || e2e_fail "no options screen"
e2e_click_twips "$opts" 1800 3840 # nuit
e2e_click_twips "$opts" 2400 1530 # Simuler un ramage
e2e_click_twips "$opts" 3530 2040 # the difficulty's right arrow: one step easier
xdotool mousemove 0 0             # no control drawn under the pointer
e2e_shot settings-1-set
import -window "$opts" "$WORK/set.png"
e2e_key "$opts" alt+F4 # the close box keeps them
e2e_click_twips "$menu" 3000 7680                # QUITTER
e2e_click_twips "$(e2e_window '^Fin$')" 6960 360 # Sortir
wait "$APP_PID" || e2e_fail "the game did not end well"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no main menu after the restart"
e2e_click_twips "$menu" 3000 5160
opts=$(e2e_window '^Options du jeu$') || e2e_fail "no options screen after the restart"
e2e_shot settings-2-kept
import -window "$opts" "$WORK/again.png"
[ "$(compare -metric AE "$WORK/set.png" "$WORK/again.png" null: 2>&1)" = 0 ] ||
    e2e_fail "the options screen does not show the options set"
e2e_key "$opts" alt+F4
game=$(e2e_play_level "$menu" 4950 "Zelk !!") || e2e_fail "no game screen"
e2e_shot settings-3-night
[ "$(import -window "$game" -format '%[pixel:p{40,300}]' info:)" = "srgb(0,0,128)" ] ||
    e2e_fail "no night sky"
echo ok
