# Each answer gave the file it promised, byte for byte: Cancel wrote nothing,
# No kept the other program's ship table and wrote Orvex's laser edit, Yes
# wrote Orvex's ships (its hull, not the other program's) and
# its backup keeps what Yes replaced. The other tables have backups of the sample.
source "$(dirname "$0")/checks.sh"

expect_edited TShips "$(field_edit 1 43 2400 3000)"
expect_edited TLaser "$(field_edit 1 10 1200 1300)"
same_bytes results/cancel-TShips.txt other/TShips.txt
same_bytes results/cancel-TLaser.txt "$(original_table TLaser)"
same_bytes results/no-TShips.txt other/TShips.txt
same_bytes results/no-TLaser.txt expected/TLaser.txt
tables_as_expected
same_bytes types/TShips.bak other/TShips.txt
backups_of_originals "TBullets TCockpits TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT"
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
