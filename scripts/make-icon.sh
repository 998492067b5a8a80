#!/usr/bin/env bash
# Draws the programs' icon, src/resources/orvex.ico (16, 32, 48 and 256 pixels),
# from its drawing src/resources/orvex.svg. Run it after changing the drawing and
# commit both: renderers of other versions may smooth edges differently, and
# the release must come out the same bytes on every machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icon="$root/src/resources"
for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=()
for size in 16 32 48 256; do
    rsvg-convert -w "$size" -h "$size" "$icon/orvex.svg" -o "$work/$size.png"
    pictures+=("$work/$size.png")
done
# ImageMagick stores the small sizes as bitmaps and 256 as PNG (what Windows
# expects of each); no dates or other text chunks, so the bytes follow the pixels.
convert "${pictures[@]}" -strip -define png:exclude-chunks=date,time,text "$work/orvex.ico"
cp "$work/orvex.ico" "$icon/orvex.ico"
echo "wrote $icon/orvex.ico ($(stat -c %s "$icon/orvex.ico") bytes)"
