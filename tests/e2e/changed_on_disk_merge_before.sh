# What another program will write while the editor is open: the ship table
# with the first ship's speed (column 7) changed, a field the window leaves,
# and a ship added at the end (a copy of the last one, SS_SH_ADDED).
source "$(dirname "$0")/checks.sh"
mkdir -p other
LC_ALL=C sed "$(field_edit 1 7 27750 33300)
$ship_added" types/TShips.txt >other/TShips.txt
cmp -s other/TShips.txt types/TShips.txt && fail "the other program's table is the sample's"
finish
