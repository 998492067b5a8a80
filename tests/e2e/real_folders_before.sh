# A game folder as modders have them: the cockpit table written by another tool
# (remark lines on top, LF line ends), the laser table of another game version
# (a name where this game has a number), a slip in the station table (a decimal
# comma) and a ware file whose last identifier lost its semicolon. The originals
# are kept in before/ for the after-check.
set -e
{ printf '// Created with a table tool 3.1\n//\n'; tr -d '\r' <types/TCockpits.txt; } >types/TCockpits.new
mv types/TCockpits.new types/TCockpits.txt
LC_ALL=C sed -i '4s/^\(\([^;]*;\)\{6\}\)[^;]*;/\1SG_LASER_IRE;/' types/TLaser.txt
LC_ALL=C sed -i '3s/^\(\([^;]*;\)\{8\}\)1\.5;/\11,5;/' types/TFactories.txt
LC_ALL=C sed -i '5s/;\r$/\r/' types/TWareT.txt
mkdir before
cp -p types/*.txt before/
for name in TCockpits TLaser TFactories TWareT; do
    if cmp -s "types/$name.txt" "$(dirname "$0")/../../samples/game/types/$name.txt"; then
        echo "types/$name.txt was not changed" >&2
        exit 1
    fi
done
