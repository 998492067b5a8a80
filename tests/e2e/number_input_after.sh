# The number boxes' edits, saved through the close question (Ястреб, ship
# line 2): manoeuvrability X (column 2) 1.23 % and Y (3) 333.5 % in the writer's
# form, speed upgrades (24) 0 from the emptied box, hull (43) the 32-bit limit.
# Nothing was glued together: no 0.0123 from "1,234.5", no 3335 hull.
source "$(dirname "$0")/checks.sh"
expect_edited TShips "$(field_edit 2 2 0.45000 0.01230);$(field_edit 2 3 0.45000 3.33500);$(field_edit 2 24 12 0);$(field_edit 2 43 5200 2147483647)"
tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
