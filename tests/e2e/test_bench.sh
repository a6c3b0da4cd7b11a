#!/bin/bash
# The bench's play, once and briefly: every figure of the level played comes
# out measured (their values are never checked here), so that a bench that
# no longer reaches its level cannot go unseen.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
MEASURE_S=2 bash "$HERE/../../bench/system.sh" "$PROGRAM_FOLDER" 1 play >"$out/samples" 2>"$out/log"
missing=
for dep in 18 1; do
    for figure in ticks fps dropped cpu_play mpix repeats interval_med interval_p95; do
        grep -Eq "^${figure}_dep$dep [0-9.]+$" "$out/samples" || missing="$missing ${figure}_dep$dep"
    done
done
grep -Eq '^idle_paused_game [0-9.]+$' "$out/samples" || missing="$missing idle_paused_game"
if [ -n "$missing" ]; then
    echo "not measured:$missing" >&2
    cat "$out/log" "$out/samples" >&2
    exit 1
fi
echo "measured: $(wc -l <"$out/samples") figures"
