# The odd values came back as they were read, beside the edits: Кондор's
# speed (column 7) saturated at 2147483647, cockpit 0's mask (column 8)
# 0x0F00000F with bits 24..27 kept, the fifth laser's power (column 10) 160000,
# the fourth bullet's speed (11) 0 with its flight time (10) kept at 4000. Of
# the bullet table the header and its four announced records are compared.
source "$(dirname "$0")/checks.sh"
origin=before

expect_edited TShips "$(field_edit 1 7 27750 2147483647)"
expect_edited TCockpits "$(field_edit 1 8 251658247 251658255)"
expect_edited TLaser "$(field_edit 5 10 150000 160000)"
expect_edited TBullets "$(field_edit 4 11 266400 0)"
for name in TCockpits TShips TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT; do
    if [ -f "expected/$name.txt" ]; then
        same_bytes "types/$name.txt" "expected/$name.txt"
    else
        same_bytes "types/$name.txt" "$(original_table "$name")"
    fi
done
head -n 5 types/TBullets.txt >written-bullets
head -n 5 expected/TBullets.txt >expected-bullets
same_bytes written-bullets expected-bullets
backups_of_originals
no_temporaries
finish
