#!/usr/bin/env bash
# orvex-cli export where its output can fail: a full file system under -o keeps
# the old file whole and leaves no temporary; a full device or a closed pipe on
# standard output is exit status 2 with a message, never a cut CSV and status 0.
# Usage: export_output.sh <orvex-cli> <game folder>
set -uo pipefail
cli=${1:?orvex-cli}
game=${2:?game folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The old sheet: a known text shorter than the export, so a write in place would
# overwrite its start before the disk is full.
old=$(for i in $(seq 40); do echo "old sheet line $i"; done)

# Runs export -o onto $1/mine.csv with $1 full; prints the status.
export_onto_full() {
    local dir=$1
    printf '%s\n' "$old" > "$dir/mine.csv"
    # Fill what is left, then free nothing: every new block fails.
    dd if=/dev/zero of="$dir/filler" bs=1k 2>/dev/null
    "$cli" export --folder "$game" ships -o "$dir/mine.csv" 2>"$work/err"
    echo $?
}

# A small tmpfs in a mount namespace of its own where the system allows one;
# else a file size limit, which fails the write beyond it the same way.
mkdir -p "$work/disk"
if unshare -rm true 2>/dev/null || unshare -m true 2>/dev/null; then
    ns=(unshare -m)
    [ "$(id -u)" = 0 ] || ns=(unshare -rm)
    status=$("${ns[@]}" bash -c "mount -t tmpfs -o size=64k tmpfs '$work/disk' || exit 99
        $(declare -f export_onto_full); old='$old'; cli='$cli'; game='$game'; work='$work'
        export_onto_full '$work/disk'
        cp '$work/disk/mine.csv' '$work/mine-after.csv'; ls '$work/disk' > '$work/entries'")
else
    status=99
fi
if [ "$status" = 99 ]; then
    echo "no tmpfs here: a file size limit stands in for the full disk"
    printf '%s\n' "$old" > "$work/disk/mine.csv"
    status=$(bash -c "trap '' XFSZ; ulimit -f 1; \"$cli\" export --folder '$game' ships -o '$work/disk/mine.csv' 2>'$work/err'; echo \$?")
    cp "$work/disk/mine.csv" "$work/mine-after.csv"
    ls "$work/disk" > "$work/entries"
fi
[ "$status" = 1 ] || fail "export onto a full disk: status $status, expected 1"
[ "$(cat "$work/mine-after.csv")" = "$old" ] || fail "export onto a full disk changed the old file"
grep -q 'orvex-new' "$work/entries" && fail "a temporary stayed behind: $(cat "$work/entries")"
grep -q 'mine.csv' "$work/err" || fail "no message naming the file: $(cat "$work/err")"

# A plain -o replaces the old file with the whole CSV.
printf '%s\n' "$old" > "$work/mine.csv"
"$cli" export --folder "$game" ships -o "$work/mine.csv" || fail "export -o failed"
[ "$(cat "$work/mine.csv")" = "$("$cli" export --folder "$game" ships)" ] || fail "export -o differs from standard output"

# Standard output on a full device.
"$cli" --lang en export --folder "$game" ships > /dev/full 2>"$work/err"
status=$?
[ "$status" = 2 ] || fail "export > /dev/full: status $status, expected 2"
grep -q 'standard output' "$work/err" || fail "export > /dev/full: no message: $(cat "$work/err")"

# Standard output into a pipe whose reader has gone: a FIFO opened read-write,
# then its reading side closed, leaves a writer with no reader.
mkfifo "$work/pipe"
(
    exec 3<>"$work/pipe" 4>"$work/pipe" 3<&-
    "$cli" --lang en export --folder "$game" ships >&4 2>"$work/err"
    echo $? > "$work/status"
)
status=$(cat "$work/status")
[ "$status" = 2 ] || fail "export into a closed pipe: status $status, expected 2"
grep -q 'standard output' "$work/err" || fail "export into a closed pipe: no message: $(cat "$work/err")"

[ "$failures" = 0 ] && echo "export output: all cases pass"
exit $((failures > 0))
