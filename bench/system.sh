#!/bin/bash
# System figures of the real zelk in a private Xvfb, read from /proc and from
# the program's own counts (ZELK_STATS): start-up time (also with a private
# audio server and with none), resident memory, CPU while nothing happens,
# ticks and frames while a level is played, memory after many levels. Each
# sample is printed as "figure value" on stdout.
#   bench/system.sh PROGRAM_FOLDER [RUNS] [startup]
# RUNS (3 by default) is how many times the program is started and measured;
# the 50-level memory run is done once. "startup" measures the start-ups only.
set -uo pipefail
PROGRAM_FOLDER=$(cd "${1:?usage: system.sh PROGRAM_FOLDER [RUNS]}" && pwd)
RUNS=${2:-3}
HERE=$(cd "$(dirname "$0")" && pwd)
export PROGRAM_FOLDER SHOTS=${SHOTS:-$PROGRAM_FOLDER/../bench/shots}
# The end-to-end helpers: private Xvfb, program folder copy, windows, clicks.
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$HERE/../tests/e2e/lib.sh"
set +e

MEASURE_S=10  # seconds each figure is averaged over

# The level played: the bird off, six green frogs (none on the sixth
# platform), grey frogs without end. The sixth platform stands above the
# player's start and under no cloud, and every other platform ends left of
# it, so once up there nothing reaches him and he plays as long as needed.
LEVEL_PLAY='8800,600,375,3000,6000,4200,375,3000,4000,6500,375,2500,8000,8000,375,3000,3000,10500,375,1000,7500,12600,375,2400,0,10,6,100,"10"'
# Where the mouse keeps him on that platform, window pixels.
PLAY_X1=900 PLAY_X2=965 PLAY_Y=450

note() { echo "system.sh: $*" >&2; }
sample() { echo "$1 $2"; }

# CPU time of every thread of a process, nanoseconds (printed with %.0f:
# mawk's %d stops at 2^31, some 2.1 s of CPU).
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'
}
now_ns() { date +%s%N; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' /proc/"$1"/status; }

# Share of one core used over MEASURE_S seconds, percent.
idle_cpu() {
    local c0 t0 c1 t1
    c0=$(cpu_ns "$APP_PID") t0=$(now_ns)
    sleep "$MEASURE_S"
    c1=$(cpu_ns "$APP_PID") t1=$(now_ns)
    awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" 'BEGIN { printf "%.3f\n", 100 * c / t }'
}

# A value of the stats file: "uptime", "first_frame", "timer NAME FIELD"
# (FIELD 3 fired, 4 late, 5 dropped) or "frames SCREEN".
stat_of() {
    case $1 in
        uptime) awk '$1 == "uptime_ms" { print $2 }' "$STATS" ;;
        first_frame) awk '$1 == "first_frame_unix_us" { print $2 }' "$STATS" ;;
        timer) awk -v n="$2" -v f="$3" '$1 == "timer" && $2 == n { v = $f } END { print v + 0 }' "$STATS" ;;
        frames) awk -v n="$2" '$1 == "frames" && $2 == n { v = $3 } END { print v + 0 }' "$STATS" ;;
    esac
}
# Waits for the next write of the stats file (every half second).
stats_fresh() {
    local u
    u=$(stat_of uptime)
    for _ in $(seq 40); do
        sleep 0.05
        [ "$(stat_of uptime)" != "$u" ] && return 0
    done
    return 1
}

# Starts zelk with its counts on; STARTUP_MS is the time from the start of
# the process to its first frame drawn.
launch() {
    rm -f "$STATS"
    local t0 ff
    t0=$(date +%s%6N)
    ZELK_STATS=$STATS "$WORK/zelk" >"$WORK/zelk.log" 2>&1 &
    APP_PID=$!
    for _ in $(seq 200); do
        if [ -s "$STATS" ]; then
            ff=$(stat_of first_frame)
            if [ -n "$ff" ] && [ "$ff" != -1 ]; then
                STARTUP_MS=$(((ff - t0) / 1000))
                return 0
            fi
        fi
        sleep 0.05
    done
    return 1
}
stop() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
    APP_PID=
}

# Options: "Rapidité du jeu" to its fastest (arrow clicks; the bar runs from 1
# to 50) or to 18 ("DEF"), the most grey frogs to 15; prints the window.
set_options() {
    local dep=$1 opts
    xdotool windowraise "$MENU"
    e2e_click_twips "$MENU" 3000 5100  # OPTIONS
    opts=$(e2e_window "Options du jeu") || return 1
    if [ "$dep" = 1 ]; then
        xdotool mousemove --window "$opts" 78 80 click --repeat 20 --delay 30 1
    else
        e2e_click_twips "$opts" 4800 1200
    fi
    xdotool mousemove --window "$opts" 249 216 click --repeat 14 --delay 30 1
    echo "$opts"
}
close_options() { e2e_click_twips "$1" 4980 3900; }  # "OK" minimises it

# Starts the first level of the list (the played one) and answers the
# warning; prints the game window, paused as every level opens.
start_level() {
    local row=$1 name=$2 game
    xdotool windowraise "$MENU"
    e2e_click_twips "$MENU" 6500 "$row"
    e2e_click_twips "$MENU" 8400 4300  # JOUER
    e2e_window "Avertissement!" >/dev/null || return 1
    xdotool key Return
    game=$(e2e_window "^!! Zelk !!.*<$name>") || return 1
    xdotool windowfocus --sync "$game" 2>/dev/null
    echo "$game"
}

# Unpauses, charges and jumps at once onto the sixth platform; then plays
# MEASURE_S seconds (walks, jumps, drops vials) and prints the ticks per 10 s,
# the frames per second, the ticks dropped and the share of a core used;
# pauses again at the end.
play() {
    local game=$1 label=$2 u0 t0 f0 d0 c0 n0 u1 t1 f1 d1 c1 n1 end
    xdotool mousemove --window "$game" "$PLAY_X1" "$PLAY_Y"
    xdotool windowfocus --sync "$game" 2>/dev/null
    sleep 0.3
    xdotool key Escape mousedown 1 sleep 0.05 mouseup 1 click 3
    sleep 2
    stats_fresh || return 1
    u0=$(stat_of uptime) t0=$(stat_of timer frmsaut.Timer1 3) f0=$(stat_of frames frmsaut)
    d0=$(stat_of timer frmsaut.Timer1 5)
    c0=$(cpu_ns "$APP_PID") n0=$(now_ns)
    end=$(($(date +%s) + MEASURE_S))
    local x=$PLAY_X2
    while [ "$(date +%s)" -lt "$end" ]; do
        xdotool mousemove --window "$game" "$x" "$PLAY_Y" mousedown 1 sleep 0.3 mouseup 1 click 3
        sleep 0.5
        xdotool key Return
        sleep 0.5
        x=$((x == PLAY_X1 ? PLAY_X2 : PLAY_X1))
    done
    stats_fresh || return 1
    c1=$(cpu_ns "$APP_PID") n1=$(now_ns)
    u1=$(stat_of uptime) t1=$(stat_of timer frmsaut.Timer1 3) f1=$(stat_of frames frmsaut)
    d1=$(stat_of timer frmsaut.Timer1 5)
    e2e_shot "bench-play-$label-$RUN" >/dev/null
    xdotool windowfocus --sync "$game" 2>/dev/null
    xdotool key Escape
    xdotool search --onlyvisible --name '^PG$' >/dev/null 2>&1 && note "level ended during the play" && return 1
    awk -v du="$((u1 - u0))" -v dt="$((t1 - t0))" -v df="$((f1 - f0))" -v dd="$((d1 - d0))" \
        -v c="$((c1 - c0))" -v n="$((n1 - n0))" \
        'BEGIN { printf "%.1f %.1f %d %.2f\n", dt * 10000 / du, df * 1000 / du, dd, 100 * c / n }'
}

e2e_start_x 1280x1024
e2e_folder
STATS=$WORK/stats
printf '%s\r\n' "$LEVEL_PLAY" >"$WORK/a-temps.lev"
cp "$HERE/../tests/levels/vide.lev" "$WORK/b-vide.lev"
ROW_PLAY=4950 ROW_EMPTY=5100  # list rows of a-temps.lev and b-vide.lev, twips

# Start-up with a private audio server and with none (a socket that is not
# there), one after the other.
if e2e_start_audio >&2; then
    SERVER=$PULSE_SERVER
    for RUN in $(seq "$RUNS"); do
        for AUDIO in audio silent; do
            [ "$AUDIO" = audio ] && export PULSE_SERVER=$SERVER || export PULSE_SERVER=unix:$WORK/none
            launch && sample "startup_${AUDIO}_ms" "$STARTUP_MS"
            stop
        done
    done
    e2e_stop_audio
else
    note "start-up with an audio server not measured"
fi
[ "${3:-}" = startup ] && exit 0

for RUN in $(seq "$RUNS"); do
    note "run $RUN of $RUNS"
    launch || { note "no first frame"; stop; continue; }
    sample startup_ms "$STARTUP_MS"
    MENU=$(e2e_to_menu) || { note "no menu"; stop; continue; }
    sleep 2
    sample rss_menu_mib "$(awk -v k="$(rss_kib "$APP_PID")" 'BEGIN { printf "%.1f\n", k / 1024 }')"
    sample idle_menu "$(idle_cpu)"

    if opts=$(set_options 18); then
        sleep 1
        sample idle_options "$(idle_cpu)"
        close_options "$opts"
    fi

    xdotool windowraise "$MENU"
    e2e_click_twips "$MENU" 6500 "$ROW_PLAY"
    e2e_click_twips "$MENU" 9400 7680  # VOIR
    if e2e_window "visualisation" >/dev/null; then
        sleep 1
        sample idle_preview "$(idle_cpu)"
    fi

    if game=$(start_level "$ROW_PLAY" a-temps.lev); then
        sleep 1
        sample idle_paused_game "$(idle_cpu)"
        if r=$(play "$game" dep18); then
            read -r ticks fps dropped cpu <<<"$r"
            sample ticks_dep18 "$ticks"
            sample fps_dep18 "$fps"
            sample dropped_dep18 "$dropped"
            sample cpu_play_dep18 "$cpu"
        fi
    fi

    if opts=$(set_options 1); then
        close_options "$opts"
        if game=$(start_level "$ROW_PLAY" a-temps.lev) && r=$(play "$game" dep1); then
            read -r ticks fps dropped cpu <<<"$r"
            sample ticks_dep1 "$ticks"
            sample fps_dep1 "$fps"
            sample dropped_dep1 "$dropped"
            sample cpu_play_dep1 "$cpu"
        fi
    fi

    xdotool windowraise "$MENU"
    e2e_click_twips "$MENU" 3000 4260  # EDITEUR
    if e2e_window "Editeur" >/dev/null; then
        sleep 1
        sample idle_editor "$(idle_cpu)"
    fi
    stop
done

# Memory after many levels: an empty level, won at the first tick, played to
# its result screen and back to the menu, 50 times.
note "50 levels"
if launch && MENU=$(e2e_to_menu); then
    first=
    for n in $(seq 50); do
        game=$(start_level "$ROW_EMPTY" b-vide.lev) || break
        xdotool key Escape
        result=$(e2e_window '^PG$') || break
        e2e_click_twips "$result" 9700 7850  # Menu
        sleep 0.3
        [ "$n" = 1 ] && sleep 1 && first=$(rss_kib "$APP_PID")
    done
    sleep 1
    if [ "$n" = 50 ] && [ -n "$first" ]; then
        last=$(rss_kib "$APP_PID")
        sample rss_growth_50_levels_mib "$(awk -v a="$first" -v b="$last" 'BEGIN { printf "%.2f\n", (b - a) / 1024 }')"
    else
        note "the 50 levels stopped at level $n"
    fi
fi
stop
