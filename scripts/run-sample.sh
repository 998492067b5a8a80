#!/usr/bin/env bash
# Builds orvex.exe and opens it under Wine on a fresh copy of the bundled sample
# game. With a display the editor simply runs there until it is closed. Without
# one, Xvfb stands in: the script waits for the window, saves a screenshot, says
# where, and ends the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build/windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target orvex uidriver

game="$root/build/sample-game-$(date +%Y%m%d-%H%M%S)"
cp -r "$root/samples/game" "$game"
echo "Sample game copied to $game"

had_display=${DISPLAY:-}
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
trap wine_env_teardown EXIT
cd "$game"

if [ -n "$had_display" ]; then
    echo "Opening Orvex on display $DISPLAY; close its window to end."
    wine "$build/orvex.exe"
    exit 0
fi

shot="$root/build/orvex-sample.png"
driver=$(find "$build" -name uidriver.exe -not -path '*/wineprefix/*' | head -n 1)
timeout -k 5 120 wine "$driver" \
    -c "start $build/orvex.exe" \
    -c "wait-window Orvex 30000" \
    -c "settle" \
    -c "screenshot orvex-sample.bmp screen" >/dev/null
convert orvex-sample.bmp "$shot"
rm -f orvex-sample.bmp
echo "No display here: Orvex ran under Xvfb. Screenshot of its window: $shot"
