#!/bin/bash
# The game's windows under a window manager (openbox): "Passer en 1024 x 768"
# on a display without that mode says so; the result screen stays above the
# game it ends when the game is clicked; closing the main menu while a level
# runs ends that game first (counted as played) and leaves the end screen alone.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: Debian: openbox"; exit 77; }
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

e2e_start_x 1280x1024 # Xvfb: one mode, its own size
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
cp "$LEVELS/vide.lev" "$WORK/0-vide.lev"
cp "$LEVELS/perdu.lev" "$WORK/0-y-jeu.lev"
e2e_launch zelk

warn=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
e2e_click_twips "$warn" 2527 2467 # Passer en 1024 x 768
e2e_window '^Passer en 1024 x 768$' >/dev/null || e2e_fail "no word on the mode that is missing"
e2e_shot windows-1-no-such-mode
xdotool key Return
sleep 0.5
menu=$(e2e_to_menu) || e2e_fail "no main menu"

# Won at once; then a click on the game: the result stays above it.
game=$(e2e_play_level "$menu" 4950 "<0-vide.lev>") || e2e_fail "no game screen"
e2e_key "$game" Escape
result=$(e2e_window "^PG$") || e2e_fail "no result screen"
sleep 0.5
xdotool mousemove --window "$game" 20 400 click 1
sleep 1
above() { # window $1 lies above window $2 in the window manager's stacking
    local order
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x')
    local a b
    a=$(grep -n -i "^$(printf '0x%x' "$1")$" <<<"$order" | cut -d: -f1)
    b=$(grep -n -i "^$(printf '0x%x' "$2")$" <<<"$order" | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ]
}
above "$result" "$game" || e2e_fail "the result screen went behind the game"
e2e_shot windows-2-result-above-game
e2e_click_twips "$result" 9700 7850 # Menu
e2e_window "Menu  ZELK" >/dev/null || e2e_fail "no main menu after Menu"

# A level running when the menu's window is closed: that game ends, counted.
game=$(e2e_play_level "$menu" 5100 "<0-y-jeu.lev>") || e2e_fail "no game screen for 0-y-jeu.lev"
e2e_key "$game" Escape
sleep 1
e2e_key "$menu" alt+F4
e2e_window '^Fin$' >/dev/null || e2e_fail "no end screen"
sleep 1
xdotool search --onlyvisible --name "Zelk !!" >/dev/null 2>&1 && e2e_fail "the game still runs"
xdotool search --onlyvisible --name "Menu  ZELK" >/dev/null 2>&1 && e2e_fail "a menu is still there"
e2e_shot windows-3-quit-while-playing
fields=$(tr -d '\r\n' <"$LEVELS/perdu.lev")
grep -qxF "1 0 0 0 0 $fields" "$WORK/.records" || e2e_fail "the game left was not counted: $(cat "$WORK/.records")"
e2e_click_twips "$(e2e_window '^Fin$')" 6960 360 # Sortir
timeout 60 tail --pid="$APP_PID" -f /dev/null || e2e_fail "Sortir did not end zelk"
echo PASS
