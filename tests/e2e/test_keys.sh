#!/bin/bash
# A game played with the keyboard alone, in a real X server under a window
# manager: Escape starts it, Left held walks the player to the wall, Space
# held and Up jump, Right held and let go walks him and stops him where he
# is; a walk key held while the window loses the keyboard does not walk him
# on by itself; Down drops a vial.
source "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: Debian: openbox"; exit 77; }
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

e2e_start_x 1280x1024
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
cp "$LEVELS/fiole.lev" "$WORK/0-jeu.lev"
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no main menu"
game=$(e2e_play_level "$menu" 4950 "<0-jeu.lev>") || e2e_fail "no game screen"
xdotool windowactivate --sync "$game"

# The player's left edge in pixels while he stands on the ground, or "air":
# the black disc in the strip above the ground (its top at 712 pixels),
# frogs' outlines and the hatching worn away.
player_x() {
    import -window "$game" "$WORK/frame.png"
    local box
    box=$(convert "$WORK/frame.png" -crop 1014x34+0+679 +repage -fuzz 10% -fill white +opaque black \
        -negate -morphology Erode Disk:7 -trim -format '%w %X' info: 2>/dev/null)
    case "$box" in
        1\ *) echo air ;;  # -trim of an empty strip leaves one pixel
        *) echo $((${box#* } - 7)) ;;  # the disc's core is 7 pixels inside it
    esac
}
# Waits until the player stands still (two looks in a row agree), prints where.
still_x() {
    local a b
    b=$(player_x)
    for _ in $(seq 20); do
        sleep 0.5
        a=$b
        b=$(player_x)
        [ "$a" = "$b" ] && break
    done
    echo "$b"
}

x0=$(player_x)
[ "$x0" != air ] && [ "$x0" -gt 800 ] || e2e_fail "the player does not start at the right ($x0)"

xdotool key Escape
xdotool keydown Left
x=$(still_x)
e2e_shot keys-1-left-held
[ "$x" != air ] && [ "$x" -le 5 ] || e2e_fail "Left held did not take the player to the wall ($x)"
xdotool keyup Left

# Space held charges, Up jumps: off the ground for a while, then back on it.
xdotool keydown space
sleep 1
xdotool keyup space key Up
sleep 0.2
e2e_shot keys-2-jump
[ "$(player_x)" = air ] || e2e_fail "Up after Space held did not jump"
x=$(still_x)
[ "$x" != air ] && [ "$x" -le 5 ] || e2e_fail "the jump did not land where it started ($x)"

# Right held for a while, let go: he stops where he is.
xdotool keydown Right
sleep 1
xdotool keyup Right
x=$(still_x)
[ "$x" != air ] && [ "$x" -gt 30 ] && [ "$x" -lt 900 ] || e2e_fail "Right walked and stopped? ($x)"
e2e_shot keys-3-stopped

# Right held while the main menu takes the keyboard, and let go there.
xdotool keydown Right
sleep 0.3
xdotool windowactivate --sync "$menu"
xdotool keyup Right
sleep 0.5
xdotool windowactivate --sync "$game"
x1=$(still_x)
sleep 1
x2=$(player_x)
[ "$x1" = "$x2" ] && [ "$x2" -lt 900 ] || e2e_fail "the player walked on by himself ($x1, then $x2)"
e2e_shot keys-4-after-leaving

# Down drops a vial at his feet (a frog that walks into it may end the level).
xdotool key Down
e2e_shot keys-5-vial
kill -0 "$APP_PID" || e2e_fail "zelk is gone"
echo "PASS"
