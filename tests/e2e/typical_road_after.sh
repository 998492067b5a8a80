# After the typical road: only the third bullet line changed, in its speed
# field (column 11), from 177600 to 1150 m/s × 222 = 255300; every other table
# was rewritten to exactly the sample's bytes (the sample is in the writer's
# form), every backup holds the sample's original, no temporary is left.
source "$(dirname "$0")/checks.sh"

[ "$(field_of "$(original_table TBullets)" 3 11)" = 177600 ] || fail "the sample's third bullet is not the one this test edits"
expect_edited TBullets "$(field_edit 3 11 177600 255300)"
[ "$(field_of expected/TBullets.txt 3 11)" = 255300 ] || fail "expected bullet line not built"

tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
