#!/bin/bash
# Runs every benchmark and prints one table (Markdown): the figure, its
# budget, the median of the measurements and their range.
#   bench/run.sh [BUILD_DIR]
# BENCH_RUNS (3) starts of the real program for the system figures;
# BENCH_REPS (10) repetitions of each tick and frame benchmark.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-build}" && pwd)
RUNS=${BENCH_RUNS:-3}
REPS=${BENCH_REPS:-10}
OUT=$BUILD/bench
[ -x "$OUT/zelk_bench" ] || { echo "run.sh: $OUT/zelk_bench is missing (libbenchmark-dev)" >&2; exit 1; }

load() { cut -d' ' -f1-3 /proc/loadavg; }
LOAD_BEFORE=$(load)

echo "Tick and frame benchmarks ($REPS repetitions)..." >&2
QT_QPA_PLATFORM=offscreen "$OUT/zelk_bench" --benchmark_repetitions="$REPS" \
    --benchmark_report_aggregates_only=true --benchmark_out="$OUT/bench.csv" \
    --benchmark_out_format=csv >/dev/null 2>"$OUT/bench.log"
echo "System figures ($RUNS starts of zelk under Xvfb, a few minutes)..." >&2
bash "$HERE/system.sh" "$BUILD/zelk" "$RUNS" >"$OUT/system.txt" 2>"$OUT/system.log"
LOAD_AFTER=$(load)

# Every sample as "figure value": the benchmarks' aggregates, then the system's.
{
    awk -F, '$1 ~ /manual_time_(median|min|max)"$/ {
        name = $1; gsub(/"/, "", name); sub(/\/manual_time_/, " ", name)
        split(name, w, " ")
        unit = $5; gsub(/"/, "", unit)
        print "bench " w[1] " " w[2] " " $3 " " unit
    }' "$OUT/bench.csv"
    awk '{ print "sample " $1 " " $2 }' "$OUT/system.txt"
} >"$OUT/samples.txt"

awk -v cpu="$(nproc)" -v before="$LOAD_BEFORE" -v after="$LOAD_AFTER" -v runs="$RUNS" \
    -v reps="$REPS" -v when="$(date -u '+%Y-%m-%d %H:%M UTC')" '
function unitname(u) { return u == "us" ? "µs" : u }
$1 == "bench" { agg[$2, $3] = $4; unit[$2] = unitname($5); next }
$1 == "sample" { n[$2]++; v[$2, n[$2]] = $3 }
function sorted(key,   i, j, t) {
    for (i = 1; i <= n[key]; i++) s[i] = v[key, i]
    for (i = 2; i <= n[key]; i++)
        for (j = i; j > 1 && s[j - 1] + 0 > s[j] + 0; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
}
function fmt(x) {
    return x == int(x) ? sprintf("%d", x) : x >= 100 ? sprintf("%.0f", x) : x >= 10 ? sprintf("%.1f", x) : sprintf("%.2f", x)
}
# kind: "le" at most, "ge" at least, "in" between lo and hi, "" no budget
function row(title, budget, kind, lo, hi, med, mn, mx, u,   ok) {
    if (med == "") { printf "| %s | %s | not measured | |\n", title, budget; return }
    ok = kind == "le" ? med <= hi : kind == "ge" ? med >= lo : kind == "in" ? med >= lo && med <= hi : 1
    printf "| %s | %s | %s%s | %s–%s%s |%s\n", title, budget, fmt(med), u, fmt(mn), fmt(mx), u, \
        ok ? "" : " **over budget**"
}
function brow(title, budget, kind, lo, hi, name) {
    if ((name, "median") in agg)
        row(title, budget, kind, lo, hi, agg[name, "median"], agg[name, "min"], agg[name, "max"], " " unit[name])
    else
        row(title, budget, kind, lo, hi, "")
}
function median(key) {
    sorted(key)
    return n[key] % 2 ? s[(n[key] + 1) / 2] : (s[n[key] / 2] + s[n[key] / 2 + 1]) / 2
}
# The ratio of the medians of two figures, without a budget.
function ratio(title, a, b,   x, y) {
    if (!(a in n) || !(b in n)) { printf "| %s | | not measured | |\n", title; return }
    x = median(a); y = median(b)
    if (y + 0 == 0) { printf "| %s | | not measured | |\n", title; return }
    printf "| %s | | %s× | |\n", title, fmt(x / y)
}
function srow(title, budget, kind, lo, hi, key, u,   m) {
    if (!(key in n)) { row(title, budget, kind, lo, hi, ""); return }
    m = median(key)
    row(title, budget, kind, lo, hi, m, s[1], s[n[key]], u)
}
END {
    printf "Measured %s on %d cores; load average %s before, %s after.\n", when, cpu, before, after
    printf "Ticks and frames: median of %d repetitions; system figures: %d starts of zelk under Xvfb.\n\n", reps, runs
    print "| Figure | Budget | Median | Min–max |"
    print "|---|---|---|---|"
    brow("Tick, 15 grey frogs (heaviest load)", "≤ 20 µs", "le", 0, 20, "tick/grey_frogs:15")
    brow("Tick, 8 grey frogs", "", "", 0, 0, "tick/grey_frogs:8")
    brow("Tick, 4 grey frogs", "", "", 0, 0, "tick/grey_frogs:4")
    brow("Tick, 1 grey frog", "", "", 0, 0, "tick/grey_frogs:1")
    brow("Frame, game screen 1014 x 734", "≤ 2 ms", "le", 0, 2, "frame/scale:1")
    brow("Frame at scale 2 (HiDPI)", "≤ 6 ms", "le", 0, 6, "frame/scale:2")
    brow("Frame after a tick: the changed regions only", "", "", 0, 0, "regions/scale:1")
    brow("The same at scale 2 (HiDPI)", "", "", 0, 0, "regions/scale:2")
    brow("Frame, game screen: ordinary level", "", "", 0, 0, "level/screen:0/worst:0")
    brow("Frame, game screen: worst level accepted", "", "", 0, 0, "level/screen:0/worst:1")
    brow("Preview drawn: ordinary level", "", "", 0, 0, "level/screen:1/worst:0")
    brow("Preview drawn: worst level accepted", "", "", 0, 0, "level/screen:1/worst:1")
    brow("Editor drawn: ordinary level", "", "", 0, 0, "level/screen:2/worst:0")
    brow("Editor drawn: worst level accepted", "", "", 0, 0, "level/screen:2/worst:1")
    srow("Ticks in 10 s at dep 18", "550–561 (10000/18 ± 1 %)", "in", 550.0, 561.1, "ticks_dep18", "")
    srow("Ticks in 10 s at dep 1", "≥ 9500", "ge", 9500, 0, "ticks_dep1", "")
    srow("Ticks dropped in 10 s at dep 18", "0", "le", 0, 0, "dropped_dep18", "")
    srow("Ticks dropped in 10 s at dep 1", "0", "le", 0, 0, "dropped_dep1", "")
    srow("CPU while playing at dep 18", "≤ 3 %", "le", 0, 3, "cpu_play_dep18", " %")
    srow("CPU while playing at dep 18, whole window each frame", "", "", 0, 0, "cpu_play_dep18_full", " %")
    srow("CPU while playing at dep 1", "≤ 4 %", "le", 0, 4, "cpu_play_dep1", " %")
    srow("CPU while playing at dep 1, whole window each frame", "", "", 0, 0, "cpu_play_dep1_full", " %")
    # A frame for each new picture: at dep 18 one a tick (55.6 a second), at
    # dep 1 one a display frame while the picture changes (it stands still
    # now and then, and then nothing is drawn: the intervals say the pace).
    srow("Frames drawn per second at dep 18", "≥ 54", "ge", 54, 0, "fps_dep18", "")
    srow("Frames drawn per second at dep 18, whole window", "", "", 0, 0, "fps_dep18_full", "")
    srow("Frames drawn per second at dep 1", "", "", 0, 0, "fps_dep1", "")
    srow("Frames drawn per second at dep 1, whole window", "", "", 0, 0, "fps_dep1_full", "")
    srow("Frames repeating the picture before, 10 s at dep 18", "0", "le", 0, 0, "repeats_dep18", "")
    srow("Frames repeating the picture before, whole window", "", "", 0, 0, "repeats_dep18_full", "")
    srow("Pixels repainted per second at dep 18", "", "", 0, 0, "mpix_dep18", " M")
    srow("Pixels repainted per second at dep 18, whole window", "", "", 0, 0, "mpix_dep18_full", " M")
    srow("Pixels repainted per second at dep 1", "", "", 0, 0, "mpix_dep1", " M")
    srow("Pixels repainted per second at dep 1, whole window", "", "", 0, 0, "mpix_dep1_full", " M")
    srow("Interval between frames at dep 18, median", "", "", 0, 0, "interval_med_dep18", " ms")
    srow("Interval between frames at dep 18, 95th percentile", "", "", 0, 0, "interval_p95_dep18", " ms")
    srow("Interval at dep 18, whole window: median", "", "", 0, 0, "interval_med_dep18_full", " ms")
    srow("Interval at dep 18, whole window: 95th percentile", "", "", 0, 0, "interval_p95_dep18_full", " ms")
    srow("Interval between frames at dep 1, median", "≤ 17.5 ms", "le", 0, 17.5, "interval_med_dep1", " ms")
    srow("Interval between frames at dep 1, 95th percentile", "≤ 20 ms", "le", 0, 20, "interval_p95_dep1", " ms")
    srow("Interval at dep 1, whole window: median", "", "", 0, 0, "interval_med_dep1_full", " ms")
    srow("Interval at dep 1, whole window: 95th percentile", "", "", 0, 0, "interval_p95_dep1_full", " ms")
    srow("CPU idle: main menu", "< 1 %", "le", 0, 1, "idle_menu", " %")
    srow("CPU idle: options", "< 1 %", "le", 0, 1, "idle_options", " %")
    srow("CPU idle: editor, no key pressed", "< 1 %", "le", 0, 1, "idle_editor", " %")
    srow("CPU idle: preview", "< 1 %", "le", 0, 1, "idle_preview", " %")
    srow("CPU idle: paused game", "< 1 %", "le", 0, 1, "idle_paused_game", " %")
    srow("Start-up to the first window drawn", "≤ 250 ms", "le", 0, 250, "startup_ms", " ms")
    srow("Start-up, an audio server running", "≤ 250 ms", "le", 0, 250, "startup_audio_ms", " ms")
    srow("Start-up, no audio server", "≤ 250 ms", "le", 0, 250, "startup_silent_ms", " ms")
    srow("Resident memory, main menu open", "≤ 60 MiB", "le", 0, 60, "rss_menu_mib", " MiB")
    srow("Memory growth over 50 levels", "≤ 2 MiB", "le", 0, 2, "rss_growth_50_levels_mib", " MiB")
    srow("Peer (kbounce): start-up to its first window", "", "", 0, 0, "startup_peer_ms", " ms")
    srow("Peer (kbounce): resident memory", "", "", 0, 0, "rss_peer_mib", " MiB")
    srow("Peer (kbounce): CPU while a level plays", "", "", 0, 0, "cpu_play_peer", " %")
    ratio("Zelk / peer: start-up", "startup_ms", "startup_peer_ms")
    ratio("Zelk / peer: resident memory", "rss_menu_mib", "rss_peer_mib")
    ratio("Zelk / peer: CPU while playing at dep 18", "cpu_play_dep18", "cpu_play_peer")
    ratio("Zelk / peer: CPU while playing at dep 1", "cpu_play_dep1", "cpu_play_peer")
}' "$OUT/samples.txt" | tee "$OUT/table.md"
# A figure that could not be measured is a failure of the bench, never a blank.
if grep -q "not measured" "$OUT/table.md"; then
    echo "run.sh: some figures were not measured (see $OUT/system.log)" >&2
    exit 1
fi
