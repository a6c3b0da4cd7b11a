#!/bin/bash
# The command line (no window), then on 1024 x 768 with a 28-pixel panel
# (_NET_WORKAREA) every screen inside the free area, the game screen scaled to
# fit, and the minimised settings screen out of the taskbar until opened.
source "$(dirname "$0")/lib.sh"
e2e_folder

for prog in zelk velmo zelk-script; do
    DISPLAY= "$WORK/$prog" --help | grep -q "^Utilisation : $prog " || e2e_fail "$prog --help"
    [ "$(DISPLAY= "$WORK/$prog" --version)" = "$prog 1.0.0" ] || e2e_fail "$prog --version"
    err=$(DISPLAY= "$WORK/$prog" --plein-ecran 2>&1 </dev/null) && e2e_fail "$prog took --plein-ecran"
    [ $? = 2 ] && grep -q "option inconnue « --plein-ecran »" <<<"$err" || e2e_fail "$prog: $err"
done

e2e_start_x 1024x768
xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "0, 28, 1024, 740"
e2e_launch zelk

inside() { # window, what it is; prints its size
    local x y w h && read -r x y w h < <(e2e_geometry "$1")
    [ "$x" -ge 0 ] && [ "$y" -ge 28 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
        e2e_fail "$2 at $x,$y ${w}x$h is not inside the free area"
    echo "$w $h"
}
skips_taskbar() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }

inside "$(e2e_window '^!!!$')" "the start-up warning" >/dev/null
menu=$(e2e_to_menu) || e2e_fail "no main menu"
read -r w h < <(inside "$menu" "the main menu")
[ "$w $h" = "748 615" ] || e2e_fail "the main menu, which fits, was resized to ${w}x$h"
options=$(xdotool search --name '^Options du jeu$' | head -n 1)
[ -n "$options" ] && skips_taskbar "$options" || e2e_fail "the minimised game options are in the taskbar"

e2e_click_twips "$menu" 3007 5167 # OPTIONS
skips_taskbar "$options" && e2e_fail "the game options, opened, are not in the taskbar"
e2e_click_twips "$options" 4987 3907 # OK: minimised again
skips_taskbar "$options" || e2e_fail "the game options, minimised again, are in the taskbar"

xdotool windowraise "$menu" # no window manager: minimised windows stay shown
game=$(e2e_play_level "$menu" 4950 "Zelk !!") # the first level
read -r w h < <(inside "$game" "the game screen")
[ "$w" -lt 1014 ] && [ $(((w * 734 - h * 1014) / 1014)) -eq 0 ] ||
    e2e_fail "the game screen is ${w}x$h"
e2e_shot fit-game
echo ok
