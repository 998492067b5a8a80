# The ten tables that exist were rewritten to the sample's bytes with backups
# of the original; the two missing ones were not created, nor backed up.
source "$(dirname "$0")/checks.sh"
present="TBullets TCockpits TShips TLaser TShields TWareB TWareE TWareF TWareM TWareT"
for name in $present; do same_bytes "types/$name.txt" "$(original_table "$name")"; done
backups_of_originals "$present"
for missing in types/TRockets.txt types/TRockets.bak types/TFactories.txt types/TFactories.bak; do
    [ -e "$missing" ] && fail "$missing was created"
done
no_temporaries
finish
