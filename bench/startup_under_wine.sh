#!/usr/bin/env bash
# Times start-up as a user sees it, from starting a program under Wine until
# its main window is visible (measured by the UI-automation driver: `start`,
# then `wait-window`), for five cases, paired in one Wine session and taken in
# turn in every round, so that the machine's changing speed falls on all alike:
#
#   demo      ui_demo.exe, the control layer's demo window
#   empty     orvex.exe on a folder with the name page and no tables
#   sample    orvex.exe on samples/game
#   large     orvex.exe on the large invented game (orvex_make_game)
#   times100  orvex.exe on a game 100 times a real one (orvex_make_game --times 100)
#
# Prints every run, then each case's median and fastest run, and the ratios the
# goals speak of (of the medians; of the fastest runs, which other jobs on the
# machine disturb least).
# Then, on the game 100 times a real one, the time the program takes to handle
# a user's choice of a record (the driver's `select`, handled_ms): the ship with
# the most turrets, and a ware near the end of its list.
# Programs are ended after each run, so nothing is written.
#
#   bench/startup_under_wine.sh <windows build dir> <native build dir> [runs=7]
#
# The native build provides orvex_make_game (target of bench/). ORVEX_TRACE
# passes through to the programs (a start-up trace file, see src/ui/trace.h).
set -uo pipefail
if [ $# -lt 2 ]; then
    echo "usage: bench/startup_under_wine.sh <windows build dir> <native build dir> [runs=7]" >&2
    exit 2
fi
build=$(realpath "$1")
native=$(realpath "$2")
runs=${3:-7}
root=$(cd "$(dirname "$0")/.." && pwd)
make_game="$native/bench/orvex_make_game"
driver="$build/tools/uidriver/uidriver.exe"
for file in "$make_game" "$driver" "$build/orvex.exe" "$build/ui_demo.exe"; do
    [ -x "$file" ] || [ -f "$file" ] || { echo "missing $file: build it first" >&2; exit 2; }
done

games=$(mktemp -d "${TMPDIR:-/tmp}/orvex-startup.XXXXXX")
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    # shellcheck source=../scripts/wine-env.sh
    source "$root/scripts/wine-env.sh"
    wine_env_setup "$build"
    trap 'wine_env_teardown; rm -rf "$games"' EXIT
else
    trap 'rm -rf "$games"' EXIT
fi

mkdir -p "$games/empty/t"
cp "$root/samples/game/t/70001.xml" "$games/empty/t/"
cp -r "$root/samples/game" "$games/sample"
"$make_game" "$games/large" || exit 1
"$make_game" --times 100 "$games/times100" || exit 1
# Captions in script files: words of `-c` would pass through the Unix locale.
printf 'start ${PROGRAM}\nwait-window "Демонстрация слоя" 120000\n' >"$games/demo.uid"
printf 'start ${PROGRAM}\nwait-window Orvex 120000\n' >"$games/orvex.uid"

cases=(demo empty sample large times100)
declare -A times

# The ms of one command's line of the driver's output.
ms_of() { sed -n "s/.*\"cmd\":\"$1\".*\"ms\":\([0-9]*\),\"ok\":true.*/\1/p" | head -n 1; }

one_run() { # case -> ms until visible
    local name=$1 program=$build/orvex.exe script=$games/orvex.uid folder=$games/$1
    if [ "$name" = demo ]; then
        program=$build/ui_demo.exe script=$games/demo.uid folder=$games
    fi
    local output started shown
    output=$(cd "$folder" && PROGRAM=$program timeout -k 5 180 wine "$driver" "$script" </dev/null 2>&1)
    started=$(echo "$output" | ms_of start)
    shown=$(echo "$output" | ms_of wait-window)
    if [ -z "$started" ] || [ -z "$shown" ]; then
        echo "$name failed:" >&2
        echo "$output" >&2
        return 1
    fi
    echo $((started + shown))
}

for run in $(seq "$runs"); do
    line="round $run:"
    for name in "${cases[@]}"; do
        ms=$(one_run "$name") || exit 1
        times[$name]+="$ms "
        line+=" $name $ms ms;"
    done
    echo "$line"
done

median() { printf '%s\n' $1 | sort -n | sed -n "$(((runs + 1) / 2))p"; }
fastest() { printf '%s\n' $1 | sort -n | head -n 1; }
declare -A medians fastests
for name in "${cases[@]}"; do
    medians[$name]=$(median "${times[$name]}")
    fastests[$name]=$(fastest "${times[$name]}")
    printf '%-9s median %6d ms, fastest %6d ms\n' "$name" "${medians[$name]}" "${fastests[$name]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
ratios() { # case case -> "median ratio (fastest ratio)"
    echo "$(ratio "${medians[$1]}" "${medians[$2]}") ($(ratio "${fastests[$1]}" "${fastests[$2]}"))"
}
echo "ratios of the medians (of the fastest runs):"
echo "  empty / demo:      $(ratios empty demo)  goal: at most 2"
echo "  times100 / empty:  $(ratios times100 empty)  goal: at most 1.2"
echo "  sample / empty:    $(ratios sample empty)"
echo "  large / empty:     $(ratios large empty)"

# The ship whose turret list is longest (a turret is listed when it has guns:
# the main position, then turrets 1 to 6), as its index in the ship list.
ship=$(awk -F';' 'NR > 1 {
        p = 49 + $48 * 4; turrets = $p; p++; listed = 0
        for (t = 0; t < turrets; t++) {
            if ($(p + 1) > 0 && t < 7) listed++
            p += 4 + $(p + 3) * 6
        }
        if (listed > best) { best = listed; chosen = NR - 2 }
    } END { print chosen }' "$games/times100/types/TShips.txt")
wares=$(awk 'FNR == 1 { split($0, h, ";"); n += h[2] } END { print n }' "$games"/times100/types/TWare?.txt)
ware=$((wares - 2))
cat >"$games/choose.uid" <<UID
start \${PROGRAM}
wait-window Orvex 300000
expect-no-msgbox
select ComboBox[id=ship.list] $ship
tab Tab 2
select ComboBox[id=ware.list] $ware
UID
handled() { sed -n 's/.*"cmd":"select".*"handled_ms":\([0-9]*\).*"ok":true.*/\1/p'; }
ship_times="" ware_times=""
for run in $(seq "$runs"); do
    output=$(cd "$games/times100" && PROGRAM=$build/orvex.exe timeout -k 5 600 wine "$driver" "$games/choose.uid" </dev/null 2>&1)
    both=($(echo "$output" | handled))
    if [ ${#both[@]} -ne 2 ]; then
        echo "choosing records failed:" >&2
        echo "$output" >&2
        exit 1
    fi
    ship_times+="${both[0]} " ware_times+="${both[1]} "
    echo "choice round $run: ship $ship ${both[0]} ms; ware $ware of $wares ${both[1]} ms"
done
echo "median choice of the ship with the most turrets: $(median "$ship_times") ms (goal: under 50)"
echo "median choice of ware $ware of $wares:        $(median "$ware_times") ms (goal: under 50)"
