# The missile table whose count is above its lines is byte for byte as it was,
# without a backup, even though a missile was edited; every other table was
# saved as always, with its backup.
source "$(dirname "$0")/checks.sh"
same_bytes types/TRockets.txt before/TRockets.txt
[ -e types/TRockets.bak ] && fail "types/TRockets.bak was made"
others="TBullets TCockpits TShips TFactories TLaser TShields TWareB TWareE TWareF TWareM TWareT"
for name in $others; do same_bytes "types/$name.txt" "$sample/types/$name.txt"; done
backups_of_originals "$others"
no_temporaries
finish
