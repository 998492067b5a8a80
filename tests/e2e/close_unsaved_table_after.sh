# The ship table left as the other program wrote it (and without a backup: it
# was never written), the laser edit and the other tables written with their
# backups of the sample; the second close wrote nothing more.
source "$(dirname "$0")/checks.sh"

expect_edited TLaser "$(field_edit 1 10 1200 1300)"
cp other/TShips.txt expected/TShips.txt
tables_as_expected
backups_of_originals "TBullets TCockpits TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT"
no_temporaries
only_files $(for t in $tables; do [ "$t" = TShips ] || echo "types/$t.bak"; done)
finish
