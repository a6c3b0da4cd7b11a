#!/bin/bash
# A Wayland desktop: a headless weston with XWayland. With both WAYLAND_DISPLAY
# and DISPLAY set the game asks for X11 by itself: its windows are XWayland
# windows; a DISPLAY that answers nothing falls back to Wayland. With WAYLAND_DISPLAY alone it runs natively. Either way it draws
# its first window and says nothing, and the scripted driver on that
# platform plays a level, switches the display mode and quits. (XWayland on
# a headless weston has no pointer, so nothing is clicked for real here.)
# Skipped (exit 77) where weston cannot run.
source "$(dirname "$0")/lib.sh"
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v weston >/dev/null || skip "no Wayland compositor here (Debian: weston xwayland)"

e2e_folder
rm -f "$WORK"/*.lev
cp "$LEVELS/vide.lev" "$WORK/"
export XDG_RUNTIME_DIR=$WORK/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=wayland-zelk --idle-time=0 --xwayland \
    --log="$WORK/weston.log" >/dev/null 2>&1 &
WESTON_PID=$!
# Weston and its XWayland give back their X display number (lock file,
# sockets) only as they end; a server started meanwhile by the next test could
# take the number and lose its lock to them. So both are waited for.
stop_weston() {
    local xwayland
    xwayland=$(pgrep -P "$WESTON_PID" 2>/dev/null || true)
    kill "$WESTON_PID" 2>/dev/null || true
    wait "$WESTON_PID" 2>/dev/null || true
    for pid in $xwayland; do
        kill "$pid" 2>/dev/null || true
        timeout 10 tail --pid="$pid" -f /dev/null || true
    done
}
trap 'stop_weston; e2e_cleanup' EXIT
for _ in $(seq 100); do
    grep -q "xserver listening on display" "$WORK/weston.log" 2>/dev/null && break
    kill -0 "$WESTON_PID" 2>/dev/null || skip "weston did not start: $(tail -n 3 "$WORK/weston.log")"
    sleep 0.1
done
XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log")
[ -n "$XWAYLAND" ] || skip "weston has no XWayland (Debian: xwayland)"
export WAYLAND_DISPLAY=wayland-zelk
unset QT_QPA_PLATFORM DISPLAY

# Starts the real game, waits for its first window drawn, ends it; it must
# have printed nothing. $1: the X display to offer, or nothing.
first_window() {
    rm -f "$WORK/stats"
    DISPLAY=$1 ZELK_STATS=$WORK/stats e2e_launch zelk
    for _ in $(seq 100); do
        grep -q '^first_frame_unix_us [0-9]' "$WORK/stats" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^first_frame_unix_us [0-9]' "$WORK/stats" 2>/dev/null || e2e_fail "no window drawn"
    FOUND_ON_X=$(DISPLAY=$XWAYLAND xdotool search --name '^!!!$' 2>/dev/null | head -n 1) || true
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
    [ -s "$WORK/zelk.log" ] && e2e_fail "zelk printed: $(cat "$WORK/zelk.log")"
    return 0
}
# A level played to its end, "Passer en 1024 x 768", QUITTER and Sortir, by the
# scripted driver on a platform; Qt must say nothing.
play() {
    local out
    out=$(DISPLAY=$2 QT_QPA_PLATFORM=$1 "$WORK/zelk-script" --folder "$WORK" 2>"$WORK/script.log" <<'EOF'
start
click avert.Command1
click avert.OKButton
select frmmenu.File1 "vide.lev"
click frmmenu.Command1
key frmsaut 27
fire frmsaut.Timer1
click frmaffpg.menu
click frmmenu.Command4
click frmfin.Label16
EOF
    ) || e2e_fail "the driver on $1: $out $(cat "$WORK/script.log")"
    grep -q '^show frmaffpg$' <<<"$out" || e2e_fail "no result screen on $1: $out"
    [ "$(tail -n 1 <<<"$out")" = end ] || e2e_fail "did not end on $1: $out"
    [ -s "$WORK/script.log" ] && e2e_fail "Qt printed on $1: $(cat "$WORK/script.log")"
    return 0
}

# Both offered: X11 through XWayland.
first_window "$XWAYLAND"
[ -n "$FOUND_ON_X" ] || e2e_fail "with DISPLAY set too, the game did not open its window on X11"
play xcb "$XWAYLAND"
first_window ":9999" # a DISPLAY left over from another session
[ -z "$FOUND_ON_X" ] || e2e_fail "with a stale DISPLAY, the game opened an X11 window"
# Wayland alone: natively.
first_window ""
[ -z "$FOUND_ON_X" ] || e2e_fail "without DISPLAY, the game still opened an X11 window"
play wayland ""
echo ok
