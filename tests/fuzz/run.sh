#!/bin/sh
# Runs the libFuzzer target NAME (level, tips, script, draw or replay) built as FUZZER:
# SECONDS = 0 replays every file of its seed corpus once; otherwise it fuzzes
# for that long, starting from the seed corpus. New inputs go to WORK/new,
# never into the committed corpus; a crash, hang or sanitizer report fails
# the run and leaves its input in WORK/artifacts.
#
# usage: run.sh FUZZER NAME WORK SECONDS
set -e
fuzzer=$1
name=$2
work=$3
seconds=$4
here=$(cd "$(dirname "$0")" && pwd)
corpus=$here/corpus/$name
# Symbolized reports: the suppressions match function names.
ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)}
export ASAN_SYMBOLIZER_PATH
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/../lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
# Longest inputs: past the level reader's 4096-character field; past a few
# thousand tip lines; a script of a few dozen lines. One input running longer
# than the timeout is a hang; a level that takes a second to show and draw is
# one already.
timeout=20
case $name in
    level) set -- -max_len=8192 -dict="$here/level.dict" ;;
    draw)
        # This one looks for drawing that hangs or breaks; leaks through the
        # same screens are the script fuzzer's and the checked tests' to find,
        # and the full unwinder they need would slow every input tenfold.
        set -- -max_len=8192 -dict="$here/level.dict" -detect_leaks=0
        corpus=$here/corpus/level
        timeout=1
        ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
        ;;
    tips) set -- -max_len=16384 ;;
    replay) set -- -max_len=8192 -dict="$here/replay.dict"; ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0" ;;
    script)
        set -- -max_len=2048 -dict="$here/script.dict"
        # Qt is built without frame pointers: only the full unwinder gives the
        # allocation stacks that the Qt entries of lsan.supp match.
        ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
        ;;
    *) echo "run.sh: unknown fuzz target $name" >&2; exit 2 ;;
esac
mkdir -p "$work/artifacts"
set -- -artifact_prefix="$work/artifacts/" -timeout=$timeout -rss_limit_mb=2560 "$@"
if [ "$seconds" = 0 ]; then
    exec "$fuzzer" "$@" "$corpus"/*
fi
# Each run starts from the seed corpus alone, so that its time goes to new
# inputs rather than to replaying what earlier runs found.
rm -rf "$work/new"
mkdir -p "$work/new"
log=$work/last.log
status=0
"$fuzzer" "$@" -print_final_stats=1 -max_total_time="$seconds" "$work/new" "$corpus" \
    >"$log" 2>&1 || status=$?
if [ "$status" != 0 ]; then
    cat "$log"
    exit "$status"
fi
execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
echo "fuzz_$name: $execs executions in $time s, $cov, no crash, hang or sanitizer report"
