#!/bin/bash
# A game played with the keyboard alone under a window manager: Left held
# walks to the wall, Space held and Up jump, Right let go stops; a key held as
# another window takes the keyboard does not walk on by itself; Down drops a vial.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: Debian: openbox"; exit 77; }
e2e_start_x 1280x1024
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
cp "$(dirname "$0")/../levels/fiole.lev" "$WORK/0-jeu.lev"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no main menu"
game=$(e2e_play_level "$menu" 4950 "<0-jeu.lev>") || e2e_fail "no game screen"
xdotool windowactivate --sync "$game"

# The player's left edge in pixels as he stands on the ground (the black
# disc over the ground's top at 712 pixels, thin lines worn away), or "air".
player_x() {
    import -window "$game" "$WORK/frame.png"
    local box
    box=$(convert "$WORK/frame.png" -crop 1014x34+0+679 +repage -fuzz 10% -fill white +opaque black \
        -negate -morphology Erode Disk:7 -trim -format '%w %X' info:)
    if [ "${box%% *}" = 1 ]; then echo air; else echo $((${box#* } - 7)); fi
}
# Where he stands once two looks in a row agree, on the ground.
still_x() {
    local a b
    b=$(player_x)
    for _ in $(seq 20); do
        sleep 0.5
        a=$b b=$(player_x)
        [ "$a" = "$b" ] && [ "$b" != air ] && break
    done
    echo "$b"
}
expect() { [ "$1" != air ] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ] || e2e_fail "$4 ($1)"; }

expect "$(player_x)" 800 1000 "the player does not start at the right"
xdotool key Escape keydown Left
expect "$(still_x)" 0 5 "Left held did not take the player to the wall"
e2e_shot keys-1-left-held
xdotool keyup Left keydown space sleep 1 keyup space key Up sleep 0.1
[ "$(player_x)" = air ] || e2e_fail "Up after Space held did not jump"
cp "$WORK/frame.png" "$SHOTS/keys-2-jump.png"
expect "$(still_x)" 0 5 "the jump did not land where it started"
xdotool keydown Right sleep 1 keyup Right
expect "$(still_x)" 30 900 "Right held and let go did not walk the player and stop him"
xdotool keydown Right sleep 0.3 windowactivate --sync "$menu" keyup Right sleep 0.5 \
    windowactivate --sync "$game"
x=$(still_x) && sleep 1
expect "$x" 30 900 "the player walked on while the menu had the keyboard"
# (a frog against him may take a pixel or two of his edge; a walk is 6 a tick)
expect "$(player_x)" $((x - 3)) $((x + 3)) "the player walked on by himself from $x"
e2e_shot keys-3-after-leaving
xdotool key Down
e2e_shot keys-4-vial
kill -0 "$APP_PID" || e2e_fail "zelk is gone"
echo "PASS"
