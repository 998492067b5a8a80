# After edits on every page: each table holds exactly its edited fields (the
# expected files are the sample with those fields replaced), and the backups
# hold the sample's original although the tables were saved twice.
source "$(dirname "$0")/checks.sh"

# Ястреб, ship line 2: manoeuvrability X (column 2) 0.585 in the writer's
# seven-character form, speed upgrades (24) 13, manoeuvrability upgrades (25)
# 0, shields (21) 20, bay type (41) XL = 4, hull (43) 6100.
expect_edited TShips "$(field_edit 2 2 0.45000 0.58500);$(field_edit 2 24 12 13);$(field_edit 2 25 10 0);$(field_edit 2 21 3 20);$(field_edit 2 41 2 4);$(field_edit 2 43 5200 6100)"
# Cockpit 0: weapon mask (column 8) 7 + bit 3 = 15.
expect_edited TCockpits "$(field_edit 1 8 7 15)"
# Фазовый луч: container type (column 16) XL = 4; its bullet record: flight
# time (10) 5000. Ионный разрядник's bullet: speed (11) 1150 × 222 = 255300.
expect_edited TLaser "$(field_edit 4 16 3 4)"
expect_edited TBullets "$(field_edit 4 10 4000 5000);$(field_edit 3 11 177600 255300)"
# Щит 25 МДж: shield power (8) 33333 and its tenth (7) 3333; Щит 125 МДж:
# volume (11) 45.
expect_edited TShields "$(field_edit 3 7 2500 3333);$(field_edit 3 8 25000 33333);$(field_edit 4 11 40 45)"
# Гарпун: speed (7) 420 × 222 = 93240, price coefficient (26) 1000.
expect_edited TRockets "$(field_edit 2 7 66600 93240);$(field_edit 2 26 2600 1000)"
# Кузница: volume (16) 23000, price coefficient (17) 900000, container
# type (20) L = 3.
expect_edited TFactories "$(field_edit 3 16 22000 23000);$(field_edit 3 17 880000 900000);$(field_edit 3 20 5 3)"
# Линзы, second line of the T wares: average price change (9) 40, container
# type (11) ST = 5.
expect_edited TWareT "$(field_edit 2 9 25 40);$(field_edit 2 11 2 5)"


tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
