#!/bin/bash
# From one game to the next under a window manager (openbox): a second copy
# of the game opens its window aside from the first one's; a win, Enter to
# the next level of the list (no warning again), a loss, R to play it again;
# a game left for another window pauses and stays paused until Escape; so
# does a minimised one.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: Debian: openbox"; exit 77; }
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

e2e_start_x 1280x1024
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
cp "$LEVELS/vide.lev" "$WORK/0-a.lev"
# Lost at once: seven green frogs on platforms as wide as the ground.
printf '%s0,10,7,15,"2"\r\n' "$(printf '10680,0,375,15000,%.0s' 1 2 3 4 5 6)" >"$WORK/0-b.lev"

# Two copies at once: the second one's warning is not over the first one's.
e2e_launch zelk
first=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
"$WORK/zelk" >"$WORK/second.log" 2>&1 &
SECOND_PID=$!
trap 'kill $SECOND_PID 2>/dev/null || true; e2e_cleanup' EXIT
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name '^!!!$' 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
done
second=$(xdotool search --onlyvisible --name '^!!!$' | grep -vx "$first" | head -n 1)
[ -n "$second" ] || e2e_fail "no second start-up warning"
read -r x1 y1 _ _ < <(e2e_geometry "$first")
read -r x2 y2 _ _ < <(e2e_geometry "$second")
[ $((x2 - x1)) = 40 ] && [ $((y2 - y1)) = 40 ] ||
    e2e_fail "the second window is at $x2,$y2, the first at $x1,$y1"
e2e_shot loop-1-two-copies
kill "$SECOND_PID"
wait "$SECOND_PID" 2>/dev/null || true

menu=$(e2e_to_menu) || e2e_fail "no main menu"
game=$(e2e_play_level "$menu" 4950 "<0-a.lev>") || e2e_fail "no game screen"
e2e_key "$game" Escape
result=$(e2e_window "^PG$") || e2e_fail "no result screen after the win"
e2e_shot loop-2-won

# Enter after a win: the next level, paused, with no warning this time.
e2e_key "$result" Return
e2e_window "<0-b.lev>" >/dev/null || e2e_fail "Enter did not start the next level"
sleep 1
xdotool search --onlyvisible --name "Avertissement!" >/dev/null 2>&1 && e2e_fail "a warning again"
xdotool search --onlyvisible --name "^PG$" >/dev/null 2>&1 && e2e_fail "the result is still there"
game=$(e2e_window "<0-b.lev>")
e2e_shot loop-3-next-level
e2e_key "$game" Escape
result=$(e2e_window "^PG$") || e2e_fail "no result screen after the loss"
e2e_shot loop-4-lost

# R: the same level again, paused.
e2e_key "$result" r
sleep 1
xdotool search --onlyvisible --name "^PG$" >/dev/null 2>&1 && e2e_fail "R left the result"
game=$(e2e_window "<0-b.lev>") || e2e_fail "R did not start the level again"
import -window "$game" "$WORK/again-a.png"
sleep 1
import -window "$game" "$WORK/again-b.png"
[ "$(compare -metric AE "$WORK/again-a.png" "$WORK/again-b.png" null: 2>&1)" = 0 ] ||
    e2e_fail "the level played again is not paused"
e2e_shot loop-5-again

# A level running, left for the main menu: paused, and still after a while
# and when its window has the focus again; Escape goes on.
xdotool windowactivate --sync "$menu"
sleep 0.3
game=$(e2e_play_level "$menu" 5250 "<01 - premiers pas.lev>") || e2e_fail "no level 01"
e2e_key "$game" Escape
xdotool mousemove --window "$game" 300 500
sleep 1
import -window "$game" "$WORK/run-a.png"
sleep 0.5
import -window "$game" "$WORK/run-b.png"
[ "$(compare -metric AE "$WORK/run-a.png" "$WORK/run-b.png" null: 2>&1)" != 0 ] ||
    e2e_fail "nothing moves after Escape"
# The menu moved aside, so that the paused game shows beside it.
xdotool windowmove --sync "$menu" 620 560
xdotool windowactivate --sync "$menu"
e2e_shot loop-6-left-paused
sleep 1.5
xdotool windowactivate --sync "$game"
sleep 0.5
import -window "$game" "$WORK/left-a.png"
sleep 1
import -window "$game" "$WORK/left-b.png"
[ "$(compare -metric AE "$WORK/left-a.png" "$WORK/left-b.png" null: 2>&1)" = 0 ] ||
    e2e_fail "the game did not pause when left, or went on by itself"
e2e_key "$game" Escape
xdotool mousemove --window "$game" 900 500
sleep 1.5
import -window "$game" "$WORK/back.png"
[ "$(compare -metric AE "$WORK/left-b.png" "$WORK/back.png" null: 2>&1)" != 0 ] ||
    e2e_fail "nothing moved after Escape"

# Minimised while it runs: paused too.
xdotool windowminimize --sync "$game"
sleep 1
xdotool windowactivate --sync "$game"
sleep 0.5
import -window "$game" "$WORK/min-a.png"
sleep 1
import -window "$game" "$WORK/min-b.png"
[ "$(compare -metric AE "$WORK/min-a.png" "$WORK/min-b.png" null: 2>&1)" = 0 ] ||
    e2e_fail "the game did not pause when minimised"
e2e_shot loop-7-minimised-paused
kill -0 "$APP_PID" || e2e_fail "zelk is gone"
echo PASS
