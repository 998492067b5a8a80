# The usual slip: the last missile line deleted, the header's count of four left
# as it was. The original is kept in before/ for the after-check.
set -e
LC_ALL=C sed -i '$d' types/TRockets.txt
mkdir before
cp -p types/TRockets.txt before/
head -1 types/TRockets.txt | grep -q '^12;4;' || { echo "the missile header is not 12;4;" >&2; exit 1; }
[ "$(wc -l <types/TRockets.txt)" -eq 4 ] || { echo "the missile table does not hold three records" >&2; exit 1; }
