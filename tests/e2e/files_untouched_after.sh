# Nothing was saved: every file is the sample's, no backup, no temporary.
source "$(dirname "$0")/checks.sh"
tables_as_expected
no_backups
no_temporaries
only_files
finish
