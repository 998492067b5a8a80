#!/usr/bin/env bash
# Checks that the test suite catches deliberate faults: each fault of
# scripts/faults.txt is applied, alone, to a scratch copy of the source under
# build/faults/src (never the working tree), the flavour it names is rebuilt
# there incrementally (one build folder per flavour, kept between runs) and the
# part of the suite it names runs. A fault counts as caught when that part fails.
#
#   scripts/fault-check.sh [--all] [--list] [name...]
#     name...  only these faults (default: every fault)
#     --all    run the whole suite of the fault's flavour instead of its part
#     --list   print the faults and exit
#
# The result goes to stdout and build/faults/result.txt; the exit status is 1
# when a fault was missed or could not be applied or built.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
faults_file="$root/scripts/faults.txt"
work="$root/build/faults"
src="$work/src"
jobs=2
all=0
list=0
wanted=()
for arg in "$@"; do
    case "$arg" in
    --all) all=1 ;;
    --list) list=1 ;;
    -h | --help) sed -n '2,14p' "$0"; exit 0 ;;
    *) wanted+=("$arg") ;;
    esac
done

# The records as tab-separated lines: name, part, file, from, to, why.
records() {
    python3 - "$faults_file" <<'EOF'
import sys
record = {}
def flush():
    if record:
        print("\t".join(record.get(k, "") for k in ("name", "part", "file", "from", "to", "why")))
        record.clear()
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("#"):
        continue
    if not line.strip():
        flush()
        continue
    key, _, value = line.partition(": ")
    record[key] = value
flush()
EOF
}

if [ "$list" = 1 ]; then
    records | awk -F'\t' '{ printf "%-26s %-32s %s\n", $1, $2, $6 }'
    exit 0
fi

# The scratch copy: every file git knows of (committed or not, deletions
# included), copied only where it differs so that builds stay incremental.
sync_source() {
    mkdir -p "$src"
    (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
        while IFS= read -r -d '' file; do
            [ -f "$root/$file" ] || { rm -f "$src/$file"; continue; }
            if ! cmp -s "$root/$file" "$src/$file"; then
                mkdir -p "$(dirname "$src/$file")"
                cp "$root/$file" "$src/$file"
            fi
        done
}

# apply <file> <from> <to>: one exact replacement, or a complaint.
apply_fault() {
    python3 - "$src/$1" "$2" "$3" <<'EOF'
import sys
path, old, new = sys.argv[1], sys.argv[2].replace("<br>", "\n"), sys.argv[3].replace("<br>", "\n")
text = open(path, encoding="utf-8").read()
count = text.count(old)
if count != 1:
    sys.exit(f"'from' occurs {count} times in {path}")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

configured=""
# The scratch builds optimise less than a release: each fault rebuilds sooner,
# and what the tests catch does not depend on it.
optimise=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG")
configure() {
    local flavour=$1
    case " $configured " in *" $flavour "*) return 0 ;; esac
    if [ "$flavour" = native ]; then
        local linker=()
        command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld) # links in a fraction
        cmake -S "$src" -B "$work/native" -G Ninja "${optimise[@]}" "${linker[@]}" -DORVEX_BENCH=OFF >/dev/null
    else
        cmake -S "$src" -B "$work/windows" -G Ninja "${optimise[@]}" \
            -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" >/dev/null
        source "$root/scripts/wine-env.sh"
        wine_env_setup "$work/windows"
        trap wine_env_teardown EXIT
    fi
    configured="$configured $flavour"
}

# build <flavour> [part regex]: only the test programs the part names when
# each of its tests is a program of that name (the CLI's program tests need
# orvex-cli, the end-to-end roads the programs and the driver), else
# everything; a header fault then rebuilds a fraction.
build() {
    local dir="$work/$1" targets=() name
    if [ -n "${2:-}" ]; then
        for name in $(tr '|' ' ' <<<"${2//\$/}"); do
            if ninja -C "$dir" -t query "$name" >/dev/null 2>&1; then
                targets+=("$name")
            elif [[ "$name" == cli_* ]]; then
                targets+=(orvex-cli)
            elif [[ "$name" == e2e_* ]]; then
                targets+=(orvex orvex-cli uidriver)
            else
                targets=()
                break
            fi
        done
    fi
    cmake --build "$dir" -j "$jobs" ${targets[@]:+--target "${targets[@]}"} >"$work/build.log" 2>&1
}

# run_part <flavour> <regex>: 0 when the tests pass.
run_part() {
    local flavour=$1 regex=$2 args=(--timeout 600 -j "$jobs")
    [ "$all" = 1 ] || args+=(-R "^($regex)\$")
    ctest --test-dir "$work/$flavour" "${args[@]}" >"$work/test.log" 2>&1
}

sync_source
mkdir -p "$work"
: >"$work/result.txt"
report() { echo "$*" | tee -a "$work/result.txt"; }

mapfile -t all_records < <(records)
selected=()
for record in "${all_records[@]}"; do
    name=${record%%$'\t'*}
    if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then
        selected+=("$record")
    fi
done

# Every part must pass on the unchanged copy, or a failure proves nothing.
declare -A baseline=()
for record in "${selected[@]}"; do
    IFS=$'\t' read -r name part file from to why <<<"$record"
    key=$part
    [ "$all" = 1 ] && key=${part%%:*}:
    [ -n "${baseline[$key]:-}" ] && continue
    flavour=${part%%:*}
    [ "$flavour" = wine ] && flavour=windows
    configure "$flavour"
    if ! build "$flavour" || ! run_part "$flavour" "${part#*:}"; then
        report "BASELINE FAILS: $key (see $work/build.log, $work/test.log)"
        exit 1
    fi
    baseline[$key]=ok
done

caught=0
missed=0
broken=0
for record in "${selected[@]}"; do
    IFS=$'\t' read -r name part file from to why <<<"$record"
    flavour=${part%%:*}
    [ "$flavour" = wine ] && flavour=windows
    start=$SECONDS
    cp "$src/$file" "$work/original"
    if ! apply_fault "$file" "$from" "$to" 2>"$work/apply.log"; then
        verdict="NOT APPLIED ($(cat "$work/apply.log"))"
        broken=$((broken + 1))
    elif ! build "$flavour" "${part#*:}"; then
        verdict="DOES NOT BUILD (see $work/build.log)"
        broken=$((broken + 1))
        cp "$work/build.log" "$work/build-$name.log"
    elif run_part "$flavour" "${part#*:}"; then
        verdict="MISSED"
        missed=$((missed + 1))
    else
        failed=$(grep -oE '[0-9]+ - [A-Za-z0-9_]+ \(Failed|Timeout' "$work/test.log" |
            awk '{print $3}' | sort -u | tr '\n' ' ')
        verdict="caught by ${failed:-$part}"
        caught=$((caught + 1))
    fi
    # The copy's own original back, with a fresh time stamp so the next build redoes it.
    cp "$work/original" "$src/$file"
    report "$(printf '%-26s %-8s %4ss  %s' "$name" "${part%%:*}" $((SECONDS - start)) "$verdict")"
done
# Leave the scratch builds as the unchanged source: the next run starts clean.
for flavour in $configured; do build "$flavour" || true; done
report "faults: ${#selected[@]}, caught: $caught, missed: $missed, not applied or not built: $broken"
[ "$missed" -eq 0 ] && [ "$broken" -eq 0 ]
