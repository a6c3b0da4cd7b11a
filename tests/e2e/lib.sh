# Shared by the end-to-end tests: a private X server and audio server, a
# fresh copy of the program folder, window lookup, input and screenshots.
#   PROGRAM_FOLDER  the built program folder (set by ctest)
#   SHOTS           where screenshots go (set by ctest)
#   KEEP_WORK=1     keeps the test's work folder, for a look afterwards
set -euo pipefail

: "${PROGRAM_FOLDER:?}" "${SHOTS:?}"
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
XVFB_PID=
APP_PID=
AUDIO_PID=

e2e_cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "$AUDIO_PID" ] && kill "$AUDIO_PID" 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap e2e_cleanup EXIT

# Starts a private Xvfb; the server picks a free display number itself, so
# tests running side by side never collide. With E2E_SERVER=vnc, an Xtigervnc
# instead, with real XRandR modes. -noreset keeps what a test sets on the root.
e2e_start_x() {
    local size=${1:-1280x1024}
    local fdfile="$WORK/displayfd"
    exec 9>"$fdfile"
    if [ "${E2E_SERVER:-}" = vnc ]; then
        Xtigervnc -displayfd 9 -geometry "$size" -depth 24 -SecurityTypes None -rfbport -1 \
            -nolisten tcp -noreset >/dev/null 2>&1 &
    else
        Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    fi
    XVFB_PID=$!
    exec 9>&-
    for _ in $(seq 100); do
        if [ -s "$fdfile" ]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
            if xdpyinfo >/dev/null 2>&1; then
                unset WAYLAND_DISPLAY QT_QPA_PLATFORM
                return 0
            fi
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "could not start Xvfb" >&2
    return 1
}

# Starts openbox on the private server and waits until it has finished
# starting: a window mapped while it starts can be left unmapped for good.
WM_PID=
e2e_start_wm() {
    HOME=$WORK openbox --startup "touch $WORK/wm-ready" >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 600); do [ -e "$WORK/wm-ready" ] && return 0; sleep 0.1; done
    echo "the window manager did not start" >&2
    return 1
}

# Starts a private PulseAudio server whose one sink, zelk_sink, plays into
# nothing (its monitor can be recorded); its runtime folder, home and socket
# are in $WORK, so it touches nothing of the user's, and it runs as root too
# (where it only warns). Sets PULSE_SERVER for the programs started after.
# Fails, saying why, where no server can run.
e2e_start_audio() {
    command -v pulseaudio >/dev/null && command -v pactl >/dev/null || {
        echo "no audio server here (Debian: pulseaudio pulseaudio-utils)"
        return 1
    }
    local pa=$WORK/pulse
    mkdir -p "$pa/run" "$pa/home"
    chmod 700 "$pa/run"
    cat >"$pa/default.pa" <<EOF
load-module module-null-sink sink_name=zelk_sink rate=22050 channels=1
load-module module-native-protocol-unix auth-anonymous=1 socket=$pa/run/native
set-default-sink zelk_sink
EOF
    HOME=$pa/home XDG_RUNTIME_DIR=$pa/run XDG_CONFIG_HOME=$pa/home \
        pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$pa/default.pa" \
        --use-pid-file=no --log-target=file:"$pa/server.log" 2>>"$pa/server.log" &
    AUDIO_PID=$!
    export PULSE_SERVER=unix:$pa/run/native
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && return 0
        kill -0 "$AUDIO_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "the audio server did not start: $(tail -n 3 "$pa/server.log" 2>/dev/null)"
    return 1
}
e2e_stop_audio() {
    [ -n "$AUDIO_PID" ] && kill "$AUDIO_PID" 2>/dev/null && wait "$AUDIO_PID" 2>/dev/null
    AUDIO_PID=
    unset PULSE_SERVER
}

# A fresh program folder: executables, assets and the sample levels.
e2e_folder() {
    cp -r "$PROGRAM_FOLDER/." "$WORK/"
    rm -rf "$WORK/.options" # not the options of a game played from the build tree
}

# Starts a program of the folder in the background.
e2e_launch() {
    "$WORK/$1" "${@:2}" >"$WORK/$1.log" 2>&1 &
    APP_PID=$!
}

# Waits (up to $2 seconds, 60 by default: a loaded machine is slow) for a
# window whose title matches, prints its id.
e2e_window() {
    local id
    id=$(timeout "${2:-60}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    if [ -z "$id" ]; then
        echo "no window named '$1'" >&2
        xdotool search --onlyvisible --name '.' getwindowname %@ >&2 2>/dev/null || true
        return 1
    fi
    echo "$id"
}

# Window geometry as X Y W H.
e2e_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

# Clicks at a point given in twips of a window's client area (15 a pixel).
e2e_click_twips() {
    local win=$1 x=$2 y=$3 button=${4:-1}
    xdotool mousemove --window "$win" $((x / 15)) $((y / 15)) click "$button"
    sleep 0.3
}

# Keys as the user types them, to the window given (focused first).
e2e_key() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --delay 60 "${@:2}"
    sleep 0.3
}

# From the start-up warning to the main menu ("Commencer"); prints the menu's id.
e2e_to_menu() {
    local warn
    warn=$(e2e_window '^!!!$') || e2e_fail "no start-up warning"
    e2e_click_twips "$warn" 4600 2000
    e2e_window 'Menu  ZELK'
}

# "JOUER" on the menu's level at list row Y (twips), the warning before the
# level taken; prints the id of the game screen once one titled $3 shows.
e2e_play_level() {
    e2e_click_twips "$1" 6500 "$2"
    e2e_click_twips "$1" 8400 4300
    e2e_window "Avertissement!" >/dev/null || e2e_fail "no warning before the level"
    xdotool key Return
    sleep 0.5
    e2e_window "$3"
}

# The game started on a fresh folder and taken through the menu to the
# editor ("EDITEUR"); the editor's window id is left in ED.
e2e_open_editor() {
    e2e_start_x
    e2e_folder
    e2e_to_editor
}
# The game started again on the same folder and taken to the editor.
e2e_to_editor() {
    local menu
    e2e_launch zelk
    menu=$(e2e_to_menu) || e2e_fail "no menu"
    e2e_click_twips "$menu" 3000 4320
    ED=$(e2e_window '^Editeur') || e2e_fail "no editor"
    sleep 0.5
}

e2e_shot() {
    sleep 0.4
    import -window root "$SHOTS/$1.png"
    echo "screenshot $SHOTS/$1.png"
}

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$APP_PID" ]; then
        kill -0 "$APP_PID" 2>/dev/null && echo "the program (pid $APP_PID) still runs" >&2 ||
            echo "the program (pid $APP_PID) has ended" >&2
        tail -n 20 "$WORK"/*.log 2>/dev/null >&2 || true
    fi
    e2e_shot "failure-$(basename "$0" .sh)" || true
    exit 1
}
