#!/bin/bash
# Sounds that are heard: a private PulseAudio server with a null sink, the
# real game playing a level in Xvfb, and the sink's monitor recorded. A jump
# lands on the green frog (defaut.wav), then Enter drops a vial (mur.wav);
# the recording is silent but for the two, each heard once and after what
# caused it. Sounds are told by their samples (the sink passes them through
# unchanged), moments by the recording's length, never by the clock: a busy
# machine may cut or delay a sound, and it is still that one sound.
# Then the same game with no audio server at all: it starts, plays silently
# and says nothing.
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
# The sounds in the recording so far, as "file first last heard" (samples,
# from 1). A stretch that is not silence is found in the files by four
# samples, then followed; one that goes on further into the same file (after
# a gap or a loss) is the same sound. A sample of neither file: "noise AT".
played() {
    awk 'FNR == 1 { f++ }
         f <= 2 { w[f, ++len[f]] = $1 + 0; next }
         { r[++n] = $1 + 0 }
         END {
             for (f = 1; f <= 2; f++)
                 for (j = 1; j + 3 <= len[f]; j++) {
                     k = w[f, j] " " w[f, j + 1] " " w[f, j + 2] " " w[f, j + 3]
                     at[k] = at[k] " " f ":" j
                 }
             name[1] = "defaut.wav"; name[2] = "mur.wav"
             for (i = 1; i <= n; i++) {
                 v = r[i]
                 if (cur && pos < len[cur] && v == w[cur, pos + 1]) {
                     pos++
                     if (v) { heard[p]++; last[p] = i }
                     continue
                 }
                 if (v == 0) continue
                 m = split(at[v " " r[i + 1] " " r[i + 2] " " r[i + 3]], c, " ")
                 bf = 0
                 for (t = 1; t <= m; t++) {
                     split(c[t], fj, ":")
                     ff = fj[1] + 0; jj = fj[2] + 0; ok = 1
                     for (d = 0; d < 16 && jj + d <= len[ff] && i + d <= n; d++)
                         if (r[i + d] != w[ff, jj + d]) { ok = 0; break }
                     if (!ok) continue
                     if (ff == cur && jj > pos) { bf = ff; bj = jj; break }
                     if (!bf) { bf = ff; bj = jj }
                 }
                 if (!bf) { if (!noise) print "noise", i; noise = 1; continue }
                 if (bf != cur || bj <= pos) { p++; what[p] = bf; first[p] = i; heard[p] = 0 }
                 cur = bf; pos = bj; heard[p]++; last[p] = i
             }
             for (q = 1; q <= p; q++) print name[what[q]], first[q], last[q], heard[q]
         }' <(od -An -v -t d2 -w2 -j 44 "$WORK/defaut.wav") <(od -An -v -t d2 -w2 -j 44 "$WORK/mur.wav") \
        <(od -An -v -t d2 -w2 "$WORK/rec.raw")
}
# The recording's length in samples: never past the server's moment.
recorded() { echo $(($(stat -c %s "$WORK/rec.raw") / 2)); }
# Waits (at most $2 s) for $1 sounds and half a second of silence after.
wait_for_sounds() {
    local n=$1 deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        played >"$WORK/heard"
        grep -q '^noise' "$WORK/heard" && return 0
        if [ "$(wc -l <"$WORK/heard")" -ge "$n" ] &&
            [ "$(recorded)" -gt $(($(tail -n 1 "$WORK/heard" | cut -d' ' -f3) + 11025)) ]; then
            return 0
        fi
        sleep 0.5
    done
}

parec --latency-msec=20 -d zelk_sink.monitor --raw --format=s16le --rate=22050 --channels=1 \
    >"$WORK/rec.raw" &
REC_PID=$!
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu"
game=$(e2e_play_level "$menu" 4950 "Zelk !!") || e2e_fail "no game screen" # son.lev, the only level
# The pointer on the hero, so that he stands still; Escape starts the level.
# The green frog walks under him (about 5 s); a jump straight up lands on it.
# A jump that misses it (a slow start) lands silently, and he jumps again.
# Back on the ground, Enter drops a vial.
xdotool mousemove --window "$game" 940 500
e2e_key "$game" Escape
sleep 5
for _ in 1 2 3 4; do
    xdotool mousedown 1
    sleep 0.8
    xdotool mouseup 1
    jump=$(recorded)
    xdotool click 3
    wait_for_sounds 1 5
    [ -s "$WORK/heard" ] && break
done
vial=$(recorded)
xdotool key Return
wait_for_sounds 2 20
e2e_shot sound-after-stomp
windows() { xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | sort; }
windows >"$WORK/windows-heard"
kill "$REC_PID"
wait "$REC_PID" 2>/dev/null || true

played >"$WORK/heard"
echo "heard (file, first and last sample, samples heard; 22050 a second):"
cat "$WORK/heard"
echo "the last jump at sample $jump, Enter at $vial"
grep -q '^noise' "$WORK/heard" && e2e_fail "a sound that is neither file"
[ "$(cut -d' ' -f1 "$WORK/heard" | tr '\n' ' ')" = "defaut.wav mur.wav " ] ||
    e2e_fail "not defaut.wav then mur.wav, each once"
read -r _ stomp_first stomp_last stomp_heard < <(sed -n 1p "$WORK/heard")
read -r _ mur_first _ mur_heard < <(sed -n 2p "$WORK/heard")
# Each after what caused it: the stomp after the jump that made it and done
# before Enter, the vial's after Enter. Most of each is heard (the files hold
# 9920 and 7714 samples that are not silence).
[ "$stomp_first" -gt "$jump" ] && [ "$stomp_last" -lt "$vial" ] ||
    e2e_fail "defaut.wav from $stomp_first to $stomp_last, the jump at $jump, Enter at $vial"
[ "$mur_first" -gt "$vial" ] || e2e_fail "mur.wav at $mur_first, Enter at $vial"
[ "$stomp_heard" -gt 2500 ] && [ "$mur_heard" -gt 2000 ] || e2e_fail "too little of them heard"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# No audio server: the game still starts and plays, silent, with no message.
e2e_stop_audio
e2e_launch zelk
menu=$(e2e_to_menu) || e2e_fail "no menu without an audio server"
game=$(e2e_play_level "$menu" 4950 "Zelk !!") || e2e_fail "no game screen without an audio server"
xdotool mousemove --window "$game" 940 500
e2e_key "$game" Escape
xdotool key Return
sleep 1
kill -0 "$APP_PID" || e2e_fail "zelk ended without an audio server"
windows >"$WORK/windows-silent"
# No window that the game with sound did not have (a level may have ended
# meanwhile there: fewer is fine).
extra=$(comm -13 "$WORK/windows-heard" "$WORK/windows-silent")
[ -z "$extra" ] || e2e_fail "other windows without an audio server: $extra"
[ -s "$WORK/zelk.log" ] && e2e_fail "zelk printed: $(cat "$WORK/zelk.log")"
echo ok
