# The read-only ship table is as it was, still read-only and without backup;
# every other table was written (the laser with its edit: laser power, column
# 10 of the first line, 1300) and has its backup of the original.
source "$(dirname "$0")/checks.sh"

expect_edited TLaser "$(field_edit 1 10 1200 1300)"
tables_as_expected
stat -c %A types/TShips.txt | grep -q '^-r-.r-.r-' || fail "types/TShips.txt lost its read-only mode"
backups_of_originals "TBullets TCockpits TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT"
no_temporaries
only_files $(for t in $tables; do [ "$t" = TShips ] || echo "types/$t.bak"; done)
finish
