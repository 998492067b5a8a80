#!/usr/bin/env bash
# Runs one UI-automation driver script against a program of the Windows build,
# under Wine, in a fresh temporary folder, and cleans up after it.
#
#   run-gui-test.sh --driver uidriver.exe --program prog.exe [--build DIR]
#                   [--copy FOLDER]... [--env NAME=VALUE]... [--shot FILE.png]
#                   [--before CHECK.sh] [--after CHECK.sh]
#                   [--timeout SECONDS] [--keep] SCRIPT.uid
#
# The script sees PROGRAM (the program's Unix path), WORK (the temporary folder,
# also the current folder of the driver and so of the program it starts),
# WORK_WIN (the same as the program names it, Z:\tmp\...) and
# SHOT (a BMP file in WORK that `screenshot ${SHOT}` writes; --shot turns it
# into a PNG). --copy copies a folder's contents into WORK (a game folder).
# --env sets a variable for the driver and the program only (LANG=...).
# --before runs a bash script in WORK before the driver (to prepare files),
# --after one after the driver passed (to check the files the program wrote);
# both see WORK and PROGRAM, and a failing one fails the test.
# Without a Wine environment (WINEPREFIX and DISPLAY) it sets one up under
# --build, with an Xvfb of its own. Exit status: the driver's (0 passed, 1 a
# command failed, 2 a bad script, 124 the time limit), or 3 for bad arguments.
set -uo pipefail

driver="" program="" build="" shot="" script="" before="" after="" limit=90 keep=0
copies=() settings=()
while [ $# -gt 0 ]; do
    case "$1" in
        --driver) driver=$2; shift 2 ;;
        --program) program=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        --copy) copies+=("$2"); shift 2 ;;
        --env) settings+=("$2"); shift 2 ;;
        --shot) shot=$2; shift 2 ;;
        --before) before=$2; shift 2 ;;
        --after) after=$2; shift 2 ;;
        --timeout) limit=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        -*) echo "unknown option $1" >&2; exit 3 ;;
        *) script=$1; shift ;;
    esac
done
if [ -z "$driver" ] || [ -z "$script" ]; then
    echo "usage: run-gui-test.sh --driver uidriver.exe [--program prog.exe] [options] script.uid" >&2
    exit 3
fi

# The driver and the program run in the temporary folder: make every path absolute.
absolute() { [ -z "$1" ] || realpath -m -- "$1"; }
driver=$(absolute "$driver")
program=$(absolute "$program")
script=$(absolute "$script")
shot=$(absolute "$shot")
before=$(absolute "$before")
after=$(absolute "$after")
for i in "${!copies[@]}"; do copies[$i]=$(absolute "${copies[$i]}"); done

root=$(cd "$(dirname "$0")/.." && pwd)
own_xvfb=""
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    # shellcheck source=wine-env.sh
    source "$root/scripts/wine-env.sh"
    wine_env_setup "${build:-$(dirname "$driver")}"
    own_xvfb=${ORVEX_XVFB_PID:-}
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/orvex-gui.XXXXXX")
cleanup() {
    # Whatever still runs in this test's folder is this test's (the driver and
    # the program it started; the driver's job object normally ends the program).
    local pid
    cd / || true
    for pid in $(find /proc/[0-9]*/cwd -maxdepth 0 -lname "$work" 2>/dev/null | cut -d/ -f3); do
        [ "$pid" != "$$" ] && kill -9 "$pid" 2>/dev/null
    done
    if [ "$keep" = 1 ]; then
        echo "kept $work"
    else
        rm -rf "$work"
    fi
    if [ -n "$own_xvfb" ]; then
        kill "$own_xvfb" 2>/dev/null
        wait "$own_xvfb" 2>/dev/null
    fi
}
trap cleanup EXIT

for folder in "${copies[@]}"; do
    cp -a "$folder/." "$work/" || exit 3
done

cd "$work" || exit 3
export PROGRAM="$program" WORK="$work"
if [ -n "$before" ]; then
    bash "$before" || { echo "before-check $before failed"; exit 1; }
fi
started=$(date +%s%N)
# Waits and expectations get 15 s (not the driver's 5 s): a loaded CI machine
# can take seconds to repaint. The driver's output goes to a file and is shown afterwards: a wineserver or
# Wine service this run happens to start lives on and would hold a pipe open,
# keeping ctest waiting for the end of its output.
# WORK_WIN: the folder as the program names it (Wine's drive Z: is the Unix root).
env PROGRAM="$program" WORK="$work" WORK_WIN="Z:${work//\//\\}" SHOT="$work/shot.bmp" "${settings[@]}" \
    timeout -k 5 "$limit" wine "$driver" --timeout "${ORVEX_DRIVER_TIMEOUT:-15000}" "$script" </dev/null >"$work/driver.log" 2>&1
status=$?
cat "$work/driver.log"
echo "driver exit status $status after $(( ($(date +%s%N) - started) / 1000000 )) ms"

if [ -n "$shot" ] && [ -f "$work/shot.bmp" ]; then
    mkdir -p "$(dirname "$shot")"
    if command -v convert >/dev/null 2>&1; then
        convert "$work/shot.bmp" "$shot" && echo "screenshot $shot"
    else
        cp "$work/shot.bmp" "${shot%.*}.bmp" && echo "screenshot ${shot%.*}.bmp"
    fi
fi
if [ "$status" -eq 0 ] && [ -n "$after" ]; then
    bash "$after" || { echo "after-check $after failed"; status=1; }
fi
exit $status
