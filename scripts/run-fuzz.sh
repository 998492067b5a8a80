#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build (<build dir>/fuzz/fuzz_*) for a
# fixed number of runs, each over a copy of its seed corpus from fuzz/corpus/<name>
# (the committed corpus is never changed). Fails when any program finds a fault;
# the input that caused it is kept in <build dir>/fuzz/.
set -euo pipefail
build=$(cd "${1:?usage: run-fuzz.sh <fuzz build dir>}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs="${ORVEX_FUZZ_RUNS:-20000}"
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
    log="$work/$name.log"
    if (cd "$work" && timeout -k 10 900 "$program" -runs="$runs_here" -max_len=4096 -timeout=10 \
            -rss_limit_mb=1024 -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$log" 2>&1); then
        echo "$name: $runs_here runs, no fault ($(ls "$corpus" | wc -l) inputs in the corpus afterwards)"
    else
        tail -n 60 "$log"
        echo "$name: FAILED (see the artifact in $build/fuzz/)"
        status=1
    fi
done
exit $status
