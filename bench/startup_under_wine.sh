#!/usr/bin/env bash
# Times the editor's start-up as a user sees it: from starting orvex.exe under
# Wine until its main window is visible, measured by the UI-automation driver
# (`start`, then `wait-window Orvex`), in a game folder; prints every run and
# the median. The program is ended after each run, so nothing is written.
#
#   bench/startup_under_wine.sh <windows build dir> <game folder> [runs=5]
#
# The sample game: samples/game. A large invented one: build the native target
# orvex_make_game and run `orvex_make_game /tmp/large-game`.
set -uo pipefail
build=$(realpath "$1")
game=$(realpath "$2")
runs=${3:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    # shellcheck source=../scripts/wine-env.sh
    source "$root/scripts/wine-env.sh"
    wine_env_setup "$build"
    trap wine_env_teardown EXIT
fi
export PROGRAM="$build/orvex.exe"
driver="$build/tools/uidriver/uidriver.exe"

# The ms of one command's line of the driver's output.
ms_of() { sed -n "s/.*\"cmd\":\"$1\".*\"ms\":\([0-9]*\),\"ok\":true.*/\1/p" | head -n 1; }

times=()
for run in $(seq "$runs"); do
    output=$(cd "$game" && timeout -k 5 120 wine "$driver" -c 'start ${PROGRAM}' -c 'wait-window Orvex 60000' </dev/null 2>&1)
    started=$(echo "$output" | ms_of start)
    shown=$(echo "$output" | ms_of wait-window)
    if [ -z "$started" ] || [ -z "$shown" ]; then
        echo "run $run failed:" >&2
        echo "$output" >&2
        exit 1
    fi
    times+=($((started + shown)))
    echo "run $run: window visible after $((started + shown)) ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "median of $runs runs: $median ms ($game)"
