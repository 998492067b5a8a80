# Shared by the before- and after-checks of the editor's end-to-end tests. They
# run with the test's game folder as the current folder (a copy of the sample
# game) and use only plain tools: cmp, diff, sed, awk, iconv.

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sample="$e2e_dir/../../samples/game"
tables="TBullets TCockpits TShips TFactories TLaser TShields TRockets TWareB TWareE TWareF TWareM TWareT"
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# A table file as it was before the editor ran: the sample's.
original_table() { echo "$sample/types/$1.txt"; }

# Makes expected/<name>.txt, the original table with the sed program applied
# to it (the game's files are CP1251 with CR LF; sed works on the bytes).
expect_edited() {
    local name=$1 program=$2
    mkdir -p expected
    LC_ALL=C sed "$program" "$(original_table "$name")" >"expected/$name.txt"
    cmp -s "expected/$name.txt" "$(original_table "$name")" && fail "the edit of $name changes nothing: $program"
}

# A sed command replacing field <n> (from 0) of line <k> (the header is line 0)
# when it reads <old>.
field_edit() { echo "$(($1 + 1))s/^\(\([^;]*;\)\{$2\}\)$3;/\1$4;/"; }

# The table file is byte for byte the given file; on a difference the lines
# that differ are shown, decoded.
same_bytes() {
    local written=$1 wanted=$2
    if [ ! -f "$written" ]; then
        fail "$written is missing"
    elif ! cmp -s "$written" "$wanted"; then
        fail "$written differs from $wanted"
        diff <(iconv -f cp1251 -t utf-8 "$wanted" | cat -A) <(iconv -f cp1251 -t utf-8 "$written" | cat -A) >&2
    fi
}

# Every table equals expected/<name>.txt where that exists, else the original.
tables_as_expected() {
    local name
    for name in $tables; do
        if [ -f "expected/$name.txt" ]; then
            same_bytes "types/$name.txt" "expected/$name.txt"
        else
            same_bytes "types/$name.txt" "$(original_table "$name")"
        fi
    done
}

# Every backup holds the original bytes.
backups_of_originals() {
    local name
    for name in ${1:-$tables}; do
        same_bytes "types/$name.bak" "$(original_table "$name")"
    done
}

no_backups() {
    local found
    found=$(find types -name '*.bak' | sort | tr '\n' ' ')
    [ -z "$found" ] || fail "backups were made: $found"
}

# The writer's temporaries never stay behind.
no_temporaries() {
    local found
    found=$(find . -name '*.orvex-new' -o -name '*.orvex-bak' | sort | tr '\n' ' ')
    [ -z "$found" ] || fail "temporaries left behind: $found"
}

# The game's folders hold nothing but the sample's files and these extra names.
only_files() {
    local listed
    listed=$( (cd "$sample" && find types t -type f; for extra in "$@"; do echo "$extra"; done) | sort)
    diff <(echo "$listed") <(find types t -type f | sort) >&2 ||
        fail "the game folders hold other files than expected"
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all file checks passed"
}
