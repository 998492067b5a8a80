# The ship table is the other program's, every other one the sample's; the
# editor wrote nothing.
source "$(dirname "$0")/checks.sh"
mkdir -p expected
cp other/TShips.txt expected/TShips.txt
tables_as_expected
no_backups
no_temporaries
finish
