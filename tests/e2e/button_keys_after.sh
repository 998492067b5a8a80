# After the buttons' keys: the ships table holds the hull Ctrl+S saved (6100
# for Кондор, ship line 1, column 43), not the unsaved 7000; every other table
# is as it was, and the backups hold the originals.
source "$(dirname "$0")/checks.sh"
expect_edited TShips "$(field_edit 1 43 2400 6100)"
tables_as_expected
backups_of_originals
finish
