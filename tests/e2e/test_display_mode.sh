#!/bin/bash
# The display given back. On an X server with real display modes (Xtigervnc)
# and a window manager (openbox, for the close box), "Passer en 1024 x 768"
# switches the display, and each way out of the game puts the desktop's mode
# back: "Quitter", the close box of the last window, and "Sortir" after the
# menu's QUITTER. Skipped (exit 77) where the server is not installed.
source "$(dirname "$0")/lib.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}
for p in Xtigervnc xrandr openbox; do
    command -v "$p" >/dev/null ||
        skip "no $p here (Debian: tigervnc-standalone-server x11-xserver-utils openbox)"
done

E2E_SERVER=vnc e2e_start_x 1280x1024
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config
mkdir -p "$HOME"
openbox >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; e2e_cleanup' EXIT
e2e_folder

mode() { xrandr | sed -n 's/^Screen 0:.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
# Waits up to five seconds for the display mode $1.
wait_mode() {
    for _ in $(seq 50); do
        [ "$(mode)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
[ "$(mode)" = 1280x1024 ] || e2e_fail "the server started at $(mode)"

quit_button() { e2e_click_twips "$WARN" 787 2467; }
close_box() { e2e_key "$WARN" alt+F4; }
sortir() {
    local menu fin
    e2e_click_twips "$WARN" 4600 2000 # Commencer
    menu=$(e2e_window 'Menu  ZELK') || e2e_fail "no menu"
    e2e_click_twips "$menu" 3000 7680 # QUITTER
    fin=$(e2e_window '^Fin$') || e2e_fail "no end screen"
    e2e_shot display-mode-fin
    e2e_click_twips "$fin" 6960 360 # Sortir
}

for way_out in quit_button close_box sortir; do
    e2e_launch zelk
    WARN=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
    e2e_click_twips "$WARN" 2527 2467 # Passer en 1024 x 768
    wait_mode 1024x768 || e2e_fail "the display did not switch: $(mode)"
    $way_out
    for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null && e2e_fail "$way_out did not end the game"
    wait "$APP_PID" || e2e_fail "zelk ended with an error after $way_out"
    APP_PID=
    [ "$(mode)" = 1280x1024 ] || e2e_fail "after $way_out the display stayed at $(mode)"
    echo "$way_out: 1280x1024 -> 1024x768 -> $(mode)"
done
echo ok
