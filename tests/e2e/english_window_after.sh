# The English window's edits, saved: the same bytes as the Russian editing road
# writes for them (Ястреб, ship line 2: manoeuvrability X 0.585 in the writer's
# form, shields 20, hull 6100); every table saved once, so each has its backup.
source "$(dirname "$0")/checks.sh"
expect_edited TShips "$(field_edit 2 2 0.45000 0.58500);$(field_edit 2 21 3 20);$(field_edit 2 43 5200 6100)"
tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
