# After copy_record.uid: TShips.txt is the sample's with the count one higher
# and a copy of Кондор (line 1) last, under SS_SH_KND_2 and text id 6405 (page
# 17's largest is 6403, and a ware of TWareT.txt uses 6404); page 17 gained the
# one line naming it, before its end; every other file is as it was, and the
# backups Save made of the twelve tables and of the page hold the originals.
source "$(dirname "$0")/checks.sh"
mkdir -p expected
copy=$(LC_ALL=C sed -n 2p "$(original_table TShips)" |
    LC_ALL=C sed 's/^\(\([^;]*;\)\{6\}\)1001;/\16405;/; s/;SS_SH_KND;/;SS_SH_KND_2;/')
{ LC_ALL=C sed '1s/^17;6;/17;7;/' "$(original_table TShips)"; printf '%s\n' "$copy"; } >expected/TShips.txt
tables_as_expected
backups_of_originals
awk 'inside && /^<\/page>/ { printf "<t id=\"6405\">Kestrel</t>\r\n"; inside = 0 }
     /^<page id="17"/ { inside = 1 }
     { print }' "$sample/t/70001.xml" >expected/70001.xml
same_bytes t/70001.xml expected/70001.xml
same_bytes t/70001.bak "$sample/t/70001.xml"
only_files t/70001.bak $(for name in $tables; do echo "types/$name.bak"; done)
no_temporaries
finish
