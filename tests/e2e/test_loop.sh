#!/bin/bash
# Under openbox: a second copy's window aside from the first one's; a win, Enter
# to the next level, a loss, R again; a game left for another window pauses.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: Debian: openbox"; exit 77; }
e2e_start_x 1280x1024
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
cp "$(dirname "$0")/../levels/vide.lev" "$WORK/0-a.lev"
# Lost at once: seven green frogs on platforms as wide as the ground.
printf '%s0,10,7,15,"2"\r\n' "$(printf '10680,0,375,15000,%.0s' 1 2 3 4 5 6)" >"$WORK/0-b.lev"
still() { # nothing on window $1 changes in a second
    import -window "$1" "$WORK/a.png" && sleep 1 && import -window "$1" "$WORK/b.png"
    [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1)" = 0 ]
}

"$WORK/zelk" >"$WORK/other.log" 2>&1 & OTHER=$!
trap 'kill $OTHER 2>/dev/null || true; e2e_cleanup' EXIT
read -r x1 y1 _ _ < <(e2e_geometry "$(e2e_window '^!!!$')")
e2e_launch zelk && sleep 3
read -r x2 y2 _ _ < <(e2e_geometry "$(xdotool search --onlyvisible --name '^!!!$' | tail -n 1)")
[ "$((x2 - x1)),$((y2 - y1))" = 40,40 ] || e2e_fail "second window at $x2,$y2, first at $x1,$y1"
kill "$OTHER" && wait "$OTHER" || true

menu=$(e2e_to_menu) || e2e_fail "no main menu"
e2e_key "$(e2e_play_level "$menu" 4950 "<0-a.lev>")" Escape
e2e_key "$(e2e_window '^PG$')" Return
game=$(e2e_window "<0-b.lev>") || e2e_fail "Enter after a win did not start the next level"
e2e_key "$game" Escape
result=$(e2e_window '^PG$') || e2e_fail "no result after the loss"
e2e_key "$result" r
still "$(e2e_window "<0-b.lev>")" || e2e_fail "the level played again is not paused"

xdotool windowactivate --sync "$menu"
game=$(e2e_play_level "$menu" 5250 "<01 - premiers pas.lev>") || e2e_fail "no level 01"
e2e_key "$game" Escape
still "$game" && e2e_fail "nothing moves after Escape"
xdotool windowmove --sync "$menu" 620 560 windowactivate --sync "$menu"
e2e_shot loop-left-paused
xdotool windowactivate --sync "$game"
still "$game" || e2e_fail "the game did not pause when left, or went on by itself"
echo PASS
