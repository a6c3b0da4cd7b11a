#!/bin/bash
# System figures of the real zelk in a private Xvfb, read from /proc and from
# the program's own counts (ZELK_STATS): start-up time (also with a private
# audio server and with none), resident memory, CPU while nothing happens,
# ticks and frames while a level is played (also with ZELK_FULL_REPAINT=1, the
# whole window at every display frame), memory after many levels; and the
# same start-up, memory and CPU of a peer arcade game, kbounce, in the same X
# server. Each sample is printed as "figure value" on stdout.
#   bench/system.sh PROGRAM_FOLDER [RUNS] [startup|play]
# RUNS (3 by default) is how many times the program is started and measured;
# the 50-level memory run is done once. "startup" measures the start-ups only,
# "play" the level played only (once, at dep 18 and at dep 1). MEASURE_S (10)
# is how many seconds each figure is averaged over.
set -uo pipefail
PROGRAM_FOLDER=$(cd "${1:?usage: system.sh PROGRAM_FOLDER [RUNS]}" && pwd)
RUNS=${2:-3}
HERE=$(cd "$(dirname "$0")" && pwd)
export PROGRAM_FOLDER SHOTS=${SHOTS:-$PROGRAM_FOLDER/../bench/shots}
# The end-to-end helpers: private Xvfb, program folder copy, windows, clicks.
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$HERE/../tests/e2e/lib.sh"
set +e

MEASURE_S=${MEASURE_S:-10}

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
        frames | repeats | pixels)
            awk -v k="$1" -v n="$2" '$1 == k && $2 == n { v = $3 } END { printf "%.0f\n", v }' "$STATS" ;;
    esac
}
# Median and 95th percentile, milliseconds, of the intervals between the
# game screen's frames counted from one copy of the stats file to another.
intervals() {
    awk '$1 == "intervals" && $2 == "frmsaut" {
        step = $3
        for (i = 4; i <= NF; i++) { split($i, kv, ":"); c[kv[1]] += (FILENAME == ARGV[1] ? -1 : 1) * kv[2]; if (kv[1] > top) top = kv[1] }
    }
    END {
        for (k = 0; k <= top; k++) total += c[k]
        if (total <= 0) { print "- -"; exit }
        for (k = 0; k <= top; k++) {
            run += c[k]
            if (med == "" && run >= total / 2) med = (k + 0.5) * step / 1000
            if (p95 == "" && run >= total * 0.95) p95 = (k + 0.5) * step / 1000
        }
        printf "%.2f %.2f\n", med, p95
    }' "$1" "$2"
}
# Waits for the next write of the stats file (every two seconds).
stats_fresh() {
    local u
    u=$(stat_of uptime)
    for _ in $(seq 100); do
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
    ZELK_FULL_REPAINT=${FULL_REPAINT:-0} ZELK_STATS=$STATS "$WORK/zelk" >"$WORK/zelk.log" 2>&1 &
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

# The menu list's row of a level of the bench's folder, twips: the list
# holds the folder's levels in their names' order, 150 twips a row.
row_of() {
    local i
    i=$(find "$WORK" -maxdepth 1 -name '*.lev' -printf '%f\n' | LC_ALL=C sort | grep -nxF "$1" | cut -d: -f1)
    [ -n "$i" ] || { note "no level $1 in the bench's folder" && return 1; }
    echo $((4950 + 150 * (i - 1)))
}

# Starts a level from its list row and answers the warning; prints the game
# window (its title names the level: a wrong row is never measured), paused
# as every level opens.
start_level() {
    local row=$1 name=$2 game
    [ -n "$row" ] || return 1
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
# the frames per second, the ticks dropped, the share of a core used, the
# window pixels repainted per second (millions), the frames that repeated the
# picture before them, and the median and 95th percentile of the intervals
# between frames (ms); pauses again at the end.
play() {
    local game=$1 label=$2 u0 t0 f0 d0 c0 n0 p0 r0 u1 t1 f1 d1 c1 n1 p1 r1 end
    xdotool mousemove --window "$game" "$PLAY_X1" "$PLAY_Y"
    xdotool windowfocus --sync "$game" 2>/dev/null
    sleep 0.3
    xdotool key Escape mousedown 1 sleep 0.05 mouseup 1 click 3
    sleep 2
    stats_fresh || return 1
    cp "$STATS" "$WORK/stats.before"
    u0=$(stat_of uptime) t0=$(stat_of timer frmsaut.Timer1 3) f0=$(stat_of frames frmsaut)
    d0=$(stat_of timer frmsaut.Timer1 5) p0=$(stat_of pixels frmsaut) r0=$(stat_of repeats frmsaut)
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
    cp "$STATS" "$WORK/stats.after"
    u1=$(stat_of uptime) t1=$(stat_of timer frmsaut.Timer1 3) f1=$(stat_of frames frmsaut)
    d1=$(stat_of timer frmsaut.Timer1 5) p1=$(stat_of pixels frmsaut) r1=$(stat_of repeats frmsaut)
    e2e_shot "bench-play-$label-$RUN" >/dev/null
    xdotool windowfocus --sync "$game" 2>/dev/null
    xdotool key Escape
    xdotool search --onlyvisible --name '^PG$' >/dev/null 2>&1 && note "level ended during the play" && return 1
    awk -v du="$((u1 - u0))" -v dt="$((t1 - t0))" -v df="$((f1 - f0))" -v dd="$((d1 - d0))" \
        -v c="$((c1 - c0))" -v n="$((n1 - n0))" -v dp="$((p1 - p0))" -v dr="$((r1 - r0))" \
        -v iv="$(intervals "$WORK/stats.before" "$WORK/stats.after")" \
        'BEGIN { printf "%.1f %.1f %d %.2f %.2f %d %s\n", dt * 10000 / du, df * 1000 / du, dd, 100 * c / n, dp / du / 1000, dr, iv }'
}

# Plays the level at dep 18 and at dep 1 and prints the samples, their names
# ending in $1 ("" or "_full"); the paused game's idle CPU is measured first.
play_both() {
    local suffix=$1 game r dep
    for dep in 18 1; do
        opts=$(set_options "$dep") || continue
        close_options "$opts"
        game=$(start_level "$(row_of "$LEVEL_PLAY_NAME")" "$LEVEL_PLAY_NAME") || continue
        sleep 1
        [ "$dep$suffix" = 18 ] && sample idle_paused_game "$(idle_cpu)"
        r=$(play "$game" "dep$dep$suffix") || continue
        read -r ticks fps dropped cpu mpix repeats med p95 <<<"$r"
        sample "ticks_dep$dep$suffix" "$ticks"
        sample "fps_dep$dep$suffix" "$fps"
        sample "dropped_dep$dep$suffix" "$dropped"
        sample "cpu_play_dep$dep$suffix" "$cpu"
        sample "mpix_dep$dep$suffix" "$mpix"
        sample "repeats_dep$dep$suffix" "$repeats"
        [ "$med" != - ] && sample "interval_med_dep$dep$suffix" "$med" && sample "interval_p95_dep$dep$suffix" "$p95"
    done
}

# The peer: kbounce, with its own session bus and a home in $WORK, its window
# the size of Zelk's game screen. Start-up is to its first window shown
# (Zelk's is to its first frame drawn, which comes later); memory once the
# window is up; CPU while a level plays on its own (the balls bounce, no wall
# is built), clicked into the game by xdotool.
peer() {
    local bin home t0 win pid c0 n0 c1 n1
    bin=$(command -v kbounce || echo /usr/games/kbounce)
    if [ ! -x "$bin" ] || ! command -v dbus-run-session >/dev/null; then
        note "kbounce or dbus-run-session missing: the peer is not measured (make deps-bench)"
        return 1
    fi
    home=$WORK/peer
    mkdir -p "$home/run" && chmod 700 "$home/run"
    t0=$(now_ns)
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
        XDG_RUNTIME_DIR=$home/run dbus-run-session -- "$bin" >"$WORK/peer.log" 2>&1 &
    PEER_PID=$!
    for _ in $(seq 1000); do
        win=$(xdotool search --onlyvisible --class kbounce 2>/dev/null | head -n 1)
        [ -n "$win" ] && break
        sleep 0.01
    done
    pid=$(pgrep -x kbounce -P "$PEER_PID")
    if [ -z "$win" ] || [ -z "$pid" ]; then
        note "kbounce did not open a window (see $WORK/peer.log): the peer is not measured"
        stop_peer
        return 1
    fi
    sample startup_peer_ms "$((($(now_ns) - t0) / 1000000))"
    xdotool windowsize "$win" 1014 820
    sleep 2
    sample rss_peer_mib "$(awk -v k="$(rss_kib "$pid")" 'BEGIN { printf "%.1f\n", k / 1024 }')"
    xdotool mousemove --window "$win" 500 400 click 1  # "Click to start a game"
    sleep 1
    c0=$(cpu_ns "$pid") n0=$(now_ns)
    sleep "$MEASURE_S"
    c1=$(cpu_ns "$pid") n1=$(now_ns)
    e2e_shot "bench-peer-$RUN" >/dev/null
    sample cpu_play_peer "$(awk -v c="$((c1 - c0))" -v n="$((n1 - n0))" 'BEGIN { printf "%.2f\n", 100 * c / n }')"
    stop_peer
}
PEER_PID=
stop_peer() {
    local pid
    [ -n "$PEER_PID" ] || return 0
    pid=$(pgrep -x kbounce -P "$PEER_PID")
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    sleep 0.5
    kill "$PEER_PID" 2>/dev/null && wait "$PEER_PID" 2>/dev/null
    PEER_PID=
}

trap 'stop_peer; e2e_cleanup' EXIT
e2e_start_x 1280x1024
e2e_folder
STATS=$WORK/stats
# The bench's own levels alone in its copy of the program folder: the shipped
# ones, whatever their names, are taken out of the list.
LEVEL_PLAY_NAME=banc-jeu.lev LEVEL_EMPTY_NAME=banc-vide.lev
find "$WORK" -maxdepth 1 -name '*.lev' -delete
printf '%s\r\n' "$LEVEL_PLAY" >"$WORK/$LEVEL_PLAY_NAME"
cp "$HERE/../tests/levels/vide.lev" "$WORK/$LEVEL_EMPTY_NAME"

if [ "${3:-}" = play ]; then
    RUN=1
    launch && MENU=$(e2e_to_menu) && play_both ""
    stop
    exit 0
fi

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
    e2e_click_twips "$MENU" 6500 "$(row_of "$LEVEL_PLAY_NAME")"
    e2e_click_twips "$MENU" 9400 7680  # VOIR
    if e2e_window "visualisation" >/dev/null; then
        sleep 1
        sample idle_preview "$(idle_cpu)"
    fi

    play_both ""

    xdotool windowraise "$MENU"
    e2e_click_twips "$MENU" 3000 4260  # EDITEUR
    if e2e_window "Editeur" >/dev/null; then
        sleep 1
        sample idle_editor "$(idle_cpu)"
    fi
    stop

    # The whole window at every display frame, as before regions were drawn.
    if FULL_REPAINT=1 launch && MENU=$(e2e_to_menu); then
        play_both _full
    fi
    stop

    peer
done

# Memory after many levels: an empty level, won at the first tick, played to
# its result screen and back to the menu, 50 times.
note "50 levels"
if launch && MENU=$(e2e_to_menu); then
    first=
    for n in $(seq 50); do
        game=$(start_level "$(row_of "$LEVEL_EMPTY_NAME")" "$LEVEL_EMPTY_NAME") || break
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
