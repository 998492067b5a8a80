# Save merged the other program's speed and added ship with the window's hull:
# all are in the ship table, the laser edit in its own, and the ship table's
# backup keeps what the other program wrote (the file Save replaced).
source "$(dirname "$0")/checks.sh"

expect_edited TShips "$(field_edit 1 7 27750 33300)
$(field_edit 1 43 2400 3000)
$ship_added"
expect_edited TLaser "$(field_edit 1 10 1200 1300)"
tables_as_expected
same_bytes types/TShips.bak other/TShips.txt
backups_of_originals "TBullets TCockpits TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT"
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
