#!/bin/bash
# The display given back: on a server with real modes (Xtigervnc) under
# openbox (for the close box), "Passer en 1024 x 768" switches the display and
# "Quitter", the close box of the last window, "Sortir" and the signals that
# ask a program to stop each put the desktop's mode back. Skipped (exit 77) where those are not installed.
source "$(dirname "$0")/lib.sh"
command -v Xtigervnc && command -v xrandr && command -v openbox >/dev/null ||
    { echo "SKIP: Debian: tigervnc-standalone-server x11-xserver-utils openbox"; exit 77; }
E2E_SERVER=vnc e2e_start_x 1280x1024
e2e_start_wm || e2e_fail "the window manager did not start"
e2e_folder
mode() { xrandr | sed -n 's/^Screen 0:.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }

quit_button() { e2e_click_twips "$WARN" 787 2467; }
# The window manager may take the key before the window has its focus back
# from the mode switch: pressed again until the program ends.
close_box() {
    for _ in $(seq 20); do
        e2e_key "$WARN" alt+F4
        timeout 3 tail --pid="$APP_PID" -f /dev/null && return
    done
}
sortir() {
    e2e_click_twips "$WARN" 4600 2000 # Commencer
    e2e_click_twips "$(e2e_window 'Menu  ZELK')" 3000 7680 # QUITTER
    e2e_click_twips "$(e2e_window '^Fin$')" 6960 360 # Sortir
}
term() { kill -TERM "$APP_PID"; }
interrupt() { kill -INT "$APP_PID"; }
hang_up() { kill -HUP "$APP_PID"; }
for way_out in quit_button close_box sortir term interrupt hang_up; do
    [ "$(mode)" = 1280x1024 ] || e2e_fail "the display is at $(mode) before"
    e2e_launch zelk
    WARN=$(e2e_window '^!!!$' 60) || e2e_fail "no start-up warning"
    e2e_click_twips "$WARN" 2527 2467 # Passer en 1024 x 768
    for _ in $(seq 300); do [ "$(mode)" = 1024x768 ] && break; sleep 0.1; done
    [ "$(mode)" = 1024x768 ] || e2e_fail "the display did not switch: $(mode)"
    $way_out
    timeout 60 tail --pid="$APP_PID" -f /dev/null || e2e_fail "$way_out did not end zelk"
    [ "$(mode)" = 1280x1024 ] || e2e_fail "after $way_out the display stayed at $(mode)"
done
echo ok
