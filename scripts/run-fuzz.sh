#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build (<build dir>/fuzz/fuzz_*) for a
# fixed number of runs, each over a copy of its seed corpus from fuzz/corpus/<name>
# (the committed corpus is never changed). Fails when any program finds a fault;
# the input that caused it is kept in <build dir>/fuzz/ (add it to the corpus).
#
# By default every program runs with one fixed seed, so the test command gives
# the same result on every run. For a longer hunt:
#   run-fuzz.sh --random <build dir>   a new random seed per program (printed)
#   ORVEX_FUZZ_SEED=n                  that seed instead of the fixed one
#   ORVEX_FUZZ_RUNS, ORVEX_FUZZ_TABLE_RUNS   the number of runs
set -euo pipefail
random=no
if [ "${1:-}" = --random ]; then
    random=yes
    shift
fi
build=$(cd "${1:?usage: run-fuzz.sh [--random] <fuzz build dir>}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs="${ORVEX_FUZZ_RUNS:-20000}"
fixed_seed="${ORVEX_FUZZ_SEED:-2024}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

programs=$(find "$build/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' | sort)
if [ -z "$programs" ]; then
    echo "no fuzz programs in $build/fuzz"
    exit 1
fi

status=0
for program in $programs; do
    name=$(basename "$program")
    corpus="$work/corpus-$name"
    mkdir -p "$corpus"
    if [ -d "$root/fuzz/corpus/$name" ]; then
        cp -R "$root/fuzz/corpus/$name/." "$corpus/"
    fi
    # The tables target writes a whole game folder twice per run: fewer runs.
    runs_here=$runs
    [ "$name" = fuzz_tables ] && runs_here="${ORVEX_FUZZ_TABLE_RUNS:-2000}"
    seed=$fixed_seed
    [ "$random" = yes ] && seed=$(( (RANDOM << 15 | RANDOM) + 1 ))
    log="$work/$name.log"
    if (cd "$work" && timeout -k 10 900 "$program" -seed="$seed" -runs="$runs_here" -max_len=4096 \
            -timeout=10 -rss_limit_mb=1024 -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$log" 2>&1); then
        echo "$name: seed $seed, $runs_here runs, no fault ($(ls "$corpus" | wc -l) inputs in the corpus afterwards)"
    else
        tail -n 60 "$log"
        echo "$name: FAILED with seed $seed (see the artifact in $build/fuzz/)"
        status=1
    fi
done
exit $status
