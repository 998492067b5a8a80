# After edits on every page: each table holds exactly its edited fields (the
# expected files are the sample with those fields replaced), and the backups
# hold the sample's original although the tables were saved twice.
source "$(dirname "$0")/checks.sh"

# Ястреб, ship line 2: shields (column 21) 20, bay type (41) XL = 4, hull (43) 6100.
expect_edited TShips "$(field_edit 2 21 3 20);$(field_edit 2 41 2 4);$(field_edit 2 43 5200 6100)"
# Cockpit 0: weapon mask (column 8) 7 + bit 3 = 15.
expect_edited TCockpits "$(field_edit 1 8 7 15)"
# Ионный разрядник's bullet: speed (11) 1150 × 222 = 255300.
expect_edited TBullets "$(field_edit 3 11 177600 255300)"
# Щит 125 МДж: volume (11) 45.
expect_edited TShields "$(field_edit 4 11 40 45)"
# Кузница: container type (20) L = 3.
expect_edited TFactories "$(field_edit 3 20 5 3)"
# Линзы, second line of the T wares: average price change (9) 40, container
# type (11) ST = 5.
expect_edited TWareT "$(field_edit 2 9 25 40);$(field_edit 2 11 2 5)"

tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
