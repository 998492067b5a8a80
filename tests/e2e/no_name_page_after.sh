# Nothing was loaded or written.
source "$(dirname "$0")/checks.sh"
tables_as_expected
no_backups
no_temporaries
finish
