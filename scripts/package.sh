#!/usr/bin/env bash
# Packs the release a modder downloads: build/package/orvex-<version>-win64.zip,
# holding the folder orvex-<version>/ with both programs, the guides in both
# languages as HTML with their pictures and the licence, and SHA256SUMS beside it.
#
#   scripts/package.sh                   builds the Windows flavour in Release in
#                                        build/release, then packs
#   scripts/package.sh --build-dir DIR   packs the programs of an existing
#                                        Release build of the Windows flavour
#   --out DIR                            where the archive goes (build/package)
#
# The same commit packs to the same bytes on every machine: the programs carry
# no time stamps or paths (CMakeLists.txt), and every file in the archive has
# the commit's time (SOURCE_DATE_EPOCH), fixed permissions and a fixed order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=""
out="$root/build/package"
while [ $# -gt 0 ]; do
    case "$1" in
        --build-dir) build=$(realpath -m -- "$2"); shift 2 ;;
        --out) out=$(realpath -m -- "$2"); shift 2 ;;
        *) echo "usage: package.sh [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

if [ -z "$build" ]; then
    "$root/scripts/install-deps.sh"
    build="$root/build/release"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEX_BENCH=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$build" -j "$(nproc)" --target orvex orvex-cli
fi
cache="$build/CMakeCache.txt"
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$cache" 2>/dev/null ||
    ! grep -q '^CMAKE_TOOLCHAIN_FILE:[A-Z]*=.*mingw' "$cache"; then
    echo "package.sh: $build is no Release build of the Windows flavour" >&2
    exit 1
fi
for program in orvex.exe orvex-cli.exe; do
    [ -f "$build/$program" ] || { echo "package.sh: $build/$program is missing" >&2; exit 1; }
done
"$root/scripts/check-imports.sh" "$build"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
name="orvex-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/$name"
mkdir -p "$folder"

cp "$build/orvex.exe" "$build/orvex-cli.exe" "$root/LICENSE" "$folder/"

# A guide: its Markdown made HTML by cmark-gfm, inside a plain page; links to
# the other guide follow it to HTML.
guide_html() {
    local language=$1 source="$root/docs/guide.$1.md" title
    title=$(sed -n 's/^# //p' "$source" | head -n 1)
    cat <<HTML
<!DOCTYPE html>
<html lang="$language">
<head>
<meta charset="utf-8">
<title>$title</title>
<style>
body { max-width: 52em; margin: 2em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; border: 1px solid #ccc; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.25em 0.5em; vertical-align: top; }
code, pre { background: #f3f3f3; }
pre { padding: 0.5em; overflow: auto; }
</style>
</head>
<body>
HTML
    cmark-gfm --extension table --extension autolink --to html "$source" |
        sed 's/href="guide\.\(..\)\.md/href="guide.\1.html/g'
    echo '</body>'
    echo '</html>'
}
for language in ru en; do
    guide_html "$language" >"$folder/guide.$language.html"
done
# Exactly the pictures the guides show (nothing else that docs/img may hold here).
for picture in $(sed -n 's/.*](\(img\/[^)]*\)).*/\1/p' "$root"/docs/guide.*.md | sort -u); do
    if [ -f "$root/docs/$picture" ]; then
        mkdir -p "$folder/$(dirname "$picture")"
        cp "$root/docs/$picture" "$folder/$picture"
    else
        echo "package.sh: warning: docs/$picture, shown by a guide, is missing (scripts/screenshots.sh)" >&2
    fi
done

find "$folder" -type d -exec chmod 755 {} +
find "$folder" -type f -exec chmod 644 {} +
find "$folder" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$out"
archive="$name-win64.zip"
rm -f "$out/$archive" "$out/SHA256SUMS"
# Entries in byte order; -X leaves out owners and extra time fields.
(cd "$stage" && find "$name" -print | sort | zip -q -X -@ "$out/$archive")
(cd "$out" && sha256sum "$archive" >SHA256SUMS)
echo "$out/$archive ($(stat -c %s "$out/$archive") bytes)"
cat "$out/SHA256SUMS"
