# Saved without edits: every table is rewritten to the sample's exact bytes,
# every backup holds the original, and no temporary stays behind.
source "$(dirname "$0")/checks.sh"
tables_as_expected
backups_of_originals
no_temporaries
only_files $(for t in $tables; do echo "types/$t.bak"; done)
finish
