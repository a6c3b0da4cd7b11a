#!/bin/bash
# Windows that fit. On a 1024 x 768 display whose top 28 pixels belong to a
# panel (the free area in _NET_WORKAREA, as a panel's window manager sets it),
# every screen lies inside the free area; the game screen and the editor,
# laid out for the whole display, are shown as large as fits, their content
# scaled. The option screen that only holds settings is out of the taskbar
# while minimised and back in it when opened. Before that, the programs'
# command line, where no window may open.
source "$(dirname "$0")/lib.sh"
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"
e2e_folder

for prog in zelk velmo zelk-script; do
    out=$(DISPLAY= "$WORK/$prog" --help) || e2e_fail "$prog --help failed"
    grep -q "^Utilisation : $prog " <<<"$out" || e2e_fail "$prog --help: $out"
    [ "$(DISPLAY= "$WORK/$prog" --version)" = "$prog 1.0.0" ] || e2e_fail "$prog --version"
    code=0
    err=$(DISPLAY= "$WORK/$prog" --plein-ecran 2>&1 </dev/null) || code=$?
    [ "$code" = 2 ] && grep -q "option inconnue « --plein-ecran »" <<<"$err" ||
        e2e_fail "$prog with an unknown option: $code $err"
done

e2e_start_x 1024x768
xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "0, 28, 1024, 740"
rm -f "$WORK"/*.lev
cp "$LEVELS/perdu.lev" "$WORK/a-jeu.lev"
e2e_launch zelk

# $1 window, $2 what it is; prints its size.
inside() {
    local x y w h
    read -r x y w h < <(e2e_geometry "$1")
    [ "$x" -ge 0 ] && [ "$y" -ge 28 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
        e2e_fail "$2 at $x,$y ${w}x$h is not inside the free area"
    echo "$w $h"
}
skips_taskbar() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }

warn=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
inside "$warn" "the start-up warning" >/dev/null
menu=$(e2e_to_menu) || e2e_fail "no main menu"
read -r w h < <(inside "$menu" "the main menu")
[ "$w $h" = "748 615" ] || e2e_fail "the main menu, which fits, was resized to ${w}x$h"
options=$(xdotool search --name '^Options du jeu$' | head -n 1)
[ -n "$options" ] && skips_taskbar "$options" || e2e_fail "the minimised game options are in the taskbar"

e2e_click_twips "$menu" 3007 5167 # OPTIONS
sleep 0.5
options=$(e2e_window '^Options du jeu$') || e2e_fail "no game options"
inside "$options" "the game options" >/dev/null
skips_taskbar "$options" && e2e_fail "the game options, opened, are not in the taskbar"
e2e_click_twips "$options" 4987 3907 # OK: minimised again
skips_taskbar "$options" || e2e_fail "the game options, minimised again, are in the taskbar"

# Without a window manager a minimised window stays on the display.
xdotool windowraise "$menu"
e2e_click_twips "$menu" 6500 4950 # a-jeu.lev
e2e_click_twips "$menu" 8400 4300 # JOUER
e2e_window "Avertissement!" >/dev/null || e2e_fail "no warning before the level"
xdotool key Return
game=$(e2e_window "Zelk !!") || e2e_fail "no game screen"
read -r w h < <(inside "$game" "the game screen")
# Smaller than its layout (1014 x 734), the same shape.
[ "$w" -lt 1014 ] && [ $(((w * 734 - h * 1014) / 1014)) -eq 0 ] ||
    e2e_fail "the game screen is ${w}x$h"
e2e_shot fit-game
echo ok
