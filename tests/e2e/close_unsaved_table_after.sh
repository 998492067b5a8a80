# The ship table left as the other program wrote it, and with it the tables its
# ships name by place (cockpits, shields, missiles): none of them written, so
# none has a backup. The laser edit and the other tables written with their
# backups of the sample; the second close wrote nothing more.
source "$(dirname "$0")/checks.sh"

left="TShips TCockpits TShields TRockets"
expect_edited TLaser "$(field_edit 1 10 1200 1300)"
cp other/TShips.txt expected/TShips.txt
tables_as_expected
backups_of_originals "TBullets TFactories TLaser TWareB TWareE TWareF TWareM TWareT"
no_temporaries
only_files $(for t in $tables; do case " $left " in *" $t "*) ;; *) echo "types/$t.bak" ;; esac; done)
finish
