#!/usr/bin/env bash
# The release archive, packed from the Windows build the test command already
# made (no second build): what it holds, the programs' version and resources,
# the guides' pictures, the same bytes from a second packing, and the unpacked
# editor starting under Wine. Needs the Wine environment of scripts/wine-env.sh.
#
#   tests/package/check_package.sh <Windows build dir>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tests/package"
build=$(realpath "$1")
out="$root/build/package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="orvex-$version"
archive="$out/$name-win64.zip"
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Packing twice gives the same bytes, and SHA256SUMS names them.
"$root/scripts/package.sh" --build-dir "$build" --out "$out" || { echo "FAILED: package.sh" >&2; exit 1; }
cp "$archive" "$work/first.zip"
"$root/scripts/package.sh" --build-dir "$build" --out "$out" >/dev/null || fail "package.sh, second run"
cmp -s "$work/first.zip" "$archive" || fail "packing twice gave different bytes"
(cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the archive"

# Exactly the programs, the licence, both guides and every picture they link.
pictures=$(sed -n 's/.*](\(img\/[^)]*\)).*/\1/p' "$root"/docs/guide.*.md | sort -u)
expected=$(
    for file in LICENSE guide.en.html guide.ru.html orvex.exe orvex-cli.exe $pictures; do
        echo "$name/$file"
    done
    for picture in $pictures; do
        echo "$name/$(dirname "$picture")/"
        echo "$name/img/"
    done
    echo "$name/"
)
diff <(echo "$expected" | LC_ALL=C sort -u) <(unzip -Z1 "$archive" | LC_ALL=C sort) >&2 ||
    fail "the archive's files differ from the list above (< wanted, > held)"
for picture in $pictures; do
    [ -f "$root/docs/$picture" ] ||
        fail "docs/$picture, linked from a guide, is missing (scripts/screenshots.sh makes it)"
done
unzip -q "$archive" -d "$work/unpacked"
folder="$work/unpacked/$name"
for language in ru en; do
    grep -q 'href="guide\.[a-z][a-z]\.md' "$folder/guide.$language.html" 2>/dev/null &&
        fail "guide.$language.html links a Markdown guide"
done

# The version, asked of the programs themselves (orvex.exe writes it to a
# pipe; in a message box when it has no output, in version_box.uid).
answer=$(timeout -k 5 60 wine "$folder/orvex-cli.exe" --version 2>&1 | tr -d '\r')
[ "$answer" = "orvex-cli $version" ] || fail "orvex-cli.exe --version said \"$answer\", not \"orvex-cli $version\""
answer=$(timeout -k 5 60 wine "$folder/orvex.exe" --version 2>&1 | cat | tr -d '\r')
[ "$answer" = "Orvex $version" ] || fail "orvex.exe --version said \"$answer\", not \"Orvex $version\""

# The file properties and the icon, read from the programs' resources.
IFS=. read -r major minor patch <<<"$version"
for program in orvex.exe orvex-cli.exe; do
    resources=$(x86_64-w64-mingw32-windres -i "$folder/$program" -O rc 2>&1)
    for wanted in " FILEVERSION $major, $minor, $patch, 0" " PRODUCTVERSION $major, $minor, $patch, 0" \
        "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
        "VALUE \"ProductName\", \"Orvex\"" "VALUE \"OriginalFilename\", \"$program\"" \
        "VALUE \"LegalCopyright\", \"Copyright (c) The Orvex developers" "VALUE \"FileDescription\", \"Orvex"; do
        grep -qF -- "$wanted" <<<"$resources" || fail "$program: no $wanted in its resources"
    done
    # One icon group of 16, 32, 48 and 256 pixels (256 is written as 0).
    grep -qF '1 14 /* RT_GROUP_ICON */' <<<"$resources" || fail "$program carries no icon"
    for size in '\020\020' '\040\040' '\060\060' '\000\000'; do
        grep -qF "\"$size\\000\\000\", 1, 32," <<<"$resources" || fail "$program: its icon lacks the size $size"
    done
done

# The unpacked editor starts on the sample game and shows its window, in
# either interface language; --version without an output shows a box.
for language in ru en; do
    bash "$root/scripts/run-gui-test.sh" --driver "$build/tools/uidriver/uidriver.exe" \
        --program "$folder/orvex.exe" --copy "$root/samples/game" --env "ORVEX_LANG=$language" \
        --timeout 120 "$here/unpacked_starts.uid" >"$work/gui.log" 2>&1 ||
        { cat "$work/gui.log" >&2; fail "the unpacked orvex.exe did not show its window ($language)"; }
done
# The driver's output is the program's too: to /dev/null (a character device,
# as a console is), so that orvex.exe answers --version with its box; the
# driver's lines are lost, its exit status and stderr say what failed.
(cd "$work" && env PROGRAM="$folder/orvex.exe" ORVEX_VERSION="$version" timeout -k 5 60 \
    wine "$build/tools/uidriver/uidriver.exe" "$here/version_box.uid" >/dev/null 2>"$work/driver.err") ||
    { cat "$work/driver.err" >&2; fail "orvex.exe --version showed no box with its version (run version_box.uid by hand for the driver's lines)"; }

if [ "$failures" -ne 0 ]; then
    echo "package: $failures check(s) failed" >&2
    exit 1
fi
echo "package: $(basename "$archive"), $(stat -c %s "$archive") bytes, the same bytes twice; all checks passed"
