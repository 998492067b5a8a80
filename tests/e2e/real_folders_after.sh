# The three tables the editor could not represent are as they were, without a
# backup; the remark-topped one is its remarks followed by the usual writing,
# with the LF line ends it was read with;
# every other table is rewritten as always.
source "$(dirname "$0")/checks.sh"
kept="TLaser TFactories TWareT"
for name in $kept; do
    same_bytes "types/$name.txt" "before/$name.txt"
    [ -e "types/$name.bak" ] && fail "types/$name.bak was made"
done
mkdir -p expected
{ printf '// Created with a table tool 3.1\n//\n'; tr -d '\r' <"$sample/types/TCockpits.txt"; } >expected/TCockpits.txt
same_bytes types/TCockpits.txt expected/TCockpits.txt
same_bytes types/TCockpits.bak before/TCockpits.txt
others="TBullets TShips TShields TRockets TWareB TWareE TWareF TWareM"
for name in $others; do same_bytes "types/$name.txt" "$sample/types/$name.txt"; done
backups_of_originals "$others"
no_temporaries
finish
