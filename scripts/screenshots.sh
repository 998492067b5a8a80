#!/usr/bin/env bash
# Renews the guides' pictures: docs/img/<language>/*.png, screenshots of the real
# orvex.exe under Wine on a copy of the sample game, worked by the UI driver.
# Run it whenever the window changes, and commit the pictures.
#
#   scripts/screenshots.sh [--build-dir DIR] [LANGUAGE...]    (default: ru en)
#
# DIR is a Windows build holding orvex.exe and uidriver.exe (default
# build/windows, built here when missing). Each language's interface is asked
# for with --lang and ORVEX_LANG; a language the program does not speak yet is
# refused, so that no picture shows another language's window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/windows"
languages=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build-dir) build=$(realpath -m -- "$2"); shift 2 ;;
        -*) echo "usage: screenshots.sh [--build-dir DIR] [LANGUAGE...]" >&2; exit 2 ;;
        *) languages+=("$1"); shift ;;
    esac
done
[ ${#languages[@]} -gt 0 ] || languages=(ru en)

if [ ! -f "$build/orvex.exe" ] || [ ! -f "$build/tools/uidriver/uidriver.exe" ]; then
    "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$build" -j "$(nproc)" --target orvex uidriver
fi
program="$build/orvex.exe"
driver="$build/tools/uidriver/uidriver.exe"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
work=$(mktemp -d "${TMPDIR:-/tmp}/orvex-shots.XXXXXX")
trap 'cd /; wine_env_teardown; [ -n "${ORVEX_KEEP:-}" ] || rm -rf "$work"' EXIT

# The first word of a tab's label in the language's interface: how a window
# in another language is told apart.
first_tab() {
    case "$1" in
        ru) echo "Корабли" ;;
        en) echo "Ships" ;;
        *) echo "screenshots.sh: no known first tab for language $1" >&2; exit 2 ;;
    esac
}

# The copy dialog's caption in the language's interface.
duplicate_caption() {
    case "$1" in
        ru) echo "Создать копию" ;;
        en) echo "Duplicate" ;;
    esac
}

# The find dialog's caption in the language's interface.
find_caption() {
    case "$1" in
        ru) echo "Найти" ;;
        en) echo "Find" ;;
    esac
}

# Runs a driver script (stdin) in a fresh copy of the sample game; a before
# step (a function name or :) may change the copy first.
drive() {
    local language=$1 before=$2 game
    game=$(mktemp -d "$work/game.XXXXXX")
    cp -a "$root/samples/game/." "$game/"
    (cd "$game" && "$before")
    cat >"$game/shots.uid"
    (cd "$game" && env PROGRAM="$program" ORVEX_LANG="$language" SHOTS="$work" \
        timeout -k 5 120 wine "$driver" --timeout 20000 shots.uid </dev/null >"$work/driver.log" 2>&1) || {
        cat "$work/driver.log" >&2
        echo "screenshots.sh: the driver failed (language $language)" >&2
        exit 1
    }
}

# A table that the start-up warning names: a decimal comma in the station table.
break_a_table() { sed -i '3s/;1\.5;/;1,5;/' types/TFactories.txt; }

# A small PNG: no dates or text chunks, the fewest colours that keep every pixel.
to_png() {
    local bmp=$1 png=$2
    shift 2
    convert "$bmp" "$@" -strip -define png:exclude-chunks=date,time,text "$png"
    optipng -quiet -o5 "$png"
}

for language in "${languages[@]}"; do
    tab=$(first_tab "$language")
    out="$root/docs/img/$language"

    drive "$language" : <<UID
start \${PROGRAM} --lang \${ORVEX_LANG}
wait-window Orvex
get Tab tabs
settle
screenshot \${SHOTS}/ships.bmp
tab Tab 1
settle
screenshot \${SHOTS}/armament.bmp
tab Tab 2
settle
screenshot \${SHOTS}/stations.bmp
UID
    if ! grep '"cmd":"get"' "$work/driver.log" | grep -q "\"value\":\"$tab|"; then
        echo "screenshots.sh: orvex.exe does not show its $language interface yet (no tab \"$tab\"); no pictures made" >&2
        exit 1
    fi
    # The copy dialog Ctrl+D opens for the first ship, alone.
    drive "$language" : <<UID
start \${PROGRAM} --lang \${ORVEX_LANG}
wait-window Orvex
key ComboBox[id=ship.list] ctrl+d
wait-window "$(duplicate_caption "$language")"
settle
screenshot \${SHOTS}/duplicate.bmp
key - escape
UID
    # The find dialog Ctrl+F opens, with a text typed, alone.
    drive "$language" : <<UID
start \${PROGRAM} --lang \${ORVEX_LANG}
wait-window Orvex
key ComboBox[id=ship.list] ctrl+f
wait-window "$(find_caption "$language")"
key - c
key - o
key - r
key - e
settle
screenshot \${SHOTS}/find.bmp
key - escape
UID
    # The warning over the window: the whole screen, cut to what is not background.
    drive "$language" break_a_table <<UID
start \${PROGRAM} --lang \${ORVEX_LANG}
wait-window Orvex
wait-msgbox
settle
screenshot \${SHOTS}/warning.bmp screen
answer 1
UID
    mkdir -p "$out"
    for page in ships armament stations duplicate find; do
        to_png "$work/$page.bmp" "$out/$page.png"
    done
    to_png "$work/warning.bmp" "$out/warning.png" -trim +repage
    echo "pictures of the $language interface: $(cd "$out" && ls | tr '\n' ' ')"
done
