#!/bin/bash
# Sounds that are heard: a private PulseAudio server with a null sink, the
# real game playing a level in Xvfb, and the sink's monitor recorded. A jump
# lands on the green frog (defaut.wav), then Enter drops a vial (mur.wav);
# the recording is silent but for the two, each heard when it happens. Then
# the same game with no audio server at all: it starts, plays silently and
# says nothing.
# Skipped (exit 77) where no audio server can run.
source "$(dirname "$0")/lib.sh"
# One green frog, on the ground; every platform far left of the hero.
LEVEL='3000,500,300,1000,3000,2500,300,1000,3000,4500,300,1000,3000,6500,300,1000,3000,8500,300,1000,3000,10500,300,1000,0,10,1,5,"3"'

skip() {
    echo "SKIP: $*"
    exit 77
}
e2e_start_audio >"$WORK/audio.why" || skip "$(cat "$WORK/audio.why")"

e2e_start_x
e2e_folder
# Qt's own runtime folder, so that it has nothing to say about it.
export XDG_RUNTIME_DIR=$WORK/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
rm -f "$WORK"/*.lev
printf '%s\r\n' "$LEVEL" >"$WORK/son.lev"
now() { date +%s%N; }

# The recording's clock: the moment its first samples came.
parec --latency-msec=20 -d zelk_sink.monitor --raw --format=s16le --rate=22050 --channels=1 \
    >"$WORK/rec.raw" &
REC_PID=$!
for _ in $(seq 100); do
    [ -s "$WORK/rec.raw" ] && break
    sleep 0.05
done
REC_START=$(now)
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_click_twips "$menu" 6500 4950             # son.lev, the only level
e2e_click_twips "$menu" 8400 4300             # JOUER
e2e_window "Avertissement!" >/dev/null || e2e_fail "no warning before the level"
xdotool key Return
game=$(e2e_window "Zelk !!") || e2e_fail "no game screen"
# The pointer on the hero, so that he stands still; Escape starts the level.
# The green frog walks under him (about 5 s); a jump straight up lands on it.
# Back on the ground, Enter drops a vial.
xdotool mousemove --window "$game" 940 500
e2e_key "$game" Escape
sleep 6
xdotool mousedown 1
sleep 0.8
xdotool mouseup 1
JUMP=$(now)
xdotool click 3
sleep 3
VIAL=$(now)
xdotool key Return
sleep 1.5
e2e_shot sound-after-stomp
windows() { xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | sort; }
windows >"$WORK/windows-heard"
kill "$REC_PID"
wait "$REC_PID" 2>/dev/null || true

# The sounds heard: each run of 20 ms windows (441 samples at 22050 Hz) whose
# loudest sample is above silence, as "start_ms end_ms peak". A null sink is
# exact zeros when nothing plays; the sounds peak near -3 dBFS (23000).
od -An -v -t d2 -w2 "$WORK/rec.raw" |
    awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v }
         NR % 441 == 0 { w++; if (m > 200) { if (!on) s = w; on = 1; if (m > p) p = m }
                         else if (on) { print s * 20, w * 20, p; on = 0; p = 0 }; m = 0 }
         END { if (on) print s * 20, w * 20, p }' >"$WORK/heard"
echo "heard (ms from the recording's start, loudest sample):"
cat "$WORK/heard"
since() { echo $((($1 - REC_START) / 1000000)); }
vial=$(since "$VIAL")
jump=$(since "$JUMP")
[ "$(wc -l <"$WORK/heard")" = 2 ] || e2e_fail "not two sounds: jump at $jump ms, vial at $vial ms"
read -r stomp_start _ stomp_peak < <(sed -n 1p "$WORK/heard")
read -r mur_start _ mur_peak < <(sed -n 2p "$WORK/heard")
# defaut.wav within 3 s of the jump (the flight), mur.wav within 0.6 s of
# Enter, each loud; silence before, between and after.
[ "$stomp_start" -gt $((jump - 300)) ] && [ "$stomp_start" -lt $((jump + 3000)) ] ||
    e2e_fail "defaut.wav at $stomp_start ms, the jump at $jump ms"
[ "$mur_start" -gt $((vial - 300)) ] && [ "$mur_start" -lt $((vial + 600)) ] ||
    e2e_fail "mur.wav at $mur_start ms, Enter at $vial ms"
[ "$mur_peak" -gt 8000 ] && [ "$stomp_peak" -gt 8000 ] || e2e_fail "too faint"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# No audio server: the game still starts and plays, silent, with no message.
e2e_stop_audio
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu without an audio server"
e2e_click_twips "$menu" 6500 4950
e2e_click_twips "$menu" 8400 4300
e2e_window "Avertissement!" >/dev/null || e2e_fail "no warning before the level"
xdotool key Return
game=$(e2e_window "Zelk !!") || e2e_fail "no game screen without an audio server"
xdotool mousemove --window "$game" 940 500
e2e_key "$game" Escape
xdotool key Return
sleep 1
kill -0 "$APP_PID" || e2e_fail "zelk ended without an audio server"
windows >"$WORK/windows-silent"
diff "$WORK/windows-heard" "$WORK/windows-silent" || e2e_fail "other windows without an audio server"
[ -s "$WORK/zelk.log" ] && e2e_fail "zelk printed: $(cat "$WORK/zelk.log")"
echo ok
