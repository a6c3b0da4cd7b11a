#!/bin/bash
# Playing from the main menu in a real X server: a level started, paused, then
# running with the mouse moved and its buttons held; then a level with nothing
# to kill, won at once, and "Menu" back to the main menu.
source "$(dirname "$0")/lib.sh"
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

e2e_start_x 1280x1024
e2e_folder
cp "$LEVELS/perdu.lev" "$WORK/0-jeu.lev"
cp "$LEVELS/vide.lev" "$WORK/0-vide.lev"
e2e_launch zelk

menu=$(e2e_to_menu) || e2e_fail "no main menu"
# The menu's own load creates and discards the game screen: it never shows.
xdotool search --onlyvisible --name "Zelk !!" >/dev/null 2>&1 && e2e_fail "game screen flashed up"

# 0-jeu.lev is the first file of the list; then "JOUER".
e2e_click_twips "$menu" 6500 4950
e2e_click_twips "$menu" 8400 4300
box=$(e2e_window "Avertissement!") || e2e_fail "no warning before the level"
e2e_shot play-1-warning
xdotool key Return  # the box has the focus
sleep 0.5

game=$(e2e_window "Zelk !!") || e2e_fail "no game screen"
[ "$(xdotool getwindowname "$game")" = "!! Zelk !!      <0-jeu.lev>" ] || e2e_fail "caption"
read -r _ _ W H < <(e2e_geometry "$game")
[ "$W" = 1014 ] && [ "$H" = 734 ] || e2e_fail "game screen is ${W}x${H}, not 1014x734"
e2e_shot play-2-paused
import -window "$game" "$WORK/paused-a.png"
sleep 0.5
import -window "$game" "$WORK/paused-b.png"
[ "$(compare -metric AE "$WORK/paused-a.png" "$WORK/paused-b.png" null: 2>&1)" = 0 ] ||
    e2e_fail "something moves while paused"

# Running: walk left, charge a jump with the left button, jump with the right.
e2e_key "$game" Escape
xdotool mousemove --window "$game" 300 500
sleep 1.5
xdotool mousedown 1
sleep 1.2
xdotool mouseup 1
xdotool click 3
sleep 0.3
e2e_shot play-3-running
xdotool mousemove --window "$game" 800 500
xdotool mousedown 1
sleep 1
xdotool mouseup 1
xdotool click 3
sleep 1
import -window "$game" "$WORK/running.png"
[ "$(compare -metric AE "$WORK/paused-a.png" "$WORK/running.png" null: 2>&1)" != 0 ] ||
    e2e_fail "nothing moved after Escape"
e2e_key "$game" Escape
e2e_shot play-4-paused-again

# A level with nothing to kill: won in the first tick after Escape.
xdotool windowraise "$menu"
sleep 0.3
# 0-vide.lev, the second file
game=$(e2e_play_level "$menu" 5100 "<0-vide.lev>") || e2e_fail "no game screen for 0-vide.lev"
e2e_key "$game" Escape
result=$(e2e_window "^PG$") || e2e_fail "no result screen"
e2e_shot play-5-won
# "Menu": back to the main menu, the game and result screens gone.
e2e_click_twips "$result" 9700 7850
sleep 0.5
xdotool search --onlyvisible --name "^PG$" >/dev/null 2>&1 && e2e_fail "result screen still there"
xdotool search --onlyvisible --name "Zelk !!" >/dev/null 2>&1 && e2e_fail "game screen still there"
e2e_window "Menu  ZELK" >/dev/null || e2e_fail "no main menu after Menu"
e2e_shot play-6-menu
kill -0 "$APP_PID" || e2e_fail "zelk is gone"
echo "PASS"
