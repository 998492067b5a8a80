# What another program will write while the editor is open: the ship table
# with the first ship's hull (column 43) changed, the field the window changes
# too, so Save cannot merge them.
source "$(dirname "$0")/checks.sh"
mkdir -p other
LC_ALL=C sed "$(field_edit 1 43 2400 2800)" types/TShips.txt >other/TShips.txt
cmp -s other/TShips.txt types/TShips.txt && fail "the other program's table is the sample's"
finish
